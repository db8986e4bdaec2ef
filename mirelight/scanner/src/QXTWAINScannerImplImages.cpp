// Delivery of transferred images: per-image numbering across long-paper
// segments and repeat passes, the image record and tags, and the native and
// file transfers. Memory transfers are joined in ScannerImplStrips.
#include "QXTWAINScannerImpl.h"

#include <mirelight/QXRidgeExtraImageInfo.h>
#include <mirelight/QX_SCANNER_IMAGEDATA_INFO.h>

#include <brackwater/QX_IMAGEADDRESS.h>
#include <hollin/ZKCommon.h>
#include <hollin/ZKGBuffer.h>
#include <hollin/ZKTagHolder.h>
#include <twaindefs/ZKTwainConstants.h>
#include <wincompat/ZKThread.h>

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <memory>
#include <new>

namespace
{
std::wstring Upper(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return std::towupper(c); });
    return text;
}

bool Has(const std::wstring& text, const wchar_t* word)
{
    return text.find(word) != std::wstring::npos;
}

int ImageType(int16_t pixelType)
{
    switch (pixelType)
    {
    case TWPT_BW:
        return 1;
    case TWPT_GRAY:
        return 2;
    case TWPT_RGB:
        return 3;
    default:
        return 0;
    }
}

int ImageFormat(uint16_t compression)
{
    switch (compression)
    {
    case TWCP_NONE:
        return 1;
    case TWCP_JPEG:
        return 2;
    case TWCP_GROUP4:
        return 3;
    case TWCP_GROUP31D:
        return 4;
    case TWCP_GROUP31DEOL:
        return 5;
    case TWCP_GROUP32D:
        return 6;
    default:
        return 0;
    }
}

template <class Getter> void SetNumberTag(CZKTagHolder& tags, DWORD tag, Getter get)
{
    unsigned value = 0;
    if (get(value))
        tags.SetValue(tag, static_cast<LONG>(value));
}
} // namespace

void CQXTWAINScannerImpl::OnCreateExtraImageInfo(CZKTWExtraImageInfo*& info)
{
    info = new (std::nothrow) CQXRidgeExtraImageInfo;
}

void CQXTWAINScannerImpl::_NumberImage(CQXRidgeExtraImageInfo* header)
{
    ++m_imageCount;
    if (!header)
        return;
    unsigned page = 0;
    // Sources without the vendor header still number their pages in the
    // standard items; without either, every image counts as a page so that
    // a repeat-mode page limit still ends the session.
    if (!header->GetHdrPageNumber(page) && !header->GetPageNumber(page))
        page = m_imageCount;
    const unsigned headerPage = page;
    if (m_repeatMode)
    {
        if (headerPage != m_lastHeaderPage)
            ++m_pageCounter;
        page = m_pageCounter;
        header->SetHdrPageNumber(page);
    }
    m_savedPage = page;
    unsigned segment = 0;
    header->GetHdrLongPaperSegment(segment);
    if (segment <= 1)
    {
        header->GetHdrPrinterIndex(m_savedImprinterIndex);
        header->GetHdrPrinterString(m_savedImprinterString);
        unsigned documents = 0;
        if (header->GetHdrDocumentCount(documents))
            m_documentCount = documents;
    }
    else
    {
        // Every segment of a long page carries the imprint of its first.
        header->SetHdrPrinterIndex(m_savedImprinterIndex);
        header->SetHdrPrinterString(m_savedImprinterString);
    }
    m_lastHeaderPage = headerPage;
}

void CQXTWAINScannerImpl::_FillImageInfo(const ZKTWIMAGEINFO& source,
                                         const CZKTWExtraImageInfo* extra,
                                         QX_SCANNER_IMAGE_INFO& target)
{
    target.XResolution = source.XResolution;
    target.YResolution = source.YResolution;
    target.ImageWidth = source.ImageWidth;
    target.ImageLength = source.ImageLength;
    target.SamplesPerPixel = static_cast<WORD>(source.SamplesPerPixel);
    target.BitsPerPixel = static_cast<WORD>(source.BitsPerPixel);
    target.RowSize = static_cast<WORD>(source.BytesPerRow);
    target.imageType.value =
        static_cast<decltype(target.imageType.value)>(ImageType(source.PixelType));
    target.imageFormat.value =
        static_cast<decltype(target.imageFormat.value)>(ImageFormat(source.Compression));
    std::wstring camera;
    if (extra && extra->GetCamera(camera))
    {
        const std::wstring upper = Upper(camera);
        int side = 0;
        if (Has(upper, L"TOP") || Has(upper, L"FRONT"))
            side = 1;
        else if (Has(upper, L"BOTTOM") || Has(upper, L"REAR"))
            side = 2;
        target.imageSide.value = static_cast<decltype(target.imageSide.value)>(side);
    }
    target.bWhiteIsZero = source.Compression == TWCP_GROUP4 ? 1 : 0;
}

