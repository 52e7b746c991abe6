#pragma once
// A visible object drawn with one of the document's shared pens (or none).

#include "GmVisibleObject.h"

class TGmPen;

class TGmOutlineShape : public TGmVisibleObject {
public:
    PLAT_CLASS_NAME(TGmOutlineShape)

    using TGmVisibleObject::TGmVisibleObject;

    // An entry of the resource table's pen list, or none.
    TGmPen* Pen() const { return m_pen; }
    void SetPen(TGmPen* pen) { m_pen = pen; }

    // Realises the pen on the canvas at the data's horizontal resolution; draws no figure.
    void Draw(plat::Surface& canvas, const TGmDrawData& data) const override;
    // "P": the pen's index in the pen list, written only when there is a pen; missing reads as none.
    void LoadFromValueList(const TGmValueList& list) override;
    void SaveToValueList(TGmValueList& list) const override;

private:
    TGmPen* m_pen = nullptr;
};
