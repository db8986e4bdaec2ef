// Scanner-side settings through the facade: the advanced configuration's
// settings block written to the virtual maker scanners, and image addressing
// (layout, current address, the address of each image and of the session's
// end) on the scanner that carries it.
#include "TWAINScannerFixture.h"

#include <mirelight/QXImageAddressAdapter.h>
#include <mirelight/QXScannerSettingsManipulator.h>

#include <brackwater/QX_IMAGEADDRESS.h>
#include <brackwater/QX_IMAGEADDRESS_FORMAT.h>
#include <brackwater/QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE.h>
#include <hollin/ZKRBuffer.h>
#include <orrin/ZKRCM.h>

namespace
{
// tarn carries image addressing, batch and patch settings; fell has none.
const wchar_t* const kTarnScanner = L"twain:Vantrel PX530";
const wchar_t* const kFellScanner = L"twain:Vantrel PX310";

std::string MakerProfile(const std::string& sample, int sheets)
{
    std::string profile = SampleProfileText(sample);
    const std::string from = "Sheets = 4";
    profile.replace(profile.find(from), from.size(), "Sheets = " + std::to_string(sheets));
    return profile;
}

// The tarn profile whose image-address template can be read but not set.
std::string TarnWithFixedTemplate()
{
    std::string profile = MakerProfile("vantrel_px530", 1);
    const size_t section = profile.find("[Cap.VENDOR_IMAGEADDRESSTEMPLATE]");
    const size_t line = profile.find("Operations = ", section);
    profile.replace(line, profile.find('\n', line) - line, "Operations = GET, GETCURRENT, QUERYSUPPORT");
    return profile;
}

// The layout of a built-in template, as the settings library knows it.
QX_IMAGEADDRESS_FORMAT TemplateFormat(unsigned short templateNumber)
{
    CQXScannerSettingsManipulator manipulator(QX_SCANNER_FAMILY_TARN);
    manipulator.GetImageAddressAdapter()->setTemplate(templateNumber);
    return manipulator.GetImageAddressAdapter()->getAddressFormat();
}

CZKRBuffer SettingsBlock(EQXScannerFamily family, unsigned short imageAddressTemplate = 1)
{
    CQXScannerSettingsManipulator manipulator(family);
    if (CQXImageAddressAdapter* adapter = manipulator.GetImageAddressAdapter())
        adapter->setTemplate(imageAddressTemplate);
    CZKRBuffer block;
    EXPECT_TRUE(manipulator.WriteToBuffer(block));
    return block;
}

std::wstring Text(const wchar_t* key)
{
    std::wstring text;
    SZKRCM::LoadText(key, text);
    return text;
}

QX_IMAGEADDRESS Address(const wchar_t* fixed, LONG level3, LONG level2, LONG level1,
                        const QX_IMAGEADDRESS_FORMAT& format)
{
    QX_IMAGEADDRESS address;
    EXPECT_TRUE(address.Parse(fixed, level3, level2, level1, format));
    return address;
}

class TWAINScannerSettingsTest : public TWAINScannerFixture
{
protected:
    void OpenTarn(int sheets = 1) { Open(MakerProfile("vantrel_px530", sheets), TWSX_MEMORY, kTarnScanner); }

    QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE Advanced(const wchar_t* scannerName, const CZKRBuffer& block)
    {
        QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE advanced;
        advanced.strScannerName = scannerName;
        EXPECT_TRUE(advanced.settingsBlock.CopyFrom(block));
        return advanced;
    }
};
} // namespace

TEST_F(TWAINScannerSettingsTest, AdvancedConfigWritesTheBlockAndReadsTheLayoutBack)
{
    OpenTarn();
    const CZKRBuffer block = SettingsBlock(QX_SCANNER_FAMILY_TARN, 2);
    QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE advanced = Advanced(L"Vantrel PX530", block);
    std::wstring error;
    ASSERT_TRUE(m_scanner.SetAdvancedConfig(advanced, error)) << std::string(error.begin(), error.end());

    // The scanner now reports template 2's layout through its capabilities.
    QX_IMAGEADDRESS_FORMAT format;
    ASSERT_TRUE(m_scanner.GetTagValue(1009, 0, &format));
    EXPECT_EQ(TemplateFormat(2), format);

    CZKRBuffer caller(block);
    QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE readBack;
    ASSERT_TRUE(m_scanner.GetAdvancedConfig(readBack, &caller));
    EXPECT_EQ(L"Vantrel PX530", readBack.strScannerName);
    EXPECT_EQ(TemplateFormat(2), readBack.imageAddressFormat);
    EXPECT_EQ(block, readBack.settingsBlock);

    // A block without an image-address layout leaves the record's format as reset.
    CZKRBuffer fellBlock = SettingsBlock(QX_SCANNER_FAMILY_FELL);
    ASSERT_TRUE(m_scanner.GetAdvancedConfig(readBack, &fellBlock));
    EXPECT_EQ(QX_IMAGEADDRESS_FORMAT(), readBack.imageAddressFormat);
}

