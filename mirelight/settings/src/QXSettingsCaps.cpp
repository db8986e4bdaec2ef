#include "QXSettingsCaps.h"

#include <fennick/ZKTWHelper.h>
#include <fennick/ZKTWSourceManager.h>
#include <twaindefs/ZKTwainConstants.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace
{
// TW_FIX32 holds a signed 16-bit whole part and 16 bits of fraction.
constexpr double kFix32Min = -32768.0;
constexpr double kFix32Max = 32767.0 + 65535.0 / 65536.0;

bool Succeeded(WORD result) { return result == ZKTW_CAP_SUCCESS; }
} // namespace

bool SQXSettingsCaps::WriteWord(CZKTWSourceManager* sm, WORD cap, WORD value)
{
    const TW_UINT16 item = value;
    return Succeeded(sm->SetCapOnevalue(cap, TWTY_UINT16, &item));
}

bool SQXSettingsCaps::WriteShort(CZKTWSourceManager* sm, WORD cap, short value)
{
    const TW_INT16 item = value;
    return Succeeded(sm->SetCapOnevalue(cap, TWTY_INT16, &item));
}

bool SQXSettingsCaps::WriteBool(CZKTWSourceManager* sm, WORD cap, bool value)
{
    const TW_BOOL item = value ? TRUE : FALSE;
    return Succeeded(sm->SetCapOnevalue(cap, TWTY_BOOL, &item));
}

bool SQXSettingsCaps::WriteFix32(CZKTWSourceManager* sm, WORD cap, double value)
{
    if (!std::isfinite(value) || value < kFix32Min || value > kFix32Max)
        return false;
    const TW_FIX32 item = CZKTWHelper::DoubleToFix32(value);
    return Succeeded(sm->SetCapOnevalue(cap, TWTY_FIX32, &item));
}

bool SQXSettingsCaps::WriteWordArray(CZKTWSourceManager* sm, WORD cap, const std::vector<WORD>& values)
{
    const std::vector<TW_UINT16> items(values.begin(), values.end());
    return Succeeded(
        sm->SetCapArray(cap, TWTY_UINT16, items.empty() ? nullptr : items.data(), static_cast<unsigned>(items.size())));
}

bool SQXSettingsCaps::WriteString255(CZKTWSourceManager* sm, WORD cap, const std::string& text)
{
    if (text.size() > MAX_STRING255)
        return false;
    TW_STR255 item = {};
    std::memcpy(item, text.data(), text.size());
    return Succeeded(sm->SetCapOnevalue(cap, TWTY_STR255, item));
}

bool SQXSettingsCaps::ReadWord(CZKTWSourceManager* sm, WORD cap, WORD& value)
{
    TW_UINT16 item = 0;
    if (!Succeeded(sm->GetCapOnevalue(cap, ZKTW_GETCAP_CURRENT, TWTY_UINT16, &item)))
        return false;
    value = item;
    return true;
}

bool SQXSettingsCaps::ReadWordArray(CZKTWSourceManager* sm, WORD cap, std::vector<WORD>& values)
{
    void* items = nullptr;
    unsigned count = 0;
    if (!Succeeded(sm->GetCapArray(cap, ZKTW_GETCAP_CURRENT, TWTY_UINT16, &items, count)))
        return false;
    const auto* words = static_cast<const TW_UINT16*>(items);
    values.assign(words, words + count);
    std::free(items);
    return true;
}

bool SQXSettingsCaps::ReadString255(CZKTWSourceManager* sm, WORD cap, std::string& text)
{
    TW_STR255 item = {};
    if (!Succeeded(sm->GetCapOnevalue(cap, ZKTW_GETCAP_CURRENT, TWTY_STR255, item)))
        return false;
    // A source may fill all 256 bytes without a terminator.
    text.assign(item, strnlen(item, MAX_STRING255));
    return true;
}
