// Printing a finished batch.
#pragma once

#include <brackwater/QXRecordOperations.h>
#include <brackwater/brackwater_export.h>

#include <hollin/ZKObject.h>

#include <cstdint>
#include <string>

struct BRACKWATER_EXPORT QX_JOBCFG_OUTPUT_PRINT_TYPE : public CZKObject
{
    BOOL bEnable;
    std::wstring strPrinterName;
    std::wstring strDriverName;
    std::wstring strPortName;
    int32_t nNumberOfCopies;
    BOOL bEditImageBeforePrint;
    BOOL bDisplaySettingsBeforePrint;

    QX_RECORD_OPERATIONS(QX_JOBCFG_OUTPUT_PRINT_TYPE);
    CZKObject* Clone() const override { return new QX_JOBCFG_OUTPUT_PRINT_TYPE(*this); }
    BOOL is_print_enable() const { return bEnable; }

    // The record alone in a script file, in its section "Print". A failed
    // read leaves the defaults.
    BOOL tofile(const std::wstring& path) const;
    BOOL fromfile(const std::wstring& path);

protected:
    void init();
};
