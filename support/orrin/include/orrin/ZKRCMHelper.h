// Resource texts for one module: a module keeps one of these and asks for
// its keys without repeating its name.
#pragma once

#include <orrin/orrin_export.h>
#include <wincompat/WinTypes.h>

#include <string>

class ORRIN_EXPORT CZKRCMHelper
{
public:
    explicit CZKRCMHelper(const wchar_t* module = nullptr);

    // SZKRCM::LoadText with this helper's module.
    BOOL LoadText(const wchar_t* key, std::wstring& text) const;
    // The text, or an empty one for a missing key.
    std::wstring LoadText(const wchar_t* key) const;

    const std::wstring& GetModule() const { return m_module; }

private:
    std::wstring m_module;
};
