#pragma once
// A fill brush: colour and style. Changes notify OnChange.

#include "Geometry.h"
#include "Hook.h"
#include "Object.h"

#include <cstdint>

namespace plat {

enum class BrushStyle : uint8_t { Solid, Clear, Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross };

class Brush : public Persistent {
public:
    PLAT_CLASS_NAME(TBrush)

    Brush() = default;
    Brush(const Brush& other);
    Brush& operator=(const Brush& other);

    Color GetColor() const { return m_color; }
    BrushStyle GetStyle() const { return m_style; }
    void SetColor(Color c);
    void SetStyle(BrushStyle s);

    void Assign(const Persistent* source) override;

    NotifyEvent OnChange;

private:
    void Changed();

    Color m_color = clWhite;
    BrushStyle m_style = BrushStyle::Solid;
};

} // namespace plat
