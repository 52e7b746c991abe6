#include "Font.h"

#include "Rounding.h"

namespace plat {

Font::Font(const Font& other)
    : Persistent(), m_name(other.m_name), m_size(other.m_size), m_style(other.m_style),
      m_color(other.m_color), m_charset(other.m_charset), m_pixelsPerInch(other.m_pixelsPerInch) {}

Font& Font::operator=(const Font& other)
{
    Assign(&other);
    return *this;
}

int Font::GetPixelHeight() const
{
    return RoundToInt(static_cast<long double>(m_size) * m_pixelsPerInch / 72.0L);
}

void Font::SetName(const std::string& name) { if (name != m_name) { m_name = name; Changed(); } }
void Font::SetSize(int points) { if (points != m_size) { m_size = points; Changed(); } }

void Font::SetPixelHeight(int pixels)
{
    SetSize(RoundToInt(static_cast<long double>(pixels) * 72.0L / m_pixelsPerInch));
}

void Font::SetStyle(FontStyles style) { if (style != m_style) { m_style = style; Changed(); } }
void Font::SetColor(Color c) { if (c != m_color) { m_color = c; Changed(); } }
void Font::SetCharset(uint8_t charset) { if (charset != m_charset) { m_charset = charset; Changed(); } }
void Font::SetPixelsPerInch(int ppi) { if (ppi > 0 && ppi != m_pixelsPerInch) { m_pixelsPerInch = ppi; Changed(); } }

void Font::Assign(const Persistent* source)
{
    if (auto font = dynamic_cast<const Font*>(source)) {
        m_name = font->m_name;
        m_size = font->m_size;
        m_style = font->m_style;
        m_color = font->m_color;
        m_charset = font->m_charset;
        Changed();
        return;
    }
    Persistent::Assign(source);
}

void Font::Changed() { OnChange(this); }

} // namespace plat
