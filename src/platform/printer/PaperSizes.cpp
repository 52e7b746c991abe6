#include "PaperSizes.h"

#include "DevMode.h"

#include <array>
#include <cstdlib>

namespace plat {

namespace {

constexpr int Mm(int mm) { return mm * 1000; }
constexpr int In(double inches) { return static_cast<int>(inches * 25400.0 + 0.5); }

constexpr std::array<PaperInfo, 17> Papers{{
    {DMPAPER_LETTER, "na_letter_8.5x11in", In(8.5), In(11)},
    {DMPAPER_TABLOID, "na_ledger_11x17in", In(11), In(17)},
    // Ledger is the same sheet as tabloid, described lying down.
    {DMPAPER_LEDGER, "na_ledger_11x17in", In(17), In(11)},
    {DMPAPER_LEGAL, "na_legal_8.5x14in", In(8.5), In(14)},
    {DMPAPER_EXECUTIVE, "na_executive_7.25x10.5in", In(7.25), In(10.5)},
    {DMPAPER_A3, "iso_a3_297x420mm", Mm(297), Mm(420)},
    {DMPAPER_A4, "iso_a4_210x297mm", Mm(210), Mm(297)},
    {DMPAPER_A5, "iso_a5_148x210mm", Mm(148), Mm(210)},
    {DMPAPER_B4, "jis_b4_257x364mm", Mm(257), Mm(364)},
    {DMPAPER_B5, "jis_b5_182x257mm", Mm(182), Mm(257)},
    {DMPAPER_ENV_9, "na_number-9_3.875x8.875in", In(3.875), In(8.875)},
    {DMPAPER_ENV_10, "na_number-10_4.125x9.5in", In(4.125), In(9.5)},
    {DMPAPER_ENV_11, "na_number-11_4.5x10.375in", In(4.5), In(10.375)},
    {DMPAPER_ENV_12, "na_number-12_4.75x11in", In(4.75), In(11)},
    {DMPAPER_ENV_14, "na_number-14_5x11.5in", In(5), In(11.5)},
    {DMPAPER_ENV_C5, "iso_c5_162x229mm", Mm(162), Mm(229)},
    {DMPAPER_A6, "iso_a6_105x148mm", Mm(105), Mm(148)},
}};

} // namespace

std::optional<PaperInfo> PaperByDmPaper(int16_t dmPaper)
{
    for (const PaperInfo& p : Papers)
        if (p.DmPaper == dmPaper)
            return p;
    return std::nullopt;
}

std::optional<PaperInfo> PaperByMediaName(std::string_view mediaName)
{
    for (const PaperInfo& p : Papers)
        if (p.MediaName == mediaName && p.DmPaper != DMPAPER_LEDGER)
            return p;
    return std::nullopt;
}

std::optional<PaperInfo> PaperBySize(int widthMicrons, int heightMicrons)
{
    for (const PaperInfo& p : Papers)
        if (std::abs(p.WidthMicrons - widthMicrons) <= 500 && std::abs(p.HeightMicrons - heightMicrons) <= 500)
            return p;
    return std::nullopt;
}

int MicronsToPixels(long long microns, int ppi)
{
    long long num = microns * ppi;
    long long q = num / 25400;
    long long r = num % 25400;
    if (r < 0) {
        r += 25400;
        --q;
    }
    if (2 * r > 25400 || (2 * r == 25400 && (q & 1)))
        ++q;
    return static_cast<int>(q);
}

} // namespace plat
