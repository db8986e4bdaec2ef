// Owning list of default-value tags. Names are unique, compared without
// regard to case and surrounding blanks.
#pragma once

#include <brackwater/QXDefaultValueTagItem.h>
#include <brackwater/brackwater_export.h>
#include <wincompat/WinTypes.h>

#include <memory>
#include <string>
#include <vector>

class CZKDict;

class BRACKWATER_EXPORT CQXDefaultValueTagItemList
{
public:
    CQXDefaultValueTagItemList() = default;
    CQXDefaultValueTagItemList(const CQXDefaultValueTagItemList& other);
    CQXDefaultValueTagItemList& operator=(const CQXDefaultValueTagItemList& other);
    CQXDefaultValueTagItemList(CQXDefaultValueTagItemList&&) noexcept = default;
    CQXDefaultValueTagItemList& operator=(CQXDefaultValueTagItemList&&) noexcept = default;

    // Index of the tag named name (trimmed, case-insensitive); -1 when there
    // is none or the name is empty.
    int FindTag(const std::wstring& name) const;

    // Replaces the tag of that name in place or appends it. 0 for a name
    // that is empty once trimmed.
    BOOL SetTag(const std::wstring& name, const std::wstring& value, int year, int month, int day,
                int hour, int minute, int second, int level = CQXDefaultValueTagItem::DefaultLevel);
    BOOL SetTag(const std::wstring& name, const std::wstring& value,
                int level = CQXDefaultValueTagItem::DefaultLevel);
    // The value text becomes yyyyMMddHHmmss of the parts, which are kept too.
    BOOL SetTag(const std::wstring& name, int year, int month, int day, int hour, int minute,
                int second, int level = CQXDefaultValueTagItem::DefaultLevel);
    BOOL SetTag(const CQXDefaultValueTagItem& item);
    // Every entry with level 10000 and no parts; 0 at the first failure.
    BOOL SetTags(const CZKDict& dict);

    // The outputs are reset first (empty, -1, level 0); 0 when absent.
    BOOL GetTag(const std::wstring& name, std::wstring& value, int& year, int& month, int& day,
                int& hour, int& minute, int& second, int& level) const;
    BOOL GetTag(const std::wstring& name, std::wstring& value, int& level) const;
    BOOL GetTag(const std::wstring& name, int& year, int& month, int& day, int& hour, int& minute,
                int& second, int& level) const;

    BOOL RemoveTag(const std::wstring& name);

    // nullptr for an index out of range.
    CQXDefaultValueTagItem* Get(int index) const;
    int GetCount() const { return static_cast<int>(m_items.size()); }
    void RemoveAll() { m_items.clear(); }

    // Blanks (space, tab, line breaks) removed from both ends.
    static std::wstring TrimName(const std::wstring& name);

private:
    std::vector<std::unique_ptr<CQXDefaultValueTagItem>> m_items;
};
