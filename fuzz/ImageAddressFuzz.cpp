// Image addresses from users, scanner headers and stored bytes. Input: a
// 20-byte format, an 80-byte stored address, then header text, NUL, user
// text, NUL, standard text, NUL, four slot marks.
#include <brackwater/QX_IMAGEADDRESS.h>
#include <brackwater/QX_IMAGEADDRESS_FORMAT.h>

#include "common/FuzzInput.h"

#include <cstring>

namespace
{
QX_IMAGEADDRESS_FORMAT TakeFormat(CFuzzInput& input)
{
    BYTE raw[QX_IMAGEADDRESS_FORMAT::RAW_SIZE] = {};
    for (BYTE& byte : raw)
        byte = input.TakeByte();
    QX_IMAGEADDRESS_FORMAT format;
    format.FromBytes(raw);
    return format;
}

QX_IMAGEADDRESS TakeStoredAddress(CFuzzInput& input)
{
    BYTE raw[sizeof(QX_IMAGEADDRESS)] = {};
    for (BYTE& byte : raw)
        byte = input.TakeByte();
    QX_IMAGEADDRESS address;
    std::memcpy(static_cast<void*>(&address), raw, sizeof(raw));
    return address;
}

// Whatever an address holds, its standard text, read back, gives the same
// text again unless a component holds the separator. (Stored bytes may carry
// anything after a component's end, so the texts are compared, not bytes.)
void CheckStandardTextRoundTrip(const QX_IMAGEADDRESS& address)
{
    std::wstring text;
    if (!address.ToStdString(text))
        return;
    QX_IMAGEADDRESS back;
    std::wstring again;
    if (back.ParseStdString(text) && (!back.ToStdString(again) || again != text))
        FuzzFail("an address's standard text reads back as another address");
}

void UseAddress(const QX_IMAGEADDRESS& address, const QX_IMAGEADDRESS_FORMAT& format)
{
    std::wstring text;
    address.ToString(format, text);
    address.Validate(format);
    address.IsLevel1ImageAddress();
    QX_IMAGEADDRESS revised(address);
    revised.Revise(format);
    CheckStandardTextRoundTrip(address);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput input(data, size);
    const QX_IMAGEADDRESS_FORMAT format = TakeFormat(input);
    format.check();
    UseAddress(TakeStoredAddress(input), format);

    const std::wstring header = input.TakeText();
    const std::wstring typed = input.TakeText();
    const std::wstring standard = input.TakeText();
    const std::wstring marks = input.TakeText();
    QX_IMAGEADDRESS address;
    if (address.ParseHdrString(header, format))
        UseAddress(address, format);
    if (address.ParseHdrString(header, marks))
        UseAddress(address, format);
    if (address.ParseString(typed, format))
        UseAddress(address, format);
    if (address.ParseStdString(standard))
        UseAddress(address, format);
    return 0;
}
