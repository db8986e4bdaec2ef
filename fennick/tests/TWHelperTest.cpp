// Containers, conversions and trait registries of CZKTWHelper.
#include <fennick/ZKTWHelper.h>
#include <wincompat/ZKGlobalMemory.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
// Frees a container at the end of a test.
struct Container
{
    void* handle = nullptr;
    ~Container() { CZKTWHelper::FreeContainer(handle); }
    const BYTE* Bytes() const { return static_cast<const BYTE*>(handle); }
};

template <typename T>
T ReadAt(const BYTE* bytes, size_t offset)
{
    T value;
    std::memcpy(&value, bytes + offset, sizeof(value));
    return value;
}
} // namespace

TEST(TWHelper, OnevalueKeepsShortItemsInPlaceAndLongItemsBehindTheType)
{
    Container shortValue;
    const TW_UINT16 units = TWUN_CENTIMETERS;
    ASSERT_TRUE(CZKTWHelper::AllocOnevalue(shortValue.handle, TWTY_UINT16, &units));
    EXPECT_EQ(TWTY_UINT16, ReadAt<WORD>(shortValue.Bytes(), 0));
    EXPECT_EQ(units, ReadAt<WORD>(shortValue.Bytes(), 2));
    TW_UINT16 back = 0;
    ASSERT_TRUE(CZKTWHelper::ExtractOnevalue(shortValue.handle, TWTY_UINT16, &back));
    EXPECT_EQ(units, back);

    Container text;
    TW_STR255 caption = "Batch 7";
    ASSERT_TRUE(CZKTWHelper::AllocOnevalue(text.handle, TWTY_STR255, caption));
    TW_STR255 read = {};
    ASSERT_TRUE(CZKTWHelper::ExtractOnevalueImprecise(text.handle, 0, read));
    EXPECT_STREQ("Batch 7", read);
}

TEST(TWHelper, ArrayAndEnumerationUsePublishedOffsets)
{
    const TW_UINT16 items[] = {3, 5, 8};
    Container array;
    ASSERT_TRUE(CZKTWHelper::AllocArray(array.handle, TWTY_UINT16, items, 3));
    EXPECT_EQ(3u, ReadAt<DWORD>(array.Bytes(), 2));
    EXPECT_EQ(8, ReadAt<WORD>(array.Bytes(), 6 + 2 * 2));
    unsigned count = 0;
    ASSERT_TRUE(CZKTWHelper::ExtractArray(array.handle, TWTY_UINT16, nullptr, count));
    ASSERT_EQ(3u, count);
    TW_UINT16 back[3] = {};
    CZKTWHelper::ExtractArray(array.handle, TWTY_UINT16, back, count);
    EXPECT_EQ(0, std::memcmp(items, back, sizeof(items)));

    const TW_FIX32 resolutions[] = {CZKTWHelper::DoubleToFix32(200), CZKTWHelper::DoubleToFix32(300)};
    Container enumeration;
    ASSERT_TRUE(CZKTWHelper::AllocEnumeration(enumeration.handle, TWTY_FIX32, 1, 0, resolutions, 2));
    EXPECT_EQ(1u, ReadAt<DWORD>(enumeration.Bytes(), 6));
    EXPECT_EQ(300, ReadAt<TW_FIX32>(enumeration.Bytes(), 14 + 4).Whole);
    DWORD current = 9, defaultIndex = 9;
    TW_FIX32 read[2] = {};
    ASSERT_TRUE(CZKTWHelper::ExtractEnumeration(enumeration.handle, TWTY_FIX32, current, defaultIndex, read, count));
    EXPECT_EQ(2u, count);
    EXPECT_EQ(1u, current);
    EXPECT_EQ(0u, defaultIndex);
    EXPECT_EQ(200, read[0].Whole);
}

TEST(TWHelper, EmptyArrayAndNullHandle)
{
    Container empty;
    ASSERT_TRUE(CZKTWHelper::AllocArray(empty.handle, TWTY_UINT16, nullptr, 0));
    unsigned count = 99;
    EXPECT_TRUE(CZKTWHelper::ExtractArray(empty.handle, TWTY_UINT16, nullptr, count));
    EXPECT_EQ(0u, count);
    TW_UINT16 value;
    EXPECT_FALSE(CZKTWHelper::ExtractOnevalue(nullptr, TWTY_UINT16, &value));
    EXPECT_FALSE(CZKTWHelper::ExtractArray(nullptr, TWTY_UINT16, nullptr, count));
}

