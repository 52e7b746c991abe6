#pragma once
// The document's shared brushs. Adding answers the first equal entry when there is one, so equal brushs
// are stored once.

#include "GmBrush.h"
#include "GmResourceList.h"

class TGmBrushList : public TGmResourceListOf<TGmBrush> {
public:
    PLAT_CLASS_NAME(TGmBrushList)

    // The entry at Index; -1 gives none. Any other index outside the list raises
    // "Indice de liste hors limites (%d)".
    TGmBrush* GetBrush(int index) const;
    // The first entry equal to Brush, or a new entry holding a copy of it. The caller's brush stays the caller's.
    TGmBrush* AddBrush(const TGmBrush& brush);
    // Index of the first equal entry, or -1.
    int IndexOfBrush(const TGmBrush& brush) const;

    // The count, then one brush record block per entry.
    void SaveToStream(plat::Stream& stream) const override;
    // Empties the list first, then adds each record read through AddBrush.
    void LoadFromStream(plat::Stream& stream) override;
};
