// Scanner configuration records: their operations, the camera script form
// and the two file formats.
#include <brackwater/QX_CAMERAINFO_TYPE.h>
#include <brackwater/QX_JOBCFG_SCANNER_GROUP_TYPE.h>
#include <brackwater/QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE.h>
#include <brackwater/QX_SCNCFG_CONFIGDATA_TYPE.h>
#include <brackwater/QX_SCNCFG_SCANNERNAME_TYPE.h>

#include <hollin/ZKCommon.h>
#include <hollin/ZKMarkedFile.h>
#include <hollin/ZKRBuffer.h>
#include <hollin/ZKScript.h>

#include "QXSCNCFGDataFile.h"
#include "common/TempFolder.h"

#include <gtest/gtest.h>

namespace
{
QX_SCNCFG_CONFIGDATA_TYPE SampleConfig()
{
    QX_SCNCFG_CONFIGDATA_TYPE config;
    const BYTE data[] = {1, 2, 3, 0, 255};
    config.customdata_set(CZKRBuffer(data, sizeof(data)));
    config.strScannerName = L"twain:Model 9";
    config.bCameraInfo = TRUE;
    for (int i = 0; i < QX_SCNCFG_CONFIGDATA_TYPE::CAMERA_COUNT; ++i)
    {
        QX_CAMERAINFO_TYPE& camera = config.cameras[i];
        camera.bAvailable = TRUE;
        camera.bEnabled = i % 2;
        camera.bGrayScale = i == 0;
        camera.XResolution = static_cast<WORD>(200 + i);
        camera.YResolution = static_cast<WORD>(300 + i);
        camera.ex.bSupportiThresholding = TRUE;
        camera.ex.strCurrentThresholdingMode = L"Mode" + std::to_wstring(i);
        camera.ex.nThreshold = 90 + i;
        camera.ex.nContrast = -i;
    }
    return config;
}

QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE SampleAdvanced()
{
    QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE adv;
    adv.strScannerName = L"isis:Model 4";
    adv.imageAddressFormat.SetSlot(0, 'F', 4);
    adv.imageAddressFormat.SetSlot(1, '1', 5);
    const BYTE global[] = {9, 8, 7};
    adv.globalData.CopyFrom(global, sizeof(global));
    const BYTE settings[] = {0xEF, 0xBB, 0xBF, '[', 'S', ']'};
    adv.settingsBlock.CopyFrom(settings, sizeof(settings));
    return adv;
}

// A writer of the old format, which stopped after the camera basics.
void WriteBasicsOnly(const std::wstring& path, const QX_SCNCFG_CONFIGDATA_TYPE& config)
{
    __CQXSCNCFGDataFile file;
    ASSERT_TRUE(file.Create(path));
    file._RW_W_string(config.strScannerName);
    file._RW_W_BYTE(config.configMode.value);
    file._RW_W_buffer(config.driverData);
    file._RW_W_string(config.strProfileID);
    file._RW_W_string(config.strProfileName);
    file._RW_W_long(config.bCameraInfo);
    for (const QX_CAMERAINFO_TYPE& camera : config.cameras)
    {
        file._RW_W_long(camera.bAvailable);
        file._RW_W_long(camera.bEnabled);
        file._RW_W_long(camera.bGrayScale);
        file._RW_W_WORD(camera.XResolution);
        file._RW_W_WORD(camera.YResolution);
    }
    ASSERT_TRUE(file.Close());
}

bool Exists(const std::wstring& path)
{
    CZKRBuffer ignored;
    return SZKCommon::FileToBuffer(path, ignored) != 0;
}
} // namespace

TEST(ScannerName, Convention)
{
    QX_SCNCFG_SCANNERNAME_TYPE name(L"  twain:Model  ");
    EXPECT_TRUE(name.check());
    name.normalize();
    EXPECT_EQ(L"twain:Model", name.strName);
    EXPECT_EQ(0, name.compare(QX_SCNCFG_SCANNERNAME_TYPE(L"TWAIN:model")));
    EXPECT_EQ(-1, name.compare(QX_SCNCFG_SCANNERNAME_TYPE(L"twain:Model2")));
    EXPECT_FALSE(QX_SCNCFG_SCANNERNAME_TYPE().check());
}

