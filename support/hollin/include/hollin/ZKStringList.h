// Ordered list of wide strings (value semantics).
#pragma once

#include <hollin/hollin_export.h>
#include <wincompat/WinTypes.h>

#include <string>
#include <vector>

class HOLLIN_EXPORT CZKStringList
{
public:
    CZKStringList() = default;

    void AddTail(const std::wstring& text) { m_items.push_back(text); }
    void AddHead(const std::wstring& text) { m_items.insert(m_items.begin(), text); }
    void Add(const std::wstring& text) { AddTail(text); }
    int GetCount() const { return static_cast<int>(m_items.size()); }
    BOOL IsEmpty() const { return m_items.empty() ? TRUE : FALSE; }
    // An empty string for an index out of range.
    const std::wstring& GetAt(int index) const;
    const std::wstring& GetAtIndex(int index) const { return GetAt(index); }
    // Both fail (FALSE) for an index out of range.
    BOOL GetAt(int index, std::wstring& text) const;
    BOOL SetAt(int index, const std::wstring& text);
    BOOL InsertAt(int index, const std::wstring& text);
    BOOL RemoveAt(int index);
    void RemoveAll() { m_items.clear(); }
    // Index of the first equal string or -1. flag non-zero: ASCII letters
    // compare case-insensitively.
    int Find(const std::wstring& text, int flag = 0) const;
    void CopyFrom(const CZKStringList& source) { m_items = source.m_items; }

    bool operator==(const CZKStringList& other) const { return m_items == other.m_items; }
    bool operator!=(const CZKStringList& other) const { return !(*this == other); }

    std::vector<std::wstring>::const_iterator begin() const { return m_items.begin(); }
    std::vector<std::wstring>::const_iterator end() const { return m_items.end(); }
    const std::vector<std::wstring>& Items() const { return m_items; }

private:
    std::vector<std::wstring> m_items;
};
