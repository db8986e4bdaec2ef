// Random and mutated settings buffers, scripts and stores through every
// reader: each either succeeds or refuses, never crashes, and a refusal
// leaves the target as it was (an empty store for the manager).
#include <mirelight/QXBatchAdapter.h>
#include <mirelight/QXImageAddressAdapter.h>
#include <mirelight/QXPatchAdapter.h>
#include <mirelight/QXScannerSettingsManager.h>
#include <mirelight/QXScannerSettingsManipulator.h>

#include <hollin/ZKRBuffer.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace
{
class CBinaryManipulator : public CQXScannerSettingsManipulator
{
public:
    CBinaryManipulator() : CQXScannerSettingsManipulator(QX_SCANNER_FAMILY_TARN) {}
    int WriteBinary(CZKBuffer& buffer) { return _DoWriteToBuffer(buffer); }
};

void Change(CQXScannerSettingsManipulator& manipulator)
{
    manipulator.GetBatchAdapter()->setEnable(1);
    manipulator.GetBatchAdapter()->setCount(17);
    manipulator.GetPatchAdapter()->setFeature(1);
    manipulator.GetPatchAdapter()->setTransfer(6);
    manipulator.GetImageAddressAdapter()->setTemplate(5);
}

// Script text of the three adapter sections, the adapters' settings as one
// buffer, so a refusal can be checked to have changed nothing.
std::string Snapshot(CQXScannerSettingsManipulator& manipulator)
{
    CZKRBuffer buffer;
    EXPECT_EQ(1, manipulator.WriteToBuffer(buffer));
    return std::string(reinterpret_cast<const char*>(buffer.GetPtr()), buffer.GetSize());
}

// Flips, drops, duplicates or overwrites a few bytes.
std::string Mutate(const std::string& input, std::mt19937& random)
{
    std::string text = input;
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < edits && !text.empty(); ++i)
    {
        const size_t at = random() % text.size();
        switch (random() % 5)
        {
        case 0:
            text[at] = static_cast<char>(text[at] ^ (1 << (random() % 8)));
            break;
        case 1:
            text.erase(at, 1 + random() % 8);
            break;
        case 2:
            text.insert(at, text.substr(at, 1 + random() % 8));
            break;
        case 3:
            text[at] = static_cast<char>(random());
            break;
        default:
            text.resize(at);
            break;
        }
    }
    return text;
}

std::string RandomBytes(std::mt19937& random)
{
    std::string text(random() % 64, '\0');
    for (char& c : text)
        c = static_cast<char>(random());
    if (random() % 2)
        text.insert(0, "\xEF\xBB\xBF[General]\n");
    return text;
}

CZKRBuffer Buffer(const std::string& text) { return CZKRBuffer(text.data(), text.size()); }

constexpr int kRounds = 3000;
} // namespace

TEST(SettingsFuzzTest, ManipulatorReadsOrRefusesWithoutChange)
{
    CQXScannerSettingsManipulator source(QX_SCANNER_FAMILY_TARN);
    Change(source);
    CZKRBuffer script;
    ASSERT_EQ(1, source.WriteToBuffer(script));
    CBinaryManipulator binarySource;
    Change(binarySource);
    CZKRBuffer binary;
    ASSERT_EQ(1, binarySource.WriteBinary(binary));
    const std::vector<std::string> seeds = {
        std::string(reinterpret_cast<const char*>(script.GetPtr()), script.GetSize()),
        std::string(reinterpret_cast<const char*>(binary.GetPtr()), binary.GetSize())};

    std::mt19937 random(20261208);
    for (int round = 0; round < kRounds; ++round)
    {
        const std::string input =
            round % 10 == 0 ? RandomBytes(random) : Mutate(seeds[round % seeds.size()], random);
        CQXScannerSettingsManipulator target(QX_SCANNER_FAMILY_TARN);
        const std::string before = Snapshot(target);
        CZKRBuffer buffer = Buffer(input);
        if (!target.ReadFromBuffer(buffer))
        {
            EXPECT_EQ(before, Snapshot(target)) << round;
        }
    }
}

TEST(SettingsFuzzTest, AdapterRecordsReadOrRefuseWithoutChange)
{
    CBinaryManipulator source;
    Change(source);
    const auto adaptersOf = [](CQXScannerSettingsManipulator& manipulator) {
        return std::vector<CQXScannerSettingsAdapter*>{manipulator.GetImageAddressAdapter(),
                                                       manipulator.GetBatchAdapter(), manipulator.GetPatchAdapter()};
    };
    std::mt19937 random(7);
    for (size_t kind = 0; kind < 3; ++kind)
    {
        CZKRBuffer record;
        ASSERT_EQ(1, adaptersOf(source)[kind]->WriteToBuffer(record));
        const std::string seed(reinterpret_cast<const char*>(record.GetPtr()), record.GetSize());
        for (int round = 0; round < kRounds / 3; ++round)
        {
            CQXScannerSettingsManipulator target(QX_SCANNER_FAMILY_TARN);
            const std::string before = Snapshot(target);
            CZKRBuffer buffer = Buffer(Mutate(seed, random));
            if (!adaptersOf(target)[kind]->ReadFromBuffer(buffer))
            {
                EXPECT_EQ(before, Snapshot(target)) << kind << " " << round;
            }
        }
    }
}

TEST(SettingsFuzzTest, ManagerLoadsOrLeavesAnEmptyStore)
{
    CQXScannerSettingsManager source;
    CZKRBuffer settings = Buffer("\xEF\xBB\xBF[General]\nFamily = 5\n");
    ASSERT_EQ(1, source.WriteScannerSettings(L"Vantrel PX530", settings));
    ASSERT_EQ(1, source.WriteScannerSettings(L"Other", settings));
    CZKRBuffer store;
    ASSERT_EQ(1, source.Save(store));
    const std::string seed(reinterpret_cast<const char*>(store.GetPtr()), store.GetSize());

    std::mt19937 random(99);
    for (int round = 0; round < kRounds; ++round)
    {
        CQXScannerSettingsManager manager;
        CZKRBuffer buffer = Buffer(round % 10 == 0 ? RandomBytes(random) : Mutate(seed, random));
        if (!manager.Load(buffer))
        {
            EXPECT_EQ(0u, manager.GetCount()) << round;
            continue;
        }
        CZKRBuffer saved;
        EXPECT_EQ(1, manager.Save(saved));
    }
}
