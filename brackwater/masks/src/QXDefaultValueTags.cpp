#include <brackwater/QXDefaultValueTags.h>

#include <hollin/ZKDict.h>

namespace
{
// The built-in tags, in registration order.
const wchar_t* const kBuiltInTags[] = {
    L"sys.date",
    L"sys.time",
    L"sys.stationid",
    L"sys.stationname",
    L"app.jobname",
    L"app.username",
    L"app.batchprocessingpath",
    L"app.workgrouppath",
    L"app.pagesetupname",
    L"app.printstring",
    L"app.scannercounter",
    L"app.imageaddressfixed",
    L"app.imageaddressl1",
    L"app.imageaddressl2",
    L"app.imageaddressl3",
    L"app.level",
    L"app.imageaddress",
    L"app.batchname",
    L"app.documentnumber",
    L"app.documentid",
    L"app.pagenumber",
    L"app.pageid",
    L"app.documenttype",
    L"app.lastvalue",
};
} // namespace

CQXDefaultValueTagItemList& SQXDefaultValueTags::GetTagItemList()
{
    // Constructed on first use, so the load-time build never meets an
    // unconstructed table whatever the order of static initialisation.
    static CQXDefaultValueTagItemList table;
    return table;
}

BOOL SQXDefaultValueTags::BuildTags()
{
    BOOL ok = TRUE;
    for (const wchar_t* name : kBuiltInTags)
    {
        if (!GetTagItemList().SetTag(name, std::wstring()))
            ok = FALSE;
    }
    return ok;
}

BOOL SQXDefaultValueTags::ResetTags()
{
    try
    {
        GetTagItemList().RemoveAll();
        return BuildTags();
    }
    catch (...)
    {
        return FALSE;
    }
}

BOOL SQXDefaultValueTags::SetTags(const CZKDict& dict)
{
    try
    {
        return GetTagItemList().SetTags(dict);
    }
    catch (...)
    {
        return FALSE;
    }
}

BOOL SQXDefaultValueTags::SetTags(const CQXDefaultValueTagItemList& tags)
{
    for (int i = 0; i < tags.GetCount(); ++i)
    {
        if (!SetTag(*tags.Get(i)))
            return FALSE;
    }
    return TRUE;
}

BOOL SQXDefaultValueTags::SetTag(const CQXDefaultValueTagItem& item)
{
    try
    {
        return GetTagItemList().SetTag(item);
    }
    catch (...)
    {
        return FALSE;
    }
}

BOOL SQXDefaultValueTags::SetTag(const std::wstring& name, const std::wstring& value)
{
    return SetTag(CQXDefaultValueTagItem(name, value));
}

BOOL SQXDefaultValueTags::SetTag_LastValue(const std::wstring& value)
{
    return SetTag(LastValueTag, value);
}

BOOL SQXDefaultValueTags::GetTag_LastValue(std::wstring& value)
{
    return GetTag(LastValueTag, value);
}

BOOL SQXDefaultValueTags::GetTag(const std::wstring& name, std::wstring& value)
{
    int level = 0;
    return GetTagItemList().GetTag(name, value, level);
}

BOOL SQXDefaultValueTags::GetTag(const std::wstring& name, CQXDefaultValueTagItem& item)
{
    return GetTagItemList().GetTag(name, item.m_strValue, item.m_nYear, item.m_nMonth, item.m_nDay,
                                   item.m_nHour, item.m_nMinute, item.m_nSecond, item.m_nLevel);
}
