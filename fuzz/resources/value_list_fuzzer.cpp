// One value-list block from hostile bytes, then every kind of value read from each of its names. Whatever
// the bytes, reading either succeeds or raises one of the platform's errors, and a list read back from
// what it writes is the same list.

#include "resources/GmValueList.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Stream.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    plat::MemoryStream in(std::vector<uint8_t>(data, data + size));
    TGmValueList list;
    try {
        list.LoadFromStream(in);
    } catch (const plat::Exception&) {
        return 0;
    }
    for (int i = 0; i < list.Count(); ++i) {
        const std::string name = list.NameAt(i);
        try { list.GetInteger(name, 0); } catch (const plat::Exception&) {}
        try { list.GetExtended(name, 0); } catch (const plat::Exception&) {}
        try {
            TGmRect r;
            GetRectValue(list, name, TGmRect{}, r);
            TGmValueList out;
            SetRectValue(out, "XY", r);
        } catch (const plat::Exception&) {}
        GetFontStyleValue(list, name, 0);
        list.GetString(name, "");
    }

    plat::MemoryStream again;
    list.SaveToStream(again);
    again.SetPosition(0);
    TGmValueList back;
    back.LoadFromStream(again);
    if (back.Items() != list.Items())
        std::abort();
    return 0;
}
