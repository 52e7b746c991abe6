// Icon reader: any bytes give an icon or a clear error; an icon read draws, converts and saves back the
// bytes it consumed.
#include "BitmapChecks.h"

#include "platform/core/Exceptions.h"
#include "platform/graphics/Icon.h"
#include "platform/surface/RecordingSurface.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    plat::MemoryStream in(std::vector<uint8_t>(data, data + size));
    plat::Icon icon;
    try {
        icon.LoadFromStream(in);
    } catch (const plat::Exception&) {
        if (!icon.Empty())
            std::abort();
        return 0;
    }
    plat::MemoryStream out;
    icon.SaveToStream(out);
    if (out.Bytes().size() != static_cast<size_t>(in.GetPosition())
        || !std::equal(out.Bytes().begin(), out.Bytes().end(), data))
        std::abort();
    const plat::Bitmap onWhite = icon.ToBitmap();
    if (onWhite.GetWidth() != icon.GetWidth() || onWhite.GetHeight() != icon.GetHeight())
        std::abort();
    plat::RecordingSurface surface;
    icon.Draw(surface, {0, 0, 32, 32});
    fuzzcheck::CheckBitmap(onWhite);
    return 0;
}
