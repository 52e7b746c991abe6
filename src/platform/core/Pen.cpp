#include "Pen.h"

namespace plat {

Pen::Pen(const Pen& other)
    : Persistent(), m_color(other.m_color), m_width(other.m_width), m_style(other.m_style),
      m_mode(other.m_mode), m_kind(other.m_kind) {}

Pen& Pen::operator=(const Pen& other)
{
    Assign(&other);
    return *this;
}

void Pen::SetColor(Color c) { if (c != m_color) { m_color = c; Changed(); } }
void Pen::SetWidth(int w) { if (w != m_width) { m_width = w; Changed(); } }
void Pen::SetStyle(PenStyle s) { if (s != m_style) { m_style = s; Changed(); } }
void Pen::SetMode(PenMode m) { if (m != m_mode) { m_mode = m; Changed(); } }
void Pen::SetKind(PenKind k) { if (k != m_kind) { m_kind = k; Changed(); } }

void Pen::Assign(const Persistent* source)
{
    if (auto pen = dynamic_cast<const Pen*>(source)) {
        m_color = pen->m_color;
        m_width = pen->m_width;
        m_style = pen->m_style;
        m_mode = pen->m_mode;
        m_kind = pen->m_kind;
        Changed();
        return;
    }
    Persistent::Assign(source);
}

void Pen::Changed() { OnChange(this); }

} // namespace plat
