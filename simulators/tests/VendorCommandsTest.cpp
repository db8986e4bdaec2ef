// The maker's vendor commands of the virtual source, spoken raw through the
// manager: the device-information, profile-list and indexed-settings blocks,
// the editor messages, no-wait MSG_ENDXFER answers and capabilities that
// belong to one camera directory.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <wincompat/ZKGlobalMemory.h>

#include "common/TwainCapability.h"
#include "common/TwainTestApp.h"

namespace
{
const char kMaker[] = "Vantrel HX640";
constexpr TW_UINT16 kDeviceInfo = 0x8005;
constexpr TW_UINT16 kProfiles = 0x8007;
constexpr TW_UINT16 kSettings = 0x8009;

template <class T> T At(const std::vector<uint8_t>& block, size_t offset)
{
    T value;
    std::memcpy(&value, block.data() + offset, sizeof(T));
    return value;
}

std::string TextAt(const uint8_t* block, size_t offset)
{
    return reinterpret_cast<const char*>(block + offset);
}

class VendorCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CTwainTestApp::UseFolders(TWAIN_TEST_FOLDERS::DataSources(),
                                  TWAIN_TEST_FOLDERS::SampleProfiles());
        ASSERT_EQ(TWRC_SUCCESS, m_app.OpenDsm());
        ASSERT_EQ(TWRC_SUCCESS, m_app.OpenSource(kMaker));
    }

    TW_UINT16 Vendor(TW_UINT16 dat, TW_UINT16 msg, void* data)
    {
        return m_app.Call(&m_app.Source(), DG_CONTROL, dat, msg, data);
    }

    double Threshold()
    {
        CTwainCapability cap(ICAP_THRESHOLD);
        EXPECT_EQ(TWRC_SUCCESS,
                  m_app.Call(&m_app.Source(), DG_CONTROL, DAT_CAPABILITY, MSG_GETCURRENT, &cap));
        const auto value = cap.ItemAt<TW_FIX32>(offsetof(TW_ONEVALUE, Item));
        return value.Whole + value.Frac / 65536.0;
    }

    CTwainTestApp m_app;
};
} // namespace

TEST_F(VendorCommandsTest, DeviceInformationFillsTheMakersBlock)
{
    std::vector<uint8_t> block(66292, 0xEE);
    ASSERT_EQ(TWRC_SUCCESS, Vendor(kDeviceInfo, MSG_GET, block.data()));
    EXPECT_EQ(6401, At<int32_t>(block, 4));
    EXPECT_EQ("Vantrel HX640 firmware 3.2.1", TextAt(block.data(), 8));
    EXPECT_EQ("Vantrel HX640", TextAt(block.data(), 520));
    EXPECT_EQ(7, At<int32_t>(block, 1040));
}

TEST_F(VendorCommandsTest, ProfileListEndsWithAnEmptyRecord)
{
    HGLOBAL handle = nullptr;
    ASSERT_EQ(TWRC_SUCCESS, Vendor(kProfiles, MSG_GET, &handle));
    ASSERT_EQ(4u * 2320, CZKGlobalMemory::Size(handle));
    const auto* list = static_cast<const uint8_t*>(CZKGlobalMemory::Lock(handle));
    ASSERT_NE(nullptr, list);
    EXPECT_EQ("P-0001", TextAt(list, 258));
    EXPECT_EQ("Default", TextAt(list, 514));
    EXPECT_EQ(1, list[2320]); // the second profile's index
    EXPECT_EQ("Invoices", TextAt(list + 2320, 514));
    EXPECT_EQ(0xFF, list[2 * 2320]); // the factory profile: index 0xFFFF
    EXPECT_EQ(0, list[3 * 2320 + 514]);
    EXPECT_EQ(0, list[3 * 2320 + 770]);
    CZKGlobalMemory::Unlock(handle);
    CZKGlobalMemory::Free(handle);
}

