// Joining memory-transfer strips, fed the way the TWAIN layer feeds them:
// what a source reports is outside code, so absurd descriptions and strips
// that overrun what was announced must end as an error for that image,
// never as an overrun or a delivered image.
#include "common/ScannerRecorder.h"

#include "QXTWAINScannerImpl.h"

#include <hollin/ZKDebugLog.h>
#include <twaindefs/ZKTwainConstants.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

namespace
{
ZKTWIMAGEINFO Bitonal(int width, int length)
{
    ZKTWIMAGEINFO info;
    info.XResolution = info.YResolution = 200;
    info.ImageWidth = width;
    info.ImageLength = length;
    info.SamplesPerPixel = 1;
    info.BitsPerPixel = 1;
    info.PixelType = TWPT_BW;
    info.Compression = TWCP_NONE;
    info.BytesPerRow = static_cast<uint32_t>((width + 7) / 8);
    return info;
}

class TWAINStripJoinTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_impl.SetObserver(&m_recorder);
        SZKDebugLog::SetSink(
            [this](const std::string& line)
            {
                std::lock_guard<std::mutex> guard(m_logLock);
                m_log.push_back(line);
            },
            1);
    }
    void TearDown() override
    {
        SZKDebugLog::SetSink(nullptr);
        SZKDebugLog::Disable();
    }

    // Sends the bytes in strips of stripBytes in a buffer of bufferBytes,
    // the description with the last one, as the layer does.
    void Send(const std::vector<BYTE>& bytes, size_t stripBytes, size_t bufferBytes,
              const ZKTWIMAGEINFO& info)
    {
        std::vector<BYTE> buffer(bufferBytes);
        for (size_t at = 0; at < bytes.size(); at += stripBytes)
        {
            const size_t n = std::min(stripBytes, bytes.size() - at);
            std::memcpy(buffer.data(), bytes.data() + at, n);
            TW_IMAGEMEMXFER block{};
            block.Memory.TheMem = buffer.data();
            block.Memory.Length = static_cast<TW_UINT32>(bufferBytes);
            block.BytesWritten = static_cast<TW_UINT32>(n);
            const bool last = at + stripBytes >= bytes.size();
            m_impl.OnMemoryBlock(&block, last ? TRUE : FALSE,
                                 last ? new ZKTWIMAGEINFO(info) : nullptr, nullptr);
        }
    }

    // Sends the bytes as the layer does when the source writes in place:
    // each strip into the block the scanner names for it. Every
    // copyEvery-th strip (0: none) comes through a buffer of the layer's
    // own instead, as when the layer refuses a block.
    void SendInPlace(CQXTWAINScannerImpl& impl, const std::vector<BYTE>& bytes, size_t stripBytes,
                     const ZKTWIMAGEINFO& info, size_t copyEvery = 0)
    {
        ZKTWIMAGEINFO announced = info;
        announced.BytesPerRow = 0;
        std::vector<BYTE> own(stripBytes);
        size_t strip = 0;
        for (size_t at = 0; at < bytes.size(); at += stripBytes, ++strip)
        {
            const size_t n = std::min(stripBytes, bytes.size() - at);
            const bool last = at + stripBytes >= bytes.size();
            ZKTW_STRIP_DESTINATION destination;
            destination.Announced = &announced;
            destination.ByteOffset = static_cast<TW_UINT32>(at);
            destination.MinimumLength = destination.StripLength = destination.MaximumLength =
                static_cast<TW_UINT32>(stripBytes);
            const bool placed = impl.OnGetStripDestination(destination) && !(copyEvery && strip % copyEvery == 0);
            ASSERT_TRUE(!placed || destination.Length >= stripBytes);
            TW_IMAGEMEMXFER block{};
            block.Memory.TheMem = placed ? destination.Memory : own.data();
            block.Memory.Length = placed ? destination.Length : static_cast<TW_UINT32>(stripBytes);
            std::memcpy(block.Memory.TheMem, bytes.data() + at, n);
            block.BytesWritten = static_cast<TW_UINT32>(n);
            ZKTWIMAGEINFO* lastInfo = last ? new ZKTWIMAGEINFO(info) : nullptr;
            if (placed)
                impl.OnMemoryBlockInPlace(&block, last ? TRUE : FALSE, lastInfo, nullptr);
            else
                impl.OnMemoryBlock(&block, last ? TRUE : FALSE, lastInfo, nullptr);
        }
    }

    bool Logged(const std::string& text)
    {
        std::lock_guard<std::mutex> guard(m_logLock);
        for (const std::string& line : m_log)
            if (line.find(text) != std::string::npos)
                return true;
        return false;
    }

    CScannerRecorder m_recorder;
    CQXTWAINScannerImpl m_impl;
    std::mutex m_logLock;
    std::vector<std::string> m_log;
};

