#pragma once
// A rectangle-covering object that writes its rectangle in its record.

#include "GmBaseSolidShape.h"

class TGmSimpleSolidShape : public TGmBaseSolidShape {
public:
    PLAT_CLASS_NAME(TGmSimpleSolidShape)

    using TGmBaseSolidShape::TGmBaseSolidShape;

    // "XY": the rectangle as four thousandths of an inch; missing reads as the zero rectangle.
    void LoadFromValueList(const TGmValueList& list) override;
    void SaveToValueList(TGmValueList& list) const override;
};
