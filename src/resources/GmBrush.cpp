#include "GmBrush.h"

#include "GmValueList.h"

#include "platform/surface/Surface.h"

void TGmBrush::Assign(const plat::Persistent* source)
{
    if (auto brush = dynamic_cast<const TGmBrush*>(source)) {
        Color = brush->Color;
        Style = brush->Style;
    } else if (auto platformBrush = dynamic_cast<const plat::Brush*>(source)) {
        Color = platformBrush->GetColor();
        Style = platformBrush->GetStyle();
    } else {
        plat::Persistent::Assign(source);
        return;
    }
    OnChange(this);
}

void TGmBrush::SaveToValueList(TGmValueList& list) const
{
    list.SetInteger("CL", Color);
    list.SetInteger("ST", static_cast<int32_t>(Style));
}

void TGmBrush::LoadFromValueList(const TGmValueList& list)
{
    // Both are converted before either is set, so a bad value leaves the brush as it was.
    plat::Color color = list.GetInteger("CL", 16777215);
    int32_t style = list.GetInteger("ST", 0);
    Color = color;
    Style = static_cast<plat::BrushStyle>(static_cast<uint8_t>(style));
}

bool BrushesEqual(const TGmBrush& a, const TGmBrush& b) { return a.Color == b.Color && a.Style == b.Style; }

void ApplyBrush(const TGmBrush& brush, plat::Surface& canvas)
{
    plat::Brush realised;
    realised.SetColor(brush.Color);
    plat::BrushStyle style = brush.Style;
    if (static_cast<uint8_t>(style) > static_cast<uint8_t>(plat::BrushStyle::DiagCross))
        style = plat::BrushStyle::Solid;
    realised.SetStyle(brush.Color == plat::clNone ? plat::BrushStyle::Clear : style);
    canvas.GetBrush().Assign(&realised);
}