std::vector<BYTE> Pattern(size_t size)
{
    std::vector<BYTE> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<BYTE>(i * 7 + 3);
    return bytes;
}
} // namespace

TEST_F(TWAINStripJoinTest, StripsAreJoinedInOrderIntoBitmapRows)
{
    const ZKTWIMAGEINFO info = Bitonal(60, 50); // 8 bytes a row, bitmap rows padded to 8
    const std::vector<BYTE> rows = Pattern(8 * 50);
    Send(rows, 24, 24, info);
    const std::vector<RECORDED_SCANNER_IMAGE> images = m_recorder.Images();
    ASSERT_EQ(1u, images.size());
    EXPECT_EQ(rows, images[0].bytes);
    EXPECT_TRUE(m_recorder.Errors().empty());
}

TEST_F(TWAINStripJoinTest, AStripLongerThanThePoolBlocksIsKeptWhole)
{
    const ZKTWIMAGEINFO info = Bitonal(64, 40);
    const std::vector<BYTE> rows = Pattern(8 * 40);
    // First strips in 16-byte buffers, then the source grows its buffer.
    std::vector<BYTE> head(rows.begin(), rows.begin() + 32);
    std::vector<BYTE> small(16);
    for (size_t at = 0; at < head.size(); at += 16)
    {
        std::memcpy(small.data(), head.data() + at, 16);
        TW_IMAGEMEMXFER block{};
        block.Memory.TheMem = small.data();
        block.Memory.Length = 16;
        block.BytesWritten = 16;
        m_impl.OnMemoryBlock(&block, FALSE, nullptr, nullptr);
    }
    std::vector<BYTE> rest(rows.begin() + 32, rows.end());
    TW_IMAGEMEMXFER block{};
    block.Memory.TheMem = rest.data();
    block.Memory.Length = static_cast<TW_UINT32>(rest.size());
    block.BytesWritten = static_cast<TW_UINT32>(rest.size());
    m_impl.OnMemoryBlock(&block, TRUE, new ZKTWIMAGEINFO(info), nullptr);
    EXPECT_TRUE(Logged("Too small pool size"));
    const std::vector<RECORDED_SCANNER_IMAGE> images = m_recorder.Images();
    ASSERT_EQ(1u, images.size());
    EXPECT_EQ(rows, images[0].bytes);
}

TEST_F(TWAINStripJoinTest, CompressedStripsArePassedOnUntouched)
{
    ZKTWIMAGEINFO info = Bitonal(1000, 1000);
    info.Compression = TWCP_GROUP4;
    const std::vector<BYTE> coded = Pattern(333);
    Send(coded, 100, 100, info);
    const std::vector<RECORDED_SCANNER_IMAGE> images = m_recorder.Images();
    ASSERT_EQ(1u, images.size());
    EXPECT_EQ(coded, images[0].bytes);
    EXPECT_EQ(3, images[0].info.imageFormat.value);
}

TEST_F(TWAINStripJoinTest, AbsurdDescriptionsEndTheImageWithAnError)
{
    struct Case
    {
        const char* name;
        ZKTWIMAGEINFO info;
    };
    std::vector<Case> cases;
    cases.push_back({"zero width", Bitonal(0, 10)});
    cases.push_back({"huge width", Bitonal(1 << 30, 10)});
    ZKTWIMAGEINFO depth = Bitonal(64, 10);
    depth.BitsPerPixel = 13;
    cases.push_back({"unknown depth", depth});
    ZKTWIMAGEINFO shortRows = Bitonal(64, 10);
    shortRows.BytesPerRow = 2;
    cases.push_back({"rows shorter than the pixels", shortRows});
    ZKTWIMAGEINFO negative = Bitonal(64, -5);
    cases.push_back({"negative length", negative});
    for (const Case& c : cases)
    {
        CScannerRecorder recorder;
        CQXTWAINScannerImpl impl;
        impl.SetObserver(&recorder);
        std::vector<BYTE> bytes = Pattern(80);
        TW_IMAGEMEMXFER block{};
        block.Memory.TheMem = bytes.data();
        block.Memory.Length = 80;
        block.BytesWritten = 80;
        impl.OnMemoryBlock(&block, TRUE, new ZKTWIMAGEINFO(c.info), nullptr);
        EXPECT_TRUE(recorder.Images().empty()) << c.name;
        EXPECT_EQ(std::vector<int>{QX_SCANNER_ERROR_FAILURE}, recorder.Errors()) << c.name;
    }
}