TEST_F(TWAINScannerSettingsTest, FailedWritesReportTheirText)
{
    Open(TarnWithFixedTemplate(), TWSX_MEMORY, kTarnScanner);
    std::wstring error;
    QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE refused = Advanced(L"Vantrel PX530", SettingsBlock(QX_SCANNER_FAMILY_TARN, 3));
    EXPECT_FALSE(m_scanner.SetAdvancedConfig(refused, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Text(L"MSG_SCANNER_SETTINGS_WRITE_FAILED"), error);
    QX_IMAGEADDRESS_FORMAT format;
    ASSERT_TRUE(m_scanner.GetTagValue(1009, 0, &format));
    EXPECT_EQ(TemplateFormat(1), format);

    // Another family's settings are not read as this scanner's.
    error.clear();
    QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE foreign = Advanced(L"Vantrel PX530", SettingsBlock(QX_SCANNER_FAMILY_FELL));
    EXPECT_FALSE(m_scanner.SetAdvancedConfig(foreign, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Text(L"MSG_SCANNER_SETTINGS_READ_FAILED"), error);

    QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE otherScanner = Advanced(L"Vantrel PX310", SettingsBlock(QX_SCANNER_FAMILY_TARN));
    EXPECT_FALSE(m_scanner.SetAdvancedConfig(otherScanner, error));
}

TEST_F(TWAINScannerSettingsTest, FellTakesItsOwnBlockAndHasNoImageAddressing)
{
    Open(MakerProfile("vantrel_px310", 1), TWSX_MEMORY, kFellScanner);
    std::wstring error;
    QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE own = Advanced(L"Vantrel PX310", SettingsBlock(QX_SCANNER_FAMILY_FELL));
    EXPECT_TRUE(m_scanner.SetAdvancedConfig(own, error));
    QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE tarn = Advanced(L"Vantrel PX310", SettingsBlock(QX_SCANNER_FAMILY_TARN));
    EXPECT_FALSE(m_scanner.SetAdvancedConfig(tarn, error));
    EXPECT_EQ(Text(L"MSG_SCANNER_SETTINGS_READ_FAILED"), error);

    int active = -1;
    EXPECT_FALSE(m_scanner.GetTagValue(1007, 0, &active));
    EXPECT_EQ(0, active);
    QX_IMAGEADDRESS address;
    EXPECT_FALSE(m_scanner.GetTagValue(1008, 0, &address));
    EXPECT_FALSE(m_scanner.SetTagValue(1008, 0, &address));

    AcquireAll();
    ASSERT_EQ(1u, m_recorder.Begins().size());
    EXPECT_FALSE(m_recorder.Begins()[0].bImageAddress);
    for (const RECORDED_SCANNER_IMAGE& image : m_recorder.Images())
    {
        std::wstring text;
        EXPECT_FALSE(image.tags.GetValue(403, text));
    }
}

TEST_F(TWAINScannerSettingsTest, ImageAddressTagsReadAndSetTheScannersAddress)
{
    OpenTarn();
    int active = 0;
    ASSERT_TRUE(m_scanner.GetTagValue(1007, 0, &active));
    EXPECT_EQ(1, active);
    QX_IMAGEADDRESS_FORMAT format;
    ASSERT_TRUE(m_scanner.GetTagValue(1009, 0, &format));
    EXPECT_EQ(TemplateFormat(1), format);

    QX_IMAGEADDRESS address;
    ASSERT_TRUE(m_scanner.GetTagValue(1008, 0, &address));
    EXPECT_EQ(0, Address(L"BATCH", 1, 1, 1, format).compare(address));

    const QX_IMAGEADDRESS next = Address(L"BOX", 7, 3, 41, format);
    ASSERT_TRUE(m_scanner.SetTagValue(1008, 0, const_cast<QX_IMAGEADDRESS*>(&next)));
    ASSERT_TRUE(m_scanner.GetTagValue(1008, 0, &address));
    EXPECT_EQ(0, next.compare(address));

    // Only slot 1, the fixed field, in use: addressing stays active.
    std::wstring error;
    QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE fixedOnly = Advanced(L"Vantrel PX530", SettingsBlock(QX_SCANNER_FAMILY_TARN, 0));
    ASSERT_TRUE(m_scanner.SetAdvancedConfig(fixedOnly, error));
    ASSERT_TRUE(m_scanner.GetTagValue(1007, 0, &active));
    EXPECT_EQ(1, active);
}

TEST_F(TWAINScannerSettingsTest, EachImageAndTheSessionEndCarryTheirAddress)
{
    OpenTarn(2);
    QX_IMAGEADDRESS_FORMAT format;
    ASSERT_TRUE(m_scanner.GetTagValue(1009, 0, &format));
    const QX_IMAGEADDRESS start = Address(L"BOX", 7, 3, 41, format);
    ASSERT_TRUE(m_scanner.SetTagValue(1008, 0, const_cast<QX_IMAGEADDRESS*>(&start)));

    AcquireAll();
    ASSERT_EQ(1u, m_recorder.Begins().size());
    EXPECT_TRUE(m_recorder.Begins()[0].bImageAddress);
    EXPECT_EQ(format, m_recorder.Begins()[0].imageAddressFormat);

    const std::vector<RECORDED_SCANNER_IMAGE> images = m_recorder.Images();
    ASSERT_EQ(4u, images.size());
    for (size_t i = 0; i < images.size(); ++i)
    {
        // Book name and chapter as the scanner reports them, the sheet as
        // document number, the header's page number as the lowest level.
        std::wstring expected;
        ASSERT_TRUE(Address(L"BATCH", static_cast<LONG>(i / 2 + 1), 1, static_cast<LONG>(i + 1), format)
                        .ToStdString(expected));
        std::wstring text;
        ASSERT_TRUE(images[i].tags.GetValue(403, text)) << "image " << i;
        EXPECT_EQ(expected, text) << "image " << i;
    }

    // Two documents later the scanner's address has moved on by two.
    ASSERT_EQ(1u, m_recorder.Ends().size());
    EXPECT_EQ(0, Address(L"BOX", 7, 3, 43, format).compare(m_recorder.Ends()[0].imageAddress));
}
