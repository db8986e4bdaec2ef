// The SANE bridge as a TWAIN source, driven by the TWAIN layer against
// SANE's test backend: what it says it is, the capabilities it maps from the
// device's options, the scan area, and the SANE statuses as condition codes
// and device events.
#include "common/SaneReferenceScan.h"
#include "common/SaneTestSystem.h"
#include "common/SaneTwainRecorder.h"

#include <fennick/ZKTWSourceManager.h>

#include <twaindefs/ZKTwainDefs.h>
#include <wincompat/ZKThread.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace
{
struct FreeDeleter
{
    void operator()(void* p) const { std::free(p); }
};

TW_FIX32 Inches(double value)
{
    const auto scaled = static_cast<TW_INT32>(value * 65536.0 + 0.5);
    return TW_FIX32{static_cast<TW_INT16>(scaled >> 16), static_cast<TW_UINT16>(scaled & 0xFFFF)};
}


class SaneTwainSourceTest : public ::testing::Test
{
protected:
    void Open(const std::vector<std::string>& options = {})
    {
        m_system = std::make_unique<CSaneTestSystem>(options);
        m_manager.RegisterApp(1, 0, 13, 1, "1.0 test", "ZK Test", "Capture", "SANE bridge test");
        m_manager.SetObserver(&m_recorder);
        m_manager.SetTransferMode(TWSX_MEMORY);
        ASSERT_TRUE(m_manager.Open());
        std::vector<TW_IDENTITY> sources;
        ASSERT_TRUE(m_manager.QueryAvailableSources(sources));
        auto found = std::find_if(sources.begin(), sources.end(),
                                  [](const TW_IDENTITY& s) { return std::strcmp(s.ProductName, kSaneTestProduct) == 0; });
        ASSERT_NE(found, sources.end());
        m_identity = *found;
        ASSERT_TRUE(m_manager.OpenSource(m_identity));
    }

    void Acquire(short count = -1)
    {
        const int ends = m_recorder.acquireEnds;
        ASSERT_TRUE(m_manager.Acquire(nullptr, count, FALSE));
        ASSERT_TRUE(m_recorder.WaitForEnds(ends + 1));
    }

    void SetOne(WORD cap, WORD type, TW_UINT16 value)
    {
        ASSERT_EQ(ZKTW_CAP_SUCCESS, m_manager.SetCapOnevalue(cap, type, &value)) << std::hex << cap;
    }

    void TearDown() override
    {
        m_manager.CloseSource();
        m_manager.Close();
    }

    std::unique_ptr<CSaneTestSystem> m_system;
    CSaneTwainRecorder m_recorder;
    CZKTWSourceManager m_manager;
    TW_IDENTITY m_identity{};
};
} // namespace

TEST_F(SaneTwainSourceTest, IdentityComesFromTheSaneDevice)
{
    Open();
    EXPECT_STREQ("Noname", m_identity.Manufacturer);
    EXPECT_STREQ("virtual device", m_identity.ProductFamily);
    EXPECT_STREQ("test:0", m_identity.Version.Info);
    EXPECT_EQ(2, m_identity.ProtocolMajor);
    EXPECT_NE(0u, m_identity.SupportedGroups & DF_DS2);
}

TEST_F(SaneTwainSourceTest, SupportedCapsListExactlyWhatAnswers)
{
    Open();
    WORD* caps = nullptr;
    unsigned count = 0;
    ASSERT_TRUE(m_manager.GetSupportedCaps(&caps, count));
    std::unique_ptr<void, FreeDeleter> owned(caps);
    const std::vector<WORD> listed(caps, caps + count);
    for (WORD cap : {ICAP_PIXELTYPE, ICAP_BITDEPTH, ICAP_XRESOLUTION, ICAP_YRESOLUTION, CAP_FEEDERENABLED, CAP_XFERCOUNT,
                     ICAP_SUPPORTEDSIZES, ICAP_PHYSICALWIDTH, ICAP_XFERMECH, ICAP_UNITS})
        EXPECT_NE(listed.end(), std::find(listed.begin(), listed.end(), cap)) << std::hex << cap;
    for (WORD cap : listed)
    {
        ZKTW_CAPABILITY_SUPPORT support;
        EXPECT_TRUE(m_manager.QueryCapSupport(cap, support)) << std::hex << cap;
    }
    // The test backend has neither brightness nor contrast nor duplex.
    for (WORD cap : {ICAP_BRIGHTNESS, ICAP_CONTRAST, ICAP_THRESHOLD, CAP_DUPLEXENABLED})
    {
        EXPECT_EQ(listed.end(), std::find(listed.begin(), listed.end(), cap)) << std::hex << cap;
        TW_UINT16 value = 0;
        EXPECT_EQ(ZKTW_CAP_UNSUPPORTED, m_manager.GetCapOnevalue(cap, ZKTW_GETCAP_CURRENT, TWTY_FIX32, &value));
    }
}

