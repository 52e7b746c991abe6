#pragma once
// The lists of plain records (brushes, pens, fonts): an entry is added only when no equal one is there,
// and the stream form is the count followed by one value-list block per record.

#include "GmReader.h"
#include "GmResourceList.h"
#include "GmValueList.h"
#include "GmWriter.h"

template <class T, bool (*Equal)(const T&, const T&)>
class TGmRecordListOf : public TGmResourceListOf<T> {
public:
    void SaveToStream(plat::Stream& stream) const override
    {
        TGmWriter writer(stream);
        writer.WriteInteger(this->Count());
        for (const auto& item : this->m_items) {
            TGmValueList record;
            item->SaveToValueList(record);
            writer.WriteValueList(record);
        }
    }

protected:
    int IndexOfEqual(const T& record) const
    {
        for (size_t i = 0; i < this->m_items.size(); ++i)
            if (Equal(*this->m_items[i], record))
                return static_cast<int>(i);
        return -1;
    }

    // The first equal entry, or a new entry holding a copy; the caller's record stays the caller's.
    T* AddEqualOrCopy(const T& record)
    {
        int i = IndexOfEqual(record);
        if (i >= 0)
            return this->Item(i);
        auto copy = std::make_unique<T>();
        copy->Assign(&record);
        return this->Append(std::move(copy));
    }

    // Reads the count and each record into a scratch record added through AddEqualOrCopy, so equal
    // records end up as one entry.
    void LoadRecords(plat::Stream& stream)
    {
        TGmReader reader(stream);
        int32_t count = reader.ReadInteger();
        if (count < 0)
            throw plat::EReadError();
        for (int32_t i = 0; i < count; ++i) {
            TGmValueList record;
            reader.ReadValueList(record);
            T scratch;
            scratch.LoadFromValueList(record);
            AddEqualOrCopy(scratch);
        }
    }
};
