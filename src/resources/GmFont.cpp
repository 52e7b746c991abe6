#include "GmFont.h"

#include "GmValueList.h"

void TGmFont::Assign(const plat::Persistent* source)
{
    if (auto font = dynamic_cast<const TGmFont*>(source)) {
        Size = font->Size;
        Style = font->Style;
        Angle = font->Angle;
        Color = font->Color;
        Charset = font->Charset;
        Name = font->Name;
    } else if (auto platformFont = dynamic_cast<const plat::Font*>(source)) {
        Size = platformFont->GetSize();
        Color = platformFont->GetColor();
        Charset = platformFont->GetCharset();
        Name = platformFont->GetName();
        Style = platformFont->GetStyle();
        Angle = 0;
    } else {
        plat::Persistent::Assign(source);
        return;
    }
    OnChange(this);
}

void TGmFont::SaveToValueList(TGmValueList& list) const
{
    list.SetInteger("CL", Color);
    SetFontStyleValue(list, "ST", Style);
    list.SetExtended("FA", Angle);
    list.SetInteger("SZ", Size);
    list.SetInteger("CS", Charset);
    list.SetString("FN", Name);
}

void TGmFont::LoadFromValueList(const TGmValueList& list)
{
    // Everything is converted before anything is set, so a bad value leaves the font as it was.
    plat::Color color = list.GetInteger("CL", 16777215);
    plat::FontStyles style = GetFontStyleValue(list, "ST", 0);
    Extended angle = list.GetExtended("FA", 0);
    int32_t size = list.GetInteger("SZ", 10);
    uint8_t charset = static_cast<uint8_t>(list.GetInteger("CS", 1));
    Name = list.GetString("FN", "Arial");
    Color = color;
    Style = style;
    Angle = angle;
    Size = size;
    Charset = charset;
}

bool FontsEqual(const TGmFont& a, const TGmFont& b)
{
    return a.Name == b.Name && a.Size == b.Size && a.Charset == b.Charset && a.Angle == b.Angle
        && a.Color == b.Color && a.Style == b.Style;
}
