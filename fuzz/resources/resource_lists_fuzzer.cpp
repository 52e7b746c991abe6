// The resource lists' loaders on hostile bytes. The first byte chooses the list (brushes, fonts, pens,
// pictures, memos); the rest is the stream. A list must either load or raise one of the platform's errors,
// and what it then writes must load again.

#include "resources/GmBrushList.h"
#include "resources/GmCustomMemoList.h"
#include "resources/GmFontList.h"
#include "resources/GmGraphicList.h"
#include "resources/GmPenList.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Stream.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

std::unique_ptr<TGmResourceList> MakeList(uint8_t which)
{
    switch (which % 5) {
    case 0: return std::make_unique<TGmBrushList>();
    case 1: return std::make_unique<TGmFontList>();
    case 2: return std::make_unique<TGmPenList>();
    case 3: return std::make_unique<TGmGraphicList>();
    default: return std::make_unique<TGmCustomMemoList>();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t which = data[0];
    plat::MemoryStream in(std::vector<uint8_t>(data + 1, data + size));
    std::unique_ptr<TGmResourceList> list = MakeList(which);
    try {
        list->LoadFromStream(in);
    } catch (const plat::Exception&) {
        // What was read before the error stays; it must still be writable.
    }
    if (in.GetPosition() > in.GetSize())
        std::abort(); // stored positions are checked before the stream is moved to them

    plat::MemoryStream out;
    list->SaveToStream(out);
    out.SetPosition(0);
    std::unique_ptr<TGmResourceList> back = MakeList(which);
    back->LoadFromStream(out); // what we wrote must read back without an error
    if (out.GetPosition() != out.GetSize())
        std::abort();
    // Brushes, pens and memos survive the round trip entry for entry (fonts may merge: angles keep three
    // decimals).
    if ((which % 5 == 0 || which % 5 == 2 || which % 5 == 4) && back->Count() != list->Count())
        std::abort();
    return 0;
}
