// Where the resource files are and which language to read.
#pragma once

#include <string>

class SZKResourceFolder
{
public:
    // ZK_RESOURCE_DIR when set and not empty (taken as is, so a test can
    // point at a folder of its own), else share/capturecore/resources
    // beside the library's lib/ folder (build tree and installed prefix alike),
    // else the first "resources" folder holding a "texts" folder beside or
    // above this library's folder.
    // Empty when none exists.
    static std::wstring Find();

    // The language asked for by the environment: ZK_LANGUAGE, else the
    // language part of the first of LC_ALL, LC_MESSAGES, LANG that is set;
    // "en" when that is "C" or "POSIX" or none is set.
    static std::wstring LanguageFromEnvironment();

    // A language name usable in a file name: letters, digits, '_' and '-'
    // only, so a variable cannot lead the lookup out of the folder.
    static bool IsValidLanguage(const std::wstring& language);

    // <folder>/texts/<language>.zks
    static std::wstring TextFilePath(const std::wstring& folder, const std::wstring& language);

    static bool FolderExists(const std::wstring& path);
    static bool FileExists(const std::wstring& path);
};
