// A pen's comma text from hostile bytes: either it sets the pen or it raises one of the platform's errors,
// and a pen that was read writes a text that reads back to the same pen.

#include "resources/GmPen.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Pen.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    plat::Pen pen;
    try {
        PenFromCommaText(pen, text);
    } catch (const plat::Exception&) {
        return 0;
    }
    const std::string written = PenToCommaText(pen);
    plat::Pen back;
    PenFromCommaText(back, written);
    if (PenToCommaText(back) != written)
        std::abort();
    return 0;
}
