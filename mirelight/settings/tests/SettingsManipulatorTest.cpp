// The manipulator's settings buffers: the script form it writes, the binary
// form it still reads, how it tells them apart, and refusals that leave
// every adapter as it was.
#include <mirelight/QXBatchAdapter.h>
#include <mirelight/QXImageAddressAdapter.h>
#include <mirelight/QXPatchAdapter.h>
#include <mirelight/QXImprinterTarnAdapter.h>
#include <mirelight/QXScannerSettingsManipulator.h>

#include <hollin/ZKRBuffer.h>
#include <hollin/ZKScript.h>
#include <hollin/ZKStringList.h>

#include <gtest/gtest.h>

#include <string>

namespace
{
// Reaches the binary writer, which no public operation uses any more.
class CBinaryManipulator : public CQXScannerSettingsManipulator
{
public:
    using CQXScannerSettingsManipulator::CQXScannerSettingsManipulator;
    int WriteBinary(CZKBuffer& buffer) { return _DoWriteToBuffer(buffer); }
    int IsScript(CZKBuffer& buffer) { return _IsScript(buffer); }
};

void ChangeAll(CQXScannerSettingsManipulator& manipulator)
{
    manipulator.GetBatchAdapter()->setEnable(1);
    manipulator.GetBatchAdapter()->setCount(40);
    manipulator.GetPatchAdapter()->setLevel2(1);
    manipulator.GetPatchAdapter()->setToggle(1);
    manipulator.GetImageAddressAdapter()->setTemplate(3);
    manipulator.GetImageAddressAdapter()->setImageAddressFormat(2);
    auto* imprinter = dynamic_cast<CQXImprinterTarnAdapter*>(manipulator.GetImprinterAdapter());
    imprinter->setEnable(1);
    imprinter->setPrintStringLevel1(L"<SCANNER_COUNTER>");
    imprinter->setWriteSequenceMessage(3, L"\"C\"");
}

bool SameSettings(CQXScannerSettingsManipulator& a, CQXScannerSettingsManipulator& b)
{
    return a.GetBatchAdapter()->Compare(*b.GetBatchAdapter()) == 0 &&
           a.GetPatchAdapter()->Compare(*b.GetPatchAdapter()) == 0 &&
           a.GetImageAddressAdapter()->Compare(*b.GetImageAddressAdapter()) == 0 &&
           a.GetImprinterAdapter()->Compare(*b.GetImprinterAdapter()) == 0;
}

void LoadScript(const CZKBuffer& buffer, CZKScript& script) { ASSERT_TRUE(script.Load(buffer)); }

std::string Text(const CZKBuffer& buffer)
{
    return std::string(reinterpret_cast<const char*>(buffer.GetPtr()), buffer.GetSize());
}
} // namespace

TEST(SettingsManipulatorTest, FamilyDecidesTheAdapters)
{
    CQXScannerSettingsManipulator tarn(L"Vantrel PX530");
    EXPECT_EQ(QX_SCANNER_FAMILY_TARN, tarn.GetFamily());
    EXPECT_NE(nullptr, tarn.GetImageAddressAdapter());
    EXPECT_NE(nullptr, tarn.GetBatchAdapter());
    EXPECT_NE(nullptr, tarn.GetPatchAdapter());
    EXPECT_NE(nullptr, tarn.GetImprinterAdapter());
    EXPECT_EQ(&tarn, tarn.GetImprinterAdapter()->GetManipulator());
    EXPECT_EQ(&tarn, tarn.GetPatchAdapter()->GetManipulator());

    CQXScannerSettingsManipulator unknown(L"Some Other Scanner");
    EXPECT_EQ(QX_SCANNER_FAMILY_GENERIC, unknown.GetFamily());
    EXPECT_EQ(nullptr, unknown.GetBatchAdapter());
}

TEST(SettingsManipulatorTest, ScriptFormHoldsTheFamilyAndOneSectionPerAdapter)
{
    CQXScannerSettingsManipulator tarn(QX_SCANNER_FAMILY_TARN);
    CZKRBuffer buffer;
    ASSERT_EQ(1, tarn.WriteToBuffer(buffer));
    const std::string text = Text(buffer);
    ASSERT_GT(text.size(), 3u);
    EXPECT_EQ("\xEF\xBB\xBF", text.substr(0, 3));
    CZKScript script;
    LoadScript(buffer, script);
    int family = -1;
    EXPECT_TRUE(script.R_int(L"Family", family, 1, L"General"));
    EXPECT_EQ(QX_SCANNER_FAMILY_TARN, family);
    for (const wchar_t* section : {L"ImageAddress", L"Batch", L"Patch"})
        EXPECT_TRUE(script.HasSection(section)) << std::wstring(section).size();

    CQXScannerSettingsManipulator cirque(QX_SCANNER_FAMILY_CIRQUE);
    ASSERT_EQ(1, cirque.WriteToBuffer(buffer));
    CZKStringList names;
    CZKScript general;
    LoadScript(buffer, general);
    general.GetSectionNames(names);
    ASSERT_EQ(1, names.GetCount());
    EXPECT_EQ(1, cirque.ReadFromBuffer(buffer));
}

