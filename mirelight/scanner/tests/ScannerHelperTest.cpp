#include <mirelight/QXScannerHelper.h>

#include <hollin/ZKRBuffer.h>
#include <pellmark/ZKBitmapHandle.h>

#include <gtest/gtest.h>

#include <vector>

TEST(ScannerHelperTest, FamilyLookupIgnoresCaseAndFallsBackToGeneric)
{
    EXPECT_EQ(CQXScannerHelper::QueryScannerInfo(L"Vantrel HX860D").family, QX_SCANNER_FAMILY_ESKER);
    EXPECT_EQ(CQXScannerHelper::QueryScannerInfo(L"vantrel dx220").family, QX_SCANNER_FAMILY_DRUMLIN2);
    const QX_SCANNER_INFO& unknown = CQXScannerHelper::QueryScannerInfo(L"Some Other Scanner");
    EXPECT_EQ(unknown.family, QX_SCANNER_FAMILY_GENERIC);
    EXPECT_EQ(unknown.strName, L"generic");
    EXPECT_EQ(CQXScannerHelper::QueryScannerInfo(L"").family, QX_SCANNER_FAMILY_GENERIC);
    EXPECT_EQ(CQXScannerHelper::QueryScannerInfo(nullptr).family, QX_SCANNER_FAMILY_GENERIC);
    // Exact match only: a prefix of a known name is not that scanner.
    EXPECT_EQ(CQXScannerHelper::QueryScannerInfo(L"vantrel hx86").family, QX_SCANNER_FAMILY_GENERIC);
}

TEST(ScannerHelperTest, ExtractProtocolAndName)
{
    EQXScannerProtocol protocol = QX_SCANNER_PROTOCOL_TWAIN;
    std::wstring name;
    ASSERT_TRUE(CQXScannerHelper::ExtractProtocolAndName(L"isis:KV_DRIVER", protocol, name));
    EXPECT_EQ(protocol, QX_SCANNER_PROTOCOL_ISIS);
    EXPECT_EQ(name, L"KV_DRIVER");

    ASSERT_TRUE(CQXScannerHelper::ExtractProtocolAndName(L"twain:Front Desk", protocol, name));
    EXPECT_EQ(protocol, QX_SCANNER_PROTOCOL_TWAIN);
    EXPECT_EQ(name, L"Front Desk");

    protocol = QX_SCANNER_PROTOCOL_ISIS;
    ASSERT_TRUE(CQXScannerHelper::ExtractProtocolAndName(L"ISIS:Upper", protocol, name));
    EXPECT_EQ(protocol, QX_SCANNER_PROTOCOL_TWAIN); // prefixes are lower case only
    EXPECT_EQ(name, L"ISIS:Upper");

    name = L"kept";
    EXPECT_FALSE(CQXScannerHelper::ExtractProtocolAndName(L"", protocol, name));
    EXPECT_FALSE(CQXScannerHelper::ExtractProtocolAndName(nullptr, protocol, name));
}

TEST(ScannerHelperTest, TranslatePatchCode)
{
    const struct
    {
        unsigned int code;
        int expected;
    } cases[] = {{0, 0}, {4, 4}, {5, 5}, {6, 6}, {7, 255}, {99, 5}, {100, 255}, {0xFFFFFFFFu, 255}};
    for (const auto& c : cases)
    {
        QX_PATCH_TYPE patch;
        CQXScannerHelper::TranslatePatchCode(c.code, patch);
        EXPECT_EQ(patch.value, c.expected) << c.code;
    }
}

TEST(ScannerHelperTest, ConvertCameraInfoFillsSlotsInConfigurationOrder)
{
    QX_SCANNER_CAMERAINFO info;
    // Front: colour camera in grey mode; rear: bitonal camera only.
    info.cameras[0].nColorMode = 2;
    info.cameras[0].bEnabled = TRUE;
    info.cameras[0].bAvailable = TRUE;
    info.cameras[0].XResolution.value = 300;
    info.cameras[1].nColorMode = 1;
    info.cameras[1].YResolution.value = 240;
    info.cameras[2].nColorMode = 8; // neither kind: the rear colour slot stays reset
    info.cameras[3].nColorMode = 1;
    info.cameras[3].bEnabled = TRUE;
    info.cameras[3].advCaps.strHalftone = L"Auto ATP";
    info.cameras[3].advCaps.halftones.AddTail(L"auto atp");
    info.cameras[3].advCaps.nThreshold = 120;
    info.cameras[3].advCaps.nContrast = -3;

    QX_SCNCFG_CONFIGDATA_TYPE config;
    config.cameras[3].bEnabled = TRUE; // stale value must go
    ASSERT_TRUE(CQXScannerHelper::ConvertCameraInfo(info, config));

    EXPECT_TRUE(config.cameras[2].bGrayScale); // front colour
    EXPECT_TRUE(config.cameras[2].bEnabled);
    EXPECT_EQ(config.cameras[2].XResolution, 300);
    EXPECT_EQ(config.cameras[0].YResolution, 240); // front bitonal
    EXPECT_FALSE(config.cameras[0].bGrayScale);
    EXPECT_TRUE(config.cameras[1].bEnabled); // rear bitonal
    EXPECT_EQ(config.cameras[1].ex.strCurrentThresholdingMode, L"Auto ATP");
    EXPECT_TRUE(config.cameras[1].ex.bSupportiThresholding);
    EXPECT_EQ(config.cameras[1].ex.nThreshold, 120);
    EXPECT_EQ(config.cameras[1].ex.nContrast, -3);
    EXPECT_FALSE(config.cameras[0].ex.bSupportiThresholding);
    EXPECT_TRUE(config.cameras[3] == QX_CAMERAINFO_TYPE()); // rear colour: no camera
}

