#include "GmPenList.h"

TGmPen* TGmPenList::GetPen(int index) const { return ItemOrNone(index); }

TGmPen* TGmPenList::AddPen(const TGmPen& pen) { return AddEqualOrCopy(pen); }

int TGmPenList::IndexOfPen(const TGmPen& pen) const { return IndexOfEqual(pen); }

void TGmPenList::LoadFromStream(plat::Stream& stream)
{
    LoadRecords(stream);
}
