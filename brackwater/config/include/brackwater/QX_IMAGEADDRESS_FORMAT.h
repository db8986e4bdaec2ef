// Which image-address components take part, in which display order and with
// how many characters. Copied into configuration buffers as raw bytes, so the
// 20-byte layout is fixed: a 32-bit leading-zeros format, then four slots of
// (16-bit mark, 16-bit length).
#pragma once

#include <brackwater/brackwater_export.h>
#include <wincompat/WinTypes.h>

#include <cstdint>

class CZKScript;

struct BRACKWATER_EXPORT QX_IMAGEADDRESS_FORMAT
{
    enum LEADINGZEROSFORMAT : int32_t
    {
        LZF_ZEROS = 0,  // fill numbers on the left with '0'
        LZF_SPACES = 1, // fill on the left with spaces
        LZF_NONE = 2    // no fill
    };

    // Slot marks: the fixed field, the counter levels, or "slot not used".
    static constexpr WORD MARK_FIXED = u'F';
    static constexpr WORD MARK_LEVEL3 = u'3';
    static constexpr WORD MARK_LEVEL2 = u'2';
    static constexpr WORD MARK_LEVEL1 = u'1';
    static constexpr WORD MARK_NONE = u'N';

    static constexpr int SLOT_COUNT = 4;
    // Longest text the enabled slots may add up to.
    static constexpr int MAX_TOTAL_LENGTH = 27;

    struct SLOT
    {
        WORD mark;
        WORD length;
    };

    // Held as a plain 32-bit value: raw bytes from a buffer may carry any
    // number, which check() then rejects.
    int32_t nLeadingZerosFormat;
    SLOT slots[SLOT_COUNT];

    QX_IMAGEADDRESS_FORMAT();
    QX_IMAGEADDRESS_FORMAT(const QX_IMAGEADDRESS_FORMAT& other);
    QX_IMAGEADDRESS_FORMAT& operator=(const QX_IMAGEADDRESS_FORMAT& other);

    void reset();
    void set(const QX_IMAGEADDRESS_FORMAT& other);
    // -1 when the leading-zeros formats differ; otherwise the slots as 16
    // bytes: 0 equal, else -1 or 1 by the first differing byte.
    int compare(const QX_IMAGEADDRESS_FORMAT& other) const;
    bool operator==(const QX_IMAGEADDRESS_FORMAT& other) const { return compare(other) == 0; }
    bool operator!=(const QX_IMAGEADDRESS_FORMAT& other) const { return compare(other) != 0; }
    BOOL check() const;
    void normalize();

    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);

    // The stored 20-byte form (host byte order, as the record is laid out).
    static constexpr size_t RAW_SIZE = 20;
    void ToBytes(BYTE out[RAW_SIZE]) const;
    void FromBytes(const BYTE in[RAW_SIZE]);

    // Convenience for building a format in code.
    void SetSlot(int index, WORD mark, WORD length);

    // Length of the first slot carrying mark; 0 when none does.
    int GetFieldLength(WORD mark) const;
    int GetEnabledFieldNum() const;
    BOOL IsEnabled() const;
    BOOL IsOnlyLevel1() const;

protected:
    void init();

private:
    const SLOT* _FindSlot(WORD mark) const;
};

static_assert(sizeof(QX_IMAGEADDRESS_FORMAT) == 20,
              "the image-address format is stored as 20 raw bytes");
