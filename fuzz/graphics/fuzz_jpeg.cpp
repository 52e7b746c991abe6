// JPEG reader over libjpeg: any bytes give a picture or a clear error, never a crash or a jump across
// C++ frames; a picture read saves back the bytes it consumed.
#include "BitmapChecks.h"

#include "platform/core/Exceptions.h"
#include "platform/graphics/JpegImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    plat::MemoryStream in(std::vector<uint8_t>(data, data + size));
    plat::JpegImage jpeg;
    try {
        jpeg.LoadFromStream(in);
    } catch (const plat::Exception&) {
        if (!jpeg.Empty())
            std::abort();
        return 0;
    }
    const std::vector<uint8_t>& bytes = jpeg.Data();
    if (bytes.size() != static_cast<size_t>(in.GetPosition()) || !std::equal(bytes.begin(), bytes.end(), data))
        std::abort();
    plat::Bitmap view;
    view.Assign(&jpeg);
    if (view.GetWidth() != jpeg.GetWidth() || view.GetHeight() != jpeg.GetHeight())
        std::abort();
    if (static_cast<int64_t>(view.GetWidth()) * view.GetHeight() <= 1 << 16) {
        // Compress the picture again and read that back.
        plat::JpegImage again;
        again.Assign(&view);
        plat::MemoryStream out(again.Data());
        plat::JpegImage back;
        back.LoadFromStream(out);
        if (back.GetWidth() != view.GetWidth() || back.GetHeight() != view.GetHeight())
            std::abort();
    }
    return 0;
}
