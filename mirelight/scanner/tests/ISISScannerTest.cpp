// The ISIS-backed scanner end to end: the facade against virtual ISIS
// drivers, listing, opening, tags, configuration, cameras, acquisition and
// the driver's faults as the application sees them.
#include "ISISScannerFixture.h"
#include "common/DetachingRecorder.h"

#include <mirelight/QX_SCANNER_CAMERAINFO.h>
#include <mirelight/QX_SCANNER_DEVICE_INFO.h>
#include <mirelight/QX_SCANNER_SCANMODE.h>

#include <brackwater/QX_SCNCFG_CONFIGDATA_TYPE.h>
#include <hollin/ZKRBuffer.h>
#include <wincompat/ZKRegistry.h>

#include <algorithm>
#include <cstdlib>
#include <set>

namespace
{
const char kDuplexFile[] = "ZKDUPLEX.isd";

using ISISScannerTest = ISISScannerFixture;

std::vector<BYTE> Inverted(std::vector<BYTE> bytes)
{
    for (BYTE& byte : bytes)
        byte = static_cast<BYTE>(~byte);
    return bytes;
}

// The pixel bytes of each row, without the padding.
std::vector<BYTE> PackedRows(const CZKBitmapHandle& bitmap)
{
    std::vector<BYTE> rows;
    const size_t rowBytes =
        (static_cast<size_t>(bitmap.GetWidth()) * bitmap.GetBitsPerPixel() + 7) / 8;
    for (LONG y = 0; y < bitmap.GetHeight(); ++y)
    {
        const BYTE* row = bitmap.GetPtr() + static_cast<size_t>(y) * bitmap.GetBytesPerLine();
        rows.insert(rows.end(), row, row + rowBytes);
    }
    return rows;
}

// The delivered image decoded as the application would.
CZKBitmapHandle Decoded(const RECORDED_SCANNER_IMAGE& image)
{
    CZKRBuffer data(image.bytes.data(), image.bytes.size());
    CZKBitmapHandle bitmap;
    EXPECT_TRUE(CQXScannerHelper::ConvertToBitmap(data, image.info, bitmap, 1));
    return bitmap;
}
} // namespace

TEST_F(ISISScannerTest, ListsTwainSourcesFirstAndOpensAnIsisDriver)
{
    m_folder.AddSampleProfile("production_duplex");
    AddDriver("ZKFLATBED", IsisProfile("ZKFLATBED", 1));
    Open("ZKDUPLEX", IsisProfile("ZKDUPLEX", 1));

    std::vector<QX_SCANNER_NAMELIST_ITEM> list;
    ASSERT_TRUE(m_scanner.QueryAvailableScanners(list));
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[0].protocol, QX_SCANNER_PROTOCOL_TWAIN);
    EXPECT_EQ(list[0].name, L"ZK Virtual Production Duplex");
    std::multiset<std::wstring> drivers;
    for (size_t i = 1; i < list.size(); ++i)
    {
        EXPECT_EQ(list[i].protocol, QX_SCANNER_PROTOCOL_ISIS);
        drivers.insert(list[i].driver);
    }
    EXPECT_EQ(drivers,
              (std::multiset<std::wstring>{L"ZKDUPLEX", L"ZKDUPLEX", L"ZKDUPLEX", L"ZKFLATBED"}));
    const auto duplex = std::find_if(list.begin(), list.end(),
                                     [](const QX_SCANNER_NAMELIST_ITEM& item)
                                     { return item.driver == L"ZKDUPLEX"; });
    EXPECT_EQ(duplex->name, L"ZK Virtual Duplex 60") << "the driver's description";

    EXPECT_TRUE(m_scanner.IsOpen());
    std::wstring current;
    m_scanner.GetCurrentScanner(current);
    EXPECT_EQ(current, L"ZKDUPLEX");
    EXPECT_EQ(m_scanner.GetCurrentScannerFamily(), QX_SCANNER_FAMILY_GENERIC);
    EXPECT_NE(m_scanner.GetSessionManager().GetISIS(), nullptr);
    unsigned int mask = 0;
    ASSERT_TRUE(m_scanner.GetCapabilityMask(mask));
    EXPECT_EQ(mask, 0x3u) << "custom data and duplex";
    int multistream = 0;
    ASSERT_TRUE(m_scanner.GetCapability(QX_SCANNER_CAP_MULTISTREAM, multistream));
    EXPECT_EQ(multistream, 1);

    EXPECT_FALSE(m_scanner.Open(L"ZK Virtual Production Duplex", QX_SCANNER_PROTOCOL_TWAIN))
        << "one scanner at a time";
    m_scanner.Close();
    EXPECT_FALSE(m_scanner.IsOpen());
    EXPECT_FALSE(m_scanner.GetCapabilityMask(mask));
    EXPECT_FALSE(m_scanner.Open(L"NOSUCHDRIVER", QX_SCANNER_PROTOCOL_ISIS));
    EXPECT_FALSE(m_scanner.IsOpen());
}

