#include "QXRedBlueSwap.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QX_HAVE_SHUFFLE 1
#endif

namespace
{
#ifdef QX_HAVE_SHUFFLE
bool ProcessorShuffles()
{
    static const bool supported = __builtin_cpu_supports("ssse3") != 0;
    return supported;
}

// Four pixels per 16-byte shuffle; the last 4 bytes of each store are
// copied unchanged and rewritten by the next step, so a step needs 16
// bytes of row left and the remaining pixels go through the plain loop.
__attribute__((target("ssse3"))) size_t ShuffleFourPixelSteps(const BYTE* src, BYTE* dst, size_t bytes)
{
    const __m128i order = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 12, 13, 14, 15);
    size_t done = 0;
    for (; done + 16 <= bytes; done += 12)
    {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + done));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + done), _mm_shuffle_epi8(pixels, order));
    }
    return done;
}
#endif
} // namespace

void SQXRedBlueSwap::Row(const BYTE* src, BYTE* dst, uint32_t width)
{
    if (!RowShuffled(src, dst, width))
        RowPlain(src, dst, width);
}

void SQXRedBlueSwap::RowPlain(const BYTE* src, BYTE* dst, uint32_t width)
{
    for (size_t i = 0, n = static_cast<size_t>(width) * 3; i < n; i += 3)
    {
        const BYTE red = src[i];
        dst[i] = src[i + 2];
        dst[i + 1] = src[i + 1];
        dst[i + 2] = red;
    }
}

bool SQXRedBlueSwap::RowShuffled(const BYTE* src, BYTE* dst, uint32_t width)
{
#ifdef QX_HAVE_SHUFFLE
    if (!ProcessorShuffles())
        return false;
    const size_t done = ShuffleFourPixelSteps(src, dst, static_cast<size_t>(width) * 3);
    RowPlain(src + done, dst + done, static_cast<uint32_t>(width - done / 3));
    return true;
#else
    (void)src;
    (void)dst;
    (void)width;
    return false;
#endif
}
