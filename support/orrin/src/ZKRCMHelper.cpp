#include <orrin/ZKRCMHelper.h>

#include <orrin/ZKRCM.h>

CZKRCMHelper::CZKRCMHelper(const wchar_t* module) : m_module(module ? module : L"") {}

BOOL CZKRCMHelper::LoadText(const wchar_t* key, std::wstring& text) const
{
    return SZKRCM::LoadText(key, text, m_module.empty() ? nullptr : m_module.c_str());
}

std::wstring CZKRCMHelper::LoadText(const wchar_t* key) const
{
    std::wstring text;
    LoadText(key, text);
    return text;
}
