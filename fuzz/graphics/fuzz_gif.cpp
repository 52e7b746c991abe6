// GIF reader: any bytes give a picture or a clear error; a picture read saves back the bytes it consumed.
#include "BitmapChecks.h"

#include "platform/core/Exceptions.h"
#include "platform/graphics/GifImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    plat::MemoryStream in(std::vector<uint8_t>(data, data + size));
    plat::GifImage gif;
    try {
        gif.LoadFromStream(in);
    } catch (const plat::Exception&) {
        if (!gif.Empty())
            std::abort();
        return 0;
    }
    plat::MemoryStream out;
    gif.SaveToStream(out);
    if (out.Bytes().size() != static_cast<size_t>(in.GetPosition())
        || !std::equal(out.Bytes().begin(), out.Bytes().end(), data))
        std::abort();
    fuzzcheck::CheckBitmap(gif.GetBitmap());
    return 0;
}
