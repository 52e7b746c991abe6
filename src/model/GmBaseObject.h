#pragma once
// Base of the page objects: what a page holds and draws. An object knows its type code, the document's
// resource table its pens, brushes and pictures live in, a tag of its user's, and writes itself as a
// record: its type code, then a value list of name=value lines (two empty lines first, then "ID" and "UI",
// then what each class adds). Objects share resources and never free them.

#include "GmDrawData.h"

#include "model/units/GmTypes.h"

#include "platform/core/Hook.h"
#include "platform/core/Object.h"

#include <cstdint>

class TGmResourceTable;
class TGmValueList;
namespace plat {
class Stream;
class Surface;
} // namespace plat

class TGmBaseObject : public plat::Persistent {
public:
    PLAT_CLASS_NAME(TGmBaseObject)

    explicit TGmBaseObject(TGmResourceTable& resourceTable) : m_resourceTable(resourceTable) {}
    ~TGmBaseObject() override = default;
    TGmBaseObject(const TGmBaseObject&) = delete;
    TGmBaseObject& operator=(const TGmBaseObject&) = delete;

    // The type code of the object's class, written in front of its record (13 for a picture object).
    virtual int32_t GetObjectID() const = 0;
    int32_t ObjectID() const { return GetObjectID(); }

    TGmResourceTable& ResourceTable() const { return m_resourceTable; }

    // Carried through the record, never interpreted; -1 at start.
    int32_t GetUserTag() const { return m_userTag; }
    void SetUserTag(int32_t value) { m_userTag = value; }

    // Calls OnChange when assigned (the object list that holds the object sets it).
    virtual void Changed();
    // Draws the object on canvas at the data's resolution. The base draws nothing.
    virtual void Draw(plat::Surface& canvas, const TGmDrawData& data) const;
    // Moves the object by (dx, dy) given in measurement. The base has no position.
    virtual void Offset(TGmMeasurement measurement, Extended dx, Extended dy);

    // Each class reads and writes its keys after its ancestors'. Reading stops at the first faulty value
    // with its error; what was read before it stays.
    virtual void LoadFromValueList(const TGmValueList& list);
    virtual void SaveToValueList(TGmValueList& list) const;
    // The record: the type code as a 4-byte little-endian integer, then the value list as a block.
    void SaveToStream(plat::Stream& stream) const;
    // Reads one value-list block (the type code in front has been read by whoever chose the class).
    void LoadFromStream(plat::Stream& stream);

    plat::NotifyEvent OnChange;

private:
    TGmResourceTable& m_resourceTable;
    int32_t m_userTag = -1;
};
