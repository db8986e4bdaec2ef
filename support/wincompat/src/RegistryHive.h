// One registry hive in memory, and its text form on disk.
#pragma once

#include <wincompat/ZKRegistry.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

class RegistryHive
{
public:
    struct Node
    {
        std::wstring name;                                      // as first written
        std::map<std::wstring, std::unique_ptr<Node>> children; // by folded name
        std::map<std::wstring, std::pair<std::wstring, ZKRegistryValue>>
            values; // folded -> (name, value)
    };

    // A damaged text gives an empty hive.
    static RegistryHive Parse(const std::string& text);
    std::string Serialize() const;

    // path is below the hive; empty means the hive's root key.
    Node* Find(const std::vector<std::wstring>& path);
    Node* FindOrCreate(const std::vector<std::wstring>& path);
    // false when missing, or when it has subkeys and !recursive.
    bool Remove(const std::vector<std::wstring>& path, bool recursive);

    static std::wstring Fold(const std::wstring& name);

private:
    bool ParseLines(const std::string& text);
    static void SerializeNode(const Node& node, std::vector<std::wstring>& path, std::string& out);

    Node m_root;
};
