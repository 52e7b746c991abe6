#include "GmSimpleSolidShape.h"

#include "resources/GmValueList.h"

void TGmSimpleSolidShape::LoadFromValueList(const TGmValueList& list)
{
    TGmBaseSolidShape::LoadFromValueList(list);
    GetRectValue(list, "XY", TGmRect{}, MutableRect());
}

void TGmSimpleSolidShape::SaveToValueList(TGmValueList& list) const
{
    TGmBaseSolidShape::SaveToValueList(list);
    SetRectValue(list, "XY", Rect());
}
