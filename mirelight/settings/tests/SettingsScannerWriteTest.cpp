// Settings written through a TWAIN scanner implementation into the virtual
// tarn-family source and read back from the source's capabilities; the
// skip paths for other families, closed scanners and missing features.
#include "common/SettingsTestSystem.h"
#include "common/TestTWAINScannerImpl.h"

#include <mirelight/QXBatchAdapter.h>
#include <mirelight/QXImageAddressAdapter.h>
#include <mirelight/QXPatchAdapter.h>
#include <mirelight/QXScannerSettingsManipulator.h>

#include <fennick/ZKTWHelper.h>
#include <hollin/ZKRBuffer.h>
#include <twaindefs/ZKTwainConstants.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{
const wchar_t* const kTarnScanner = L"Vantrel PX530";
const wchar_t* const kGenericScanner = L"ZK Virtual Production Duplex";

// The profile with one capability section left out or changed.
std::string WithoutSection(const std::string& profile, const std::string& header)
{
    const size_t start = profile.find(header);
    if (start == std::string::npos)
        return profile;
    const size_t end = profile.find("\n[", start + header.size());
    return profile.substr(0, start) + (end == std::string::npos ? "" : profile.substr(end + 1));
}

std::string ReplaceInSection(const std::string& profile, const std::string& header, const std::string& from,
                             const std::string& to)
{
    std::string text = profile;
    const size_t at = text.find(from, text.find(header));
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

class SettingsScannerWriteTest : public ::testing::Test
{
protected:
    // Installs the profiles, opens the named scanner.
    void Open(const std::vector<std::pair<std::string, std::string>>& profiles, const wchar_t* scanner)
    {
        m_system = std::make_unique<CSettingsTestSystem>(std::vector<std::string>{});
        for (const auto& profile : profiles)
            m_system->AddProfile(profile.first, profile.second);
        m_impl = std::make_unique<CTestTWAINScannerImpl>();
        ASSERT_TRUE(m_impl->Initialize());
        ASSERT_TRUE(m_impl->Open(scanner));
    }
    void OpenTarn() { Open({{"vantrel_px530", CSettingsTestSystem::SampleProfile("vantrel_px530")}}, kTarnScanner); }
    void TearDown() override
    {
        m_impl.reset();
        m_system.reset();
    }

    CZKTWSourceManager& Source() { return m_impl->Source(); }
    WORD Word(WORD cap)
    {
        TW_UINT16 value = 0xEEEE;
        EXPECT_EQ(ZKTW_CAP_SUCCESS, Source().GetCapOnevalue(cap, ZKTW_GETCAP_CURRENT, TWTY_UINT16, &value)) << cap;
        return value;
    }
    short Short(WORD cap)
    {
        TW_INT16 value = -99;
        EXPECT_EQ(ZKTW_CAP_SUCCESS, Source().GetCapOnevalue(cap, ZKTW_GETCAP_CURRENT, TWTY_INT16, &value)) << cap;
        return value;
    }
    double Fix32(WORD cap)
    {
        TW_FIX32 value{};
        EXPECT_EQ(ZKTW_CAP_SUCCESS, Source().GetCapOnevalue(cap, ZKTW_GETCAP_CURRENT, TWTY_FIX32, &value)) << cap;
        return CZKTWHelper::Fix32ToDouble(value);
    }
    bool Bool(WORD cap)
    {
        TW_BOOL value = 2;
        EXPECT_EQ(ZKTW_CAP_SUCCESS, Source().GetCapOnevalue(cap, ZKTW_GETCAP_CURRENT, TWTY_BOOL, &value)) << cap;
        return value != 0;
    }
    std::string Text(WORD cap)
    {
        TW_STR255 value = {};
        EXPECT_EQ(ZKTW_CAP_SUCCESS, Source().GetCapOnevalue(cap, ZKTW_GETCAP_CURRENT, TWTY_STR255, value)) << cap;
        return std::string(value, strnlen(value, 255));
    }
    std::vector<WORD> Words(WORD cap)
    {
        void* items = nullptr;
        unsigned count = 0;
        EXPECT_EQ(ZKTW_CAP_SUCCESS, Source().GetCapArray(cap, ZKTW_GETCAP_CURRENT, TWTY_UINT16, &items, count));
        std::vector<WORD> values(static_cast<TW_UINT16*>(items), static_cast<TW_UINT16*>(items) + count);
        std::free(items);
        return values;
    }
    void SetWord(WORD cap, WORD value)
    {
        const TW_UINT16 item = value;
        ASSERT_EQ(ZKTW_CAP_SUCCESS, Source().SetCapOnevalue(cap, TWTY_UINT16, &item)) << cap;
    }
    void SetShort(WORD cap, short value)
    {
        const TW_INT16 item = value;
        ASSERT_EQ(ZKTW_CAP_SUCCESS, Source().SetCapOnevalue(cap, TWTY_INT16, &item)) << cap;
    }
    void SetText(WORD cap, const std::string& text)
    {
        TW_STR255 item = {};
        std::memcpy(item, text.data(), text.size());
        ASSERT_EQ(ZKTW_CAP_SUCCESS, Source().SetCapOnevalue(cap, TWTY_STR255, item)) << cap;
    }
    void SetWords(WORD cap, const std::vector<TW_UINT16>& values)
    {
        ASSERT_EQ(ZKTW_CAP_SUCCESS,
                  Source().SetCapArray(cap, TWTY_UINT16, values.data(), static_cast<unsigned>(values.size())));
    }

    std::unique_ptr<CSettingsTestSystem> m_system;
    std::unique_ptr<CTestTWAINScannerImpl> m_impl;
    CQXScannerSettingsManipulator m_tarn{QX_SCANNER_FAMILY_TARN};
};
} // namespace

