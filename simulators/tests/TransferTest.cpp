// Scans through the virtual production scanner: native, memory and file
// transfers deliver the generated pages complete and in order, image and
// extended image info describe them, and the feeding faults of a profile
// show up where an application meets them.
#include <gtest/gtest.h>

#include <tiffio.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "common/TwainCapability.h"
#include "common/TwainScan.h"

namespace
{
// Production frame 8.5 x 11 inches at 100 dpi.
constexpr LONG kDpi = 100;
constexpr LONG kWidth = 850;
constexpr LONG kHeight = 1100;

uint32_t Read32(const std::vector<BYTE>& bytes, size_t at)
{
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, sizeof(value));
    return value;
}

int BitsOf(TW_UINT16 pixelType)
{
    return pixelType == TWPT_RGB ? 24 : pixelType == TWPT_GRAY ? 8 : 1;
}

// Top-down rows of a page without padding, colour in red-green-blue order.
std::vector<BYTE> TwainRows(const CZKBitmapHandle& page)
{
    const size_t rowBytes = (static_cast<size_t>(page.GetWidth()) * page.GetBitsPerPixel() + 7) / 8;
    std::vector<BYTE> rows;
    for (LONG y = 0; y < page.GetHeight(); ++y)
    {
        const BYTE* row = page.GetPtr() + static_cast<size_t>(y) * page.GetBytesPerLine();
        const size_t start = rows.size();
        rows.insert(rows.end(), row, row + rowBytes);
        if (page.GetBitsPerPixel() == 24)
            for (size_t x = start; x < rows.size(); x += 3)
                std::swap(rows[x], rows[x + 2]);
    }
    return rows;
}

// Whether a 1-bit row of "white is one" equals one of "black is one".
bool InverseRows(const BYTE* whiteIsOne, const BYTE* blackIsOne, LONG width)
{
    for (LONG x = 0; x < width; ++x)
    {
        const int mask = 0x80 >> (x % 8);
        if (((whiteIsOne[x / 8] & mask) != 0) == ((blackIsOne[x / 8] & mask) != 0))
            return false;
    }
    return true;
}

class TransferTest : public ::testing::Test
{
protected:
    static void SetUpScan(CTwainScan& scan, TW_UINT16 mechanism, TW_UINT16 pixelType, bool duplex = true)
    {
        ASSERT_TRUE(scan.SetUint16(ICAP_XFERMECH, mechanism));
        ASSERT_TRUE(scan.SetUint16(ICAP_PIXELTYPE, pixelType));
        ASSERT_TRUE(scan.SetResolution(kDpi));
        TW_BOOL enabled = duplex;
        CTwainCapability cap(CAP_DUPLEXENABLED, TWON_ONEVALUE,
                             CTwainCapability::OneValue(TWTY_BOOL, &enabled, sizeof(enabled)));
        ASSERT_EQ(TWRC_SUCCESS, scan.Control(DAT_CAPABILITY, MSG_SET, &cap));
    }

    static std::vector<BYTE> NativeDib(CTwainScan& scan)
    {
        TW_HANDLE handle = nullptr;
        EXPECT_EQ(TWRC_XFERDONE, scan.Image(DAT_IMAGENATIVEXFER, &handle));
        if (!handle)
            return {};
        const auto* bytes = static_cast<const BYTE*>(handle);
        const uint32_t bits = Read32(std::vector<BYTE>(bytes, bytes + 40), 14) & 0xFFFF;
        const uint32_t colours = bits == 24 ? 0 : 1u << bits;
        const size_t stride = ((static_cast<size_t>(kWidth) * bits + 31) / 32) * 4;
        std::vector<BYTE> dib(bytes, bytes + 40 + colours * 4 + stride * kHeight);
        std::free(handle);
        return dib;
    }

    // Every strip of one memory transfer, joined; strips counts them.
    static std::vector<BYTE> MemoryImage(CTwainScan& scan, TW_UINT32 bufferSize, TW_UINT16& compression, int& strips)
    {
        std::vector<BYTE> buffer(bufferSize), image;
        strips = 0;
        for (TW_UINT16 rc = TWRC_SUCCESS; rc == TWRC_SUCCESS; ++strips)
        {
            TW_IMAGEMEMXFER block{};
            block.Memory = TW_MEMORY{TWMF_APPOWNS | TWMF_POINTER, bufferSize, buffer.data()};
            rc = scan.Image(DAT_IMAGEMEMXFER, &block);
            if (rc != TWRC_SUCCESS && rc != TWRC_XFERDONE)
            {
                ADD_FAILURE() << "strip " << strips << " rc " << rc << " cc " << scan.Condition();
                return {};
            }
            compression = block.Compression;
            if (compression == TWCP_NONE)
            {
                EXPECT_EQ(image.size(), static_cast<size_t>(block.YOffset) * block.BytesPerRow) << "strips in order";
            }
            image.insert(image.end(), buffer.begin(), buffer.begin() + block.BytesWritten);
        }
        return image;
    }
};

