// Memory transfers: the strips of one image are collected in a block pool
// and joined when the last one arrives. Uncompressed images become bitmap
// rows, compressed ones are passed on whole. What the source reports about
// the image is checked before a byte is stored, so a source that announces
// an absurd image or sends more than it announced gets an error event for
// that image, never an overrun.
#include "QXTWAINScannerImpl.h"

#include "QXImageConverter.h"

#include <mirelight/QXRidgeExtraImageInfo.h>

#include <hollin/ZKDebugLog.h>
#include <hollin/ZKRBuffer.h>
#include <pellmark/ZKBitmapHandle.h>
#include <twaindefs/ZKTwainConstants.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

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

void Log(const char* text) { SZKDebugLog::Log(std::string(text), 1, kLogModule); }

size_t PackedRowBytes(const ZKTWIMAGEINFO& info)
{
    return (static_cast<size_t>(info.ImageWidth) * static_cast<size_t>(info.BitsPerPixel) + 7) / 8;
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
    return info.ImageLength > 0 && info.BytesPerRow >= PackedRowBytes(info) && info.BytesPerRow <= 0xFFFF &&
                   static_cast<size_t>(info.BytesPerRow) * static_cast<size_t>(info.ImageLength) <= kMaxImageBytes
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
    if (!image || !_JoinStrips(*image))
        return;
    _NumberImage(dynamic_cast<CQXRidgeExtraImageInfo*>(extra));
    if (info->Compression == TWCP_NONE && !_RowsToBitmapBytes(*image, *info))
        return;
    _DeliverImage(*image, *info, extra);
}

BOOL CQXTWAINScannerImpl::_StoreStrip(const TW_IMAGEMEMXFER& block)
{
    const size_t length = block.Memory.Length;
    const size_t written = block.BytesWritten;
    if (written > length || m_imageBytes + written > kMaxImageBytes || (written > 0 && !block.Memory.TheMem))
    {
        _FailImage("Strip overruns its buffer");
        return FALSE;
    }
    if (written == 0)
        return TRUE;
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
        char text[96];
        std::snprintf(text, sizeof(text), "Failed to allocate memory in pool. Size: %u bytes",
                      static_cast<unsigned>(blockSize));
        _FailImage(text);
        return FALSE;
    }
    std::memcpy(memory, block.Memory.TheMem, written);
    m_strips.emplace_back(memory, written);
    m_imageBytes += written;
    return TRUE;
}

BOOL CQXTWAINScannerImpl::_JoinStrips(CZKRBuffer& image)
{
    if (m_imageBytes == 0 || !image.Alloc(m_imageBytes))
    {
        char text[96];
        std::snprintf(text, sizeof(text), "Failed to allocate memory for image. Size: %u bytes",
                      static_cast<unsigned>(m_imageBytes));
        _FailImage(text);
        return FALSE;
    }
    BYTE* out = image.GetPtr();
    for (const Strip& strip : m_strips)
    {
        std::memcpy(out, strip.first, strip.second);
        out += strip.second;
    }
    _ReleaseStrips();
    return TRUE;
}

BOOL CQXTWAINScannerImpl::_RowsToBitmapBytes(CZKRBuffer& image, const ZKTWIMAGEINFO& info)
{
    QX_SCANNER_IMAGE_INFO rows;
    _FillImageInfo(info, nullptr, rows);
    CZKBitmapHandle bitmap;
    if (!SQXImageConverter::TwainRowsToBitmap(image, rows, bitmap))
    {
        _FailImage("UncompressedToBitmap failed");
        return FALSE;
    }
    const BYTE* bits = bitmap.GetPtr();
    if (!bits)
    {
        _FailImage("Can't access the memory of uncompressed image");
        return FALSE;
    }
    const size_t size = bitmap.GetImageSize();
    if (!image.Alloc(size))
    {
        char text[96];
        std::snprintf(text, sizeof(text), "Failed to allocate memory for uncompressed image. Size: %u bytes",
                      static_cast<unsigned>(size));
        _FailImage(text);
        return FALSE;
    }
    std::memcpy(image.GetPtr(), bits, size);
    return TRUE;
}

void CQXTWAINScannerImpl::_ReleaseStrips()
{
    for (const Strip& strip : m_strips)
    {
        if (m_pool && m_pool->is_from(strip.first))
            m_pool->free(strip.first);
        else
            std::free(strip.first);
    }
    m_strips.clear();
    m_imageBytes = 0;
}

void CQXTWAINScannerImpl::_DestroyPool()
{
    _ReleaseStrips();
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
