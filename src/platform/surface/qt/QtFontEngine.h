#pragma once
// Text measurement with Qt's fonts (fontconfig on Linux). Needs a QGuiApplication. Faces missing here are
// matched by the platform: "Arial" usually resolves to a metric-compatible face such as Liberation Sans.

#include "platform/surface/FontEngine.h"

#include <QFont>

#include <map>
#include <memory>
#include <tuple>

class QFontMetrics;

namespace plat {

// The Qt font for a font at a pixel size (the em height, pinned to 1..MaxPixelSize): face, bold, italic,
// underline, strike-out. Hinting stays as the platform sets it.
constexpr int MaxPixelSize = 1 << 15;
QFont ToQFont(const Font& font, int pixelSize);

class QtFontEngine : public FontEngine {
public:
    QtFontEngine();
    ~QtFontEngine() override;

    TextMetric Metrics(const Font& font) override;
    Size Extent(const Font& font, std::string_view text) override;
    std::string ResolvedFamily(const Font& font) override;

private:
    const QFontMetrics& MetricsFor(const Font& font);

    // Measuring runs per character (the font mapper's advances), so metrics are kept per face and size.
    using Key = std::tuple<std::string, int, int>;
    std::map<Key, std::unique_ptr<QFontMetrics>> m_cache;
};

// Makes Qt's fonts the installed font engine (call once a QGuiApplication exists).
void InstallQtFontEngine();

} // namespace plat