TEST_F(TransferTest, NativeDibsArriveInOrderBottomUp)
{
    for (TW_UINT16 pixelType : {TWPT_BW, TWPT_GRAY, TWPT_RGB})
    {
        SCOPED_TRACE(pixelType);
        CTwainScan scan(2);
        SetUpScan(scan, TWSX_NATIVE, pixelType);
        ASSERT_TRUE(scan.Start());
        ASSERT_EQ(4, scan.Pending(MSG_GET));
        for (int image = 0; image < 4; ++image)
        {
            TW_IMAGEINFO info{};
            ASSERT_EQ(TWRC_SUCCESS, scan.Image(DAT_IMAGEINFO, &info));
            EXPECT_EQ(kWidth, info.ImageWidth);
            EXPECT_EQ(kHeight, info.ImageLength);
            EXPECT_EQ(BitsOf(pixelType), info.BitsPerPixel);
            EXPECT_EQ(kDpi, info.XResolution.Whole);
            const std::vector<BYTE> dib = NativeDib(scan);
            ASSERT_FALSE(dib.empty());
            EXPECT_EQ(40u, Read32(dib, 0));
            EXPECT_EQ(static_cast<uint32_t>(kHeight), Read32(dib, 8)) << "positive height: bottom-up";
            const CZKBitmapHandle page = CTwainScan::Expected(image / 2 + 1, image % 2, 0, kWidth, kHeight,
                                                              BitsOf(pixelType), kDpi);
            const size_t pixels = dib.size() - static_cast<size_t>(page.GetBytesPerLine()) * kHeight;
            if (pixelType == TWPT_BW)
            {
                EXPECT_EQ(0u, Read32(dib, 40) & 0xFFFFFF) << "index 0 is black, as the rows have it";
            }
            for (LONG y = 0; y < kHeight; ++y)
                ASSERT_EQ(0, std::memcmp(dib.data() + pixels + (kHeight - 1 - y) * page.GetBytesPerLine(),
                                         page.GetPtr() + y * page.GetBytesPerLine(), page.GetBytesPerLine()))
                    << "image " << image << " row " << y;
            EXPECT_EQ(3 - image, scan.Pending(MSG_ENDXFER));
        }
        EXPECT_EQ(TWRC_SUCCESS, scan.App().Disable()) << "back in state 5";
        EXPECT_EQ(0, scan.ReadUint16(CAP_FEEDERLOADED));
    }
}

TEST_F(TransferTest, UncompressedMemoryStripsReassembleToThePage)
{
    for (TW_UINT16 pixelType : {TWPT_BW, TWPT_RGB})
    {
        SCOPED_TRACE(pixelType);
        CTwainScan scan(1);
        SetUpScan(scan, TWSX_MEMORY, pixelType, false);
        TW_SETUPMEMXFER setup{};
        ASSERT_EQ(TWRC_SUCCESS, scan.Control(DAT_SETUPMEMXFER, MSG_GET, &setup));
        const TW_UINT32 rowBytes = (kWidth * BitsOf(pixelType) + 7) / 8;
        EXPECT_EQ(rowBytes, setup.MinBufSize);
        EXPECT_LE(setup.MinBufSize, setup.Preferred);
        EXPECT_LE(setup.Preferred, setup.MaxBufSize);
        ASSERT_TRUE(scan.Start());
        TW_UINT16 compression = 0xFFFF;
        int strips = 0;
        // A buffer of 7.5 rows: strips must hold whole rows only.
        const std::vector<BYTE> image = MemoryImage(scan, rowBytes * 15 / 2, compression, strips);
        EXPECT_EQ(TWCP_NONE, compression);
        EXPECT_EQ((kHeight + 6) / 7, strips);
        EXPECT_TRUE(image == TwainRows(CTwainScan::Expected(1, 0, 0, kWidth, kHeight, BitsOf(pixelType), kDpi)));
        TW_IMAGEMEMXFER after{};
        after.Memory = TW_MEMORY{TWMF_APPOWNS | TWMF_POINTER, 0, nullptr};
        EXPECT_EQ(TWRC_FAILURE, scan.Image(DAT_IMAGEMEMXFER, &after)) << "nothing after the last strip";
        EXPECT_EQ(0, scan.Pending(MSG_ENDXFER));
    }
}

