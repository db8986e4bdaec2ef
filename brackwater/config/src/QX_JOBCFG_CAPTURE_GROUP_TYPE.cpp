#include <brackwater/QX_JOBCFG_CAPTURE_GROUP_TYPE.h>

#include <hollin/ZKDebugLog.h>

#include "QXSectionSteps.h"

namespace
{
const wchar_t kGeneralSection[] = L"General";
const wchar_t kSeparationSection[] = L"Separation";
// Selected between separation and auto-index; the scanner group writes it
// through its own operations.
const wchar_t kScannerSection[] = L"Scanner";
const wchar_t kAutoIndexSection[] = L"Barcode & OCR";
} // namespace

void QX_JOBCFG_CAPTURE_GROUP_TYPE::reset()
{
    general.reset();
    separation.reset();
    autoIndex.reset();
    init();
}

void QX_JOBCFG_CAPTURE_GROUP_TYPE::set(const QX_JOBCFG_CAPTURE_GROUP_TYPE& other)
{
    if (this == &other)
        return;
    general.set(other.general);
    separation.set(other.separation);
    autoIndex.set(other.autoIndex);
}

int QX_JOBCFG_CAPTURE_GROUP_TYPE::compare(const QX_JOBCFG_CAPTURE_GROUP_TYPE& other) const
{
    const bool same = general == other.general && separation == other.separation &&
                      autoIndex == other.autoIndex;
    return same ? 0 : -1;
}

BOOL QX_JOBCFG_CAPTURE_GROUP_TYPE::check() const
{
    return (general.check() && separation.check() && autoIndex.check()) ? TRUE : FALSE;
}

void QX_JOBCFG_CAPTURE_GROUP_TYPE::normalize()
{
    general.normalize();
    separation.normalize();
    autoIndex.normalize();
}

BOOL QX_JOBCFG_CAPTURE_GROUP_TYPE::toscript(CZKScript& script) const
{
    return SQXSectionSteps::Run(
               script,
               {{kGeneralSection, [&] { return general.toscript(script) != FALSE; }},
                {kSeparationSection, [&] { return separation.toscript(script) != FALSE; }},
                {kScannerSection, [] { return true; }},
                {kAutoIndexSection, [&] { return autoIndex.toscript(script) != FALSE; }}})
               ? TRUE
               : FALSE;
}

BOOL QX_JOBCFG_CAPTURE_GROUP_TYPE::fromscript(CZKScript& script)
{
    if (SQXSectionSteps::Run(
            script,
            {{kGeneralSection, [&] { return general.fromscript(script) != FALSE; }},
             {kSeparationSection, [&] { return separation.fromscript(script) != FALSE; }},
             {kScannerSection, [] { return true; }},
             {kAutoIndexSection, [&] { return autoIndex.fromscript(script) != FALSE; }}}))
        return TRUE;
    SZKDebugLog::Log("Job capture group: the script is incomplete or damaged; defaults kept", 0,
                     "BRACKWATER");
    // A fresh record rather than reset(): reset keeps the naming source.
    set(QX_JOBCFG_CAPTURE_GROUP_TYPE());
    return FALSE;
}
