// The words that tell the maker's scanners from others and the names the
// maker's sources use, read from the installation's environment resource so
// that a rebranded installation needs no rebuild.
#pragma once

#include <wincompat/WinTypes.h>

#include <string>

class SQXTWAINMakerConfig
{
public:
    // Lower case. Empty words never match.
    static std::wstring MakerName();
    static std::wstring ModelWord(int which); // 0 or 1
    // The product name of the maker's generic data source.
    static std::wstring GenericSourceName();
    // The display name replacing the product text of two models, or empty.
    static std::wstring DisplayNameForModel(int model);

    // The name (lower-cased) contains the maker's name or a model word.
    static bool IsMakerScanner(const std::wstring& name);
    // The name (lower-cased) contains the maker's name.
    static bool NamesMaker(const std::wstring& name);

protected:
    SQXTWAINMakerConfig() = default;
};
