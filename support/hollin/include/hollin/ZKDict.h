// Wide-string dictionary keeping insertion order. Keys compare exactly by
// default; SetCaseSensitive(FALSE) makes ASCII letters compare
// case-insensitively (the first spelling of a key is kept).
#pragma once

#include <hollin/hollin_export.h>
#include <wincompat/WinTypes.h>

#include <string>
#include <utility>
#include <vector>

class HOLLIN_EXPORT CZKDict
{
public:
    explicit CZKDict(BOOL caseSensitive = TRUE) : m_caseSensitive(caseSensitive) {}

    // Refused (FALSE, nothing changed) when making keys case-insensitive
    // would merge two existing keys.
    BOOL SetCaseSensitive(BOOL caseSensitive);
    BOOL IsCaseSensitive() const { return m_caseSensitive; }

    // Adds the key or replaces its value.
    void SetKeyValue(const std::wstring& key, const std::wstring& value);
    // FALSE (value untouched) when the key is absent.
    BOOL GetKeyValue(const std::wstring& key, std::wstring& value) const;
    BOOL Lookup(const std::wstring& key, std::wstring& value) const { return GetKeyValue(key, value); }
    BOOL HasKey(const std::wstring& key) const;
    BOOL RemoveKey(const std::wstring& key);
    void RemoveAll() { m_entries.clear(); }
    int GetCount() const { return static_cast<int>(m_entries.size()); }
    BOOL IsEmpty() const { return m_entries.empty() ? TRUE : FALSE; }
    // Entry by insertion index; FALSE when out of range.
    BOOL GetAt(int index, std::wstring& key, std::wstring& value) const;
    void CopyFrom(const CZKDict& source) { *this = source; }

    // Same case mode and the same entries in the same order.
    bool operator==(const CZKDict& other) const;
    bool operator!=(const CZKDict& other) const { return !(*this == other); }

    typedef std::vector<std::pair<std::wstring, std::wstring>> Entries;
    Entries::const_iterator begin() const { return m_entries.begin(); }
    Entries::const_iterator end() const { return m_entries.end(); }

private:
    int _IndexOf(const std::wstring& key) const;

    Entries m_entries;
    BOOL m_caseSensitive;
};
