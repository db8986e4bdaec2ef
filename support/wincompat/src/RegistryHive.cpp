#include "RegistryHive.h"

#include "Utf8.h"

#include <cwctype>
#include <sstream>

namespace
{

const char kHeader[] = "ZKREG 1";

// Tokens are '=' followed by the bytes with blanks, '%', control and
// non-ASCII bytes percent-encoded, so an empty text is still a token.
std::string EncodeBytes(const std::string& bytes)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out = "=";
    for (unsigned char c : bytes)
    {
        if (c <= 0x20 || c == '%' || c >= 0x7F)
        {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0xF];
        }
        else
            out += static_cast<char>(c);
    }
    return out;
}

std::string Encode(const std::wstring& text)
{
    return EncodeBytes(zkutf8::FromWide(text));
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool DecodeBytes(const std::string& token, std::string& out)
{
    if (token.empty() || token[0] != '=')
        return false;
    out.clear();
    for (size_t i = 1; i < token.size(); ++i)
    {
        if (token[i] != '%')
        {
            out += token[i];
            continue;
        }
        if (i + 2 >= token.size())
            return false;
        const int high = HexDigit(token[i + 1]);
        const int low = HexDigit(token[i + 2]);
        if (high < 0 || low < 0)
            return false;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}

bool Decode(const std::string& token, std::wstring& out)
{
    std::string bytes;
    if (!DecodeBytes(token, bytes))
        return false;
    out = zkutf8::ToWide(bytes);
    return true;
}

std::string EncodeValue(const ZKRegistryValue& value)
{
    switch (value.type)
    {
    case ZKRegistryType::String:
        return Encode(value.text);
    case ZKRegistryType::DWord:
        return std::to_string(value.number);
    case ZKRegistryType::Binary:
        return EncodeBytes(std::string(value.bytes.begin(), value.bytes.end()));
    case ZKRegistryType::MultiString:
    {
        std::string out = std::to_string(value.strings.size());
        for (const auto& s : value.strings)
            out += " " + Encode(s);
        return out;
    }
    }
    return std::string();
}

bool ParseNumber(const std::string& token, unsigned long long limit, unsigned long long& out)
{
    if (token.empty() || token.size() > 20)
        return false;
    out = 0;
    for (char c : token)
    {
        if (c < '0' || c > '9')
            return false;
        out = out * 10 + static_cast<unsigned>(c - '0');
        if (out > limit)
            return false;
    }
    return true;
}

bool DecodeValue(DWORD type, std::istringstream& fields, ZKRegistryValue& value)
{
    std::string token;
    value.type = static_cast<ZKRegistryType>(type);
    switch (value.type)
    {
    case ZKRegistryType::String:
        return static_cast<bool>(fields >> token) && Decode(token, value.text);
    case ZKRegistryType::DWord:
    {
        unsigned long long number = 0;
        if (!(fields >> token) || !ParseNumber(token, 0xFFFFFFFFull, number))
            return false;
        value.number = static_cast<DWORD>(number);
        return true;
    }
    case ZKRegistryType::Binary:
    {
        std::string bytes;
        if (!(fields >> token) || !DecodeBytes(token, bytes))
            return false;
        value.bytes.assign(bytes.begin(), bytes.end());
        return true;
    }
    case ZKRegistryType::MultiString:
    {
        unsigned long long count = 0;
        if (!(fields >> token) || !ParseNumber(token, 1u << 20, count))
            return false;
        value.strings.clear();
        for (unsigned long long i = 0; i < count; ++i)
        {
            std::wstring text;
            if (!(fields >> token) || !Decode(token, text))
                return false;
            value.strings.push_back(text);
        }
        return true;
    }
    }
    return false;
}

} // namespace

std::wstring RegistryHive::Fold(const std::wstring& name)
{
    std::wstring folded = name;
    for (auto& c : folded)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return folded;
}

RegistryHive RegistryHive::Parse(const std::string& text)
{
    RegistryHive hive;
    if (!hive.ParseLines(text))
        return RegistryHive();
    return hive;
}

bool RegistryHive::ParseLines(const std::string& text)
{
    std::istringstream lines(text);
    std::string line;
    if (!std::getline(lines, line) || line != kHeader)
        return false;
    Node* current = &m_root;
    while (std::getline(lines, line))
    {
        std::istringstream fields(line);
        std::string kind;
        if (!(fields >> kind))
            continue; // blank line
        if (kind == "K")
        {
            std::vector<std::wstring> path;
            std::string token;
            std::wstring part;
            while (fields >> token)
            {
                if (!Decode(token, part) || part.empty())
                    return false;
                path.push_back(part);
            }
            current = FindOrCreate(path);
            continue;
        }
        std::string nameToken;
        unsigned long long type = 0;
        std::string typeToken;
        std::wstring name;
        ZKRegistryValue value;
        if (kind != "V" || !(fields >> nameToken >> typeToken) || !Decode(nameToken, name) ||
            !ParseNumber(typeToken, 0xFFFFFFFFull, type) ||
            !DecodeValue(static_cast<DWORD>(type), fields, value))
            return false;
        std::string rest;
        if (fields >> rest)
            return false;
        current->values[Fold(name)] = {name, value};
    }
    return true;
}

std::string RegistryHive::Serialize() const
{
    std::string out = std::string(kHeader) + "\n";
    std::vector<std::wstring> path;
    SerializeNode(m_root, path, out);
    return out;
}

void RegistryHive::SerializeNode(const Node& node, std::vector<std::wstring>& path,
                                 std::string& out)
{
    out += "K";
    for (const auto& part : path)
        out += " " + Encode(part);
    out += "\n";
    for (const auto& entry : node.values)
    {
        const ZKRegistryValue& value = entry.second.second;
        const std::string data = EncodeValue(value);
        out += "V " + Encode(entry.second.first) + " " +
               std::to_string(static_cast<DWORD>(value.type)) + " " + data + "\n";
    }
    for (const auto& child : node.children)
    {
        path.push_back(child.second->name);
        SerializeNode(*child.second, path, out);
        path.pop_back();
    }
}

RegistryHive::Node* RegistryHive::Find(const std::vector<std::wstring>& path)
{
    Node* node = &m_root;
    for (const auto& part : path)
    {
        auto it = node->children.find(Fold(part));
        if (it == node->children.end())
            return nullptr;
        node = it->second.get();
    }
    return node;
}

RegistryHive::Node* RegistryHive::FindOrCreate(const std::vector<std::wstring>& path)
{
    Node* node = &m_root;
    for (const auto& part : path)
    {
        auto& child = node->children[Fold(part)];
        if (!child)
        {
            child.reset(new Node);
            child->name = part;
        }
        node = child.get();
    }
    return node;
}

bool RegistryHive::Remove(const std::vector<std::wstring>& path, bool recursive)
{
    if (path.empty())
        return false;
    std::vector<std::wstring> parentPath(path.begin(), path.end() - 1);
    Node* parent = Find(parentPath);
    if (!parent)
        return false;
    auto it = parent->children.find(Fold(path.back()));
    if (it == parent->children.end() || (!recursive && !it->second->children.empty()))
        return false;
    parent->children.erase(it);
    return true;
}
