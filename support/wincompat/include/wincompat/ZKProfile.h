// INI profile files: "[section]" headers and "key=value" lines, section and
// key names compared without regard to case, defaults for whatever is
// missing. Files are UTF-8.
#pragma once

#include <wincompat/WinTypes.h>
#include <wincompat/wincompat_export.h>

#include <string>
#include <vector>

class WINCOMPAT_EXPORT CZKProfile
{
public:
    // The value with surrounding blanks and one pair of enclosing quotes
    // removed; the default when the file, section or key is missing.
    static std::wstring GetString(const std::wstring& section, const std::wstring& key,
                                  const std::wstring& defaultValue, const std::wstring& file);
    // The leading decimal number of the value (optionally signed, or 0x hex);
    // 0 when the value does not start with one; the default when missing.
    static int GetInt(const std::wstring& section, const std::wstring& key, int defaultValue,
                      const std::wstring& file);
    // Replaces or adds the key, creating section and file as needed, and keeps
    // the rest of the file (comments included) as it was.
    static BOOL WriteString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& value, const std::wstring& file);
    static BOOL DeleteKey(const std::wstring& section, const std::wstring& key,
                          const std::wstring& file);
    static BOOL DeleteSection(const std::wstring& section, const std::wstring& file);
    static std::vector<std::wstring> SectionNames(const std::wstring& file);
    static std::vector<std::wstring> KeyNames(const std::wstring& section,
                                              const std::wstring& file);
};
