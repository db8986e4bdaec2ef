// What `qxscan scan` leaves in the output folder: the image files, readable
// by standard TIFF and JPEG readers, and an index line for every image.
#include "IndexFile.h"
#include "PrivateSystemFolder.h"
#include "ToolRun.h"

#include <nlohmann/json.hpp>
#include <tiffio.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>

namespace
{
struct TIFF_PAGE
{
    uint32_t width = 0;
    uint32_t height = 0;
    uint16_t compression = 0;
    std::vector<uint32_t> rgba; // as every reader sees it, whatever the coding
};

std::vector<TIFF_PAGE> ReadTiff(const std::string& path)
{
    std::vector<TIFF_PAGE> pages;
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    if (!tiff)
        return pages;
    do
    {
        TIFF_PAGE page;
        TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &page.width);
        TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &page.height);
        TIFFGetField(tiff, TIFFTAG_COMPRESSION, &page.compression);
        page.rgba.resize(static_cast<size_t>(page.width) * page.height);
        if (!TIFFReadRGBAImageOriented(tiff, page.width, page.height, page.rgba.data(),
                                       ORIENTATION_TOPLEFT, 0))
            page.rgba.clear();
        pages.push_back(std::move(page));
    } while (TIFFReadDirectory(tiff));
    TIFFClose(tiff);
    return pages;
}

TOOL_RESULT Scan(const std::string& out, std::vector<std::string> extra)
{
    std::vector<std::string> args = {"scan", kProductionScanner, "--out", out};
    args.insert(args.end(), extra.begin(), extra.end());
    return CToolRun::Run(args);
}
} // namespace

TEST(ScanOutputTest, MultipageG4WritesOneFilePerSheetMatchingItsIndex)
{
    CTempFolder out;
    const TOOL_RESULT result =
        Scan(out.Path(), {"--pages", "10", "--duplex", "--format", "tiff-g4", "--multipage"});
    ASSERT_EQ(0, result.exitCode) << result.err;
    EXPECT_NE(std::string::npos, result.out.find("done: 10 pages in 5 files"));

    const std::vector<nlohmann::json> index = CIndexFile::Read(out.Path());
    ASSERT_EQ(10u, index.size());
    std::map<std::string, std::vector<TIFF_PAGE>> files;
    for (size_t i = 0; i < index.size(); ++i)
    {
        const nlohmann::json& line = index[i];
        const int sheet = static_cast<int>(i / 2 + 1);
        EXPECT_EQ(static_cast<int>(i + 1), line["image"]);
        EXPECT_EQ(i % 2 ? "back" : "front", line["side"]);
        EXPECT_EQ("g4", line["format"]);
        EXPECT_EQ(sheet, line["tags"]["document"]);
        EXPECT_EQ(static_cast<int>(i % 2), line["tags"]["backSide"]);
        const std::string file = line["file"];
        if (!files.count(file))
            files[file] = ReadTiff(out.Path() + "/" + file);
        const std::vector<TIFF_PAGE>& pages = files[file];
        const int page = line["pageInFile"];
        ASSERT_LT(page, static_cast<int>(pages.size())) << file;
        EXPECT_EQ(COMPRESSION_CCITTFAX4, pages[page].compression);
        EXPECT_EQ(line["width"], pages[page].width);
        EXPECT_EQ(line["height"], pages[page].height);
        EXPECT_FALSE(pages[page].rgba.empty()) << file << " page " << page << " does not decode";
    }
    EXPECT_EQ(5u, files.size());
    for (const auto& file : files)
        EXPECT_EQ(2u, file.second.size()) << file.first;
}

TEST(ScanOutputTest, PassedThroughG4ShowsTheSamePixelsAsUncompressedPages)
{
    CTempFolder coded;
    CTempFolder plain;
    ASSERT_EQ(0, Scan(coded.Path(), {"--pages", "2", "--duplex", "--format", "tiff-g4"}).exitCode);
    ASSERT_EQ(0, Scan(plain.Path(), {"--pages", "2", "--duplex", "--format", "tiff"}).exitCode);
    for (const char* name : {"image0001.tif", "image0002.tif"})
    {
        const std::vector<TIFF_PAGE> g4 = ReadTiff(coded.Path() + "/" + name);
        const std::vector<TIFF_PAGE> raw = ReadTiff(plain.Path() + "/" + name);
        ASSERT_EQ(1u, g4.size()) << name;
        ASSERT_EQ(1u, raw.size()) << name;
        EXPECT_EQ(COMPRESSION_CCITTFAX4, g4[0].compression);
        EXPECT_EQ(COMPRESSION_NONE, raw[0].compression);
        ASSERT_FALSE(g4[0].rgba.empty());
        // Same sheet, same side: same page, and neither is inverted.
        EXPECT_TRUE(g4[0].rgba == raw[0].rgba) << name;
    }
    EXPECT_EQ("g4", CIndexFile::Read(coded.Path())[0]["format"]);
    EXPECT_EQ("raw", CIndexFile::Read(plain.Path())[0]["format"]);
}

