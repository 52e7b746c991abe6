#pragma once
// A page object that is seen: it has a drawn extent (for the page's hit test) and a place in the page's
// stacking order, which the page list changes through the reorder hook it installs.

#include "GmBaseObject.h"

#include "platform/core/Geometry.h"

#include <array>

// The corners of a box in device units: (Left, Top), (Right, Top), (Left, Bottom), (Right, Bottom).
using TGmCorners = std::array<plat::Point, 4>;

class TGmVisibleObject : public TGmBaseObject {
public:
    PLAT_CLASS_NAME(TGmVisibleObject)

    using TGmBaseObject::TGmBaseObject;

    // Moves to the top of the stacking order, one place up, one place down, or to the bottom.
    static constexpr int ReorderToTop = 0;
    static constexpr int ReorderUp = 1;
    static constexpr int ReorderDown = 2;
    static constexpr int ReorderToBottom = 3;

    // The box of what Draw traces as path figures at the data's resolution; all corners (0, 0) when it
    // traces none.
    virtual TGmCorners GetBounds(const TGmDrawData& data) const;

    // Asks the holder of the reorder hook to move this object in its page's stacking order.
    void Reorder(int kind) { OnReorder(this, kind); }
    // Set by the page list when the object joins a page.
    plat::Hook<TGmVisibleObject*, int> OnReorder;

protected:
    // Assigning one page object to another copies nothing and raises no error.
    void AssignTo(plat::Persistent*) const override {}
};

// The corners of a rectangle in the order of TGmCorners.
TGmCorners CornersOf(const plat::Rect& r);