// Containers as a source hands them over: the block is whatever it
// allocated, and the extractors never read past it.
TEST(TWHelper, ExtractorsStayInsideTheBlock)
{
    Container array;
    array.handle = std::calloc(1, 64);
    const TW_UINT16 type = TWTY_UINT16;
    const TW_UINT32 claimed = 100000;
    std::memcpy(array.handle, &type, 2);
    std::memcpy(static_cast<BYTE*>(array.handle) + 2, &claimed, 4);
    unsigned count = 99;
    EXPECT_FALSE(CZKTWHelper::ExtractArray(array.handle, TWTY_UINT16, nullptr, count));
    EXPECT_EQ(0u, count);
    DWORD current = 0, defaultIndex = 0;
    EXPECT_FALSE(CZKTWHelper::ExtractEnumeration(array.handle, TWTY_UINT16, current, defaultIndex, nullptr, count));

    // Asked to read a STR1024 out of 64 bytes, imprecisely or not.
    const TW_UINT16 longType = TWTY_STR1024;
    std::memcpy(array.handle, &longType, 2);
    std::vector<BYTE> out(1100);
    EXPECT_FALSE(CZKTWHelper::ExtractOnevalue(array.handle, TWTY_STR1024, out.data()));
    EXPECT_FALSE(CZKTWHelper::ExtractOnevalueImprecise(array.handle, 4, out.data()));
    EXPECT_TRUE(CZKTWHelper::ExtractOnevalue(array.handle, TWTY_STR32, out.data()));
}

// Our own global-memory handles are recognised, sized and read as blocks,
// never taken for pointers.
TEST(TWHelper, GlobalMemoryContainersAreReadThroughTheirHandles)
{
    HGLOBAL handle = CZKGlobalMemory::Alloc(sizeof(TW_ONEVALUE));
    auto* bytes = static_cast<BYTE*>(CZKGlobalMemory::Lock(handle));
    const TW_UINT16 type = TWTY_UINT16;
    const TW_UINT16 value = 42;
    std::memcpy(bytes, &type, 2);
    std::memcpy(bytes + 2, &value, 2);
    CZKGlobalMemory::Unlock(handle);

    TW_UINT16 read = 0;
    ASSERT_TRUE(CZKTWHelper::ExtractOnevalue(handle, TWTY_UINT16, &read));
    EXPECT_EQ(42, read);
    TW_FRAME frame;
    EXPECT_FALSE(CZKTWHelper::ExtractOnevalue(handle, TWTY_FRAME, &frame));
    EXPECT_EQ(0u, CZKGlobalMemory::LockCount(handle));
    CZKTWHelper::FreeContainer(handle);
    EXPECT_FALSE(CZKGlobalMemory::IsValid(handle));
}

TEST(TWHelper, ItemSizes)
{
    EXPECT_EQ(1u, CZKTWHelper::TWSizeOf(TWTY_INT8));
    EXPECT_EQ(2u, CZKTWHelper::TWSizeOf(TWTY_BOOL));
    EXPECT_EQ(4u, CZKTWHelper::TWSizeOf(TWTY_FIX32));
    EXPECT_EQ(16u, CZKTWHelper::TWSizeOf(TWTY_FRAME));
    EXPECT_EQ(34u, CZKTWHelper::TWSizeOf(TWTY_STR32));
    EXPECT_EQ(256u, CZKTWHelper::TWSizeOf(TWTY_STR255));
    EXPECT_EQ(1026u, CZKTWHelper::TWSizeOf(TWTY_STR1024));
    EXPECT_EQ(1024u, CZKTWHelper::TWSizeOf(TWTY_UNI512));
    EXPECT_EQ(0u, CZKTWHelper::TWSizeOf(0x7777));
}

TEST(TWHelper, FixedPointRoundTrip)
{
    TW_FIX32 half = CZKTWHelper::DoubleToFix32(1.5);
    EXPECT_EQ(1, half.Whole);
    EXPECT_EQ(0x8000, half.Frac);
    TW_FIX32 negative = CZKTWHelper::DoubleToFix32(-1.5);
    EXPECT_EQ(-2, negative.Whole);
    EXPECT_EQ(0x8001, negative.Frac);
    EXPECT_NEAR(-1.4999847, CZKTWHelper::Fix32ToDouble(negative), 1e-7);
    EXPECT_DOUBLE_EQ(300.0, CZKTWHelper::Fix32ToDouble(CZKTWHelper::DoubleToFix32(300.0)));
}