TEST_F(TransferTest, CompressedMemoryTransfersDecodeToThePage)
{
    CTwainScan scan(1);
    SetUpScan(scan, TWSX_MEMORY, TWPT_BW, true);
    ASSERT_TRUE(scan.SetUint16(ICAP_COMPRESSION, TWCP_GROUP4));
    ASSERT_TRUE(scan.Start());
    TW_IMAGEINFO info{};
    ASSERT_EQ(TWRC_SUCCESS, scan.Image(DAT_IMAGEINFO, &info));
    EXPECT_EQ(TWCP_GROUP4, info.Compression);
    TW_UINT16 compression = 0;
    int strips = 0;
    std::vector<BYTE> g4 = MemoryImage(scan, 1024, compression, strips);
    EXPECT_EQ(TWCP_GROUP4, compression);
    EXPECT_GT(strips, 1) << "the stream spans several buffers";
    CZKBitmapHandle decoded;
    ASSERT_TRUE(decoded.Decompress_G4(g4.data(), g4.size(), kWidth, kHeight, kDpi, kDpi));
    const CZKBitmapHandle page = CTwainScan::Expected(1, 0, 0, kWidth, kHeight, 1, kDpi);
    for (LONG y = 0; y < kHeight; ++y)
        ASSERT_TRUE(InverseRows(page.GetPtr() + y * page.GetBytesPerLine(),
                                decoded.GetPtr() + y * decoded.GetBytesPerLine(), kWidth))
            << "row " << y;
    EXPECT_EQ(1, scan.Pending(MSG_ENDXFER));
}

TEST_F(TransferTest, JpegMemoryTransferIsAJfifStream)
{
    CTwainScan scan(1);
    SetUpScan(scan, TWSX_MEMORY, TWPT_GRAY, false);
    ASSERT_TRUE(scan.SetUint16(ICAP_COMPRESSION, TWCP_JPEG));
    ASSERT_TRUE(scan.Start());
    TW_UINT16 compression = 0;
    int strips = 0;
    std::vector<BYTE> jpeg = MemoryImage(scan, 4096, compression, strips);
    EXPECT_EQ(TWCP_JPEG, compression);
    CZKBitmapHandle decoded;
    ASSERT_TRUE(decoded.Decompress_JPEG(jpeg.data(), jpeg.size(), 1));
    ASSERT_EQ(kWidth, decoded.GetWidth());
    ASSERT_EQ(kHeight, decoded.GetHeight());
    const CZKBitmapHandle page = CTwainScan::Expected(1, 0, 0, kWidth, kHeight, 8, kDpi);
    double difference = 0;
    for (LONG y = 0; y < kHeight; ++y)
        for (LONG x = 0; x < kWidth; ++x)
            difference += std::abs(decoded.GetPtr()[y * decoded.GetBytesPerLine() + x] -
                                   page.GetPtr()[y * page.GetBytesPerLine() + x]);
    EXPECT_LT(difference / (kWidth * kHeight), 8.0);
}

