#pragma once
// The tokens of header and footer captions: "{DATE}", "{TIME}", "{PAGE}" and "{NUMPAGES}", replaced when a
// caption is drawn, and the date/time formatting they use.

#include <ctime>
#include <string>

// The user's date separator, read once from the user's time locale (LC_ALL, LC_TIME, LANG) without
// touching the process's own locale: the first separator of the locale's date format ("%d/%m/%Y" gives
// "/", "%d.%m.%Y" gives "."). "/" when the locale has none or cannot be loaded (the C locale).
char DateSeparator();

// Formats a date and time with the picture letters of the captions' formats:
//   d, dd      day (dd two digits)          m, mm   month, or minutes right after h/hh
//   yy, yyyy   year (two or four digits)    h, hh   hour 0..23 (hh two digits)
//   n, nn      minutes                      s, ss   seconds
//   /          the date separator           :       ":"
//   "..." or '...' literal text; any other character stands for itself.
// So "hh/mm" gives "14/45" at a quarter to three in the afternoon where the separator is a slash.
std::string FormatCaptionDateTime(const std::string& format, const std::tm& when, char dateSeparator);

// Replaces in Text, in this order, every "{DATE}" by Date formatted with DateFormat, every "{TIME}" by Time
// formatted with TimeFormat, every "{PAGE}" by PageNumber and every "{NUMPAGES}" by PageCount, in decimal.
// Tokens match exactly, letter case included. Each replacement goes on searching after the value it put
// in, so a value that happens to contain its own token cannot make it run for ever.
std::string ReplaceTokensAt(const std::string& text, int pageNumber, int pageCount, const std::string& dateFormat,
                            const std::string& timeFormat, const std::tm& date, const std::tm& time,
                            char dateSeparator);

// The same with today's date and the time of day now (each read when it is needed) and the user's date
// separator.
std::string ReplaceTokens(const std::string& text, int pageNumber, int pageCount, const std::string& dateFormat,
                          const std::string& timeFormat);
