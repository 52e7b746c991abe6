#pragma once
// The objects of one page in stacking order (index 0 is drawn first). The list owns them: it frees them
// when cleared or destroyed. A change of any object, or an addition, reaches the list's OnChange.

#include "GmBaseObject.h"

#include "platform/core/Hook.h"
#include "platform/core/Object.h"

#include <memory>
#include <vector>

class TGmBaseObjectList : public plat::Object {
public:
    PLAT_CLASS_NAME(TGmBaseObjectList)

    TGmBaseObjectList() = default;
    ~TGmBaseObjectList() override;
    TGmBaseObjectList(const TGmBaseObjectList&) = delete;
    TGmBaseObjectList& operator=(const TGmBaseObjectList&) = delete;

    // Appends the object, routes its OnChange to this list, then notifies. Answers the object.
    TGmBaseObject* Add(std::unique_ptr<TGmBaseObject> object);
    int Count() const { return static_cast<int>(m_items.size()); }
    // Index from 0; outside the list raises "Indice de liste hors limites (%d)".
    TGmBaseObject* Items(int index) const;
    // Position of the object in the list, or -1.
    int IndexOf(const TGmBaseObject* object) const;
    // Takes the object at index out of the list without freeing it (its OnChange stays routed here) and
    // inserts an object at index (0..Count); neither notifies. Bad indexes raise the list error.
    std::unique_ptr<TGmBaseObject> Extract(int index);
    void Insert(int index, std::unique_ptr<TGmBaseObject> object);
    // Frees every object; does not notify.
    void Clear();

    // Calls OnChange with this list as sender.
    void Changed();

    plat::NotifyEvent OnChange;

private:
    void Route(TGmBaseObject& object);

    std::vector<std::unique_ptr<TGmBaseObject>> m_items;
};
