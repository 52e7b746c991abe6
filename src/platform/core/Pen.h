#pragma once
// A drawing pen: colour, width in device pixels, line style and mix mode. Changes notify OnChange.

#include "Geometry.h"
#include "Hook.h"
#include "Object.h"

#include <cstdint>

namespace plat {

enum class PenStyle : uint8_t { Solid, Dash, Dot, DashDot, DashDotDot, Clear, InsideFrame };
enum class PenMode : uint8_t {
    Black, White, Nop, Not, Copy, NotCopy, MergePenNot, MaskPenNot,
    MergeNotPen, MaskNotPen, Merge, NotMerge, Mask, NotMask, Xor, NotXor
};

// How a pen's width is realised: a cosmetic pen is always one pixel whatever the mapping; a geometric pen
// has a width in logical units with square ends and mitred joins.
enum class PenKind : uint8_t { Default, Cosmetic, GeometricSquareMiter };

class Pen : public Persistent {
public:
    PLAT_CLASS_NAME(TPen)

    Pen() = default;
    Pen(const Pen& other);
    Pen& operator=(const Pen& other);

    Color GetColor() const { return m_color; }
    int GetWidth() const { return m_width; }
    PenStyle GetStyle() const { return m_style; }
    PenMode GetMode() const { return m_mode; }
    PenKind GetKind() const { return m_kind; }

    void SetColor(Color c);
    void SetWidth(int w);
    void SetStyle(PenStyle s);
    void SetMode(PenMode m);
    void SetKind(PenKind k);

    // Copies colour, width, style, mode and kind, then notifies once.
    void Assign(const Persistent* source) override;

    NotifyEvent OnChange;

private:
    void Changed();

    Color m_color = clBlack;
    int m_width = 1;
    PenStyle m_style = PenStyle::Solid;
    PenMode m_mode = PenMode::Copy;
    PenKind m_kind = PenKind::Default;
};

} // namespace plat
