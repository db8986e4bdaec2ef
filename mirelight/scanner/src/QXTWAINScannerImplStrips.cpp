// Memory transfers: the source writes the strips of one image straight
// into a page of its own (the layer's strip placement); strips that come
// through the layer's buffer instead are collected in a block pool and
// joined when the last one arrives. Uncompressed images become bitmap
// rows, compressed ones are passed on whole. What the source reports about
// the image is checked before a byte is stored, so a source that announces
// an absurd image or sends more than it announced gets an error event for
// that image, never an overrun.
#include "QXTWAINScannerImpl.h"

#include "QXImageConverter.h"

#include <mirelight/QXRidgeExtraImageInfo.h>

#include <hollin/ZKDebugLog.h>
#include <hollin/ZKRBuffer.h>
#include <twaindefs/ZKTwainConstants.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>

namespace
{
constexpr const char* kLogModule = "TWAIN";
constexpr unsigned kFirstChunkBlocks = 32;
// Beyond any page a production scanner delivers (about 57 inches at 1200
// dpi); larger numbers are a broken source.
constexpr int32_t kMaxImageSide = 1 << 16;
constexpr size_t kMaxImageBytes = size_t(1) << 30;

// The strip buffer length the pools of this process are built for.
std::atomic<size_t> g_blockSize{0};

void Log(const char* text)
{
    SZKDebugLog::Log(std::string(text), 1, kLogModule);
}

size_t PackedRowBytes(const ZKTWIMAGEINFO& info)
{
    return (static_cast<size_t>(info.ImageWidth) * static_cast<size_t>(info.BitsPerPixel) + 7) / 8;
}
// The raw size of the image as described before its transfer; 0 when the
// description is unusable (it is only a hint for the page's size).
size_t AnnouncedImageBytes(const ZKTWIMAGEINFO* info)
{
    if (!info || info->ImageWidth <= 0 || info->ImageWidth > kMaxImageSide || info->ImageLength <= 0 ||
        info->ImageLength > kMaxImageSide || info->BitsPerPixel <= 0 || info->BitsPerPixel > 48)
        return 0;
    const size_t bytes = PackedRowBytes(*info) * static_cast<size_t>(info->ImageLength);
    return bytes <= kMaxImageBytes ? bytes : 0;
}
} // namespace

BOOL CQXTWAINScannerImpl::_IsImageInfoSane(const ZKTWIMAGEINFO& info)
{
    if (info.ImageWidth <= 0 || info.ImageWidth > kMaxImageSide || info.ImageLength > kMaxImageSide)
        return FALSE;
    if (info.BitsPerPixel != 1 && info.BitsPerPixel != 8 && info.BitsPerPixel != 24)
        return FALSE;
    if (info.Compression != TWCP_NONE)
        return info.ImageLength > 0 || info.ImageLength == -1 ? TRUE : FALSE; // -1: length unknown
    // The image record carries the row length in 16 bits.
    return info.ImageLength > 0 && info.BytesPerRow >= PackedRowBytes(info) &&
                   info.BytesPerRow <= 0xFFFF &&
                   static_cast<size_t>(info.BytesPerRow) * static_cast<size_t>(info.ImageLength) <=
                       kMaxImageBytes
               ? TRUE
               : FALSE;
}

size_t CQXTWAINScannerImpl::_MaxImageBytes(const ZKTWIMAGEINFO& info)
{
    if (info.Compression != TWCP_NONE)
        return kMaxImageBytes;
    return static_cast<size_t>(info.BytesPerRow) * static_cast<size_t>(info.ImageLength);
}

void CQXTWAINScannerImpl::OnMemoryBlock(TW_IMAGEMEMXFER* block, BOOL last, ZKTWIMAGEINFO* info,
                                        CZKTWExtraImageInfo* extra)
{
    // On the last strip info and extra are ours whatever happens.
    std::unique_ptr<ZKTWIMAGEINFO> ownedInfo(last ? info : nullptr);
    std::unique_ptr<CZKTWExtraImageInfo> ownedExtra(last ? extra : nullptr);
    if (m_sessionError)
        return;
    if (!block || !_StoreStrip(*block) || !last)
        return;
    _CompleteImage(info, extra);
}

void CQXTWAINScannerImpl::OnMemoryBlockInPlace(TW_IMAGEMEMXFER* block, BOOL last, ZKTWIMAGEINFO* info,
                                               CZKTWExtraImageInfo* extra)
{
    std::unique_ptr<ZKTWIMAGEINFO> ownedInfo(last ? info : nullptr);
    std::unique_ptr<CZKTWExtraImageInfo> ownedExtra(last ? extra : nullptr);
    if (m_sessionError)
        return;
    if (!block || !_KeepPlacedStrip(*block) || !last)
        return;
    _CompleteImage(info, extra);
}

