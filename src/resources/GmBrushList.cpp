#include "GmBrushList.h"

TGmBrush* TGmBrushList::GetBrush(int index) const { return ItemOrNone(index); }

TGmBrush* TGmBrushList::AddBrush(const TGmBrush& brush) { return AddEqualOrCopy(brush); }

int TGmBrushList::IndexOfBrush(const TGmBrush& brush) const { return IndexOfEqual(brush); }

void TGmBrushList::LoadFromStream(plat::Stream& stream)
{
    Clear();
    LoadRecords(stream);
}
