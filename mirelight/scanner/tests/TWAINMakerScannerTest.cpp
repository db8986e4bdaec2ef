// The maker's scanners through the facade: vendor capabilities, the vendor
// data-source commands, driver profiles, cameras as directories, no-wait
// transfers and the vendor image header, against the maker profiles of the
// virtual source.
#include "TWAINScannerFixture.h"

#include <mirelight/QX_SCANNER_CAMERAINFO.h>
#include <mirelight/QX_SCANNER_DEVICE_INFO.h>
#include <mirelight/QX_SCANNER_PROFILE.h>

#include <brackwater/QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE.h>
#include <brackwater/QX_SCNCFG_CONFIGDATA_TYPE.h>
#include <hollin/ZKRBuffer.h>
#include <hollin/ZKStringList.h>

namespace
{
// cirque: a family with driver profiles; fell: settings-manipulator blocks.
const wchar_t* const kProfileScanner = L"twain:Vantrel HX640";
const wchar_t* const kFellScanner = L"twain:Vantrel PX310";

std::string MakerProfile(const std::string& sample, int sheets, const std::string& extra = "")
{
    std::string profile = SampleProfileText(sample, extra);
    const std::string from = "Sheets = 4";
    profile.replace(profile.find(from), from.size(), "Sheets = " + std::to_string(sheets));
    return profile;
}

class TWAINMakerScannerTest : public TWAINScannerFixture
{
protected:
    void OpenProfileScanner(int sheets = 2, const std::string& extra = "")
    {
        Open(MakerProfile("vantrel_hx640", sheets, extra), TWSX_MEMORY, kProfileScanner);
    }
};
} // namespace

TEST_F(TWAINMakerScannerTest, VendorCapabilitiesAndTheDeviceInformationBlock)
{
    OpenProfileScanner();
    EXPECT_EQ(QX_SCANNER_FAMILY_CIRQUE, m_scanner.GetCurrentScannerFamily());
    unsigned int mask = 0;
    ASSERT_TRUE(m_scanner.GetCapabilityMask(mask));
    EXPECT_EQ(0x3Fu, mask); // data block, duplex, imprinter, 0x8015, commands, profiles

    QX_SCANNER_DEVICE_INFO device;
    ASSERT_TRUE(m_scanner.GetTagValue(6, &device));
    EXPECT_EQ(6401, device.nModel);
    EXPECT_EQ(L"Vantrel HX640 firmware 3.2.1", device.strInfo);
    EXPECT_EQ(L"Vantrel HX640", device.strProduct);
    EXPECT_EQ(L"Vantrel HX640", device.strProductAnsi);
    EXPECT_EQ(7, device.nInfo);

    int value = -1;
    EXPECT_TRUE(m_scanner.GetTagValue(2, value));
    EXPECT_EQ(7, value);
    EXPECT_TRUE(m_scanner.GetTagValue(3, value));
    EXPECT_EQ(3, value);
    EXPECT_TRUE(m_scanner.GetTagValue(15, value));
    EXPECT_EQ(1, value);
    EXPECT_TRUE(m_scanner.GetTagValue(1014, value));
    EXPECT_EQ(1, value);
    EXPECT_TRUE(m_scanner.GetTagValue(1015, value));
    EXPECT_EQ(0, value); // pairing on, pairing mode 0
    EXPECT_TRUE(m_scanner.GetTagValue(1010, value));
    EXPECT_EQ(1, value);
    EXPECT_EQ(QX_SCANNER_UI_OK, m_scanner.Setup(nullptr, QX_SCANNER_GUISETUP_PROFILES));
    EXPECT_EQ(QX_SCANNER_UI_OK, m_scanner.Setup(nullptr, QX_SCANNER_GUISETUP_SETTINGS));
}

TEST_F(TWAINMakerScannerTest, DriverProfilesAreListedReadAndSelected)
{
    OpenProfileScanner();
    CZKStringList ids;
    ASSERT_TRUE(m_scanner.GetTagValue(1002, &ids));
    ASSERT_EQ(2, ids.GetCount()); // the factory profile cannot be selected
    EXPECT_EQ(L"P-0001", ids.GetAt(0));
    EXPECT_EQ(L"P-0002", ids.GetAt(1));

    std::wstring current;
    ASSERT_TRUE(m_scanner.GetTagValue(1003, current));
    EXPECT_EQ(L"P-0001", current);
    QX_SCANNER_PROFILE profile;
    profile.strId = L"P-0002";
    ASSERT_TRUE(m_scanner.GetTagValue(1005, &profile));
    EXPECT_EQ(L"Invoices", profile.strName);
    EXPECT_EQ(L"Bitonal front, 300 dpi", profile.strText);

    EXPECT_TRUE(m_scanner.SetTagValue(1004, L"INVOICES"));
    ASSERT_TRUE(m_scanner.GetTagValue(1003, current));
    EXPECT_EQ(L"P-0002", current);
    EXPECT_FALSE(m_scanner.SetTagValue(1003, L"P-9999"));
    EXPECT_TRUE(m_scanner.SetTagValue(1003, L"p-0001"));
    ASSERT_TRUE(m_scanner.GetTagValue(1003, current));
    EXPECT_EQ(L"P-0001", current);
}

