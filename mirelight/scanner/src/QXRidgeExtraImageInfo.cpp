#include <mirelight/QXRidgeExtraImageInfo.h>

#include <fennick/ZKTWHelper.h>
#include <twaindefs/ZKTwainConstants.h>
#include <wincompat/ZKGlobalMemory.h>

#include <algorithm>
#include <cstring>

namespace
{
// Vendor header ids, in request order after the ten standard ones.
const WORD kVendorItems[] = {0x8011, 0x802D, 0x802C, 0x802E, 0x800D, 0x801A, 0x801B, 0x801C, 0x801D, 0x8008,
                             0x8009, 0x8012, 0x8013, 0x8033, 0x802B, 0x8030, 0x8028, 0x8002, 0x8021, 0x802A,
                             0x8031, 0x801E, 0x8022, 0x8017, 0x8010, 0x8003, 0x8004, 0x8006, 0x8035, 0x8036,
                             0x8005, 0x8032, 0x800F, 0x8019, 0x8007, 0x8018, 0x8001, 0x8029, 0x8014, 0x8016,
                             0x8015, 0x800C, 0x800B, 0x800E, 0x802F, 0x800A, 0x801F, 0x8020};
static_assert(sizeof(kVendorItems) / sizeof(kVendorItems[0]) == CQXRidgeExtraImageInfo::VENDOR_ITEM_COUNT,
              "every vendor header item is asked for");

constexpr size_t kStringSize = 256;

enum : WORD
{
    HDR_PAGESIDE = 0x8001,
    HDR_DOCUMENTCOUNT,
    HDR_LENGTH,
    HDR_LEVEL,
    HDR_MODE,
    HDR_LINELENGTH,
    HDR_PAGELENGTH,
    HDR_COMPRESSION,
    HDR_DATE,
    HDR_TIME,
    HDR_ROLL,
    HDR_RESOLUTION,
    HDR_BITORDER,
    HDR_SKEW,
    HDR_MOMENTARYFLAG,
    HDR_LATCHEDFLAG,
    HDR_BARCODE,
    HDR_DESKEW,
    HDR_DESKEWANGLE,
    HDR_POLARITY,
    HDR_PRINTERSTRING,
    HDR_PRINTERINDEX,
    HDR_IMAGENUMBER,
    HDR_PAGENUMBER,
    HDR_PAGEIMAGENUMBER,
    HDR_BOOKNAMEA,
    HDR_BOOKNAMEB,
    HDR_BOOKNAMEC,
    HDR_BOOKNAMED,
    HDR_IMAGEADDRESSSTRING,
    HDR_XOFFSET,
    HDR_YOFFSET,
    HDR_FEATUREPATCH,
    HDR_IMAGEADDRESSDEFS,
    HDR_DITHER = 0x8028,
    HDR_PATHDETECTED,
    HDR_FOLDEDCORNERPERCENTAGE,
    HDR_DESKEWCONFIDENCEFACTOR,
    HDR_BITONALCONTRASTPERCENTAGE,
    HDR_BITONALCONTRAST,
    HDR_BITONALTHRESHOLD,
    HDR_SUMHISTOGRAM,
    HDR_DEFFERENCEHISTOGRAM,
    HDR_GAMMATABLE,
    HDR_MULTIFEED,
    HDR_DESKEWANGLEACTUAL,
    HDR_LONGPAPERSEGMENT = 0x8035,
    HDR_LONGPAPERLASTSEGMENT
};

static_assert(HDR_IMAGEADDRESSDEFS == 0x8022 && HDR_DESKEWANGLEACTUAL == 0x8033, "ids follow the header layout");

HGLOBAL ToHandle(TW_UINTPTR item) { return reinterpret_cast<HGLOBAL>(item); }

// The value block the entry owns, if it holds at least size bytes; a smaller
// one is freed so it neither leaks nor gets overrun.
HGLOBAL ReusableBlock(TW_INFO& entry, bool ownsBlock, size_t size)
{
    HGLOBAL handle = ownsBlock ? ToHandle(entry.Item) : nullptr;
    if (handle && CZKGlobalMemory::IsValid(handle) && CZKGlobalMemory::Size(handle) >= size)
        return handle;
    if (handle)
        CZKGlobalMemory::Free(handle);
    entry.Item = 0;
    return nullptr;
}
} // namespace

CQXRidgeExtraImageInfo::CQXRidgeExtraImageInfo()
{
    for (WORD id : kVendorItems)
        _AddInfo(id);
}

