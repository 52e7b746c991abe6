#pragma once
// An outlined object also filled with one of the document's shared brushes (or none).

#include "GmOutlineShape.h"

class TGmBrush;

class TGmSolidShape : public TGmOutlineShape {
public:
    PLAT_CLASS_NAME(TGmSolidShape)

    using TGmOutlineShape::TGmOutlineShape;

    // An entry of the resource table's brush list, or none.
    TGmBrush* Brush() const { return m_brush; }
    void SetBrush(TGmBrush* brush) { m_brush = brush; }

    // The outline's pen, then the brush realised on the canvas; draws no figure.
    void Draw(plat::Surface& canvas, const TGmDrawData& data) const override;
    // "B": the brush's index in the brush list, written only when there is a brush; missing reads as none.
    void LoadFromValueList(const TGmValueList& list) override;
    void SaveToValueList(TGmValueList& list) const override;

private:
    TGmBrush* m_brush = nullptr;
};
