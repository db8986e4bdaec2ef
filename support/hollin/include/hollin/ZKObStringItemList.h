// An object list of named items (CZKObStringItem or derived).
#pragma once

#include <hollin/ZKObList.h>
#include <hollin/ZKObStringItem.h>
#include <hollin/hollin_export.h>

#include <string>

class HOLLIN_EXPORT CZKObStringItemList : public CZKObList
{
public:
    explicit CZKObStringItemList(BOOL ownsElements = TRUE) : CZKObList(ownsElements) {}
    ~CZKObStringItemList() override;

    // First item whose name equals name. flag non-zero: ASCII letters compare
    // case-insensitively; 0: exact comparison. Elements that are not
    // CZKObStringItem are skipped. nullptr when none matches.
    CZKObStringItem* Find(const std::wstring& name, int flag = 0) const;
    int FindIndex(const std::wstring& name, int flag = 0) const;
};
