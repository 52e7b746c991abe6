#include "GmFontMapper.h"

#include "platform/surface/FontEngine.h"
#include "platform/surface/Surface.h"

#include <cmath>

namespace {

// Length of the UTF-8 character starting at text[i]; 1 for a byte that does not start a whole one.
size_t CharacterLength(std::string_view text, size_t i)
{
    unsigned char lead = static_cast<unsigned char>(text[i]);
    size_t n = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead <= 0xDF ? 2 : 1;
    if (lead >= 0xF5)
        n = 1;
    if (n == 1 || i + n > text.size())
        return 1;
    for (size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
            return 1;
    return n;
}

} // namespace

TGmFontMapper::TGmFontMapper() { m_font.SetPixelsPerInch(m_measuringPpi); }

void TGmFontMapper::MeasureTextInches(const plat::Surface& canvas, std::string_view text, Extended& width,
                                      Extended& height)
{
    m_font.Assign(&canvas.GetFont());
    m_font.SetPixelsPerInch(m_measuringPpi);
    plat::Size extent = plat::CurrentFontEngine().Extent(m_font, text);
    width = static_cast<Extended>(extent.Width) / m_measuringPpi;
    height = static_cast<Extended>(extent.Height) / m_measuringPpi;
}

void TGmFontMapper::PrepareFonts(const plat::Font& canvasFont, bool screenResolution)
{
    m_measuringPpi = screenResolution ? ScreenPpi : ReferencePpi;
    m_targetPpi = canvasFont.GetPixelsPerInch();
    m_font.Assign(&canvasFont);
    m_font.SetPixelsPerInch(m_measuringPpi);
}

void TGmFontMapper::OutputText(plat::Surface& canvas, int x, int y, const plat::Rect* clipRect,
                               std::string_view text, bool screenResolution)
{
    PrepareFonts(canvas.GetFont(), screenResolution);
    ComputeAdvances(text);
    std::span<const int> advances;
    if (!text.empty())
        advances = m_advances;
    canvas.TextOut(x, y, clipRect, text, advances);
}

void TGmFontMapper::ComputeAdvances(std::string_view text)
{
    m_advances.assign(text.size(), 0);
    plat::FontEngine& engine = plat::CurrentFontEngine();
    Extended carry = 0;
    for (size_t i = 0; i < text.size();) {
        size_t n = CharacterLength(text, i);
        Extended a = static_cast<Extended>(engine.Extent(m_font, text.substr(i, n)).Width) / m_measuringPpi
                     * m_targetPpi;
        Extended whole = std::trunc(a);
        int advance = static_cast<int>(whole);
        carry += a - whole;
        if (carry > 1) {
            Extended paid = std::trunc(carry);
            advance += static_cast<int>(paid);
            carry -= paid;
        }
        m_advances[i] = advance;
        i += n;
    }
}

TGmFontMapper& FontMapper()
{
    static TGmFontMapper mapper;
    return mapper;
}