TEST_F(ISISScannerTest, SideAndDuplexTagsFollowTheScanType)
{
    Open("ZKDUPLEX", IsisProfile("ZKDUPLEX", 1));
    int value = -1;
    ASSERT_TRUE(m_scanner.GetTagValue(1, value));
    EXPECT_EQ(value, 1);
    ASSERT_TRUE(m_scanner.GetTagValue(2, value));
    EXPECT_EQ(value, 7) << "duplex, front only and back only";
    ASSERT_TRUE(m_scanner.GetTagValue(5, value));
    EXPECT_EQ(value, 2);
    ASSERT_TRUE(m_scanner.GetTagValue(11, value));
    EXPECT_EQ(value, QX_SCANNER_SIDE_BOTH);
    ASSERT_TRUE(m_scanner.GetTagValue(15, value));
    EXPECT_EQ(value, 1) << "the driver has scan windows";

    ASSERT_TRUE(m_scanner.SetTagValue(1, 0));
    long scanType = 0;
    ASSERT_TRUE(Manager().TagOneValueGet(scanType, 1300));
    EXPECT_EQ(scanType, 3);
    ASSERT_TRUE(m_scanner.GetTagValue(1, value));
    EXPECT_EQ(value, 0);
    ASSERT_TRUE(m_scanner.GetTagValue(5, value));
    EXPECT_EQ(value, 1);
    ASSERT_TRUE(m_scanner.GetTagValue(3, value));
    EXPECT_EQ(value, 1);
    ASSERT_TRUE(m_scanner.SetTagValue(1, 1));
    ASSERT_TRUE(Manager().TagOneValueGet(scanType, 1300));
    EXPECT_EQ(scanType, 4);

    EXPECT_FALSE(m_scanner.SwitchCaptureSide(QX_SCANNER_SIDE_NONE));
    EXPECT_TRUE(m_scanner.SwitchCaptureSide(static_cast<EQXCaptureSide>(9)));
    ASSERT_TRUE(Manager().TagOneValueGet(scanType, 1300));
    EXPECT_EQ(scanType, 4) << "an unknown side changes nothing";
    ASSERT_TRUE(m_scanner.SwitchCaptureSide(QX_SCANNER_SIDE_BACK));
    ASSERT_TRUE(m_scanner.GetTagValue(11, value));
    EXPECT_EQ(value, QX_SCANNER_SIDE_BACK);
    int front = QX_SCANNER_SIDE_FRONT;
    ASSERT_TRUE(m_scanner.SetTagValue(11, &front));
    ASSERT_TRUE(Manager().TagOneValueGet(scanType, 1300));
    EXPECT_EQ(scanType, 3);
}

