// Packed DIB reader (the scanner's native transfer): any block gives a bitmap or a clear error.
#include "BitmapChecks.h"

#include "platform/core/Exceptions.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // An exact-size copy so that reading past the block is seen.
    std::unique_ptr<uint8_t[]> block(new uint8_t[size ? size : 1]);
    std::copy(data, data + size, block.get());
    plat::Bitmap b;
    try {
        b.LoadFromDib(block.get(), size);
    } catch (const plat::Exception&) {
        if (!b.Empty())
            std::abort();
        return 0;
    }
    fuzzcheck::CheckBitmap(b);
    return 0;
}