TEST(CameraInfo, CheckNormalizeCompare)
{
    QX_CAMERAINFO_TYPE camera;
    camera.bEnabled = TRUE;
    camera.YResolution = 2401;
    EXPECT_TRUE(camera.check());
    camera.XResolution = 2400;
    EXPECT_TRUE(camera.check());
    camera.XResolution = 2401;
    EXPECT_FALSE(camera.check());
    camera.normalize();
    EXPECT_EQ(QX_CAMERAINFO_TYPE(), camera);

    QX_CAMERAINFO_TYPE a, b;
    a.ex.strCurrentThresholdingMode = L"Dynamic";
    b.ex.strCurrentThresholdingMode = L"DYNAMIC";
    EXPECT_EQ(a, b);
    b.ex.nContrast = 1;
    EXPECT_NE(a, b);
}

TEST(CameraInfo, ScriptKeysAndLimits)
{
    CZKScript script;
    script.SetDefaultSection(L"Scanner");
    const QX_CAMERAINFO_TYPE camera = SampleConfig().cameras[1];
    ASSERT_TRUE(camera.toscript(script, L"Camera1"));
    BOOL flag = FALSE;
    ASSERT_TRUE(script.R_BOOL(L"Camera1-SupportiThresholding", flag));
    std::wstring mode;
    ASSERT_TRUE(script.GetKeyValue(L"Camera1-CurrentThresholdingMode", mode));
    EXPECT_EQ(L"Mode1", mode);
    QX_CAMERAINFO_TYPE back;
    ASSERT_TRUE(back.fromscript(script, L"Camera1"));
    EXPECT_EQ(camera, back);

    // An out-of-range resolution reads as 0 instead of wrapping.
    script.W_int(L"Camera1-XRes", 70000);
    script.W_int(L"Camera1-YRes", 2401);
    ASSERT_TRUE(back.fromscript(script, L"Camera1"));
    EXPECT_EQ(0, back.XResolution);
    EXPECT_EQ(0, back.YResolution);

    script.RemoveKey(L"Camera1-Contrast");
    EXPECT_FALSE(back.fromscript(script, L"Camera1"));
    EXPECT_EQ(QX_CAMERAINFO_TYPE(), back);
}

TEST(ScannerConfig, ModesCheckAndEmptiness)
{
    QX_SCNCFG_CONFIGDATA_TYPE config;
    EXPECT_TRUE(config.isEmpty());
    EXPECT_FALSE(config.check());

    config.strScannerName = L"twain:X";
    EXPECT_FALSE(config.check()); // mode 0 without driver data
    config.normalize();
    EXPECT_EQ(QX_SCNCFG_CONFIGDATA_TYPE(), config);

    const BYTE data[] = {5};
    ASSERT_TRUE(config.customdata_set(CZKRBuffer(data, 1)));
    config.strScannerName = L"twain:X";
    EXPECT_TRUE(config.check());
    EXPECT_FALSE(config.isEmpty());
    CZKRBuffer out(data, 1);
    ASSERT_TRUE(config.customdata_get(out));
    EXPECT_EQ(1u, out.GetSize());
    std::wstring text = L"stale";
    EXPECT_FALSE(config.profile_get_id(text));
    EXPECT_TRUE(text.empty());

    config.profile_set_id(L"ID-1");
    config.profile_set_name(L"Office");
    ASSERT_TRUE(config.profile_get_name(text));
    EXPECT_EQ(L"Office", text);
    ASSERT_TRUE(config.profile_get_id(text));
    EXPECT_TRUE(text.empty());
    EXPECT_FALSE(config.customdata_get(out));
    EXPECT_EQ(0u, out.GetSize());
    EXPECT_FALSE(config.check()); // the profile reset cleared the name
    config.strScannerName = L"isis:Y";
    EXPECT_TRUE(config.check());

    config.configMode.value = 2;
    EXPECT_FALSE(config.check());
    EXPECT_TRUE(config.isEmpty());
}

TEST(ScannerConfig, CaptureSideAndExtendedAvailability)
{
    QX_SCNCFG_CONFIGDATA_TYPE config = SampleConfig();
    config.bCameraInfo = FALSE;
    EXPECT_EQ(0, config.GetCaptureSide());
    config.bCameraInfo = TRUE;
    EXPECT_EQ(2, config.GetCaptureSide()); // slots 1 and 3 enabled
    config.cameras[2].bEnabled = TRUE;
    EXPECT_EQ(3, config.GetCaptureSide());
    config.cameras[1].bEnabled = config.cameras[3].bEnabled = FALSE;
    EXPECT_EQ(1, config.GetCaptureSide());

    EXPECT_TRUE(config.cameraEx_available());
    config.cameras[0].ex.strCurrentThresholdingMode = L"60dc6abc-c27f-413E-99f6-c9b783d6509e";
    EXPECT_FALSE(config.cameraEx_available());
    config.cameras[0].ex.strCurrentThresholdingMode.clear();
    EXPECT_FALSE(config.cameraEx_available());
}

