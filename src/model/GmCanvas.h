#pragma once
// The document's recording drawing interface. It paints nothing itself: each call makes a page object
// that describes the drawing, fixes its rectangle in inches and hands it to the target (the page list),
// which moves it by the origin CoordsRelativeTo names and puts it on the current page.
//
// Pictures are taken at 96 pixels per inch, whatever resolution they were scanned or saved at: a
// 960 x 480 picture drawn at stretch 1 covers 10 x 5 inches.

#include "GmCanvasTarget.h"

#include "model/units/GmTypes.h"
#include "model/units/GmValueSize.h"

#include "platform/core/Object.h"

#include <cstdint>
#include <memory>

class TGmGraphicObject;
class TGmResourceTable;
namespace plat {
class Graphic;
}

class TGmCanvas : public plat::Persistent {
public:
    PLAT_CLASS_NAME(TGmCanvas)

    static constexpr uint32_t SRCCOPY = 0x00CC0020;

    // Takes the target and its resource table (neither owned).
    explicit TGmCanvas(TGmCanvasTarget& target);
    ~TGmCanvas() override;
    TGmCanvas(const TGmCanvas&) = delete;
    TGmCanvas& operator=(const TGmCanvas&) = delete;

    TGmCanvasTarget& PageList() const { return m_target; }
    TGmResourceTable& ResourceTable() const { return m_resourceTable; }

    // The origin of positions given to the drawing calls; gmFromPage at start.
    TGmCoordsRelative GetCoordsRelativeTo() const { return m_coordsRelativeTo; }
    void SetCoordsRelativeTo(TGmCoordsRelative value) { m_coordsRelativeTo = value; }
    // Held for the canvas's users; the drawing calls take their unit as an argument. gmMillimeters at start.
    TGmMeasurement GetDefaultMeasurement() const { return m_defaultMeasurement; }
    void SetDefaultMeasurement(TGmMeasurement value) { m_defaultMeasurement = value; }
    // The resource table's picture list flag: whether a picture equal to a stored one is shared.
    bool GetCompareGraphics() const;
    void SetCompareGraphics(bool value);
    // The raster operation of every picture object made; SRCCOPY.
    uint32_t GetCopyMode() const { return m_copyMode; }
    void SetCopyMode(uint32_t value) { m_copyMode = value; }

    // The picture's size in inches at 96 pixels per inch. The answer is the canvas's own size object,
    // valid until the next call.
    TGmValueSize& GetGraphicSize(const plat::Graphic& graphic);

    // Places the whole picture with its top-left corner at (X, Y) in Measurement and its natural size
    // times Stretch (any factor, 0 included). Answers the object made.
    TGmGraphicObject* Draw(const plat::Graphic& graphic, TGmMeasurement measurement, Extended x, Extended y,
                           Extended stretch);
    // Places the picture stretched into the rectangle, all in Measurement, corners as given (a rectangle
    // with Right < Left stays so). The picture is copied into, or found in, the resource table, so the
    // caller keeps its own. Answers the object made.
    TGmGraphicObject* StretchDraw(const plat::Graphic& graphic, TGmMeasurement measurement, Extended left,
                                  Extended top, Extended right, Extended bottom);

    // Hands a new object to the target with CoordsRelativeTo; answers it.
    TGmBaseObject* AddObject(std::unique_ptr<TGmBaseObject> object);

private:
    TGmCanvasTarget& m_target;
    TGmResourceTable& m_resourceTable;
    TGmCoordsRelative m_coordsRelativeTo = gmFromPage;
    TGmMeasurement m_defaultMeasurement = gmMillimeters;
    uint32_t m_copyMode = SRCCOPY;
    std::unique_ptr<TGmValueSize> m_graphicSize;
};
