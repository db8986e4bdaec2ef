// The byte stream behind an in-memory TIFF handle. Reading presents a small
// header block followed by the caller's data as one virtual file, so raw coded
// data is never copied into a wrapper; writing appends to a vector.
#pragma once

#include <tiffio.h>

#include <cstddef>
#include <cstdint>
#include <vector>

class CZKTIFFMemoryStream
{
public:
    // Read mode: the virtual file is prefix followed by data[0..size).
    CZKTIFFMemoryStream(std::vector<uint8_t> prefix, const uint8_t* data, size_t size);
    // Write mode: everything written lands in Written().
    CZKTIFFMemoryStream();

    const std::vector<uint8_t>& Written() const { return m_written; }

    static tmsize_t ReadProc(thandle_t h, void* buf, tmsize_t size);
    static tmsize_t WriteProc(thandle_t h, void* buf, tmsize_t size);
    static toff_t SeekProc(thandle_t h, toff_t offset, int whence);
    static int CloseProc(thandle_t h);
    static toff_t SizeProc(thandle_t h);
    static int MapProc(thandle_t h, void** base, toff_t* size);
    static void UnmapProc(thandle_t h, void* base, toff_t size);

private:
    uint64_t _Size() const;
    size_t _Read(uint8_t* out, size_t size);
    size_t _Write(const uint8_t* in, size_t size);

    bool m_writable;
    std::vector<uint8_t> m_prefix;
    const uint8_t* m_data = nullptr;
    size_t m_dataSize = 0;
    std::vector<uint8_t> m_written;
    uint64_t m_pos = 0;
};
