#include "ZKSimScanSettingsReader.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{
struct StandardSize
{
    TW_UINT16 id;
    double width, height; // inches
};

const StandardSize kStandardSizes[] = {
    {TWSS_A3, 11.69, 16.54},       {TWSS_A4, 8.27, 11.69},      {TWSS_A5, 5.83, 8.27},  {TWSS_A6, 4.13, 5.83},
    {TWSS_USLETTER, 8.5, 11},      {TWSS_USLEGAL, 8.5, 14},     {TWSS_USLEDGER, 11, 17}, {TWSS_JISB5, 7.17, 10.12},
    {TWSS_USEXECUTIVE, 7.25, 10.5}, {TWSS_ISOB5, 6.93, 9.84}};

TW_FIX32 ToFix32(double value)
{
    const auto fixed = static_cast<TW_INT32>(std::lround(value * 65536.0));
    return TW_FIX32{static_cast<TW_INT16>(fixed >> 16), static_cast<TW_UINT16>(fixed & 0xFFFF)};
}

double FromFix32(const TW_FIX32& value)
{
    return value.Whole + value.Frac / 65536.0;
}

TW_UINT16 ToUint16(const ZKSimItem& item)
{
    TW_UINT16 value = 0;
    if (item.size() >= sizeof(value))
        std::memcpy(&value, item.data(), sizeof(value));
    return value;
}

int BitsPerPixel(TW_UINT16 pixelType)
{
    switch (pixelType)
    {
    case TWPT_GRAY:
        return 8;
    case TWPT_RGB:
        return 24;
    default:
        return 1;
    }
}
} // namespace

double SZKSimScanSettingsReader::UnitsPerInch(TW_UINT16 units, double dpi)
{
    switch (units)
    {
    case TWUN_CENTIMETERS:
        return 2.54;
    case TWUN_PICAS:
        return 6;
    case TWUN_POINTS:
        return 72;
    case TWUN_TWIPS:
        return 1440;
    case TWUN_PIXELS:
        return dpi;
    case TWUN_MILLIMETERS:
        return 25.4;
    default:
        return 1;
    }
}

const CZKSimCapability* SZKSimScanSettingsReader::_Find(const std::vector<CZKSimCapability>& caps, TW_UINT16 id)
{
    for (const CZKSimCapability& cap : caps)
        if (cap.GetId() == id)
            return &cap;
    return nullptr;
}

double SZKSimScanSettingsReader::_Number(const std::vector<CZKSimCapability>& caps, TW_UINT16 id, double fallback)
{
    const CZKSimCapability* cap = _Find(caps, id);
    if (!cap || !SZKSimItemCodec::IsNumeric(cap->GetItemType()) || cap->GetCurrent().empty())
        return fallback;
    return SZKSimItemCodec::ToNumber(cap->GetItemType(), cap->GetCurrent());
}

void SZKSimScanSettingsReader::_PageSize(const CZKSimProfile& profile, const std::vector<CZKSimCapability>& caps,
                                         TW_UINT16 units, double xDpi, double& width, double& height)
{
    width = profile.pageWidth;
    height = profile.pageHeight;
    const auto size = static_cast<TW_UINT16>(_Number(caps, ICAP_SUPPORTEDSIZES, TWSS_NONE));
    for (const StandardSize& standard : kStandardSizes)
        if (size == standard.id)
        {
            width = standard.width;
            height = standard.height;
            return;
        }
    const CZKSimCapability* frames = _Find(caps, ICAP_FRAMES);
    if (!frames || frames->GetItemType() != TWTY_FRAME || frames->GetCurrent().size() != sizeof(TW_FRAME))
        return;
    TW_FRAME frame;
    std::memcpy(&frame, frames->GetCurrent().data(), sizeof(frame));
    const double perInch = UnitsPerInch(units, xDpi);
    const double frameWidth = (FromFix32(frame.Right) - FromFix32(frame.Left)) / perInch;
    const double frameHeight = (FromFix32(frame.Bottom) - FromFix32(frame.Top)) / perInch;
    if (frameWidth > 0 && frameHeight > 0)
    {
        width = frameWidth;
        height = frameHeight;
    }
}

ZK_SIM_SCAN_SETTINGS SZKSimScanSettingsReader::Read(const CZKSimProfile& profile,
                                                    const std::vector<CZKSimCapability>& caps)
{
    ZK_SIM_SCAN_SETTINGS settings;
    const auto units = static_cast<TW_UINT16>(_Number(caps, ICAP_UNITS, TWUN_INCHES));
    // A profile may offer nonsense; a page needs a positive resolution.
    const double xDpi = std::max(1.0, _Number(caps, ICAP_XRESOLUTION, 200));
    const double yDpi = std::max(1.0, _Number(caps, ICAP_YRESOLUTION, xDpi));
    double width = 0, height = 0;
    _PageSize(profile, caps, units, xDpi, width, height);
    settings.pixelType = static_cast<TW_UINT16>(_Number(caps, ICAP_PIXELTYPE, TWPT_BW));
    settings.printerIndex = static_cast<TW_UINT32>(_Number(caps, CAP_PRINTERINDEX, 0));
    for (const CZKSimCapability& cap : caps)
        if (cap.GetItemType() >= TWTY_STR32 && cap.GetItemType() <= TWTY_STR255)
        {
            const ZKSimItem& text = cap.GetCurrent();
            const auto* bytes = reinterpret_cast<const char*>(text.data());
            settings.texts[cap.GetId()] = std::string(bytes, strnlen(bytes, text.size()));
        }
    settings.format.bitsPerPixel = BitsPerPixel(settings.pixelType);
    settings.format.xDpi = std::max(1L, std::lround(xDpi));
    settings.format.yDpi = std::max(1L, std::lround(yDpi));
    settings.format.width = std::max(1L, std::lround(width * xDpi));
    settings.format.height = std::max(1L, std::lround(height * yDpi));
    const double perInch = UnitsPerInch(units, xDpi);
    settings.frame.Left = ToFix32(0);
    settings.frame.Top = ToFix32(0);
    settings.frame.Right = ToFix32(width * perInch);
    settings.frame.Bottom = ToFix32(height * UnitsPerInch(units, yDpi));
    settings.compression = static_cast<TW_UINT16>(_Number(caps, ICAP_COMPRESSION, TWCP_NONE));
    settings.xferMech = static_cast<TW_UINT16>(_Number(caps, ICAP_XFERMECH, TWSX_NATIVE));
    settings.fileFormat = static_cast<TW_UINT16>(_Number(caps, ICAP_IMAGEFILEFORMAT, TWFF_TIFF));
    const bool duplexDevice = _Number(caps, CAP_DUPLEX, 1) != 0;
    settings.sides = duplexDevice && _Number(caps, CAP_DUPLEXENABLED, 0) != 0 ? 2 : 1;
    settings.xferCount = static_cast<int>(_Number(caps, CAP_XFERCOUNT, -1));
    if (const CZKSimCapability* events = _Find(caps, CAP_DEVICEEVENT))
        for (const ZKSimItem& item : events->GetItems())
            settings.deviceEvents.push_back(ToUint16(item));
    return settings;
}
