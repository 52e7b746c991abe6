#pragma once
// The papers a settings block can ask for (dmPaperSize), with their sizes and their self-describing IPP
// media names (PWG 5101.1), which every IPP printer accepts where a PPD keyword such as "A4" may not be.

#include <cstdint>
#include <optional>
#include <string_view>

namespace plat {

struct PaperInfo {
    int16_t DmPaper = 0;
    std::string_view MediaName;   // "iso_a4_210x297mm"
    int WidthMicrons = 0;         // portrait width and height, in micrometres (exact for mm and inches)
    int HeightMicrons = 0;
};

// The paper of a dmPaperSize value; none for values without a fixed size (custom, unknown).
std::optional<PaperInfo> PaperByDmPaper(int16_t dmPaper);
// The paper whose media name or size matches (within half a millimetre); none when no entry does.
std::optional<PaperInfo> PaperByMediaName(std::string_view mediaName);
std::optional<PaperInfo> PaperBySize(int widthMicrons, int heightMicrons);

// Micrometres to device pixels at ppi, to the nearest pixel.
int MicronsToPixels(long long microns, int ppi);

} // namespace plat
