// The store of settings buffers per scanner name.
#include <mirelight/QXScannerSettingsManager.h>

#include <hollin/ZKRBuffer.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{
CZKRBuffer Bytes(const std::string& text) { return CZKRBuffer(text.data(), text.size()); }

void Fill(CQXScannerSettingsManager& manager)
{
    CZKRBuffer a = Bytes("settings of b");
    CZKRBuffer b = Bytes(std::string("\0\1\2binary", 9));
    CZKRBuffer c = Bytes("upper case first");
    ASSERT_EQ(1, manager.WriteScannerSettings(L"b scanner", a));
    ASSERT_EQ(1, manager.WriteScannerSettings(L"a scanner", b));
    ASSERT_EQ(1, manager.WriteScannerSettings(L"Z scanner", c));
}
} // namespace

TEST(SettingsManagerTest, StoreRoundTripsSortedByNameWithIdenticalBytes)
{
    CQXScannerSettingsManager manager;
    Fill(manager);
    CZKRBuffer store;
    ASSERT_EQ(1, manager.Save(store));

    // Names in plain case-sensitive order: "Z" before the lower-case ones.
    ASSERT_EQ(1, store.RWOpenRead());
    ULONG count = 0;
    ASSERT_TRUE(store.RW_R_ulong(count));
    EXPECT_EQ(3u, count);
    std::vector<std::wstring> names;
    for (ULONG i = 0; i < count; ++i)
    {
        std::wstring name;
        CZKRBuffer settings;
        ASSERT_TRUE(store.RW_R_string(name));
        ASSERT_TRUE(store.RW_R_buffer(settings));
        names.push_back(name);
    }
    store.RWClose();
    EXPECT_EQ((std::vector<std::wstring>{L"Z scanner", L"a scanner", L"b scanner"}), names);

    CQXScannerSettingsManager loaded;
    ASSERT_EQ(1, loaded.Load(store));
    EXPECT_EQ(3u, loaded.GetCount());
    for (const wchar_t* name : {L"a scanner", L"b scanner", L"Z scanner"})
    {
        CZKRBuffer original, copy;
        ASSERT_EQ(1, manager.ReadScannerSettings(name, original));
        ASSERT_EQ(1, loaded.ReadScannerSettings(name, copy));
        EXPECT_TRUE(original == copy);
    }
    CZKRBuffer again;
    ASSERT_EQ(1, loaded.Save(again));
    EXPECT_TRUE(again == store);
}

TEST(SettingsManagerTest, UnknownScannerGivesAnEmptyBufferAndRewritesReplace)
{
    CQXScannerSettingsManager manager;
    Fill(manager);
    CZKRBuffer out = Bytes("stale");
    EXPECT_EQ(1, manager.ReadScannerSettings(L"A SCANNER", out));
    EXPECT_TRUE(out.IsEmpty());

    CZKRBuffer replacement = Bytes("new");
    ASSERT_EQ(1, manager.WriteScannerSettings(L"a scanner", replacement));
    ASSERT_EQ(1, manager.ReadScannerSettings(L"a scanner", out));
    EXPECT_TRUE(out == replacement);
    EXPECT_EQ(3u, manager.GetCount());
}

TEST(SettingsManagerTest, DamagedStoreLeavesAnEmptyStore)
{
    CQXScannerSettingsManager source;
    Fill(source);
    CZKRBuffer store;
    ASSERT_EQ(1, source.Save(store));

    for (size_t size = 1; size < store.GetSize(); ++size)
    {
        CQXScannerSettingsManager manager;
        Fill(manager);
        CZKRBuffer cut(store.GetPtr(), size);
        EXPECT_EQ(0, manager.Load(cut)) << size;
        EXPECT_EQ(0u, manager.GetCount());
    }

    // A count far beyond what the buffer holds.
    CZKRBuffer inflated(store);
    const ULONG huge = 0xFFFFFFFF;
    std::memcpy(inflated.GetPtr(), &huge, sizeof(huge));
    CQXScannerSettingsManager manager;
    EXPECT_EQ(0, manager.Load(inflated));
    EXPECT_EQ(0u, manager.GetCount());

    CZKRBuffer empty;
    Fill(manager);
    EXPECT_EQ(1, manager.Load(empty));
    EXPECT_EQ(0u, manager.GetCount());
}
