#pragma once
// A filled object that covers a rectangle of the page, held in inches from the paper's top-left corner.

#include "GmSolidShape.h"

#include "platform/core/Geometry.h"

class TGmBaseSolidShape : public TGmSolidShape {
public:
    PLAT_CLASS_NAME(TGmBaseSolidShape)

    using TGmSolidShape::TGmSolidShape;

    const TGmRect& Rect() const { return m_rect; }
    // Stores the rectangle converted to inches, corners as given (not reordered). Does not notify.
    void SetRect(TGmMeasurement measurement, const TGmRect& rect);

    // The rectangle in device units: each side times its axis's resolution, to the nearest (ties to even).
    plat::Rect GetDeviceRect(int ppiX, int ppiY) const;

    // Moves the rectangle by (dx, dy) in measurement, then notifies.
    void Offset(TGmMeasurement measurement, Extended dx, Extended dy) override;

protected:
    TGmRect& MutableRect() { return m_rect; }

private:
    TGmRect m_rect;
};
