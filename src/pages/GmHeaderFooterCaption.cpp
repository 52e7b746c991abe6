#include "GmHeaderFooterCaption.h"

#include "GmCaptionTokens.h"
#include "GmHeaderFooter.h"

#include "model/units/GmDrawHelpers.h"
#include "resources/GmFontMapper.h"

#include "platform/surface/Surface.h"

TGmHeaderFooterCaption::TGmHeaderFooterCaption(TGmHeaderFooter* owner) : m_owner(owner)
{
    m_font.SetName("Arial");
    m_font.SetSize(12);
    if (m_owner) {
        auto ownerChanged = [owner](plat::Object*) { owner->Changed(); };
        m_font.OnChange.Set(ownerChanged);
        OnChange.Set(ownerChanged);
    }
}

void TGmHeaderFooterCaption::SetCaption(const std::string& caption)
{
    if (caption != m_caption) {
        m_caption = caption;
        Changed();
    }
}

void TGmHeaderFooterCaption::SetFont(const plat::Font& font)
{
    m_font.Assign(&font);
    Changed();
}

void TGmHeaderFooterCaption::Assign(const plat::Persistent* source)
{
    const auto* other = dynamic_cast<const TGmHeaderFooterCaption*>(source);
    if (!other) {
        plat::Persistent::Assign(source);
        return;
    }
    m_caption = other->m_caption;
    m_font.Assign(&other->m_font);
}

void TGmHeaderFooterCaption::Changed() { OnChange(this); }

void TGmHeaderFooterCaption::Draw(plat::Surface& canvas, const plat::Rect& area, int xDpi, int yDpi, int alignment,
                                  int pageNumber, int pageCount) const
{
    const std::string text = ReplaceTokens(m_caption, pageNumber, pageCount, CaptionDateFormat, CaptionTimeFormat);
    plat::Font& font = canvas.GetFont();
    font.SetPixelsPerInch(xDpi);
    font.Assign(&m_font); // the point size stays, so the pixel size is the one for XDpi

    Extended width = 0, height = 0;
    TGmFontMapper& mapper = FontMapper();
    mapper.MeasureTextInches(canvas, text, width, height);
    // Both offsets use the horizontal resolution: the font was realised at it.
    const int resolution = font.GetPixelsPerInch();
    const int w = DeviceUnits(resolution * width);
    const int h = DeviceUnits(resolution * height);

    int x = area.Left;
    if (alignment == AlignCenter)
        x = static_cast<int>((static_cast<long long>(area.Left) + area.Right - w) / 2); // toward zero
    else if (alignment == AlignRight)
        x = area.Right - w;
    const int y = m_owner ? m_owner->CaptionTop(area, h) : area.Top;
    mapper.OutputText(canvas, x, y, nullptr, text, false);
}