namespace
{
QX_SCANNER_IMAGE_INFO RawInfo(int width, int height, int bpp, int type)
{
    QX_SCANNER_IMAGE_INFO info;
    info.ImageWidth = width;
    info.ImageLength = height;
    info.BitsPerPixel = static_cast<WORD>(bpp);
    info.XResolution = 300.7;
    info.YResolution = 200.2;
    info.imageType.value = static_cast<BYTE>(type);
    info.imageFormat.value = 1;
    return info;
}
} // namespace

TEST(ScannerHelperTest, ConvertToBitmapCopiesRawRowsAndChoosesThePalette)
{
    // 10 x 2 pixels at 1 bit: 4-byte bitmap rows.
    const BYTE rows[] = {0xF0, 0x0F, 0xAA, 0x55, 0x01, 0x02, 0x03, 0x04};
    CZKRBuffer data(rows, sizeof(rows));
    CZKBitmapHandle bitmap;
    QX_SCANNER_IMAGE_INFO info = RawInfo(10, 2, 1, 1);
    ASSERT_TRUE(CQXScannerHelper::ConvertToBitmap(data, info, bitmap, 1));
    EXPECT_EQ(bitmap.GetXResolution(), 300);
    EXPECT_EQ(bitmap.GetYResolution(), 200);
    EXPECT_EQ(0, memcmp(bitmap.GetPtr(), rows, sizeof(rows)));
    ZK_RGBQUAD palette[2];
    ASSERT_TRUE(bitmap.GetPalette(0, 2, palette));
    EXPECT_EQ(palette[0].rgbRed, 0); // black on white: index 0 black

    info.bWhiteIsZero = 1;
    ASSERT_TRUE(CQXScannerHelper::ConvertToBitmap(data, info, bitmap, 1));
    ASSERT_TRUE(bitmap.GetPalette(0, 2, palette));
    EXPECT_EQ(palette[0].rgbRed, 255); // white on black: index 0 white
}

TEST(ScannerHelperTest, ConvertToBitmapRefusesBadArgumentsAndShortData)
{
    const std::vector<BYTE> rows(8 * 4, 0x80);
    CZKRBuffer data(rows.data(), rows.size());
    CZKBitmapHandle bitmap;
    QX_SCANNER_IMAGE_INFO info = RawInfo(8, 4, 8, 2);
    EXPECT_FALSE(CQXScannerHelper::ConvertToBitmap(data, info, bitmap, 0));
    info.imageFormat.value = 7;
    EXPECT_FALSE(CQXScannerHelper::ConvertToBitmap(data, info, bitmap, 1));
    info.imageFormat.value = 0;
    EXPECT_FALSE(CQXScannerHelper::ConvertToBitmap(data, info, bitmap, 1));

    info.imageFormat.value = 1;
    ASSERT_TRUE(CQXScannerHelper::ConvertToBitmap(data, info, bitmap, 2));
    EXPECT_EQ(bitmap.GetWidth(), 4);
    EXPECT_EQ(bitmap.GetHeight(), 2);

    CZKRBuffer shortData(rows.data(), rows.size() - 1);
    EXPECT_FALSE(CQXScannerHelper::ConvertToBitmap(shortData, info, bitmap, 1));
    CZKRBuffer empty;
    EXPECT_FALSE(CQXScannerHelper::ConvertToBitmap(empty, info, bitmap, 1));
}

TEST(ScannerHelperTest, ConvertToBitmapDecodesCompressedImagesAndScales)
{
    CZKBitmapHandle page;
    ASSERT_TRUE(page.Create(64, 48, 1));
    BYTE* pixels = page.Access();
    for (DWORD y = 0; y < 48; y += 3)
        pixels[y * page.GetBytesPerLine()] = 0xFF; // some black strokes
    page.Release();
    CZKRBuffer g4;
    ASSERT_TRUE(page.Compress_G4(g4));

    QX_SCANNER_IMAGE_INFO info = RawInfo(64, 48, 1, 1);
    info.imageFormat.value = 3;
    CZKBitmapHandle bitmap;
    ASSERT_TRUE(CQXScannerHelper::ConvertToBitmap(g4, info, bitmap, 1));
    EXPECT_EQ(bitmap.GetWidth(), 64);
    ASSERT_TRUE(CQXScannerHelper::ConvertToBitmap(g4, info, bitmap, 2));
    EXPECT_EQ(bitmap.GetWidth(), 32);
    EXPECT_EQ(bitmap.GetHeight(), 24);

    // A damaged stream is a failure, not a page.
    CZKRBuffer broken(g4.GetPtr(), g4.GetSize() / 3);
    EXPECT_FALSE(CQXScannerHelper::ConvertToBitmap(broken, info, bitmap, 1));

    CZKBitmapHandle grey;
    ASSERT_TRUE(grey.Create(64, 48, 8));
    CZKRBuffer jpeg;
    ASSERT_TRUE(grey.Compress_JPEG(jpeg, 80));
    info = RawInfo(64, 48, 8, 2);
    info.imageFormat.value = 2;
    // JPEG scales in the decoder; the (wrong) geometry in the info is not used.
    info.ImageWidth = 1000;
    ASSERT_TRUE(CQXScannerHelper::ConvertToBitmap(jpeg, info, bitmap, 2));
    EXPECT_EQ(bitmap.GetWidth(), 32);
    EXPECT_EQ(bitmap.GetBitsPerPixel(), 8);
}