TEST_F(SaneTwainSourceTest, PixelTypesFollowTheScanModes)
{
    Open({"mode Gray", "depth 8", "resolution 50"});
    DWORD current = 0, fallback = 0;
    void* items = nullptr;
    unsigned count = 0;
    ASSERT_EQ(ZKTW_CAP_SUCCESS, m_manager.GetCapEnumeration(ICAP_PIXELTYPE, ZKTW_GETCAP_GET, TWTY_UINT16, current,
                                                            fallback, &items, count));
    std::unique_ptr<void, FreeDeleter> owned(items);
    const auto* types = static_cast<const TW_UINT16*>(items);
    EXPECT_EQ((std::vector<TW_UINT16>{TWPT_BW, TWPT_GRAY, TWPT_RGB}), std::vector<TW_UINT16>(types, types + count));
    EXPECT_EQ(TWPT_GRAY, types[current]);

    const std::pair<TW_UINT16, int> modes[] = {{TWPT_RGB, 24}, {TWPT_BW, 1}, {TWPT_GRAY, 8}};
    for (const auto& mode : modes)
    {
        SetOne(ICAP_PIXELTYPE, TWTY_UINT16, mode.first);
        TW_UINT16 depth = 0;
        EXPECT_EQ(ZKTW_CAP_SUCCESS, m_manager.GetCapOnevalue(ICAP_BITDEPTH, ZKTW_GETCAP_CURRENT, TWTY_UINT16, &depth));
        EXPECT_EQ(mode.second, depth);
        Acquire(1);
        ASSERT_FALSE(m_recorder.Images().empty());
        EXPECT_EQ(mode.second, m_recorder.Images().back().info.BitsPerPixel) << "pixel type " << mode.first;
    }
}

TEST_F(SaneTwainSourceTest, FlatbedGivesOnePagePerBatchFeederUntilEmpty)
{
    Open({"resolution 25"});
    TW_BOOL feeder = FALSE;
    ASSERT_EQ(ZKTW_CAP_SUCCESS, m_manager.GetCapOnevalue(CAP_FEEDERENABLED, ZKTW_GETCAP_CURRENT, TWTY_BOOL, &feeder));
    EXPECT_TRUE(feeder) << "the feeder is the default source";
    Acquire();
    EXPECT_EQ(10u, m_recorder.Images().size()) << "the test backend's feeder holds ten sheets";
    EXPECT_TRUE(m_recorder.Errors().empty()) << "a feeder running empty ends the batch";

    SetOne(CAP_FEEDERENABLED, TWTY_BOOL, FALSE);
    Acquire();
    EXPECT_EQ(11u, m_recorder.Images().size()) << "the glass holds one page";
}

TEST_F(SaneTwainSourceTest, FrameAndPaperSizeSetTheScanArea)
{
    Open({"resolution 100"});
    TW_IMAGELAYOUT layout{};
    layout.Frame.Left = Inches(0.5);
    layout.Frame.Top = Inches(0.25);
    layout.Frame.Right = Inches(2.5);
    layout.Frame.Bottom = Inches(1.25);
    // The backend takes whole millimetres: the frame it took is reported back.
    const DWORD result = m_manager.InvokeDSCommand(DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &layout, TRUE);
    EXPECT_TRUE(ZKTWReturnCode(result) == TWRC_SUCCESS || ZKTWReturnCode(result) == TWRC_CHECKSTATUS) << std::hex << result;
    TW_IMAGELAYOUT taken{};
    ASSERT_EQ(DWORD(TWRC_SUCCESS), m_manager.InvokeDSCommand(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &taken, TRUE));
    auto inches = [](const TW_FIX32& f) { return f.Whole + f.Frac / 65536.0; };
    EXPECT_NEAR(0.5, inches(taken.Frame.Left), 0.5 / 25.4);
    EXPECT_NEAR(2.5, inches(taken.Frame.Right), 0.5 / 25.4);
    Acquire(1);
    ASSERT_EQ(1u, m_recorder.Images().size());
    EXPECT_NEAR((inches(taken.Frame.Right) - inches(taken.Frame.Left)) * 100, m_recorder.Images()[0].info.ImageWidth, 1);
    EXPECT_NEAR((inches(taken.Frame.Bottom) - inches(taken.Frame.Top)) * 100, m_recorder.Images()[0].info.ImageLength,
                1);

    // The backend's glass is 200 mm square: A6 fits, A5 does not.
    const TW_UINT16 a5 = TWSS_A5;
    EXPECT_EQ(ZKTW_CAP_FAILURE, m_manager.SetCapOnevalue(ICAP_SUPPORTEDSIZES, TWTY_UINT16, &a5));
    SetOne(ICAP_SUPPORTEDSIZES, TWTY_UINT16, TWSS_A6);
    Acquire(1);
    ASSERT_EQ(2u, m_recorder.Images().size());
    EXPECT_NEAR(105 / 25.4 * 100, m_recorder.Images()[1].info.ImageWidth, 4);
    EXPECT_NEAR(148 / 25.4 * 100, m_recorder.Images()[1].info.ImageLength, 4);
}

