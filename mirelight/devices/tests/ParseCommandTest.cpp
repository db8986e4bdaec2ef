#include "common/ImageDeviceFixture.h"

#include <mirelight/QXImageDeviceManager.h>

#include <wincompat/ZKPlatformVersion.h>
#include <wincompat/ZKRegistry.h>

namespace
{
const std::wstring kStiFrontDeskScan = L" /StiDevice:{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0001"
                                       L" /StiEvent:{a6c5a715-8c6e-11d2-977a-0000f87a926f}";

class ParseCommandTest : public ImageDeviceFixture
{
protected:
    void SetUp() override
    {
        ImageDeviceFixture::SetUp();
        ASSERT_TRUE(m_manager.Initialize());
    }

    // The index ParseCommand reports, or -100 when it fails.
    int Parse(const std::wstring& commandLine)
    {
        LaunchedWith(commandLine);
        int index = -100;
        return m_manager.ParseCommand(index) ? index : -100;
    }

    CQXImageDeviceManager m_manager;
};

TEST_F(ParseCommandTest, ImageAcquisitionEventArgument)
{
    EXPECT_EQ(3, Parse(L"capture /WiaEvent=3"));
    EXPECT_EQ(0, Parse(L"capture /wiaevent=0"));
    EXPECT_EQ(8, Parse(L"capture /WIAEVENT=8 /more"));
}

TEST_F(ParseCommandTest, BadEventArgumentsLeaveItToTheStillImageInformation)
{
    // Nothing to fall back on: the call fails.
    EXPECT_EQ(-100, Parse(L"capture /WiaEvent=12"));
    EXPECT_EQ(-100, Parse(L"capture /WiaEvent=9"));
    EXPECT_EQ(-100, Parse(L"capture /WiaEvent="));
    EXPECT_EQ(-100, Parse(L"capture /WiaEvent=x")); // not read as 0
    EXPECT_EQ(-100, Parse(L"capture /WiaEvents3"));
    EXPECT_EQ(-100, Parse(L"capture"));
    EXPECT_EQ(-100, Parse(L"capture /StiDevice:x /WiaEvent=3")); // second argument only

    // With launch information, it decides: ScanButton is event 1.
    EXPECT_EQ(1, Parse(L"capture /WiaEvent=12" + kStiFrontDeskScan));
    EXPECT_EQ(1, Parse(L"capture /WiaEvent=9" + kStiFrontDeskScan));
    EXPECT_EQ(1, Parse(L"capture" + kStiFrontDeskScan));
}

TEST_F(ParseCommandTest, StillImageLaunchInformation)
{
    EXPECT_EQ(0, Parse(L"capture /StiDevice:{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0001"
                       L" /StiEvent:b441f425-8c6e-11d2-977a-0000f87a926f"));
    // Another device, where the same event is the first one.
    EXPECT_EQ(0, Parse(L"capture /StiDevice:{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0002"
                       L" /StiEvent:{a6c5a715-8c6e-11d2-977a-0000f87a926f}"));
}

TEST_F(ParseCommandTest, GarbledOrUnknownLaunchInformationFails)
{
    LaunchedWith(L"capture /StiDevice:{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0001"
                 L" /StiEvent:{c4c9d2a1-0000-4d1e-9a4c-6b1f2e3d4c5b}"); // not listed
    int index = 5;
    EXPECT_FALSE(m_manager.ParseCommand(index));
    EXPECT_EQ(-1, index);

    EXPECT_EQ(-100, Parse(L"capture /StiDevice:{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0001"
                          L" /StiEvent:{a6c5a715-8c6e-11d2-977a"));
    EXPECT_EQ(-100, Parse(L"capture /StiDevice: /StiEvent:{a6c5a715-8c6e-11d2-977a-0000f87a926f}"));
    EXPECT_EQ(-100, Parse(L"capture /StiDevice:{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0001"));
    EXPECT_EQ(-100, Parse(L"capture /StiDevice:nosuchdevice"
                          L" /StiEvent:{a6c5a715-8c6e-11d2-977a-0000f87a926f}"));
    EXPECT_EQ(-100, Parse(L"capture /StiDevice:" + std::wstring(129, L'd') +
                          L" /StiEvent:{a6c5a715-8c6e-11d2-977a-0000f87a926f}"));
}

TEST_F(ParseCommandTest, PrePlatform51ReadsOnlyTheStillImageInformation)
{
    CZKPlatformVersion::SetOverride(4, 10);
    ASSERT_TRUE(m_manager.Initialize());
    EXPECT_EQ(-100, Parse(L"capture /WiaEvent=3"));
    EXPECT_EQ(1, Parse(L"capture /WiaEvent=3" + kStiFrontDeskScan));
}
} // namespace
