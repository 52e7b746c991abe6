#include "GmFooter.h"

#include "model/GmMargins.h"
#include "model/units/GmDrawHelpers.h"

void TGmFooter::Draw(plat::Surface& canvas, const TGmMargins& margins, const TGmSize& pageSize, int xDpi, int yDpi,
                     int pageNumber, int pageCount) const
{
    if (!GetVisible())
        return;
    const Extended bottom = pageSize.Height - margins.Bottom().AsInches();
    const plat::Rect area{DeviceUnits(margins.Left().AsInches() * xDpi),
                          DeviceUnits((bottom - GetHeight(gmInches)) * yDpi),
                          DeviceUnits((pageSize.Width - margins.Right().AsInches()) * xDpi),
                          DeviceUnits(bottom * yDpi)};
    DrawArea(canvas, area, area.Top, xDpi, yDpi, pageNumber, pageCount);
}