TEST_F(ISISScannerTest, DuplexCannotBeSetOnASingleSidedDriver)
{
    Open("ZKFLATBED", IsisProfile("ZKFLATBED", 1));
    EXPECT_FALSE(m_scanner.SetTagValue(1, 1));
    EXPECT_TRUE(m_scanner.SetTagValue(1, 0)) << "nothing to change";
    int value = -1;
    ASSERT_TRUE(m_scanner.GetTagValue(2, value));
    EXPECT_EQ(value, 1);
    ASSERT_TRUE(m_scanner.GetTagValue(15, value));
    EXPECT_EQ(value, 0);
    unsigned int mask = 0;
    ASSERT_TRUE(m_scanner.GetCapabilityMask(mask));
    EXPECT_EQ(mask, 0x1u);
}

TEST_F(ISISScannerTest, ScanModeTransferAndDriverTextTags)
{
    Open("ZKFLATBED", IsisProfile("ZKFLATBED", 1));
    QX_SCANNER_SCANMODE mode;
    ASSERT_TRUE(m_scanner.GetTagValue(2006, static_cast<void*>(&mode)));
    EXPECT_EQ(mode.nMode, 2);
    EXPECT_EQ(mode.XResolution.value, 150);
    mode.nMode = 4;
    mode.XResolution.value = 300;
    mode.YResolution.value = 75;
    ASSERT_TRUE(m_scanner.SetTagValue(2006, static_cast<void*>(&mode)));
    QX_SCANNER_SCANMODE back;
    ASSERT_TRUE(m_scanner.GetTagValue(2006, static_cast<void*>(&back)));
    EXPECT_EQ(back, mode);
    mode.nMode = 3;
    EXPECT_FALSE(m_scanner.SetTagValue(2006, static_cast<void*>(&mode)));

    ASSERT_TRUE(m_scanner.SetTagValue(14, 5));
    int transfer = 0;
    ASSERT_TRUE(m_scanner.GetTagValue(14, transfer));
    EXPECT_EQ(transfer, 5);
    EXPECT_EQ(Manager().GetTransferType(), ZKISIS_TRANSFER_PAGE);
    ASSERT_TRUE(m_scanner.SetTagValue(14, 1));
    EXPECT_EQ(Manager().GetTransferType(), ZKISIS_TRANSFER_FILE);

    ASSERT_TRUE(m_scanner.SetTagValue(7, 1));
    ASSERT_TRUE(m_scanner.SetTagValue(8, 250));
    int value = 0;
    ASSERT_TRUE(m_scanner.GetTagValue(7, value));
    EXPECT_EQ(value, 1);
    ASSERT_TRUE(m_scanner.GetTagValue(8, value));
    EXPECT_EQ(value, 250);
    EXPECT_FALSE(m_scanner.GetTagValue(9999, value));

    ASSERT_TRUE(m_scanner.SetTagValue(2005, L"2.5 build 7"));
    std::wstring text;
    ASSERT_TRUE(m_scanner.GetTagValue(2005, text));
    EXPECT_EQ(text, L"2.5 build 7");
    EXPECT_FALSE(m_scanner.GetTagValue(2007, text)) << "the flatbed has no tag 1294";
}

TEST_F(ISISScannerTest, DeviceInformationComesFromTheDriver)
{
    Open("ZKDUPLEX", IsisProfile("ZKDUPLEX", 1));
    std::wstring text;
    ASSERT_TRUE(m_scanner.GetTagValue(2007, text));
    EXPECT_EQ(text, L"virtual duplex 1.0");
    ZK_ISIS_DRIVERINFO driver;
    ASSERT_TRUE(Manager().GetDriverInfo(driver));
    QX_SCANNER_DEVICE_INFO info;
    ASSERT_TRUE(m_scanner.GetTagValue(6, static_cast<void*>(&info)));
    EXPECT_EQ(info.strProduct, L"ZKDUPLEX");
    EXPECT_EQ(info.strInfo, driver.Description);
    EXPECT_EQ(info.wReserved1, driver.MajorVersion);
    EXPECT_EQ(info.strProductAnsi, driver.ProductName);
    EXPECT_EQ(info.nReserved, 1);
    ASSERT_TRUE(m_scanner.SetTagValue(2005, L"5.1"));
    ASSERT_TRUE(m_scanner.GetTagValue(6, static_cast<void*>(&info)));
    EXPECT_EQ(info.strInfo, L"5.1") << "the stored version text";
}

