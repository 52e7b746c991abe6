#include "GmSolidShape.h"

#include "GmResourceIndex_p.h"

#include "resources/GmBrushList.h"
#include "resources/GmResourceTable.h"
#include "resources/GmValueList.h"

void TGmSolidShape::Draw(plat::Surface& canvas, const TGmDrawData& data) const
{
    TGmOutlineShape::Draw(canvas, data);
    if (m_brush)
        ApplyBrush(*m_brush, canvas);
}

void TGmSolidShape::LoadFromValueList(const TGmValueList& list)
{
    TGmOutlineShape::LoadFromValueList(list);
    m_brush = ResourceTable().Brushes().GetBrush(list.GetInteger("B", -1));
}

void TGmSolidShape::SaveToValueList(TGmValueList& list) const
{
    TGmOutlineShape::SaveToValueList(list);
    if (!m_brush)
        return;
    const TGmBrushList& brushes = ResourceTable().Brushes();
    list.SetInteger("B", gm_detail::IndexOfEntry(
                             brushes, m_brush, [](const TGmBrushList& l, int i) { return l.GetBrush(i); },
                             [](const TGmBrushList& l, const TGmBrush* b) { return l.IndexOfBrush(*b); }));
}
