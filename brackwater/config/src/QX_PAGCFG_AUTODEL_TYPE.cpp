#include <brackwater/QX_PAGCFG_AUTODEL_TYPE.h>

#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

#include <string>

namespace
{
typedef QX_PAGCFG_AUTODEL_TYPE AutoDel;

const wchar_t* const kSideNames[AutoDel::SIDE_COUNT] = {L"Front", L"Rear"};

std::wstring Key(const wchar_t* before, int side, const wchar_t* after)
{
    return std::wstring(before) + kSideNames[side] + after;
}

const auto kFields = [](auto& r, auto& io)
{
    for (int side = 0; side < AutoDel::SIDE_COUNT; ++side)
    {
        io.Value(Key(L"", side, L"Mode").c_str(), r.mode[side]);
        io.Bool(Key(L"", side, L"SizeBelowRef").c_str(), r.bSizeBelowRef[side]);
        io.Int(Key(L"Bitonal", side, L"SizeRef").c_str(), r.nBitonalSizeRef[side]);
        io.Int(Key(L"ColorGrayscale", side, L"SizeRef").c_str(), r.nColorGrayscaleSizeRef[side]);
        io.Bool(Key(L"", side, L"ContentBelowRef").c_str(), r.bContentBelowRef[side]);
        io.Int(Key(L"Bitonal", side, L"ContentRef").c_str(), r.nBitonalContentRef[side]);
        io.Int(Key(L"ColorGrayscale", side, L"ContentRef").c_str(),
               r.nColorGrayscaleContentRef[side]);
    }
    io.Bool(L"DeleteBothImageOfASide", r.bDeleteBothImageOfASide);
};

bool IsContentRef(int32_t reference)
{
    return reference <= AutoDel::MAX_CONTENT_REF;
}

void ClampContentRef(int32_t& reference)
{
    if (!IsContentRef(reference))
        reference = AutoDel::MAX_CONTENT_REF;
}
} // namespace

QX_RECORD_CONSTRUCTION(QX_PAGCFG_AUTODEL_TYPE)

void QX_PAGCFG_AUTODEL_TYPE::init()
{
    for (int side = 0; side < SIDE_COUNT; ++side)
    {
        mode[side].reset();
        bSizeBelowRef[side] = FALSE;
        nBitonalSizeRef[side] = nColorGrayscaleSizeRef[side] = 0;
        bContentBelowRef[side] = FALSE;
        nBitonalContentRef[side] = nColorGrayscaleContentRef[side] = 0;
    }
    bDeleteBothImageOfASide = FALSE;
}

void QX_PAGCFG_AUTODEL_TYPE::reset()
{
    init();
}

void QX_PAGCFG_AUTODEL_TYPE::set(const QX_PAGCFG_AUTODEL_TYPE& other)
{
    for (int side = 0; side < SIDE_COUNT; ++side)
    {
        mode[side].set(other.mode[side]);
        bSizeBelowRef[side] = other.bSizeBelowRef[side];
        nBitonalSizeRef[side] = other.nBitonalSizeRef[side];
        nColorGrayscaleSizeRef[side] = other.nColorGrayscaleSizeRef[side];
        bContentBelowRef[side] = other.bContentBelowRef[side];
        nBitonalContentRef[side] = other.nBitonalContentRef[side];
        nColorGrayscaleContentRef[side] = other.nColorGrayscaleContentRef[side];
    }
    bDeleteBothImageOfASide = other.bDeleteBothImageOfASide;
}

int QX_PAGCFG_AUTODEL_TYPE::compare(const QX_PAGCFG_AUTODEL_TYPE& o) const
{
    bool same = bDeleteBothImageOfASide == o.bDeleteBothImageOfASide;
    for (int side = 0; side < SIDE_COUNT; ++side)
    {
        same = same && mode[side] == o.mode[side] && bSizeBelowRef[side] == o.bSizeBelowRef[side] &&
               nBitonalSizeRef[side] == o.nBitonalSizeRef[side] &&
               nColorGrayscaleSizeRef[side] == o.nColorGrayscaleSizeRef[side] &&
               bContentBelowRef[side] == o.bContentBelowRef[side] &&
               nBitonalContentRef[side] == o.nBitonalContentRef[side] &&
               nColorGrayscaleContentRef[side] == o.nColorGrayscaleContentRef[side];
    }
    return same ? 0 : -1;
}