TEST_F(TWAINStripJoinTest, StripsBeyondTheAnnouncedImageAreRefusedAndStopTheSession)
{
    const ZKTWIMAGEINFO info = Bitonal(64, 10); // 80 bytes announced
    Send(Pattern(120), 40, 40, info);
    EXPECT_TRUE(m_recorder.Images().empty());
    EXPECT_EQ(std::vector<int>{QX_SCANNER_ERROR_FAILURE}, m_recorder.Errors());
    // The session is spoilt: a good image after the error is not delivered.
    Send(Pattern(80), 40, 40, info);
    EXPECT_TRUE(m_recorder.Images().empty());
}

TEST_F(TWAINStripJoinTest, AStripClaimingMoreThanItsBufferIsRefused)
{
    std::vector<BYTE> bytes = Pattern(16);
    TW_IMAGEMEMXFER block{};
    block.Memory.TheMem = bytes.data();
    block.Memory.Length = 16;
    block.BytesWritten = 4096;
    m_impl.OnMemoryBlock(&block, TRUE, new ZKTWIMAGEINFO(Bitonal(64, 10)), nullptr);
    EXPECT_TRUE(m_recorder.Images().empty());
    EXPECT_EQ(std::vector<int>{QX_SCANNER_ERROR_FAILURE}, m_recorder.Errors());
}

TEST_F(TWAINStripJoinTest, TooFewRowsForTheAnnouncedImageIsAnError)
{
    Send(Pattern(40), 40, 40, Bitonal(64, 10));
    EXPECT_TRUE(m_recorder.Images().empty());
    EXPECT_TRUE(Logged("UncompressedToBitmap failed"));
    EXPECT_EQ(std::vector<int>{QX_SCANNER_ERROR_FAILURE}, m_recorder.Errors());
}

TEST_F(TWAINStripJoinTest, ColourRowsBecomePaddedBlueGreenRedRowsWhateverTheStripCut)
{
    ZKTWIMAGEINFO info = Bitonal(5, 3);
    info.SamplesPerPixel = 3;
    info.BitsPerPixel = 24;
    info.PixelType = TWPT_RGB;
    info.BytesPerRow = 15;
    const std::vector<BYTE> rows = Pattern(45);
    std::vector<BYTE> expected(16 * 3, 0); // rows padded to 16 bytes
    for (size_t y = 0; y < 3; ++y)
        for (size_t x = 0; x < 5; ++x)
            for (size_t c = 0; c < 3; ++c)
                expected[y * 16 + x * 3 + c] = rows[y * 15 + x * 3 + (2 - c)];
    for (size_t strip : {15u, 30u, 7u, 45u}) // whole rows, and cuts inside rows
    {
        CScannerRecorder recorder;
        CQXTWAINScannerImpl impl;
        impl.SetObserver(&recorder);
        std::vector<BYTE> buffer(strip);
        for (size_t at = 0; at < rows.size(); at += strip)
        {
            const size_t n = std::min(strip, rows.size() - at);
            std::memcpy(buffer.data(), rows.data() + at, n);
            TW_IMAGEMEMXFER block{};
            block.Memory.TheMem = buffer.data();
            block.Memory.Length = static_cast<TW_UINT32>(strip);
            block.BytesWritten = static_cast<TW_UINT32>(n);
            const bool last = at + strip >= rows.size();
            impl.OnMemoryBlock(&block, last ? TRUE : FALSE,
                               last ? new ZKTWIMAGEINFO(info) : nullptr, nullptr);
        }
        const std::vector<RECORDED_SCANNER_IMAGE> images = recorder.Images();
        ASSERT_EQ(1u, images.size()) << "strips of " << strip;
        EXPECT_EQ(expected, images[0].bytes) << "strips of " << strip;
        EXPECT_EQ(3, images[0].info.imageType.value);
    }
}

