// One item of a default-value expression: a named tag (with an optional
// output mask) or a literal.
#pragma once

#include <brackwater/brackwater_export.h>
#include <wincompat/WinTypes.h>

#include <string>

class BRACKWATER_EXPORT CQXDefaultValueItem
{
public:
    enum EKind
    {
        KIND_NONE = 0,
        KIND_TAG = 1,
        KIND_STRING = 2,
    };

    int m_nKind = KIND_NONE;
    std::wstring m_strTagName;    // trimmed
    std::wstring m_strOutputMask; // empty: the value as it is
    std::wstring m_strText;       // the literal
};
