#include <brackwater/QX_JOBCFG_OUTPUT_INVOKEPROGRAM_TYPE.h>

#include "QXFormatVersions.h"
#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

const wchar_t* const QX_JOBCFG_OUTPUT_INVOKEPROGRAM_TYPE::DEFAULT_PARAMS_PATH =
    L"<EXPORT_PATH>\"\\\"<BATCH_NAME>\"\\\"";
const wchar_t* const QX_JOBCFG_OUTPUT_INVOKEPROGRAM_TYPE::DEFAULT_PARAMS_NAME =
    L"\"Parameters.XML\"";

namespace
{
// The XML parameter file came with the newer format; older jobs pass
// parameters on the command line only and keep the defaults.
const auto kFields = [](auto& r, auto& io)
{
    io.Bool(L"Enable", r.bEnable);
    io.Text(L"ProgramName", r.strProgramName);
    io.Text(L"Parameter", r.strParameter);
    if (io.HasKeysOf(QX_FORMAT_VERSION_OUTPUT))
    {
        io.Bool(L"EnableXMLParams", r.bEnableXMLParams);
        io.Bool(L"OmitTagNameIdentifiers", r.bOmitTagNameIdentifiers);
        io.Sub(L".Params", r.paramFile);
    }
    else if constexpr (QX_READING(io))
    {
        r.bEnableXMLParams = FALSE;
        r.bOmitTagNameIdentifiers = FALSE;
        r.paramFile.reset();
    }
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_JOBCFG_OUTPUT_INVOKEPROGRAM_TYPE)

void QX_JOBCFG_OUTPUT_INVOKEPROGRAM_TYPE::init()
{
    bEnable = FALSE;
    bEnableXMLParams = FALSE;
    bOmitTagNameIdentifiers = FALSE;
}

void QX_JOBCFG_OUTPUT_INVOKEPROGRAM_TYPE::reset()
{
    strProgramName.clear();
    strParameter.clear();
    paramFile.reset();
    init();
}

void QX_JOBCFG_OUTPUT_INVOKEPROGRAM_TYPE::set(const QX_JOBCFG_OUTPUT_INVOKEPROGRAM_TYPE& other)
{
    bEnable = other.bEnable;
    strProgramName = other.strProgramName;
    strParameter = other.strParameter;
    bEnableXMLParams = other.bEnableXMLParams;
    bOmitTagNameIdentifiers = other.bOmitTagNameIdentifiers;
    paramFile.set(other.paramFile);
}

int QX_JOBCFG_OUTPUT_INVOKEPROGRAM_TYPE::compare(const QX_JOBCFG_OUTPUT_INVOKEPROGRAM_TYPE& o) const
{
    const bool same = bEnable == o.bEnable && strProgramName == o.strProgramName &&
                      strParameter == o.strParameter && bEnableXMLParams == o.bEnableXMLParams &&
                      bOmitTagNameIdentifiers == o.bOmitTagNameIdentifiers &&
                      paramFile == o.paramFile;
    return same ? 0 : -1;
}

BOOL QX_JOBCFG_OUTPUT_INVOKEPROGRAM_TYPE::check() const
{
    return paramFile.check();
}

void QX_JOBCFG_OUTPUT_INVOKEPROGRAM_TYPE::normalize()
{
    paramFile.normalize();
}

BOOL QX_JOBCFG_OUTPUT_INVOKEPROGRAM_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_JOBCFG_OUTPUT_INVOKEPROGRAM_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
