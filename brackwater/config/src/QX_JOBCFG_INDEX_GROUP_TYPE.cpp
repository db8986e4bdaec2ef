#include <brackwater/QX_JOBCFG_INDEX_GROUP_TYPE.h>

#include <brackwater/QXRecordScript.h>

#include <hollin/ZKDebugLog.h>

#include "QXSectionSteps.h"

namespace
{
const wchar_t kIndexSection[] = L"Index";
const wchar_t kBatchLevelSection[] = L"BatchLevelIndex";
const wchar_t kDocumentLevelSection[] = L"DocumentLevelIndex";
const wchar_t kLookupSection[] = L"DBLookupConnections";
const wchar_t kPluginSection[] = L"IXDPlugins";
const wchar_t kActionOnFailed[] = L"ActionOnFailed";
const wchar_t kBypassAudit[] = L"BypassAudit";
} // namespace

void QX_JOBCFG_INDEX_GROUP_TYPE::init()
{
    nActionOnFailed = 0;
    bBypassAudit = FALSE;
}

void QX_JOBCFG_INDEX_GROUP_TYPE::reset()
{
    batchItems.reset();
    documentItems.reset();
    lookups.reset();
    ixdPlugins.reset();
    init();
}

void QX_JOBCFG_INDEX_GROUP_TYPE::set(const QX_JOBCFG_INDEX_GROUP_TYPE& other)
{
    if (this == &other)
        return;
    nActionOnFailed = other.nActionOnFailed;
    bBypassAudit = other.bBypassAudit;
    batchItems.set(other.batchItems);
    documentItems.set(other.documentItems);
    lookups.set(other.lookups);
    ixdPlugins.set(other.ixdPlugins);
}

int QX_JOBCFG_INDEX_GROUP_TYPE::compare(const QX_JOBCFG_INDEX_GROUP_TYPE& o) const
{
    const bool same = nActionOnFailed == o.nActionOnFailed && bBypassAudit == o.bBypassAudit &&
                      batchItems == o.batchItems && documentItems == o.documentItems &&
                      lookups == o.lookups && ixdPlugins == o.ixdPlugins;
    return same ? 0 : -1;
}

BOOL QX_JOBCFG_INDEX_GROUP_TYPE::check() const
{
    return (batchItems.check() && documentItems.check() && lookups.check() &&
            ixdPlugins.check())
               ? TRUE
               : FALSE;
}

void QX_JOBCFG_INDEX_GROUP_TYPE::normalize()
{
    batchItems.normalize();
    documentItems.normalize();
    lookups.normalize();
    ixdPlugins.normalize();
}

BOOL QX_JOBCFG_INDEX_GROUP_TYPE::toscript(CZKScript& script) const
{
    return SQXSectionSteps::Run(
               script,
               {{kIndexSection,
                 [&] {
                     return SQXRecordScript::WriteInt(script, kActionOnFailed, nActionOnFailed) &&
                            SQXRecordScript::WriteBool(script, kBypassAudit, bBypassAudit);
                 }},
                {kBatchLevelSection, [&] { return batchItems.toscript(script) != FALSE; }},
                {kDocumentLevelSection, [&] { return documentItems.toscript(script) != FALSE; }},
                {kLookupSection, [&] { return lookups.toscript(script) != FALSE; }},
                {kPluginSection, [&] { return ixdPlugins.toscript(script) != FALSE; }}})
               ? TRUE
               : FALSE;
}

BOOL QX_JOBCFG_INDEX_GROUP_TYPE::fromscript(CZKScript& script)
{
    const bool ok = SQXSectionSteps::Run(
        script,
        {{kIndexSection,
          [&] {
              return SQXRecordScript::ReadInt(script, kActionOnFailed, nActionOnFailed) &&
                     SQXRecordScript::ReadBool(script, kBypassAudit, bBypassAudit);
          }},
         {kBatchLevelSection, [&] { return batchItems.fromscript(script) != FALSE; }},
         {kDocumentLevelSection, [&] { return documentItems.fromscript(script) != FALSE; }},
         {kLookupSection, [&] { return lookups.fromscript(script) != FALSE; }},
         {kPluginSection, [&] { return ixdPlugins.fromscript(script) != FALSE; }}});
    if (ok)
        return TRUE;
    SZKDebugLog::Log("Job index group: the script is incomplete or damaged; defaults kept", 0,
                     "BRACKWATER");
    reset();
    return FALSE;
}
