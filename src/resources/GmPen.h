#pragma once
// A shared pen of the resource table. Its width is in quarters of a point, so the same pen draws equally
// thick lines on the screen and on any printer.

#include "platform/core/Hook.h"
#include "platform/core/Object.h"
#include "platform/core/Pen.h"

#include <cstdint>
#include <string>

class TGmValueList;
namespace plat {
class Surface;
}

class TGmPen : public plat::Persistent {
public:
    PLAT_CLASS_NAME(TGmPen)

    int32_t Width = 0; // quarters of a point
    plat::Color Color = plat::clBlack;
    plat::PenStyle Style = plat::PenStyle::Solid;
    plat::PenMode Mode = plat::PenMode::Black;

    // Accepts a TGmPen or a platform pen (its width, colour, style and mode as they are), then raises
    // OnChange.
    void Assign(const plat::Persistent* source) override;

    // The pen record: "CL", "SZ", "ST", "PM". Missing keys read as black, width 1, solid, copy mode.
    void SaveToValueList(TGmValueList& list) const;
    void LoadFromValueList(const TGmValueList& list);

    plat::NotifyEvent OnChange;
};

// Same colour, mode, style and width.
bool PensEqual(const TGmPen& a, const TGmPen& b);

// Realises the pen on the surface at Ppi pixels per inch: width round(Ppi / 72 / 4 x Width) pixels (halves
// to even), square ends and mitred joins. A solid line of width 1 or less is a cosmetic one-pixel pen; the
// colour clNone gives a clear pen. Styles outside solid..clear draw solid. The surface's pen mode is left
// as it is.
void ApplyPen(const TGmPen& pen, plat::Surface& canvas, int ppi);

// A platform pen as the comma text of four decimal integers: colour, width, style ordinal, mode ordinal,
// e.g. "12632256,1,2,4" for a silver, one-pixel, dotted pen in copy mode.
std::string PenToCommaText(const plat::Pen& pen);
// Sets colour, width, style and mode from items 0 to 3, in that order. A missing item raises
// "Indice de liste hors limites (%d)" and an item that is not an integer "'%s' n'est pas une valeur entière
// correcte"; what was set before the fault stays set. Style and mode keep the low byte of their item.
void PenFromCommaText(plat::Pen& pen, const std::string& text);
