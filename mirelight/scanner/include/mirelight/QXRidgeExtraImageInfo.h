// The maker's vendor image header: the extended image information of every
// image, asking for the standard items and the 48 vendor items, with typed
// access to the vendor ones and setters for renumbering pages and carrying
// imprinter data across long-paper segments.
//
// Each getter is FALSE, leaving its result untouched, when the item was not
// delivered (its condition code is not 0).
#pragma once

#include <fennick/ZKTWExtraImageInfo.h>
#include <mirelight/mirelight_export.h>
#include <wincompat/WinTypes.h>

#include <string>

class MIRELIGHT_EXPORT CQXRidgeExtraImageInfo : public CZKTWExtraImageInfo
{
public:
    static constexpr unsigned VENDOR_ITEM_COUNT = 48;
    static constexpr size_t HISTOGRAM_SIZE = 256;
    typedef unsigned char Histogram[HISTOGRAM_SIZE];

    CQXRidgeExtraImageInfo();
    CQXRidgeExtraImageInfo(const CQXRidgeExtraImageInfo& other) = default;
    CQXRidgeExtraImageInfo& operator=(const CQXRidgeExtraImageInfo& other) = default;
    ~CQXRidgeExtraImageInfo() override;

    // The vendor ids in the order they are asked for.
    static const WORD* VendorItems(size_t& count);

    BOOL GetHdrPageSide(unsigned int& value) const;
    BOOL GetHdrDocumentCount(unsigned int& value) const;
    BOOL GetHdrLength(unsigned int& value) const;
    BOOL GetHdrLevel(unsigned int& value) const;
    BOOL GetHdrMode(unsigned int& value) const;
    BOOL GetHdrLineLength(unsigned int& value) const;
    BOOL GetHdrPageLength(unsigned int& value) const;
    BOOL GetHdrCompression(unsigned int& value) const;
    BOOL GetHdrDate(unsigned int& value) const;
    BOOL GetHdrTime(unsigned int& value) const;
    BOOL GetHdrRoll(unsigned int& value) const;
    BOOL GetHdrResolution(unsigned int& value) const;
    BOOL GetHdrBitOrder(unsigned int& value) const;
    BOOL GetHdrSkew(unsigned int& value) const;
    BOOL GetHdrMomentaryFlag(unsigned int& value) const;
    BOOL GetHdrLatchedFlag(unsigned int& value) const;
    BOOL GetHdrBarcode(std::wstring& value) const;
    BOOL GetHdrDeskew(unsigned int& value) const;
    BOOL GetHdrDeskewAngle(unsigned int& value) const;
    BOOL GetHdrPolarity(unsigned int& value) const;
    BOOL GetHdrPrinterString(std::wstring& value) const;
    BOOL GetHdrPrinterIndex(unsigned int& value) const;
    BOOL GetHdrImageNumber(unsigned int& value) const;
    BOOL GetHdrPageNumber(unsigned int& value) const;
    BOOL GetHdrPageImageNumber(unsigned int& value) const;
    BOOL GetHdrBookNameA(std::wstring& value) const;
    BOOL GetHdrBookNameB(std::wstring& value) const;
    BOOL GetHdrBookNameC(std::wstring& value) const;
    BOOL GetHdrBookNameD(std::wstring& value) const;
    BOOL GetHdrImageAddressString(std::wstring& value) const;
    BOOL GetHdrXOffset(unsigned int& value) const;
    BOOL GetHdrYOffset(unsigned int& value) const;
    BOOL GetHdrFeaturePatch(unsigned int& value) const;
    BOOL GetHdrImageAddressDefs(std::wstring& value) const;
    BOOL GetHdrDither(std::wstring& value) const;
    BOOL GetHdrPathDetected(unsigned int& value) const;
    BOOL GetHdrFoldedCornerPercentage(unsigned int& value) const;
    BOOL GetHdrDeskewConfidenceFactor(unsigned int& value) const;
    BOOL GetHdrBitonalContrastPercentage(unsigned int& value) const;
    BOOL GetHdrBitonalContrast(unsigned int& value) const;
    BOOL GetHdrBitonalThreshold(unsigned int& value) const;
    BOOL GetHdrSumHistogram(Histogram& value) const;
    BOOL GetHdrDefferenceHistogram(Histogram& value) const;
    BOOL GetHdrGammaTable(Histogram& value) const;
    BOOL GetHdrMultifeed(unsigned int& value) const;
    BOOL GetHdrDeskewAngleActual(int& value) const;
    BOOL GetHdrLongPaperSegment(unsigned int& value) const;
    BOOL GetHdrLongPaperLastSegment(unsigned int& value) const;

    // FALSE only when the item is not asked for (or, for the string, its
    // value block cannot be had).
    BOOL SetHdrPageNumber(unsigned int& value);
    BOOL SetHdrPrinterIndex(unsigned int& value);
    BOOL SetHdrPrinterString(std::wstring& value);

protected:
    BOOL _GetBytes(WORD infoId, Histogram& value) const;
    BOOL _SetUInt32(WORD infoId, unsigned int value);
};