CQXRidgeExtraImageInfo::~CQXRidgeExtraImageInfo() = default;

const WORD* CQXRidgeExtraImageInfo::VendorItems(size_t& count)
{
    count = VENDOR_ITEM_COUNT;
    return kVendorItems;
}

BOOL CQXRidgeExtraImageInfo::_GetBytes(WORD infoId, Histogram& value) const
{
    const TW_INFO* entry = _Delivered(infoId);
    if (!entry || !_HoldsHandle(*entry))
        return FALSE;
    const HGLOBAL handle = ToHandle(entry->Item);
    const size_t size = std::min(_DataSize(*entry), HISTOGRAM_SIZE);
    if (!CZKGlobalMemory::IsValid(handle) || CZKGlobalMemory::Size(handle) < size)
        return FALSE;
    const void* data = CZKGlobalMemory::Lock(handle);
    if (!data)
        return FALSE;
    std::memset(value, 0, HISTOGRAM_SIZE);
    std::memcpy(value, data, size);
    CZKGlobalMemory::Unlock(handle);
    return TRUE;
}

BOOL CQXRidgeExtraImageInfo::_SetUInt32(WORD infoId, unsigned int value)
{
    TW_INFO* entry = _Entry(infoId);
    if (!entry)
        return FALSE;
    // A value the driver delivered as a block must not leak when replaced.
    if (_HoldsHandle(*entry))
        CZKGlobalMemory::Free(ToHandle(entry->Item));
    entry->Item = value;
    entry->ItemType = CZKTWHelper::QueryEITrait(infoId).ItemType;
    entry->NumItems = 1;
    entry->CondCode = TWRC_SUCCESS;
    return TRUE;
}

BOOL CQXRidgeExtraImageInfo::SetHdrPageNumber(unsigned int& value) { return _SetUInt32(HDR_PAGENUMBER, value); }
BOOL CQXRidgeExtraImageInfo::SetHdrPrinterIndex(unsigned int& value) { return _SetUInt32(HDR_PRINTERINDEX, value); }

BOOL CQXRidgeExtraImageInfo::SetHdrPrinterString(std::wstring& value)
{
    TW_INFO* entry = _Entry(HDR_PRINTERSTRING);
    if (!entry)
        return FALSE;
    char text[kStringSize] = {};
    CZKTWHelper::ConvertType(value, text);
    HGLOBAL handle = ReusableBlock(*entry, _HoldsHandle(*entry), kStringSize);
    if (!handle)
        handle = CZKGlobalMemory::Alloc(kStringSize, true);
    void* target = handle ? CZKGlobalMemory::Lock(handle) : nullptr;
    if (!target)
    {
        // The entry is left as not delivered rather than pointing at nothing.
        CZKGlobalMemory::Free(handle);
        entry->Item = 0;
        entry->CondCode = TWRC_FAILURE;
        return FALSE;
    }
    std::memcpy(target, text, kStringSize);
    CZKGlobalMemory::Unlock(handle);
    entry->Item = reinterpret_cast<TW_UINTPTR>(handle);
    entry->ItemType = CZKTWHelper::QueryEITrait(HDR_PRINTERSTRING).ItemType;
    entry->NumItems = 1;
    entry->CondCode = TWRC_SUCCESS;
    return TRUE;
}

BOOL CQXRidgeExtraImageInfo::GetHdrDeskewAngleActual(int& value) const
{
    unsigned int bits = 0;
    if (!_GetUInt32(HDR_DESKEWANGLEACTUAL, bits))
        return FALSE;
    value = static_cast<int>(bits);
    return TRUE;
}

// The typed getters: each reads one vendor id.
#define QX_HDR_NUMBER(Name, Id)                                                                                   \
    BOOL CQXRidgeExtraImageInfo::Name(unsigned int& value) const { return _GetUInt32(Id, value); }
#define QX_HDR_STRING(Name, Id)                                                                                   \
    BOOL CQXRidgeExtraImageInfo::Name(std::wstring& value) const { return _GetString(Id, value); }
#define QX_HDR_BYTES(Name, Id)                                                                                    \
    BOOL CQXRidgeExtraImageInfo::Name(Histogram& value) const { return _GetBytes(Id, value); }

