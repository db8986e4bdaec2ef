// One "key = value" item of a script, as returned by CZKScript::FindKeyValues.
#pragma once

#include <hollin/ZKObStringItem.h>
#include <hollin/hollin_export.h>

#include <string>

class HOLLIN_EXPORT CZKScriptItem : public CZKObStringItem
{
public:
    CZKScriptItem() = default;
    CZKScriptItem(const std::wstring& key, const std::wstring& value) : CZKObStringItem(key), m_value(value) {}
    ~CZKScriptItem() override;

    const std::wstring& GetKey() const { return GetName(); }
    const std::wstring& GetValue() const { return m_value; }
    void GetKeyValue(std::wstring& key, std::wstring& value) const;
    // The value alone.
    void GetKeyValue(std::wstring& value) const { value = m_value; }
    void SetKeyValue(const std::wstring& key, const std::wstring& value);

    CZKObject* Clone() const override;

private:
    std::wstring m_value;
};