TEST_F(TransferTest, FileTransfersWriteReadableFiles)
{
    CTwainScan scan(3);
    SetUpScan(scan, TWSX_FILE, TWPT_BW, false);
    ASSERT_TRUE(scan.SetUint16(ICAP_COMPRESSION, TWCP_GROUP4));
    TW_SETUPFILEXFER setup{};
    ASSERT_EQ(TWRC_SUCCESS, scan.Control(DAT_SETUPFILEXFER, MSG_GET, &setup));
    EXPECT_EQ(TWFF_TIFF, setup.Format);
    EXPECT_NE(0, setup.FileName[0]);
    ASSERT_TRUE(scan.Start());
    EXPECT_EQ(3, scan.Pending(MSG_GET));

    const std::string tiffPath = scan.Folder() + "/page1.tif";
    std::strcpy(setup.FileName, tiffPath.c_str());
    ASSERT_EQ(TWRC_SUCCESS, scan.Control(DAT_SETUPFILEXFER, MSG_SET, &setup));
    ASSERT_EQ(TWRC_XFERDONE, scan.Image(DAT_IMAGEFILEXFER, nullptr));
    TIFF* tiff = TIFFOpen(tiffPath.c_str(), "r");
    ASSERT_NE(nullptr, tiff);
    uint32_t width = 0, height = 0;
    uint16_t compression = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    TIFFGetField(tiff, TIFFTAG_COMPRESSION, &compression);
    EXPECT_EQ(static_cast<uint32_t>(kWidth), width);
    EXPECT_EQ(static_cast<uint32_t>(kHeight), height);
    EXPECT_EQ(COMPRESSION_CCITTFAX4, compression);
    const CZKBitmapHandle page = CTwainScan::Expected(1, 0, 0, kWidth, kHeight, 1, kDpi);
    std::vector<BYTE> row(TIFFScanlineSize(tiff));
    for (uint32_t y = 0; y < height; ++y)
    {
        ASSERT_EQ(1, TIFFReadScanline(tiff, row.data(), y, 0));
        ASSERT_TRUE(InverseRows(page.GetPtr() + y * page.GetBytesPerLine(), row.data(), kWidth)) << "row " << y;
    }
    TIFFClose(tiff);
    EXPECT_EQ(2, scan.Pending(MSG_ENDXFER));

    const std::string bmpPath = scan.Folder() + "/page2.bmp";
    std::strcpy(setup.FileName, bmpPath.c_str());
    setup.Format = TWFF_BMP;
    ASSERT_EQ(TWRC_SUCCESS, scan.Control(DAT_SETUPFILEXFER, MSG_SET, &setup));
    ASSERT_EQ(TWRC_XFERDONE, scan.Image(DAT_IMAGEFILEXFER, nullptr));
    std::ifstream in(bmpPath, std::ios::binary);
    std::vector<BYTE> bmp((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bmp.size(), 62u);
    EXPECT_EQ('B', bmp[0]);
    EXPECT_EQ(bmp.size(), Read32(bmp, 2));
    const CZKBitmapHandle second = CTwainScan::Expected(2, 0, 0, kWidth, kHeight, 1, kDpi);
    const uint32_t offset = Read32(bmp, 10);
    ASSERT_EQ(bmp.size(), offset + static_cast<size_t>(second.GetBytesPerLine()) * kHeight);
    EXPECT_EQ(0, std::memcmp(bmp.data() + offset, second.GetPtr() + (kHeight - 1) * second.GetBytesPerLine(),
                             second.GetBytesPerLine()))
        << "the last row of the page comes first";
    EXPECT_EQ(1, scan.Pending(MSG_ENDXFER));

    setup.Format = TWFF_JFIF;
    EXPECT_EQ(TWRC_FAILURE, scan.Control(DAT_SETUPFILEXFER, MSG_SET, &setup)) << "no bitonal JPEG";
    EXPECT_EQ(TWCC_BADVALUE, scan.Condition());
    std::strcpy(setup.FileName, "/nonexistent-folder/page3.tif");
    setup.Format = TWFF_TIFF;
    ASSERT_EQ(TWRC_SUCCESS, scan.Control(DAT_SETUPFILEXFER, MSG_SET, &setup));
    EXPECT_EQ(TWRC_FAILURE, scan.Image(DAT_IMAGEFILEXFER, nullptr));
    EXPECT_EQ(TWCC_FILEWRITEERROR, scan.Condition());
}
TEST_F(TransferTest, PageGeometryFollowsSizesFramesAndUnits)
{
    CTwainScan scan(1, "", "[Cap.ICAP_SUPPORTEDSIZES]\nId = 0x1122\nType = UINT16\nContainer = ENUMERATION\n"
                           "Items = 0, 1, 4\nCurrent = 0\nOperations = GET, GETCURRENT, SET, RESET\n");
    SetUpScan(scan, TWSX_NATIVE, TWPT_BW, false);
    // Frames are kept as set: after a change of units they read in the new ones.
    ASSERT_TRUE(scan.SetUint16(ICAP_UNITS, TWUN_CENTIMETERS));
    ASSERT_TRUE(scan.Start());
    TW_IMAGEINFO info{};
    ASSERT_EQ(TWRC_SUCCESS, scan.Image(DAT_IMAGEINFO, &info));
    EXPECT_EQ(335, info.ImageWidth) << "8.5 cm at 100 dpi";
    EXPECT_EQ(433, info.ImageLength);
    ASSERT_EQ(0, scan.Pending(MSG_RESET));
    ASSERT_EQ(TWRC_SUCCESS, scan.App().Disable());

    ASSERT_TRUE(scan.SetUint16(ICAP_SUPPORTEDSIZES, TWSS_USLEGAL));
    ASSERT_TRUE(scan.Start());
    ASSERT_EQ(TWRC_SUCCESS, scan.Image(DAT_IMAGEINFO, &info));
    EXPECT_EQ(850, info.ImageWidth) << "a named size wins over the frame";
    EXPECT_EQ(1400, info.ImageLength);
    TW_IMAGELAYOUT layout{};
    ASSERT_EQ(TWRC_SUCCESS, scan.Image(DAT_IMAGELAYOUT, &layout));
    EXPECT_NEAR(14 * 2.54, layout.Frame.Bottom.Whole + layout.Frame.Bottom.Frac / 65536.0, 0.01)
        << "the layout in centimetres";
}
} // namespace
