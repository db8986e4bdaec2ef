// The raw-row converters make their bitmaps without clearing them first, so
// every byte of the result, row padding included, must still be what a
// cleared bitmap overwritten pixel by pixel holds. Each image is converted on
// a heap left dirty by an earlier block of the same size, at widths around
// the byte shuffle's steps and with source rows longer than their pixels.
#include "QXImageConverter.h"

#include <mirelight/QXScannerHelper.h>
#include <mirelight/QX_SCANNER_IMAGE_INFO.h>

#include <hollin/ZKRBuffer.h>
#include <pellmark/ZKBitmapHandle.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
constexpr int kHeight = 3;
const int kWidths[] = {1, 2, 3, 4, 5, 6, 7, 9, 13, 17, 31, 33, 67};
const size_t kSourcePaddings[] = {0, 1, 3};

size_t RowBytes(int width, int bitsPerPixel)
{
    return (static_cast<size_t>(width) * bitsPerPixel + 7) / 8;
}

std::vector<BYTE> SourceRows(size_t size)
{
    std::vector<BYTE> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<BYTE>(i * 37 + 11);
    return bytes;
}

// Leaves a block of this size full of set bytes on the heap, so a bitmap
// allocated next that is not written in full shows it.
void DirtyTheHeap(size_t size)
{
    void* block = std::malloc(size);
    ASSERT_NE(block, nullptr);
    std::memset(block, 0xFF, size);
    std::free(block);
}

// What a cleared bitmap holds once each row has been written: the pixel
// bytes the row's writer gives, zeros after them.
template <typename WriteRow>
std::vector<BYTE> ClearedAndWritten(int width, int bitsPerPixel, size_t pixelBytes, WriteRow writeRow)
{
    const size_t stride = SQXImageConverter::BitmapStride(static_cast<size_t>(width), bitsPerPixel);
    std::vector<BYTE> image(stride * kHeight, 0);
    for (int y = 0; y < kHeight; ++y)
        writeRow(y, image.data() + y * stride, pixelBytes);
    return image;
}

std::vector<BYTE> Pixels(const CZKBitmapHandle& bitmap)
{
    return std::vector<BYTE>(bitmap.GetPtr(), bitmap.GetPtr() + bitmap.GetImageSize());
}

QX_SCANNER_IMAGE_INFO TwainInfo(int width, int bitsPerPixel, int type, size_t rowSize)
{
    QX_SCANNER_IMAGE_INFO info;
    info.ImageWidth = width;
    info.ImageLength = kHeight;
    info.BitsPerPixel = static_cast<WORD>(bitsPerPixel);
    info.RowSize = static_cast<WORD>(rowSize);
    info.imageType.value = static_cast<BYTE>(type);
    info.imageFormat.value = 1;
    return info;
}

ZK_ISIS_IMAGE_INFO IsisInfo(int width, int samples, int bits, int photometric)
{
    ZK_ISIS_IMAGE_INFO info;
    info.ImageWidth = static_cast<DWORD>(width);
    info.ImageLength = kHeight;
    info.SamplesPerPixel = static_cast<SHORT>(samples);
    info.BitsPerSample = static_cast<SHORT>(bits);
    info.Photometric = static_cast<SHORT>(photometric);
    return info;
}

struct TwainFormat
{
    int bitsPerPixel;
    int type;
};

struct IsisFormat
{
    int samples;
    int bits;
    int photometric;
    int outBits;
};

enum class PixelOrder
{
    Copied,
    Inverted,
    RedBlueSwapped
};

PixelOrder IsisOrder(const IsisFormat& format)
{
    if (format.photometric == 2)
        return PixelOrder::RedBlueSwapped;
    if (format.bits == 8 && format.photometric == 0)
        return PixelOrder::Inverted;
    return PixelOrder::Copied;
}

void WritePixels(const BYTE* src, BYTE* dst, size_t count, PixelOrder order)
{
    for (size_t i = 0; i < count; ++i)
    {
        switch (order)
        {
        case PixelOrder::Copied: dst[i] = src[i]; break;
        case PixelOrder::Inverted: dst[i] = static_cast<BYTE>(~src[i]); break;
        case PixelOrder::RedBlueSwapped: dst[i] = src[i - i % 3 + 2 - i % 3]; break;
        }
    }
}
} // namespace

