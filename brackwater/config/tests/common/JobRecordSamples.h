// Fully populated job records for the round-trip and fuzz tests: every
// field away from its default, texts with the characters the script and
// the line items must protect (commas, line breaks, '#', '=', brackets,
// non-ASCII).
#pragma once

#include <brackwater/QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE.h>
#include <brackwater/QX_JOBCFG_CAPTURE_GROUP_TYPE.h>
#include <brackwater/QX_JOBCFG_DBLOOKUP_ITEM_TYPE.h>
#include <brackwater/QX_JOBCFG_INDEX_GROUP_TYPE.h>
#include <brackwater/QX_JOBCFG_INDEX_ITEM_TYPE.h>

#include <functional>
#include <string>

class CZKScript;

class SJobRecordSamples
{
public:
    static QX_JOBCFG_GENERAL_GROUP_TYPE GeneralGroup();
    static QX_JOBCFG_INDEX_ITEM_TYPE IndexItem(const std::wstring& label);
    static QX_JOBCFG_DBLOOKUP_ITEM_TYPE Lookup(const std::wstring& name);
    static QX_JOBCFG_INDEX_GROUP_TYPE IndexGroup();
    static QX_JOBCFG_SEPARATION_GROUP_TYPE SeparationGroup();
    static QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE Variable(const std::wstring& label);
    static QX_JOBCFG_AUTOINDEX_GROUP_TYPE AutoIndexGroup();
    static QX_JOBCFG_CAPTURE_GROUP_TYPE CaptureGroup();

    // A job script as a station writes it: the format version, the capture
    // group and the index group.
    static void WriteJobScript(CZKScript& script, const QX_JOBCFG_CAPTURE_GROUP_TYPE& capture,
                               const QX_JOBCFG_INDEX_GROUP_TYPE& index);

    // Calls visit with a copy of script that lacks one key, for every key of
    // every section but "Version", except the optional sample-image lines
    // and the plug-in texts that are written for people, not read back.
    // Returns the number of copies visited.
    static int ForEachKeyRemoved(
        const CZKScript& script,
        const std::function<void(CZKScript& damaged, const std::wstring& where)>& visit);
};
