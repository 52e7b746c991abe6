#include "GmHeader.h"

#include "model/GmMargins.h"
#include "model/units/GmDrawHelpers.h"

void TGmHeader::Draw(plat::Surface& canvas, const TGmMargins& margins, const TGmSize& pageSize, int xDpi, int yDpi,
                     int pageNumber, int pageCount) const
{
    if (!GetVisible())
        return;
    const Extended top = margins.Top().AsInches();
    const plat::Rect area{DeviceUnits(margins.Left().AsInches() * xDpi), DeviceUnits(top * yDpi),
                          DeviceUnits((pageSize.Width - margins.Right().AsInches()) * xDpi),
                          DeviceUnits((top + GetHeight(gmInches)) * yDpi)};
    DrawArea(canvas, area, area.Bottom, xDpi, yDpi, pageNumber, pageCount);
}
