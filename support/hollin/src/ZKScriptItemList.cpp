#include <hollin/ZKScriptItemList.h>

#include <new>

CZKScriptItemList::~CZKScriptItemList() = default;

void CZKScriptItemList::AddItem(const std::wstring& key, const std::wstring& value)
{
    auto* item = new (std::nothrow) CZKScriptItem(key, value);
    if (item && !AddTail(item))
        delete item;
}
