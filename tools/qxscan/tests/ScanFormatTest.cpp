// PNG and PDF output: PNG pages decode to the same pixels as uncompressed
// TIFF pages; PDF pages carry the scanner's G4 and JPEG data unchanged,
// with the filter, size and sense a reader needs to draw them.
#include "IndexFile.h"
#include "PrivateSystemFolder.h"
#include "ToolRun.h"

#include <nlohmann/json.hpp>
#include <png.h>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <tiffio.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace
{
TOOL_RESULT Scan(const std::string& out, std::vector<std::string> extra)
{
    std::vector<std::string> args = {"scan", kProductionScanner, "--out", out};
    args.insert(args.end(), extra.begin(), extra.end());
    return CToolRun::Run(args);
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// R,G,B per pixel, top row first.
struct RGB_PAGE
{
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> rgb;
};

RGB_PAGE ReadTiffRgb(const std::string& path)
{
    RGB_PAGE page;
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    if (!tiff)
        return page;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &page.width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &page.height);
    std::vector<uint32_t> rgba(static_cast<size_t>(page.width) * page.height);
    if (TIFFReadRGBAImageOriented(tiff, page.width, page.height, rgba.data(), ORIENTATION_TOPLEFT,
                                  0))
        for (uint32_t pixel : rgba)
            page.rgb.insert(page.rgb.end(), {static_cast<uint8_t>(TIFFGetR(pixel)),
                                             static_cast<uint8_t>(TIFFGetG(pixel)),
                                             static_cast<uint8_t>(TIFFGetB(pixel))});
    TIFFClose(tiff);
    return page;
}

RGB_PAGE ReadPngRgb(const std::string& path)
{
    RGB_PAGE page;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return page;
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
    {
        page.width = image.width;
        page.height = image.height;
        page.rgb = std::move(pixels);
    }
    png_image_free(&image);
    return page;
}

// The G4 strip of a one-page TIFF, as the scanner coded it.
std::string RawStrip(const std::string& path)
{
    std::string bytes;
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    if (!tiff)
        return bytes;
    bytes.resize(static_cast<size_t>(TIFFRawStripSize(tiff, 0)));
    if (TIFFReadRawStrip(tiff, 0, bytes.data(), static_cast<tmsize_t>(bytes.size())) < 0)
        bytes.clear();
    TIFFClose(tiff);
    return bytes;
}

// What a test needs of one image XObject, read while its QPDF lives.
struct PDF_IMAGE
{
    std::string filter; // "" when the stream is stored plain
    std::string colourSpace;
    long long width = 0;
    long long height = 0;
    long long bitsPerComponent = 0;
    long long k = 0; // CCITT parameters
    long long columns = 0;
    long long rows = 0;
    bool inverted = false; // a /Decode array is present
    std::string raw;       // the stream bytes as stored
    std::string decoded;   // lossless streams: the bytes after their filter
};

long long IntegerKey(QPDFObjectHandle dict, const char* key)
{
    return dict.hasKey(key) ? dict.getKey(key).getIntValue() : 0;
}

std::string Bytes(const std::shared_ptr<Buffer>& buffer)
{
    return std::string(reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize());
}

PDF_IMAGE Describe(QPDFObjectHandle stream)
{
    QPDFObjectHandle dict = stream.getDict();
    PDF_IMAGE image;
    image.filter = dict.hasKey("/Filter") ? dict.getKey("/Filter").getName() : "";
    image.colourSpace = dict.getKey("/ColorSpace").getName();
    image.width = IntegerKey(dict, "/Width");
    image.height = IntegerKey(dict, "/Height");
    image.bitsPerComponent = IntegerKey(dict, "/BitsPerComponent");
    image.inverted = dict.hasKey("/Decode");
    if (dict.hasKey("/DecodeParms"))
    {
        QPDFObjectHandle parms = dict.getKey("/DecodeParms");
        image.k = IntegerKey(parms, "/K");
        image.columns = IntegerKey(parms, "/Columns");
        image.rows = IntegerKey(parms, "/Rows");
    }
    image.raw = Bytes(stream.getRawStreamData());
    if (image.filter.empty() || image.filter == "/FlateDecode")
        image.decoded = Bytes(stream.getStreamData(qpdf_dl_generalized));
    return image;
}

std::vector<PDF_IMAGE> PdfImages(const std::string& path)
{
    std::vector<PDF_IMAGE> images;
    QPDF pdf;
    pdf.processFile(path.c_str());
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages())
        for (const auto& image : page.getImages())
            images.push_back(Describe(image.second));
    return images;
}
} // namespace