BOOL QX_PAGCFG_AUTODEL_TYPE::check() const
{
    for (int side = 0; side < SIDE_COUNT; ++side)
    {
        if (!mode[side].check() || !IsContentRef(nBitonalContentRef[side]) ||
            !IsContentRef(nColorGrayscaleContentRef[side]))
            return FALSE;
    }
    return TRUE;
}

void QX_PAGCFG_AUTODEL_TYPE::normalize()
{
    for (int side = 0; side < SIDE_COUNT; ++side)
    {
        mode[side].normalize();
        ClampContentRef(nBitonalContentRef[side]);
        ClampContentRef(nColorGrayscaleContentRef[side]);
    }
}

BOOL QX_PAGCFG_AUTODEL_TYPE::rangeOf(int side, bool bitonal, MODE measure,
                                     QX_RANGE_L_TYPE& range) const
{
    range.reset();
    if (mode[side].value != measure)
        return FALSE;
    const bool size = measure == MODE_SIZE;
    const BOOL below = size ? bSizeBelowRef[side] : bContentBelowRef[side];
    const int32_t reference =
        size ? (bitonal ? nBitonalSizeRef[side] : nColorGrayscaleSizeRef[side])
             : (bitonal ? nBitonalContentRef[side] : nColorGrayscaleContentRef[side]);
    if (below)
    {
        range.byHighMode = QX_RANGE_L_TYPE::MODE_EXCLUSIVE;
        range.high = reference;
    }
    else
    {
        range.byLowMode = QX_RANGE_L_TYPE::MODE_EXCLUSIVE;
        range.low = reference;
    }
    return TRUE;
}

BOOL QX_PAGCFG_AUTODEL_TYPE::get_bf_size_range(QX_RANGE_L_TYPE& range) const
{
    return rangeOf(FRONT, true, MODE_SIZE, range);
}

BOOL QX_PAGCFG_AUTODEL_TYPE::get_bf_content_range(QX_RANGE_L_TYPE& range) const
{
    return rangeOf(FRONT, true, MODE_CONTENT, range);
}

BOOL QX_PAGCFG_AUTODEL_TYPE::get_cf_size_range(QX_RANGE_L_TYPE& range) const
{
    return rangeOf(FRONT, false, MODE_SIZE, range);
}

BOOL QX_PAGCFG_AUTODEL_TYPE::get_cf_content_range(QX_RANGE_L_TYPE& range) const
{
    return rangeOf(FRONT, false, MODE_CONTENT, range);
}

BOOL QX_PAGCFG_AUTODEL_TYPE::get_br_size_range(QX_RANGE_L_TYPE& range) const
{
    return rangeOf(REAR, true, MODE_SIZE, range);
}

BOOL QX_PAGCFG_AUTODEL_TYPE::get_br_content_range(QX_RANGE_L_TYPE& range) const
{
    return rangeOf(REAR, true, MODE_CONTENT, range);
}

BOOL QX_PAGCFG_AUTODEL_TYPE::get_cr_size_range(QX_RANGE_L_TYPE& range) const
{
    return rangeOf(REAR, false, MODE_SIZE, range);
}

BOOL QX_PAGCFG_AUTODEL_TYPE::get_cr_content_range(QX_RANGE_L_TYPE& range) const
{
    return rangeOf(REAR, false, MODE_CONTENT, range);
}

BOOL QX_PAGCFG_AUTODEL_TYPE::GetDelConfig(int imageType, int side, QX_AUTODELMODE_TYPE& outMode,
                                          QX_RANGE_L_TYPE& outRange) const
{
    if (side != 1 && side != 2)
        return FALSE;
    const int index = side == 1 ? FRONT : REAR;
    outMode.set(mode[index]);
    const MODE measure = static_cast<MODE>(mode[index].value);
    if (measure != MODE_SIZE && measure != MODE_CONTENT)
        return FALSE;
    if (imageType == 1)
        return rangeOf(index, true, measure, outRange);
    if (imageType == 2 || imageType == 3)
        return rangeOf(index, false, measure, outRange);
    return FALSE;
}

BOOL QX_PAGCFG_AUTODEL_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_PAGCFG_AUTODEL_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