TEST_F(TWAINMakerScannerTest, ConfigurationsUseProfilesAndIndexedSettings)
{
    OpenProfileScanner();
    QX_SCNCFG_CONFIGDATA_TYPE config;
    ASSERT_TRUE(m_scanner.GetConfig(config));
    EXPECT_EQ(L"Vantrel HX640", config.strScannerName);
    EXPECT_EQ(QX_SCNCFG_CONFIGDATA_TYPE::MODE_PROFILE, config.configMode.value);
    EXPECT_EQ(L"P-0001", config.strProfileID);
    EXPECT_EQ(L"Default", config.strProfileName);

    config.strProfileID = L"P-0002";
    ASSERT_TRUE(m_scanner.SetConfig(config));
    QX_SCNCFG_CONFIGDATA_TYPE reread;
    ASSERT_TRUE(m_scanner.GetConfig(reread));
    EXPECT_EQ(L"P-0002", reread.strProfileID);
    EXPECT_EQ(L"Invoices", reread.strProfileName);

    QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE advanced;
    ASSERT_TRUE(m_scanner.GetAdvancedConfig(advanced, nullptr));
    const BYTE stored[] = {0x56, 0x54, 0x53, 0x31, 0x00, 0x02};
    EXPECT_EQ(CZKRBuffer(stored, sizeof(stored)), CZKRBuffer(advanced.globalData));
    const BYTE changed[] = {0x01, 0x02, 0x03};
    ASSERT_TRUE(advanced.globalData.CopyFrom(changed, sizeof(changed)));
    std::wstring error;
    ASSERT_TRUE(m_scanner.SetAdvancedConfig(advanced, error));
    QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE again;
    ASSERT_TRUE(m_scanner.GetAdvancedConfig(again, nullptr));
    EXPECT_EQ(CZKRBuffer(changed, sizeof(changed)), CZKRBuffer(again.globalData));
}

TEST_F(TWAINMakerScannerTest, SettingsManipulatorFamiliesKeepTheCallersBlock)
{
    Open(MakerProfile("vantrel_px310", 1), TWSX_MEMORY, kFellScanner);
    EXPECT_EQ(QX_SCANNER_FAMILY_FELL, m_scanner.GetCurrentScannerFamily());
    QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE advanced;
    EXPECT_FALSE(m_scanner.GetAdvancedConfig(advanced, nullptr)); // these families need a block
    const BYTE block[] = {0x10, 0x20, 0x30};
    CZKRBuffer settings(block, sizeof(block));
    ASSERT_TRUE(m_scanner.GetAdvancedConfig(advanced, &settings));
    EXPECT_EQ(L"Vantrel PX310", advanced.strScannerName);
    EXPECT_EQ(settings, advanced.settingsBlock);
}

