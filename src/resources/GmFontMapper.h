#pragma once
// Lays out text the same way at every resolution. Character widths are measured at a high reference
// resolution (or at the screen's 96 ppi when asked) and scaled to the target surface, and the text is drawn
// with those advances, so a line has the same proportions in the preview and on paper whatever the
// device's own hinting would make of it.
//
// Measurement goes through the installed font engine (plat::CurrentFontEngine), drawing through the
// surface's TextOut.

#include "model/units/GmTypes.h"

#include "platform/core/Font.h"
#include "platform/core/Geometry.h"

#include <string_view>
#include <vector>

namespace plat {
class Surface;
}

class TGmFontMapper {
public:
    // Fine enough that integer widths measured there lose nothing a printer could show.
    static constexpr int ReferencePpi = 7200;
    static constexpr int ScreenPpi = 96;

    TGmFontMapper();

    // The text's width and height in inches with the canvas's font (face, style and point size), measured
    // at the mapper's measuring resolution: ReferencePpi at first, then whatever the last OutputText chose.
    void MeasureTextInches(const plat::Surface& canvas, std::string_view text, Extended& width, Extended& height);

    // Draws the text with its top-left corner at (X, Y), clipped to ClipRect when one is given, with
    // advances measured at 96 ppi (ScreenResolution) or ReferencePpi and scaled to the canvas font's own
    // resolution. Empty text is drawn without advances.
    void OutputText(plat::Surface& canvas, int x, int y, const plat::Rect* clipRect, std::string_view text,
                    bool screenResolution);

    // What OutputText does before computing advances: the measuring font becomes the canvas font at the
    // measuring resolution, and the target resolution that of the canvas font.
    void PrepareFonts(const plat::Font& canvasFont, bool screenResolution);

    // One advance per byte of Text, in target pixels. Each character's width is scaled to the target and
    // truncated; the fractions are carried and paid out once they exceed a pixel, so the advances sum to
    // within one pixel below the exact scaled width. A character of several bytes (UTF-8) gets its whole
    // advance on its first byte and 0 on the others.
    void ComputeAdvances(std::string_view text);
    const std::vector<int>& Advances() const { return m_advances; }

    int MeasuringPpi() const { return m_measuringPpi; }
    int TargetPpi() const { return m_targetPpi; }

private:
    plat::Font m_font; // the measuring font, at m_measuringPpi
    int m_measuringPpi = ReferencePpi;
    int m_targetPpi = ReferencePpi;
    std::vector<int> m_advances;
};

// The program's single font mapper.
TGmFontMapper& FontMapper();
