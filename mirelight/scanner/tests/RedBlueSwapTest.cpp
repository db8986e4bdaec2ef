// Both ways of swapping red and blue, at every row length around the
// shuffle's 16-byte steps, into another row and in place.
#include "QXRedBlueSwap.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
std::vector<BYTE> Pixels(uint32_t width)
{
    std::vector<BYTE> row(static_cast<size_t>(width) * 3);
    for (size_t i = 0; i < row.size(); ++i)
        row[i] = static_cast<BYTE>(i * 7 + 1);
    return row;
}

std::vector<BYTE> Swapped(const std::vector<BYTE>& row)
{
    std::vector<BYTE> out(row);
    for (size_t i = 0; i + 2 < out.size(); i += 3)
        std::swap(out[i], out[i + 2]);
    return out;
}

using SwapWay = void (*)(const BYTE*, BYTE*, uint32_t);

void ExpectSwaps(SwapWay swap, const char* way)
{
    for (uint32_t width = 0; width <= 24; ++width)
    {
        const std::vector<BYTE> row = Pixels(width);
        // A guard byte after the row shows nothing is written past it.
        std::vector<BYTE> out(row.size() + 1, 0xA5);
        swap(row.data(), out.data(), width);
        EXPECT_EQ(0xA5, out.back()) << way << ", width " << width;
        out.pop_back();
        EXPECT_EQ(Swapped(row), out) << way << ", width " << width;

        std::vector<BYTE> inPlace = row;
        swap(inPlace.data(), inPlace.data(), width);
        EXPECT_EQ(Swapped(row), inPlace) << way << " in place, width " << width;
    }
}
} // namespace

TEST(RedBlueSwapTest, EveryWaySwapsEveryPixelAndStopsAtTheRowsEnd)
{
    ExpectSwaps(&SQXRedBlueSwap::Row, "chosen");
    ExpectSwaps(&SQXRedBlueSwap::RowPlain, "plain");
    const std::vector<BYTE> probe = Pixels(1);
    std::vector<BYTE> out(3);
    if (!SQXRedBlueSwap::RowShuffled(probe.data(), out.data(), 1))
        GTEST_SKIP() << "this processor has no byte shuffle";
    ExpectSwaps([](const BYTE* src, BYTE* dst, uint32_t width) { SQXRedBlueSwap::RowShuffled(src, dst, width); },
                "shuffled");
}
