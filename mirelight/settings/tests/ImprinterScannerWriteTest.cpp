// The imprinter adapters written into the virtual scanners of their
// families and read back from the source's capabilities: full and partial
// write sequences, print lines in printer codes, and refused operator input
// that must leave nothing half-written.
#include "common/SettingsTestSystem.h"
#include "common/TestTWAINScannerImpl.h"

#include <mirelight/QXImageAddressAdapter.h>
#include <mirelight/QXImprinterCorrieAdapter.h>
#include <mirelight/QXImprinterEskerAdapter.h>
#include <mirelight/QXImprinterFellAdapter.h>
#include <mirelight/QXImprinterTalusAdapter.h>
#include <mirelight/QXImprinterTarnAdapter.h>
#include <mirelight/QXScannerSettingsManipulator.h>

#include <fennick/ZKTWHelper.h>
#include <twaindefs/ZKTwainConstants.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace
{
constexpr WORD CAP_SEQUENCE = 0x8009;
constexpr WORD CAP_MESSAGE_1 = 0x800C;
constexpr WORD CAP_FONT = 0x8044;
constexpr WORD CAP_POSITION = 0x8046;

class ImprinterScannerWriteTest : public ::testing::Test
{
protected:
    void Open(const std::string& profile, const wchar_t* scanner)
    {
        m_system = std::make_unique<CSettingsTestSystem>(std::vector<std::string>{profile});
        m_impl = std::make_unique<CTestTWAINScannerImpl>();
        ASSERT_TRUE(m_impl->Initialize());
        ASSERT_TRUE(m_impl->Open(scanner));
    }
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
    TW_UINT32 Index()
    {
        TW_UINT32 value = 0xEEEE;
        EXPECT_EQ(ZKTW_CAP_SUCCESS, Source().GetCapOnevalue(CAP_PRINTERINDEX, ZKTW_GETCAP_CURRENT, TWTY_UINT32, &value));
        return value;
    }
    bool Enabled()
    {
        TW_BOOL value = 2;
        EXPECT_EQ(ZKTW_CAP_SUCCESS,
                  Source().GetCapOnevalue(CAP_PRINTERENABLED, ZKTW_GETCAP_CURRENT, TWTY_BOOL, &value));
        return value != 0;
    }
    void SetEnabled(bool enabled)
    {
        const TW_BOOL value = enabled ? 1 : 0;
        ASSERT_EQ(ZKTW_CAP_SUCCESS, Source().SetCapOnevalue(CAP_PRINTERENABLED, TWTY_BOOL, &value));
    }
    std::string Text(WORD cap)
    {
        TW_STR255 value = {};
        EXPECT_EQ(ZKTW_CAP_SUCCESS, Source().GetCapOnevalue(cap, ZKTW_GETCAP_CURRENT, TWTY_STR255, value)) << cap;
        return std::string(value, strnlen(value, 255));
    }
    double Position()
    {
        TW_FIX32 value{};
        EXPECT_EQ(ZKTW_CAP_SUCCESS, Source().GetCapOnevalue(CAP_POSITION, ZKTW_GETCAP_CURRENT, TWTY_FIX32, &value));
        return CZKTWHelper::Fix32ToDouble(value);
    }

    std::unique_ptr<CSettingsTestSystem> m_system;
    std::unique_ptr<CTestTWAINScannerImpl> m_impl;
};

void ConfigureFell(CQXImprinterFellAdapter& fell)
{
    fell.setEnable(1);
    fell.setIndex(42);
    fell.setFont(2);
    fell.setPosition(1.0);
    fell.setSuffix(L"\"ACME\"");
    fell.setPrintString(L"<SCANNER_COUNTER><SPACE><SCANNER_TIME>");
}

std::wstring Tokens(int count)
{
    std::wstring formula;
    for (int i = 0; i < count; ++i)
        formula += L"<SPACE>";
    return formula;
}
} // namespace

TEST_F(ImprinterScannerWriteTest, FellWritesItsConfigurationAndPrintLine)
{
    Open("vantrel_px310", L"Vantrel PX310");
    CQXScannerSettingsManipulator manipulator(L"Vantrel PX310");
    auto* fell = dynamic_cast<CQXImprinterFellAdapter*>(manipulator.GetImprinterAdapter());
    ASSERT_NE(nullptr, fell);
    ConfigureFell(*fell);
    ASSERT_EQ(1, fell->CanWriteToScanner(m_impl.get()));
    ASSERT_EQ(1, manipulator.WriteToScanner(m_impl.get())) << manipulator.GetLastError();

    EXPECT_TRUE(Enabled());
    EXPECT_EQ(42u, Index());
    EXPECT_EQ(2, Word(CAP_FONT));
    EXPECT_EQ(9, Word(0x801B));
    EXPECT_DOUBLE_EQ(1.0, Position());
    EXPECT_EQ("ACME", Text(CAP_PRINTERSUFFIX));
    EXPECT_EQ("cBT" + std::string(17, 'Z'), Text(CAP_SEQUENCE));
}

