#include "Brush.h"

namespace plat {

Brush::Brush(const Brush& other) : Persistent(), m_color(other.m_color), m_style(other.m_style) {}

Brush& Brush::operator=(const Brush& other)
{
    Assign(&other);
    return *this;
}

void Brush::SetColor(Color c)
{
    if (c == m_color)
        return;
    m_color = c;
    // Choosing a colour for a clear brush makes it solid, as fills with a colour are meant to show it.
    if (m_style == BrushStyle::Clear)
        m_style = BrushStyle::Solid;
    Changed();
}

void Brush::SetStyle(BrushStyle s) { if (s != m_style) { m_style = s; Changed(); } }

void Brush::Assign(const Persistent* source)
{
    if (auto brush = dynamic_cast<const Brush*>(source)) {
        m_color = brush->m_color;
        m_style = brush->m_style;
        Changed();
        return;
    }
    Persistent::Assign(source);
}

void Brush::Changed() { OnChange(this); }

} // namespace plat
