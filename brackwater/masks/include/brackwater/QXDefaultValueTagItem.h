// A named value that default-value expressions may use: its text, its
// date/time parts (-1 = not given) and its level.
#pragma once

#include <brackwater/brackwater_export.h>
#include <wincompat/WinTypes.h>

#include <string>

class BRACKWATER_EXPORT CQXDefaultValueTagItem
{
public:
    static constexpr int DefaultLevel = 10000;

    CQXDefaultValueTagItem() = default;
    explicit CQXDefaultValueTagItem(const std::wstring& name,
                                    const std::wstring& value = std::wstring(),
                                    int level = DefaultLevel);

    // Copies name, value, parts and level.
    void CopyObject(const CQXDefaultValueTagItem& source);

    std::wstring m_strName; // trimmed
    std::wstring m_strValue;
    int m_nYear = -1;
    int m_nMonth = -1;
    int m_nDay = -1;
    int m_nHour = -1;
    int m_nMinute = -1;
    int m_nSecond = -1;
    int m_nLevel = DefaultLevel;
};
