#pragma once
// Unit conversion and small helpers shared by every part of the document model.

#include "GmTypes.h"

#include "platform/core/Font.h"
#include "platform/core/Geometry.h"

#include <string>

// The extended value nearest to 25.4 (sign/exponent 4003h, mantissa CB33333333333333h).
constexpr Extended MillimetersPerInch = 25.4L;

// Converts Value from one unit to another through inches, in extended precision, evaluated left to right
// as the unit table gives it. The same unit on both sides returns Value untouched.
Extended ConvertValue(TGmMeasurement from, TGmMeasurement to, Extended value);
TGmRect ConvertGmRect(const TGmRect& rect, TGmMeasurement from, TGmMeasurement to);
TGmSize ConvertGmSize(const TGmSize& size, TGmMeasurement from, TGmMeasurement to);

// Max yields A when A >= B; Min yields B when A > B.
inline Extended Max(Extended a, Extended b) { return a >= b ? a : b; }
inline Extended Min(Extended a, Extended b) { return a > b ? b : a; }
inline int Max(int a, int b) { return a >= b ? a : b; }
inline int Min(int a, int b) { return a > b ? b : a; }

inline int RectWidth(const plat::Rect& r) { return r.Right - r.Left; }
inline int RectHeight(const plat::Rect& r) { return r.Bottom - r.Top; }

inline void SwapValues(Extended& a, Extended& b)
{
    Extended t = a;
    a = b;
    b = t;
}

// The persistent text of a font style: "b", "i", "u" for bold, italic and underline, joined as comma text
// ("b,u"). Strike-out has no letter. The empty set gives "".
std::string FontStyleToText(plat::FontStyles style);
// Reads that text back: any item equal to b, i or u (letter case ignored) sets its style; other items are
// ignored and strike-out is never set.
plat::FontStyles TextToFontStyle(const std::string& text);
