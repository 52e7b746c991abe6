#pragma once
// Text to number conversions with the class library's errors.

#include <cstdint>
#include <string>

namespace plat {

// Decimal (or $hex / 0x hex) 32-bit integer with an optional sign and leading blanks.
// Raises "'%s' n'est pas une valeur entière correcte" otherwise.
int32_t StrToInt(const std::string& text);
bool TryStrToInt(const std::string& text, int32_t& value);

// A number with "." as the decimal point whatever the locale, optional exponent.
// Raises "'%s' n'est pas une valeur en virgule flottante correcte" otherwise.
long double StrToFloat(const std::string& text);

// Fixed notation with the given decimals and "." as the decimal point, independent of the locale;
// halves round to even on the exact binary value.
std::string FormatFixed(long double value, int decimals);

// Digits grouped by threes with the given separator, e.g. 524288 -> "524 288".
std::string GroupThousands(uint64_t value, const std::string& separator);

} // namespace plat
