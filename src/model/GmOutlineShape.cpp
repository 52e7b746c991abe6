#include "GmOutlineShape.h"

#include "GmResourceIndex_p.h"

#include "resources/GmPenList.h"
#include "resources/GmResourceTable.h"
#include "resources/GmValueList.h"

void TGmOutlineShape::Draw(plat::Surface& canvas, const TGmDrawData& data) const
{
    TGmVisibleObject::Draw(canvas, data);
    if (m_pen)
        ApplyPen(*m_pen, canvas, data.PpiX);
}

void TGmOutlineShape::LoadFromValueList(const TGmValueList& list)
{
    TGmVisibleObject::LoadFromValueList(list);
    m_pen = ResourceTable().Pens().GetPen(list.GetInteger("P", -1));
}

void TGmOutlineShape::SaveToValueList(TGmValueList& list) const
{
    TGmVisibleObject::SaveToValueList(list);
    if (!m_pen)
        return;
    const TGmPenList& pens = ResourceTable().Pens();
    list.SetInteger("P", gm_detail::IndexOfEntry(
                             pens, m_pen, [](const TGmPenList& l, int i) { return l.GetPen(i); },
                             [](const TGmPenList& l, const TGmPen* p) { return l.IndexOfPen(*p); }));
}
