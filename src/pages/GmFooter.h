#pragma once
// The footer: an area from the bottom margin up by the footer's height, between the left and right
// margins; its captions hang from the area's top edge and its line is drawn along that edge.

#include "GmHeaderFooter.h"

class TGmFooter : public TGmHeaderFooter {
public:
    PLAT_CLASS_NAME(TGmFooter)

    void Draw(plat::Surface& canvas, const TGmMargins& margins, const TGmSize& pageSize, int xDpi, int yDpi,
              int pageNumber, int pageCount) const override;
    int CaptionTop(const plat::Rect& area, int textHeight) const override { return area.Top; }
};
