#pragma once
// Text measurement, separate from any device so that the engine can measure without a screen.
// The program installs the Qt engine at start-up; tests may install a fake with fixed metrics.

#include "platform/core/Font.h"
#include "platform/core/Geometry.h"
#include "platform/surface/Surface.h"

#include <memory>
#include <string_view>

namespace plat {

class FontEngine {
public:
    virtual ~FontEngine() = default;
    // Metrics of font at its own resolution (Font::GetPixelsPerInch).
    virtual TextMetric Metrics(const Font& font) = 0;
    // Width and height of text in pixels at the font's resolution.
    virtual Size Extent(const Font& font, std::string_view text) = 0;
    // The face actually used for a requested name (fallback by the platform's font matching).
    virtual std::string ResolvedFamily(const Font& font) = 0;
};

// The installed engine; a simple built-in one (character cells of 0.6 x the pixel height) until another
// is installed.
FontEngine& CurrentFontEngine();
// Installs engine and answers the previous one.
std::unique_ptr<FontEngine> InstallFontEngine(std::unique_ptr<FontEngine> engine);

} // namespace plat