TEST_F(ImprinterScannerWriteTest, DisabledFullImprinterWritesOnlyTheSwitch)
{
    Open("vantrel_px310", L"Vantrel PX310");
    CQXImprinterFellAdapter fell;
    ConfigureFell(fell);
    fell.setEnable(0);
    ASSERT_EQ(1, fell.WriteToScanner(m_impl.get()));
    EXPECT_FALSE(Enabled());
    EXPECT_EQ(4, Word(CAP_FONT));
    EXPECT_EQ("", Text(CAP_PRINTERSUFFIX));
    EXPECT_EQ("Z", Text(CAP_SEQUENCE));
}

TEST_F(ImprinterScannerWriteTest, RefusedOperatorInputLeavesTheImprinterOff)
{
    Open("vantrel_px310", L"Vantrel PX310");
    SetEnabled(false);
    CQXImprinterFellAdapter fell;
    ConfigureFell(fell);

    // More tokens than the print line holds: refused before anything is sent.
    fell.setPrintString(Tokens(25));
    EXPECT_EQ(0, fell.WriteToScanner(m_impl.get()));
    EXPECT_EQ(L"The imprinter print string could not be written to the scanner; it may hold at most 40 codes.",
              fell.GetLastError());
    EXPECT_FALSE(Enabled());
    EXPECT_EQ(1u, Index());
    EXPECT_EQ("Z", Text(CAP_SEQUENCE));

    fell.setPrintString(L"<SCANNER_COUNTER><NOT_A_COMMAND>");
    EXPECT_EQ(0, fell.WriteToScanner(m_impl.get()));
    fell.setPrintString(L"<SCANNER_COUNTER> <SPACE>");
    EXPECT_EQ(0, fell.WriteToScanner(m_impl.get()));
    EXPECT_FALSE(Enabled());

    fell.setPrintString(L"<SCANNER_COUNTER>");
    fell.setIndex(1000000000);
    EXPECT_EQ(0, fell.WriteToScanner(m_impl.get()));
    EXPECT_EQ(L"The imprinter counter 1000000000 is out of range; it may be at most 999999999.", fell.GetLastError());
    EXPECT_FALSE(Enabled());

    // The suffix is found too long only after the switch went on: it is
    // switched off again.
    fell.setIndex(7);
    fell.setSuffix(L"\"" + std::wstring(21, L'X') + L"\"");
    EXPECT_EQ(0, fell.WriteToScanner(m_impl.get()));
    EXPECT_EQ(L"The imprinter text of Message 1 cannot be translated, or it is longer than 20 characters.",
              fell.GetLastError());
    EXPECT_FALSE(Enabled());
}

TEST_F(ImprinterScannerWriteTest, TarnPrintLinesFillEightyCodesWithImageAddressParts)
{
    Open("vantrel_px530", L"Vantrel PX530");
    CQXScannerSettingsManipulator manipulator(L"Vantrel PX530");
    auto* tarn = dynamic_cast<CQXImprinterTarnAdapter*>(manipulator.GetImprinterAdapter());
    ASSERT_NE(nullptr, tarn);
    // Template 2: fixed field, level 2, level 1.
    manipulator.GetImageAddressAdapter()->setTemplate(2);
    tarn->setEnable(1);
    tarn->setDateFormat(3);
    tarn->setUseUniformPrintString(1);
    tarn->setPrintStringLevel1(L"<IA_FIXED_FIELD.REPLACE><SPACE><SCANNER_COUNTER>");
    tarn->setPrintStringLevel3(L"<MESSAGE_1><IA_LEVEL_3.REPLACE>");
    tarn->setPrintStringAllLevels(L"<SCANNER_DATE>");
    ASSERT_EQ(1, tarn->setWriteSequenceMessage(1, L"\"BATCH\""));
    ASSERT_EQ(0, tarn->setWriteSequenceMessage(7, L"\"X\""));
    SetEnabled(false);

    ASSERT_EQ(1, manipulator.WriteToScanner(m_impl.get())) << manipulator.GetLastError();
    const std::string sequence = Text(CAP_SEQUENCE);
    ASSERT_EQ(80u, sequence.size());
    EXPECT_EQ("A S" + std::string(17, 'Z'), sequence.substr(0, 20));
    EXPECT_EQ(std::string(20, 'Z'), sequence.substr(20, 20));
    // Slot 2 of template 2 counts level 2, which the tarn calls 'C'.
    EXPECT_EQ("1C" + std::string(18, 'Z'), sequence.substr(40, 20));
    EXPECT_EQ("Y" + std::string(19, 'Z'), sequence.substr(60, 20));
    EXPECT_TRUE(Enabled());
    EXPECT_EQ(3, Word(0x8033));
    EXPECT_EQ(1, Word(0x8047));
    EXPECT_EQ("BATCH", Text(CAP_MESSAGE_1));
    EXPECT_EQ("", Text(CAP_MESSAGE_1 + 5));
}

