#include "GmBaseObject.h"

#include "resources/GmValueList.h"
#include "resources/GmWriter.h"

void TGmBaseObject::Changed() { OnChange(this); }

void TGmBaseObject::Draw(plat::Surface&, const TGmDrawData&) const {}

void TGmBaseObject::Offset(TGmMeasurement, Extended, Extended) {}

void TGmBaseObject::LoadFromValueList(const TGmValueList& list)
{
    // "ID" is not read back: the class was chosen by the type code in front of the record.
    m_userTag = list.GetInteger("UI", -1);
}

void TGmBaseObject::SaveToValueList(TGmValueList& list) const
{
    list.Add("");
    list.Add("");
    list.SetInteger("ID", ObjectID());
    list.SetInteger("UI", m_userTag);
}

void TGmBaseObject::SaveToStream(plat::Stream& stream) const
{
    TGmValueList list;
    SaveToValueList(list);
    TGmWriter writer(stream);
    writer.WriteInteger(ObjectID());
    writer.WriteValueList(list);
}

void TGmBaseObject::LoadFromStream(plat::Stream& stream)
{
    TGmValueList list;
    list.LoadFromStream(stream);
    LoadFromValueList(list);
}
