#include <brackwater/QX_JOBCFG_GENERAL_BATCHNAMING_TYPE.h>

#include <brackwater/QXRecordScript.h>

namespace
{
const wchar_t kSourceType[] = L"SourceType";
const wchar_t kFormula[] = L"Fomula";
} // namespace

void QX_JOBCFG_GENERAL_BATCHNAMING_TYPE::reset()
{
    plugin.reset();
    strFormula.clear();
    init();
}

// reset() keeps the source; failures must also drop it back to its default
// so that neither a bad read nor normalize can leave an invalid record.
void QX_JOBCFG_GENERAL_BATCHNAMING_TYPE::_Construct()
{
    reset();
    source.reset();
}

void QX_JOBCFG_GENERAL_BATCHNAMING_TYPE::set(const QX_JOBCFG_GENERAL_BATCHNAMING_TYPE& other)
{
    if (this == &other)
        return;
    source.set(other.source);
    plugin.set(other.plugin);
    strFormula = other.strFormula;
}

int QX_JOBCFG_GENERAL_BATCHNAMING_TYPE::compare(const QX_JOBCFG_GENERAL_BATCHNAMING_TYPE& o) const
{
    const bool same = source == o.source && plugin == o.plugin && strFormula == o.strFormula;
    return same ? 0 : -1;
}

BOOL QX_JOBCFG_GENERAL_BATCHNAMING_TYPE::check() const
{
    switch (source.value)
    {
    case SOURCE_FORMULA:
        return strFormula.empty() ? FALSE : TRUE;
    case SOURCE_PLUGIN:
        return plugin.check();
    default:
        return FALSE;
    }
}

void QX_JOBCFG_GENERAL_BATCHNAMING_TYPE::normalize()
{
    if (!check())
        _Construct();
}

BOOL QX_JOBCFG_GENERAL_BATCHNAMING_TYPE::toscript(CZKScript& script) const
{
    return source.toscript(script, kSourceType) && plugin.toscript(script) &&
           SQXRecordScript::WriteText(script, kFormula, strFormula);
}

BOOL QX_JOBCFG_GENERAL_BATCHNAMING_TYPE::fromscript(CZKScript& script)
{
    if (source.fromscript(script, kSourceType) && plugin.fromscript(script) &&
        SQXRecordScript::ReadText(script, kFormula, strFormula))
        return TRUE;
    _Construct();
    return FALSE;
}
