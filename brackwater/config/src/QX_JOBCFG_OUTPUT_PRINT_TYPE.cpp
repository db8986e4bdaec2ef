#include <brackwater/QX_JOBCFG_OUTPUT_PRINT_TYPE.h>

#include "QXRecordConstruction.h"
#include "QXRecordFields.h"
#include "QXScriptFile.h"

namespace
{
const wchar_t kFileSection[] = L"Print";

const auto kFields = [](auto& r, auto& io)
{
    io.Bool(L"Enable", r.bEnable);
    io.Text(L"PrinterName", r.strPrinterName);
    io.Text(L"DriverName", r.strDriverName);
    io.Text(L"PortName", r.strPortName);
    io.Int(L"NumberOfCopies", r.nNumberOfCopies);
    io.Bool(L"EditImageBeforePrint", r.bEditImageBeforePrint);
    io.Bool(L"DisplaySettingsBeforePrint", r.bDisplaySettingsBeforePrint);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_JOBCFG_OUTPUT_PRINT_TYPE)

void QX_JOBCFG_OUTPUT_PRINT_TYPE::init()
{
    bEnable = FALSE;
    nNumberOfCopies = 1;
    bEditImageBeforePrint = FALSE;
    bDisplaySettingsBeforePrint = FALSE;
}

void QX_JOBCFG_OUTPUT_PRINT_TYPE::reset()
{
    strPrinterName.clear();
    strDriverName.clear();
    strPortName.clear();
    init();
}

void QX_JOBCFG_OUTPUT_PRINT_TYPE::set(const QX_JOBCFG_OUTPUT_PRINT_TYPE& other)
{
    bEnable = other.bEnable;
    strPrinterName = other.strPrinterName;
    strDriverName = other.strDriverName;
    strPortName = other.strPortName;
    nNumberOfCopies = other.nNumberOfCopies;
    bEditImageBeforePrint = other.bEditImageBeforePrint;
    bDisplaySettingsBeforePrint = other.bDisplaySettingsBeforePrint;
}

int QX_JOBCFG_OUTPUT_PRINT_TYPE::compare(const QX_JOBCFG_OUTPUT_PRINT_TYPE& o) const
{
    const bool same = bEnable == o.bEnable && strPrinterName == o.strPrinterName &&
                      strDriverName == o.strDriverName && strPortName == o.strPortName &&
                      nNumberOfCopies == o.nNumberOfCopies &&
                      bEditImageBeforePrint == o.bEditImageBeforePrint &&
                      bDisplaySettingsBeforePrint == o.bDisplaySettingsBeforePrint;
    return same ? 0 : -1;
}

// A print run makes at least one copy.
BOOL QX_JOBCFG_OUTPUT_PRINT_TYPE::check() const
{
    return nNumberOfCopies >= 1 ? TRUE : FALSE;
}

void QX_JOBCFG_OUTPUT_PRINT_TYPE::normalize()
{
    if (!check())
        nNumberOfCopies = 1;
}

BOOL QX_JOBCFG_OUTPUT_PRINT_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_JOBCFG_OUTPUT_PRINT_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}

BOOL QX_JOBCFG_OUTPUT_PRINT_TYPE::tofile(const std::wstring& path) const
{
    return SQXScriptFile::Save(*this, path, kFileSection);
}

BOOL QX_JOBCFG_OUTPUT_PRINT_TYPE::fromfile(const std::wstring& path)
{
    return SQXScriptFile::Load(*this, path, kFileSection);
}