TEST(ScannerConfig, CopyAndCompare)
{
    const QX_SCNCFG_CONFIGDATA_TYPE original = SampleConfig();
    QX_SCNCFG_CONFIGDATA_TYPE copy(original);
    EXPECT_EQ(original, copy);
    copy.strScannerName = L"TWAIN:MODEL 9";
    EXPECT_EQ(original, copy);
    copy.driverData.GetPtr()[0] ^= 1;
    EXPECT_NE(original, copy);
    copy = original;
    copy.strProfileName = L"p";
    EXPECT_NE(original, copy);
    copy = original;
    copy.cameras[3].YResolution = 1;
    EXPECT_NE(original, copy);
}

TEST(ScannerConfigFile, RoundTrip)
{
    CTempFolder folder;
    const std::wstring path = folder.File("scanner.cfg");
    QX_SCNCFG_CONFIGDATA_TYPE original = SampleConfig();
    ASSERT_TRUE(original.tofile(path));
    QX_SCNCFG_CONFIGDATA_TYPE back;
    ASSERT_TRUE(back.fromfile(path));
    EXPECT_EQ(original, back);
    EXPECT_EQ(L"Mode3", back.cameras[3].ex.strCurrentThresholdingMode);

    QX_SCNCFG_CONFIGDATA_TYPE profile;
    profile.profile_set_name(L"Profile \U0001F600");
    profile.strScannerName = L"isis:Z";
    ASSERT_TRUE(profile.tofile(path));
    ASSERT_TRUE(back.fromfile(path));
    EXPECT_EQ(profile, back);
}

TEST(ScannerConfigFile, WriteNormalizesTheRecord)
{
    CTempFolder folder;
    QX_SCNCFG_CONFIGDATA_TYPE invalid;
    invalid.strScannerName = L"twain:nodata";
    ASSERT_TRUE(invalid.tofile(folder.File("a.cfg")));
    EXPECT_EQ(QX_SCNCFG_CONFIGDATA_TYPE(), invalid);
}

TEST(ScannerConfigFile, OldFileEndingAfterCameraBasics)
{
    CTempFolder folder;
    const std::wstring path = folder.File("old.cfg");
    const QX_SCNCFG_CONFIGDATA_TYPE original = SampleConfig();
    WriteBasicsOnly(path, original);

    QX_SCNCFG_CONFIGDATA_TYPE back;
    ASSERT_TRUE(back.fromfile(path));
    EXPECT_EQ(original.strScannerName, back.strScannerName);
    EXPECT_EQ(original.cameras[2].XResolution, back.cameras[2].XResolution);
    EXPECT_FALSE(back.cameraEx_available());
    for (const QX_CAMERAINFO_TYPE& camera : back.cameras)
        EXPECT_EQ(QX_CAMERAINFO_EX::NOT_FILLED, camera.ex.strCurrentThresholdingMode);
}

TEST(ScannerConfigFile, TruncatedOrForeignFilesFailAndReset)
{
    CTempFolder folder;
    const std::wstring path = folder.File("full.cfg");
    QX_SCNCFG_CONFIGDATA_TYPE original = SampleConfig();
    ASSERT_TRUE(original.tofile(path));
    CZKRBuffer bytes;
    ASSERT_TRUE(SZKCommon::FileToBuffer(path, bytes));

    // Every cut inside the basics fails; cuts inside the extended parts load.
    const std::wstring cut = folder.File("cut.cfg");
    bool sawExtendedCut = false;
    for (size_t size = 0; size < bytes.GetSize(); ++size)
    {
        ASSERT_TRUE(SZKCommon::BufferToFile(CZKRBuffer(bytes.GetPtr(), size), cut));
        QX_SCNCFG_CONFIGDATA_TYPE back = SampleConfig();
        if (back.fromfile(cut))
        {
            sawExtendedCut = true;
            EXPECT_EQ(original.cameras[3].XResolution, back.cameras[3].XResolution);
            EXPECT_EQ(QX_CAMERAINFO_EX::NOT_FILLED, back.cameras[3].ex.strCurrentThresholdingMode);
        }
        else
        {
            EXPECT_EQ(QX_SCNCFG_CONFIGDATA_TYPE(), back) << size;
        }
    }
    EXPECT_TRUE(sawExtendedCut);

    QX_JOBCFG_SCANNER_GROUP_TYPE group;
    const std::wstring groupPath = folder.File("group.dat");
    ASSERT_TRUE(group.tofile(groupPath));
    QX_SCNCFG_CONFIGDATA_TYPE back = SampleConfig();
    EXPECT_FALSE(back.fromfile(groupPath));
    EXPECT_EQ(QX_SCNCFG_CONFIGDATA_TYPE(), back);
    EXPECT_FALSE(group.fromfile(path));
    EXPECT_FALSE(back.fromfile(folder.File("missing.cfg")));
}