BOOL CQXTWAINScannerImpl::OnGetStripDestination(ZKTW_STRIP_DESTINATION& destination)
{
    // An image begun in the pool stays there; the layer's count of bytes
    // must be ours, or the strip would land elsewhere than it belongs.
    if (m_sessionError || (!m_imageOnPage && !m_strips.empty()) || destination.ByteOffset != m_imageBytes)
        return FALSE;
    const size_t wanted =
        std::max(m_imageBytes + destination.MaximumLength, AnnouncedImageBytes(destination.Announced));
    BYTE* at = m_page.Reserve(m_imageBytes, destination.MinimumLength, wanted, kMaxImageBytes);
    if (!at)
        return FALSE;
    m_imageOnPage = true;
    destination.Memory = at;
    destination.Length = static_cast<TW_UINT32>(std::min<size_t>(m_page.Room(m_imageBytes), 0xFFFFFFFFu));
    return TRUE;
}

void CQXTWAINScannerImpl::_CompleteImage(const ZKTWIMAGEINFO* info, CZKTWExtraImageInfo* extra)
{
    if (m_imageOnPage)
        m_strips.emplace_back(m_page.Data(), m_imageBytes);
    // The description comes with the last strip: only now can the strips be
    // held against what the source announced.
    if (!info || !_IsImageInfoSane(*info))
    {
        _FailImage("Unusable image information");
        return;
    }
    if (m_imageBytes > _MaxImageBytes(*info))
    {
        _FailImage("Strips overrun the announced image");
        return;
    }
    std::unique_ptr<CZKRBuffer> image(new (std::nothrow) CZKRBuffer);
    if (!image)
    {
        _FailImage("Failed to allocate memory for image");
        return;
    }
    if (!_BuildImage(*image, *info))
        return;
    _NumberImage(dynamic_cast<CQXRidgeExtraImageInfo*>(extra));
    _DeliverImage(*image, *info, extra);
    _KeepImageBlock(*image, info->Compression == TWCP_NONE);
}

// The bytes an observer did not detach are released when the delivery
// returns: they are kept to hold the next image instead.
void CQXTWAINScannerImpl::_KeepImageBlock(CZKRBuffer& image, bool bitmap)
{
    const size_t size = image.GetSize();
    BYTE* block = static_cast<BYTE*>(image.Detach());
    (bitmap ? m_bitmap : m_page).Adopt(block, size);
}

BYTE* CQXTWAINScannerImpl::_NewBitmap(size_t size)
{
    BYTE* bitmap = m_bitmap.Reserve(0, size, size, size);
    if (!bitmap)
        _FailImage(_SizeText("Failed to allocate memory for uncompressed image", size).c_str());
    return bitmap;
}

BOOL CQXTWAINScannerImpl::_KeepPlacedStrip(const TW_IMAGEMEMXFER& block)
{
    const size_t written = block.BytesWritten;
    if (!m_imageOnPage || block.Memory.TheMem != m_page.Data() + m_imageBytes || written > m_page.Room(m_imageBytes))
    {
        _FailImage("Strip overruns its buffer");
        return FALSE;
    }
    m_imageBytes += written;
    return TRUE;
}

BOOL CQXTWAINScannerImpl::_StoreStrip(const TW_IMAGEMEMXFER& block)
{
    const size_t length = block.Memory.Length;
    const size_t written = block.BytesWritten;
    if (written > length || m_imageBytes + written > kMaxImageBytes ||
        (written > 0 && !block.Memory.TheMem))
    {
        _FailImage("Strip overruns its buffer");
        return FALSE;
    }
    if (written == 0)
        return TRUE;
    return m_imageOnPage ? _CopyStripToPage(block) : _StoreStripInPool(block);
}

// A strip that came through the layer's own buffer although the image is
// being received in place.
BOOL CQXTWAINScannerImpl::_CopyStripToPage(const TW_IMAGEMEMXFER& block)
{
    const size_t written = block.BytesWritten;
    BYTE* at = m_page.Reserve(m_imageBytes, written, m_imageBytes + written, kMaxImageBytes);
    if (!at)
    {
        _FailImage(_SizeText("Failed to allocate memory for image", m_imageBytes + written).c_str());
        return FALSE;
    }
    std::memcpy(at, block.Memory.TheMem, written);
    m_imageBytes += written;
    return TRUE;
}

BOOL CQXTWAINScannerImpl::_StoreStripInPool(const TW_IMAGEMEMXFER& block)
{
    const size_t length = block.Memory.Length;
    const size_t written = block.BytesWritten;
    if (!m_pool)
    {
        g_blockSize = length;
        m_pool = new (std::nothrow) boost::pool<>(length, kFirstChunkBlocks);
        if (!m_pool)
        {
            _FailImage("Failed to allocate pool");
            return FALSE;
        }
    }
    const size_t blockSize = m_pool->get_requested_size();
    void* memory = nullptr;
    if (length > blockSize)
    {
        // A strip longer than the pool's blocks gets a block of its own.
        Log("Too small pool size");
        memory = std::malloc(written);
    }
    else
        memory = m_pool->malloc();
    if (!memory)
    {
        _FailImage(_SizeText("Failed to allocate memory in pool", blockSize).c_str());
        return FALSE;
    }
    std::memcpy(memory, block.Memory.TheMem, written);
    m_strips.emplace_back(memory, written);
    m_imageBytes += written;
    return TRUE;
}

