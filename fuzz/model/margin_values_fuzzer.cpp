// A "MarginValues" text from hostile bytes: either the margins take it or one of the platform's errors is
// raised, and margins that took a text write one that reads back to the same margins.

#include "model/GmMargins.h"

#include "platform/core/Exceptions.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    TGmMargins margins(nullptr);
    try {
        margins.ReadMarginValues(text);
    } catch (const plat::Exception&) {
        return 0;
    }
    const std::string written = margins.WriteMarginValues();
    TGmMargins back(nullptr);
    back.ReadMarginValues(written);
    if (back.WriteMarginValues() != written)
        std::abort();
    return 0;
}
