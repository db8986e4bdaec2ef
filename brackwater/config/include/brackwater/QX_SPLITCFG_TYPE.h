// How a page is cut into pieces: per side a split mode and a piece count,
// and the order in which the pieces are delivered. A piece identifier holds
// the piece number (1..10) in its low seven bits and sets the high bit for a
// rear piece; the order ends at its first zero.
#pragma once

#include <brackwater/QXByteTypes.h>
#include <brackwater/QXRecordOperations.h>
#include <brackwater/brackwater_export.h>

#include <string>

struct BRACKWATER_EXPORT QX_SPLITCFG_TYPE
{
    static constexpr int max_pieces = 10;
    static constexpr int ORDER_SIZE = 20;
    static constexpr BYTE REAR_BIT = 0x80;
    enum SIDE
    {
        SIDE_FRONT = 1,
        SIDE_REAR = 2
    };

    QX_SPLITMODE_TYPE frontMode;
    BYTE byFrontPieces;
    QX_SPLITMODE_TYPE rearMode;
    BYTE byRearPieces;
    BYTE order[ORDER_SIZE];

    QX_RECORD_OPERATIONS(QX_SPLITCFG_TYPE);

    // The identifier of piece number of a side; 0 for a number outside
    // 1..10 or an unknown side.
    static BYTE order_get_pieceid(int side, int number);
    // The piece number of an identifier, and its side.
    static int order_get_pieceindex(BYTE id, int& side);

    // Appends id unless it is already there, invalid or the order is full.
    BOOL order_add(BYTE id);
    // Removes id and closes the gap.
    BOOL order_remove(BYTE id);
    BOOL order_isadded(BYTE id) const;
    void order_reset();
    // Drops the pieces that no enabled side has, keeping the order.
    void order_normalize();
    // The display numbers of the order (rear pieces follow the front ones),
    // separated by delimiter ("; " when empty).
    void order_getdesc(std::wstring& text, const std::wstring& delimiter) const;
    // True when the order does not list exactly the enabled sides' pieces.
    BOOL piece_remove() const;
    // Identifiers before the first zero.
    int order_count() const;

protected:
    void init();

private:
    BYTE piecesOf(int side) const;
    BOOL sideEnabled(int side) const;
};