TEST_F(ISISScannerTest, ConfigurationRoundTripsThroughTheDriverSettings)
{
    Open("ZKDUPLEX", IsisProfile("ZKDUPLEX", 1));
    QX_SCNCFG_CONFIGDATA_TYPE config;
    ASSERT_TRUE(m_scanner.GetConfig(config));
    EXPECT_EQ(config.strScannerName, L"ZKDUPLEX");
    EXPECT_FALSE(config.driverData.IsEmpty());
    EXPECT_TRUE(config.bCameraInfo);
    EXPECT_TRUE(config.cameras[0].bAvailable) << "front bitonal camera";

    ASSERT_TRUE(m_scanner.SetTagValue(1, 0));
    ASSERT_TRUE(m_scanner.SetConfig(config));
    int duplex = 0;
    ASSERT_TRUE(m_scanner.GetTagValue(1, duplex));
    EXPECT_EQ(duplex, 1) << "the stored settings are back";

    QX_SCNCFG_CONFIGDATA_TYPE other = config;
    other.strScannerName = L"ZKFLATBED";
    EXPECT_FALSE(m_scanner.SetConfig(other));
    other.strScannerName.clear();
    EXPECT_TRUE(m_scanner.SetConfig(other));
}

TEST_F(ISISScannerTest, CamerasComeFromTheScanWindowsAndGoBack)
{
    Open("ZKDUPLEX", IsisProfile("ZKDUPLEX", 1));
    QX_SCANNER_CAMERAINFO cameras;
    ASSERT_TRUE(m_scanner.GetTagValue(9, static_cast<void*>(&cameras)));
    EXPECT_TRUE(cameras.bDuplex);
    EXPECT_TRUE(cameras.bMultiStream);
    EXPECT_EQ(cameras.resolutions, (std::vector<int32_t>{100, 150, 200, 300}));
    // Windows 1 and -1 bitonal and in use; 2 and -2 colour and idle.
    for (int i = 0; i < 4; ++i)
    {
        SCOPED_TRACE(i);
        const bool first = i == 0 || i == 2;
        EXPECT_TRUE(cameras.cameras[i].bAvailable);
        EXPECT_EQ(cameras.cameras[i].bEnabled, first ? TRUE : FALSE);
        EXPECT_EQ(cameras.cameras[i].nColorMode, first ? 1 : 4);
        EXPECT_EQ(cameras.cameras[i].XResolution.value, 200);
        EXPECT_NE(cameras.cameras[i].nColorModeMask, 0);
    }

    cameras.cameras[1].bEnabled = TRUE;
    cameras.cameras[0].XResolution.value = 300;
    cameras.cameras[2].bEnabled = FALSE;
    ASSERT_TRUE(m_scanner.SetTagValue(9, static_cast<void*>(&cameras)));
    QX_SCANNER_CAMERAINFO back;
    ASSERT_TRUE(m_scanner.GetTagValue(9, static_cast<void*>(&back)));
    EXPECT_TRUE(back.cameras[1].bEnabled);
    EXPECT_FALSE(back.cameras[2].bEnabled);
    EXPECT_EQ(back.cameras[0].XResolution.value, 300);
    int images = 0;
    ASSERT_TRUE(m_scanner.GetTagValue(5, images));
    EXPECT_EQ(images, 2) << "two front windows, no back";
}

