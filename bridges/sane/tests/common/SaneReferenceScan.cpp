#include "SaneReferenceScan.h"

#include "ZKSaneReaderSettle.h"

namespace
{
bool ReadFrame(SANE_Handle handle, std::vector<uint8_t>& bytes)
{
    SANE_Byte buffer[32768];
    for (;;)
    {
        SANE_Int length = 0;
        const SANE_Status status = sane_read(handle, buffer, sizeof(buffer), &length);
        bytes.insert(bytes.end(), buffer, buffer + length);
        if (status == SANE_STATUS_EOF)
            return true;
        if (status != SANE_STATUS_GOOD)
            return false;
    }
}

bool ReadImage(SANE_Handle handle, SANE_REFERENCE_PAGE& page)
{
    for (int frame = 0; frame < 4; ++frame)
    {
        if (sane_start(handle) != SANE_STATUS_GOOD ||
            sane_get_parameters(handle, &page.parameters) != SANE_STATUS_GOOD || !ReadFrame(handle, page.bytes))
            return false;
        if (page.parameters.last_frame)
            return true;
    }
    return false;
}
} // namespace

std::vector<SANE_REFERENCE_PAGE> CSaneReferenceScan::Scan(int pages)
{
    std::vector<SANE_REFERENCE_PAGE> result;
    SANE_Int version = 0;
    if (sane_init(&version, nullptr) != SANE_STATUS_GOOD)
        return result;
    const SANE_Device** devices = nullptr;
    SANE_Handle handle = nullptr;
    if (sane_get_devices(&devices, SANE_TRUE) == SANE_STATUS_GOOD && devices && devices[0] &&
        sane_open(devices[0]->name, &handle) == SANE_STATUS_GOOD)
    {
        for (int i = 0; i < pages; ++i)
        {
            SANE_REFERENCE_PAGE page;
            if (!ReadImage(handle, page))
                break;
            result.push_back(std::move(page));
        }
        ZKSaneLetReaderSettle();
        sane_cancel(handle);
        sane_close(handle);
    }
    sane_exit();
    return result;
}

std::vector<uint8_t> CSaneReferenceScan::PixelRows(const SANE_REFERENCE_PAGE& page)
{
    const SANE_Parameters& p = page.parameters;
    const size_t rowBytes = (size_t(p.pixels_per_line) * (p.format == SANE_FRAME_RGB ? 3 : 1) * p.depth + 7) / 8;
    std::vector<uint8_t> rows;
    for (size_t y = 0; (y + 1) * size_t(p.bytes_per_line) <= page.bytes.size(); ++y)
        rows.insert(rows.end(), page.bytes.begin() + y * p.bytes_per_line,
                    page.bytes.begin() + y * p.bytes_per_line + rowBytes);
    ClearBitsPastRowEnd(rows, rowBytes, size_t(p.pixels_per_line) * (p.format == SANE_FRAME_RGB ? 3 : 1) * p.depth);
    return rows;
}

void CSaneReferenceScan::ClearBitsPastRowEnd(std::vector<uint8_t>& rows, size_t rowBytes, size_t bitsPerRow)
{
    const unsigned used = bitsPerRow % 8;
    if (used == 0 || rowBytes == 0)
        return;
    const auto mask = static_cast<uint8_t>(0xFF << (8 - used));
    for (size_t last = rowBytes - 1; last < rows.size(); last += rowBytes)
        rows[last] &= mask;
}
