#include "QXScanPngWriter.h"

#include "QXScanRasterView.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

namespace
{
constexpr int kFormatRaw = 1;
constexpr double kMetresPerInch = 0.0254;

struct FILE_CLOSER
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// libpng reports errors by longjmp; the message is kept for the caller.
void OnPngError(png_structp png, png_const_charp message)
{
    auto* error = static_cast<std::string*>(png_get_error_ptr(png));
    if (error)
        *error = message;
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

int ColourType(int bitsPerPixel)
{
    return bitsPerPixel == 24 ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_GRAY;
}

// PNG's 1-bit grey has 0 for black; the scanner's rows may mean white.
void InvertBits(std::vector<BYTE>& row)
{
    for (BYTE& byte : row)
        byte = static_cast<BYTE>(~byte);
}

// Everything that touches libpng runs here, with no C++ object whose
// destructor a longjmp could skip.
bool WriteRows(png_structp png, png_infop info, std::FILE* file,
               const QX_SCANNER_IMAGE_INFO& record, CQXScanRasterView& raster,
               std::vector<BYTE>& row)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_init_io(png, file);
    const int depth = record.BitsPerPixel == 1 ? 1 : 8;
    png_set_IHDR(png, info, static_cast<png_uint_32>(record.ImageWidth),
                 static_cast<png_uint_32>(record.ImageLength), depth,
                 ColourType(record.BitsPerPixel), PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(png, info, static_cast<png_uint_32>(record.XResolution / kMetresPerInch + 0.5),
                 static_cast<png_uint_32>(record.YResolution / kMetresPerInch + 0.5),
                 PNG_RESOLUTION_METER);
    png_write_info(png, info);
    const bool invert = record.BitsPerPixel == 1 && raster.ZeroIsWhite();
    for (size_t y = 0; y < raster.Rows(); ++y)
    {
        const BYTE* bytes = raster.Row(y);
        row.assign(bytes, bytes + row.size());
        if (invert)
            InvertBits(row);
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    return true;
}
} // namespace

bool CQXScanPngWriter::Write(const QXSCAN_IMAGE& image, const std::string& path, std::string& error)
{
    const QX_SCANNER_IMAGE_INFO& record = image.info;
    if (record.imageFormat.value != kFormatRaw)
    {
        error = "the scanner sent coded data, which --format png does not decode";
        return false;
    }
    const int bits = record.BitsPerPixel;
    if (bits != 1 && bits != 8 && bits != 24)
    {
        error = "--format png takes 1, 8 or 24 bits per pixel, not " + std::to_string(bits);
        return false;
    }
    CQXScanRasterView raster;
    if (!raster.Attach(image, error))
        return false;
    std::unique_ptr<std::FILE, FILE_CLOSER> file(std::fopen(path.c_str(), "wb"));
    if (!file)
    {
        error = "cannot create " + path;
        return false;
    }
    std::string pngError;
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &pngError, OnPngError, OnPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<BYTE> row((static_cast<size_t>(record.ImageWidth) * bits + 7) / 8);
    const bool written = info && WriteRows(png, info, file.get(), record, raster, row);
    png_destroy_write_struct(&png, &info);
    if (!written || std::fflush(file.get()) != 0)
    {
        error = "cannot write " + path + (pngError.empty() ? "" : ": " + pngError);
        return false;
    }
    return true;
}
