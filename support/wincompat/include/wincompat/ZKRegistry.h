// A persistent key/value tree standing in for the system registry. Keys are
// backslash paths whose first part names the hive, as in
// HKEY_LOCAL_MACHINE\Software\Maker; each hive is one file under the
// registry folder. Key and value names compare without regard to case. A
// damaged hive file reads as empty. Every call reads and writes the file, so
// separate objects and processes see each other's changes.
#pragma once

#include <wincompat/WinTypes.h>
#include <wincompat/wincompat_export.h>

#include <string>
#include <vector>

enum class ZKRegistryType : DWORD
{
    String = 1,     // REG_SZ
    Binary = 3,     // REG_BINARY
    DWord = 4,      // REG_DWORD
    MultiString = 7 // REG_MULTI_SZ
};

struct ZKRegistryValue
{
    ZKRegistryType type = ZKRegistryType::String;
    std::wstring text;                 // String
    DWORD number = 0;                  // DWord
    std::vector<BYTE> bytes;           // Binary
    std::vector<std::wstring> strings; // MultiString
};

class WINCOMPAT_EXPORT CZKRegistry
{
public:
    // Uses DefaultFolder().
    CZKRegistry();
    explicit CZKRegistry(const std::string& folder);

    // $ZK_REGISTRY_DIR, else $HOME/.local/share/capturecore/registry.
    static std::string DefaultFolder();
    const std::string& Folder() const { return m_folder; }

    // Creates the key and any missing parents; TRUE also when it existed.
    BOOL CreateKey(const std::wstring& key);
    BOOL KeyExists(const std::wstring& key) const;
    // Refuses a key with subkeys unless recursive. A hive itself cannot be
    // deleted.
    BOOL DeleteKey(const std::wstring& key, bool recursive = false);

    // Setters create the key when missing.
    BOOL SetValue(const std::wstring& key, const std::wstring& name, const ZKRegistryValue& value);
    BOOL SetString(const std::wstring& key, const std::wstring& name, const std::wstring& value);
    BOOL SetDWord(const std::wstring& key, const std::wstring& name, DWORD value);
    BOOL SetBinary(const std::wstring& key, const std::wstring& name,
                   const std::vector<BYTE>& value);
    BOOL SetMultiString(const std::wstring& key, const std::wstring& name,
                        const std::vector<std::wstring>& value);

    // FALSE when the key or value is missing, or (typed queries) of another
    // type; out is then untouched.
    BOOL QueryValue(const std::wstring& key, const std::wstring& name, ZKRegistryValue& out) const;
    BOOL QueryString(const std::wstring& key, const std::wstring& name, std::wstring& out) const;
    BOOL QueryDWord(const std::wstring& key, const std::wstring& name, DWORD& out) const;
    BOOL QueryBinary(const std::wstring& key, const std::wstring& name,
                     std::vector<BYTE>& out) const;
    BOOL QueryMultiString(const std::wstring& key, const std::wstring& name,
                          std::vector<std::wstring>& out) const;
    BOOL DeleteValue(const std::wstring& key, const std::wstring& name);

    // Names as first written, sorted without regard to case; empty for a
    // missing key.
    std::vector<std::wstring> EnumSubKeys(const std::wstring& key) const;
    std::vector<std::wstring> EnumValues(const std::wstring& key) const;

private:
    std::string m_folder;
};
