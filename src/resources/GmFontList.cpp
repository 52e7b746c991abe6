#include "GmFontList.h"

#include "GmReader.h"
#include "GmValueList.h"
#include "GmWriter.h"

#include "platform/core/Exceptions.h"

TGmFont* TGmFontList::GetFont(int index) const { return Item(index); }

TGmFont* TGmFontList::AddFont(const TGmFont& font)
{
    int i = IndexOfFont(font);
    if (i >= 0)
        return Item(i);
    auto copy = std::make_unique<TGmFont>();
    copy->Assign(&font);
    return Append(std::move(copy));
}

int TGmFontList::IndexOfFont(const TGmFont& font) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (FontsEqual(*m_items[i], font))
            return static_cast<int>(i);
    return -1;
}

void TGmFontList::SaveToStream(plat::Stream& stream) const
{
    TGmWriter writer(stream);
    writer.WriteInteger(Count());
    for (const auto& item : m_items) {
        TGmValueList record;
        item->SaveToValueList(record);
        writer.WriteValueList(record);
    }
}

void TGmFontList::LoadFromStream(plat::Stream& stream)
{
    Clear();
    TGmReader reader(stream);
    int32_t count = reader.ReadInteger();
    if (count < 0)
        throw plat::EReadError();
    for (int32_t i = 0; i < count; ++i) {
        TGmValueList record;
        reader.ReadValueList(record);
        TGmFont scratch;
        scratch.LoadFromValueList(record);
        AddFont(scratch);
    }
}
