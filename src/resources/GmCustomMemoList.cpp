#include "GmCustomMemoList.h"

#include "GmReader.h"
#include "GmWriter.h"

#include "platform/core/Exceptions.h"

TGmMemo* TGmCustomMemoList::GetMemo(int index) const { return ItemOrNone(index); }

int TGmCustomMemoList::IndexOfMemo(const TGmMemo* memo) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].get() == memo)
            return static_cast<int>(i);
    return -1;
}

std::unique_ptr<TGmMemo> TGmCustomMemoList::NewMemo()
{
    std::unique_ptr<TGmMemo> memo;
    OnNeedRichEdit(this, memo);
    if (!memo)
        memo = std::make_unique<TGmMemo>(true);
    return memo;
}

TGmMemo* TGmCustomMemoList::AddMemo(const TGmMemo* memo)
{
    if (!memo)
        return nullptr;
    if (int i = IndexOfMemo(memo); i >= 0)
        return Item(i);
    std::unique_ptr<TGmMemo> copy = NewMemo();
    copy->Text = memo->Text;
    return Append(std::move(copy));
}

void TGmCustomMemoList::SaveToStream(plat::Stream& stream) const
{
    TGmWriter writer(stream);
    writer.WriteInteger(Count());
    for (const auto& memo : m_items) {
        writer.WriteInteger(IsRichEdit(*memo) ? 1 : 0);
        writer.WriteBlock(memo->Text);
    }
}

void TGmCustomMemoList::LoadFromStream(plat::Stream& stream)
{
    TGmReader reader(stream);
    int32_t count = reader.ReadInteger();
    if (count < 0)
        throw plat::EReadError();
    for (int32_t i = 0; i < count; ++i) {
        int32_t kind = reader.ReadInteger();
        // A rich memo comes from the request; a plain one is read as plain text either way.
        std::unique_ptr<TGmMemo> read = (kind & 0xFF) != 0 ? NewMemo() : std::make_unique<TGmMemo>(true);
        read->Text = reader.ReadBlock();
        AddMemo(read.get());
    }
}
