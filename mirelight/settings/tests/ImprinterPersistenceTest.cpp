// Each imprinter family's script section and binary record: round trips of
// changed settings, keys as stored files carry them, refusals.
#include <mirelight/QXImprinterCorrieAdapter.h>
#include <mirelight/QXImprinterEskerAdapter.h>
#include <mirelight/QXImprinterFellAdapter.h>
#include <mirelight/QXImprinterMoraineAdapter.h>
#include <mirelight/QXImprinterTalusAdapter.h>
#include <mirelight/QXImprinterTarnAdapter.h>

#include <hollin/ZKRBuffer.h>
#include <hollin/ZKScript.h>

#include <gtest/gtest.h>

#include <memory>

namespace
{
void ChangeFull(CQXImprinterRidgeFullAdapter& full)
{
    full.setEnable(1);
    full.setIndex(4000000000u);
    full.setDateDelimiter(2);
    full.setFont(1);
    full.setIndexDigits(6);
    full.setIndexFormat(3);
    full.setPosition(2.25);
}

// A changed adapter of every family with an imprinter.
std::vector<std::unique_ptr<CQXImprinterAdapter>> ChangedAdapters()
{
    std::vector<std::unique_ptr<CQXImprinterAdapter>> adapters;
    auto tarn = std::make_unique<CQXImprinterTarnAdapter>();
    ChangeFull(*tarn);
    tarn->setDateFormat(4);
    tarn->setUseUniformPrintString(1);
    tarn->setWriteSequenceMessage(6, L"\"six\" OR <app.lastvalue>");
    tarn->setPrintStringAllLevels(L"<SCANNER_DATE><SPACE>");
    adapters.push_back(std::move(tarn));
    auto fell = std::make_unique<CQXImprinterFellAdapter>();
    ChangeFull(*fell);
    fell->setSuffix(L"\"a = b\"");
    fell->setPrintString(L"<MESSAGE>");
    adapters.push_back(std::move(fell));
    auto talus = std::make_unique<CQXImprinterTalusAdapter>();
    ChangeFull(*talus);
    talus->setWriteSequenceMessage(1, L"\"one\"");
    talus->setWriteSequenceMessage(5, L"\"five\"");
    talus->setWriteSequenceMessageIndex(5);
    adapters.push_back(std::move(talus));
    auto corrie = std::make_unique<CQXImprinterCorrieAdapter>();
    corrie->setWriteSequenceMessage(1, L"\"c1\"");
    adapters.push_back(std::move(corrie));
    auto moraine = std::make_unique<CQXImprinterMoraineAdapter>();
    moraine->setWriteSequenceMessage(6, L"\"m6\"");
    adapters.push_back(std::move(moraine));
    auto esker = std::make_unique<CQXImprinterEskerAdapter>();
    esker->setWriteSequenceMessage(L"\"e\"");
    adapters.push_back(std::move(esker));
    return adapters;
}
} // namespace

TEST(ImprinterPersistenceTest, EveryFamilyRoundTripsThroughScriptAndBuffer)
{
    for (const auto& changed : ChangedAdapters())
    {
        const EQXScannerFamily family = changed->GetFamilyCode();
        std::unique_ptr<CQXImprinterAdapter> fresh(CQXImprinterAdapter::GenerateAdapter(family));
        ASSERT_NE(0, fresh->Compare(*changed)) << family;

        CZKScript script;
        ASSERT_EQ(1, changed->WriteToScript(script)) << family;
        CZKRBuffer text;
        ASSERT_TRUE(script.Save(text));
        CZKScript loaded;
        ASSERT_TRUE(loaded.Load(text));
        ASSERT_EQ(1, fresh->ReadFromScript(loaded)) << family;
        EXPECT_EQ(0, fresh->Compare(*changed)) << family;

        std::unique_ptr<CQXImprinterAdapter> fromBuffer(CQXImprinterAdapter::GenerateAdapter(family));
        CZKRBuffer record;
        ASSERT_EQ(1, changed->WriteToBuffer(record)) << family;
        ASSERT_EQ(1, fromBuffer->ReadFromBuffer(record)) << family;
        EXPECT_EQ(0, fromBuffer->Compare(*changed)) << family;

        std::unique_ptr<CQXImprinterAdapter> copy(CQXImprinterAdapter::GenerateAdapter(family));
        copy->Copy(*changed);
        EXPECT_EQ(0, copy->Compare(*changed)) << family;
    }
}

TEST(ImprinterPersistenceTest, ScriptKeysAreTheStoredOnes)
{
    CQXImprinterTarnAdapter tarn;
    tarn.setWriteSequenceMessage(1, L"\"first\"");
    tarn.setPrintStringLevel2(L"<SPACE>");
    CZKScript script;
    script.SetDefaultSection(L"General");
    ASSERT_EQ(1, tarn.WriteToScript(script));
    EXPECT_EQ(L"General", script.GetDefaultSection());
    std::wstring value;
    ASSERT_TRUE(script.GetKeyValue(L"WriteSequenceMessage0", value, 1, L"Imprinter"));
    EXPECT_EQ(L"\"first\"", value);
    ASSERT_TRUE(script.GetKeyValue(L"PrintStringLevel2", value, 1, L"Imprinter"));
    EXPECT_EQ(L"<SPACE>", value);
    for (const wchar_t* key : {L"Enable", L"Index", L"DateDelimiter", L"Font", L"IndexDigits", L"IndexFormat",
                               L"Position", L"DateFormat", L"UseUniformPrintString", L"PrintStringAllLevels"})
        EXPECT_TRUE(script.GetKeyValue(key, value, 1, L"Imprinter")) << key;
}

