#include "GmBaseSolidShape.h"

#include "model/units/GmDrawHelpers.h"
#include "model/units/GmFuncs.h"

void TGmBaseSolidShape::SetRect(TGmMeasurement measurement, const TGmRect& rect)
{
    m_rect = ConvertGmRect(rect, measurement, gmInches);
}

plat::Rect TGmBaseSolidShape::GetDeviceRect(int ppiX, int ppiY) const
{
    return {DeviceUnits(ppiX * m_rect.Left), DeviceUnits(ppiY * m_rect.Top), DeviceUnits(ppiX * m_rect.Right),
            DeviceUnits(ppiY * m_rect.Bottom)};
}

void TGmBaseSolidShape::Offset(TGmMeasurement measurement, Extended dx, Extended dy)
{
    OffsetGmRect(m_rect, ConvertValue(measurement, gmInches, dx), ConvertValue(measurement, gmInches, dy));
    Changed();
}
