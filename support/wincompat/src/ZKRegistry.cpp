#include <wincompat/ZKRegistry.h>

#include "FileText.h"
#include "RegistryHive.h"
#include "Utf8.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace
{

struct KeyPath
{
    std::wstring hive;
    std::vector<std::wstring> below; // the parts under the hive
};

// Empty parts (doubled or edge backslashes) are skipped, as they name nothing.
bool SplitKey(const std::wstring& key, KeyPath& out)
{
    std::vector<std::wstring> parts;
    std::wstring part;
    for (wchar_t c : key + L"\\")
    {
        if (c != L'\\')
        {
            part += c;
            continue;
        }
        if (!part.empty())
            parts.push_back(part);
        part.clear();
    }
    if (parts.empty())
        return false;
    out.hive = parts.front();
    out.below.assign(parts.begin() + 1, parts.end());
    return true;
}

// Hive names become file names: anything but letters, digits and '_' is
// written as %XX of its UTF-8 bytes.
std::string HiveFile(const std::string& folder, const std::wstring& hive)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string name;
    for (unsigned char c : zkutf8::FromWide(RegistryHive::Fold(hive)))
    {
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')
            name += static_cast<char>(c);
        else
        {
            name += '%';
            name += hex[c >> 4];
            name += hex[c & 0xF];
        }
    }
    return folder + "/" + name + ".hive";
}

std::mutex& ProcessLock()
{
    static std::mutex* mutex = new std::mutex;
    return *mutex;
}