TEST(ImprinterPersistenceTest, RefusedReadsKeepTheSettings)
{
    CQXImprinterFellAdapter fell;
    ChangeFull(fell);
    CZKRBuffer record;
    ASSERT_EQ(1, fell.WriteToBuffer(record));
    CQXImprinterTalusAdapter talus;
    EXPECT_EQ(0, talus.ReadFromBuffer(record));
    EXPECT_EQ(0, talus.Compare(CQXImprinterTalusAdapter()));

    // A record cut short fails.
    CZKRBuffer cut;
    cut.CopyFrom(record.GetPtr(), record.GetSize() - 1);
    CQXImprinterFellAdapter fromCut;
    EXPECT_EQ(0, fromCut.ReadFromBuffer(cut));

    // A section without one of the family's keys fails.
    CZKScript script;
    ASSERT_EQ(1, fell.WriteToScript(script));
    ASSERT_TRUE(script.RemoveKey(L"PrintString", 1, L"Imprinter"));
    CQXImprinterFellAdapter fromScript;
    EXPECT_EQ(0, fromScript.ReadFromScript(script));
}

TEST(ImprinterPersistenceTest, MessageIndexesOutsideTheFamilyAreRefused)
{
    CQXImprinterTalusAdapter talus;
    std::wstring text = L"unchanged";
    EXPECT_EQ(0, talus.setWriteSequenceMessage(7, L"\"x\""));
    EXPECT_EQ(0, talus.setWriteSequenceMessage(0, L"\"x\""));
    talus.getWriteSequenceMessage(7, text);
    EXPECT_EQ(L"unchanged", text);
    EXPECT_EQ(0, talus.Compare(CQXImprinterTalusAdapter()));
    ASSERT_EQ(1, talus.setWriteSequenceMessage(1, L"\"suffix\""));
    EXPECT_EQ(L"\"suffix\"", talus.getSuffix());
}

TEST(ImprinterPersistenceTest, MessageIndexOutsideTheLimitIsRefusedEverywhere)
{
    CQXImprinterTalusAdapter talus;
    ASSERT_EQ(6, talus.getWriteSequenceMessageIndexLimit());
    EXPECT_EQ(1, talus.setWriteSequenceMessageIndex(6));
    EXPECT_EQ(0, talus.setWriteSequenceMessageIndex(7));
    EXPECT_EQ(0, talus.setWriteSequenceMessageIndex(0));
    EXPECT_EQ(0, talus.setWriteSequenceMessageIndex(0xFFFF));
    EXPECT_EQ(6, talus.getWriteSequenceMessageIndex());

    // A stored section or record carrying an index the scanner cannot take
    // is refused like any other corrupted one, so it never reaches the scanner.
    CZKScript script;
    ASSERT_EQ(1, talus.WriteToScript(script));
    ASSERT_TRUE(script.SetKeyValue(L"WriteSequenceMessageIndex", L"7", 1, L"Imprinter"));
    CQXImprinterTalusAdapter fromScript;
    EXPECT_EQ(0, fromScript.ReadFromScript(script));
    EXPECT_EQ(1, fromScript.getWriteSequenceMessageIndex());

    CZKRBuffer record;
    ASSERT_EQ(1, talus.WriteToBuffer(record));
    BYTE& indexLow = record.GetPtr()[record.GetSize() - 2]; // the index closes the record
    ASSERT_EQ(6, indexLow);
    indexLow = 0;
    CQXImprinterTalusAdapter fromBuffer;
    EXPECT_EQ(0, fromBuffer.ReadFromBuffer(record));
    EXPECT_EQ(0, fromBuffer.Compare(CQXImprinterTalusAdapter()));
}

TEST(ImprinterPersistenceTest, CommandTablesCarryCodesLengthsAndTexts)
{
    CQXImprinterFellAdapter fell;
    std::vector<QX_IMPRINTER_EXPRESSION> commands;
    fell.GetSupportedCommands(commands);
    ASSERT_EQ(7u, commands.size());
    EXPECT_EQ('c', commands[1].chCode);
    EXPECT_EQ(L"SCANNER_COUNTER", commands[1].strName);
    EXPECT_EQ(L"Scanner counter", commands[1].strText);
    EXPECT_EQ(QX_IMPRINTER_EXPRESSION::LENGTH_NOT_COUNTED, commands[0].nLength);

    CQXImprinterTarnAdapter tarn;
    tarn.GetSupportedCommands(commands);
    ASSERT_EQ(14u, commands.size());
    EXPECT_EQ(' ', commands.back().chCode);
    CQXImprinterCorrieAdapter corrie;
    corrie.GetSupportedCommands(commands);
    EXPECT_TRUE(commands.empty());

    double min = 0;
    double max = 0;
    tarn.getPositionLimit(min, max);
    EXPECT_DOUBLE_EQ(0.5, min);
    EXPECT_DOUBLE_EQ(0.5, tarn.getPostion());
    EXPECT_EQ(0.35, fell.getPostion());
    EXPECT_EQ(20u, fell.getSuffixLengthLimit());
}
