// The transfer side of a virtual source: pending transfers and the image
// triplets of states 6 and 7. The session hands it every DAT_PENDINGXFERS and
// DG_IMAGE triplet together with the TWAIN state, which it may move.
//
// Image data is not produced yet: DG_IMAGE triplets fail with TWCC_SEQERROR,
// so an application ends the batch with MSG_ENDXFER or MSG_RESET and gets
// back to state 5.
#pragma once

#include <twaindefs/ZKTwainDefs.h>

#include "ZKSimFeeder.h"

class CZKSimTransfer
{
public:
    explicit CZKSimTransfer(CZKSimFeeder& feeder) : m_feeder(feeder) {}

    static bool Handles(TW_UINT32 dg, TW_UINT16 dat);
    // A new batch begins as the source signals MSG_XFERREADY.
    void BeginBatch(int sidesPerSheet);
    TW_UINT16 Entry(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data, int& state, TW_UINT16& condition);

private:
    TW_UINT16 _PendingTransfers(TW_UINT16 msg, TW_PENDINGXFERS* pending, int& state, TW_UINT16& condition);
    void _EndTransfer();

    CZKSimFeeder& m_feeder;
    int m_sides = 1;
    int m_pendingImages = 0;
    int m_sideOfSheet = 0;
};
