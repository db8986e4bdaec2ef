// Small value records of a database lookup: when it runs (a flag byte) and
// the kind of the trigger column.
#pragma once

#include <brackwater/QXValueRecord.h>

// Bit 0: look up during scanning, bit 1: on a field update, bit 2: on
// output. Default (also after a failed read): during scanning and on output.
struct QX_JOBCFG_DBLOOKUP_TRIGGER_OPTION
    : TQXValueRecord<QX_JOBCFG_DBLOOKUP_TRIGGER_OPTION, QXAnyRule<BYTE, 5>>
{
    using TQXValueRecord<QX_JOBCFG_DBLOOKUP_TRIGGER_OPTION, QXAnyRule<BYTE, 5>>::TQXValueRecord;

    enum FLAG : BYTE
    {
        DURING_SCANNING = 0x01,
        ON_UPDATE_FIELD = 0x02,
        ON_OUTPUT = 0x04
    };

    void lookupduringscanning_check(BOOL flag) { _Mark(DURING_SCANNING, flag); }
    void lookuponupdatefield_check(BOOL flag) { _Mark(ON_UPDATE_FIELD, flag); }
    void lookuponoutput_check(BOOL flag) { _Mark(ON_OUTPUT, flag); }
    BOOL lookupduringscanning_ischecked() const { return _Has(DURING_SCANNING); }
    BOOL lookuponupdatefield_ischecked() const { return _Has(ON_UPDATE_FIELD); }
    BOOL lookuponoutput_ischecked() const { return _Has(ON_OUTPUT); }

private:
    void _Mark(BYTE bit, BOOL flag)
    {
        value = static_cast<BYTE>(flag ? (value | bit) : (value & ~bit));
    }
    BOOL _Has(BYTE bit) const { return (value & bit) ? TRUE : FALSE; }
};

// The trigger column's kind; its meaning is the application's.
QX_DECLARE_VALUE_RECORD(QX_JOBCFG_DBLOOKUP_DBCOLUMN_TYPE, QXAnyRule<int32_t, 0>);
