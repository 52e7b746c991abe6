#pragma once
// The document's shared fonts. Adding answers the first equal entry when there is one, so equal fonts
// are stored once.

#include "GmFont.h"
#include "GmRecordList.h"

class TGmFontList : public TGmRecordListOf<TGmFont, FontsEqual> {
public:
    PLAT_CLASS_NAME(TGmFontList)

    // The entry at Index. Unlike the other lists there is no "none": -1, like any index outside the list,
    // raises "Indice de liste hors limites (%d)".
    TGmFont* GetFont(int index) const;
    // The first entry equal to Font, or a new entry holding a copy of it. The caller's font stays the caller's.
    TGmFont* AddFont(const TGmFont& font);
    // Index of the first equal entry, or -1.
    int IndexOfFont(const TGmFont& font) const;

    // Empties the list first, then adds each record read through AddFont.
    void LoadFromStream(plat::Stream& stream) override;
};