TEST_F(SaneTwainSourceTest, PaddedAndUnannouncedLinesArriveAsTheBackendSendsThem)
{
    const std::vector<std::string> options = {"mode Gray", "test-picture \"Color pattern\"", "resolution 40",
                                              "ppl-loss 5", "fuzzy-parameters true", "hand-scanner true"};
    CSaneTestSystem reference(options);
    const std::vector<SANE_REFERENCE_PAGE> pages = CSaneReferenceScan::Scan();
    ASSERT_EQ(1u, pages.size());
    Open(options);
    Acquire(1);
    ASSERT_EQ(1u, m_recorder.Images().size());
    const SANE_TWAIN_IMAGE image = m_recorder.Images()[0];
    EXPECT_EQ(pages[0].parameters.pixels_per_line, image.info.ImageWidth);
    EXPECT_EQ(CSaneReferenceScan::PixelRows(pages[0]), image.rows);
    EXPECT_EQ(CSaneReferenceScan::PixelRows(pages[0]).size() / size_t(image.info.ImageWidth), size_t(image.info.ImageLength));
}

struct SANE_STATUS_CASE
{
    const char* status;
    WORD condition;
};

class SaneStatusTest : public SaneTwainSourceTest, public ::testing::WithParamInterface<SANE_STATUS_CASE>
{
};

TEST_P(SaneStatusTest, ArrivesAsItsConditionCode)
{
    Open({std::string("read-status-code \"") + GetParam().status + "\""});
    Acquire();
    EXPECT_TRUE(m_recorder.Images().empty());
    EXPECT_EQ(std::vector<WORD>{GetParam().condition}, m_recorder.Errors());
}

INSTANTIATE_TEST_SUITE_P(SaneStatuses, SaneStatusTest,
                         ::testing::Values(SANE_STATUS_CASE{"SANE_STATUS_JAMMED", TWCC_PAPERJAM},
                                           SANE_STATUS_CASE{"SANE_STATUS_NO_DOCS", TWCC_NOMEDIA},
                                           SANE_STATUS_CASE{"SANE_STATUS_COVER_OPEN", TWCC_INTERLOCK},
                                           SANE_STATUS_CASE{"SANE_STATUS_DEVICE_BUSY", TWCC_MAXCONNECTIONS},
                                           SANE_STATUS_CASE{"SANE_STATUS_IO_ERROR", TWCC_OPERATIONERROR},
                                           SANE_STATUS_CASE{"SANE_STATUS_NO_MEM", TWCC_LOWMEMORY}));

TEST_F(SaneTwainSourceTest, JamRaisesTheDeviceEventTheApplicationAskedFor)
{
    Open({"read-status-code \"SANE_STATUS_JAMMED\""});
    const TW_UINT16 wanted[] = {TWDE_PAPERJAM};
    ASSERT_EQ(ZKTW_CAP_SUCCESS, m_manager.SetCapArray(CAP_DEVICEEVENT, TWTY_UINT16, wanted, 1));
    Acquire();
    EXPECT_EQ(std::vector<WORD>{TWCC_PAPERJAM}, m_recorder.Errors());
    for (int i = 0; i < 1000 && m_recorder.DeviceEvents().empty(); ++i)
        ZKSleep(1);
    EXPECT_EQ(std::vector<WORD>{TWDE_PAPERJAM}, m_recorder.DeviceEvents());
}

TEST_F(SaneTwainSourceTest, CancelInsideABatchLeavesTheDeviceReady)
{
    Open({"resolution 25"});
    m_recorder.onImage = [this] {
        if (m_recorder.images == 2)
            m_manager.CancelAcquire(FALSE);
    };
    Acquire();
    const size_t images = m_recorder.Images().size();
    EXPECT_GE(images, 2u);
    EXPECT_LT(images, 10u);
    m_recorder.onImage = nullptr;
    Acquire(1);
    EXPECT_EQ(images + 1, m_recorder.Images().size());
    EXPECT_TRUE(m_recorder.Errors().empty());
}
