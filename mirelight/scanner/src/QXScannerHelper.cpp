#include <mirelight/QXScannerHelper.h>

#include "QXImageConverter.h"
#include "QXScannerFamilyTable.h"

#include <hollin/ZKBuffer.h>
#include <pellmark/ZKBitmapHandle.h>

#include <cstring>
#include <exception>
#include <cwctype>

namespace
{
const wchar_t kIsisPrefix[] = L"isis:";
const wchar_t kTwainPrefix[] = L"twain:";

bool StripPrefix(const std::wstring& text, const wchar_t* prefix, std::wstring& rest)
{
    const size_t length = std::wcslen(prefix);
    if (text.compare(0, length, prefix) != 0)
        return false;
    rest = text.substr(length);
    return true;
}

std::wstring ToLower(const wchar_t* text)
{
    std::wstring lower = text ? text : L"";
    for (wchar_t& c : lower)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return lower;
}

void FillCameraSlot(const QX_SCANNER_CAMERA& camera, QX_CAMERAINFO_TYPE& slot)
{
    slot.bAvailable = camera.bAvailable;
    slot.bEnabled = camera.bEnabled;
    slot.bGrayScale = camera.nColorMode == QX_SCANNER_CAMERA::MODE_GRAY ? TRUE : FALSE;
    slot.XResolution = camera.XResolution.value;
    slot.YResolution = camera.YResolution.value;
    slot.ex.strCurrentThresholdingMode = camera.advCaps.strHalftone;
    slot.ex.bSupportiThresholding = camera.advCaps.halftones.Find(L"Auto ATP", 1) >= 0 ? TRUE : FALSE;
    slot.ex.nThreshold = camera.advCaps.nThreshold;
    slot.ex.nContrast = camera.advCaps.nContrast;
}

// Bytes of the bitmap an uncompressed image becomes; 0 for a size no bitmap has.
size_t RawImageBytes(const QX_SCANNER_IMAGE_INFO& info)
{
    if (info.ImageWidth <= 0 || info.ImageLength <= 0)
        return 0;
    return SQXImageConverter::BitmapStride(static_cast<size_t>(info.ImageWidth), info.BitsPerPixel) *
           static_cast<size_t>(info.ImageLength);
}

BOOL CopyRawImage(const CZKBuffer& data, const QX_SCANNER_IMAGE_INFO& info, CZKBitmapHandle& bitmap)
{
    // A short buffer would leave part of the page made up; refuse it before
    // the bitmap is made, as the copy below is all that fills its pixels.
    if (data.IsEmpty() || data.GetSize() < RawImageBytes(info))
        return FALSE;
    if (!bitmap.CreateForOverwrite(info.ImageWidth, info.ImageLength, info.BitsPerPixel))
        return FALSE;
    const size_t size = bitmap.GetImageSize();
    if (data.GetSize() < size)
        return FALSE;
    BYTE* pixels = bitmap.Access();
    if (!pixels)
        return FALSE;
    std::memcpy(pixels, data.GetPtr(), size);
    bitmap.Release();
    if (info.imageType.value == 1)
    {
        if (info.bWhiteIsZero)
            bitmap.SetWOBPalette_1BPP();
        else
            bitmap.SetBOWPalette_1BPP();
    }
    else if (info.imageType.value == 2)
    {
        bitmap.SetGrayscalePalette_8BPP();
    }
    bitmap.SetResolution(static_cast<LONG>(info.XResolution), static_cast<LONG>(info.YResolution));
    return TRUE;
}

BOOL DecodeCCITT(int format, const CZKBuffer& data, const QX_SCANNER_IMAGE_INFO& info, CZKBitmapHandle& bitmap)
{
    const LONG x = static_cast<LONG>(info.XResolution);
    const LONG y = static_cast<LONG>(info.YResolution);
    switch (format)
    {
    case 3: return bitmap.Decompress_G4(data, info.ImageWidth, info.ImageLength, x, y);
    case 4: return bitmap.Decompress_G3_1D(data, info.ImageWidth, info.ImageLength, x, y);
    case 5: return bitmap.Decompress_G3_1D_NOEOL(data, info.ImageWidth, info.ImageLength, x, y);
    case 6: return bitmap.Decompress_G3_2D(data, info.ImageWidth, info.ImageLength, x, y);
    default: return FALSE;
    }
}
} // namespace

const QX_SCANNER_INFO& CQXScannerHelper::QueryScannerInfo(const wchar_t* name)
{
    try
    {
        return CQXScannerFamilyTable::Instance().Find(ToLower(name));
    }
    catch (const std::exception&)
    {
        return CQXScannerFamilyTable::Instance().Generic();
    }
}

BOOL CQXScannerHelper::ExtractProtocolAndName(const wchar_t* qualified, EQXScannerProtocol& protocol,
                                              std::wstring& name)
{
    if (!qualified || !*qualified)
        return FALSE;
    try
    {
        const std::wstring text(qualified);
        if (StripPrefix(text, kIsisPrefix, name))
        {
            protocol = QX_SCANNER_PROTOCOL_ISIS;
            return TRUE;
        }
        protocol = QX_SCANNER_PROTOCOL_TWAIN;
        if (!StripPrefix(text, kTwainPrefix, name))
            name = text;
        return TRUE;
    }
    catch (const std::exception&)
    {
        return FALSE;
    }
}

void CQXScannerHelper::TranslatePatchCode(unsigned int code, QX_PATCH_TYPE& patch)
{
    if (code <= 4 || code == 6)
        patch.value = static_cast<BYTE>(code);
    else if (code == 5 || code == 99)
        patch.value = 5;
    else
        patch.value = 255;
}

BOOL CQXScannerHelper::ConvertCameraInfo(QX_SCANNER_CAMERAINFO& cameras, QX_SCNCFG_CONFIGDATA_TYPE& config)
{
    // Configuration slot of each camera id: 0 front colour, 1 front bitonal,
    // 2 rear colour, 3 rear bitonal.
    static const int kSlotOfCamera[QX_SCANNER_CAMERAINFO::CAMERA_COUNT] = {2, 0, 3, 1};
    for (QX_CAMERAINFO_TYPE& slot : config.cameras)
        slot.reset();
    for (int id = 0; id < QX_SCANNER_CAMERAINFO::CAMERA_COUNT; ++id)
    {
        const QX_SCANNER_CAMERA* camera = cameras.GetCamera(static_cast<EQXScannerCameraID>(id));
        if (camera)
            FillCameraSlot(*camera, config.cameras[kSlotOfCamera[id]]);
    }
    return TRUE;
}

BOOL CQXScannerHelper::ConvertToBitmap(CZKBuffer& data, const QX_SCANNER_IMAGE_INFO& info,
                                       CZKBitmapHandle& bitmap, int scale)
{
    const int format = info.imageFormat.value;
    if (scale < 1 || format < 1 || format > 6)
        return FALSE;
    if (format == 2)
        return bitmap.Decompress_JPEG(data, scale);
    const BOOL decoded = format == 1 ? CopyRawImage(data, info, bitmap) : DecodeCCITT(format, data, info, bitmap);
    if (!decoded)
        return FALSE;
    if (scale == 1)
        return TRUE;
    return bitmap.Resize(info.ImageWidth / scale, info.ImageLength / scale, CZKBitmapHandle::kResizeArea);
}
