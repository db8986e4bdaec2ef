#include <brackwater/QX_SPLITCFG_TYPE.h>

#include <brackwater/QXRecordScript.h>

#include "QXRecordConstruction.h"
#include "QXScriptLines.h"

#include <hollin/ZKScript.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <set>

namespace
{
const wchar_t kFrontMode[] = L"FrontMode";
const wchar_t kFrontPieces[] = L"FrontPieces";
const wchar_t kRearMode[] = L"RearMode";
const wchar_t kRearPieces[] = L"RearPieces";
const wchar_t kPiece[] = L"Piece";

// A stored number that is not a byte names no piece and no count.
bool ToByte(const std::wstring& text, BYTE& out)
{
    wchar_t* end = nullptr;
    const long value = std::wcstol(text.c_str(), &end, 10);
    if (text.empty() || *end != L'\0' || value < 0 || value > 255)
        return false;
    out = static_cast<BYTE>(value);
    return true;
}

bool ReadByte(CZKScript& script, const wchar_t* key, BYTE& out)
{
    int value = 0;
    if (!SQXRecordScript::ReadInt(script, key, value) || value < 0 || value > 255)
        return false;
    out = static_cast<BYTE>(value);
    return true;
}

int NumberOf(BYTE id)
{
    return id & ~QX_SPLITCFG_TYPE::REAR_BIT;
}
} // namespace

QX_RECORD_CONSTRUCTION(QX_SPLITCFG_TYPE)

void QX_SPLITCFG_TYPE::init()
{
    frontMode.reset();
    byFrontPieces = 0;
    rearMode.reset();
    byRearPieces = 0;
    order_reset();
}

void QX_SPLITCFG_TYPE::reset()
{
    init();
}

void QX_SPLITCFG_TYPE::set(const QX_SPLITCFG_TYPE& other)
{
    frontMode.set(other.frontMode);
    byFrontPieces = other.byFrontPieces;
    rearMode.set(other.rearMode);
    byRearPieces = other.byRearPieces;
    std::memcpy(order, other.order, sizeof(order));
}

int QX_SPLITCFG_TYPE::compare(const QX_SPLITCFG_TYPE& o) const
{
    const bool same = frontMode == o.frontMode && byFrontPieces == o.byFrontPieces &&
                      rearMode == o.rearMode && byRearPieces == o.byRearPieces &&
                      std::memcmp(order, o.order, sizeof(order)) == 0;
    return same ? 0 : -1;
}

BYTE QX_SPLITCFG_TYPE::piecesOf(int side) const
{
    return side == SIDE_FRONT ? byFrontPieces : byRearPieces;
}

BOOL QX_SPLITCFG_TYPE::sideEnabled(int side) const
{
    return (side == SIDE_FRONT ? frontMode.value : rearMode.value) != 0 ? TRUE : FALSE;
}

BOOL QX_SPLITCFG_TYPE::check() const
{
    if (!frontMode.check() || !rearMode.check())
        return FALSE;
    if ((frontMode.value != 0 && byFrontPieces > max_pieces) ||
        (rearMode.value != 0 && byRearPieces > max_pieces))
        return FALSE;
    std::set<BYTE> seen;
    for (int i = 0; i < ORDER_SIZE && order[i] != 0; ++i)
    {
        int side = 0;
        const int number = order_get_pieceindex(order[i], side);
        if (number < 1 || number > piecesOf(side) || !seen.insert(order[i]).second)
            return FALSE;
    }
    return TRUE;
}

void QX_SPLITCFG_TYPE::normalize()
{
    if (!check())
        reset();
}

BYTE QX_SPLITCFG_TYPE::order_get_pieceid(int side, int number)
{
    if (number < 1 || number > max_pieces)
        return 0;
    if (side == SIDE_FRONT)
        return static_cast<BYTE>(number);
    if (side == SIDE_REAR)
        return static_cast<BYTE>(number | REAR_BIT);
    return 0;
}

int QX_SPLITCFG_TYPE::order_get_pieceindex(BYTE id, int& side)
{
    side = (id & REAR_BIT) ? SIDE_REAR : SIDE_FRONT;
    return NumberOf(id);
}

int QX_SPLITCFG_TYPE::order_count() const
{
    int count = 0;
    while (count < ORDER_SIZE && order[count] != 0)
        ++count;
    return count;
}