TEST(ScanFormatTest, PngPagesShowTheSamePixelsAsUncompressedTiff)
{
    for (const char* mode : {"bw", "gray", "color"})
    {
        CTempFolder png;
        CTempFolder tiff;
        ASSERT_EQ(0, Scan(png.Path(), {"--pages", "1", "--mode", mode, "--format", "png"}).exitCode)
            << mode;
        ASSERT_EQ(0,
                  Scan(tiff.Path(), {"--pages", "1", "--mode", mode, "--format", "tiff"}).exitCode)
            << mode;
        const std::vector<nlohmann::json> index = CIndexFile::Read(png.Path());
        ASSERT_EQ(1u, index.size()) << mode;
        EXPECT_EQ("image0001.png", index[0]["file"]);
        const RGB_PAGE fromPng = ReadPngRgb(png.Path() + "/image0001.png");
        const RGB_PAGE fromTiff = ReadTiffRgb(tiff.Path() + "/image0001.tif");
        ASSERT_FALSE(fromPng.rgb.empty()) << mode;
        EXPECT_EQ(index[0]["width"], fromPng.width) << mode;
        EXPECT_EQ(index[0]["height"], fromPng.height) << mode;
        EXPECT_TRUE(fromPng.rgb == fromTiff.rgb) << mode;
    }
}

TEST(ScanFormatTest, MultipagePdfHoldsTheScannersG4StreamsUnchanged)
{
    CTempFolder pdf;
    CTempFolder g4;
    ASSERT_EQ(
        0,
        Scan(pdf.Path(), {"--pages", "4", "--duplex", "--format", "pdf", "--multipage"}).exitCode);
    ASSERT_EQ(0, Scan(g4.Path(), {"--pages", "4", "--duplex", "--format", "tiff-g4"}).exitCode);
    const std::vector<nlohmann::json> index = CIndexFile::Read(pdf.Path());
    ASSERT_EQ(4u, index.size());
    for (size_t i = 0; i < index.size(); ++i)
    {
        const std::string file = index[i]["file"];
        EXPECT_EQ(i < 2 ? "document0001.pdf" : "document0002.pdf", file);
        const std::vector<PDF_IMAGE> images = PdfImages(pdf.Path() + "/" + file);
        ASSERT_EQ(2u, images.size()) << file;
        const PDF_IMAGE& image = images[index[i]["pageInFile"].get<size_t>()];
        EXPECT_EQ("/CCITTFaxDecode", image.filter);
        EXPECT_EQ("/DeviceGray", image.colourSpace);
        EXPECT_EQ(index[i]["width"], image.width);
        EXPECT_EQ(index[i]["height"], image.height);
        EXPECT_EQ(1, image.bitsPerComponent);
        EXPECT_EQ(-1, image.k);
        EXPECT_EQ(index[i]["width"], image.columns);
        EXPECT_EQ(index[i]["height"], image.rows);
        // The G4 file of the same image holds the bytes the scanner sent.
        char name[32];
        std::snprintf(name, sizeof(name), "/image%04zu.tif", i + 1);
        const std::string strip = RawStrip(g4.Path() + name);
        ASSERT_FALSE(strip.empty());
        EXPECT_EQ(index[i]["bytes"], image.raw.size());
        EXPECT_TRUE(strip == image.raw) << file << " page " << index[i]["pageInFile"];
    }
}