TEST(ConvertedBitmapTest, TwainRowsEqualAClearedBitmapWrittenRowByRow)
{
    const TwainFormat formats[] = {{1, 1}, {8, 2}, {24, 3}};
    for (const TwainFormat& format : formats)
    {
        const PixelOrder order = format.type == 3 ? PixelOrder::RedBlueSwapped : PixelOrder::Copied;
        for (int width : kWidths)
        {
            for (size_t padding : kSourcePaddings)
            {
                const size_t rowBytes = RowBytes(width, format.bitsPerPixel);
                const size_t rowSize = rowBytes + padding;
                const std::vector<BYTE> source = SourceRows(rowSize * kHeight);
                const std::vector<BYTE> expected =
                    ClearedAndWritten(width, format.bitsPerPixel, rowBytes, [&](int y, BYTE* dst, size_t count) {
                        WritePixels(source.data() + y * rowSize, dst, count, order);
                    });
                DirtyTheHeap(expected.size());
                CZKRBuffer data(source.data(), source.size());
                CZKBitmapHandle bitmap;
                ASSERT_TRUE(SQXImageConverter::TwainRowsToBitmap(
                    data, TwainInfo(width, format.bitsPerPixel, format.type, rowSize), bitmap));
                EXPECT_EQ(expected, Pixels(bitmap))
                    << format.bitsPerPixel << " bits, width " << width << ", row size " << rowSize;
            }
        }
    }
}

TEST(ConvertedBitmapTest, IsisRowsEqualAClearedBitmapWrittenRowByRow)
{
    const IsisFormat formats[] = {{1, 1, 0, 1}, {1, 1, 1, 1}, {1, 8, 0, 8}, {1, 8, 1, 8}, {3, 8, 2, 24}, {3, 8, 120, 24}};
    for (const IsisFormat& format : formats)
    {
        for (int width : kWidths)
        {
            for (size_t padding : kSourcePaddings)
            {
                const size_t rowBytes = RowBytes(width, format.samples * format.bits);
                const size_t stride = rowBytes + padding;
                const std::vector<BYTE> source = SourceRows(stride * kHeight);
                const std::vector<BYTE> expected =
                    ClearedAndWritten(width, format.outBits, rowBytes, [&](int y, BYTE* dst, size_t count) {
                        WritePixels(source.data() + y * stride, dst, count, IsisOrder(format));
                    });
                DirtyTheHeap(expected.size());
                CZKRBuffer data(source.data(), source.size());
                CZKBitmapHandle bitmap;
                ASSERT_TRUE(SQXImageConverter::IsisRowsToBitmap(
                    data, IsisInfo(width, format.samples, format.bits, format.photometric), bitmap));
                EXPECT_EQ(expected, Pixels(bitmap)) << format.samples << "x" << format.bits << " photometric "
                                                    << format.photometric << ", width " << width
                                                    << ", stride " << stride;
            }
        }
    }
}

// An uncompressed image handed back by the application already has bitmap
// rows: every byte of the bitmap is the buffer's.
TEST(ConvertedBitmapTest, RawImagesAreTheBufferByteForByte)
{
    const TwainFormat formats[] = {{1, 1}, {8, 2}, {24, 3}};
    for (const TwainFormat& format : formats)
    {
        for (int width : kWidths)
        {
            const size_t stride = SQXImageConverter::BitmapStride(static_cast<size_t>(width), format.bitsPerPixel);
            const std::vector<BYTE> source = SourceRows(stride * kHeight);
            DirtyTheHeap(source.size());
            CZKRBuffer data(source.data(), source.size());
            CZKBitmapHandle bitmap;
            ASSERT_TRUE(CQXScannerHelper::ConvertToBitmap(
                data, TwainInfo(width, format.bitsPerPixel, format.type, stride), bitmap, 1));
            EXPECT_EQ(source, Pixels(bitmap)) << format.bitsPerPixel << " bits, width " << width;
        }
    }
}

// Refused images leave the bitmap as it was: nothing half-made is handed on.
TEST(ConvertedBitmapTest, RefusedImagesLeaveTheBitmapAlone)
{
    CZKBitmapHandle bitmap;
    ASSERT_TRUE(bitmap.Create(2, 2, 8));
    bitmap.GetPtr()[0] = 42;
    const std::vector<BYTE> source = SourceRows(12);
    CZKRBuffer data(source.data(), source.size());

    EXPECT_FALSE(SQXImageConverter::TwainRowsToBitmap(data, TwainInfo(2, 8, 3, 6), bitmap)); // colour at 8 bits
    QX_SCANNER_IMAGE_INFO tooLong = TwainInfo(4, 24, 3, 12);
    EXPECT_FALSE(SQXImageConverter::TwainRowsToBitmap(data, tooLong, bitmap));
    EXPECT_FALSE(CQXScannerHelper::ConvertToBitmap(data, tooLong, bitmap, 1));
    EXPECT_EQ(bitmap.GetWidth(), 2);
    EXPECT_EQ(bitmap.GetPtr()[0], 42);
}
