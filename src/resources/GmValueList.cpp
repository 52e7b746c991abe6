#include "GmValueList.h"

#include "GmReader.h"
#include "GmWriter.h"

#include "model/units/GmFuncs.h"

#include "platform/core/Convert.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Rounding.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

namespace {

std::string NonFiniteText(Extended value)
{
    if (std::isnan(value))
        return "NAN";
    return value < 0 ? "-INF" : "INF";
}

// All digits of a whole number (the largest extended value has 4933).
std::string WholeNumberText(Extended value)
{
    std::vector<char> digits(5000);
    std::snprintf(digits.data(), digits.size(), "%.0Lf", value);
    return digits.data();
}

std::string FormatThreeDecimals(Extended value)
{
    if (!std::isfinite(value))
        throw plat::EConvertError::NotAFloat(NonFiniteText(value));
    // Beyond 2^64 every extended value is a whole number; FormatFixed's buffer is meant for lengths.
    if (std::fabs(value) >= 1e18L)
        return WholeNumberText(value) + ".000";
    return plat::FormatFixed(value, 3);
}

std::string ThousandthsText(Extended inches)
{
    Extended scaled = inches * 1000.0L;
    if (!std::isfinite(scaled))
        throw plat::EConvertError::NotAnInteger(NonFiniteText(scaled));
    Extended rounded = plat::RoundHalfEven(scaled);
    if (rounded < std::numeric_limits<int32_t>::min() || rounded > std::numeric_limits<int32_t>::max())
        throw plat::EConvertError::NotAnInteger(WholeNumberText(rounded));
    return std::to_string(static_cast<int32_t>(rounded));
}

} // namespace

int32_t TGmValueList::GetInteger(const std::string& name, int32_t defaultValue) const
{
    std::string text = GetValue(name);
    return text.empty() ? defaultValue : plat::StrToInt(text);
}

std::string TGmValueList::GetString(const std::string& name, const std::string& defaultValue) const
{
    std::string text = GetValue(name);
    return text.empty() ? defaultValue : text;
}

Extended TGmValueList::GetExtended(const std::string& name, Extended defaultValue) const
{
    std::string text = GetValue(name);
    if (text.empty())
        return defaultValue;
    Extended value = plat::StrToFloat(text);
    if (!std::isfinite(value))
        throw plat::EConvertError::NotAFloat(text);
    return value;
}

void TGmValueList::SetInteger(const std::string& name, int32_t value) { SetValue(name, std::to_string(value)); }

void TGmValueList::SetString(const std::string& name, const std::string& value) { SetValue(name, value); }

void TGmValueList::SetExtended(const std::string& name, Extended value)
{
    SetValue(name, FormatThreeDecimals(value));
}

void TGmValueList::SaveToStream(plat::Stream& stream) const { TGmWriter(stream).WriteValueList(*this); }

void TGmValueList::LoadFromStream(plat::Stream& stream) { TGmReader(stream).ReadValueList(*this); }

void SetRectValue(TGmValueList& list, const std::string& name, const TGmRect& rect)
{
    plat::StringList items;
    items.Add(ThousandthsText(rect.Left));
    items.Add(ThousandthsText(rect.Top));
    items.Add(ThousandthsText(rect.Right));
    items.Add(ThousandthsText(rect.Bottom));
    list.SetString(name, items.GetCommaText());
}

void GetRectValue(const TGmValueList& list, const std::string& name, const TGmRect& defaultValue, TGmRect& rect)
{
    std::string text = list.GetValue(name);
    if (text.empty()) {
        rect = defaultValue;
        return;
    }
    plat::StringList items;
    items.SetCommaText(text);
    TGmRect r;
    r.Left = plat::StrToInt(items.Get(0)) / 1000.0L;
    r.Top = plat::StrToInt(items.Get(1)) / 1000.0L;
    r.Right = plat::StrToInt(items.Get(2)) / 1000.0L;
    r.Bottom = plat::StrToInt(items.Get(3)) / 1000.0L;
    rect = r;
}

void SetFontStyleValue(TGmValueList& list, const std::string& name, plat::FontStyles style)
{
    list.SetString(name, FontStyleToText(style));
}

plat::FontStyles GetFontStyleValue(const TGmValueList& list, const std::string& name, plat::FontStyles defaultValue)
{
    std::string text = list.GetValue(name);
    return text.empty() ? defaultValue : TextToFontStyle(text);
}
