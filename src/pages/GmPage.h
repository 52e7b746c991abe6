#pragma once
// One page of the document: its objects in stacking order, its size in inches and its orientation. The
// page draws itself (objects bottom first, then the document's header and footer) on any surface at a
// resolution given at draw time: the paper view passes 600 per inch, the print job the printer's.

#include "model/GmBaseObjectList.h"
#include "model/GmDrawData.h"
#include "model/GmPageRtfInfo.h"
#include "model/units/GmTypes.h"

#include "platform/core/Hook.h"
#include "platform/core/Object.h"

#include <memory>

class TGmPageList;
class TGmVisibleObject;
namespace plat {
class Surface;
}

class TGmPage : public plat::Object {
public:
    PLAT_CLASS_NAME(TGmPage)

    // A page of the list (not owned by it until the list takes it): 8.26 x 11.69 inches, portrait, header
    // and footer shown, notifications unassigned.
    explicit TGmPage(TGmPageList& pageList);
    ~TGmPage() override;
    TGmPage(const TGmPage&) = delete;
    TGmPage& operator=(const TGmPage&) = delete;

    // Index 0 is drawn first (bottom). Any change of the list or of an object calls Changed.
    TGmBaseObjectList& Objects() { return *m_objects; }
    const TGmBaseObjectList& Objects() const { return *m_objects; }
    TGmPageList& PageList() const { return m_pageList; }
    TGmPageRtfInfo& RtfInfo() { return *m_rtfInfo; }

    TGmOrientation Orientation() const { return m_orientation; }
    // Portrait makes Width the smaller of the two dimensions, landscape the larger; raises
    // OnOrientationChange (not OnChange).
    void SetOrientation(TGmOrientation orientation);

    Extended Width() const { return m_width; }
    Extended Height() const { return m_height; }
    TGmSize Size() const { return TGmSize{m_width, m_height}; }
    // Both in inches; calls Changed.
    void SetSize(Extended width, Extended height);
    // Width and height converted from inches to Unit.
    TGmSize GetSize(TGmMeasurement unit) const;

    bool ShowHeader() const { return m_showHeader; }
    bool ShowFooter() const { return m_showFooter; }

    // Puts the object on top, calls Changed and answers it (the page owns it).
    TGmBaseObject* AddObject(std::unique_ptr<TGmBaseObject> object);

    // The page's place in its list plus 1; 0 while it is in none.
    int PageNumber() const;

    // Objects in list order, then the header and the footer when shown, at XDpi by YDpi surface units per
    // inch. Draft is handed to the objects.
    void Draw(plat::Surface& canvas, int xDpi, int yDpi, bool draft) const;

    // The topmost visible object whose drawn box at 600 per inch holds the point (X, Y) given in Unit (left
    // and top edges inside, right and bottom edges outside); null when none does.
    TGmVisibleObject* ObjectAtPoint(TGmMeasurement unit, Extended x, Extended y) const;

    void Changed();

    plat::NotifyEvent OnChange;
    plat::NotifyEvent OnOrientationChange;

private:
    std::unique_ptr<TGmBaseObjectList> m_objects;
    TGmOrientation m_orientation = gmPortrait;
    TGmPageList& m_pageList;
    Extended m_width = 8.26L;
    Extended m_height = 11.69L;
    std::unique_ptr<TGmPageRtfInfo> m_rtfInfo;
    bool m_showFooter = true;
    bool m_showHeader = true;
};
