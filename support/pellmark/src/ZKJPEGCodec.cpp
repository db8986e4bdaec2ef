#include "ZKJPEGCodec.h"

#include "ZKImagingLog.h"

#include <pellmark/ZKBitmapHandle.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include <jpeglib.h>

// Everything between setjmp and a library call that may jump back is plain C
// data: the jump must not skip a destructor.
namespace
{
struct ErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnError(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings mean damaged data (a premature end, a bad Huffman code): the
// decoder would patch the gap with grey, we refuse the image instead.
void OnMessage(j_common_ptr cinfo, int level)
{
    if (level < 0)
        OnError(cinfo);
}

void OnOutput(j_common_ptr) {}

void InstallErrorManager(ErrorManager& err)
{
    jpeg_std_error(&err.pub);
    err.pub.error_exit = &OnError;
    err.pub.emit_message = &OnMessage;
    err.pub.output_message = &OnOutput;
    err.message[0] = '\0';
}

struct Decoder
{
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    bool created = false;
    ~Decoder()
    {
        if (created)
            jpeg_destroy_decompress(&cinfo);
    }
};

struct Encoder
{
    jpeg_compress_struct cinfo;
    ErrorManager err;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    bool created = false;
    ~Encoder()
    {
        if (created)
            jpeg_destroy_compress(&cinfo);
        std::free(buffer);
    }
};

LONG DotsPerInch(UINT8 unit, UINT16 density)
{
    if (unit == 1)
        return density;
    if (unit == 2)
        return LONG(density * 2.54 + 0.5);
    return 0;
}

bool DecodeGuarded(Decoder& d, const uint8_t* data, size_t size, int scale, CZKBitmapHandle& image)
{
    if (setjmp(d.err.jump))
        return false;
    jpeg_create_decompress(&d.cinfo);
    d.created = true;
    jpeg_mem_src(&d.cinfo, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&d.cinfo, TRUE) != JPEG_HEADER_OK)
        return false;
    const bool grey = d.cinfo.jpeg_color_space == JCS_GRAYSCALE;
    if (!grey && d.cinfo.jpeg_color_space != JCS_YCbCr && d.cinfo.jpeg_color_space != JCS_RGB)
    {
        std::strcpy(d.err.message, "unsupported JPEG colour space");
        return false;
    }
    d.cinfo.out_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGR;
    d.cinfo.scale_num = 1;
    d.cinfo.scale_denom = static_cast<unsigned>(scale);
    jpeg_start_decompress(&d.cinfo);
    if (!SZKJPEGCodec::CreateTarget(image, long(d.cinfo.output_width), long(d.cinfo.output_height), grey ? 8 : 24))
    {
        std::strcpy(d.err.message, "image too large");
        return false;
    }
    BYTE* pixels = image.GetPtr();
    const DWORD stride = image.GetBytesPerLine();
    while (d.cinfo.output_scanline < d.cinfo.output_height)
    {
        JSAMPROW row = pixels + size_t(d.cinfo.output_scanline) * stride;
        if (jpeg_read_scanlines(&d.cinfo, &row, 1) != 1)
            return false;
    }
    jpeg_finish_decompress(&d.cinfo);
    image.SetResolution(DotsPerInch(d.cinfo.density_unit, d.cinfo.X_density) / scale,
                        DotsPerInch(d.cinfo.density_unit, d.cinfo.Y_density) / scale);
    return true;
}

bool IsGreyRamp(const CZKBitmapHandle& bitmap)
{
    ZK_RGBQUAD palette[256];
    if (bitmap.GetBitsPerPixel() != 8 || !bitmap.GetPalette(0, 256, palette))
        return false;
    for (int i = 0; i < 256; ++i)
        if (palette[i].rgbRed != i || palette[i].rgbGreen != i || palette[i].rgbBlue != i)
            return false;
    return true;
}

UINT16 Density(LONG dpi)
{
    return UINT16(dpi < 0 ? 0 : (dpi > 65535 ? 65535 : dpi));
}

bool EncodeGuarded(Encoder& e, const CZKBitmapHandle& bitmap, int quality)
{
    if (setjmp(e.err.jump))
        return false;
    jpeg_create_compress(&e.cinfo);
    e.created = true;
    jpeg_mem_dest(&e.cinfo, &e.buffer, &e.size);
    const bool grey = bitmap.GetBitsPerPixel() == 8;
    e.cinfo.image_width = JDIMENSION(bitmap.GetWidth());
    e.cinfo.image_height = JDIMENSION(bitmap.GetHeight());
    e.cinfo.input_components = grey ? 1 : 3;
    e.cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGR;
    jpeg_set_defaults(&e.cinfo);
    jpeg_set_quality(&e.cinfo, quality, TRUE);
    e.cinfo.density_unit = 1;
    e.cinfo.X_density = Density(bitmap.GetXResolution());
    e.cinfo.Y_density = Density(bitmap.GetYResolution());
    jpeg_start_compress(&e.cinfo, TRUE);
    const BYTE* pixels = bitmap.GetPtr();
    const DWORD stride = bitmap.GetBytesPerLine();
    while (e.cinfo.next_scanline < e.cinfo.image_height)
    {
        // The library only reads the rows it is handed.
        JSAMPROW row = const_cast<BYTE*>(pixels + size_t(e.cinfo.next_scanline) * stride);
        jpeg_write_scanlines(&e.cinfo, &row, 1);
    }
    jpeg_finish_compress(&e.cinfo);
    return true;
}
} // namespace

bool SZKJPEGCodec::CreateTarget(CZKBitmapHandle& image, long width, long height, int bitsPerPixel)
{
    if (width > CZKBitmapHandle::kMaxDimension || height > CZKBitmapHandle::kMaxDimension)
        return false;
    return image.CreateForOverwrite(LONG(width), LONG(height), bitsPerPixel) != FALSE;
}

bool SZKJPEGCodec::Decode(const uint8_t* data, size_t size, int scale, CZKBitmapHandle& out, std::string& error)
{
    if (!data || size == 0 || size > std::numeric_limits<unsigned long>::max() || !IsDCTScale(scale))
    {
        error = "no JPEG data or a bad scale";
        return false;
    }
    Decoder d;
    InstallErrorManager(d.err);
    d.cinfo.err = &d.err.pub;
    CZKBitmapHandle image;
    if (!DecodeGuarded(d, data, size, scale, image))
    {
        error = std::string("libjpeg: ") + (d.err.message[0] ? d.err.message : "decoding failed");
        SZKImagingLog::Log(error);
        return false;
    }
    return out.Attach(image) != FALSE;
}

bool SZKJPEGCodec::Encode(const CZKBitmapHandle& bitmap, int quality, std::vector<uint8_t>& out, std::string& error)
{
    if (bitmap.IsEmpty() || (bitmap.GetBitsPerPixel() != 24 && !IsGreyRamp(bitmap)) || quality < 1 || quality > 100)
    {
        error = "JPEG needs a 24-bit or grey 8-bit bitmap and a quality of 1 to 100";
        return false;
    }
    Encoder e;
    InstallErrorManager(e.err);
    e.cinfo.err = &e.err.pub;
    if (!EncodeGuarded(e, bitmap, quality))
    {
        error = std::string("libjpeg: ") + (e.err.message[0] ? e.err.message : "encoding failed");
        SZKImagingLog::Log(error);
        return false;
    }
    out.assign(e.buffer, e.buffer + e.size);
    return true;
}
