#include "QtFontEngine.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QString>

#include <algorithm>
#include <cstdlib>

namespace plat {

QFont ToQFont(const Font& font, int pixelSize)
{
    QFont f(QString::fromStdString(font.GetName()));
    f.setPixelSize(std::clamp(pixelSize, 1, MaxPixelSize));
    FontStyles s = font.GetStyle();
    f.setBold(s & fsBold);
    f.setItalic(s & fsItalic);
    f.setUnderline(s & fsUnderline);
    f.setStrikeOut(s & fsStrikeOut);
    return f;
}

QtFontEngine::QtFontEngine() = default;
QtFontEngine::~QtFontEngine() = default;

const QFontMetrics& QtFontEngine::MetricsFor(const Font& font)
{
    // A negative height names the same size as its absolute value.
    int pixels = std::abs(font.GetPixelHeight());
    Key key{font.GetName(), pixels, font.GetStyle()};
    auto it = m_cache.find(key);
    if (it != m_cache.end())
        return *it->second;
    if (m_cache.size() >= 256)
        m_cache.clear();
    auto metrics = std::make_unique<QFontMetrics>(ToQFont(font, pixels));
    return *m_cache.emplace(key, std::move(metrics)).first->second;
}

TextMetric QtFontEngine::Metrics(const Font& font)
{
    const QFontMetrics& fm = MetricsFor(font);
    TextMetric m;
    m.Ascent = fm.ascent();
    m.Descent = fm.descent();
    m.Height = m.Ascent + m.Descent;
    m.AveCharWidth = fm.averageCharWidth();
    return m;
}

Size QtFontEngine::Extent(const Font& font, std::string_view text)
{
    const QFontMetrics& fm = MetricsFor(font);
    return {fm.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))),
            fm.ascent() + fm.descent()};
}

std::string QtFontEngine::ResolvedFamily(const Font& font)
{
    return QFontInfo(ToQFont(font, std::abs(font.GetPixelHeight()))).family().toStdString();
}

void InstallQtFontEngine() { InstallFontEngine(std::make_unique<QtFontEngine>()); }

} // namespace plat
