#pragma once
// The header: an area from the top margin down by the header's height, between the left and right margins;
// its captions stand on the area's bottom edge and its line is drawn along that edge.

#include "GmHeaderFooter.h"

class TGmHeader : public TGmHeaderFooter {
public:
    PLAT_CLASS_NAME(TGmHeader)

    void Draw(plat::Surface& canvas, const TGmMargins& margins, const TGmSize& pageSize, int xDpi, int yDpi,
              int pageNumber, int pageCount) const override;
    int CaptionTop(const plat::Rect& area, int textHeight) const override { return area.Bottom - textHeight; }
};
