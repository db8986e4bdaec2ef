// An acquisition after the imprinter settings were written: the vendor
// header of each image carries what the imprinter was told to print and its
// counter, advanced per document.
#include "TWAINScannerFixture.h"

#include <mirelight/QXImprinterFellAdapter.h>
#include <mirelight/QXScannerSettingsManipulator.h>

#include <string>

namespace
{
// Reaches the implementation behind the facade, as the application's own
// settings code does through the scanner's advanced configuration.
struct CImplAccess : CQXScanner
{
    static CQXScannerImpl* Of(const CQXScanner& scanner) { return (scanner.*(&CImplAccess::_GetImpl))(); }
};

class TWAINImprinterAcquireTest : public TWAINScannerFixture
{
};
} // namespace

TEST_F(TWAINImprinterAcquireTest, ImagesCarryTheWrittenImprintAndCounter)
{
    std::string profile = SampleProfileText("vantrel_px310");
    const std::string printed = "Value = DOC {counter}";
    const size_t at = profile.find(printed);
    ASSERT_NE(std::string::npos, at);
    profile.replace(at, printed.size(), "Value = {cap:0x102B} {counter}");
    Open(profile, TWSX_MEMORY, L"twain:Vantrel PX310");

    CQXScannerSettingsManipulator manipulator(L"Vantrel PX310");
    auto* fell = dynamic_cast<CQXImprinterFellAdapter*>(manipulator.GetImprinterAdapter());
    ASSERT_NE(nullptr, fell);
    fell->setEnable(1);
    fell->setIndex(42);
    fell->setSuffix(L"\"ACME\"");
    fell->setPrintString(L"<MESSAGE><SPACE><SCANNER_COUNTER>");
    ASSERT_EQ(1, manipulator.WriteToScanner(CImplAccess::Of(m_scanner))) << manipulator.GetLastError();

    AcquireAll();
    const std::vector<RECORDED_SCANNER_IMAGE> images = m_recorder.Images();
    ASSERT_FALSE(images.empty());
    // Both sides of a sheet share its counter; the next sheet counts on.
    LONG previous = 41;
    for (const RECORDED_SCANNER_IMAGE& image : images)
    {
        const LONG counter = Tag(image, 300);
        EXPECT_TRUE(counter == previous || counter == previous + 1) << counter;
        previous = counter;
        std::wstring imprint;
        ASSERT_TRUE(image.tags.GetValue(301, imprint));
        EXPECT_EQ(L"ACME " + std::to_wstring(counter), imprint);
    }
    EXPECT_EQ(42, Tag(images.front(), 300));
    EXPECT_GT(Tag(images.back(), 300), 42);
}