QX_HDR_NUMBER(GetHdrPageSide, HDR_PAGESIDE)
QX_HDR_NUMBER(GetHdrDocumentCount, HDR_DOCUMENTCOUNT)
QX_HDR_NUMBER(GetHdrLength, HDR_LENGTH)
QX_HDR_NUMBER(GetHdrLevel, HDR_LEVEL)
QX_HDR_NUMBER(GetHdrMode, HDR_MODE)
QX_HDR_NUMBER(GetHdrLineLength, HDR_LINELENGTH)
QX_HDR_NUMBER(GetHdrPageLength, HDR_PAGELENGTH)
QX_HDR_NUMBER(GetHdrCompression, HDR_COMPRESSION)
QX_HDR_NUMBER(GetHdrDate, HDR_DATE)
QX_HDR_NUMBER(GetHdrTime, HDR_TIME)
QX_HDR_NUMBER(GetHdrRoll, HDR_ROLL)
QX_HDR_NUMBER(GetHdrResolution, HDR_RESOLUTION)
QX_HDR_NUMBER(GetHdrBitOrder, HDR_BITORDER)
QX_HDR_NUMBER(GetHdrSkew, HDR_SKEW)
QX_HDR_NUMBER(GetHdrMomentaryFlag, HDR_MOMENTARYFLAG)
QX_HDR_NUMBER(GetHdrLatchedFlag, HDR_LATCHEDFLAG)
QX_HDR_STRING(GetHdrBarcode, HDR_BARCODE)
QX_HDR_NUMBER(GetHdrDeskew, HDR_DESKEW)
QX_HDR_NUMBER(GetHdrDeskewAngle, HDR_DESKEWANGLE)
QX_HDR_NUMBER(GetHdrPolarity, HDR_POLARITY)
QX_HDR_STRING(GetHdrPrinterString, HDR_PRINTERSTRING)
QX_HDR_NUMBER(GetHdrPrinterIndex, HDR_PRINTERINDEX)
QX_HDR_NUMBER(GetHdrImageNumber, HDR_IMAGENUMBER)
QX_HDR_NUMBER(GetHdrPageNumber, HDR_PAGENUMBER)
QX_HDR_NUMBER(GetHdrPageImageNumber, HDR_PAGEIMAGENUMBER)
QX_HDR_STRING(GetHdrBookNameA, HDR_BOOKNAMEA)
QX_HDR_STRING(GetHdrBookNameB, HDR_BOOKNAMEB)
QX_HDR_STRING(GetHdrBookNameC, HDR_BOOKNAMEC)
QX_HDR_STRING(GetHdrBookNameD, HDR_BOOKNAMED)
QX_HDR_STRING(GetHdrImageAddressString, HDR_IMAGEADDRESSSTRING)
QX_HDR_NUMBER(GetHdrXOffset, HDR_XOFFSET)
QX_HDR_NUMBER(GetHdrYOffset, HDR_YOFFSET)
QX_HDR_NUMBER(GetHdrFeaturePatch, HDR_FEATUREPATCH)
QX_HDR_STRING(GetHdrImageAddressDefs, HDR_IMAGEADDRESSDEFS)
QX_HDR_STRING(GetHdrDither, HDR_DITHER)
QX_HDR_NUMBER(GetHdrPathDetected, HDR_PATHDETECTED)
QX_HDR_NUMBER(GetHdrFoldedCornerPercentage, HDR_FOLDEDCORNERPERCENTAGE)
QX_HDR_NUMBER(GetHdrDeskewConfidenceFactor, HDR_DESKEWCONFIDENCEFACTOR)
QX_HDR_NUMBER(GetHdrBitonalContrastPercentage, HDR_BITONALCONTRASTPERCENTAGE)
QX_HDR_NUMBER(GetHdrBitonalContrast, HDR_BITONALCONTRAST)
QX_HDR_NUMBER(GetHdrBitonalThreshold, HDR_BITONALTHRESHOLD)
QX_HDR_BYTES(GetHdrSumHistogram, HDR_SUMHISTOGRAM)
QX_HDR_BYTES(GetHdrDefferenceHistogram, HDR_DEFFERENCEHISTOGRAM)
QX_HDR_BYTES(GetHdrGammaTable, HDR_GAMMATABLE)
QX_HDR_NUMBER(GetHdrMultifeed, HDR_MULTIFEED)
QX_HDR_NUMBER(GetHdrLongPaperSegment, HDR_LONGPAPERSEGMENT)
QX_HDR_NUMBER(GetHdrLongPaperLastSegment, HDR_LONGPAPERLASTSEGMENT)
