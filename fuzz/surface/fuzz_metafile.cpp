// Metafile stream reader: any bytes must give a metafile or a clear error, and a metafile that was read
// must replay, save and read back to the same bytes.
#include "platform/core/Exceptions.h"
#include "platform/core/Stream.h"
#include "platform/surface/Metafile.h"
#include "platform/surface/RecordingSurface.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    plat::MemoryStream in(std::vector<uint8_t>(data, data + size));
    plat::Metafile mf;
    try {
        mf.LoadFromStream(in);
    } catch (const plat::Exception&) {
        if (!mf.Empty() || mf.GetWidth() != 0)
            std::abort(); // a failed read must leave the metafile as it was
        return 0;
    }
    if (in.GetPosition() > static_cast<int64_t>(size))
        std::abort();

    plat::RecordingSurface surface;
    mf.Draw(surface, {-5, 7, 300, -40});
    mf.Draw(surface, {0, 0, 2, 2});

    plat::MemoryStream out;
    mf.SaveToStream(out);
    out.SetPosition(0);
    plat::Metafile back;
    back.LoadFromStream(out);
    plat::MemoryStream again;
    back.SaveToStream(again);
    if (again.Bytes() != out.Bytes())
        std::abort();
    return 0;
}
