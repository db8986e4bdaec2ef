// Image processing steps of the output that are only switched on or off.
// Each is its own type (the tag), so two steps never mix.
#pragma once

#include <brackwater/QXRecordScript.h>
#include <wincompat/WinTypes.h>

template <class Tag> struct TQXEnableRecord
{
    BOOL bEnable;

    TQXEnableRecord() { init(); }
    TQXEnableRecord(const TQXEnableRecord& other) { set(other); }
    TQXEnableRecord& operator=(const TQXEnableRecord& other)
    {
        set(other);
        return *this;
    }

    void reset() { init(); }
    void set(const TQXEnableRecord& other) { bEnable = other.bEnable; }
    int compare(const TQXEnableRecord& other) const { return bEnable == other.bEnable ? 0 : -1; }
    bool operator==(const TQXEnableRecord& other) const { return compare(other) == 0; }
    bool operator!=(const TQXEnableRecord& other) const { return compare(other) != 0; }
    BOOL check() const { return TRUE; }
    void normalize() {}

    BOOL toscript(CZKScript& script) const
    {
        return SQXRecordScript::WriteBool(script, L"Enable", bEnable);
    }
    BOOL fromscript(CZKScript& script)
    {
        if (SQXRecordScript::ReadBool(script, L"Enable", bEnable))
            return TRUE;
        reset();
        return FALSE;
    }

protected:
    void init() { bEnable = FALSE; }
};

#define QX_DECLARE_ENABLE_RECORD(Name)                                                             \
    struct Name : TQXEnableRecord<Name>                                                            \
    {                                                                                              \
    }

QX_DECLARE_ENABLE_RECORD(QX_JOBCFG_OUTPUT_GENERALPROCESSING_TYPE);
QX_DECLARE_ENABLE_RECORD(QX_JOBCFG_OUTPUT_OPENBYDEFAULT_TYPE);
QX_DECLARE_ENABLE_RECORD(QX_JOBCFG_OUTPUT_OPTION_TYPE);
QX_DECLARE_ENABLE_RECORD(QX_JOBCFG_OUTPUT_AUTOORIENTATION_TYPE);
