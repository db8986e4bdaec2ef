// Joins what sane_read delivers into one ZK_SANE_PAGE: a grey or colour
// frame, or the three single-colour frames of a three-pass scanner. Rows
// longer than their pixels (a backend's padding) are cut, 16-bit samples
// keep their high byte, and no frame may claim more than the bridge will
// hold.
#pragma once

#include <sane/sane.h>

#include <array>
#include <cstdint>
#include <vector>

#include "ZKSanePage.h"

class CZKSaneFrameAssembler
{
public:
    static constexpr uint64_t kLargestFrame = uint64_t(1) << 31;
    // Far wider than any scanner's line at its highest resolution.
    static constexpr uint64_t kLargestLine = uint64_t(1) << 24;

    // A frame begins with the parameters the device gave after sane_start.
    bool BeginFrame(const SANE_Parameters& parameters, TW_UINT16& condition);
    // Bytes as sane_read returned them, in any pieces.
    bool Append(const uint8_t* data, size_t length, TW_UINT16& condition);
    // All frames read: the page, at the resolution it was scanned with.
    bool Finish(double dpi, ZK_SANE_PAGE& page, TW_UINT16& condition);

private:
    struct FRAME
    {
        bool present = false;
        int format = SANE_FRAME_GRAY;
        int depth = 8;
        uint32_t pixels = 0;
        size_t lineBytes = 0; // as the device sends a line
        std::vector<uint8_t> data;
    };

    size_t _UsefulBytes(const FRAME& frame) const;
    uint32_t _Lines(const FRAME& frame) const;
    uint8_t _Sample(const FRAME& frame, uint32_t line, size_t sample) const;
    bool _FinishGray(const FRAME& frame, ZK_SANE_PAGE& page) const;
    bool _FinishColour(ZK_SANE_PAGE& page) const;

    std::array<FRAME, 4> m_frames; // gray or RGB in [0]; red, green, blue in [1..3]
    FRAME* m_current = nullptr;
};