TEST_F(ISISScannerTest, CamerasOfADriverWithoutWindowsShareItsOneSetting)
{
    Open("ZKFLATBED", IsisProfile("ZKFLATBED", 1));
    QX_SCANNER_CAMERAINFO cameras;
    ASSERT_TRUE(m_scanner.GetTagValue(9, static_cast<void*>(&cameras)));
    EXPECT_FALSE(cameras.bDuplex);
    EXPECT_EQ(cameras.resolutions, (std::vector<int32_t>{75, 150, 300}));
    const QX_SCANNER_CAMERA& front = cameras.cameras[0];
    EXPECT_TRUE(front.bAvailable);
    EXPECT_TRUE(front.bEnabled);
    EXPECT_EQ(front.nColorMode, 2);
    EXPECT_EQ(front.nColorModeMask, 7);
    EXPECT_EQ(front.XResolution.value, 150);
    EXPECT_FALSE(cameras.cameras[2].bAvailable) << "no back side";

    cameras.cameras[0].nColorMode = 1;
    cameras.cameras[0].XResolution.value = 300;
    cameras.cameras[0].YResolution.value = 300;
    ASSERT_TRUE(m_scanner.SetTagValue(9, static_cast<void*>(&cameras)));
    QX_SCANNER_SCANMODE mode;
    ASSERT_TRUE(m_scanner.GetTagValue(2006, static_cast<void*>(&mode)));
    EXPECT_EQ(mode.nMode, 1);
    EXPECT_EQ(mode.XResolution.value, 300);
}

TEST_F(ISISScannerTest, BitonalPagesArriveAsG4OfExactlyTheDriversPixels)
{
    Open("ZKDUPLEX", IsisProfile("ZKDUPLEX", 2));
    AcquireAll();
    const std::vector<RECORDED_SCANNER_IMAGE> images = m_recorder.Images();
    ASSERT_EQ(images.size(), 4u);
    for (size_t i = 0; i < images.size(); ++i)
    {
        SCOPED_TRACE(i);
        const RECORDED_SCANNER_IMAGE& image = images[i];
        EXPECT_EQ(image.info.imageFormat.value, 3);
        EXPECT_EQ(image.info.imageType.value, 1);
        EXPECT_EQ(image.info.bWhiteIsZero, 1);
        EXPECT_EQ(image.info.imageSide.value, i % 2 == 0 ? 1 : 2);
        EXPECT_EQ(image.info.ImageWidth, 400);
        EXPECT_EQ(image.info.ImageLength, 600);
        EXPECT_EQ(image.info.RowSize, 400);
        EXPECT_EQ(ImageTag(image, 203), static_cast<LONG>(i / 2));
        const CZKBitmapHandle page = GeneratedPage(kDuplexFile, static_cast<int>(i / 2) + 1,
                                                   static_cast<int>(i % 2), 400, 600, 1, 200);
        // Decoded CCITT has ink as set bits; the generated page ink as 0.
        EXPECT_EQ(PackedRows(Decoded(image)), Inverted(PackedRows(page)));
    }
    EXPECT_EQ(m_recorder.Events(),
              (std::vector<std::string>{"begin", "image", "image", "image", "image", "end"}));
    ASSERT_EQ(m_recorder.Begins().size(), 1u);
    EXPECT_EQ(m_recorder.Begins()[0].nImagesPerSheet, 2);
    EXPECT_FALSE(m_scanner.IsAcquiring());
}

