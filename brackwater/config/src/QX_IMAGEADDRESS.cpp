#include <brackwater/QX_IMAGEADDRESS.h>

#include "QXUtf16.h"

#include <cstring>
#include <vector>

namespace
{
typedef QX_IMAGEADDRESS_FORMAT FMT;

const WORD kStorageMarks[QX_IMAGEADDRESS::COMPONENT_COUNT] = {FMT::MARK_FIXED, FMT::MARK_LEVEL3,
                                                              FMT::MARK_LEVEL2, FMT::MARK_LEVEL1};

std::vector<std::u16string> SplitOnDots(const std::u16string& text)
{
    std::vector<std::u16string> parts(1);
    for (char16_t c : text)
    {
        if (c == u'.')
            parts.emplace_back();
        else
            parts.back().push_back(c);
    }
    return parts;
}

// The checks every text parser makes before looking at the parts.
bool SplitAddressText(const std::wstring& text, std::vector<std::u16string>& parts)
{
    const std::u16string units = SQXUtf16::FromWide(text);
    if (units.size() > QX_IMAGEADDRESS::MAX_TEXT_LENGTH)
        return false;
    parts = SplitOnDots(units);
    return parts.size() <= QX_IMAGEADDRESS::COMPONENT_COUNT;
}

// Rightmost count units of text.
std::u16string Right(const std::u16string& text, size_t count)
{
    return text.size() <= count ? text : text.substr(text.size() - count);
}
} // namespace

QX_IMAGEADDRESS::QX_IMAGEADDRESS()
{
    reset();
}

QX_IMAGEADDRESS::QX_IMAGEADDRESS(const QX_IMAGEADDRESS& other)
{
    reset();
    set(other);
}

QX_IMAGEADDRESS& QX_IMAGEADDRESS::operator=(const QX_IMAGEADDRESS& other)
{
    set(other);
    return *this;
}

void QX_IMAGEADDRESS::reset()
{
    std::memset(components, 0, sizeof(components));
}

void QX_IMAGEADDRESS::set(const QX_IMAGEADDRESS& other)
{
    if (this != &other)
        std::memcpy(components, other.components, sizeof(components));
}

int QX_IMAGEADDRESS::compare(const QX_IMAGEADDRESS& other) const
{
    for (int i = 0; i < COMPONENT_COUNT; ++i)
    {
        const int diff = std::memcmp(components[i], other.components[i], sizeof(components[i]));
        if (diff != 0)
            return diff < 0 ? -1 : 1;
    }
    return 0;
}

std::u16string QX_IMAGEADDRESS::_Get(int component) const
{
    const char16_t* units = components[component];
    size_t length = 0;
    while (length < MAX_COMPONENT_LENGTH && units[length] != 0)
        ++length;
    return std::u16string(units, length);
}

void QX_IMAGEADDRESS::_Put(int component, const std::u16string& text)
{
    const std::u16string kept = SQXUtf16::Left(text, MAX_COMPONENT_LENGTH);
    std::memset(components[component], 0, sizeof(components[component]));
    std::memcpy(components[component], kept.data(), kept.size() * sizeof(char16_t));
}

std::wstring QX_IMAGEADDRESS::GetComponent(int component) const
{
    if (component < 0 || component >= COMPONENT_COUNT)
        return std::wstring();
    return SQXUtf16::ToWide(_Get(component));
}

BOOL QX_IMAGEADDRESS::SetComponent(int component, const std::wstring& text)
{
    if (component < 0 || component >= COMPONENT_COUNT)
        return FALSE;
    const std::u16string units = SQXUtf16::FromWide(text);
    if (units.size() > MAX_COMPONENT_LENGTH)
        return FALSE;
    _Put(component, units);
    return TRUE;
}

BOOL QX_IMAGEADDRESS::IsNull() const
{
    for (int i = 0; i < COMPONENT_COUNT; ++i)
    {
        if (components[i][0] != 0)
            return FALSE;
    }
    return TRUE;
}

BOOL QX_IMAGEADDRESS::IsLevel1ImageAddress() const
{
    return components[IA_LEVEL3][0] == 0 && components[IA_LEVEL2][0] == 0 &&
           components[IA_LEVEL1][0] != 0;
}

int QX_IMAGEADDRESS::_ComponentOfMark(WORD mark)
{
    for (int i = 0; i < COMPONENT_COUNT; ++i)
    {
        if (kStorageMarks[i] == mark)
            return i;
    }
    return -1;
}

int QX_IMAGEADDRESS::_AllowedLength(int component, const QX_IMAGEADDRESS_FORMAT& format) const
{
    return format.GetFieldLength(kStorageMarks[component]);
}

BOOL QX_IMAGEADDRESS::Validate(const QX_IMAGEADDRESS_FORMAT& format) const
{
    for (int i = 0; i < COMPONENT_COUNT; ++i)
    {
        const std::u16string text = _Get(i);
        if (text.size() > static_cast<size_t>(_AllowedLength(i, format)) ||
            text.find(u'.') != std::u16string::npos)
            return FALSE;
    }
    return TRUE;
}

BOOL QX_IMAGEADDRESS::Revise(const QX_IMAGEADDRESS_FORMAT& format)
{
    for (int i = 0; i < COMPONENT_COUNT; ++i)
        _Put(i, SQXUtf16::Left(_Get(i), static_cast<size_t>(_AllowedLength(i, format))));
    return TRUE;
}