TEST_F(ImprinterScannerWriteTest, TarnTemplateOneKeepsEveryAddressPart)
{
    Open("vantrel_px530", L"Vantrel PX530");
    CQXScannerSettingsManipulator manipulator(QX_SCANNER_FAMILY_TARN);
    auto* tarn = dynamic_cast<CQXImprinterTarnAdapter*>(manipulator.GetImprinterAdapter());
    tarn->setEnable(1);
    tarn->setPrintStringLevel1(
        L"<IA_FIXED_FIELD.REPLACE><IA_LEVEL_3.REPLACE><IA_LEVEL_2.REPLACE><IA_LEVEL_1.REPLACE><IA_LEVEL_1>");
    ASSERT_EQ(1, manipulator.WriteToScanner(m_impl.get())) << manipulator.GetLastError();
    // The bare tag is dropped; the slots map onto themselves.
    EXPECT_EQ("ABCD" + std::string(16, 'Z'), Text(CAP_SEQUENCE).substr(0, 20));
}

TEST_F(ImprinterScannerWriteTest, PartialImprinterIsSwitchedOnForItsMessagesAndOffAgain)
{
    Open("vantrel_mx970", L"Vantrel MX970");
    SetEnabled(false);
    CQXScannerSettingsManipulator manipulator(L"Vantrel MX970");
    auto* corrie = dynamic_cast<CQXImprinterCorrieAdapter*>(manipulator.GetImprinterAdapter());
    ASSERT_NE(nullptr, corrie);
    corrie->setWriteSequenceMessage(2, L"\"SECOND\"");
    ASSERT_EQ(1, manipulator.WriteToScanner(m_impl.get())) << manipulator.GetLastError();
    EXPECT_FALSE(Enabled());
    EXPECT_EQ("SECOND", Text(CAP_MESSAGE_1 + 1));

    // A switched-on imprinter whose messages are refused ends switched off,
    // with the old messages untouched.
    SetEnabled(true);
    corrie->setWriteSequenceMessage(2, L"\"CHANGED\"");
    corrie->setWriteSequenceMessage(6, L"\"" + std::wstring(30, L'X') + L"\"");
    EXPECT_EQ(0, manipulator.WriteToScanner(m_impl.get()));
    EXPECT_EQ(L"The imprinter text of Message 6 cannot be translated, or it is longer than 20 characters.",
              manipulator.GetLastError());
    EXPECT_FALSE(Enabled());
    EXPECT_EQ("SECOND", Text(CAP_MESSAGE_1 + 1));
}

TEST_F(ImprinterScannerWriteTest, EskerAndTalusWriteTheirMessages)
{
    Open("vantrel_hx860", L"Vantrel HX860");
    CQXScannerSettingsManipulator esker(L"Vantrel HX860");
    dynamic_cast<CQXImprinterEskerAdapter*>(esker.GetImprinterAdapter())->setWriteSequenceMessage(L"\"ONE\"");
    ASSERT_EQ(1, esker.WriteToScanner(m_impl.get())) << esker.GetLastError();
    EXPECT_EQ("ONE", Text(CAP_PRINTERSUFFIX));
    TearDown();

    Open("vantrel_px420", L"Vantrel PX420");
    CQXScannerSettingsManipulator talus(L"Vantrel PX420");
    auto* adapter = dynamic_cast<CQXImprinterTalusAdapter*>(talus.GetImprinterAdapter());
    adapter->setEnable(1);
    adapter->setWriteSequenceMessage(1, L"\"SUFFIX\"");
    adapter->setWriteSequenceMessage(6, L"\"SIXTH\"");
    adapter->setWriteSequenceMessageIndex(6);
    adapter->setPrintString(L"<MESSAGE_1><MESSAGE_6><SCANNER_COUNTER>");
    ASSERT_EQ(1, talus.WriteToScanner(m_impl.get())) << talus.GetLastError();
    EXPECT_EQ("SUFFIX", Text(CAP_PRINTERSUFFIX));
    EXPECT_EQ("SIXTH", Text(0x8011));
    EXPECT_EQ(6, Word(0x808A));
    EXPECT_EQ("S6C" + std::string(37, 'Z'), Text(CAP_SEQUENCE));
}

TEST_F(ImprinterScannerWriteTest, ClosedScannerIsNeitherCheckedNorWritten)
{
    Open("vantrel_px310", L"Vantrel PX310");
    CQXImprinterFellAdapter fell;
    EXPECT_EQ(1, fell.CanWriteToScanner(m_impl.get()));
    m_impl->Close();
    EXPECT_EQ(0, fell.CanWriteToScanner(m_impl.get()));
    EXPECT_EQ(0, fell.WriteToScanner(m_impl.get()));
}
