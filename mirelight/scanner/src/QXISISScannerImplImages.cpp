// Images from the ISIS session thread: data blocks are collected in a pool of
// 8192-byte blocks and joined at the image end; uncompressed bitonal rows are
// compressed to CCITT G4, other uncompressed rows become bitmap rows. What
// the driver reports about the image is checked against the bytes it sent
// before anything is converted, so an absurd image is refused with an error
// event, never read or written past its end.
#include "QXISISScannerImpl.h"

#include "QXImageConverter.h"

#include <mirelight/QX_SCANNER_IMAGEDATA_INFO.h>

#include <hollin/ZKDebugLog.h>
#include <hollin/ZKException.h>
#include <hollin/ZKRBuffer.h>
#include <hollin/ZKTagHolder.h>
#include <pellmark/ZKBitmapHandle.h>

#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <string>

namespace
{
constexpr const char* kLogModule = "MIRELIGHT";
constexpr unsigned kFirstChunkBlocks = 32;
// Beyond any page a production scanner delivers (about 57 inches at 1200
// dpi); larger numbers are a broken driver.
constexpr DWORD kMaxImageSide = 1 << 16;
constexpr size_t kMaxImageBytes = size_t(1) << 30;
constexpr DWORD kPageNumberTag = 203;

// ISIS compression numbers.
constexpr SHORT kUncompressed = 1;
constexpr SHORT kGroup3 = 3;
constexpr SHORT kGroup4 = 4;
constexpr SHORT kJpeg = 6;

void Log(const std::string& text)
{
    SZKDebugLog::Log(text, 0, kLogModule);
}

int ImageType(const ZK_ISIS_IMAGE_INFO& info)
{
    const bool plain = info.Photometric == 0 || info.Photometric == 1;
    if (info.SamplesPerPixel == 3)
        return 3;
    if (info.SamplesPerPixel != 1)
        return 0;
    if (info.BitsPerSample == 1 && plain)
        return 1;
    if (info.BitsPerSample == 4 || info.BitsPerSample == 8)
        return plain ? 2 : info.Photometric == 3 ? 3 : 0;
    return 0;
}

int ImageFormat(SHORT compression)
{
    switch (compression)
    {
    case kUncompressed:
        return 1;
    case kGroup3:
        return 4;
    case kGroup4:
        return 3;
    case kJpeg:
        return 2;
    default:
        return 0;
    }
}

int ImageSide(SHORT side)
{
    return side == 0 ? 1 : side == 1 ? 2 : 0;
}

// Rows padded to whole 32-bit words are the most a driver adds to a row.
size_t MaxRawImageBytes(const ZK_ISIS_IMAGE_INFO& info)
{
    const size_t bits =
        static_cast<size_t>(info.SamplesPerPixel) * static_cast<size_t>(info.BitsPerSample);
    return SQXImageConverter::BitmapStride(info.ImageWidth, static_cast<unsigned>(bits)) *
           info.ImageLength;
}

bool IsGeometrySane(const ZK_ISIS_IMAGE_INFO& info)
{
    return info.ImageWidth >= 1 && info.ImageWidth <= kMaxImageSide && info.ImageLength >= 1 &&
           info.ImageLength <= kMaxImageSide && info.SamplesPerPixel >= 1 &&
           info.BitsPerSample >= 1;
}

// Compressed data has no size of its own to hold it against.
const char* RefusalReason(const ZK_ISIS_IMAGE_INFO& info, size_t bytes)
{
    if (bytes == 0)
        return "Image end without image data";
    if (!IsGeometrySane(info))
        return "Unusable image information";
    if (info.Compression == kUncompressed && bytes > MaxRawImageBytes(info))
        return "Image data overruns the announced image";
    return nullptr;
}
} // namespace

void CQXISISScannerImpl::FillImageInfo(const ZK_ISIS_IMAGE_INFO& source,
                                       QX_SCANNER_IMAGE_INFO& target)
{
    target.XResolution = source.XResolution;
    target.YResolution = source.YResolution;
    target.ImageWidth = static_cast<int>(source.ImageWidth);
    target.ImageLength = static_cast<int>(source.ImageLength);
    target.SamplesPerPixel = static_cast<WORD>(source.SamplesPerPixel);
    target.BitsPerPixel = static_cast<WORD>(source.SamplesPerPixel * source.BitsPerSample);
    // The row length in bits; 16 bits is all the record holds.
    target.RowSize =
        static_cast<WORD>(source.SamplesPerPixel * source.BitsPerSample * source.ImageWidth);
    target.bWhiteIsZero =
        source.SamplesPerPixel == 1 && source.BitsPerSample == 1 && source.Photometric == 0 ? 1 : 0;
    target.imageType.value = static_cast<decltype(target.imageType.value)>(ImageType(source));
    target.imageFormat.value =
        static_cast<decltype(target.imageFormat.value)>(ImageFormat(source.Compression));
    target.imageSide.value = static_cast<decltype(target.imageSide.value)>(ImageSide(source.Side));
}

BOOL CQXISISScannerImpl::OnISISImageData(ZK_ISIS_IMAGE_DATA* data)
{
    if (!data || (data->Length > 0 && !data->Data))
        return -1;
    return _StoreBlock(*data) ? 0 : -1;
}

