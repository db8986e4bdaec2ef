#include <hollin/ZKUUID.h>

#include <sodium.h>

#include <cstdio>

namespace
{
constexpr size_t kTextLength = 36;
constexpr size_t kHyphens[] = {8, 13, 18, 23};

int HexValue(wchar_t c)
{
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

bool IsHyphenPosition(size_t i)
{
    for (size_t h : kHyphens)
        if (i == h)
            return true;
    return false;
}

// The 16 bytes in text order (Data1 most significant byte first).
bool ParseBytes(const std::wstring& text, BYTE bytes[16])
{
    if (text.size() != kTextLength)
        return false;
    size_t out = 0;
    for (size_t i = 0; i < kTextLength;)
    {
        if (IsHyphenPosition(i))
        {
            if (text[i] != L'-')
                return false;
            ++i;
            continue;
        }
        const int high = HexValue(text[i]);
        const int low = HexValue(text[i + 1]);
        if (high < 0 || low < 0 || IsHyphenPosition(i + 1))
            return false;
        bytes[out++] = static_cast<BYTE>(high * 16 + low);
        i += 2;
    }
    return out == 16;
}

GUID FromBytes(const BYTE b[16])
{
    GUID g{};
    g.Data1 = (uint32_t(b[0]) << 24) | (uint32_t(b[1]) << 16) | (uint32_t(b[2]) << 8) | b[3];
    g.Data2 = static_cast<uint16_t>((b[4] << 8) | b[5]);
    g.Data3 = static_cast<uint16_t>((b[6] << 8) | b[7]);
    for (int i = 0; i < 8; ++i)
        g.Data4[i] = b[8 + i];
    return g;
}
} // namespace

BOOL SZKUUID::StringToUUID(const std::wstring& text, GUID& uuid)
{
    std::wstring body = text;
    const bool opens = !body.empty() && body.front() == L'{';
    const bool closes = !body.empty() && body.back() == L'}';
    if (opens != closes)
        return FALSE;
    if (opens)
    {
        if (body.size() < 2)
            return FALSE;
        body = body.substr(1, body.size() - 2);
    }
    BYTE bytes[16];
    if (!ParseBytes(body, bytes))
        return FALSE;
    uuid = FromBytes(bytes);
    return TRUE;
}

std::wstring SZKUUID::UUIDToString(const GUID& uuid, BOOL withBraces)
{
    wchar_t text[40];
    std::swprintf(text, sizeof text / sizeof text[0], L"%08x-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x",
                  unsigned(uuid.Data1), unsigned(uuid.Data2), unsigned(uuid.Data3), uuid.Data4[0], uuid.Data4[1],
                  uuid.Data4[2], uuid.Data4[3], uuid.Data4[4], uuid.Data4[5], uuid.Data4[6], uuid.Data4[7]);
    return withBraces ? L"{" + std::wstring(text) + L"}" : std::wstring(text);
}

GUID SZKUUID::CreateNilUUID()
{
    return GUID{};
}

void SZKUUID::CreateNilUUID(GUID& uuid)
{
    uuid = GUID{};
}

BOOL SZKUUID::IsNilUUID(const GUID& uuid)
{
    return uuid == GUID{} ? TRUE : FALSE;
}

BOOL SZKUUID::CreateUUID(GUID& uuid)
{
    if (sodium_init() < 0)
        return FALSE;
    BYTE bytes[16];
    randombytes_buf(bytes, sizeof bytes);
    bytes[6] = static_cast<BYTE>((bytes[6] & 0x0F) | 0x40); // version 4
    bytes[8] = static_cast<BYTE>((bytes[8] & 0x3F) | 0x80); // RFC 4122 variant
    uuid = FromBytes(bytes);
    return TRUE;
}
