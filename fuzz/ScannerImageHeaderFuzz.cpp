// The scanner's vendor image header in its serial form (a 16-bit length,
// then that many bytes; the rest feeds the setters): every vendor getter
// must cope with what loaded, the image-address text must parse or be
// refused, and the setters must work on whatever came in.
#include <mirelight/QXRidgeExtraImageInfo.h>

#include <brackwater/QX_IMAGEADDRESS.h>

#include <hollin/ZKRBuffer.h>

#include "common/FuzzInput.h"

namespace
{
using Header = CQXRidgeExtraImageInfo;
using NumberGetter = BOOL (Header::*)(unsigned int&) const;
using TextGetter = BOOL (Header::*)(std::wstring&) const;
using TableGetter = BOOL (Header::*)(Header::Histogram&) const;

const NumberGetter kNumberGetters[] = {
    &Header::GetHdrPageSide, &Header::GetHdrDocumentCount, &Header::GetHdrLength, &Header::GetHdrLevel,
    &Header::GetHdrMode, &Header::GetHdrLineLength, &Header::GetHdrPageLength, &Header::GetHdrCompression,
    &Header::GetHdrDate, &Header::GetHdrTime, &Header::GetHdrRoll, &Header::GetHdrResolution,
    &Header::GetHdrBitOrder, &Header::GetHdrSkew, &Header::GetHdrMomentaryFlag, &Header::GetHdrLatchedFlag,
    &Header::GetHdrDeskew, &Header::GetHdrDeskewAngle, &Header::GetHdrPolarity, &Header::GetHdrPrinterIndex,
    &Header::GetHdrImageNumber, &Header::GetHdrPageNumber, &Header::GetHdrPageImageNumber,
    &Header::GetHdrXOffset, &Header::GetHdrYOffset, &Header::GetHdrFeaturePatch, &Header::GetHdrPathDetected,
    &Header::GetHdrFoldedCornerPercentage, &Header::GetHdrDeskewConfidenceFactor,
    &Header::GetHdrBitonalContrastPercentage, &Header::GetHdrBitonalContrast, &Header::GetHdrBitonalThreshold,
    &Header::GetHdrMultifeed, &Header::GetHdrLongPaperSegment, &Header::GetHdrLongPaperLastSegment,
};
const TextGetter kTextGetters[] = {
    &Header::GetHdrBarcode, &Header::GetHdrPrinterString, &Header::GetHdrBookNameA, &Header::GetHdrBookNameB,
    &Header::GetHdrBookNameC, &Header::GetHdrBookNameD, &Header::GetHdrImageAddressString,
    &Header::GetHdrImageAddressDefs, &Header::GetHdrDither,
};
const TableGetter kTableGetters[] = {
    &Header::GetHdrSumHistogram, &Header::GetHdrDefferenceHistogram, &Header::GetHdrGammaTable,
};

void AskEveryValue(const Header& header)
{
    for (NumberGetter get : kNumberGetters)
    {
        unsigned int number = 0;
        (header.*get)(number);
    }
    for (TextGetter get : kTextGetters)
    {
        std::wstring text;
        (header.*get)(text);
    }
    for (TableGetter get : kTableGetters)
    {
        Header::Histogram table;
        (header.*get)(table);
    }
    int angle = 0;
    header.GetHdrDeskewAngleActual(angle);
}

// The image address as the scanner reports it: the text laid out by the
// slot marks it sends along.
void ParseImageAddress(const Header& header)
{
    std::wstring text;
    std::wstring marks;
    if (!header.GetHdrImageAddressString(text) || !header.GetHdrImageAddressDefs(marks))
        return;
    QX_IMAGEADDRESS address;
    address.ParseHdrString(text, marks);
}

void RenumberAndImprint(Header& header, CFuzzInput& input)
{
    unsigned int number = input.TakeLong();
    header.SetHdrPageNumber(number);
    header.SetHdrPrinterIndex(number);
    std::wstring printed = input.TakeText();
    header.SetHdrPrinterString(printed);
    AskEveryValue(header);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput input(data, size);
    const std::string serial = input.TakeBytes(input.TakeWord());
    CZKRBuffer buffer(serial.data(), serial.size());

    Header header;
    header.Load(buffer);
    AskEveryValue(header);
    ParseImageAddress(header);
    RenumberAndImprint(header, input);
    return 0;
}
