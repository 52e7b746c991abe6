#include "GmBaseObjectList.h"

#include "platform/core/Exceptions.h"

TGmBaseObjectList::~TGmBaseObjectList() = default;

void TGmBaseObjectList::Route(TGmBaseObject& object)
{
    object.OnChange.Set([this](plat::Object*) { Changed(); });
}

TGmBaseObject* TGmBaseObjectList::Add(std::unique_ptr<TGmBaseObject> object)
{
    if (!object)
        return nullptr;
    m_items.push_back(std::move(object));
    TGmBaseObject* added = m_items.back().get();
    Route(*added);
    Changed();
    return added;
}

TGmBaseObject* TGmBaseObjectList::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw plat::EListError::IndexOutOfBounds(index);
    return m_items[static_cast<size_t>(index)].get();
}

int TGmBaseObjectList::IndexOf(const TGmBaseObject* object) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_items[static_cast<size_t>(i)].get() == object)
            return i;
    return -1;
}

std::unique_ptr<TGmBaseObject> TGmBaseObjectList::Extract(int index)
{
    if (index < 0 || index >= Count())
        throw plat::EListError::IndexOutOfBounds(index);
    std::unique_ptr<TGmBaseObject> object = std::move(m_items[static_cast<size_t>(index)]);
    m_items.erase(m_items.begin() + index);
    return object;
}

void TGmBaseObjectList::Insert(int index, std::unique_ptr<TGmBaseObject> object)
{
    if (index < 0 || index > Count())
        throw plat::EListError::IndexOutOfBounds(index);
    if (!object)
        return;
    Route(*object);
    m_items.insert(m_items.begin() + index, std::move(object));
}

void TGmBaseObjectList::Clear()
{
    m_items.clear();
}

void TGmBaseObjectList::Changed() { OnChange(this); }
