#pragma once
// A shared brush of the resource table: colour and style.

#include "platform/core/Brush.h"
#include "platform/core/Hook.h"
#include "platform/core/Object.h"

class TGmValueList;
namespace plat {
class Surface;
}

class TGmBrush : public plat::Persistent {
public:
    PLAT_CLASS_NAME(TGmBrush)

    plat::Color Color = plat::clWhite;
    plat::BrushStyle Style = plat::BrushStyle::Clear;

    // Accepts a TGmBrush or a platform brush (colour and style), then raises OnChange.
    void Assign(const plat::Persistent* source) override;

    // The brush record: "CL" colour, "ST" style ordinal. Missing keys read as white and style 0.
    void SaveToValueList(TGmValueList& list) const;
    void LoadFromValueList(const TGmValueList& list);

    plat::NotifyEvent OnChange;
};

// Same colour and same style.
bool BrushesEqual(const TGmBrush& a, const TGmBrush& b);

// Realises the brush on the surface: its colour, and its style, except that the colour clNone gives a
// clear brush. A style outside the platform's set (from a damaged record) fills solid.
void ApplyBrush(const TGmBrush& brush, plat::Surface& canvas);
