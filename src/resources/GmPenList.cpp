#include "GmPenList.h"

#include "GmReader.h"
#include "GmValueList.h"
#include "GmWriter.h"

#include "platform/core/Exceptions.h"

TGmPen* TGmPenList::GetPen(int index) const { return ItemOrNone(index); }

TGmPen* TGmPenList::AddPen(const TGmPen& pen)
{
    int i = IndexOfPen(pen);
    if (i >= 0)
        return Item(i);
    auto copy = std::make_unique<TGmPen>();
    copy->Assign(&pen);
    return Append(std::move(copy));
}

int TGmPenList::IndexOfPen(const TGmPen& pen) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (PensEqual(*m_items[i], pen))
            return static_cast<int>(i);
    return -1;
}

void TGmPenList::SaveToStream(plat::Stream& stream) const
{
    TGmWriter writer(stream);
    writer.WriteInteger(Count());
    for (const auto& item : m_items) {
        TGmValueList record;
        item->SaveToValueList(record);
        writer.WriteValueList(record);
    }
}

void TGmPenList::LoadFromStream(plat::Stream& stream)
{
    TGmReader reader(stream);
    int32_t count = reader.ReadInteger();
    if (count < 0)
        throw plat::EReadError();
    for (int32_t i = 0; i < count; ++i) {
        TGmValueList record;
        reader.ReadValueList(record);
        TGmPen scratch;
        scratch.LoadFromValueList(record);
        AddPen(scratch);
    }
}
