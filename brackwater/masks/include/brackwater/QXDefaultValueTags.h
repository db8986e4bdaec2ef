// The process-wide default-value tag table that the application keeps
// current (date, station, job, batch, document, page, last value, ...).
// It is built when the library loads and has no lock: the application
// updates and evaluates it from one thread.
#pragma once

#include <brackwater/QXDefaultValueTagItemList.h>
#include <brackwater/brackwater_export.h>
#include <wincompat/WinTypes.h>

#include <string>

class CZKDict;

class BRACKWATER_EXPORT SQXDefaultValueTags
{
public:
    static constexpr const wchar_t* LastValueTag = L"app.lastvalue";

    // Empties the table and registers the built-in tags again, all empty.
    static BOOL ResetTags();

    static BOOL SetTags(const CZKDict& dict);
    static BOOL SetTags(const CQXDefaultValueTagItemList& tags);
    static BOOL SetTag(const CQXDefaultValueTagItem& item);
    static BOOL SetTag(const std::wstring& name, const std::wstring& value);
    static BOOL SetTag_LastValue(const std::wstring& value);
    static BOOL GetTag_LastValue(std::wstring& value);
    static BOOL GetTag(const std::wstring& name, std::wstring& value);
    // Fills item's value, parts and level from the tag named item.m_strName.
    static BOOL GetTag(const std::wstring& name, CQXDefaultValueTagItem& item);

    // The table itself.
    static CQXDefaultValueTagItemList& GetTagItemList();

protected:
    static BOOL BuildTags();
};
