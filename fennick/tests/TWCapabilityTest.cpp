// Capability containers written and read back through the virtual source.
#include "common/TwainTestSetup.h"

#include <fennick/ZKTWHelper.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace
{
// Reaches the raw capability call to read a range container.
class CRawCapManager : public CZKTWSourceManager
{
public:
    using CZKTWSourceManager::_GetCap;
};

struct FreeDeleter
{
    void operator()(void* p) const { std::free(p); }
};

class TWCapabilityTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterTestApp(m_manager);
        m_manager.SetObserver(&m_observer);
        ASSERT_TRUE(m_manager.Open());
        TW_IDENTITY source{};
        ASSERT_TRUE(FindSource(m_manager, "ZK Virtual Production Duplex", source));
        ASSERT_TRUE(m_manager.OpenSource(source));
    }
    void TearDown() override
    {
        m_manager.CloseSource();
        m_manager.Close();
    }

    CTestSystemFolder m_folder{{"production_duplex"}};
    CRecordingObserver m_observer;
    CRawCapManager m_manager;
};
} // namespace

TEST_F(TWCapabilityTest, OnevalueRoundTripsForNumbersFlagsAndText)
{
    const TW_UINT32 counter = 4711;
    EXPECT_EQ(ZKTW_CAP_SUCCESS, m_manager.SetCapOnevalue(0x8001, TWTY_UINT32, &counter));
    TW_UINT32 readCounter = 0;
    EXPECT_EQ(ZKTW_CAP_SUCCESS, m_manager.GetCapOnevalue(0x8001, ZKTW_GETCAP_CURRENT, TWTY_UINT32, &readCounter));
    EXPECT_EQ(counter, readCounter);

    const TW_BOOL off = FALSE;
    EXPECT_EQ(ZKTW_CAP_SUCCESS, m_manager.SetCapOnevalue(CAP_DUPLEXENABLED, TWTY_BOOL, &off));
    TW_BOOL duplex = TRUE;
    EXPECT_EQ(ZKTW_CAP_SUCCESS, m_manager.GetCapOnevalue(CAP_DUPLEXENABLED, ZKTW_GETCAP_CURRENT, TWTY_BOOL, &duplex));
    EXPECT_EQ(FALSE, duplex);

    char address[256];
    CZKTWHelper::ConvertType(L"2.15.0.3", address);
    EXPECT_EQ(ZKTW_CAP_SUCCESS, m_manager.SetCapOnevalue(0x8002, TWTY_STR255, address));
    char readAddress[256] = {};
    EXPECT_EQ(ZKTW_CAP_SUCCESS, m_manager.GetCapOnevalue(0x8002, ZKTW_GETCAP_CURRENT, TWTY_STR255, readAddress));
    std::wstring wide;
    CZKTWHelper::ConvertType(readAddress, wide);
    EXPECT_EQ(L"2.15.0.3", wide);

    // Reset brings the profile's value back.
    EXPECT_EQ(ZKTW_CAP_SUCCESS, m_manager.ResetCap(0x8001));
    EXPECT_EQ(ZKTW_CAP_SUCCESS, m_manager.GetCapOnevalue(0x8001, ZKTW_GETCAP_CURRENT, TWTY_UINT32, &readCounter));
    EXPECT_EQ(1u, readCounter);
}

TEST_F(TWCapabilityTest, ArrayRoundTripIncludingEmpty)
{
    const TW_UINT16 patches[] = {2, 6};
    EXPECT_EQ(ZKTW_CAP_SUCCESS, m_manager.SetCapArray(0x8003, TWTY_UINT16, patches, 2));
    void* items = nullptr;
    unsigned count = 0;
    EXPECT_EQ(ZKTW_CAP_SUCCESS, m_manager.GetCapArray(0x8003, ZKTW_GETCAP_CURRENT, TWTY_UINT16, &items, count));
    std::unique_ptr<void, FreeDeleter> owned(items);
    ASSERT_EQ(2u, count);
    EXPECT_EQ(0, std::memcmp(patches, items, sizeof(patches)));

    EXPECT_EQ(ZKTW_CAP_SUCCESS, m_manager.SetCapArray(0x8003, TWTY_UINT16, nullptr, 0));
    void* none = nullptr;
    EXPECT_EQ(ZKTW_CAP_SUCCESS, m_manager.GetCapArray(0x8003, ZKTW_GETCAP_CURRENT, TWTY_UINT16, &none, count));
    std::unique_ptr<void, FreeDeleter> ownedNone(none);
    EXPECT_EQ(0u, count);

    WORD* caps = nullptr;
    ASSERT_TRUE(m_manager.GetSupportedCaps(&caps, count));
    std::unique_ptr<void, FreeDeleter> ownedCaps(caps);
    EXPECT_GE(count, 20u);
}

