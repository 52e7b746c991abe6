#include "GmBrushList.h"

#include "GmReader.h"
#include "GmValueList.h"
#include "GmWriter.h"

#include "platform/core/Exceptions.h"

TGmBrush* TGmBrushList::GetBrush(int index) const { return ItemOrNone(index); }

TGmBrush* TGmBrushList::AddBrush(const TGmBrush& brush)
{
    int i = IndexOfBrush(brush);
    if (i >= 0)
        return Item(i);
    auto copy = std::make_unique<TGmBrush>();
    copy->Assign(&brush);
    return Append(std::move(copy));
}

int TGmBrushList::IndexOfBrush(const TGmBrush& brush) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (BrushesEqual(*m_items[i], brush))
            return static_cast<int>(i);
    return -1;
}

void TGmBrushList::SaveToStream(plat::Stream& stream) const
{
    TGmWriter writer(stream);
    writer.WriteInteger(Count());
    for (const auto& item : m_items) {
        TGmValueList record;
        item->SaveToValueList(record);
        writer.WriteValueList(record);
    }
}

void TGmBrushList::LoadFromStream(plat::Stream& stream)
{
    Clear();
    TGmReader reader(stream);
    int32_t count = reader.ReadInteger();
    if (count < 0)
        throw plat::EReadError();
    for (int32_t i = 0; i < count; ++i) {
        TGmValueList record;
        reader.ReadValueList(record);
        TGmBrush scratch;
        scratch.LoadFromValueList(record);
        AddBrush(scratch);
    }
}