TEST(ScannerConfigFile, FailedWriteLeavesNoFile)
{
    CTempFolder folder;
    const std::wstring path = folder.File("bad.cfg");
    QX_SCNCFG_CONFIGDATA_TYPE config = SampleConfig();
    config.strScannerName = std::wstring(1, static_cast<wchar_t>(0xD800)); // not storable
    EXPECT_FALSE(config.tofile(path));
    EXPECT_FALSE(Exists(path));
    EXPECT_FALSE(SampleConfig().tofile(folder.File("no/such/folder.cfg")));
}

TEST(AdvancedConfig, BufferRoundTrip)
{
    const QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE original = SampleAdvanced();
    EXPECT_TRUE(original.check());
    CZKRBuffer buffer;
    ASSERT_TRUE(original.toBuffer(buffer));
    QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE back;
    ASSERT_TRUE(back.fromBuffer(buffer));
    EXPECT_EQ(original, back);

    // The format travels as its 20 raw bytes after the name.
    const size_t nameBytes = 4 + 2 * original.strScannerName.size();
    ASSERT_GT(buffer.GetSize(), nameBytes + 20);
    EXPECT_EQ('F', buffer.GetPtr()[nameBytes + 4]);

    QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE untouched = SampleAdvanced();
    ASSERT_TRUE(untouched.fromBuffer(CZKRBuffer()));
    EXPECT_EQ(original, untouched);

    for (size_t size = 1; size < buffer.GetSize(); ++size)
    {
        QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE cut = SampleAdvanced();
        EXPECT_FALSE(cut.fromBuffer(CZKRBuffer(buffer.GetPtr(), size))) << size;
        EXPECT_EQ(QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE(), cut);
    }
}

TEST(AdvancedConfig, Convention)
{
    QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE adv = SampleAdvanced();
    QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE other = adv;
    other.strScannerName = L"ISIS:MODEL 4";
    EXPECT_EQ(adv, other);
    other.settingsBlock.GetPtr()[0] = 0;
    EXPECT_NE(adv, other);

    adv.imageAddressFormat.SetSlot(2, 'N', 1);
    EXPECT_FALSE(adv.check());
    adv.normalize();
    EXPECT_TRUE(adv.isEmpty());
    EXPECT_EQ(QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE(), adv);
}

TEST(ScannerGroup, CheckAndFileRoundTrip)
{
    QX_JOBCFG_SCANNER_GROUP_TYPE group;
    EXPECT_EQ(1, group.nSettings[0]);
    EXPECT_TRUE(group.check());
    group.nSettings[4] = 1;
    group.nSettings[5] = -1;
    EXPECT_FALSE(group.check());
    group.normalize();
    EXPECT_EQ(QX_JOBCFG_SCANNER_GROUP_TYPE(), group);

    group.strScannerName = L"twain:A";
    EXPECT_FALSE(group.check()); // its advanced configuration has no name
    group.advancedConfig = SampleAdvanced();
    EXPECT_TRUE(group.check());
    group.nSettings[2] = -7;
    group.strExtra = L"tail";

    CTempFolder folder;
    const std::wstring path = folder.File("group.dat");
    ASSERT_TRUE(group.tofile(path));
    QX_JOBCFG_SCANNER_GROUP_TYPE back;
    ASSERT_TRUE(back.fromfile(path));
    EXPECT_EQ(group, back);

    CZKScript script;
    EXPECT_TRUE(back.toscript(script));
    EXPECT_TRUE(back.fromscript(script));
}

TEST(ScannerGroup, RejectedAdvancedBlockFailsTheRead)
{
    CTempFolder folder;
    const std::wstring path = folder.File("group.dat");
    {
        CZKMarkedFile file;
        ASSERT_TRUE(file.Create(path));
        file.RW_W_string(L"twain:A");
        const BYTE junk[] = {200, 0, 0, 0, 1};
        file.RW_W_buffer(CZKRBuffer(junk, sizeof(junk)));
        for (int i = 0; i < 6; ++i)
            file.RW_W_long(i);
        file.RW_W_string(L"x");
        ASSERT_TRUE(file.Close());
    }
    QX_JOBCFG_SCANNER_GROUP_TYPE group;
    group.strExtra = L"before";
    EXPECT_FALSE(group.fromfile(path));
    EXPECT_EQ(QX_JOBCFG_SCANNER_GROUP_TYPE(), group);
}
