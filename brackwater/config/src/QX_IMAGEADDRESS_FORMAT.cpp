#include <brackwater/QX_IMAGEADDRESS_FORMAT.h>

#include <brackwater/QXRecordScript.h>

#include <cstring>

QX_IMAGEADDRESS_FORMAT::QX_IMAGEADDRESS_FORMAT()
{
    init();
}

QX_IMAGEADDRESS_FORMAT::QX_IMAGEADDRESS_FORMAT(const QX_IMAGEADDRESS_FORMAT& other)
{
    init();
    set(other);
}

QX_IMAGEADDRESS_FORMAT& QX_IMAGEADDRESS_FORMAT::operator=(const QX_IMAGEADDRESS_FORMAT& other)
{
    set(other);
    return *this;
}

void QX_IMAGEADDRESS_FORMAT::init()
{
    nLeadingZerosFormat = LZF_ZEROS;
    for (SLOT& slot : slots)
    {
        slot.mark = MARK_NONE;
        slot.length = 0;
    }
}

void QX_IMAGEADDRESS_FORMAT::reset()
{
    init();
}

void QX_IMAGEADDRESS_FORMAT::set(const QX_IMAGEADDRESS_FORMAT& other)
{
    nLeadingZerosFormat = other.nLeadingZerosFormat;
    for (int i = 0; i < SLOT_COUNT; ++i)
        slots[i] = other.slots[i];
}

void QX_IMAGEADDRESS_FORMAT::ToBytes(BYTE out[RAW_SIZE]) const
{
    std::memcpy(out, &nLeadingZerosFormat, sizeof(nLeadingZerosFormat));
    std::memcpy(out + sizeof(nLeadingZerosFormat), slots, sizeof(slots));
}

void QX_IMAGEADDRESS_FORMAT::FromBytes(const BYTE in[RAW_SIZE])
{
    std::memcpy(&nLeadingZerosFormat, in, sizeof(nLeadingZerosFormat));
    std::memcpy(slots, in + sizeof(nLeadingZerosFormat), sizeof(slots));
}

int QX_IMAGEADDRESS_FORMAT::compare(const QX_IMAGEADDRESS_FORMAT& other) const
{
    if (nLeadingZerosFormat != other.nLeadingZerosFormat)
        return -1;
    const int diff = std::memcmp(slots, other.slots, sizeof(slots));
    return diff == 0 ? 0 : (diff < 0 ? -1 : 1);
}

BOOL QX_IMAGEADDRESS_FORMAT::check() const
{
    // Negative formats are as meaningless as 3 and above.
    if (nLeadingZerosFormat < LZF_ZEROS || nLeadingZerosFormat > LZF_NONE)
        return FALSE;
    int total = 0;
    for (const SLOT& slot : slots)
    {
        if (slot.mark == MARK_NONE)
        {
            if (slot.length != 0)
                return FALSE;
            continue;
        }
        total += slot.length;
    }
    if (total > MAX_TOTAL_LENGTH)
        return FALSE;
    // A level 3 counter needs a level 2 counter below it.
    const SLOT* level3 = _FindSlot(MARK_LEVEL3);
    if (level3 && level3->length != 0)
    {
        const SLOT* level2 = _FindSlot(MARK_LEVEL2);
        if (!level2 || level2->length == 0)
            return FALSE;
    }
    return TRUE;
}

void QX_IMAGEADDRESS_FORMAT::normalize()
{
    if (!check())
        reset();
}

namespace
{
const wchar_t* const kMarkKeys[QX_IMAGEADDRESS_FORMAT::SLOT_COUNT] = {
    L"IAF_Field0_Mark", L"IAF_Field1_Mark", L"IAF_Field2_Mark", L"IAF_Field3_Mark"};
const wchar_t* const kLengthKeys[QX_IMAGEADDRESS_FORMAT::SLOT_COUNT] = {
    L"IAF_Field0_Length", L"IAF_Field1_Length", L"IAF_Field2_Length", L"IAF_Field3_Length"};
const wchar_t kLeadingZerosKey[] = L"IAF_LeadingZerosFmt";
} // namespace

BOOL QX_IMAGEADDRESS_FORMAT::toscript(CZKScript& script) const
{
    if (!SQXRecordScript::WriteInt(script, kLeadingZerosKey, nLeadingZerosFormat))
        return FALSE;
    for (int i = 0; i < SLOT_COUNT; ++i)
    {
        if (!SQXRecordScript::WriteInt(script, kMarkKeys[i], slots[i].mark) ||
            !SQXRecordScript::WriteInt(script, kLengthKeys[i], slots[i].length))
            return FALSE;
    }
    return TRUE;
}

BOOL QX_IMAGEADDRESS_FORMAT::fromscript(CZKScript& script)
{
    int value = 0;
    bool ok = SQXRecordScript::ReadInt(script, kLeadingZerosKey, value);
    if (ok)
        nLeadingZerosFormat = value;
    for (int i = 0; ok && i < SLOT_COUNT; ++i)
    {
        ok = SQXRecordScript::ReadInt(script, kMarkKeys[i], value);
        if (ok)
            slots[i].mark = static_cast<WORD>(value);
        ok = ok && SQXRecordScript::ReadInt(script, kLengthKeys[i], value);
        if (ok)
            slots[i].length = static_cast<WORD>(value);
    }
    if (!ok)
        reset();
    return ok ? TRUE : FALSE;
}

void QX_IMAGEADDRESS_FORMAT::SetSlot(int index, WORD mark, WORD length)
{
    if (index < 0 || index >= SLOT_COUNT)
        return;
    slots[index].mark = mark;
    slots[index].length = length;
}

const QX_IMAGEADDRESS_FORMAT::SLOT* QX_IMAGEADDRESS_FORMAT::_FindSlot(WORD mark) const
{
    for (const SLOT& slot : slots)
    {
        if (slot.mark == mark)
            return &slot;
    }
    return nullptr;
}

int QX_IMAGEADDRESS_FORMAT::GetFieldLength(WORD mark) const
{
    const SLOT* slot = _FindSlot(mark);
    return slot ? slot->length : 0;
}

int QX_IMAGEADDRESS_FORMAT::GetEnabledFieldNum() const
{
    int count = 0;
    for (const SLOT& slot : slots)
        count += slot.mark != MARK_NONE ? 1 : 0;
    return count;
}

BOOL QX_IMAGEADDRESS_FORMAT::IsEnabled() const
{
    for (const SLOT& slot : slots)
    {
        if (slot.length != 0)
            return TRUE;
    }
    return FALSE;
}

BOOL QX_IMAGEADDRESS_FORMAT::IsOnlyLevel1() const
{
    if (GetFieldLength(MARK_LEVEL3) != 0 || GetFieldLength(MARK_LEVEL2) != 0)
        return FALSE;
    return GetFieldLength(MARK_LEVEL1) != 0 ? TRUE : FALSE;
}
