// Owning list of script items (see CZKScript::FindKeyValues).
#pragma once

#include <hollin/ZKObStringItemList.h>
#include <hollin/ZKScriptItem.h>
#include <hollin/hollin_export.h>

class HOLLIN_EXPORT CZKScriptItemList : public CZKObStringItemList
{
public:
    CZKScriptItemList() = default;
    ~CZKScriptItemList() override;

    // nullptr when out of range.
    CZKScriptItem* GetItem(int index) const { return GetAtIndexAs<CZKScriptItem>(index); }
    void AddItem(const std::wstring& key, const std::wstring& value);
};
