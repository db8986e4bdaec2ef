// The ISIS-backed scanner's image events fed directly, as a misbehaving
// driver would feed them: blocks of any size, absurd geometry, data longer
// than the image, an end without data. Every bad image is refused with one
// error event and the next good image still arrives.
#include "QXISISScannerImpl.h"

#include "common/ScannerRecorder.h"

#include <mirelight/QXScannerHelper.h>

#include <hollin/ZKRBuffer.h>
#include <pellmark/ZKBitmapHandle.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace
{
ZK_ISIS_IMAGE_INFO RawInfo(DWORD width, DWORD length, SHORT samples, SHORT bits, SHORT photometric)
{
    ZK_ISIS_IMAGE_INFO info;
    info.ImageWidth = width;
    info.ImageLength = length;
    info.SamplesPerPixel = samples;
    info.BitsPerSample = bits;
    info.Photometric = photometric;
    info.Compression = 1;
    info.XResolution = 300;
    info.YResolution = 300;
    info.PageNumber = 7;
    return info;
}

std::vector<BYTE> Pattern(size_t size)
{
    std::vector<BYTE> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<BYTE>(i * 7 + i / 251);
    return bytes;
}

LONG PageNumberTag(const RECORDED_SCANNER_IMAGE& image)
{
    LONG value = -1;
    image.tags.GetValue(203, value);
    return value;
}

class ISISImageEventsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        scanner.SetObserver(&recorder);
        ZK_ISIS_SESSION_BEGIN begin;
        scanner.OnISISSessionBegin(&begin);
    }

    // Sends the bytes in blocks of the given size, then the image end.
    BOOL Send(const std::vector<BYTE>& bytes, size_t blockSize, const ZK_ISIS_IMAGE_INFO& info)
    {
        ZK_ISIS_IMAGE_BEGIN begin;
        scanner.OnISISImageBegin(&begin);
        for (size_t offset = 0; offset < bytes.size(); offset += blockSize)
        {
            ZK_ISIS_IMAGE_DATA data;
            data.Data = bytes.data() + offset;
            data.Length = static_cast<DWORD>(std::min(blockSize, bytes.size() - offset));
            if (scanner.OnISISImageData(&data) != 0)
                return -1;
        }
        ZK_ISIS_IMAGE_END end;
        end.Info = info;
        return scanner.OnISISImageEnd(&end);
    }

    void TearDown() override
    {
        ZK_ISIS_SESSION_END end;
        scanner.OnISISSessionEnd(&end);
    }

    CScannerRecorder recorder;
    CQXISISScannerImpl scanner;
};
} // namespace

TEST_F(ISISImageEventsTest, BlocksLongerThanThePoolsAreKeptWhole)
{
    // 300 grey rows of 100 bytes: 30000 bytes in blocks of 20000 and 10000.
    const std::vector<BYTE> rows = Pattern(30000);
    ASSERT_EQ(Send(rows, 20000, RawInfo(100, 300, 1, 8, 1)), 0);
    const std::vector<RECORDED_SCANNER_IMAGE> images = recorder.Images();
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].bytes, rows);
    EXPECT_EQ(images[0].info.BitsPerPixel, 8);
    EXPECT_EQ(images[0].info.imageType.value, 2);
    EXPECT_EQ(PageNumberTag(images[0]), 7);
    EXPECT_TRUE(recorder.Errors().empty());
}

TEST_F(ISISImageEventsTest, BitonalRowsBecomeG4ThatDecodesToTheSameRows)
{
    // Black-is-zero rows of 70 pixels (9 bytes, padded by the driver to 10).
    std::vector<BYTE> rows = Pattern(10 * 50);
    ASSERT_EQ(Send(rows, 64, RawInfo(70, 50, 1, 1, 1)), 0);
    const std::vector<RECORDED_SCANNER_IMAGE> images = recorder.Images();
    ASSERT_EQ(images.size(), 1u);
    const RECORDED_SCANNER_IMAGE& image = images[0];
    EXPECT_EQ(image.info.imageFormat.value, 3);
    EXPECT_EQ(image.info.bWhiteIsZero, 0);
    CZKRBuffer coded(image.bytes.data(), image.bytes.size());
    CZKBitmapHandle bitmap;
    ASSERT_TRUE(CQXScannerHelper::ConvertToBitmap(coded, image.info, bitmap, 1));
    // Decoded ink is a set bit; the driver's black is 0.
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 70; ++x)
        {
            const bool driverBlack = ((rows[y * 10 + x / 8] >> (7 - x % 8)) & 1) == 0;
            const bool decodedBlack =
                ((bitmap.GetPtr()[y * bitmap.GetBytesPerLine() + x / 8] >> (7 - x % 8)) & 1) == 1;
            ASSERT_EQ(driverBlack, decodedBlack) << x << "," << y;
        }
}