TEST(TWHelper, UnitConversion)
{
    EXPECT_DOUBLE_EQ(1.0, CZKTWHelper::ConvertUnit(ZKTW_UNIT_CENTIMETERS, 2.54, ZKTW_UNIT_INCHES));
    EXPECT_DOUBLE_EQ(1.0, CZKTWHelper::ConvertUnit(ZKTW_UNIT_INCHES, 1.0, ZKTW_UNIT_PIXELS));
    EXPECT_DOUBLE_EQ(72.0, CZKTWHelper::ConvertUnit(ZKTW_UNIT_INCHES, 1.0, ZKTW_UNIT_POINTS));
    EXPECT_DOUBLE_EQ(20.0, CZKTWHelper::ConvertUnit(ZKTW_UNIT_POINTS, 1.0, ZKTW_UNIT_TWIPS));
    EXPECT_NEAR(24.0, CZKTWHelper::ConvertUnit(ZKTW_UNIT_PICAS, 2.0, ZKTW_UNIT_POINTS), 1e-9);
    // Not a TWAIN 1.x unit: left alone rather than guessed.
    EXPECT_DOUBLE_EQ(3.0, CZKTWHelper::ConvertUnit(ZKTW_UNIT_INCHES, 3.0, static_cast<EZKTWImageUnit>(6)));
}

TEST(TWHelper, TextConversionStopsAt255Bytes)
{
    char narrow[256];
    CZKTWHelper::ConvertType(L"Gr\u00fc\u00dfe", narrow);
    EXPECT_STREQ("Gr\xc3\xbc\xc3\x9f" "e", narrow);
    std::wstring wide;
    CZKTWHelper::ConvertType(narrow, wide);
    EXPECT_EQ(L"Gr\u00fc\u00dfe", wide);

    CZKTWHelper::ConvertType(std::wstring(400, L'x'), narrow);
    EXPECT_EQ(255u, std::strlen(narrow));
}

TEST(TWHelper, BuiltInTraitsAreLoadedWithTheLibrary)
{
    const SZKTWCapTrait& resolution = CZKTWHelper::_QueryCapTrait(ICAP_XRESOLUTION);
    EXPECT_EQ(TWTY_FIX32, resolution.ItemType);
    EXPECT_EQ(4u, resolution.ItemSize);
    EXPECT_EQ(2 | 4 | 8, resolution.GetConMask);
    EXPECT_TRUE(CZKTWHelper::IsCapTypeMatched(CAP_PRINTERSTRING, TWTY_STR255));
    EXPECT_FALSE(CZKTWHelper::IsCapTypeMatched(CAP_PRINTERSTRING, TWTY_STR32));
    EXPECT_EQ(TWTY_FRAME, CZKTWHelper::QueryEITrait(TWEI_FRAME).ItemType);
    EXPECT_EQ(TWTY_UINT16, CZKTWHelper::QueryEITrait(TWEI_PIXELFLAVOR).ItemType);
}

TEST(TWHelper, ContainerRules)
{
    EXPECT_FALSE(CZKTWHelper::IsCapSetConTypeAllowed(CAP_DEVICEONLINE, TWON_ONEVALUE));
    EXPECT_TRUE(CZKTWHelper::IsCapSetConTypeAllowed(ICAP_ZOOMFACTOR, TWON_ONEVALUE));
    EXPECT_TRUE(CZKTWHelper::IsCapGetConTypeAllowed(ICAP_ZOOMFACTOR, TWON_RANGE));
    EXPECT_FALSE(CZKTWHelper::IsCapGetConTypeAllowed(ICAP_ZOOMFACTOR, TWON_ARRAY));
    // A read-only array capability may still be read as a one value.
    EXPECT_TRUE(CZKTWHelper::IsCapGetConTypeAllowed(CAP_SUPPORTEDCAPS, TWON_ONEVALUE));
    EXPECT_EQ(1, CZKTWHelper::_GetContainerTypeMask(TWON_ARRAY));
    EXPECT_EQ(4, CZKTWHelper::_GetContainerTypeMask(0x1234));
}

TEST(TWHelper, RegistriesKeepTheFirstEntryAndZeroUnknownIds)
{
    CZKTWHelper::AddCapTrait(ICAP_XRESOLUTION, TWTY_UINT32, 1, 1);
    EXPECT_EQ(TWTY_FIX32, CZKTWHelper::_QueryCapTrait(ICAP_XRESOLUTION).ItemType);

    CZKTWHelper::AddCapTrait(0x8101, TWTY_UINT32, 4, 4);
    CZKTWHelper::AddCapTrait(0x8101, TWTY_STR255, 2, 2);
    EXPECT_TRUE(CZKTWHelper::IsCapTypeMatched(0x8101, TWTY_UINT32));

    const SZKTWCapTrait& unknown = CZKTWHelper::_QueryCapTrait(0x8FF0);
    EXPECT_EQ(0, unknown.ItemType);
    EXPECT_EQ(0, unknown.GetConMask);
    EXPECT_FALSE(CZKTWHelper::IsCapGetConTypeAllowed(0x8FF0, TWON_ONEVALUE));
    EXPECT_EQ(0, CZKTWHelper::QueryEITrait(0x9FF0).ItemType);
}
