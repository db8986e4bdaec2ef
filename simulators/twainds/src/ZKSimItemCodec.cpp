#include "ZKSimItemCodec.h"

#include <cmath>
#include <cstring>
#include <sstream>

#include <twaindefs/ZKTWItemSize.h>

namespace
{
struct TypeName
{
    const char* name;
    TW_UINT16 type;
};

const TypeName kTypeNames[] = {
    {"INT8", TWTY_INT8},     {"INT16", TWTY_INT16},   {"INT32", TWTY_INT32},   {"UINT8", TWTY_UINT8},
    {"UINT16", TWTY_UINT16}, {"UINT32", TWTY_UINT32}, {"BOOL", TWTY_BOOL},     {"FIX32", TWTY_FIX32},
    {"FRAME", TWTY_FRAME},   {"STR32", TWTY_STR32},   {"STR64", TWTY_STR64},   {"STR128", TWTY_STR128},
    {"STR255", TWTY_STR255},
};

std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool IsString(TW_UINT16 itemType)
{
    return itemType == TWTY_STR32 || itemType == TWTY_STR64 || itemType == TWTY_STR128 || itemType == TWTY_STR255;
}

template <class T>
ZKSimItem Bytes(const T& value)
{
    ZKSimItem item(sizeof(T));
    std::memcpy(item.data(), &value, sizeof(T));
    return item;
}

double Fix32ToNumber(const TW_FIX32& value)
{
    return value.Whole + value.Frac / 65536.0;
}
} // namespace

size_t SZKSimItemCodec::Size(TW_UINT16 itemType)
{
    return ZKTWItemSize(itemType);
}

bool SZKSimItemCodec::ParseType(const std::string& name, TW_UINT16& itemType)
{
    for (const TypeName& known : kTypeNames)
        if (name == known.name)
        {
            itemType = known.type;
            return true;
        }
    return false;
}

bool SZKSimItemCodec::IsNumeric(TW_UINT16 itemType)
{
    return itemType <= TWTY_FIX32;
}

double SZKSimItemCodec::ToNumber(TW_UINT16 itemType, const ZKSimItem& item)
{
    if (item.size() < Size(itemType) || !IsNumeric(itemType))
        return 0;
    const void* p = item.data();
    switch (itemType)
    {
    case TWTY_INT8:
        return *static_cast<const TW_INT8*>(p);
    case TWTY_UINT8:
        return *static_cast<const TW_UINT8*>(p);
    case TWTY_INT16:
        return *static_cast<const TW_INT16*>(p);
    case TWTY_UINT16:
    case TWTY_BOOL:
        return *static_cast<const TW_UINT16*>(p);
    case TWTY_INT32:
        return *static_cast<const TW_INT32*>(p);
    case TWTY_UINT32:
        return *static_cast<const TW_UINT32*>(p);
    default:
    {
        TW_FIX32 value;
        std::memcpy(&value, p, sizeof(value));
        return Fix32ToNumber(value);
    }
    }
}

bool SZKSimItemCodec::_ParseInteger(const std::string& text, long long low, long long high, long long& value)
{
    std::string trimmed = Trim(text);
    if (trimmed.empty())
        return false;
    try
    {
        size_t used = 0;
        value = std::stoll(trimmed, &used, 0);
        return used == trimmed.size() && value >= low && value <= high;
    }
    catch (...)
    {
        return false;
    }
}

bool SZKSimItemCodec::_ParseFix32(const std::string& text, TW_FIX32& value)
{
    std::istringstream in(Trim(text));
    double number = 0;
    if (!(in >> number) || !in.eof() || !(number > -32768.0 && number < 32768.0))
        return false;
    auto fixed = static_cast<TW_INT32>(std::lround(number * 65536.0));
    value.Whole = static_cast<TW_INT16>(fixed >> 16);
    value.Frac = static_cast<TW_UINT16>(fixed & 0xFFFF);
    return true;
}

template <class T>
bool SZKSimItemCodec::_ParseAs(const std::string& text, long long low, long long high, ZKSimItem& item)
{
    long long number = 0;
    if (!_ParseInteger(text, low, high, number))
        return false;
    item = Bytes(static_cast<T>(number));
    return true;
}

bool SZKSimItemCodec::Parse(TW_UINT16 itemType, const std::string& text, ZKSimItem& item)
{
    switch (itemType)
    {
    case TWTY_INT8:
        return _ParseAs<TW_INT8>(text, INT8_MIN, INT8_MAX, item);
    case TWTY_UINT8:
        return _ParseAs<TW_UINT8>(text, 0, UINT8_MAX, item);
    case TWTY_INT16:
        return _ParseAs<TW_INT16>(text, INT16_MIN, INT16_MAX, item);
    case TWTY_UINT16:
        return _ParseAs<TW_UINT16>(text, 0, UINT16_MAX, item);
    case TWTY_BOOL:
        return _ParseAs<TW_BOOL>(text, 0, 1, item);
    case TWTY_INT32:
        return _ParseAs<TW_INT32>(text, INT32_MIN, INT32_MAX, item);
    case TWTY_UINT32:
        return _ParseAs<TW_UINT32>(text, 0, UINT32_MAX, item);
    case TWTY_FIX32:
    {
        TW_FIX32 value;
        if (!_ParseFix32(text, value))
            return false;
        item = Bytes(value);
        return true;
    }
    case TWTY_FRAME:
    {
        std::istringstream in(text);
        std::string part[4];
        TW_FRAME frame;
        TW_FIX32* sides[4] = {&frame.Left, &frame.Top, &frame.Right, &frame.Bottom};
        for (int i = 0; i < 4; ++i)
            if (!(in >> part[i]) || !_ParseFix32(part[i], *sides[i]))
                return false;
        std::string rest;
        if (in >> rest)
            return false;
        item = Bytes(frame);
        return true;
    }
    default:
        if (!IsString(itemType))
            return false;
        std::string value = Trim(text);
        if (value.size() >= Size(itemType))
            return false; // the terminating NUL must fit
        item.assign(Size(itemType), 0);
        std::memcpy(item.data(), value.data(), value.size());
        return true;
    }
}

bool SZKSimItemCodec::ParseList(TW_UINT16 itemType, const std::string& text, std::vector<ZKSimItem>& items)
{
    items.clear();
    if (Trim(text).empty())
        return true;
    const char separator = IsString(itemType) ? '|' : ',';
    std::istringstream in(text);
    std::string part;
    while (std::getline(in, part, separator))
    {
        ZKSimItem item;
        if (!Parse(itemType, part, item))
            return false;
        items.push_back(item);
    }
    return true;
}