TEST(ScanOutputTest, GreyAndColourPagesAsJpegAndUncompressedTiff)
{
    CTempFolder jpeg;
    ASSERT_EQ(0, Scan(jpeg.Path(), {"--pages", "1", "--mode", "color", "--format", "jpeg"}).exitCode);
    std::ifstream in(jpeg.Path() + "/image0001.jpg", std::ios::binary);
    unsigned char marker[3] = {};
    in.read(reinterpret_cast<char*>(marker), 3);
    EXPECT_EQ(0xFF, marker[0]);
    EXPECT_EQ(0xD8, marker[1]);
    EXPECT_EQ(0xFF, marker[2]);
    EXPECT_EQ("jpeg", CIndexFile::Read(jpeg.Path())[0]["format"]);

    CTempFolder grey;
    ASSERT_EQ(0, Scan(grey.Path(), {"--pages", "1", "--mode", "gray", "--dpi", "100", "--format", "tiff"})
                     .exitCode);
    const std::vector<TIFF_PAGE> pages = ReadTiff(grey.Path() + "/image0001.tif");
    ASSERT_EQ(1u, pages.size());
    EXPECT_FALSE(pages[0].rgba.empty());
    EXPECT_EQ(100.0, CIndexFile::Read(grey.Path())[0]["xResolution"]);
    EXPECT_EQ(8, CIndexFile::Read(grey.Path())[0]["bitsPerPixel"]);
}

TEST(ScanOutputTest, NativeBitmapsGiveTheSamePagesAsMemoryTransfers)
{
    // Native images come bottom-up with a palette, memory ones top-down:
    // the files must not show the difference.
    for (const char* mode : {"bw", "gray", "color"})
    {
        CTempFolder native;
        CTempFolder memory;
        ASSERT_EQ(0, Scan(native.Path(), {"--pages", "1", "--mode", mode, "--format", "tiff",
                                          "--transfer", "native"})
                         .exitCode)
            << mode;
        ASSERT_EQ(0, Scan(memory.Path(), {"--pages", "1", "--mode", mode, "--format", "tiff"}).exitCode)
            << mode;
        const std::vector<TIFF_PAGE> fromNative = ReadTiff(native.Path() + "/image0001.tif");
        const std::vector<TIFF_PAGE> fromMemory = ReadTiff(memory.Path() + "/image0001.tif");
        ASSERT_EQ(1u, fromNative.size()) << mode;
        ASSERT_EQ(1u, fromMemory.size()) << mode;
        ASSERT_FALSE(fromNative[0].rgba.empty()) << mode;
        EXPECT_TRUE(fromNative[0].rgba == fromMemory[0].rgba) << mode;
    }
}

TEST(ScanOutputTest, FilesTheScannerWritesItselfAreIndexedLikeImagesInMemory)
{
    // A scanner that reports counters, imprint and image address per image.
    const char* const scanner = "twain:Vantrel PX530";
    CTempFolder file;
    CTempFolder memory;
    const std::vector<std::string> pages = {"scan", scanner, "--pages", "4", "--duplex", "--out"};
    std::vector<std::string> byFile = pages;
    byFile.insert(byFile.end(), {file.Path(), "--transfer", "file"});
    std::vector<std::string> byMemory = pages;
    byMemory.push_back(memory.Path());
    ASSERT_EQ(0, CToolRun::Run(byFile).exitCode);
    ASSERT_EQ(0, CToolRun::Run(byMemory).exitCode);
    const std::vector<nlohmann::json> fromFile = CIndexFile::Read(file.Path());
    const std::vector<nlohmann::json> fromMemory = CIndexFile::Read(memory.Path());
    ASSERT_EQ(4u, fromFile.size());
    ASSERT_EQ(fromMemory.size(), fromFile.size());
    for (size_t i = 0; i < fromFile.size(); ++i)
    {
        const std::string name = fromFile[i]["file"];
        EXPECT_EQ(1u, ReadTiff(file.Path() + "/" + name).size()) << name;
        for (const char* key : {"side", "width", "height", "bitsPerPixel", "xResolution", "format", "tags"})
            EXPECT_EQ(fromMemory[i][key], fromFile[i][key]) << name << " " << key;
        EXPECT_GT(fromFile[i]["bytes"].get<size_t>(), 0u) << name;
    }
    EXPECT_FALSE(fromFile[0]["tags"]["imprintedText"].is_null());
    EXPECT_FALSE(fromFile[0]["tags"]["imageAddress"].is_null());
}

TEST(ScanOutputTest, PagesStopsAnIsisScanAfterThatManyImages)
{
    // The duplex driver feeds five sheets, two images each: a count ending
    // mid-sheet leaves out the sheet's back, as a TWAIN source would.
    for (int pages : {3, 4})
    {
        CTempFolder out;
        const TOOL_RESULT result = CToolRun::Run({"scan", "isis:ZK Virtual Duplex 60", "--pages",
                                                  std::to_string(pages), "--out", out.Path()});
        ASSERT_EQ(0, result.exitCode) << pages << ": " << result.err;
        EXPECT_EQ("", result.err);
        EXPECT_NE(std::string::npos,
                  result.out.find("done: " + std::to_string(pages) + " pages in " + std::to_string(pages) + " files"))
            << result.out;
        const std::vector<nlohmann::json> index = CIndexFile::Read(out.Path());
        ASSERT_EQ(static_cast<size_t>(pages), index.size());
        for (size_t i = 0; i < index.size(); ++i)
            EXPECT_EQ(static_cast<int>(i + 1), index[i]["image"]);
    }
}
