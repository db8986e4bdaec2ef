// The tables the library builds when it is loaded.
#include "QXLanguageTable.h"
#include "QXScannerFamilyTable.h"
#include "QXVendorTraits.h"

#include <fennick/ZKTWHelper.h>
#include <twaindefs/ZKTwainConstants.h>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace
{
const QX_VENDOR_CAP_TRAIT* FindCap(WORD cap)
{
    size_t count = 0;
    const QX_VENDOR_CAP_TRAIT* traits = SQXVendorTraits::CapTraits(count);
    for (size_t i = 0; i < count; ++i)
    {
        if (traits[i].cap == cap)
            return &traits[i];
    }
    return nullptr;
}
} // namespace

TEST(LoadTablesTest, CapabilityTraitTableIsCompleteAndUnique)
{
    size_t count = 0;
    const QX_VENDOR_CAP_TRAIT* traits = SQXVendorTraits::CapTraits(count);
    ASSERT_EQ(count, 143u);
    std::set<WORD> ids;
    std::map<WORD, int> perType;
    for (size_t i = 0; i < count; ++i)
    {
        EXPECT_TRUE(ids.insert(traits[i].cap).second) << std::hex << traits[i].cap;
        EXPECT_GE(traits[i].cap, 0x8000);
        ++perType[traits[i].itemType];
    }
    EXPECT_EQ(perType[TWTY_BOOL], 32);
    EXPECT_EQ(perType[TWTY_UINT16], 57);
    EXPECT_EQ(perType[TWTY_STR255], 20);

    const struct
    {
        WORD cap;
        WORD type;
        WORD mask;
    } samples[] = {{0x80A3, TWTY_BOOL, 4},  {0x8004, TWTY_FRAME, 4},  {0x809B, TWTY_INT16, 2},
                   {0x8087, TWTY_INT32, 4}, {0x80B3, TWTY_INT32, 8},  {0x8010, TWTY_STR255, 4},
                   {0x8017, TWTY_STR32, 4}, {0x801E, TWTY_UINT16, 1}, {0x803B, TWTY_UINT16, 2},
                   {0x808A, TWTY_UINT16, 4}, {0x80B5, TWTY_UINT16, 8}, {0x809E, TWTY_UINT32, 8},
                   {0x8099, TWTY_FIX32, 8}};
    for (const auto& s : samples)
    {
        const QX_VENDOR_CAP_TRAIT* trait = FindCap(s.cap);
        ASSERT_NE(trait, nullptr) << std::hex << s.cap;
        EXPECT_EQ(trait->itemType, s.type) << std::hex << s.cap;
        EXPECT_EQ(trait->conMask, s.mask) << std::hex << s.cap;
    }
    EXPECT_EQ(FindCap(0x8000), nullptr);
    EXPECT_EQ(FindCap(0x80AB), nullptr); // a gap in the enumeration run
}

TEST(LoadTablesTest, HeaderItemTraitTableCoversTheVendorHeader)
{
    size_t count = 0;
    const QX_VENDOR_EI_TRAIT* traits = SQXVendorTraits::EITraits(count);
    ASSERT_EQ(count, 48u);
    std::map<WORD, WORD> byId;
    for (size_t i = 0; i < count; ++i)
        EXPECT_TRUE(byId.emplace(traits[i].infoId, traits[i].itemType).second);
    // 0x8001..0x8036 less the six ids the header does not use.
    for (WORD id : {0x8023, 0x8024, 0x8025, 0x8026, 0x8027, 0x8034})
        EXPECT_EQ(byId.count(id), 0u) << std::hex << id;
    EXPECT_EQ(byId[0x8011], TWTY_STR255);
    EXPECT_EQ(byId[0x801C], TWTY_STR255);
    EXPECT_EQ(byId[0x8030], TWTY_UINT8);
    EXPECT_EQ(byId[0x8033], TWTY_UINT32);
}

TEST(LoadTablesTest, TraitsAreRegisteredAtLoadAndNeverReplaced)
{
    const SZKTWCapTrait& cap = CZKTWHelper::_QueryCapTrait(0x8021);
    EXPECT_EQ(cap.ItemType, TWTY_BOOL);
    EXPECT_EQ(cap.GetConMask, 4);
    EXPECT_EQ(cap.SetConMask, 4);
    EXPECT_EQ(CZKTWHelper::QueryEITrait(0x8031).ItemType, TWTY_UINT8);

    CZKTWHelper::AddCapTrait(0x8021, TWTY_STR255, 1, 1);
    CZKTWHelper::AddEITrait(0x8031, TWTY_STR255);
    EXPECT_EQ(CZKTWHelper::_QueryCapTrait(0x8021).ItemType, TWTY_BOOL);
    EXPECT_TRUE(CZKTWHelper::IsCapSetConTypeAllowed(0x8021, TWON_ONEVALUE));
    EXPECT_FALSE(CZKTWHelper::IsCapSetConTypeAllowed(0x8021, TWON_ARRAY));
    EXPECT_EQ(CZKTWHelper::QueryEITrait(0x8031).ItemType, TWTY_UINT8);
}

TEST(LoadTablesTest, LanguageTableMapsIdentifiersAndFallsBack)
{
    const CQXLanguageTable& table = CQXLanguageTable::Instance();
    EXPECT_EQ(table.GetCount(), 103u);
    const struct
    {
        DWORD id;
        WORD country;
        WORD language;
    } rows[] = {{0x0409, 1, 2},   {0x0809, 44, 2}, {0x0407, 49, 6}, {0x040C, 33, 5},
                {0x0411, 81, 68}, {0x0804, 86, 39}, {0x0436, 27, 14}, {0x042A, 84, 113}};
    for (const auto& row : rows)
    {
        WORD country = 0;
        WORD language = 0;
        EXPECT_TRUE(table.Lookup(row.id, country, language)) << std::hex << row.id;
        EXPECT_EQ(country, row.country);
        EXPECT_EQ(language, row.language);
    }
    WORD country = 0;
    WORD language = 0;
    EXPECT_FALSE(table.Lookup(0x7777, country, language));
    EXPECT_EQ(country, 1);
    EXPECT_EQ(language, 13);
}

TEST(LoadTablesTest, FamilyTableHasTheGenericRowAndTwelveModels)
{
    const CQXScannerFamilyTable& table = CQXScannerFamilyTable::Instance();
    EXPECT_EQ(table.GetCount(), 13u);
    EXPECT_EQ(table.Find(L"generic").family, QX_SCANNER_FAMILY_GENERIC);
    EXPECT_EQ(table.Find(L"vantrel hx640d").family, QX_SCANNER_FAMILY_CIRQUE);
}
