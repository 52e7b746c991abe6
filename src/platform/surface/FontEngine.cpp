#include "FontEngine.h"

#include "platform/core/Rounding.h"

namespace plat {

namespace {

// Fixed cells: enough to lay out text deterministically where no real font engine is installed.
class CellFontEngine : public FontEngine {
public:
    TextMetric Metrics(const Font& font) override
    {
        int h = font.GetPixelHeight();
        TextMetric m;
        m.Ascent = RoundToInt(h * 0.9L);
        m.Descent = RoundToInt(h * 0.25L);
        m.Height = m.Ascent + m.Descent;
        m.AveCharWidth = RoundToInt(h * 0.6L);
        return m;
    }
    Size Extent(const Font& font, std::string_view text) override
    {
        TextMetric m = Metrics(font);
        return {static_cast<int>(text.size()) * m.AveCharWidth, m.Height};
    }
    std::string ResolvedFamily(const Font& font) override { return font.GetName(); }
};

std::unique_ptr<FontEngine>& Installed()
{
    static std::unique_ptr<FontEngine> engine = std::make_unique<CellFontEngine>();
    return engine;
}

} // namespace

FontEngine& CurrentFontEngine() { return *Installed(); }

std::unique_ptr<FontEngine> InstallFontEngine(std::unique_ptr<FontEngine> engine)
{
    if (!engine)
        engine = std::make_unique<CellFontEngine>();
    std::swap(engine, Installed());
    return engine;
}

} // namespace plat
