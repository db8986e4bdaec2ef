// The byte-sized value records: enumerations stored as one byte and written
// to scripts as the unsigned byte value. Kept together because there are
// dozens of them and each is a one-line rule.
#pragma once

#include <brackwater/QXValueRecord.h>
#include <brackwater/brackwater_export.h>

#include <string>

QX_DECLARE_VALUE_RECORD(QX_LEVEL_TYPE, QXSpanRule<BYTE, 0, 3, 1, 1>);
QX_DECLARE_VALUE_RECORD(QX_MS_TYPE, QXSpanRule<BYTE, 0, 1, 0, 0>);
QX_DECLARE_VALUE_RECORD(QX_DUPLEXMODE_TYPE, QXSpanRule<BYTE, 0, 1, 0, 0>);
QX_DECLARE_VALUE_RECORD(QX_IMAGESIDE_TYPE, QXSpanRule<BYTE, 0, 3, 0, 0>);
QX_DECLARE_VALUE_RECORD(QX_IMAGEFORMAT_TYPE, QXSpanRule<int8_t, -1, 6, 0, 0>);
QX_DECLARE_VALUE_RECORD(QX_IMAGETYPE_TYPE, QXSpanRule<BYTE, 0, 3, 0, 0>);
QX_DECLARE_VALUE_RECORD(QX_ROTATEMODE_TYPE, QXSpanRule<BYTE, 0, 3, 0, 0>);
QX_DECLARE_VALUE_RECORD(QX_CAMERA_TYPE, QXSpanRule<BYTE, 0, 6, 0, 0>);
QX_DECLARE_VALUE_RECORD(QX_AUTODELMODE_TYPE, QXSpanRule<BYTE, 0, 2, 0, 0>);
QX_DECLARE_VALUE_RECORD(QX_BOUNDARYMODE_TYPE, QXSpanRule<BYTE, 0, 2, 0, 0>);
QX_DECLARE_VALUE_RECORD(QX_SPLITMODE_TYPE, QXSpanRule<BYTE, 0, 2, 0, 0>);
QX_DECLARE_VALUE_RECORD(QX_MERGEMODE_TYPE, QXSpanRule<BYTE, 0, 4, 0, 0>);
QX_DECLARE_VALUE_RECORD(QX_SCANMODE_TYPE, QXSpanRule<BYTE, 0, 4, 0, 0>);
QX_DECLARE_VALUE_RECORD(QX_SEPARATION_TYPE, QXSpanRule<BYTE, 0, 3, 2, 2>);
QX_DECLARE_VALUE_RECORD(QX_PLUGIN_TYPE, QXSetRule<BYTE, 0, 0, 0, 1, 2, 3, 4, 7, 8, 9>);
QX_DECLARE_VALUE_RECORD(QX_PATCH_TYPE, QXAnyRule<BYTE, 0>);
QX_DECLARE_VALUE_RECORD(QX_IMAGEPART_TYPE, QXAnyRule<BYTE, 0>);

QX_DECLARE_VALUE_RECORD(QX_JOBCFG_GENERAL_ACCESSLEVEL_TYPE, QXSetRule<BYTE, 2, 2, 1, 2, 4, 8>);
QX_DECLARE_VALUE_RECORD(QX_JOBCFG_GENERAL_BATCHNAMESOURCE_TYPE, QXSpanRule<BYTE, 0, 1, 1, 1>);
QX_DECLARE_VALUE_RECORD(QX_JOBCFG_DBLOOKUP_MULTIMATCH_OPTION, QXSpanRule<BYTE, 0, 1, 1, 1>);
QX_DECLARE_VALUE_RECORD(QX_JOBCFG_DBLOOKUP_DSN_TYPE, QXSpanRule<BYTE, 0, 1, 0, 0>);
QX_DECLARE_VALUE_RECORD(QX_JOBCFG_INDEX_ITEM_LEVEL_TYPE, QXSpanRule<BYTE, 0, 1, 0, 0>);
QX_DECLARE_VALUE_RECORD(QX_USRPRO_IMAGEDISPLAY_TYPE, QXSpanRule<BYTE, 0, 1, 0, 0>);
QX_DECLARE_VALUE_RECORD(QX_JOBCFG_INDEX_FIELDTYPE_TYPE, QXSpanRule<BYTE, 0, 2, 0, 0>);
QX_DECLARE_VALUE_RECORD(QX_JOBCFG_INDEX_ITEM_INDEXACTION_TYPE, QXSpanRule<BYTE, 0, 2, 0, 0>);
QX_DECLARE_VALUE_RECORD(QX_USRPRO_FREEZEUNIT_TYPE, QXSpanRule<BYTE, 0, 2, 0, 0>);
QX_DECLARE_VALUE_RECORD(QX_USRPRO_ICONLABEL_TYPE, QXSpanRule<BYTE, 0, 2, 0, 0>);
QX_DECLARE_VALUE_RECORD(QX_JOBCFG_OUTPUT_DUPLICATEHANDLE_TYPE, QXSpanRule<BYTE, 0, 3, 3, 3>);
QX_DECLARE_VALUE_RECORD(QX_JOBCFG_SEPARATION_AUTOINDEXLEVEL_TYPE, QXSpanRule<BYTE, 3, 4, 3, 3>);
QX_DECLARE_VALUE_RECORD(QX_PAGCFG_DEVICESETUPMODE_TYPE, QXSpanRule<BYTE, 0, 3, 0, 0>);
QX_DECLARE_VALUE_RECORD(QX_USRPRO_ICONSIZE_TYPE, QXSetRule<BYTE, 32, 32, 24, 32, 40>);
QX_DECLARE_VALUE_RECORD(QX_USRPRO_ZOOMMODE_TYPE, QXSpanRule<BYTE, 0, 2, 1, 1>);

