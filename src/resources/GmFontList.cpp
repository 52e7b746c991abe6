#include "GmFontList.h"

TGmFont* TGmFontList::GetFont(int index) const { return Item(index); }

TGmFont* TGmFontList::AddFont(const TGmFont& font) { return AddEqualOrCopy(font); }

int TGmFontList::IndexOfFont(const TGmFont& font) const { return IndexOfEqual(font); }

void TGmFontList::LoadFromStream(plat::Stream& stream)
{
    Clear();
    LoadRecords(stream);
}