TEST_F(TWCapabilityTest, EnumerationRoundTripsWithIndexes)
{
    const TW_FIX32 resolutions[] = {CZKTWHelper::DoubleToFix32(200), CZKTWHelper::DoubleToFix32(300)};
    EXPECT_EQ(ZKTW_CAP_SUCCESS, m_manager.SetCapEnumeration(ICAP_XRESOLUTION, TWTY_FIX32, 1, 0, resolutions, 2));
    TW_FIX32 current{};
    EXPECT_EQ(ZKTW_CAP_SUCCESS, m_manager.GetCapOnevalue(ICAP_XRESOLUTION, ZKTW_GETCAP_CURRENT, TWTY_FIX32, &current));
    EXPECT_DOUBLE_EQ(300.0, CZKTWHelper::Fix32ToDouble(current));

    DWORD currentIndex = 0, defaultIndex = 0;
    void* items = nullptr;
    unsigned count = 0;
    EXPECT_EQ(ZKTW_CAP_SUCCESS, m_manager.GetCapEnumeration(CAP_PRINTERSTRING, ZKTW_GETCAP_GET, TWTY_STR255,
                                                            currentIndex, defaultIndex, &items, count));
    std::unique_ptr<void, FreeDeleter> owned(items);
    ASSERT_EQ(3u, count);
    EXPECT_STREQ("DOC %06d", static_cast<const char*>(items) + 256);
    EXPECT_EQ(0u, currentIndex);
}

TEST_F(TWCapabilityTest, RangeIsReadAtItsOwnLayout)
{
    WORD conType = 0;
    void* container = nullptr;
    ASSERT_EQ(ZKTW_CAP_SUCCESS, m_manager._GetCap(0x8004, ZKTW_GETCAP_GET, conType, container));
    EXPECT_EQ(TWON_RANGE, conType);
    TW_RANGE range;
    std::memcpy(&range, container, sizeof(range));
    CZKTWHelper::FreeContainer(container);
    // Packed fields are copied out before the checks bind references to them.
    const TW_UINT16 itemType = range.ItemType;
    const TW_UINT32 minValue = range.MinValue, maxValue = range.MaxValue, currentValue = range.CurrentValue;
    EXPECT_EQ(TWTY_INT32, itemType);
    EXPECT_EQ(0u, minValue);
    EXPECT_EQ(10u, maxValue);
    EXPECT_EQ(3u, currentValue);
}

TEST_F(TWCapabilityTest, MismatchedContainersAreRefusedInsteadOfOverread)
{
    // An enumeration read as an array would run past its items.
    void* items = nullptr;
    unsigned count = 0;
    EXPECT_EQ(ZKTW_CAP_FAILURE, m_manager.GetCapArray(ICAP_PIXELTYPE, ZKTW_GETCAP_GET, TWTY_UINT16, &items, count));
    EXPECT_EQ(nullptr, items);
    // A range is not a one value.
    TW_INT32 sharpening = 0;
    EXPECT_EQ(ZKTW_CAP_FAILURE, m_manager.GetCapOnevalue(0x8004, ZKTW_GETCAP_GET, TWTY_INT32, &sharpening));
    // Item sizes must agree: a text capability read as a number.
    TW_UINT32 number = 0;
    EXPECT_EQ(ZKTW_CAP_FAILURE, m_manager.GetCapOnevalue(CAP_SERIALNUMBER, ZKTW_GETCAP_CURRENT, TWTY_UINT32, &number));
}

TEST_F(TWCapabilityTest, UnsupportedCapabilitiesAndOperations)
{
    TW_UINT16 value = 0;
    EXPECT_EQ(ZKTW_CAP_UNSUPPORTED, m_manager.GetCapOnevalue(ICAP_LIGHTPATH, ZKTW_GETCAP_CURRENT, TWTY_UINT16, &value));
    EXPECT_EQ(ZKTW_CAP_UNSUPPORTED, m_manager.SetCapOnevalue(ICAP_LIGHTPATH, TWTY_UINT16, &value));
    EXPECT_EQ(ZKTW_CAP_UNSUPPORTED, m_manager.ResetCap(ICAP_LIGHTPATH));
    // Supported but read-only: a generic failure.
    const TW_BOOL yes = TRUE;
    EXPECT_EQ(ZKTW_CAP_FAILURE, m_manager.SetCapOnevalue(CAP_DEVICEONLINE, TWTY_BOOL, &yes));

    ZKTW_CAPABILITY_SUPPORT support;
    support.bGet = TRUE;
    EXPECT_TRUE(m_manager.QueryCapSupport(ICAP_LIGHTPATH, support));
    EXPECT_FALSE(support.bGet || support.bSet || support.bGetDefault || support.bGetCurrent || support.bReset);

    EXPECT_TRUE(m_manager.QueryCapSupport(ICAP_XRESOLUTION, support));
    EXPECT_TRUE(support.IsSupportAll());
    EXPECT_TRUE(m_manager.QueryCapSupport(CAP_SERIALNUMBER, support));
    EXPECT_TRUE(support.bGet);
    EXPECT_FALSE(support.IsSupportGetSet());
    EXPECT_TRUE(m_observer.Errors().empty());
}

TEST_F(TWCapabilityTest, UnitFollowsTheSource)
{
    EZKTWImageUnit unit = ZKTW_UNIT_PIXELS;
    ASSERT_TRUE(m_manager.GetUnit(unit));
    EXPECT_EQ(ZKTW_UNIT_INCHES, unit);
    const TW_UINT16 centimetres = TWUN_CENTIMETERS;
    const TW_UINT16 units[] = {TWUN_INCHES, TWUN_CENTIMETERS, TWUN_PIXELS};
    ASSERT_EQ(ZKTW_CAP_SUCCESS, m_manager.SetCapEnumeration(ICAP_UNITS, TWTY_UINT16, 1, 0, units, 3));
    ASSERT_TRUE(m_manager.GetUnit(unit));
    EXPECT_EQ(static_cast<EZKTWImageUnit>(centimetres), unit);
}
