// BMP reader: any bytes give a bitmap or a clear error; a failed read leaves the bitmap as it was.
#include "BitmapChecks.h"

#include "platform/core/Exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    plat::MemoryStream in(std::vector<uint8_t>(data, data + size));
    plat::Bitmap b(3, 1);
    try {
        b.LoadFromStream(in);
    } catch (const plat::Exception&) {
        if (b.GetWidth() != 3 || b.GetHeight() != 1 || b.GetPixel(0, 0) != plat::clWhite)
            std::abort();
        return 0;
    }
    if (in.GetPosition() > static_cast<int64_t>(size))
        std::abort();
    // An RLE bitmap not changed since writes back what was read.
    if (b.KeepsOriginalFile()) {
        const std::vector<uint8_t> saved = fuzzcheck::SaveBmp(b);
        if (saved.size() != static_cast<size_t>(in.GetPosition()) || !std::equal(saved.begin(), saved.end(), data))
            std::abort();
    }
    fuzzcheck::CheckBitmap(b);
    return 0;
}
