#include "Convert.h"

#include "Exceptions.h"
#include "Rounding.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace plat {

bool TryStrToInt(const std::string& text, int32_t& value)
{
    size_t p = 0;
    const size_t n = text.size();
    while (p < n && text[p] == ' ')
        ++p;
    bool negative = false;
    if (p < n && (text[p] == '+' || text[p] == '-')) {
        negative = text[p] == '-';
        ++p;
    }
    int base = 10;
    if (p < n && text[p] == '$') {
        base = 16;
        ++p;
    } else if (p + 1 < n && text[p] == '0' && (text[p + 1] == 'x' || text[p + 1] == 'X')) {
        base = 16;
        p += 2;
    }
    if (p >= n)
        return false;
    uint64_t acc = 0;
    for (; p < n; ++p) {
        char c = text[p];
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return false;
        acc = acc * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
        if (acc > 0xFFFFFFFFull)
            return false;
    }
    if (base == 10) {
        if (negative ? acc > 2147483648ull : acc > 2147483647ull)
            return false;
        value = negative ? static_cast<int32_t>(-static_cast<int64_t>(acc)) : static_cast<int32_t>(acc);
    } else {
        // Hexadecimal spans the full 32 bits, as a bit pattern.
        int32_t v = static_cast<int32_t>(static_cast<uint32_t>(acc));
        value = negative ? -v : v;
    }
    return true;
}

int32_t StrToInt(const std::string& text)
{
    int32_t v = 0;
    if (!TryStrToInt(text, v))
        throw EConvertError::NotAnInteger(text);
    return v;
}

long double StrToFloat(const std::string& text)
{
    // Validate by hand so that no locale can change what is accepted, then let strtold (in the "C"
    // notation it always honours for these characters) do the exact conversion.
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    std::string t = text.substr(b, e - b);
    size_t p = 0;
    const size_t n = t.size();
    if (p < n && (t[p] == '+' || t[p] == '-')) ++p;
    size_t digits = 0;
    while (p < n && t[p] >= '0' && t[p] <= '9') { ++p; ++digits; }
    if (p < n && t[p] == '.') {
        ++p;
        while (p < n && t[p] >= '0' && t[p] <= '9') { ++p; ++digits; }
    }
    if (digits == 0)
        throw EConvertError::NotAFloat(text);
    if (p < n && (t[p] == 'e' || t[p] == 'E')) {
        ++p;
        if (p < n && (t[p] == '+' || t[p] == '-')) ++p;
        size_t expDigits = 0;
        while (p < n && t[p] >= '0' && t[p] <= '9') { ++p; ++expDigits; }
        if (expDigits == 0)
            throw EConvertError::NotAFloat(text);
    }
    if (p != n)
        throw EConvertError::NotAFloat(text);
    // Build the value from digits ourselves: strtold reads the locale's decimal point.
    long double mantissa = 0;
    int scale = 0;
    bool negative = false;
    size_t q = 0;
    if (t[q] == '+' || t[q] == '-') { negative = t[q] == '-'; ++q; }
    std::string digitsOnly;
    for (; q < n && t[q] != 'e' && t[q] != 'E'; ++q) {
        if (t[q] == '.') { scale = -1; continue; }
        digitsOnly += t[q];
        if (scale < 0) --scale;
    }
    int fraction = scale < 0 ? -scale - 1 : 0;
    int exponent = 0;
    if (q < n) exponent = std::atoi(t.c_str() + q + 1);
    // Exact decimal string -> binary via "%Le"-free path: compose "DIGITSeEXP" which strtold parses
    // without any decimal point.
    std::string composed = digitsOnly + "e" + std::to_string(exponent - fraction);
    errno = 0;
    mantissa = std::strtold(composed.c_str(), nullptr);
    return negative ? -mantissa : mantissa;
}

std::string FormatFixed(long double value, int decimals)
{
    long double scale = std::pow(10.0L, decimals);
    long double scaled = RoundHalfEven(value * scale);
    if (scaled == 0)
        scaled = 0; // a negative zero would print as "-0"
    bool negative = scaled < 0;
    if (negative) scaled = -scaled;
    if (!std::isfinite(scaled))
        return std::isnan(scaled) ? "NAN" : (negative ? "-INF" : "INF");
    // An extended value may have close to 5000 integer digits.
    int needed = std::snprintf(nullptr, 0, "%.0Lf", scaled);
    std::string digits(static_cast<size_t>(needed) + 1, '\0');
    std::snprintf(digits.data(), digits.size(), "%.0Lf", scaled);
    digits.resize(static_cast<size_t>(needed));
    if (decimals > 0) {
        if (digits.size() <= static_cast<size_t>(decimals))
            digits.insert(0, static_cast<size_t>(decimals) + 1 - digits.size(), '0');
        digits.insert(digits.size() - static_cast<size_t>(decimals), ".");
    }
    if (negative && scaled != 0)
        digits.insert(0, "-");
    return digits;
}

std::string GroupThousands(uint64_t value, const std::string& separator)
{
    std::string digits = std::to_string(value);
    std::string out;
    int count = 0;
    for (size_t i = digits.size(); i-- > 0;) {
        out.insert(0, 1, digits[i]);
        if (++count % 3 == 0 && i > 0)
            out.insert(0, separator);
    }
    return out;
}

} // namespace plat
