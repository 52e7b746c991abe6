#include "GmPen.h"

#include "GmValueList.h"

#include "platform/core/Convert.h"
#include "platform/core/Rounding.h"
#include "platform/core/StringList.h"
#include "platform/surface/Surface.h"

void TGmPen::Assign(const plat::Persistent* source)
{
    if (auto pen = dynamic_cast<const TGmPen*>(source)) {
        Width = pen->Width;
        Color = pen->Color;
        Style = pen->Style;
        Mode = pen->Mode;
    } else if (auto platformPen = dynamic_cast<const plat::Pen*>(source)) {
        Width = platformPen->GetWidth();
        Color = platformPen->GetColor();
        Style = platformPen->GetStyle();
        Mode = platformPen->GetMode();
    } else {
        plat::Persistent::Assign(source);
        return;
    }
    OnChange(this);
}

void TGmPen::SaveToValueList(TGmValueList& list) const
{
    list.SetInteger("CL", Color);
    list.SetInteger("SZ", Width);
    list.SetInteger("ST", static_cast<int32_t>(Style));
    list.SetInteger("PM", static_cast<int32_t>(Mode));
}

void TGmPen::LoadFromValueList(const TGmValueList& list)
{
    // Everything is converted before anything is set, so a bad value leaves the pen as it was.
    plat::Color color = list.GetInteger("CL", 0);
    int32_t width = list.GetInteger("SZ", 1);
    int32_t style = list.GetInteger("ST", 0);
    int32_t mode = list.GetInteger("PM", 4);
    Color = color;
    Width = width;
    Style = static_cast<plat::PenStyle>(static_cast<uint8_t>(style));
    Mode = static_cast<plat::PenMode>(static_cast<uint8_t>(mode));
}

bool PensEqual(const TGmPen& a, const TGmPen& b)
{
    return a.Color == b.Color && a.Mode == b.Mode && a.Style == b.Style && a.Width == b.Width;
}

void ApplyPen(const TGmPen& pen, plat::Surface& canvas, int ppi)
{
    plat::Pen& target = canvas.GetPen();
    // Left to right, as the width has always been computed: Ppi / 72 points, then quarters.
    Extended exact = static_cast<Extended>(ppi) / 72.0L / 4.0L * static_cast<Extended>(pen.Width);
    int width = plat::RoundToInt(exact);

    plat::PenStyle lineStyle = pen.Style;
    if (static_cast<uint8_t>(lineStyle) > static_cast<uint8_t>(plat::PenStyle::Clear))
        lineStyle = plat::PenStyle::Solid;

    plat::Pen realised;
    realised.SetMode(target.GetMode());
    if (pen.Color == plat::clNone) {
        realised.SetColor(pen.Color);
        realised.SetWidth(width);
        realised.SetStyle(plat::PenStyle::Clear);
        realised.SetKind(plat::PenKind::Default);
    } else if (lineStyle == plat::PenStyle::Solid && width <= 1) {
        realised.SetColor(plat::ColorToRGB(pen.Color));
        realised.SetWidth(1);
        realised.SetStyle(lineStyle);
        realised.SetKind(plat::PenKind::Cosmetic);
    } else {
        realised.SetColor(plat::ColorToRGB(pen.Color));
        realised.SetWidth(width);
        realised.SetStyle(lineStyle);
        realised.SetKind(plat::PenKind::GeometricSquareMiter);
    }
    // One assignment, so the surface sees one change.
    target.Assign(&realised);
}

std::string PenToCommaText(const plat::Pen& pen)
{
    plat::StringList items;
    items.Add(std::to_string(pen.GetColor()));
    items.Add(std::to_string(pen.GetWidth()));
    items.Add(std::to_string(static_cast<int>(pen.GetStyle())));
    items.Add(std::to_string(static_cast<int>(pen.GetMode())));
    return items.GetCommaText();
}

void PenFromCommaText(plat::Pen& pen, const std::string& text)
{
    plat::StringList items;
    items.SetCommaText(text);
    pen.SetColor(plat::StrToInt(items.Get(0)));
    pen.SetWidth(plat::StrToInt(items.Get(1)));
    pen.SetStyle(static_cast<plat::PenStyle>(static_cast<uint8_t>(plat::StrToInt(items.Get(2)))));
    pen.SetMode(static_cast<plat::PenMode>(static_cast<uint8_t>(plat::StrToInt(items.Get(3)))));
}
