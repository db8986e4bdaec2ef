// The hierarchical identifier a scanner prints on and reports for every
// image: a fixed field and three counter levels. Exactly 80 bytes, copied as
// raw bytes: four components of ten 16-bit characters (at most nine and a
// terminating zero) in the order fixed, level 3, level 2, level 1.
//
// Lengths are counted in 16-bit units, as the stored layout holds them.
// A component read from raw bytes without a terminator is taken as its
// first nine units, so nothing ever reads past its ten-unit slot.
#pragma once

#include <brackwater/QX_IMAGEADDRESS_FORMAT.h>
#include <brackwater/brackwater_export.h>
#include <wincompat/WinTypes.h>

#include <string>

struct BRACKWATER_EXPORT QX_IMAGEADDRESS
{
    enum COMPONENT
    {
        IA_FIXED = 0,
        IA_LEVEL3 = 1,
        IA_LEVEL2 = 2,
        IA_LEVEL1 = 3
    };
    static constexpr int COMPONENT_COUNT = 4;
    static constexpr int COMPONENT_CHARS = 10;
    static constexpr int MAX_COMPONENT_LENGTH = COMPONENT_CHARS - 1;
    // Longest text any parser accepts.
    static constexpr size_t MAX_TEXT_LENGTH = 255;

    char16_t components[COMPONENT_COUNT][COMPONENT_CHARS];

    QX_IMAGEADDRESS();
    QX_IMAGEADDRESS(const QX_IMAGEADDRESS& other);
    QX_IMAGEADDRESS& operator=(const QX_IMAGEADDRESS& other);

    void reset();
    void set(const QX_IMAGEADDRESS& other);
    int compare(const QX_IMAGEADDRESS& other) const;
    bool operator==(const QX_IMAGEADDRESS& other) const { return compare(other) == 0; }
    bool operator!=(const QX_IMAGEADDRESS& other) const { return compare(other) != 0; }
    BOOL check() const { return TRUE; }
    void normalize() {}

    // Component access at the wide-string edge. SetComponent fails (and
    // leaves the component alone) for a bad index or a text longer than nine
    // units.
    std::wstring GetComponent(int component) const;
    BOOL SetComponent(int component, const std::wstring& text);
    std::wstring GetFixed() const { return GetComponent(IA_FIXED); }
    std::wstring GetLevel3() const { return GetComponent(IA_LEVEL3); }
    std::wstring GetLevel2() const { return GetComponent(IA_LEVEL2); }
    std::wstring GetLevel1() const { return GetComponent(IA_LEVEL1); }

    BOOL IsNull() const;
    BOOL IsLevel1ImageAddress() const;

    // Invalid when a component is longer than its format slot or holds '.'.
    BOOL Validate(const QX_IMAGEADDRESS_FORMAT& format) const;
    // Cuts every component to its format slot's length.
    BOOL Revise(const QX_IMAGEADDRESS_FORMAT& format);

    // Builds an address from the fixed text and three counters formatted by
    // the format's lengths and leading-zeros setting. A counter text longer
    // than nine characters keeps its rightmost nine.
    BOOL Parse(const std::wstring& fixed, LONG level3, LONG level2, LONG level1,
               const QX_IMAGEADDRESS_FORMAT& format);
    // The enabled components in display order, joined by '.'.
    BOOL ToString(const QX_IMAGEADDRESS_FORMAT& format, std::wstring& out) const;
    // All four components in storage order joined by '.', empty ones included.
    BOOL ToStdString(std::wstring& out) const;
    // The inverse of ToStdString: exactly four parts.
    BOOL ParseStdString(const std::wstring& text);
    // Text typed by a user, aligned to the enabled slots from the right.
    BOOL ParseString(const std::wstring& text, const QX_IMAGEADDRESS_FORMAT& format);
    // Text from a scanner's image header: positional, one part per slot.
    BOOL ParseHdrString(const std::wstring& text, const QX_IMAGEADDRESS_FORMAT& format);
    // As above with the slot marks given as four characters.
    BOOL ParseHdrString(const std::wstring& text, const std::wstring& marks);

    // One counter as text: empty for length 0; filled on the left per the
    // leading-zeros format; cut to its rightmost length characters.
    static void _FormatField(LONG value, int leadingZerosFormat, int length, std::wstring& out);
    // Storage index of the component a slot mark names; -1 for other marks.
    static int _ComponentOfMark(WORD mark);

private:
    std::u16string _Get(int component) const;
    void _Put(int component, const std::u16string& text);
    int _AllowedLength(int component, const QX_IMAGEADDRESS_FORMAT& format) const;
    BOOL _StoreHdrParts(const std::u16string& text, const WORD marks[4], const int* lengths);
};

static_assert(sizeof(QX_IMAGEADDRESS) == 80, "the image address is stored as 80 raw bytes");