TEST_F(TWAINMakerScannerTest, CamerasAreReadPerDirectoryAndTheCaptureSideWritten)
{
    OpenProfileScanner();
    QX_SCANNER_CAMERAINFO cameras;
    ASSERT_TRUE(m_scanner.GetTagValue(9, &cameras));
    EXPECT_TRUE(cameras.bDuplex);
    EXPECT_TRUE(cameras.bMultiStream);
    EXPECT_TRUE(cameras.bVendorFlag);
    for (const QX_SCANNER_CAMERA& camera : cameras.cameras)
        EXPECT_TRUE(camera.bAvailable);
    EXPECT_FALSE(cameras.cameras[0].bEnabled);
    EXPECT_TRUE(cameras.cameras[1].bEnabled);
    EXPECT_FALSE(cameras.cameras[2].bEnabled);
    EXPECT_TRUE(cameras.cameras[3].bEnabled);
    EXPECT_EQ(QX_SCANNER_CAMERA::MODE_COLOR, cameras.cameras[0].nColorMode);
    EXPECT_EQ(QX_SCANNER_CAMERA::MODE_GRAY, cameras.cameras[2].nColorMode);
    EXPECT_EQ(6, cameras.cameras[0].nColorModeMask);
    EXPECT_EQ(200, cameras.cameras[1].XResolution.value);
    EXPECT_EQ(128, cameras.cameras[1].advCaps.nThreshold);
    EXPECT_EQ(100, cameras.cameras[3].advCaps.nThreshold);
    EXPECT_FALSE(cameras.cameras[1].advCaps.bThresholdReadOnly);
    EXPECT_TRUE(cameras.cameras[1].advCaps.bContrastReadOnly);
    EXPECT_EQ(3, cameras.cameras[1].advCaps.halftones.GetCount());
    EXPECT_EQ(L"None", cameras.cameras[1].advCaps.strHalftone);

    int side = 0;
    ASSERT_TRUE(m_scanner.GetTagValue(5, side));
    EXPECT_EQ(2, side); // images per sheet: both bitonal cameras
    ASSERT_TRUE(m_scanner.GetTagValue(11, side));
    EXPECT_EQ(3, side);
    ASSERT_TRUE(m_scanner.SetTagValue(11, 1));
    ASSERT_TRUE(m_scanner.GetTagValue(11, side));
    EXPECT_EQ(1, side);
    QX_SCANNER_CAMERAINFO front;
    ASSERT_TRUE(m_scanner.GetTagValue(9, &front));
    EXPECT_TRUE(front.cameras[1].bEnabled);
    EXPECT_FALSE(front.cameras[3].bEnabled);

    // A camera write reaches only that camera's directory.
    front.cameras[3].advCaps.nThreshold = 90;
    front.cameras[1].advCaps.nThreshold = 140;
    ASSERT_TRUE(m_scanner.SetTagValue(9, 0, &front));
    QX_SCANNER_CAMERAINFO written;
    ASSERT_TRUE(m_scanner.GetTagValue(9, &written));
    EXPECT_EQ(140, written.cameras[1].advCaps.nThreshold);
    EXPECT_EQ(90, written.cameras[3].advCaps.nThreshold);
    front.bAutoColorDetect = 1;
    EXPECT_FALSE(m_scanner.SetTagValue(9, 0, &front));
}

TEST_F(TWAINMakerScannerTest, NoWaitTransfersCarryTheVendorHeaderAndTheCounterGoesOn)
{
    CTraceCapture trace;
    OpenProfileScanner(2, "[Device]\nReload = 2\n");
    AcquireAll();
    EXPECT_TRUE(trace.Contains("Support NoWait"));
    const std::vector<RECORDED_SCANNER_IMAGE> images = m_recorder.Images();
    ASSERT_EQ(4u, images.size());
    EXPECT_TRUE(m_recorder.Errors().empty());
    for (size_t i = 0; i < images.size(); ++i)
    {
        const LONG document = static_cast<LONG>(i / 2 + 1);
        EXPECT_EQ(static_cast<int>(i % 2) + 1, images[i].info.imageSide.value);
        EXPECT_EQ(document, Tag(images[i], 300)) << "image " << i;
        EXPECT_EQ(document, Tag(images[i], 100));
        EXPECT_EQ(static_cast<LONG>(i + 1), Tag(images[i], 203));
        EXPECT_EQ(1, Tag(images[i], 400));
        std::wstring imprint;
        ASSERT_TRUE(images[i].tags.GetValue(301, imprint));
        EXPECT_EQ(L"DOC " + std::to_wstring(document), imprint);
    }
    ASSERT_EQ(1u, m_recorder.Begins().size());
    EXPECT_EQ(L"VT-6401-0042", m_recorder.Begins()[0].strSerialNumber);
    EXPECT_EQ(2, m_recorder.Begins()[0].nImagesPerSheet);
    ASSERT_EQ(1u, m_recorder.Ends().size());
    EXPECT_EQ(3, m_recorder.Ends()[0].nNextCounter);

    // The next session numbers on from where the scanner's counter stands.
    AcquireAll(2);
    const std::vector<RECORDED_SCANNER_IMAGE> more = m_recorder.Images();
    ASSERT_EQ(8u, more.size());
    EXPECT_EQ(3, Tag(more[4], 300));
    ASSERT_EQ(2u, m_recorder.Ends().size());
    EXPECT_EQ(5, m_recorder.Ends()[1].nNextCounter);
}

TEST_F(TWAINMakerScannerTest, BrokenVendorBlocksAreRefusedNotRead)
{
    OpenProfileScanner(1, "[Vendor]\nBroken = DEVICEINFO\nBroken = PROFILES\nBroken = SETTINGS\n");
    QX_SCANNER_DEVICE_INFO device;
    EXPECT_FALSE(m_scanner.GetTagValue(6, &device));
    CZKStringList ids;
    EXPECT_FALSE(m_scanner.GetTagValue(1002, &ids));
    std::wstring current;
    EXPECT_FALSE(m_scanner.GetTagValue(1003, current));
    CZKRBuffer settings;
    EXPECT_FALSE(m_scanner.GetTagValue(1012, 1, settings));
}