TEST(ScanFormatTest, PdfOfColourPagesHoldsTheScannersJpegUnchanged)
{
    CTempFolder pdf;
    CTempFolder jpeg;
    ASSERT_EQ(0, Scan(pdf.Path(), {"--pages", "2", "--mode", "color", "--format", "pdf"}).exitCode);
    ASSERT_EQ(0,
              Scan(jpeg.Path(), {"--pages", "2", "--mode", "color", "--format", "jpeg"}).exitCode);
    for (const char* number : {"0001", "0002"})
    {
        const std::vector<PDF_IMAGE> images = PdfImages(pdf.Path() + "/image" + number + ".pdf");
        ASSERT_EQ(1u, images.size()) << number;
        EXPECT_EQ("/DCTDecode", images[0].filter);
        EXPECT_EQ("/DeviceRGB", images[0].colourSpace);
        EXPECT_TRUE(FileBytes(jpeg.Path() + "/image" + number + ".jpg") == images[0].raw) << number;
    }
}

TEST(ScanFormatTest, PdfOfUncodedBitonalRowsDrawsBlackWhereTheTiffIsBlack)
{
    // Native transfers are never coded: the PDF packs the bitmap's rows,
    // compressed losslessly.
    CTempFolder pdf;
    CTempFolder tiff;
    ASSERT_EQ(
        0, Scan(pdf.Path(), {"--pages", "1", "--transfer", "native", "--format", "pdf"}).exitCode);
    ASSERT_EQ(0, Scan(tiff.Path(), {"--pages", "1", "--mode", "bw", "--format", "tiff"}).exitCode);
    const std::vector<PDF_IMAGE> images = PdfImages(pdf.Path() + "/image0001.pdf");
    ASSERT_EQ(1u, images.size());
    const PDF_IMAGE& image = images[0];
    ASSERT_EQ("/FlateDecode", image.filter);
    const RGB_PAGE page = ReadTiffRgb(tiff.Path() + "/image0001.tif");
    ASSERT_EQ(page.width, image.width);
    ASSERT_EQ(page.height, image.height);
    const size_t rowBytes = (page.width + 7) / 8;
    ASSERT_EQ(rowBytes * page.height, image.decoded.size());
    // Without a decode array a 0 bit is black; [1 0] turns that round.
    const bool oneIsBlack = image.inverted;
    size_t black = 0;
    size_t mismatches = 0;
    for (uint32_t y = 0; y < page.height; ++y)
        for (uint32_t x = 0; x < page.width; ++x)
        {
            const uint8_t byte = static_cast<uint8_t>(image.decoded[y * rowBytes + x / 8]);
            const bool bit = (byte >> (7 - x % 8)) & 1;
            const bool pdfBlack = bit == oneIsBlack;
            const bool tiffBlack = page.rgb[(static_cast<size_t>(y) * page.width + x) * 3] == 0;
            black += tiffBlack;
            mismatches += pdfBlack != tiffBlack;
        }
    EXPECT_GT(black, 0u);
    EXPECT_EQ(0u, mismatches);
}

TEST(ScanFormatTest, APaperJamStillLeavesEveryReceivedPageInACompletePdf)
{
    // PDF documents are held until they end: a fault must not lose them.
    CPrivateSystemFolder folder("[Faults]\nPaperJam = 3");
    CTempFolder out;
    const TOOL_RESULT result =
        CToolRun::Run({"--system", folder.Path(), "scan", kProductionScanner, "--duplex",
                       "--format", "pdf", "--multipage", "--out", out.Path()});
    EXPECT_EQ(4, result.exitCode) << result.err;
    const std::vector<nlohmann::json> index = CIndexFile::Read(out.Path());
    ASSERT_EQ(4u, index.size());
    size_t pages = 0;
    for (const char* file : {"document0001.pdf", "document0002.pdf"})
        pages += PdfImages(out.Path() + "/" + file).size();
    EXPECT_EQ(index.size(), pages);
}