TEST_F(ISISScannerTest, GreyAndColourRowsArriveAsBitmapRows)
{
    // Window 2 is a colour window; uncompressed, every window sends rows.
    Open("ZKDUPLEX",
         IsisProfile("ZKDUPLEX", 1, {{"[Tag.1708]", "[Tag.1708]\nRange = 1, 2, 1\nValue = 2"}}));
    Manager().SetCompressionType(ZKISIS_COMPRESSION_NONE);
    AcquireAll();
    std::vector<RECORDED_SCANNER_IMAGE> images = m_recorder.Images();
    ASSERT_EQ(images.size(), 3u);
    const RECORDED_SCANNER_IMAGE& colour = images[1];
    EXPECT_EQ(colour.info.imageFormat.value, 1);
    EXPECT_EQ(colour.info.imageType.value, 3);
    EXPECT_EQ(colour.info.BitsPerPixel, 24);
    EXPECT_EQ(colour.bytes, BitmapBytes(GeneratedPage(kDuplexFile, 1, 0, 400, 600, 24, 200)));
    EXPECT_EQ(images[2].info.imageFormat.value, 3) << "the back window is bitonal";

    QX_SCANNER_SCANMODE grey;
    grey.nMode = 2;
    grey.XResolution.value = 100;
    grey.YResolution.value = 100;
    ASSERT_TRUE(m_scanner.SetTagValue(1, 0));
    ASSERT_TRUE(Manager().TagOneValueSet(1L, 1690));
    ASSERT_TRUE(Manager().TagOneValueSet(1L, 1708));
    ASSERT_TRUE(m_scanner.SetTagValue(2006, static_cast<void*>(&grey)));
    AcquireAll(2);
    images = m_recorder.Images();
    ASSERT_EQ(images.size(), 4u);
    EXPECT_EQ(images[3].info.imageType.value, 2);
    EXPECT_EQ(images[3].info.BitsPerPixel, 8);
    EXPECT_EQ(images[3].info.ImageWidth, 200);
    EXPECT_EQ(images[3].bytes, BitmapBytes(GeneratedPage(kDuplexFile, 1, 0, 200, 300, 8, 100)));
}

TEST_F(ISISScannerTest, BytesAnObserverDetachesStayItsWhileLaterImagesArrive)
{
    // Bytes left in the buffer hold the next image; detached ones must not.
    constexpr int kSheets = 3;
    Open("ZKDUPLEX",
         IsisProfile("ZKDUPLEX", kSheets, {{"[Tag.1708]", "[Tag.1708]\nRange = 1, 2, 1\nValue = 2"}}));
    Manager().SetCompressionType(ZKISIS_COMPRESSION_NONE);
    CDetachingRecorder observer;
    ASSERT_TRUE(observer.AcquireOnce(m_scanner, m_recorder));
    const std::vector<RECORDED_SCANNER_IMAGE> images = observer.Images();
    const std::vector<std::vector<BYTE>> kept = observer.Kept();
    ASSERT_EQ(images.size(), 3u * kSheets) << "two front windows and a back per sheet";
    ASSERT_EQ(kept.size(), (images.size() + 1) / 2);
    for (size_t i = 0; i < images.size(); i += 2)
        EXPECT_EQ(images[i].bytes, kept[i / 2]) << "image " << i;
    for (int sheet = 1; sheet <= kSheets; ++sheet)
    {
        const RECORDED_SCANNER_IMAGE& colour = images[3 * (sheet - 1) + 1];
        ASSERT_EQ(colour.info.BitsPerPixel, 24);
        EXPECT_EQ(colour.bytes, BitmapBytes(GeneratedPage(kDuplexFile, sheet, 0, 400, 600, 24, 200)))
            << "sheet " << sheet;
    }
}

TEST_F(ISISScannerTest, CompressedImagesPassThroughWithTheirFormat)
{
    Open("ZKDUPLEX", IsisProfile("ZKDUPLEX", 1));
    Manager().SetCompressionType(ZKISIS_COMPRESSION_PER_WINDOW);
    const int frontG4[2] = {1, 4};
    ASSERT_TRUE(m_scanner.SetTagValue(2002, const_cast<int*>(frontG4)));
    AcquireAll();
    const std::vector<RECORDED_SCANNER_IMAGE> images = m_recorder.Images();
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].info.imageFormat.value, 3);
    EXPECT_EQ(PackedRows(Decoded(images[0])),
              Inverted(PackedRows(GeneratedPage(kDuplexFile, 1, 0, 400, 600, 1, 200))));
}

struct ISIS_FAULT_CASE
{
    const char* fault;
    int error;
};

class ISISScannerFaultTest : public ISISScannerFixture,
                             public ::testing::WithParamInterface<ISIS_FAULT_CASE>
{
};