// Serialises registry changes within the process (mutex) and between
// processes (a lock file in the registry folder).
class RegistryLock
{
public:
    explicit RegistryLock(const std::string& folder) : m_lock(ProcessLock())
    {
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        m_fd = open((folder + "/.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (m_fd >= 0)
            flock(m_fd, LOCK_EX);
    }
    ~RegistryLock()
    {
        if (m_fd >= 0)
            close(m_fd); // releases the flock
    }
    RegistryLock(const RegistryLock&) = delete;
    RegistryLock& operator=(const RegistryLock&) = delete;

private:
    std::lock_guard<std::mutex> m_lock;
    int m_fd = -1;
};

RegistryHive LoadHive(const std::string& file)
{
    std::string text;
    return zkfile::ReadAll(file, text) ? RegistryHive::Parse(text) : RegistryHive();
}

// Runs change on the key's hive and saves it when change returns true.
template <typename Change>
BOOL ModifyHive(const std::string& folder, const std::wstring& key, Change change)
{
    KeyPath path;
    if (!SplitKey(key, path))
        return FALSE;
    try
    {
        RegistryLock lock(folder);
        const std::string file = HiveFile(folder, path.hive);
        RegistryHive hive = LoadHive(file);
        if (!change(hive, path.below))
            return FALSE;
        return zkfile::WriteAtomically(file, hive.Serialize()) ? TRUE : FALSE;
    }
    catch (const std::exception&)
    {
        return FALSE;
    }
}

// Runs read on the key's node; false when the key is missing.
template <typename Read> bool ReadKey(const std::string& folder, const std::wstring& key, Read read)
{
    KeyPath path;
    if (!SplitKey(key, path))
        return false;
    try
    {
        RegistryLock lock(folder);
        RegistryHive hive = LoadHive(HiveFile(folder, path.hive));
        const RegistryHive::Node* node = hive.Find(path.below);
        return node && read(*node);
    }
    catch (const std::exception&)
    {
        return false;
    }
}

} // namespace

CZKRegistry::CZKRegistry() : m_folder(DefaultFolder()) {}

CZKRegistry::CZKRegistry(const std::string& folder) : m_folder(folder) {}

std::string CZKRegistry::DefaultFolder()
{
    const char* configured = std::getenv("ZK_REGISTRY_DIR");
    if (configured && *configured)
        return configured;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.local/share/capturecore/registry";
}

BOOL CZKRegistry::CreateKey(const std::wstring& key)
{
    return ModifyHive(m_folder, key,
                      [](RegistryHive& hive, const std::vector<std::wstring>& below)
                      { return hive.FindOrCreate(below) != nullptr; });
}

BOOL CZKRegistry::KeyExists(const std::wstring& key) const
{
    return ReadKey(m_folder, key, [](const RegistryHive::Node&) { return true; }) ? TRUE : FALSE;
}

BOOL CZKRegistry::DeleteKey(const std::wstring& key, bool recursive)
{
    return ModifyHive(m_folder, key,
                      [recursive](RegistryHive& hive, const std::vector<std::wstring>& below)
                      { return hive.Remove(below, recursive); });
}

BOOL CZKRegistry::SetValue(const std::wstring& key, const std::wstring& name,
                           const ZKRegistryValue& value)
{
    return ModifyHive(m_folder, key,
                      [&](RegistryHive& hive, const std::vector<std::wstring>& below)
                      {
                          auto& slot = hive.FindOrCreate(below)->values[RegistryHive::Fold(name)];
                          if (slot.first.empty())
                              slot.first = name; // an existing value keeps its spelling
                          slot.second = value;
                          return true;
                      });
}

BOOL CZKRegistry::SetString(const std::wstring& key, const std::wstring& name,
                            const std::wstring& value)
{
    ZKRegistryValue v;
    v.type = ZKRegistryType::String;
    v.text = value;
    return SetValue(key, name, v);
}

BOOL CZKRegistry::SetDWord(const std::wstring& key, const std::wstring& name, DWORD value)
{
    ZKRegistryValue v;
    v.type = ZKRegistryType::DWord;
    v.number = value;
    return SetValue(key, name, v);
}

BOOL CZKRegistry::SetBinary(const std::wstring& key, const std::wstring& name,
                            const std::vector<BYTE>& value)
{
    ZKRegistryValue v;
    v.type = ZKRegistryType::Binary;
    v.bytes = value;
    return SetValue(key, name, v);
}

BOOL CZKRegistry::SetMultiString(const std::wstring& key, const std::wstring& name,
                                 const std::vector<std::wstring>& value)
{
    ZKRegistryValue v;
    v.type = ZKRegistryType::MultiString;
    v.strings = value;
    return SetValue(key, name, v);
}

BOOL CZKRegistry::QueryValue(const std::wstring& key, const std::wstring& name,
                             ZKRegistryValue& out) const
{
    return ReadKey(m_folder, key,
                   [&](const RegistryHive::Node& node)
                   {
                       auto it = node.values.find(RegistryHive::Fold(name));
                       if (it == node.values.end())
                           return false;
                       out = it->second.second;
                       return true;
                   })
               ? TRUE
               : FALSE;
}

namespace
{

// Copies the member of a value of the wanted type into out.
template <typename T>
BOOL QueryTyped(const CZKRegistry& registry, const std::wstring& key, const std::wstring& name,
                ZKRegistryType type, T ZKRegistryValue::*member, T& out)
{
    ZKRegistryValue value;
    if (!registry.QueryValue(key, name, value) || value.type != type)
        return FALSE;
    out = value.*member;
    return TRUE;
}

} // namespace

BOOL CZKRegistry::QueryString(const std::wstring& key, const std::wstring& name,
                              std::wstring& out) const
{
    return QueryTyped(*this, key, name, ZKRegistryType::String, &ZKRegistryValue::text, out);
}

BOOL CZKRegistry::QueryDWord(const std::wstring& key, const std::wstring& name, DWORD& out) const
{
    return QueryTyped(*this, key, name, ZKRegistryType::DWord, &ZKRegistryValue::number, out);
}

BOOL CZKRegistry::QueryBinary(const std::wstring& key, const std::wstring& name,
                              std::vector<BYTE>& out) const
{
    return QueryTyped(*this, key, name, ZKRegistryType::Binary, &ZKRegistryValue::bytes, out);
}

BOOL CZKRegistry::QueryMultiString(const std::wstring& key, const std::wstring& name,
                                   std::vector<std::wstring>& out) const
{
    return QueryTyped(*this, key, name, ZKRegistryType::MultiString, &ZKRegistryValue::strings,
                      out);
}

BOOL CZKRegistry::DeleteValue(const std::wstring& key, const std::wstring& name)
{
    return ModifyHive(m_folder, key,
                      [&](RegistryHive& hive, const std::vector<std::wstring>& below)
                      {
                          RegistryHive::Node* node = hive.Find(below);
                          return node && node->values.erase(RegistryHive::Fold(name)) == 1;
                      });
}

std::vector<std::wstring> CZKRegistry::EnumSubKeys(const std::wstring& key) const
{
    std::vector<std::wstring> names;
    ReadKey(m_folder, key,
            [&](const RegistryHive::Node& node)
            {
                for (const auto& child : node.children)
                    names.push_back(child.second->name);
                return true;
            });
    return names;
}

std::vector<std::wstring> CZKRegistry::EnumValues(const std::wstring& key) const
{
    std::vector<std::wstring> names;
    ReadKey(m_folder, key,
            [&](const RegistryHive::Node& node)
            {
                for (const auto& value : node.values)
                    names.push_back(value.second.first);
                return true;
            });
    return names;
}
