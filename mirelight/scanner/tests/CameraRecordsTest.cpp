#include <mirelight/QX_SCANNER_CAMERAINFO.h>
#include <mirelight/QX_SCANNER_SCANMODE.h>

#include <gtest/gtest.h>

TEST(CameraRecordsTest, FreshCameraHasTheDocumentedDefaults)
{
    QX_SCANNER_CAMERA camera;
    EXPECT_FALSE(camera.bAvailable);
    EXPECT_FALSE(camera.bEnabled);
    EXPECT_EQ(camera.nColorMode, 1);
    EXPECT_EQ(camera.nColorModeMask, 0);
    EXPECT_EQ(camera.XResolution.value, 200);
    EXPECT_EQ(camera.YResolution.value, 200);
    EXPECT_EQ(camera.advCaps.nThreshold, 90);
    EXPECT_EQ(camera.advCaps.nContrast, 0);
    EXPECT_TRUE(camera.advCaps.bThresholdReadOnly);
    EXPECT_TRUE(camera.advCaps.bContrastReadOnly);

    camera.nColorMode = 4;
    camera.advCaps.halftones.AddTail(L"Dither");
    camera.reset();
    EXPECT_EQ(camera.nColorMode, 1);
    EXPECT_EQ(camera.advCaps.halftones.GetCount(), 0);

    QX_SCANNER_CAMERAINFO info;
    EXPECT_TRUE(info.bVendorFlag);
    EXPECT_EQ(info.nVendorValue, 0);
}

TEST(CameraRecordsTest, HalftoneListCompareIsOneSided)
{
    QX_SCANNER_CAMERA_ADVCAP_TW shorter;
    QX_SCANNER_CAMERA_ADVCAP_TW longer;
    shorter.halftones.AddTail(L"Auto ATP");
    longer.halftones.AddTail(L"auto atp"); // the list search ignores case
    longer.halftones.AddTail(L"Dither 8x8");
    EXPECT_EQ(shorter.compare(longer), 0);
    EXPECT_EQ(longer.compare(shorter), -1);
    EXPECT_TRUE(shorter == longer);

    // The current name compares with case.
    longer.halftones.RemoveAt(1);
    shorter.strHalftone = L"Auto ATP";
    longer.strHalftone = L"auto atp";
    EXPECT_EQ(shorter.compare(longer), -1);
    longer.strHalftone = shorter.strHalftone;
    longer.nThreshold = 91;
    EXPECT_EQ(shorter.compare(longer), -1);
}

TEST(CameraRecordsTest, CopiesAreDeepAndResolutionsAreNotCopied)
{
    QX_SCANNER_CAMERAINFO original;
    original.bDuplex = TRUE;
    original.resolutions = {200, 300};
    original.cameras[1].advCaps.halftones.AddTail(L"Dither");
    QX_SCANNER_CAMERAINFO copy(original);
    EXPECT_TRUE(copy == original);
    EXPECT_TRUE(copy.resolutions.empty());
    original.cameras[1].advCaps.halftones.AddTail(L"Error diffusion");
    EXPECT_EQ(copy.cameras[1].advCaps.halftones.GetCount(), 1);
    copy.cameras[3].bEnabled = TRUE;
    EXPECT_EQ(copy.compare(original), -1);

    copy.resolutions = {400};
    copy.reset();
    EXPECT_EQ(copy.resolutions.size(), 1u); // reset leaves the driver's list
}

TEST(CameraRecordsTest, GetCameraPicksTheSlotByColourMode)
{
    QX_SCANNER_CAMERAINFO info;
    info.cameras[0].nColorMode = 1;
    info.cameras[1].nColorMode = 2;
    EXPECT_EQ(info.GetCamera(QX_SCANNER_CAMERA_FRONT_COLOR), &info.cameras[1]);
    EXPECT_EQ(info.GetCamera(QX_SCANNER_CAMERA_FRONT_BITONAL), &info.cameras[0]);

    info.cameras[2].nColorMode = 4;
    info.cameras[3].nColorMode = 1;
    EXPECT_EQ(info.GetCamera(QX_SCANNER_CAMERA_REAR_COLOR), &info.cameras[2]);
    EXPECT_EQ(info.GetCamera(QX_SCANNER_CAMERA_REAR_BITONAL), &info.cameras[3]);

    info.cameras[2].nColorMode = 8; // no known mode
    info.cameras[3].nColorMode = 2;
    EXPECT_EQ(info.GetCamera(QX_SCANNER_CAMERA_REAR_COLOR), &info.cameras[3]);
    EXPECT_EQ(info.GetCamera(QX_SCANNER_CAMERA_REAR_BITONAL), nullptr);
    EXPECT_EQ(info.GetCamera(static_cast<EQXScannerCameraID>(4)), nullptr);
    EXPECT_EQ(info.GetCamera(static_cast<EQXScannerCameraID>(-1)), nullptr);
}

TEST(CameraRecordsTest, ColourModeMaskAndCaptureSide)
{
    QX_SCANNER_CAMERAINFO info;
    EXPECT_EQ(info.GetColorModeMask(), 0u);
    EXPECT_EQ(info.GetCaptureSide(), QX_SCANNER_SIDE_NONE);

    info.cameras[0].bEnabled = TRUE;
    info.cameras[0].nColorMode = 4;
    info.cameras[3].bEnabled = TRUE;
    info.cameras[3].nColorMode = 1;
    info.cameras[2].nColorMode = 2; // not enabled: adds nothing
    EXPECT_EQ(info.GetColorModeMask(), 5u);
    EXPECT_EQ(info.GetCaptureSide(), QX_SCANNER_SIDE_BOTH);

    info.cameras[1].bEnabled = TRUE;
    info.cameras[1].nColorMode = 3; // not a single mode: ignored
    EXPECT_EQ(info.GetColorModeMask(), 5u);

    info.bAutoColorDetect = TRUE;
    EXPECT_EQ(info.GetColorModeMask(), 0u);

    QX_SCANNER_CAMERAINFO rearOnly;
    rearOnly.cameras[3].bEnabled = TRUE;
    EXPECT_EQ(rearOnly.GetCaptureSide(), QX_SCANNER_SIDE_BACK);
}

TEST(CameraRecordsTest, CheckAndNormalizeCoverEveryResolution)
{
    QX_SCANNER_CAMERAINFO info;
    EXPECT_TRUE(info.check());
    info.cameras[2].YResolution.value = 9600;
    EXPECT_FALSE(info.check());
    info.normalize();
    EXPECT_TRUE(info.check());

    QX_SCANNER_SCANMODE mode;
    EXPECT_EQ(mode.nMode, 0);
    mode.XResolution.value = 5000;
    EXPECT_FALSE(mode.check());
    QX_SCANNER_SCANMODE other(mode);
    EXPECT_TRUE(other == mode);
    mode.normalize();
    EXPECT_TRUE(mode.check());
    EXPECT_EQ(mode.compare(other), -1);
}