TEST_F(VendorCommandsTest, IndexedSettingsAreReadAndWritten)
{
    std::vector<uint8_t> block(1036, 0);
    block[8] = 1;
    ASSERT_EQ(TWRC_SUCCESS, Vendor(kSettings, MSG_GET, block.data()));
    ASSERT_EQ(6u, At<uint32_t>(block, 0));
    HGLOBAL handle = reinterpret_cast<HGLOBAL>(static_cast<uintptr_t>(At<uint32_t>(block, 4)));
    const auto* bytes = static_cast<const uint8_t*>(CZKGlobalMemory::Lock(handle));
    ASSERT_NE(nullptr, bytes);
    EXPECT_EQ((std::vector<uint8_t>{0x56, 0x54, 0x53, 0x31, 0x00, 0x02}),
              std::vector<uint8_t>(bytes, bytes + 6));
    CZKGlobalMemory::Unlock(handle);
    CZKGlobalMemory::Free(handle);

    HGLOBAL written = CZKGlobalMemory::Alloc(2);
    static_cast<uint8_t*>(CZKGlobalMemory::Lock(written))[1] = 0x42;
    CZKGlobalMemory::Unlock(written);
    std::vector<uint8_t> set(1036, 0);
    const uint32_t count = 2;
    const auto field = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(written));
    std::memcpy(set.data(), &count, 4);
    std::memcpy(set.data() + 4, &field, 4);
    set[8] = 2;
    ASSERT_EQ(TWRC_SUCCESS, Vendor(kSettings, MSG_SET, set.data()));
    CZKGlobalMemory::Free(written);

    std::vector<uint8_t> reread(1036, 0);
    reread[8] = 2;
    ASSERT_EQ(TWRC_SUCCESS, Vendor(kSettings, MSG_GET, reread.data()));
    EXPECT_EQ(2u, At<uint32_t>(reread, 0));
    handle = reinterpret_cast<HGLOBAL>(static_cast<uintptr_t>(At<uint32_t>(reread, 4)));
    bytes = static_cast<const uint8_t*>(CZKGlobalMemory::Lock(handle));
    ASSERT_NE(nullptr, bytes);
    EXPECT_EQ(0x42, bytes[1]);
    CZKGlobalMemory::Unlock(handle);
    CZKGlobalMemory::Free(handle);
}

TEST_F(VendorCommandsTest, EditorMessagesEndLikeTheSettingsDialog)
{
    TW_USERINTERFACE ui{};
    ui.ShowUI = 1;
    ASSERT_EQ(TWRC_SUCCESS,
              m_app.Call(&m_app.Source(), DG_CONTROL, DAT_USERINTERFACE, 0x800D, &ui));
    EXPECT_EQ(MSG_CLOSEDSOK, m_app.WaitForEvent());
    EXPECT_EQ(TWRC_SUCCESS, m_app.Disable());
}

TEST_F(VendorCommandsTest, NoWaitKeepsEndXferBusyWhileTheFeederFinishes)
{
    const TW_BOOL on = 1;
    CTwainCapability noWait(0x8032, TWON_ONEVALUE,
                            CTwainCapability::OneValue(TWTY_BOOL, &on, sizeof(on)));
    ASSERT_EQ(TWRC_SUCCESS,
              m_app.Call(&m_app.Source(), DG_CONTROL, DAT_CAPABILITY, MSG_SET, &noWait));
    const TW_UINT16 native = TWSX_NATIVE;
    CTwainCapability mech(ICAP_XFERMECH, TWON_ONEVALUE,
                          CTwainCapability::OneValue(TWTY_UINT16, &native, 2));
    ASSERT_EQ(TWRC_SUCCESS,
              m_app.Call(&m_app.Source(), DG_CONTROL, DAT_CAPABILITY, MSG_SET, &mech));
    ASSERT_EQ(TWRC_SUCCESS, m_app.Enable(MSG_ENABLEDS, false));
    ASSERT_EQ(MSG_XFERREADY, m_app.WaitForEvent());
    TW_HANDLE dib = nullptr;
    ASSERT_EQ(TWRC_XFERDONE,
              m_app.Call(&m_app.Source(), DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &dib));
    std::free(dib);
    TW_PENDINGXFERS pending{};
    // The profile keeps the feeder busy for two answers.
    EXPECT_EQ(0x8001,
              m_app.Call(&m_app.Source(), DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending));
    EXPECT_EQ(0x8001,
              m_app.Call(&m_app.Source(), DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending));
    EXPECT_EQ(TWRC_SUCCESS,
              m_app.Call(&m_app.Source(), DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending));
    EXPECT_NE(0, pending.Count);
    EXPECT_EQ(TWRC_SUCCESS,
              m_app.Call(&m_app.Source(), DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending));
    EXPECT_EQ(TWRC_SUCCESS, m_app.Disable());
}

TEST_F(VendorCommandsTest, CameraDirectoriesHoldTheirOwnValues)
{
    EXPECT_EQ(128.0, Threshold());
    TW_FILESYSTEM fs{};
    std::strcpy(fs.InputName, "/Camera_Bitonal_Bottom");
    ASSERT_EQ(TWRC_SUCCESS,
              m_app.Call(&m_app.Source(), DG_CONTROL, DAT_FILESYSTEM, MSG_CHANGEDIRECTORY, &fs));
    EXPECT_EQ(100.0, Threshold());
    std::strcpy(fs.InputName, "/");
    ASSERT_EQ(TWRC_SUCCESS,
              m_app.Call(&m_app.Source(), DG_CONTROL, DAT_FILESYSTEM, MSG_CHANGEDIRECTORY, &fs));
    EXPECT_EQ(128.0, Threshold());
}
