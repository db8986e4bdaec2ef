// A named list element; the base of list items looked up by name.
#pragma once

#include <hollin/ZKObject.h>
#include <hollin/hollin_export.h>

#include <string>

class HOLLIN_EXPORT CZKObStringItem : public CZKObject
{
public:
    CZKObStringItem() = default;
    explicit CZKObStringItem(const std::wstring& name) : m_name(name) {}
    ~CZKObStringItem() override;

    const std::wstring& GetName() const { return m_name; }
    void SetName(const std::wstring& name) { m_name = name; }

    CZKObject* Clone() const override;

private:
    std::wstring m_name;
};