BOOL QX_SPLITCFG_TYPE::order_add(BYTE id)
{
    const int number = NumberOf(id);
    const int count = order_count();
    if (number < 1 || number > max_pieces || count >= ORDER_SIZE || order_isadded(id))
        return FALSE;
    order[count] = id;
    return TRUE;
}

BOOL QX_SPLITCFG_TYPE::order_remove(BYTE id)
{
    const int count = order_count();
    BYTE* const end = order + count;
    BYTE* const hit = std::find(order, end, id);
    if (id == 0 || hit == end)
        return FALSE;
    std::copy(hit + 1, end, hit);
    order[count - 1] = 0;
    return TRUE;
}

BOOL QX_SPLITCFG_TYPE::order_isadded(BYTE id) const
{
    const int count = order_count();
    return (id != 0 && std::find(order, order + count, id) != order + count) ? TRUE : FALSE;
}

void QX_SPLITCFG_TYPE::order_reset()
{
    std::memset(order, 0, sizeof(order));
}

void QX_SPLITCFG_TYPE::order_normalize()
{
    BYTE kept[ORDER_SIZE] = {};
    int keptCount = 0;
    for (int i = 0; i < ORDER_SIZE; ++i)
    {
        int side = 0;
        const int number = order_get_pieceindex(order[i], side);
        if (number == 0 || number > max_pieces)
            break;
        if (sideEnabled(side) && piecesOf(side) >= number)
            kept[keptCount++] = order[i];
    }
    std::memcpy(order, kept, sizeof(order));
}

void QX_SPLITCFG_TYPE::order_getdesc(std::wstring& text, const std::wstring& delimiter) const
{
    text.clear();
    const std::wstring separator = delimiter.empty() ? L"; " : delimiter;
    if (byFrontPieces > max_pieces)
        return;
    for (int i = 0; i < ORDER_SIZE; ++i)
    {
        int side = 0;
        const int number = order_get_pieceindex(order[i], side);
        if (number == 0 || number > max_pieces)
            break;
        if (!text.empty())
            text += separator;
        text += std::to_wstring(side == SIDE_FRONT ? number : number + byFrontPieces);
    }
}

BOOL QX_SPLITCFG_TYPE::piece_remove() const
{
    int pieces = 0;
    if (sideEnabled(SIDE_FRONT))
        pieces += byFrontPieces;
    if (sideEnabled(SIDE_REAR))
        pieces += byRearPieces;
    return order_count() != pieces ? TRUE : FALSE;
}

BOOL QX_SPLITCFG_TYPE::toscript(CZKScript& script) const
{
    script.RemoveAllScripts(1, nullptr);
    if (!frontMode.toscript(script, kFrontMode) ||
        !SQXRecordScript::WriteInt(script, kFrontPieces, byFrontPieces) ||
        !rearMode.toscript(script, kRearMode) ||
        !SQXRecordScript::WriteInt(script, kRearPieces, byRearPieces))
        return FALSE;
    CZKStringList pieces;
    for (int i = 0; i < order_count(); ++i)
        pieces.AddTail(std::to_wstring(order[i]));
    return SQXScriptLines::Append(script, kPiece, pieces);
}

// Whatever is stored, the layout read is a consistent one: anything that
// does not read or fails the check leaves the defaults. Older jobs without
// a layout rely on that, so the read itself always succeeds.
BOOL QX_SPLITCFG_TYPE::fromscript(CZKScript& script)
{
    reset();
    CZKStringList pieces;
    bool ok =
        frontMode.fromscript(script, kFrontMode) && ReadByte(script, kFrontPieces, byFrontPieces) &&
        rearMode.fromscript(script, kRearMode) && ReadByte(script, kRearPieces, byRearPieces) &&
        SQXScriptLines::Collect(script, kPiece, pieces);
    // The order holds 20 identifiers and ends at its first zero.
    const int count = std::min(pieces.GetCount(), static_cast<int>(ORDER_SIZE));
    for (int i = 0; ok && i < count && (i == 0 || order[i - 1] != 0); ++i)
        ok = ToByte(pieces.GetAt(i), order[i]);
    if (!ok || !check())
        reset();
    return TRUE;
}
