#pragma once
// The document's shared brushes. Adding answers the first equal entry when there is one, so equal brushes
// are stored once.

#include "GmBrush.h"
#include "GmRecordList.h"

class TGmBrushList : public TGmRecordListOf<TGmBrush, BrushesEqual> {
public:
    PLAT_CLASS_NAME(TGmBrushList)

    // The entry at Index; -1 gives none. Any other index outside the list raises
    // "Indice de liste hors limites (%d)".
    TGmBrush* GetBrush(int index) const;
    // The first entry equal to Brush, or a new entry holding a copy of it. The caller's brush stays the caller's.
    TGmBrush* AddBrush(const TGmBrush& brush);
    // Index of the first equal entry, or -1.
    int IndexOfBrush(const TGmBrush& brush) const;

    // Empties the list first, then adds each record read through AddBrush.
    void LoadFromStream(plat::Stream& stream) override;
};
