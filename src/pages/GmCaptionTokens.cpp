#include "GmCaptionTokens.h"

#include <langinfo.h>
#include <locale.h>

#include <cctype>
#include <chrono>

namespace {

char ReadDateSeparator()
{
    // The user's locale, loaded on its own: the process-wide locale is left as it is.
    locale_t user = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
    if (user == static_cast<locale_t>(nullptr))
        return '/';
    char separator = '/';
    if (const char* format = nl_langinfo_l(D_FMT, user)) {
        for (const char* p = format; *p; ++p) {
            if (*p == '%') {
                // Skip the conversion and its flags and modifiers (%-d, %Ey, %0m ...).
                ++p;
                while (*p && !std::isalpha(static_cast<unsigned char>(*p)))
                    ++p;
                if (*p == 'E' || *p == 'O')
                    ++p;
                if (!*p)
                    break;
                continue;
            }
            unsigned char c = static_cast<unsigned char>(*p);
            if (c < 0x80 && std::ispunct(c)) {
                separator = static_cast<char>(c);
                break;
            }
        }
    }
    freelocale(user);
    return separator;
}

void AppendNumber(std::string& out, int value, int digits)
{
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < digits)
        out.append(static_cast<size_t>(digits) - text.size(), '0');
    out += text;
}

size_t RunLength(const std::string& format, size_t i, char upper, size_t limit)
{
    size_t n = 0;
    while (i + n < format.size() && n < limit && std::toupper(static_cast<unsigned char>(format[i + n])) == upper)
        ++n;
    return n;
}

void ReplaceAll(std::string& text, const std::string& token, const std::string& value)
{
    size_t pos = text.find(token);
    while (pos != std::string::npos) {
        text.erase(pos, token.size());
        text.insert(pos, value);
        pos = text.find(token, pos + value.size());
    }
}

std::tm LocalNow()
{
    std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

template <class DateSource, class TimeSource>
std::string Replace(const std::string& text, int pageNumber, int pageCount, const std::string& dateFormat,
                    const std::string& timeFormat, DateSource date, TimeSource time, char dateSeparator)
{
    std::string result = text;
    // The clock is read only for a token that is there, the date and the time each on its own.
    if (result.find("{DATE}") != std::string::npos)
        ReplaceAll(result, "{DATE}", FormatCaptionDateTime(dateFormat, date(), dateSeparator));
    if (result.find("{TIME}") != std::string::npos)
        ReplaceAll(result, "{TIME}", FormatCaptionDateTime(timeFormat, time(), dateSeparator));
    ReplaceAll(result, "{PAGE}", std::to_string(pageNumber));
    ReplaceAll(result, "{NUMPAGES}", std::to_string(pageCount));
    return result;
}

} // namespace

char DateSeparator()
{
    static const char separator = ReadDateSeparator();
    return separator;
}

std::string FormatCaptionDateTime(const std::string& format, const std::tm& when, char dateSeparator)
{
    std::string out;
    char lastLetter = 0; // the last picture letter, for "m" after "h" meaning minutes
    for (size_t i = 0; i < format.size();) {
        const char c = format[i];
        if (c == '"' || c == '\'') {
            size_t end = format.find(c, i + 1);
            if (end == std::string::npos)
                end = format.size();
            out.append(format, i + 1, end - i - 1);
            i = end < format.size() ? end + 1 : end;
            continue;
        }
        if (c == '/') {
            out += dateSeparator;
            ++i;
            continue;
        }
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            out += c;
            ++i;
            continue;
        }
        char token = upper;
        if (token == 'M' && lastLetter == 'H')
            token = 'N';
        lastLetter = token;
        size_t n = 1;
        switch (token) {
        case 'D':
            n = RunLength(format, i, 'D', 2);
            AppendNumber(out, when.tm_mday, static_cast<int>(n));
            break;
        case 'M':
            n = RunLength(format, i, 'M', 2);
            AppendNumber(out, when.tm_mon + 1, static_cast<int>(n));
            break;
        case 'Y':
            n = RunLength(format, i, 'Y', 4);
            if (n <= 2)
                AppendNumber(out, (when.tm_year + 1900) % 100, 2);
            else
                AppendNumber(out, when.tm_year + 1900, 4);
            break;
        case 'H':
            n = RunLength(format, i, 'H', 2);
            AppendNumber(out, when.tm_hour, static_cast<int>(n));
            break;
        case 'N':
            n = RunLength(format, i, upper, 2);
            AppendNumber(out, when.tm_min, static_cast<int>(n));
            break;
        case 'S':
            n = RunLength(format, i, 'S', 2);
            AppendNumber(out, when.tm_sec, static_cast<int>(n));
            break;
        default:
            out += c;
            break;
        }
        i += n;
    }
    return out;
}

std::string ReplaceTokensAt(const std::string& text, int pageNumber, int pageCount, const std::string& dateFormat,
                            const std::string& timeFormat, const std::tm& date, const std::tm& time,
                            char dateSeparator)
{
    return Replace(text, pageNumber, pageCount, dateFormat, timeFormat, [&] { return date; }, [&] { return time; },
                   dateSeparator);
}

std::string ReplaceTokens(const std::string& text, int pageNumber, int pageCount, const std::string& dateFormat,
                          const std::string& timeFormat)
{
    return Replace(text, pageNumber, pageCount, dateFormat, timeFormat, LocalNow, LocalNow, DateSeparator());
}
