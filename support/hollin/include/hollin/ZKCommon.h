// Small process-wide helpers: text conversion, splitting of command lines
// and path lists, module and well-known folders, whole-file transfers.
#pragma once

#include <hollin/hollin_export.h>
#include <wincompat/WinTypes.h>

#include <string>
#include <vector>

class CZKBuffer;
class CZKStringList;

class HOLLIN_EXPORT SZKCommon
{
public:
    // Code pages understood by the conversions. The "ANSI" and "OEM" code
    // pages are the locale's narrow encoding, which on this platform is UTF-8.
    static constexpr UINT CodePageANSI = 0;
    static constexpr UINT CodePageOEM = 1;
    static constexpr UINT CodePageThreadANSI = 3;
    static constexpr UINT CodePageUTF8 = 65001;

    // Narrow -> wide. Invalid or truncated sequences become U+FFFD (one per
    // maximal ill-formed subpart), embedded NULs are kept. FALSE (and an
    // empty result) only for an unknown code page.
    static BOOL MBStoWCS(const std::string& text, std::wstring& result, UINT codePage = CodePageUTF8);
    static std::wstring MBStoWCS(const std::string& text, UINT codePage = CodePageUTF8);
    // NUL-terminated forms (fixed-size C buffers); a null pointer is empty text.
    static BOOL MBStoWCS(const char* text, std::wstring& result, UINT codePage = CodePageUTF8);
    static std::wstring MBStoWCS(const char* text, UINT codePage = CodePageUTF8);

    // Wide -> narrow. UTF-16 surrogate pairs held in a wide string are joined;
    // lone surrogates and values above U+10FFFF become U+FFFD.
    static BOOL WCStoMBS(const std::wstring& text, std::string& result, UINT codePage = CodePageUTF8);
    static std::string WCStoMBS(const std::wstring& text, UINT codePage = CodePageUTF8);
    static BOOL WCStoMBS(const wchar_t* text, std::string& result, UINT codePage = CodePageUTF8);
    static std::string WCStoMBS(const wchar_t* text, UINT codePage = CodePageUTF8);

    // Equal texts when upper and lower case are not told apart, character
    // by character (no locale-specific folding of several characters).
    static bool EqualNoCase(const std::wstring& a, const std::wstring& b);
    // The same for byte texts; only the ASCII letters have two cases.
    static bool EqualNoCase(const std::string& a, const std::string& b);

    // Splits text into tokens; the list is emptied first.
    // - Blank delimiter (space or tab): Windows command-line rules. Runs of
    //   blanks separate tokens; double quotes group blanks into a token and
    //   are removed; 2n backslashes before a quote give n backslashes and the
    //   quote toggles quoting, 2n+1 give n backslashes and a literal quote;
    //   "" inside quotes is a literal quote; other backslashes are literal.
    // - Any other delimiter: a plain field split. Every delimiter ends a field,
    //   so empty fields are kept ("a,,b" -> "a", "", "b"; "a," -> "a", ""),
    //   and quotes are ordinary characters, so stored values never lose them.
    //   An empty text gives no tokens.
    static BOOL SplitCommandLine(const std::wstring& text, CZKStringList& tokens, wchar_t delimiter = L' ');
    static std::vector<std::wstring> SplitCommandLine(const std::wstring& text, wchar_t delimiter = L' ');

    // Splits a ';'-separated list of paths. Blanks around an item are
    // dropped, double quotes protect ';' inside an item and are removed,
    // empty items are skipped. The list is emptied first.
    static BOOL SplitPathItemList(const std::wstring& text, CZKStringList& paths);
    static std::vector<std::wstring> SplitPathItemList(const std::wstring& text);

    // Folder (absolute, no trailing '/') of the shared object or executable
    // that contains the given address; with no address, the folder of this
    // library.
    static BOOL GetModuleFolderPath(std::wstring& folder, const void* addressInModule = nullptr);

    // Well-known folders by their Windows CSIDL number: 0x23 common
    // application data, 0x24 the system folder that stands for the Windows
    // directory, 0x25 the system directory (the same folder here).
    // FALSE for any other number.
    static BOOL GetSHFolderPath(int csidl, std::wstring& folder);

    // Whole file <-> buffer. FileToBuffer leaves the buffer untouched on
    // failure. BufferToFile writes a sibling temporary file and renames it
    // over the target, so a failed write never leaves a partial file.
    static BOOL FileToBuffer(const std::wstring& path, CZKBuffer& buffer);
    static BOOL BufferToFile(const CZKBuffer& buffer, const std::wstring& path);
};