TEST_F(SettingsScannerWriteTest, NewImageAddressAdapterWritesTemplateOneAndLeadingZerosOnly)
{
    OpenTarn();
    SetWord(0x803E, 3);
    SetWord(0x8045, 2);
    SetWord(0x803B, 2);
    CQXImageAddressAdapter* address = m_tarn.GetImageAddressAdapter();
    ASSERT_EQ(1, address->CanWriteToScanner(m_impl.get()));
    ASSERT_EQ(1, address->WriteToScanner(m_impl.get()));
    EXPECT_EQ(1, Word(0x803E));
    EXPECT_EQ(0, Word(0x8045));
    EXPECT_EQ(2, Word(0x803B));
}

TEST_F(SettingsScannerWriteTest, CustomLayoutGoesOutAsTemplateOneStringsAndLevels)
{
    OpenTarn();
    CQXImageAddressAdapter* address = m_tarn.GetImageAddressAdapter();
    QX_IMAGEADDRESS_FORMAT format;
    format.SetSlot(0, 'F', 9);
    format.SetSlot(1, '1', 9);
    address->setAddressFormat(format);
    address->setTemplate(CQXImageAddressAdapter::TEMPLATE_CUSTOM);
    address->setLevelToFollow1(2);
    address->setLevelToFollow2(3);
    address->setImageAddressFormat(1);
    ASSERT_EQ(1, address->WriteToScanner(m_impl.get()));
    EXPECT_EQ(1, Word(0x803E));
    EXPECT_EQ("FFFFFFFFF", Text(0x804A));
    EXPECT_EQ("111111111", Text(0x804B));
    EXPECT_EQ("", Text(0x804C));
    EXPECT_EQ("", Text(0x804D));
    EXPECT_EQ(2, Word(0x803B));
    EXPECT_EQ(3, Word(0x803C));
    EXPECT_EQ(1, Word(0x803D));
    EXPECT_EQ(1, Word(0x8045));
}

TEST_F(SettingsScannerWriteTest, LayoutIsReadBackFromTemplatesAndCustomStrings)
{
    OpenTarn();
    SetWord(0x803E, 2);
    SetWord(0x8045, 1);
    QX_IMAGEADDRESS_FORMAT format;
    ASSERT_EQ(1, CQXImageAddressAdapter::GetImageAddressFormat(&Source(), format));
    EXPECT_EQ(1, format.nLeadingZerosFormat);
    EXPECT_EQ('2', format.slots[1].mark);
    EXPECT_EQ(9, format.slots[2].length);
    EXPECT_EQ('N', format.slots[3].mark);

    SetWord(0x803E, CQXImageAddressAdapter::TEMPLATE_CUSTOM);
    SetText(0x804A, "FFFFF");
    SetText(0x804B, "");
    SetText(0x804C, "2222");
    SetText(0x804D, "1");
    ASSERT_EQ(1, CQXImageAddressAdapter::GetImageAddressFormat(&Source(), format));
    QX_IMAGEADDRESS_FORMAT expected;
    expected.nLeadingZerosFormat = 1;
    expected.SetSlot(0, 'F', 5);
    expected.SetSlot(2, '2', 4);
    expected.SetSlot(3, '1', 1);
    EXPECT_EQ(expected, format);
}

