#include "GmCanvas.h"

#include "GmGraphicObject.h"

#include "model/units/GmFuncs.h"
#include "resources/GmResourceTable.h"

#include "platform/graphics/Graphic.h"

TGmCanvas::TGmCanvas(TGmCanvasTarget& target)
    : m_target(target), m_resourceTable(target.ResourceTable()), m_graphicSize(std::make_unique<TGmValueSize>())
{
}

TGmCanvas::~TGmCanvas() = default;

bool TGmCanvas::GetCompareGraphics() const { return m_resourceTable.Pictures().CompareGraphics; }

void TGmCanvas::SetCompareGraphics(bool value) { m_resourceTable.Pictures().CompareGraphics = value; }

TGmValueSize& TGmCanvas::GetGraphicSize(const plat::Graphic& graphic)
{
    constexpr Extended PixelsPerInch = 96;
    m_graphicSize->Height().SetAsInches(graphic.GetHeight() / PixelsPerInch);
    m_graphicSize->Width().SetAsInches(graphic.GetWidth() / PixelsPerInch);
    return *m_graphicSize;
}

TGmGraphicObject* TGmCanvas::Draw(const plat::Graphic& graphic, TGmMeasurement measurement, Extended x, Extended y,
                                  Extended stretch)
{
    const Extended h = GetGraphicSize(graphic).Height().GetValue(measurement);
    const Extended w = GetGraphicSize(graphic).Width().GetValue(measurement);
    return StretchDraw(graphic, measurement, x, y, x + w * stretch, y + h * stretch);
}

TGmGraphicObject* TGmCanvas::StretchDraw(const plat::Graphic& graphic, TGmMeasurement measurement, Extended left,
                                         Extended top, Extended right, Extended bottom)
{
    auto object = std::make_unique<TGmGraphicObject>(m_resourceTable);
    object->SetGraphic(&graphic);
    object->SetCopyMode(m_copyMode);
    object->SetRect(measurement, MakeGmRect(left, top, right, bottom));
    return static_cast<TGmGraphicObject*>(AddObject(std::move(object)));
}

TGmBaseObject* TGmCanvas::AddObject(std::unique_ptr<TGmBaseObject> object)
{
    return m_target.AddObject(std::move(object), m_coordsRelativeTo);
}
