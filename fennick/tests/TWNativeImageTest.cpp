// What a source hands over in a native transfer becomes the observer's DIB:
// a complete DIB is copied, a TIFF file is decoded, anything else is refused,
// and nothing is read past the block the source allocated.
#include <ZKTWNativeImage.h>

#include <wincompat/ZKGlobalMemory.h>

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <tiffio.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace
{
// The bytes at the very end of a readable page, followed by one that is not:
// reading past them faults.
class CGuardedBlock
{
public:
    explicit CGuardedBlock(const std::vector<BYTE>& bytes)
    {
        m_page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
        m_pages = (bytes.size() + m_page - 1) / m_page + 1;
        void* mapped = mmap(nullptr, m_pages * m_page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        m_base = mapped == MAP_FAILED ? nullptr : static_cast<BYTE*>(mapped);
        if (!m_base)
            return;
        BYTE* guard = m_base + (m_pages - 1) * m_page;
        mprotect(guard, m_page, PROT_NONE);
        m_data = guard - bytes.size();
        if (!bytes.empty())
            std::memcpy(m_data, bytes.data(), bytes.size());
    }
    ~CGuardedBlock()
    {
        if (m_base)
            munmap(m_base, m_pages * m_page);
    }
    const BYTE* Data() const { return m_data; }

private:
    size_t m_page = 0;
    size_t m_pages = 0;
    BYTE* m_base = nullptr;
    BYTE* m_data = nullptr;
};

void Put32(std::vector<BYTE>& out, size_t at, uint32_t value)
{
    std::memcpy(out.data() + at, &value, 4);
}

// A bottom-up 1-bit DIB of width x height whose rows are all `fill`.
std::vector<BYTE> Dib(int32_t width, int32_t height, BYTE fill)
{
    const size_t stride = (static_cast<size_t>(width) + 31) / 32 * 4;
    std::vector<BYTE> dib(40 + 8 + stride * static_cast<size_t>(height), fill);
    Put32(dib, 0, 40);
    Put32(dib, 4, static_cast<uint32_t>(width));
    Put32(dib, 8, static_cast<uint32_t>(height));
    Put32(dib, 12, 1 | (1 << 16)); // one plane, one bit per pixel
    Put32(dib, 16, 0);
    Put32(dib, 20, 0);
    Put32(dib, 32, 2);
    Put32(dib, 36, 0);
    Put32(dib, 40, 0x000000);
    Put32(dib, 44, 0xFFFFFF);
    return dib;
}

std::vector<BYTE> GreyTiff(uint32_t width, uint32_t height)
{
    char path[] = "/tmp/zknative-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return {};
    close(fd);
    if (TIFF* tif = TIFFOpen(path, "w"))
    {
        TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
        TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
        TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
        TIFFSetField(tif, TIFFTAG_XRESOLUTION, 254.0f);
        TIFFSetField(tif, TIFFTAG_YRESOLUTION, 254.0f);
        TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        for (uint32_t y = 0; y < height; ++y)
        {
            std::vector<BYTE> row(width, static_cast<BYTE>(10 * y));
            TIFFWriteScanline(tif, row.data(), y, 0);
        }
        TIFFClose(tif);
    }
    std::ifstream in(path, std::ios::binary);
    std::vector<BYTE> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::remove(path);
    return bytes;
}

std::vector<BYTE> Contents(HGLOBAL handle)
{
    std::vector<BYTE> bytes;
    if (const auto* data = static_cast<const BYTE*>(CZKGlobalMemory::Lock(handle)))
    {
        bytes.assign(data, data + CZKGlobalMemory::Size(handle));
        CZKGlobalMemory::Unlock(handle);
    }
    CZKGlobalMemory::Free(handle);
    return bytes;
}
} // namespace

TEST(TWNativeImageTest, BlocksShorterThanTheirHeaderSaysAreRefusedWithoutReadingPastThem)
{
    const std::vector<BYTE> dib = Dib(64, 16, 0x55);
    for (size_t size : {size_t(0), size_t(8), size_t(39), size_t(40), size_t(48), dib.size() - 1})
    {
        const std::vector<BYTE> head(dib.begin(), dib.begin() + static_cast<std::ptrdiff_t>(size));
        CGuardedBlock block(head);
        ASSERT_NE(nullptr, block.Data());
        EXPECT_EQ(0u, SZKTWNativeImage::DibSize(block.Data(), size)) << size;
        EXPECT_EQ(nullptr, SZKTWNativeImage::ToDib(block.Data(), size)) << size;
    }
    std::vector<BYTE> oversizedHeader = dib;
    Put32(oversizedHeader, 0, 4000);
    EXPECT_EQ(nullptr, SZKTWNativeImage::ToDib(oversizedHeader.data(), oversizedHeader.size()));
    EXPECT_EQ(nullptr, SZKTWNativeImage::ToDib(nullptr, 100));
}

TEST(TWNativeImageTest, CompleteDibIsCopiedWithoutTheBlocksSlack)
{
    std::vector<BYTE> block = Dib(33, 5, 0xA5);
    const size_t dibSize = block.size();
    block.resize(dibSize + 24, 0xEE); // heap blocks are often larger than asked for
    CGuardedBlock guarded(block);
    const std::vector<BYTE> copy = Contents(SZKTWNativeImage::ToDib(guarded.Data(), block.size()));
    EXPECT_EQ(std::vector<BYTE>(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(dibSize)), copy);
}

TEST(TWNativeImageTest, TiffFileBecomesABottomUpDibOfTheSamePixels)
{
    const std::vector<BYTE> tiff = GreyTiff(6, 3);
    ASSERT_FALSE(tiff.empty());
    CGuardedBlock block(tiff);
    const std::vector<BYTE> dib = Contents(SZKTWNativeImage::ToDib(block.Data(), tiff.size()));
    ASSERT_EQ(40u + 256 * 4 + 8 * 3, dib.size());
    int32_t width = 0, height = 0, pelsPerMetre = 0;
    std::memcpy(&width, dib.data() + 4, 4);
    std::memcpy(&height, dib.data() + 8, 4);
    std::memcpy(&pelsPerMetre, dib.data() + 24, 4);
    EXPECT_EQ(6, width);
    EXPECT_EQ(3, height) << "positive: bottom-up rows";
    EXPECT_EQ(10000, pelsPerMetre) << "254 dpi";
    EXPECT_EQ(8, dib[14]);
    const BYTE* pixels = dib.data() + 40 + 256 * 4;
    EXPECT_EQ(20, pixels[0]) << "the last row comes first";
    EXPECT_EQ(0, pixels[2 * 8 + 5]);
    EXPECT_EQ(128, dib[40 + 128 * 4]) << "grey ramp palette";
}

TEST(TWNativeImageTest, DamagedTiffAndForeignBytesAreRefused)
{
    const std::vector<BYTE> tiff = GreyTiff(64, 64);
    ASSERT_GT(tiff.size(), 100u);
    for (size_t size : {size_t(8), size_t(60), tiff.size() / 2})
    {
        CGuardedBlock block(std::vector<BYTE>(tiff.begin(), tiff.begin() + static_cast<std::ptrdiff_t>(size)));
        EXPECT_EQ(nullptr, SZKTWNativeImage::ToDib(block.Data(), size)) << size;
    }
    const std::vector<BYTE> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13};
    EXPECT_EQ(nullptr, SZKTWNativeImage::ToDib(png.data(), png.size()));
}