TEST_P(ISISScannerFaultTest, FaultIsReportedOnceAndEarlierImagesKept)
{
    Open("ZKDUPLEX",
         IsisProfile("ZKDUPLEX", 3, {}, std::string("Fault = ") + GetParam().fault + " 2\n"));
    AcquireAll();
    EXPECT_EQ(m_recorder.Errors(), std::vector<int>{GetParam().error});
    const std::vector<RECORDED_SCANNER_IMAGE> images = m_recorder.Images();
    ASSERT_EQ(images.size(), 2u) << "the first sheet, once";
    EXPECT_EQ(images[0].info.imageSide.value, 1);
    EXPECT_EQ(images[1].info.imageSide.value, 2);
    EXPECT_EQ(m_recorder.Ends().size(), 1u);
    // The scanner stays usable.
    AcquireAll(2);
    EXPECT_EQ(m_recorder.Images().size(), 4u);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ISISScannerFaultTest,
    ::testing::Values(ISIS_FAULT_CASE{"PaperJam", QX_SCANNER_ERROR_PAPERJAM},
                      ISIS_FAULT_CASE{"DoubleFeed", QX_SCANNER_ERROR_DOUBLEFEED},
                      ISIS_FAULT_CASE{"OutOfMemory", QX_SCANNER_ERROR_LOWMEMORY},
                      ISIS_FAULT_CASE{"Cancel", QX_SCANNER_ERROR_CANCELLED},
                      ISIS_FAULT_CASE{"Throw", QX_SCANNER_ERROR_FAILURE}));

TEST_F(ISISScannerTest, DataBeyondTheImageIsOneFailureAndNoImage)
{
    Open("ZKDUPLEX", IsisProfile("ZKDUPLEX", 2, {}, "Fault = LongBlock 1\n"));
    AcquireAll();
    EXPECT_EQ(m_recorder.Errors(), std::vector<int>{QX_SCANNER_ERROR_FAILURE});
    EXPECT_TRUE(m_recorder.Images().empty());
}

TEST_F(ISISScannerTest, DeviceInformationOfVRSNamesItsDefaultImageDevice)
{
    struct PrivateFolders
    {
        ~PrivateFolders()
        {
            unsetenv("ZK_REGISTRY_DIR");
            unsetenv("ZK_COMMON_APPDATA_DIR");
        }
    } restore;
    const std::string registry = m_folder.Path() + "/registry";
    const std::string appData = m_folder.Path() + "/appdata";
    setenv("ZK_REGISTRY_DIR", registry.c_str(), 1);
    setenv("ZK_COMMON_APPDATA_DIR", appData.c_str(), 1);
    std::filesystem::create_directories(appData + "/Kofax/Vrs");
    std::ofstream(appData + "/Kofax/Vrs/kofax200.ini")
        << "[Defaults]\nDefaultImageDevice=ZK Virtual Duplex 60\n";
    const std::wstring key = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Kofax\\Condor";
    ASSERT_TRUE(CZKRegistry().SetString(key, L"Version", L"4.2.0"));
    Open("KOFAXVRS", IsisProfile("KOFAXVRS", 1));
    ASSERT_TRUE(m_scanner.SetTagValue(2005, L"9.9"));
    QX_SCANNER_DEVICE_INFO info;
    ASSERT_TRUE(m_scanner.GetTagValue(6, static_cast<void*>(&info)));
    EXPECT_EQ(info.strProduct, L"KOFAXVRS");
    EXPECT_EQ(info.strInfo, L"ZK Virtual Duplex 60");

    // VRS 3.x has no default device to name: the driver's own text stays.
    ASSERT_TRUE(CZKRegistry().SetString(key, L"Version", L"3.1.0"));
    ZK_ISIS_DRIVERINFO driver;
    ASSERT_TRUE(Manager().GetDriverInfo(driver));
    ASSERT_TRUE(m_scanner.GetTagValue(6, static_cast<void*>(&info)));
    EXPECT_EQ(info.strInfo, driver.Description);
}
