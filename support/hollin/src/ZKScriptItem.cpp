#include <hollin/ZKScriptItem.h>

#include <new>

CZKScriptItem::~CZKScriptItem() = default;

void CZKScriptItem::GetKeyValue(std::wstring& key, std::wstring& value) const
{
    key = GetName();
    value = m_value;
}

void CZKScriptItem::SetKeyValue(const std::wstring& key, const std::wstring& value)
{
    SetName(key);
    m_value = value;
}

CZKObject* CZKScriptItem::Clone() const { return new (std::nothrow) CZKScriptItem(*this); }
