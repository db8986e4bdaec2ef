#include "ZKSimTransfer.h"

namespace
{
TW_UINT16 Refuse(TW_UINT16& condition, TW_UINT16 code)
{
    condition = code;
    return TWRC_FAILURE;
}
} // namespace

bool CZKSimTransfer::Handles(TW_UINT32 dg, TW_UINT16 dat)
{
    return dg == DG_IMAGE || (dg == DG_CONTROL && (dat == DAT_PENDINGXFERS || dat == DAT_SETUPMEMXFER ||
                                                   dat == DAT_SETUPFILEXFER || dat == DAT_XFERGROUP));
}

void CZKSimTransfer::BeginBatch(int sidesPerSheet)
{
    m_sides = sidesPerSheet > 1 ? 2 : 1;
    m_pendingImages = m_feeder.GetSheets() * m_sides;
    m_sideOfSheet = 0;
}

TW_UINT16 CZKSimTransfer::Entry(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data, int& state,
                                TW_UINT16& condition)
{
    if (dg == DG_CONTROL && dat == DAT_PENDINGXFERS)
        return _PendingTransfers(msg, static_cast<TW_PENDINGXFERS*>(data), state, condition);
    return Refuse(condition, TWCC_SEQERROR); // no image data yet
}

void CZKSimTransfer::_EndTransfer()
{
    if (m_pendingImages == 0)
        return;
    --m_pendingImages;
    if (++m_sideOfSheet == m_sides)
    {
        m_sideOfSheet = 0;
        m_feeder.TakeSheet();
    }
}

TW_UINT16 CZKSimTransfer::_PendingTransfers(TW_UINT16 msg, TW_PENDINGXFERS* pending, int& state,
                                            TW_UINT16& condition)
{
    if (!pending)
        return Refuse(condition, TWCC_BADVALUE);
    switch (msg)
    {
    case MSG_GET:
        if (state < 4)
            break;
        pending->Count = static_cast<TW_UINT16>(m_pendingImages);
        return TWRC_SUCCESS;
    case MSG_ENDXFER:
        if (state != 6 && state != 7)
            break;
        _EndTransfer();
        state = m_pendingImages > 0 ? 6 : 5;
        pending->Count = static_cast<TW_UINT16>(m_pendingImages);
        return TWRC_SUCCESS;
    case MSG_RESET:
        if (state != 6)
            break;
        m_pendingImages = 0;
        state = 5;
        pending->Count = 0;
        return TWRC_SUCCESS;
    case MSG_STOPFEEDER:
        if (state != 6)
            break;
        // The sheet under way is still delivered; the rest stays in the feeder.
        m_pendingImages = m_sideOfSheet > 0 ? m_sides - m_sideOfSheet : (m_pendingImages > 0 ? m_sides : 0);
        pending->Count = static_cast<TW_UINT16>(m_pendingImages);
        return TWRC_SUCCESS;
    default:
        return Refuse(condition, TWCC_BADPROTOCOL);
    }
    return Refuse(condition, TWCC_SEQERROR);
}
