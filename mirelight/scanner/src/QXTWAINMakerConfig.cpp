#include "QXTWAINMakerConfig.h"

#include <hollin/ZKEnvResource.h>

#include <algorithm>
#include <cstdlib>
#include <cwctype>

namespace
{
std::wstring Lower(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return std::towlower(c); });
    return text;
}

std::wstring Value(const wchar_t* key)
{
    std::wstring value;
    SZKEnvResource::GetEnvStringValue(key, value);
    return value;
}

bool Contains(const std::wstring& lowerName, const std::wstring& word)
{
    return !word.empty() && lowerName.find(word) != std::wstring::npos;
}
} // namespace

std::wstring SQXTWAINMakerConfig::MakerName()
{
    return Lower(Value(L"TWAIN_MAKER_NAME"));
}

std::wstring SQXTWAINMakerConfig::ModelWord(int which)
{
    return Lower(Value(which == 0 ? L"TWAIN_MAKER_MODEL_WORD_1" : L"TWAIN_MAKER_MODEL_WORD_2"));
}

std::wstring SQXTWAINMakerConfig::GenericSourceName()
{
    return Value(L"TWAIN_MAKER_GENERIC_SOURCE");
}

std::wstring SQXTWAINMakerConfig::DisplayNameForModel(int model)
{
    for (const wchar_t* key : {L"TWAIN_MAKER_DISPLAY_MODEL_1", L"TWAIN_MAKER_DISPLAY_MODEL_2"})
    {
        const std::wstring number = Value(key);
        if (!number.empty() && std::wcstol(number.c_str(), nullptr, 0) == model)
            return Value(L"TWAIN_MAKER_DISPLAY_NAME");
    }
    return std::wstring();
}

bool SQXTWAINMakerConfig::IsMakerScanner(const std::wstring& name)
{
    const std::wstring lower = Lower(name);
    return Contains(lower, MakerName()) || Contains(lower, ModelWord(0)) ||
           Contains(lower, ModelWord(1));
}

bool SQXTWAINMakerConfig::NamesMaker(const std::wstring& name)
{
    return Contains(Lower(name), MakerName());
}