TEST(SettingsManipulatorTest, ScriptFormRoundTrips)
{
    CQXScannerSettingsManipulator written(QX_SCANNER_FAMILY_TARN);
    ChangeAll(written);
    CZKRBuffer buffer;
    ASSERT_EQ(1, written.WriteToBuffer(buffer));

    CQXScannerSettingsManipulator read(QX_SCANNER_FAMILY_TARN);
    ASSERT_FALSE(SameSettings(written, read));
    ASSERT_EQ(1, read.ReadFromBuffer(buffer));
    EXPECT_TRUE(SameSettings(written, read));
}

TEST(SettingsManipulatorTest, BinaryFormIsStillRead)
{
    CBinaryManipulator written(QX_SCANNER_FAMILY_TARN);
    ChangeAll(written);
    CZKRBuffer buffer;
    ASSERT_EQ(1, written.WriteBinary(buffer));
    EXPECT_EQ(0, written.IsScript(buffer));

    CQXScannerSettingsManipulator read(QX_SCANNER_FAMILY_TARN);
    ASSERT_EQ(1, read.ReadFromBuffer(buffer));
    // The leading-zeros code travels with the imprinter in this form and
    // reaches the image-address adapter again.
    EXPECT_TRUE(SameSettings(written, read));
}

TEST(SettingsManipulatorTest, SettingsOfAnotherFamilyAreRefusedUntouched)
{
    CBinaryManipulator tarn(QX_SCANNER_FAMILY_TARN);
    ChangeAll(tarn);
    CZKRBuffer script;
    ASSERT_EQ(1, tarn.WriteToBuffer(script));
    CZKRBuffer binary;
    ASSERT_EQ(1, tarn.WriteBinary(binary));

    CQXScannerSettingsManipulator corrie(QX_SCANNER_FAMILY_CORRIE);
    EXPECT_EQ(0, corrie.ReadFromBuffer(script));
    EXPECT_EQ(0, corrie.ReadFromBuffer(binary));
    EXPECT_EQ(QX_SCANNER_FAMILY_CORRIE, corrie.GetFamily());

    // Same adapters, other family code: the check comes before any adapter.
    std::string text = Text(script);
    const size_t at = text.find("Family = 5");
    ASSERT_NE(std::string::npos, at);
    text.replace(at, 10, "Family = 9");
    CZKRBuffer relabelled(text.data(), text.size());
    CQXScannerSettingsManipulator other(QX_SCANNER_FAMILY_TARN);
    EXPECT_EQ(0, other.ReadFromBuffer(relabelled));
    EXPECT_TRUE(SameSettings(other, *std::make_unique<CQXScannerSettingsManipulator>(QX_SCANNER_FAMILY_TARN)));
}

TEST(SettingsManipulatorTest, AScriptFailingInItsLastSectionChangesNoAdapter)
{
    CQXScannerSettingsManipulator written(QX_SCANNER_FAMILY_TARN);
    ChangeAll(written);
    CZKRBuffer buffer;
    ASSERT_EQ(1, written.WriteToBuffer(buffer));
    CZKScript script;
    LoadScript(buffer, script);
    script.RemoveKey(L"Alarm", 1, L"Patch");
    CZKRBuffer damaged;
    ASSERT_TRUE(script.Save(damaged));

    CQXScannerSettingsManipulator read(QX_SCANNER_FAMILY_TARN);
    EXPECT_EQ(0, read.ReadFromBuffer(damaged));
    CQXScannerSettingsManipulator defaults(QX_SCANNER_FAMILY_TARN);
    EXPECT_TRUE(SameSettings(read, defaults));
}

TEST(SettingsManipulatorTest, OnlyLongBomTextWithGeneralCountsAsScript)
{
    CBinaryManipulator manipulator(QX_SCANNER_FAMILY_TARN);
    const auto isScript = [&](const std::string& bytes) {
        CZKRBuffer buffer(bytes.data(), bytes.size());
        return manipulator.IsScript(buffer);
    };
    EXPECT_EQ(1, isScript("\xEF\xBB\xBF[GENERAL]\nA=1"));
    EXPECT_EQ(1, isScript("\xEF\xBB\xBF" "abcdefgeneral"));
    EXPECT_EQ(1, isScript("\xEF\xBB\xBF[General]\n")); // 13 bytes
    EXPECT_EQ(0, isScript("\xEF\xBB\xBF[General]"));   // 12 bytes
    EXPECT_EQ(0, isScript("[General]\nFamily = 5\n"));  // no byte order mark
    EXPECT_EQ(0, isScript("\xEF\xBB\xBF[Batch]\nEnable = 1\n"));

    // A script without its mark is read as binary and refused.
    CZKRBuffer noBom(std::string("[General]\nFamily = 5\n").data(), 21);
    EXPECT_EQ(0, manipulator.ReadFromBuffer(noBom));
}

TEST(SettingsManipulatorTest, EmptyBufferKeepsTheCurrentSettings)
{
    CQXScannerSettingsManipulator manipulator(QX_SCANNER_FAMILY_TARN);
    ChangeAll(manipulator);
    CQXScannerSettingsManipulator changed(QX_SCANNER_FAMILY_TARN);
    ChangeAll(changed);
    CZKRBuffer empty;
    EXPECT_EQ(1, manipulator.ReadFromBuffer(empty));
    EXPECT_TRUE(SameSettings(manipulator, changed));
}