TEST_F(ISISImageEventsTest, ImpossibleImagesAreRefusedOnceAndTheSessionGoesOn)
{
    const std::vector<BYTE> rows = Pattern(4000);
    struct
    {
        const char* what;
        ZK_ISIS_IMAGE_INFO info;
        size_t bytes;
    } cases[] = {
        {"zero width", RawInfo(0, 40, 1, 8, 1), 4000},
        {"huge width", RawInfo(0x7FFFFFFF, 1, 1, 8, 1), 4000},
        {"huge length", RawInfo(1, 0x7FFFFFFF, 1, 8, 1), 4000},
        {"unknown bits per sample", RawInfo(100, 40, 1, 2, 1), 4000},
        {"unknown photometric", RawInfo(100, 40, 3, 8, 5), 4000},
        {"data longer than the image", RawInfo(100, 10, 1, 8, 1), 4000},
        {"data shorter than the rows", RawInfo(100, 40, 3, 8, 2), 4000},
        {"end without data", RawInfo(100, 40, 1, 8, 1), 0},
    };
    int refused = 0;
    for (const auto& bad : cases)
    {
        SCOPED_TRACE(bad.what);
        EXPECT_EQ(Send(std::vector<BYTE>(rows.begin(), rows.begin() + bad.bytes), 1000, bad.info),
                  0);
        EXPECT_EQ(recorder.Errors().size(), static_cast<size_t>(++refused));
        EXPECT_TRUE(recorder.Images().empty());
    }
    for (int error : recorder.Errors())
        EXPECT_EQ(error, QX_SCANNER_ERROR_FAILURE);
    ASSERT_EQ(Send(rows, 1000, RawInfo(100, 40, 1, 8, 1)), 0);
    ASSERT_EQ(recorder.Images().size(), 1u);
    EXPECT_EQ(recorder.Images()[0].bytes, rows) << "nothing of the refused images is left";
}

TEST_F(ISISImageEventsTest, NotAcceptedImageLeavesNothingBehind)
{
    const std::vector<BYTE> rows = Pattern(4000);
    ZK_ISIS_IMAGE_DATA data;
    data.Data = rows.data();
    data.Length = 3000;
    ASSERT_EQ(scanner.OnISISImageData(&data), 0);
    scanner.OnISISImageNotAccepted();
    ASSERT_EQ(Send(rows, 4000, RawInfo(100, 40, 1, 8, 1)), 0);
    ASSERT_EQ(recorder.Images().size(), 1u);
    EXPECT_EQ(recorder.Images()[0].bytes, rows);
}

TEST_F(ISISImageEventsTest, CompressedDataIsDeliveredAsSent)
{
    const std::vector<BYTE> jpeg = Pattern(5000);
    ZK_ISIS_IMAGE_INFO info = RawInfo(640, 480, 3, 8, 2);
    info.Compression = 6;
    info.Side = 1;
    ASSERT_EQ(Send(jpeg, 8192, info), 0);
    ASSERT_EQ(recorder.Images().size(), 1u);
    const RECORDED_SCANNER_IMAGE image = recorder.Images()[0];
    EXPECT_EQ(image.bytes, jpeg);
    EXPECT_EQ(image.info.imageFormat.value, 2);
    EXPECT_EQ(image.info.imageType.value, 3);
    EXPECT_EQ(image.info.imageSide.value, 2);
    EXPECT_EQ(image.info.BitsPerPixel, 24);
}

TEST(ISISImageInfoTest, RecordIsFilledFromTheIsisImage)
{
    ZK_ISIS_IMAGE_INFO source = RawInfo(5000, 10, 3, 8, 2);
    source.Compression = 4;
    source.Side = 7;
    QX_SCANNER_IMAGE_INFO target;
    CQXISISScannerImpl::FillImageInfo(source, target);
    EXPECT_EQ(target.RowSize, static_cast<WORD>(120000 & 0xFFFF))
        << "the row in bits, kept in 16 bits";
    EXPECT_EQ(target.imageFormat.value, 3);
    EXPECT_EQ(target.imageSide.value, 0);
    EXPECT_EQ(target.bWhiteIsZero, 0);

    const struct
    {
        SHORT samples, bits, photometric;
        int type;
    } types[] = {{1, 1, 0, 1}, {1, 1, 1, 1}, {1, 4, 1, 2}, {1, 8, 0, 2},
                 {1, 8, 3, 3}, {3, 8, 2, 3}, {1, 1, 3, 0}, {2, 8, 1, 0}};
    for (const auto& t : types)
    {
        CQXISISScannerImpl::FillImageInfo(RawInfo(10, 10, t.samples, t.bits, t.photometric),
                                          target);
        EXPECT_EQ(target.imageType.value, t.type)
            << t.samples << "x" << t.bits << " p" << t.photometric;
    }
    source.Compression = 3;
    CQXISISScannerImpl::FillImageInfo(source, target);
    EXPECT_EQ(target.imageFormat.value, 4);
    source.Compression = 9;
    CQXISISScannerImpl::FillImageInfo(source, target);
    EXPECT_EQ(target.imageFormat.value, 0);
}

TEST(ISISErrorMapTest, DriverErrorsMapToTheApplicationsCodes)
{
    EXPECT_EQ(CQXISISScannerImpl::MapError(-4401), QX_SCANNER_ERROR_CANCELLED);
    EXPECT_EQ(CQXISISScannerImpl::MapError(-4426), QX_SCANNER_ERROR_PAPERJAM);
    EXPECT_EQ(CQXISISScannerImpl::MapError(-4619), QX_SCANNER_ERROR_DOUBLEFEED);
    EXPECT_EQ(CQXISISScannerImpl::MapError(-4500), QX_SCANNER_ERROR_LOWMEMORY);
    EXPECT_EQ(CQXISISScannerImpl::MapError(-8001), QX_SCANNER_ERROR_LOWMEMORY);
    EXPECT_EQ(CQXISISScannerImpl::MapError(-8004), QX_SCANNER_ERROR_FAILURE);
}