TEST_F(TWAINStripJoinTest, StripsWrittenInPlaceMakeTheSameImagesAsCopiedOnes)
{
    ZKTWIMAGEINFO colour = Bitonal(5, 3);
    colour.SamplesPerPixel = 3;
    colour.BitsPerPixel = 24;
    colour.PixelType = TWPT_RGB;
    colour.BytesPerRow = 15;
    ZKTWIMAGEINFO coded = Bitonal(1000, 1000);
    coded.Compression = TWCP_GROUP4;
    struct Case
    {
        const char* name;
        ZKTWIMAGEINFO info;
        size_t bytes;
    };
    const Case cases[] = {{"bitonal", Bitonal(60, 50), 8 * 50}, {"colour", colour, 45}, {"G4", coded, 333}};
    for (const Case& c : cases)
    {
        const std::vector<BYTE> bytes = Pattern(c.bytes);
        CScannerRecorder copiedRecorder;
        CQXTWAINScannerImpl copied;
        copied.SetObserver(&copiedRecorder);
        for (size_t strip : {15u, 7u, 45u})
            SendInPlace(copied, bytes, strip, c.info, 1); // every strip copied
        CScannerRecorder placedRecorder;
        CQXTWAINScannerImpl placed;
        placed.SetObserver(&placedRecorder);
        // Whole rows, cuts inside rows, one strip, and placed and copied
        // strips mixed; one page block serves them all in turn.
        for (size_t strip : {15u, 7u, 45u})
            SendInPlace(placed, bytes, strip, c.info, strip == 7 ? 3 : 0);
        const std::vector<RECORDED_SCANNER_IMAGE> expected = copiedRecorder.Images();
        const std::vector<RECORDED_SCANNER_IMAGE> images = placedRecorder.Images();
        ASSERT_EQ(3u, expected.size()) << c.name;
        ASSERT_EQ(3u, images.size()) << c.name;
        for (size_t i = 0; i < images.size(); ++i)
        {
            EXPECT_EQ(expected[i].bytes, images[i].bytes) << c.name << " image " << i;
            EXPECT_EQ(expected[i].info.imageFormat.value, images[i].info.imageFormat.value) << c.name;
        }
        EXPECT_TRUE(placedRecorder.Errors().empty()) << c.name;
    }
}

TEST_F(TWAINStripJoinTest, APlacedStripOutsideItsBlockIsAnError)
{
    const ZKTWIMAGEINFO info = Bitonal(64, 10);
    struct Case
    {
        const char* name;
        ptrdiff_t shift;     // of the block pointer from the block named
        TW_UINT32 tooMany;   // bytes claimed beyond the block
    };
    for (const Case& c : {Case{"elsewhere", 8, 0}, Case{"past its end", 0, 1}})
    {
        CScannerRecorder recorder;
        CQXTWAINScannerImpl impl;
        impl.SetObserver(&recorder);
        ZKTW_STRIP_DESTINATION destination;
        destination.Announced = &info;
        destination.MinimumLength = destination.StripLength = destination.MaximumLength = 80;
        ASSERT_TRUE(impl.OnGetStripDestination(destination)) << c.name;
        TW_IMAGEMEMXFER block{};
        block.Memory.TheMem = static_cast<BYTE*>(destination.Memory) + c.shift;
        block.Memory.Length = destination.Length;
        block.BytesWritten = c.shift ? 8 : destination.Length + c.tooMany;
        impl.OnMemoryBlockInPlace(&block, TRUE, new ZKTWIMAGEINFO(info), nullptr);
        EXPECT_TRUE(recorder.Images().empty()) << c.name;
        EXPECT_EQ(std::vector<int>{QX_SCANNER_ERROR_FAILURE}, recorder.Errors()) << c.name;
    }
}

TEST_F(TWAINStripJoinTest, NoBlockForAStripThatDoesNotFollowTheImageReceived)
{
    const ZKTWIMAGEINFO info = Bitonal(64, 10);
    ZKTW_STRIP_DESTINATION destination;
    destination.Announced = &info;
    destination.ByteOffset = 40; // nothing received yet
    destination.MinimumLength = destination.StripLength = destination.MaximumLength = 40;
    EXPECT_FALSE(m_impl.OnGetStripDestination(destination));
    // An image begun in the pool stays there.
    std::vector<BYTE> bytes = Pattern(40);
    TW_IMAGEMEMXFER block{};
    block.Memory.TheMem = bytes.data();
    block.Memory.Length = 40;
    block.BytesWritten = 40;
    m_impl.OnMemoryBlock(&block, FALSE, nullptr, nullptr);
    EXPECT_FALSE(m_impl.OnGetStripDestination(destination));
}