BOOL CQXTWAINScannerImpl::_JoinStrips(CZKRBuffer& image)
{
    // An image received in place is joined already: handed on, not copied.
    if (m_imageBytes > 0 && m_strips.size() == 1 && m_page.Owns(m_strips.front().first))
    {
        const size_t size = m_imageBytes;
        image.Attach(m_page.Detach(), size);
        m_strips.clear();
        _ReleaseStrips();
        return TRUE;
    }
    if (m_imageBytes == 0 || !_AttachJoinedStrips(image, m_imageBytes))
    {
        _FailImage(_SizeText("Failed to allocate memory for image", m_imageBytes).c_str());
        return FALSE;
    }
    _ReleaseStrips();
    return TRUE;
}

// The rows become bitmap rows (padded, colour as blue, green, red) in a
// block of their own that then replaces them.
BOOL CQXTWAINScannerImpl::_RowsToBitmapBytes(CZKRBuffer& image, const ZKTWIMAGEINFO& info)
{
    QX_SCANNER_IMAGE_INFO rows;
    _FillImageInfo(info, nullptr, rows);
    const size_t size = SQXImageConverter::BitmapStride(static_cast<size_t>(info.ImageWidth),
                                                        static_cast<unsigned>(info.BitsPerPixel)) *
                        static_cast<size_t>(info.ImageLength);
    BYTE* bitmap = _NewBitmap(size);
    if (!bitmap)
        return FALSE;
    if (!SQXImageConverter::TwainRowsToBitmapRows(image, rows, bitmap, size))
    {
        _FailImage("UncompressedToBitmap failed");
        return FALSE;
    }
    image.Attach(m_bitmap.Detach(), size);
    return TRUE;
}

// Compressed strips are joined whole. Uncompressed strips of whole rows
// become bitmap rows straight away; other ones are joined first.
BOOL CQXTWAINScannerImpl::_BuildImage(CZKRBuffer& image, const ZKTWIMAGEINFO& info)
{
    if (info.Compression != TWCP_NONE)
        return _JoinStrips(image);
    if (_StripsHoldWholeRows(info))
        return _StripsToBitmapBytes(image, info);
    return _JoinStrips(image) && _RowsToBitmapBytes(image, info) ? TRUE : FALSE;
}

bool CQXTWAINScannerImpl::_StripsHoldWholeRows(const ZKTWIMAGEINFO& info) const
{
    const size_t rowSize = info.BytesPerRow;
    if (rowSize == 0 || m_imageBytes < rowSize * static_cast<size_t>(info.ImageLength))
        return false;
    for (const Strip& strip : m_strips)
        if (strip.second % rowSize != 0)
            return false;
    return true;
}

BOOL CQXTWAINScannerImpl::_StripsToBitmapBytes(CZKRBuffer& image, const ZKTWIMAGEINFO& info)
{
    QX_SCANNER_IMAGE_INFO rows;
    _FillImageInfo(info, nullptr, rows);
    const size_t stride = SQXImageConverter::BitmapStride(static_cast<size_t>(info.ImageWidth),
                                                          static_cast<unsigned>(info.BitsPerPixel));
    const size_t size = stride * static_cast<size_t>(info.ImageLength);
    BYTE* bitmap = _NewBitmap(size);
    if (!bitmap)
        return FALSE;
    int row = 0;
    for (const Strip& strip : m_strips)
    {
        // Rows past the announced length are not the image's.
        const int count =
            std::min(static_cast<int>(strip.second / info.BytesPerRow), info.ImageLength - row);
        if (count <= 0)
            break;
        rows.ImageLength = count;
        if (!SQXImageConverter::TwainRowsToBitmapRows(static_cast<const BYTE*>(strip.first),
                                                      strip.second, rows,
                                                      bitmap + static_cast<size_t>(row) * stride,
                                                      size - static_cast<size_t>(row) * stride))
        {
            _FailImage("UncompressedToBitmap failed");
            return FALSE;
        }
        row += count;
    }
    _ReleaseStrips();
    image.Attach(m_bitmap.Detach(), size);
    return TRUE;
}

std::string CQXTWAINScannerImpl::_SizeText(const char* what, size_t size)
{
    return std::string(what) + ". Size: " + std::to_string(static_cast<unsigned>(size)) + " bytes";
}

void CQXTWAINScannerImpl::_ReleaseStrips()
{
    for (const Strip& strip : m_strips)
        if (!m_page.Owns(strip.first)) // the page is kept for the next image
            _FreeBlock(strip.first);
    m_strips.clear();
    m_imageBytes = 0;
    m_imageOnPage = false;
}

void CQXTWAINScannerImpl::_DestroyPool()
{
    _ReleaseStrips();
    m_page.Release();
    m_bitmap.Release();
    delete m_pool;
    m_pool = nullptr;
}

// Drops the image being received and reports it; the session-error flag the
// report sets keeps the rest of the session from being delivered.
void CQXTWAINScannerImpl::_FailImage(const char* text)
{
    Log(text);
    _ReleaseStrips();
    OnTWAINError(0, 0, 0, 0, TWCC_OPERATIONERROR);
}
