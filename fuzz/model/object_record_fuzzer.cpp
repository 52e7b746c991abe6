// A picture object's record from hostile bytes, read against a small resource table (one pen, one brush,
// one picture): either it is read or one of the platform's errors is raised. An object that was read draws
// on a screen and a printer surface, gives its box, and writes a record that reads back to the same one.

#include "model/GmGraphicObject.h"

#include "resources/GmResourceTable.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Stream.h"
#include "platform/graphics/Bitmap.h"
#include "platform/surface/RecordingSurface.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

TGmResourceTable& Table()
{
    static TGmResourceTable* table = [] {
        auto* t = new TGmResourceTable;
        TGmPen pen;
        pen.Width = 4;
        t->Pens().AddPen(pen);
        t->Brushes().AddBrush(TGmBrush());
        plat::Bitmap picture(4, 3, plat::PixelFormat::Bit24);
        picture.SetPixel(1, 1, plat::clRed);
        t->Pictures().AddGraphic(&picture);
        return t;
    }();
    return *table;
}

std::vector<uint8_t> Record(const TGmGraphicObject& object)
{
    plat::MemoryStream stream;
    object.SaveToStream(stream);
    return stream.Bytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    plat::MemoryStream input(std::vector<uint8_t>(data, data + size));
    TGmGraphicObject object(Table());
    try {
        object.LoadFromStream(input);
    } catch (const plat::Exception&) {
        return 0;
    }

    TGmDrawData drawData;
    drawData.PpiX = 600;
    drawData.PpiY = 600;
    plat::RecordingSurface screen;
    object.Draw(screen, drawData);
    drawData.PpiX = drawData.PpiY = 300;
    plat::RecordingSurface printer("TPrinterCanvas");
    object.Draw(printer, drawData);
    object.GetBounds(drawData);

    const std::vector<uint8_t> written = Record(object);
    plat::MemoryStream again(written);
    again.SetPosition(4); // past the type code, which the reader of a document consumes
    TGmGraphicObject back(Table());
    back.LoadFromStream(again);
    if (Record(back) != written)
        std::abort();
    return 0;
}
