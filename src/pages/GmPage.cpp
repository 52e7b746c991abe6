#include "GmPage.h"

#include "GmFooter.h"
#include "GmHeader.h"
#include "GmPageList.h"

#include "model/GmVisibleObject.h"
#include "model/units/GmDrawHelpers.h"
#include "model/units/GmFuncs.h"


TGmPage::TGmPage(TGmPageList& pageList)
    : m_objects(std::make_unique<TGmBaseObjectList>()),
      m_pageList(pageList),
      m_rtfInfo(std::make_unique<TGmPageRtfInfo>(pageList.ResourceTable()))
{
    m_objects->OnChange.Set([this](plat::Object*) { Changed(); });
}

TGmPage::~TGmPage() = default;

void TGmPage::Changed() { OnChange(this); }

TGmBaseObject* TGmPage::AddObject(std::unique_ptr<TGmBaseObject> object)
{
    TGmBaseObject* added = m_objects->Add(std::move(object));
    Changed();
    return added;
}

void TGmPage::SetSize(Extended width, Extended height)
{
    m_width = width;
    m_height = height;
    Changed();
}

TGmSize TGmPage::GetSize(TGmMeasurement unit) const
{
    return TGmSize{ConvertValue(gmInches, unit, m_width), ConvertValue(gmInches, unit, m_height)};
}

void TGmPage::SetOrientation(TGmOrientation orientation)
{
    const Extended smaller = Min(m_width, m_height);
    const Extended larger = Max(m_width, m_height);
    if (orientation == gmPortrait) {
        m_width = smaller;
        m_height = larger;
    } else {
        m_width = larger;
        m_height = smaller;
    }
    m_orientation = orientation;
    OnOrientationChange(this);
}

int TGmPage::PageNumber() const { return m_pageList.IndexOf(this) + 1; }

void TGmPage::Draw(plat::Surface& canvas, int xDpi, int yDpi, bool draft) const
{
    TGmDrawData data;
    data.PageNumber = PageNumber();
    data.PpiX = xDpi;
    data.PpiY = yDpi;
    data.PageCount = m_pageList.PageCount();
    data.Draft = draft;
    for (int i = 0; i < m_objects->Count(); ++i)
        m_objects->Items(i)->Draw(canvas, data);
    if (m_showHeader)
        m_pageList.Header().Draw(canvas, m_pageList.Margins(), Size(), xDpi, yDpi, data.PageNumber, data.PageCount);
    if (m_showFooter)
        m_pageList.Footer().Draw(canvas, m_pageList.Margins(), Size(), xDpi, yDpi, data.PageNumber, data.PageCount);
}

TGmVisibleObject* TGmPage::ObjectAtPoint(TGmMeasurement unit, Extended x, Extended y) const
{
    constexpr int HitPpi = 600;
    const int px = DeviceUnits(ConvertValue(unit, gmInches, x) * HitPpi);
    const int py = DeviceUnits(ConvertValue(unit, gmInches, y) * HitPpi);
    TGmDrawData data;
    data.PageNumber = PageNumber();
    data.PpiX = HitPpi;
    data.PpiY = HitPpi;
    data.PageCount = m_pageList.PageCount();
    TGmVisibleObject* hit = nullptr;
    for (int i = 0; i < m_objects->Count(); ++i) {
        auto* visible = dynamic_cast<TGmVisibleObject*>(m_objects->Items(i));
        if (!visible)
            continue;
        const TGmCorners corners = visible->GetBounds(data);
        const plat::Point topLeft = corners[0];
        const plat::Point bottomRight = corners[3];
        if (px >= topLeft.X && px < bottomRight.X && py >= topLeft.Y && py < bottomRight.Y)
            hit = visible; // the last hit is the topmost
    }
    return hit;
}