// 0 = driver data block, 1 = driver profile.
QX_DECLARE_VALUE_RECORD(QX_SCNCFG_CONFIGMODE_TYPE, QXSpanRule<BYTE, 0, 1, 0, 0>);

// A rotation is never persisted on its own, so it has no script operations.
struct QX_ROTATION_TYPE : TQXValueRecord<QX_ROTATION_TYPE, QXSpanRule<BYTE, 0, 3, 0, 0>>
{
    using TQXValueRecord<QX_ROTATION_TYPE, QXSpanRule<BYTE, 0, 3, 0, 0>>::TQXValueRecord;
    BOOL toscript(CZKScript&, const wchar_t*) const = delete;
    BOOL fromscript(CZKScript&, const wchar_t*) = delete;
};

// Order in which the sides of a sheet are delivered.
struct QX_IMAGEORDER_TYPE : TQXValueRecord<QX_IMAGEORDER_TYPE, QXSpanRule<BYTE, 0, 23, 13, 13>>
{
    using TQXValueRecord<QX_IMAGEORDER_TYPE, QXSpanRule<BYTE, 0, 23, 13, 13>>::TQXValueRecord;
    bool is_frontfirst() const { return value <= 5 || (value >= 12 && value <= 17); }
    bool is_rearfirst() const { return !is_frontfirst(); }
};

struct QX_JOBCFG_GENERAL_LAYOUT_TYPE
    : TQXValueRecord<QX_JOBCFG_GENERAL_LAYOUT_TYPE, QXSpanRule<BYTE, 0, 3, 2, 2>>
{
    using TQXValueRecord<QX_JOBCFG_GENERAL_LAYOUT_TYPE,
                         QXSpanRule<BYTE, 0, 3, 2, 2>>::TQXValueRecord;
    // "Classic.Normal" ... "Enhanced.Index"; empty for an unknown layout.
    std::wstring ToString() const
    {
        static const wchar_t* const names[] = {L"Classic.Normal", L"Classic.Index",
                                               L"Enhanced.Normal", L"Enhanced.Index"};
        return value < 4 ? names[value] : L"";
    }
};

// Length unit: 0 inch, 1 centimetre, 11..16 inch multiples (1000 in down to
// 1/1000 in), 21..26 centimetre multiples (1000 cm down to 1/1000 cm).
struct QX_LMS_TYPE
    : TQXValueRecord<QX_LMS_TYPE,
                     QXSetRule<BYTE, 0, 0, 0, 1, 11, 12, 13, 14, 15, 16, 21, 22, 23, 24, 25, 26>>
{
    using TQXValueRecord<QX_LMS_TYPE, QXSetRule<BYTE, 0, 0, 0, 1, 11, 12, 13, 14, 15, 16, 21, 22,
                                                23, 24, 25, 26>>::TQXValueRecord;

    // Thousandths of a centimetre in one unit; 0 for an unknown unit.
    BRACKWATER_EXPORT static double FactorOf(BYTE unit);
    // Resource key of the unit's label ("STR_LMS_IN", ...); empty when unknown.
    BRACKWATER_EXPORT static std::wstring LabelKeyOf(BYTE unit);

    std::wstring GetLabelKey() const { return LabelKeyOf(value); }
    // The localised label; empty when the unit is unknown or has no text.
    BRACKWATER_EXPORT std::wstring GetLabel() const;
};

static_assert(sizeof(QX_LEVEL_TYPE) == 1 && sizeof(QX_IMAGEFORMAT_TYPE) == 1 &&
                  sizeof(QX_LMS_TYPE) == 1,
              "byte records are one byte");