BOOL CQXISISScannerImpl::_StoreBlock(const ZK_ISIS_IMAGE_DATA& data)
{
    if (data.Length == 0)
        return TRUE;
    // A driver sending without end would exhaust memory.
    if (m_heldBytes + data.Length > kMaxImageBytes)
    {
        Log("Image data exceeds the largest image");
        return FALSE;
    }
    if (!m_pool)
    {
        m_pool = new (std::nothrow) boost::pool<>(BLOCK_SIZE, kFirstChunkBlocks);
        if (!m_pool)
            return FALSE;
    }
    // A block longer than the pool's blocks is stored whole in one of its own.
    void* memory = data.Length > BLOCK_SIZE ? std::malloc(data.Length) : m_pool->malloc();
    if (!memory)
    {
        Log("Failed to allocate memory in pool");
        return FALSE;
    }
    std::memcpy(memory, data.Data, data.Length);
    try
    {
        m_strips.emplace_back(memory, data.Length);
        m_heldBytes += data.Length;
    }
    catch (const std::exception&)
    {
        _FreeBlock(memory);
        return FALSE;
    }
    return TRUE;
}

BOOL CQXISISScannerImpl::OnISISImageEnd(ZK_ISIS_IMAGE_END* end)
{
    if (!end)
    {
        _ReleaseStrips();
        return -1;
    }
    if (const char* reason = RefusalReason(end->Info, m_heldBytes))
    {
        _RefuseImage(reason);
        return 0;
    }
    CZKRBuffer image;
    if (!_JoinStrips(image))
        return -1;
    if (m_observer)
        _DeliverImage(image, end->Info);
    _ReleaseStrips();
    _KeepImageBlock(image);
    return 0;
}

BOOL CQXISISScannerImpl::_JoinStrips(CZKRBuffer& image)
{
    const size_t size = m_heldBytes;
    BYTE* block = size > 0 ? m_joined.Reserve(0, size, size, size) : nullptr;
    const BOOL joined = block ? _CopyJoinedStrips(block, size) : _AttachJoinedStrips(image, size);
    if (block && joined)
        image.Attach(m_joined.Detach(), size);
    if (!joined)
        Log("Failed to allocate memory for image. Size: " + std::to_string(size) + " bytes");
    _ReleaseStrips();
    return joined;
}

// The bytes an observer did not detach are released when the delivery
// returns: they are kept to hold the next image instead.
void CQXISISScannerImpl::_KeepImageBlock(CZKRBuffer& image)
{
    const size_t size = image.GetSize();
    m_joined.Adopt(static_cast<BYTE*>(image.Detach()), size);
}

void CQXISISScannerImpl::_DeliverImage(CZKRBuffer& image, const ZK_ISIS_IMAGE_INFO& info)
{
    std::unique_ptr<QX_SCANNER_IMAGE_INFO> imageInfo;
    std::unique_ptr<CZKTagHolder> tags;
    try
    {
        imageInfo.reset(new QX_SCANNER_IMAGE_INFO);
        tags.reset(new CZKTagHolder);
        FillImageInfo(info, *imageInfo);
        tags->SetValue(kPageNumberTag, static_cast<LONG>(info.PageNumber));
        if (info.Compression == kUncompressed)
            _PrepareImageBytes(image, info, *imageInfo);
    }
    catch (const CZKException&)
    {
        _RefuseImage("Failed to convert the image");
        return;
    }
    catch (const std::exception&)
    {
        _RefuseImage("Failed to allocate memory for the image records");
        return;
    }
    QX_SCANNER_IMAGEDATA_INFO delivery;
    delivery.pData = &image;
    // Both records become the observer's.
    delivery.pImageInfo = imageInfo.release();
    delivery.pTags = tags.release();
    m_observer->OnImageData(delivery);
}

// Bitonal rows go out as CCITT G4, other rows as bitmap rows.
void CQXISISScannerImpl::_PrepareImageBytes(CZKRBuffer& image, const ZK_ISIS_IMAGE_INFO& info,
                                            QX_SCANNER_IMAGE_INFO& target)
{
    if (info.SamplesPerPixel == 1 && info.BitsPerSample == 1)
    {
        // The rows are in the bitmap now: the buffer takes the coded page.
        CZKBitmapHandle bitmap;
        if (!SQXImageConverter::IsisRowsToBitmap(image, info, bitmap) || !bitmap.Compress_G4(image))
            CZKException::Throw();
        target.imageFormat.value = 3;
        return;
    }
    WORD bitsPerPixel = 0;
    if (!SQXImageConverter::IsisRowsInPlace(image, info, bitsPerPixel))
        CZKException::Throw();
    target.BitsPerPixel = bitsPerPixel;
}

void CQXISISScannerImpl::_RefuseImage(const char* reason)
{
    Log(std::string(reason) + ": image not delivered");
    _ReleaseStrips();
    _NotifyError(QX_SCANNER_ERROR_FAILURE);
}

void CQXISISScannerImpl::OnISISImageNotAccepted()
{
    _ReleaseStrips();
    if (m_pool)
        m_pool->purge_memory();
    std::vector<Strip>().swap(m_strips);
}

void CQXISISScannerImpl::_ReleaseStrips()
{
    for (const Strip& strip : m_strips)
        _FreeBlock(strip.first);
    m_strips.clear();
    m_heldBytes = 0;
}

void CQXISISScannerImpl::_DestroyPool()
{
    _ReleaseStrips();
    m_joined.Release();
    delete m_pool;
    m_pool = nullptr;
}