TEST_F(SettingsScannerWriteTest, ImageAddressIsSetAndReadBackAsText)
{
    OpenTarn();
    QX_IMAGEADDRESS address;
    ASSERT_TRUE(address.SetComponent(QX_IMAGEADDRESS::IA_FIXED, L"BOX7"));
    ASSERT_TRUE(address.SetComponent(QX_IMAGEADDRESS::IA_LEVEL3, L"000012"));
    ASSERT_TRUE(address.SetComponent(QX_IMAGEADDRESS::IA_LEVEL2, L"000003"));
    ASSERT_TRUE(address.SetComponent(QX_IMAGEADDRESS::IA_LEVEL1, L"000044"));
    ASSERT_EQ(1, CQXImageAddressAdapter::SetImageAddress(&Source(), address));
    EXPECT_EQ("BOX7.000012.000003.000044", Text(0x8015));

    QX_IMAGEADDRESS read;
    ASSERT_EQ(1, CQXImageAddressAdapter::GetImageAddress(&Source(), read));
    EXPECT_EQ(address, read);
}

TEST_F(SettingsScannerWriteTest, BatchOffWritesOnlyAZeroCount)
{
    OpenTarn();
    SetShort(0x804E, 2);
    m_tarn.GetBatchAdapter()->setCount(30);
    ASSERT_EQ(1, m_tarn.GetBatchAdapter()->WriteToScanner(m_impl.get()));
    EXPECT_EQ(0.0, Fix32(0x802B));
    EXPECT_EQ(2, Short(0x804E));
}

TEST_F(SettingsScannerWriteTest, BatchOnWritesCountLevelAndFunctions)
{
    OpenTarn();
    CQXBatchAdapter* batch = m_tarn.GetBatchAdapter();
    batch->setEnable(1);
    batch->setCount(25);
    batch->setLevel(3);
    batch->setStartFunction(2);
    batch->setEndFunction(4);
    ASSERT_EQ(1, batch->WriteToScanner(m_impl.get()));
    EXPECT_EQ(25.0, Fix32(0x802B));
    EXPECT_EQ(3, Short(0x804E));
    EXPECT_EQ(2, Short(0x803F));
    EXPECT_EQ(4, Short(0x804F));

    // A level the scanner does not offer fails the write with no text.
    batch->setLevel(9);
    EXPECT_EQ(0, m_tarn.WriteToScanner(m_impl.get()));
    EXPECT_EQ(L"", m_tarn.GetLastError());
}

TEST_F(SettingsScannerWriteTest, PatchWritesTypesToggleAlarmAndEnable)
{
    OpenTarn();
    SetWords(CAP_ALARMS, {6, 2, 6, 0});
    CQXPatchAdapter* patch = m_tarn.GetPatchAdapter();
    patch->setEnable(1);
    patch->setLevel2(1);
    patch->setLevel3(1);
    patch->setFeature(1);
    patch->setTransfer(5);
    patch->setToggle(2);
    patch->setAlarm(1);
    ASSERT_EQ(1, patch->WriteToScanner(m_impl.get()));
    EXPECT_EQ((std::vector<WORD>{1, 2, 0, 3, 4, 5}), Words(0x1142));
    EXPECT_EQ(2, Word(0x806D));
    EXPECT_EQ((std::vector<WORD>{0, 2, 6}), Words(CAP_ALARMS));
    EXPECT_TRUE(Bool(0x113F));

    // A patch type the reader does not know is refused by the scanner; the
    // write stops there.
    patch->setTransfer(9);
    patch->setEnable(0);
    EXPECT_EQ(0, m_tarn.WriteToScanner(m_impl.get()));
    EXPECT_EQ(L"", m_tarn.GetLastError());
    EXPECT_TRUE(Bool(0x113F));
}

TEST_F(SettingsScannerWriteTest, PatchOffClearsTypesAlarmAndToggle)
{
    OpenTarn();
    SetWords(CAP_ALARMS, {6, 6, 2});
    SetWord(0x806D, 1);
    CQXPatchAdapter* patch = m_tarn.GetPatchAdapter();
    patch->setToggle(2);
    patch->setAlarm(1);
    ASSERT_EQ(1, patch->WriteToScanner(m_impl.get()));
    EXPECT_TRUE(Words(0x1142).empty());
    EXPECT_EQ(0, Word(0x806D));
    EXPECT_EQ((std::vector<WORD>{2}), Words(CAP_ALARMS));
    EXPECT_FALSE(Bool(0x113F));
}