void QX_IMAGEADDRESS::_FormatField(LONG value, int leadingZerosFormat, int length,
                                   std::wstring& out)
{
    out.clear();
    if (length <= 0)
        return;
    out = std::to_wstring(value);
    const size_t width = static_cast<size_t>(length);
    if (out.size() < width)
    {
        if (leadingZerosFormat == FMT::LZF_ZEROS)
            out.insert(0, width - out.size(), L'0');
        else if (leadingZerosFormat == FMT::LZF_SPACES)
            out.insert(0, width - out.size(), L' ');
    }
    else if (out.size() > width)
        out.erase(0, out.size() - width);
}

BOOL QX_IMAGEADDRESS::Parse(const std::wstring& fixed, LONG level3, LONG level2, LONG level1,
                            const QX_IMAGEADDRESS_FORMAT& format)
{
    reset();
    if (!format.check())
        return FALSE;
    _Put(IA_FIXED, SQXUtf16::FromWide(fixed));
    const LONG counters[3] = {level3, level2, level1};
    for (int i = IA_LEVEL3; i <= IA_LEVEL1; ++i)
    {
        std::wstring text;
        _FormatField(counters[i - 1], format.nLeadingZerosFormat, _AllowedLength(i, format), text);
        // A slot may be wider than a component; the low digits matter most.
        _Put(i, Right(SQXUtf16::FromWide(text), MAX_COMPONENT_LENGTH));
    }
    return TRUE;
}

BOOL QX_IMAGEADDRESS::ToString(const QX_IMAGEADDRESS_FORMAT& format, std::wstring& out) const
{
    out.clear();
    if (!format.check())
        return FALSE;
    std::u16string text;
    for (const FMT::SLOT& slot : format.slots)
    {
        if (slot.length == 0)
            continue;
        text.push_back(u'.');
        const int component = _ComponentOfMark(slot.mark);
        if (component >= 0)
            text += _Get(component);
    }
    if (!text.empty())
        text.erase(0, 1);
    out = SQXUtf16::ToWide(text);
    return TRUE;
}

BOOL QX_IMAGEADDRESS::ToStdString(std::wstring& out) const
{
    std::u16string text = _Get(IA_FIXED);
    for (int i = IA_LEVEL3; i <= IA_LEVEL1; ++i)
        text += u'.' + _Get(i);
    out = SQXUtf16::ToWide(text);
    return TRUE;
}

BOOL QX_IMAGEADDRESS::ParseStdString(const std::wstring& text)
{
    reset();
    std::vector<std::u16string> parts;
    if (!SplitAddressText(text, parts) || parts.size() != COMPONENT_COUNT)
        return FALSE;
    for (const std::u16string& part : parts)
    {
        // A part that does not fit a component is refused rather than cut.
        if (part.size() > MAX_COMPONENT_LENGTH)
            return FALSE;
    }
    for (int i = 0; i < COMPONENT_COUNT; ++i)
        _Put(i, parts[i]);
    return TRUE;
}

BOOL QX_IMAGEADDRESS::ParseString(const std::wstring& text, const QX_IMAGEADDRESS_FORMAT& format)
{
    reset();
    std::vector<std::u16string> parts;
    if (!format.check() || !SplitAddressText(text, parts))
        return FALSE;
    size_t remaining = parts.size();
    for (int slot = FMT::SLOT_COUNT - 1; slot >= 0 && remaining > 0; --slot)
    {
        const size_t length = format.slots[slot].length;
        if (length == 0)
            continue;
        const std::u16string& part = parts[remaining - 1];
        if (part.size() > length || part.size() > MAX_COMPONENT_LENGTH)
        {
            reset();
            return FALSE;
        }
        const int component = _ComponentOfMark(format.slots[slot].mark);
        if (component >= 0)
            _Put(component, part);
        --remaining;
    }
    return TRUE;
}

BOOL QX_IMAGEADDRESS::_StoreHdrParts(const std::u16string& text, const WORD marks[4],
                                     const int* lengths)
{
    std::vector<std::u16string> parts = SplitOnDots(text);
    parts.insert(parts.begin(), COMPONENT_COUNT - parts.size(), std::u16string());
    for (int i = 0; i < COMPONENT_COUNT; ++i)
    {
        const std::u16string& part = parts[i];
        if (lengths && lengths[i] == 0)
            continue;
        if ((lengths && part.size() > static_cast<size_t>(lengths[i])) ||
            part.size() > MAX_COMPONENT_LENGTH)
        {
            reset();
            return FALSE;
        }
        const int component = _ComponentOfMark(marks[i]);
        if (component >= 0)
            _Put(component, part);
    }
    return TRUE;
}

BOOL QX_IMAGEADDRESS::ParseHdrString(const std::wstring& text, const QX_IMAGEADDRESS_FORMAT& format)
{
    reset();
    std::vector<std::u16string> parts;
    if (!format.check() || !SplitAddressText(text, parts))
        return FALSE;
    WORD marks[FMT::SLOT_COUNT];
    int lengths[FMT::SLOT_COUNT];
    for (int i = 0; i < FMT::SLOT_COUNT; ++i)
    {
        marks[i] = format.slots[i].mark;
        lengths[i] = format.slots[i].length;
    }
    return _StoreHdrParts(SQXUtf16::FromWide(text), marks, lengths);
}

BOOL QX_IMAGEADDRESS::ParseHdrString(const std::wstring& text, const std::wstring& marks)
{
    reset();
    std::vector<std::u16string> parts;
    if (marks.size() != FMT::SLOT_COUNT || !SplitAddressText(text, parts))
        return FALSE;
    WORD slotMarks[FMT::SLOT_COUNT];
    for (int i = 0; i < FMT::SLOT_COUNT; ++i)
        slotMarks[i] = marks[i] > 0xFFFF ? FMT::MARK_NONE : static_cast<WORD>(marks[i]);
    return _StoreHdrParts(SQXUtf16::FromWide(text), slotMarks, nullptr);
}
