#pragma once
// Base of the resource table's lists. A list owns its entries and frees them when it is cleared or freed;
// entries are numbered from 0 in the order added and are never removed one by one. An index of -1 means
// no entry. Each list writes and reads itself in the stream form at the stream's current position.

#include "platform/core/Exceptions.h"
#include "platform/core/Object.h"

#include <memory>
#include <vector>

namespace plat {
class Stream;
}

class TGmResourceList : public plat::Object {
public:
    ~TGmResourceList() override = default;

    virtual int Count() const = 0;
    // Frees every entry; the next entry added is number 0 again.
    virtual void Clear() = 0;

    virtual void LoadFromStream(plat::Stream& stream) = 0;
    virtual void SaveToStream(plat::Stream& stream) const = 0;
};

// The storage every list shares: owned entries of one kind.
template <class T>
class TGmResourceListOf : public TGmResourceList {
public:
    int Count() const override { return static_cast<int>(m_items.size()); }
    void Clear() override { m_items.clear(); }

protected:
    // The entry at Index, or the list error "Indice de liste hors limites (%d)".
    T* Item(int index) const
    {
        if (index < 0 || index >= Count())
            throw plat::EListError::IndexOutOfBounds(index);
        return m_items[static_cast<size_t>(index)].get();
    }
    // -1 gives none; any other index must be in the list.
    T* ItemOrNone(int index) const { return index == -1 ? nullptr : Item(index); }

    T* Append(std::unique_ptr<T> item)
    {
        m_items.push_back(std::move(item));
        return m_items.back().get();
    }

    std::vector<std::unique_ptr<T>> m_items;
};