TEST_F(SettingsScannerWriteTest, ToggleThatCannotBeSetIsLeftAlone)
{
    const std::string profile =
        ReplaceInSection(CSettingsTestSystem::SampleProfile("vantrel_px530"), "[Cap.VENDOR_PATCHTOGGLE]",
                         "GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT", "GET, GETCURRENT, QUERYSUPPORT");
    Open({{"vantrel_px530", profile}}, kTarnScanner);
    CQXPatchAdapter* patch = m_tarn.GetPatchAdapter();
    patch->setEnable(1);
    patch->setLevel2(1);
    patch->setToggle(2);
    patch->setAlarm(1);
    ASSERT_EQ(1, patch->WriteToScanner(m_impl.get()));
    EXPECT_EQ(0, Word(0x806D));
    EXPECT_EQ((std::vector<WORD>{1}), Words(0x1142));
    EXPECT_EQ((std::vector<WORD>{0, 2, 6}), Words(CAP_ALARMS));
    EXPECT_TRUE(Bool(0x113F));
}

TEST_F(SettingsScannerWriteTest, StoredSettingsReachTheScannerThroughTheManipulator)
{
    OpenTarn();
    CQXScannerSettingsManipulator edited(kTarnScanner);
    edited.GetBatchAdapter()->setEnable(1);
    edited.GetBatchAdapter()->setCount(12);
    edited.GetPatchAdapter()->setEnable(1);
    edited.GetPatchAdapter()->setLevel3(1);
    edited.GetImageAddressAdapter()->setTemplate(4);
    CZKRBuffer stored;
    ASSERT_EQ(1, edited.WriteToBuffer(stored));

    CQXScannerSettingsManipulator beforeScan(kTarnScanner);
    ASSERT_EQ(1, beforeScan.ReadFromBuffer(stored));
    ASSERT_EQ(1, beforeScan.WriteToScanner(m_impl.get()));
    EXPECT_EQ(12.0, Fix32(0x802B));
    EXPECT_EQ((std::vector<WORD>{2}), Words(0x1142));
    EXPECT_TRUE(Bool(0x113F));
    EXPECT_EQ(4, Word(0x803E));
}

TEST_F(SettingsScannerWriteTest, ScannerWithoutImageAddressSkipsOnlyThatAdapter)
{
    const std::string profile =
        WithoutSection(CSettingsTestSystem::SampleProfile("vantrel_px530"), "[Cap.VENDOR_IMAGEADDRESS]");
    Open({{"vantrel_px530", profile}}, kTarnScanner);
    SetWord(0x803E, 3);
    m_tarn.GetBatchAdapter()->setEnable(1);
    m_tarn.GetBatchAdapter()->setCount(7);
    EXPECT_EQ(0, m_tarn.GetImageAddressAdapter()->CanWriteToScanner(m_impl.get()));
    ASSERT_EQ(1, m_tarn.WriteToScanner(m_impl.get()));
    EXPECT_EQ(3, Word(0x803E));
    EXPECT_EQ(7.0, Fix32(0x802B));
}

TEST_F(SettingsScannerWriteTest, OtherFamilyOrClosedScannerIsSkipped)
{
    Open({{"production_duplex", CSettingsTestSystem::SampleProfile("production_duplex")},
          {"vantrel_px530", CSettingsTestSystem::SampleProfile("vantrel_px530")}},
         kGenericScanner);
    EXPECT_EQ(QX_SCANNER_FAMILY_GENERIC, m_impl->GetCurrentScannerFamily());
    m_tarn.GetBatchAdapter()->setEnable(1);
    EXPECT_EQ(0, m_tarn.GetBatchAdapter()->CanWriteToScanner(m_impl.get()));
    EXPECT_EQ(0, m_tarn.GetBatchAdapter()->WriteToScanner(m_impl.get()));
    EXPECT_EQ(1, m_tarn.WriteToScanner(m_impl.get()));

    m_impl->Close();
    EXPECT_EQ(QX_SCANNER_FAMILY_NONE, m_impl->GetCurrentScannerFamily());
    EXPECT_EQ(0, m_tarn.GetPatchAdapter()->CanWriteToScanner(m_impl.get()));
    EXPECT_EQ(0, m_tarn.GetPatchAdapter()->WriteToScanner(m_impl.get()));
    EXPECT_EQ(1, m_tarn.WriteToScanner(m_impl.get()));
    EXPECT_EQ(0, m_tarn.GetPatchAdapter()->WriteToScanner(nullptr));

    // The source behind it was never touched: reopened, it has its defaults.
    ASSERT_TRUE(m_impl->Open(kTarnScanner));
    EXPECT_EQ(0.0, Fix32(0x802B));
    EXPECT_FALSE(Bool(0x113F));
}
