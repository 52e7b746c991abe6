#pragma once
// The document's pictures: JPEG pictures, metafiles and bitmaps, each stored as the list's own copy. With
// CompareGraphics set (the default) a picture equal to a stored one is not stored again.

#include "GmResourceList.h"

#include "platform/graphics/Graphic.h"

class TGmGraphicList : public TGmResourceListOf<plat::Graphic> {
public:
    PLAT_CLASS_NAME(TGmGraphicList)

    // The kind byte of the stream form.
    static constexpr int KindJpeg = 0;
    static constexpr int KindMetafile = 1;
    static constexpr int KindBitmap = 2;

    bool CompareGraphics = true;

    // -1 gives none; any other index outside the list raises "Indice de liste hors limites (%d)".
    plat::Graphic* GetGraphic(int index) const;
    // With CompareGraphics, the first stored picture equal to Picture (GraphicsEqual). Otherwise, or when
    // none is equal, a copy of Picture, appended: a JPEG picture, a metafile or a bitmap (subclasses count
    // as their base). Any other kind of picture, or none, answers none and stores nothing.
    plat::Graphic* AddGraphic(const plat::Graphic* picture);
    // Index of the first stored picture equal to Picture, or -1.
    int IndexOfGraphic(const plat::Graphic* picture) const;
    // 0 for a JPEG picture, 1 for a metafile, 2 for anything else.
    static int GraphicKind(const plat::Graphic* picture);

    // The count, then per picture its kind byte, the stream position just past its data (4 bytes), and the
    // picture in its own format.
    void SaveToStream(plat::Stream& stream) const override;
    // Adds each picture read to what the list holds already (no comparison). A picture of a kind this list
    // does not know is skipped by its end position; an end position before the picture's data or past the
    // end of the stream is a read error. A picture reads only its own data, never beyond its end position.
    void LoadFromStream(plat::Stream& stream) override;
};

// False when the sizes differ; otherwise whether the two pictures save to the same bytes. Costs at most
// the two savings, without holding the second picture's bytes while they agree with the first's.
bool GraphicsEqual(const plat::Graphic& a, const plat::Graphic& b);
