#pragma once
// The document's shared pens. Adding answers the first equal entry when there is one, so equal pens
// are stored once.

#include "GmPen.h"
#include "GmRecordList.h"

class TGmPenList : public TGmRecordListOf<TGmPen, PensEqual> {
public:
    PLAT_CLASS_NAME(TGmPenList)

    // The entry at Index; -1 gives none. Any other index outside the list raises
    // "Indice de liste hors limites (%d)".
    TGmPen* GetPen(int index) const;
    // The first entry equal to Pen, or a new entry holding a copy of it. The caller's pen stays the caller's.
    TGmPen* AddPen(const TGmPen& pen);
    // Index of the first equal entry, or -1.
    int IndexOfPen(const TGmPen& pen) const;

    // Adds each record read through AddPen to what the list holds already (it is not emptied first).
    void LoadFromStream(plat::Stream& stream) override;
};
