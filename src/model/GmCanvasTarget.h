#pragma once
// What the drawing canvas needs of the document it records into: the resource table new objects are
// created against, and the place each new object goes to. The page list is the one target; the canvas
// knows it only through this, so the model does not depend on the pages.

#include "GmBaseObject.h"

#include "model/units/GmTypes.h"

#include <memory>

class TGmResourceTable;

class TGmCanvasTarget {
public:
    virtual ~TGmCanvasTarget() = default;

    virtual TGmResourceTable& ResourceTable() = 0;
    // Takes the new object, moves it from the origin Coords names to the paper's corner and puts it on top
    // of the current page. Answers the object, which the target now owns. A failure (no current page)
    // raises, and the object is freed.
    virtual TGmBaseObject* AddObject(std::unique_ptr<TGmBaseObject> object, TGmCoordsRelative coords) = 0;
};
