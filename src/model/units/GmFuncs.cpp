#include "GmFuncs.h"

#include "platform/core/StringList.h"

namespace {

// Each step is its own statement so that no compiler contraction
// can merge the two operations of a unit.
Extended ToInches(TGmMeasurement from, Extended v)
{
    switch (from) {
    case gmUnits: {
        Extended mm = v / 100.0L;
        return mm / MillimetersPerInch;
    }
    case gmPixels: return v / 96.0L;
    case gmMillimeters: return v / MillimetersPerInch;
    case gmCentimeters: {
        Extended mm = v * 10.0L;
        return mm / MillimetersPerInch;
    }
    case gmInches: return v;
    case gmTwips: return v / 1440.0L;
    }
    return v;
}

Extended FromInches(TGmMeasurement to, Extended x)
{
    switch (to) {
    case gmUnits: {
        Extended mm = x * MillimetersPerInch;
        return mm * 100.0L;
    }
    case gmPixels: return x * 96.0L;
    case gmMillimeters: return x * MillimetersPerInch;
    case gmCentimeters: {
        Extended mm = x * MillimetersPerInch;
        return mm / 10.0L;
    }
    case gmInches: return x;
    case gmTwips: return x * 1440.0L;
    }
    return x;
}

} // namespace

Extended ConvertValue(TGmMeasurement from, TGmMeasurement to, Extended value)
{
    if (from == to)
        return value;
    return FromInches(to, ToInches(from, value));
}

TGmRect ConvertGmRect(const TGmRect& rect, TGmMeasurement from, TGmMeasurement to)
{
    TGmRect r;
    r.Left = ConvertValue(from, to, rect.Left);
    r.Top = ConvertValue(from, to, rect.Top);
    r.Right = ConvertValue(from, to, rect.Right);
    r.Bottom = ConvertValue(from, to, rect.Bottom);
    return r;
}

TGmSize ConvertGmSize(const TGmSize& size, TGmMeasurement from, TGmMeasurement to)
{
    TGmSize s;
    s.Width = ConvertValue(from, to, size.Width);
    s.Height = ConvertValue(from, to, size.Height);
    return s;
}

std::string FontStyleToText(plat::FontStyles style)
{
    plat::StringList items;
    if (style & plat::fsBold)
        items.Add("b");
    if (style & plat::fsItalic)
        items.Add("i");
    if (style & plat::fsUnderline)
        items.Add("u");
    return items.GetCommaText();
}

plat::FontStyles TextToFontStyle(const std::string& text)
{
    plat::StringList items;
    items.SetCommaText(text);
    plat::FontStyles style = 0;
    for (const std::string& item : items.Items()) {
        if (item == "b" || item == "B")
            style |= plat::fsBold;
        else if (item == "i" || item == "I")
            style |= plat::fsItalic;
        else if (item == "u" || item == "U")
            style |= plat::fsUnderline;
    }
    return style;
}
