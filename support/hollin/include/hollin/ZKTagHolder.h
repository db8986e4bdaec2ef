// A bag of numbered tag values (32-bit numbers or texts) that travels with
// each delivered image. Setting a tag again replaces its value and type.
#pragma once

#include <hollin/hollin_export.h>
#include <wincompat/WinTypes.h>

#include <map>
#include <string>
#include <vector>

class HOLLIN_EXPORT CZKTagHolder
{
public:
    CZKTagHolder() = default;
    CZKTagHolder(const CZKTagHolder& other) = default;
    CZKTagHolder& operator=(const CZKTagHolder& other) = default;
    virtual ~CZKTagHolder() = default;

    void SetValue(DWORD tag, LONG value);
    void SetValue(DWORD tag, const std::wstring& text);
    void SetValue(DWORD tag, const wchar_t* text) { SetValue(tag, std::wstring(text ? text : L"")); }

    // FALSE when the tag is missing or holds the other kind of value; the
    // out value is then left unchanged.
    BOOL GetValue(DWORD tag, LONG& value) const;
    BOOL GetValue(DWORD tag, std::wstring& text) const;

    BOOL HasTag(DWORD tag) const;
    BOOL IsText(DWORD tag) const;
    BOOL RemoveValue(DWORD tag);
    void RemoveAll() { m_values.clear(); }
    int GetCount() const { return static_cast<int>(m_values.size()); }
    // The tags in ascending order.
    std::vector<DWORD> GetTags() const;

    void CopyFrom(const CZKTagHolder& other) { *this = other; }
    bool operator==(const CZKTagHolder& other) const;
    bool operator!=(const CZKTagHolder& other) const { return !(*this == other); }

private:
    struct Value
    {
        bool isText = false;
        LONG number = 0;
        std::wstring text;
        bool operator==(const Value& o) const { return isText == o.isText && number == o.number && text == o.text; }
    };
    std::map<DWORD, Value> m_values;
};