void CQXTWAINScannerImpl::_FillImageTags(const CZKTWExtraImageInfo* extra, CZKTagHolder& tags)
{
    if (!extra)
        return;
    std::wstring camera;
    if (extra->GetCamera(camera))
    {
        const std::wstring upper = Upper(camera);
        tags.SetValue(1, (Has(upper, L"BOTTOM") || Has(upper, L"REAR")) && !Has(upper, L"TOP") &&
                                 !Has(upper, L"FRONT")
                             ? 1L
                             : 0L);
    }
    std::wstring book;
    if (extra->GetBookName(book))
        tags.SetValue(200, book);
    unsigned chapter = 0;
    unsigned document = 0;
    const BOOL hasChapter = extra->GetChapterNumber(chapter);
    const BOOL hasDocument = extra->GetDocumentNumber(document);
    if (hasChapter)
        tags.SetValue(201, static_cast<LONG>(chapter));
    if (hasDocument)
        tags.SetValue(202, static_cast<LONG>(document));
    const auto* header = dynamic_cast<const CQXRidgeExtraImageInfo*>(extra);
    if (!header)
        return;
    SetNumberTag(tags, 3, [header](unsigned& v) { return header->GetHdrDeskew(v); });
    SetNumberTag(tags, 4, [header](unsigned& v) { return header->GetHdrDeskewAngle(v); });
    SetNumberTag(tags, 5, [header](unsigned& v) { return header->GetHdrMultifeed(v); });
    SetNumberTag(tags, 100, [header](unsigned& v) { return header->GetHdrDocumentCount(v); });
    SetNumberTag(tags, 203, [header](unsigned& v) { return header->GetHdrPageNumber(v); });
    SetNumberTag(tags, 300, [header](unsigned& v) { return header->GetHdrPrinterIndex(v); });
    std::wstring imprint;
    if (header->GetHdrPrinterString(imprint))
        tags.SetValue(301, imprint);
    SetNumberTag(tags, 400, [header](unsigned& v) { return header->GetHdrLevel(v); });
    unsigned page = 0;
    if (m_beginInfo.bImageAddress && header->GetHdrPageNumber(page))
    {
        QX_IMAGEADDRESS address;
        std::wstring text;
        if (address.Parse(book, static_cast<LONG>(document), static_cast<LONG>(chapter),
                          static_cast<LONG>(page), m_beginInfo.imageAddressFormat) &&
            address.ToStdString(text))
            tags.SetValue(403, text);
    }
    SetNumberTag(tags, 500, [header](unsigned& v) { return header->GetHdrFeaturePatch(v); });
}

void CQXTWAINScannerImpl::_DeliverImage(CZKBuffer& data, const ZKTWIMAGEINFO& info,
                                        CZKTWExtraImageInfo* extra)
{
    m_eventThread = CZKThread::CurrentId();
    if (!m_observer)
        return;
    std::unique_ptr<QX_SCANNER_IMAGE_INFO> imageInfo(new (std::nothrow) QX_SCANNER_IMAGE_INFO);
    std::unique_ptr<CZKTagHolder> tags(new (std::nothrow) CZKTagHolder);
    if (!imageInfo || !tags)
    {
        _FailImage(!imageInfo ? "Failed to allocate memory for QX_SCANNER_IMAGE_INFO"
                              : "Failed to allocate memory for CZKTagHolder");
        return;
    }
    _FillImageInfo(info, extra, *imageInfo);
    _FillImageTags(extra, *tags);
    QX_SCANNER_IMAGEDATA_INFO delivery;
    delivery.pData = &data;
    // Both records become the observer's.
    delivery.pImageInfo = imageInfo.release();
    delivery.pTags = tags.release();
    m_observer->OnImageData(delivery);
}

void CQXTWAINScannerImpl::OnNativeImage(HGLOBAL dib, ZKTWIMAGEINFO* info,
                                        CZKTWExtraImageInfo* extra)
{
    std::unique_ptr<ZKTWIMAGEINFO> ownedInfo(info);
    std::unique_ptr<CZKTWExtraImageInfo> ownedExtra(extra);
    CZKGBuffer image(dib);
    if (m_sessionError || !info)
        return;
    _NumberImage(dynamic_cast<CQXRidgeExtraImageInfo*>(extra));
    _DeliverImage(image, *info, extra);
}

void CQXTWAINScannerImpl::OnSetupFileTransfer(TW_SETUPFILEXFER* setup)
{
    if (!setup || !m_observer)
        return;
    m_eventThread = CZKThread::CurrentId();
    QX_SCANNER_IMAGEFILE_BEGIN_INFO file;
    m_observer->OnImageFileBegin(file);
    const std::string name = SZKCommon::WCStoMBS(file.strFileName);
    // A name the record cannot hold whole would write another file.
    if (name.size() >= sizeof(setup->FileName))
        return;
    std::memset(setup->FileName, 0, sizeof(setup->FileName));
    std::memcpy(setup->FileName, name.data(), name.size());
    setup->Format = file.wFormat;
}

void CQXTWAINScannerImpl::OnFileTransferred(TW_SETUPFILEXFER* setup)
{
    if (!setup || !m_observer || m_sessionError)
        return;
    QX_SCANNER_IMAGEFILE_END_INFO file;
    file.strFileName = SZKCommon::MBStoWCS(
        std::string(setup->FileName, strnlen(setup->FileName, sizeof(setup->FileName))));
    file.wFormat = setup->Format;
    m_observer->OnImageFileEnd(file);
}
