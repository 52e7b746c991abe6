#pragma once
// Checks shared by the picture fuzzers: a bitmap that was read must be usable and survive a BMP round trip.

#include "platform/core/Stream.h"
#include "platform/graphics/Bitmap.h"

#include <cstdlib>

namespace fuzzcheck {

inline std::vector<uint8_t> SaveBmp(const plat::Bitmap& b)
{
    plat::MemoryStream s;
    b.SaveToStream(s);
    return s.Bytes();
}

// Reads every pixel of small bitmaps, writes the bitmap as BMP, reads it back and writes it again: the two
// files must be equal, and the picture read back must have the same size and pixels.
inline void CheckBitmap(const plat::Bitmap& b)
{
    const int64_t pixels = static_cast<int64_t>(b.GetWidth()) * b.GetHeight();
    if (pixels > int64_t{1} << 22)
        return; // large pictures only cost time; their rows are copied like small ones
    const bool small = pixels <= 1 << 14; // per-pixel checks are slow under the fuzzer's instrumentation
    const std::vector<uint8_t> first = SaveBmp(b);
    plat::MemoryStream in(first);
    plat::Bitmap back;
    back.LoadFromStream(in);
    if (back.GetWidth() != b.GetWidth() || back.GetHeight() != b.GetHeight()
        || back.GetPixelFormat() != b.GetPixelFormat() || in.GetPosition() != static_cast<int64_t>(first.size()))
        std::abort();
    if (SaveBmp(back) != first)
        std::abort();
    if (!small)
        return;
    for (int y = 0; y < b.GetHeight(); ++y)
        for (int x = 0; x < b.GetWidth(); ++x)
            if (b.GetPixel(x, y) != back.GetPixel(x, y))
                std::abort();
    plat::Bitmap wide(b);
    wide.SetPixelFormat(plat::PixelFormat::Bit24);
    wide.SetPixelFormat(plat::PixelFormat::Bit8);
    (void)b.DibHeader();
    (void)b.DibBits();
}

} // namespace fuzzcheck
