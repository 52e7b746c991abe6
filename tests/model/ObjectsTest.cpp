// Page objects: where a picture lands on screens and printers, how it is sent to each, what it keeps of
// the pictures it is given, its record (written, read, damaged), its box, and the object list.

#include "model/GmBaseObjectList.h"
#include "model/GmGraphicObject.h"
#include "model/units/GmDrawHelpers.h"
#include "model/units/GmFuncs.h"

#include "resources/GmResourceTable.h"
#include "resources/GmValueList.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Stream.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/JpegImage.h"
#include "platform/surface/Metafile.h"
#include "platform/surface/RasterOp.h"
#include "platform/surface/RecordingSurface.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using plat::PixelFormat;
using plat::SurfaceCall;

constexpr size_t FormatArg = 10; // StretchDIBits: the bitmap's pixel format among the record's arguments

TGmDrawData At(int ppiX, int ppiY)
{
    TGmDrawData d;
    d.PageNumber = 1;
    d.PageCount = 1;
    d.PpiX = ppiX;
    d.PpiY = ppiY;
    return d;
}

class PictureObject : public testing::Test {
protected:
    // A picture object covering (1, 2, 3, 4) inches with picture.
    std::unique_ptr<TGmGraphicObject> Make(const plat::Graphic* picture)
    {
        auto object = std::make_unique<TGmGraphicObject>(Table);
        object->SetGraphic(picture);
        object->SetRect(gmInches, MakeGmRect(1, 2, 3, 4));
        return object;
    }

    TGmResourceTable Table;
    plat::Bitmap Scan{960, 480, PixelFormat::Bit24};
};

struct RectCase {
    const char* Name;
    TGmRect Rect;
    int PpiX, PpiY;
    plat::Rect Expected;
};

void PrintTo(const RectCase& c, std::ostream* os) { *os << c.Name; }

class DeviceRect : public testing::TestWithParam<RectCase> {};

TEST_P(DeviceRect, ScalesEachSideAndRoundsTiesToEven)
{
    TGmResourceTable table;
    TGmGraphicObject object(table);
    object.SetRect(gmInches, GetParam().Rect);
    EXPECT_EQ(object.GetDeviceRect(GetParam().PpiX, GetParam().PpiY), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Objects, DeviceRect, testing::Values(
    RectCase{"Preview600", MakeGmRect(1, 2, 3, 4), 600, 600, {600, 1200, 1800, 2400}},
    RectCase{"Printer300", MakeGmRect(1, 2, 3, 4), 300, 300, {300, 600, 900, 1200}},
    RectCase{"EachAxisItsOwnResolution", MakeGmRect(1, 2, 3, 4), 600, 300, {600, 600, 1800, 1200}},
    RectCase{"HalfUnitsGoToEven", MakeGmRect(3 / 1024.0L, 5 / 1024.0L, 5 / 1024.0L, 7 / 1024.0L), 512, 512,
             {2, 2, 2, 4}},
    RectCase{"CornersAreNotReordered", MakeGmRect(3, 4, 1, 2), 100, 100, {300, 400, 100, 200}},
    RectCase{"FarOffThePageStaysInRange", MakeGmRect(-2e6L, 0, 2e6L, 1), 7200, 7200,
             {-MaxDeviceUnits, 0, MaxDeviceUnits, 7200}}),
    [](const auto& info) { return std::string(info.param.Name); });

struct DrawCase {
    const char* Name;
    const char* SurfaceClass;
    int Ppi;
    uint32_t CopyMode;
    const char* Expected;
};

void PrintTo(const DrawCase& c, std::ostream* os) { *os << c.Name; }

class PictureDraw : public PictureObject, public testing::WithParamInterface<DrawCase> {};

// The screen's surface stretches the bitmap itself; the printer's takes device-independent bits.
TEST_P(PictureDraw, LandsInTheDeviceRectangle)
{
    auto object = Make(&Scan);
    object->SetCopyMode(GetParam().CopyMode);
    plat::RecordingSurface s(GetParam().SurfaceClass);
    object->Draw(s, At(GetParam().Ppi, GetParam().Ppi));
    EXPECT_EQ(s.Lines(), std::vector<std::string>{GetParam().Expected});
    EXPECT_EQ(s.GetCopyMode(), GetParam().CopyMode);
}

INSTANTIATE_TEST_SUITE_P(Objects, PictureDraw, testing::Values(
    DrawCase{"Preview600", "TRecordingCanvas", 600, plat::SRCCOPY,
             "StretchBitmap 600,1200,1800,2400 bitmap 960x480 rop CC0020"},
    DrawCase{"Printer300", "TPrinterCanvas", 300, plat::SRCCOPY,
             "StretchDIBits 300,600,900,1200 src 0,0,960,480 rop CC0020"},
    DrawCase{"PreviewWithSrcAnd", "TRecordingCanvas", 600, plat::SRCAND,
             "StretchBitmap 600,1200,1800,2400 bitmap 960x480 rop 8800C6"},
    DrawCase{"PrinterWithSrcAnd", "TPrinterCanvas", 300, plat::SRCAND,
             "StretchDIBits 300,600,900,1200 src 0,0,960,480 rop 8800C6"},
    DrawCase{"PrinterWithNoStandardCode", "TPrinterCanvas", 300, 0x00AA0029,
             "StretchDIBits 300,600,900,1200 src 0,0,960,480 rop CC0020"},
    DrawCase{"PrinterNameInOtherCaseIsNoPrinter", "tprintercanvas", 300, plat::SRCCOPY,
             "StretchBitmap 300,600,900,1200 bitmap 960x480 rop CC0020"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(PictureObject, PrintsInTheObjectsPixelFormat)
{
    plat::RecordingSurface printer("TPrinterCanvas");
    auto bitmapObject = Make(&Scan);
    EXPECT_EQ(bitmapObject->GetPixelFormat(), PixelFormat::Bit24);
    bitmapObject->Draw(printer, At(300, 300));

    // A JPEG picture keeps the object's eight bits and is printed through a reduced copy.
    const auto jpeg = GraphicToJpeg(Scan);
    auto jpegObject = Make(jpeg.get());
    EXPECT_EQ(jpegObject->GetPixelFormat(), PixelFormat::Bit8);
    jpegObject->Draw(printer, At(300, 300));

    auto oneBit = Make(&Scan);
    oneBit->SetPixelFormat(PixelFormat::Bit1);
    oneBit->Draw(printer, At(300, 300));

    ASSERT_EQ(printer.Count(SurfaceCall::StretchDIBits), 3);
    EXPECT_EQ(printer.Records()[0].Ints[FormatArg], static_cast<int>(PixelFormat::Bit24));
    EXPECT_EQ(printer.Records()[1].Ints[FormatArg], static_cast<int>(PixelFormat::Bit8));
    EXPECT_EQ(printer.Records()[2].Ints[FormatArg], static_cast<int>(PixelFormat::Bit1));
    // The stored pictures are not touched by printing.
    EXPECT_EQ(dynamic_cast<plat::Bitmap&>(*oneBit->Graphic()).GetPixelFormat(), PixelFormat::Bit24);
    EXPECT_EQ(dynamic_cast<plat::JpegImage&>(*jpegObject->Graphic()).GetBitmap().GetPixelFormat(),
              PixelFormat::Bit24);

    // On the screen the decoded JPEG is stretched as it is.
    plat::RecordingSurface screen;
    jpegObject->Draw(screen, At(600, 600));
    ASSERT_EQ(screen.Records().size(), 1u);
    EXPECT_EQ(screen.Records()[0].Kind, SurfaceCall::StretchBitmap);
    EXPECT_EQ(screen.Records()[0].Ints[6], static_cast<int>(PixelFormat::Bit24));
}

TEST_F(PictureObject, MetafileReplaysOnThePrinterToo)
{
    plat::Metafile metafile(100, 50);
    {
        plat::MetafileSurface recorder(metafile);
        recorder.Rectangle({0, 0, 100, 50});
    }
    auto object = Make(&metafile);
    EXPECT_EQ(object->GetPixelFormat(), PixelFormat::Bit8);
    for (const char* name : {"TPrinterCanvas", "TRecordingCanvas"}) {
        plat::RecordingSurface s(name);
        object->Draw(s, At(300, 300));
        EXPECT_EQ(s.Count(SurfaceCall::StretchDIBits), 0) << name;
        EXPECT_EQ(s.DrawingLines(), std::vector<std::string>{"Rectangle 300,600,900,1200"}) << name;
    }
}

TEST_F(PictureObject, DrawsNothingWithoutAPictureOrWithAnEmptyOne)
{
    plat::Bitmap empty;
    for (const plat::Graphic* picture : {static_cast<const plat::Graphic*>(nullptr),
                                         static_cast<const plat::Graphic*>(&empty)}) {
        auto object = Make(picture);
        for (const char* name : {"TPrinterCanvas", "TRecordingCanvas"}) {
            plat::RecordingSurface s(name);
            object->Draw(s, At(300, 300));
            EXPECT_TRUE(s.Records().empty()) << name;
        }
    }
}

TEST_F(PictureObject, OffsetMovesByExactLengthsAndNotifies)
{
    auto object = Make(&Scan);
    int notified = 0;
    object->OnChange.Set([&](plat::Object* sender) {
        EXPECT_EQ(sender, object.get());
        ++notified;
    });
    object->Offset(gmTwips, 1440, 0);
    EXPECT_EQ(object->Rect(), MakeGmRect(2, 2, 4, 4));
    EXPECT_EQ(notified, 1);
    object->Offset(gmMillimeters, 0, 25.4L);
    EXPECT_EQ(object->Rect().Top, 2 + ConvertValue(gmMillimeters, gmInches, 25.4L));
    EXPECT_EQ(notified, 2);
}

// A picture kind of another library that can give its pixels to a JPEG picture, and one that cannot.
class Swatch : public plat::Graphic {
public:
    PLAT_CLASS_NAME(TSwatch)
    explicit Swatch(bool convertible) : m_convertible(convertible) {}
    int GetWidth() const override { return 3; }
    int GetHeight() const override { return 2; }
    bool Empty() const override { return false; }
    void SaveToStream(plat::Stream&) const override {}
    void LoadFromStream(plat::Stream&) override {}
    void Draw(plat::Surface&, const plat::Rect&) const override {}
    std::unique_ptr<plat::Graphic> NewEmpty() const override { return std::make_unique<Swatch>(m_convertible); }

protected:
    void AssignTo(plat::Persistent* destination) const override
    {
        if (auto* jpeg = dynamic_cast<plat::JpegImage*>(destination); jpeg && m_convertible) {
            plat::Bitmap pixels(3, 2);
            jpeg->Assign(&pixels);
            return;
        }
        Graphic::AssignTo(destination);
    }

private:
    bool m_convertible;
};

// A 2 x 1 icon: a red pixel, then a transparent one.
std::vector<uint8_t> TwoPixelIcon()
{
    std::vector<uint8_t> b;
    auto put16 = [&](uint16_t v) { b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)}); };
    auto put32 = [&](uint32_t v) { b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}); };
    put16(0), put16(1), put16(1);                                    // directory: an icon file of one entry
    b.insert(b.end(), {2, 1, 0, 0}), put16(1), put16(24), put32(52), put32(22);
    put32(40), put32(2), put32(2), put16(1), put16(24);              // information header, height doubled
    for (int i = 0; i < 6; ++i)
        put32(0);
    b.insert(b.end(), {0, 0, 255, 0, 0, 0, 0, 0});                  // colour row: red, black; padding
    b.insert(b.end(), {0x40, 0, 0, 0});                              // mask row: the second is transparent
    return b;
}

TEST_F(PictureObject, KeepsWhatThePictureListStores)
{
    plat::Bitmap fourBit(6, 6, PixelFormat::Bit4);
    auto first = Make(&fourBit);
    EXPECT_EQ(first->GetPixelFormat(), PixelFormat::Bit4);
    ASSERT_TRUE(first->Graphic());
    EXPECT_NE(first->Graphic(), &fourBit) << "the list stores its own copy";
    auto second = Make(&fourBit);
    EXPECT_EQ(second->Graphic(), first->Graphic()) << "an equal picture is stored once";

    plat::MemoryStream iconFile(TwoPixelIcon());
    plat::Icon icon;
    icon.LoadFromStream(iconFile);
    auto fromIcon = Make(&icon);
    const auto* iconBitmap = dynamic_cast<const plat::Bitmap*>(fromIcon->Graphic());
    ASSERT_TRUE(iconBitmap) << "an icon is stored as a bitmap";
    EXPECT_EQ(iconBitmap->GetWidth(), 2);
    EXPECT_EQ(iconBitmap->GetHeight(), 1);
    EXPECT_EQ(iconBitmap->GetPixel(0, 0), plat::clRed);
    EXPECT_EQ(iconBitmap->GetPixel(1, 0), plat::clWhite);
    EXPECT_EQ(fromIcon->GetPixelFormat(), PixelFormat::Bit24);

    Swatch convertible(true);
    auto fromOther = Make(&convertible);
    const auto* asJpeg = dynamic_cast<const plat::JpegImage*>(fromOther->Graphic());
    ASSERT_TRUE(asJpeg) << "another kind is stored as a JPEG picture";
    EXPECT_EQ(asJpeg->GetWidth(), 3);
    EXPECT_EQ(fromOther->GetPixelFormat(), PixelFormat::Bit8);

    const int stored = Table.Pictures().Count();
    Swatch opaque(false);
    try {
        fromOther->SetGraphic(&opaque);
        FAIL() << "a kind the JPEG picture cannot take";
    } catch (const plat::EConvertError& e) {
        EXPECT_EQ(e.Message(), "Impossible d'affecter TSwatch à TJPEGImage");
    }
    EXPECT_EQ(fromOther->Graphic(), asJpeg);
    EXPECT_EQ(Table.Pictures().Count(), stored);

    fromOther->SetGraphic(nullptr);
    EXPECT_EQ(fromOther->Graphic(), nullptr);
}

TEST_F(PictureObject, BoundsAreTheDeviceRectangleInOrder)
{
    auto object = Make(&Scan);
    const TGmCorners corners = object->GetBounds(At(600, 600));
    EXPECT_EQ(corners, (TGmCorners{{{600, 1200}, {1800, 1200}, {600, 2400}, {1800, 2400}}}));

    object->SetRect(gmInches, MakeGmRect(3, 4, 1, 2));
    EXPECT_EQ(object->GetBounds(At(100, 100)), (TGmCorners{{{100, 200}, {300, 200}, {100, 400}, {300, 400}}}));

    auto none = Make(nullptr);
    EXPECT_EQ(none->GetBounds(At(600, 600)), TGmCorners{});
}

// A shape that traces its rectangle, to see the bounds of what a drawing puts in a path.
class TracedShape : public TGmSimpleSolidShape {
public:
    PLAT_CLASS_NAME(TTracedShape)
    using TGmSimpleSolidShape::TGmSimpleSolidShape;
    int32_t GetObjectID() const override { return 99; }
    void Draw(plat::Surface& canvas, const TGmDrawData& data) const override
    {
        TGmSimpleSolidShape::Draw(canvas, data);
        DrawRectPolygon(canvas, GetDeviceRect(data.PpiX, data.PpiY));
    }
};

TEST(VisibleObject, BoundsOfTheTracedPathAndPenAndBrushOfTheShape)
{
    TGmResourceTable table;
    TracedShape shape(table);
    shape.SetRect(gmInches, MakeGmRect(0.5L, 1, 0.25L, 2));
    EXPECT_EQ(shape.GetBounds(At(600, 300)), (TGmCorners{{{150, 300}, {300, 300}, {150, 600}, {300, 600}}}));

    TGmPen pen;
    pen.Width = 4; // quarters of a point
    pen.Color = plat::clRed;
    pen.Mode = plat::PenMode::Copy;
    TGmBrush brush;
    brush.Color = plat::clBlue;
    brush.Style = plat::BrushStyle::Solid;
    shape.SetPen(table.Pens().AddPen(pen));
    shape.SetBrush(table.Brushes().AddBrush(brush));
    plat::RecordingSurface s;
    shape.Draw(s, At(300, 600));
    ASSERT_EQ(s.Records().size(), 1u);
    const plat::SurfaceSnapshot& state = s.Records()[0].State;
    EXPECT_EQ(state.Pen.GetWidth(), 4) << "the pen is realised at the horizontal resolution";
    EXPECT_EQ(state.Pen.GetColor(), plat::clRed);
    EXPECT_EQ(state.Brush.GetColor(), plat::clBlue);
    EXPECT_EQ(state.Brush.GetStyle(), plat::BrushStyle::Solid);
}

TEST(VisibleObject, AssigningPageObjectsCopiesNothing)
{
    TGmResourceTable table;
    TGmGraphicObject source(table), target(table);
    source.SetRect(gmInches, MakeGmRect(1, 1, 2, 2));
    EXPECT_NO_THROW(target.Assign(&source));
    EXPECT_EQ(target.Rect(), TGmRect{});
}

TEST_F(PictureObject, RecordTextOfAPictureObject)
{
    auto object = Make(&Scan);
    object->SetRect(gmInches, MakeGmRect(1, 0.5L, 3.25L, 2));
    TGmValueList list;
    object->SaveToValueList(list);
    EXPECT_EQ(list.GetText(), "\r\n\r\nID=13\r\nUI=-1\r\nXY=1000,500,3250,2000\r\nCM=13369376\r\nPF=6\r\nG=0\r\n");

    // Without a picture there is no "G"; with a pen and a brush their indexes come after "UI".
    TGmGraphicObject bare(Table);
    bare.SetUserTag(7);
    TGmPen pen;
    TGmBrush brush;
    Table.Pens().AddPen(pen);
    pen.Width = 8;
    bare.SetPen(Table.Pens().AddPen(pen));
    bare.SetBrush(Table.Brushes().AddBrush(brush));
    TGmValueList bareList;
    bare.SaveToValueList(bareList);
    EXPECT_EQ(bareList.GetText(), "\r\n\r\nID=13\r\nUI=7\r\nP=1\r\nB=0\r\nXY=0,0,0,0\r\nCM=13369376\r\nPF=3\r\n");
}

TEST_F(PictureObject, RecordRefersToTheEntryItselfWhenEqualPicturesAreStoredTwice)
{
    Table.Pictures().CompareGraphics = false;
    auto first = Make(&Scan);
    auto second = Make(&Scan);
    ASSERT_NE(first->Graphic(), second->Graphic());
    TGmValueList list;
    second->SaveToValueList(list);
    EXPECT_EQ(list.GetInteger("G", -1), 1);
}

TEST_F(PictureObject, StreamRecordRoundTrip)
{
    auto object = Make(&Scan);
    object->SetUserTag(42);
    object->SetCopyMode(plat::SRCAND);
    object->SetPixelFormat(PixelFormat::Bit4);
    plat::MemoryStream stream;
    object->SaveToStream(stream);

    const std::vector<uint8_t>& bytes = stream.Bytes();
    ASSERT_GE(bytes.size(), 8u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 4), (std::vector<uint8_t>{13, 0, 0, 0}));

    stream.SetPosition(0);
    EXPECT_EQ(stream.ReadInt32LE(), TGmGraphicObject::TypeCode);
    TGmGraphicObject back(Table);
    back.LoadFromStream(stream);
    EXPECT_EQ(stream.GetPosition(), stream.GetSize());
    EXPECT_EQ(back.GetUserTag(), 42);
    EXPECT_EQ(back.Rect(), object->Rect());
    EXPECT_EQ(back.GetCopyMode(), plat::SRCAND);
    EXPECT_EQ(back.GetPixelFormat(), PixelFormat::Bit4);
    EXPECT_EQ(back.Graphic(), object->Graphic());
}

TEST_F(PictureObject, MissingKeysReadAsTheRecordDefaults)
{
    auto object = Make(&Scan);
    object->SetUserTag(5);
    object->SetCopyMode(plat::SRCAND);
    object->SetPen(Table.Pens().AddPen(TGmPen()));
    object->LoadFromValueList(TGmValueList());
    EXPECT_EQ(object->GetUserTag(), -1);
    EXPECT_EQ(object->Pen(), nullptr);
    EXPECT_EQ(object->Brush(), nullptr);
    EXPECT_EQ(object->Rect(), TGmRect{});
    EXPECT_EQ(object->GetCopyMode(), plat::SRCCOPY);
    EXPECT_EQ(object->GetPixelFormat(), PixelFormat::Bit8);
    EXPECT_EQ(object->Graphic(), nullptr);
}

struct DamageCase {
    const char* Name;
    std::string Text;  // record lines after "UI=7"
    std::string Error;
    bool RectRead;     // "XY=1000,2000,3000,4000" was read before the fault
};

void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.Name; }

class DamagedRecord : public PictureObject, public testing::WithParamInterface<DamageCase> {};

// The table holds one picture and no pen or brush. What was read before the fault stays read.
TEST_P(DamagedRecord, StopsAtTheFaultWithItsError)
{
    auto object = Make(&Scan);
    object->SetRect(gmInches, MakeGmRect(9, 9, 9, 9));
    TGmValueList list;
    list.SetText("\r\n\r\nID=13\r\nUI=7\r\n" + GetParam().Text);
    try {
        object->LoadFromValueList(list);
        FAIL() << "no error";
    } catch (const plat::Exception& e) {
        EXPECT_EQ(e.Message(), GetParam().Error);
    }
    EXPECT_EQ(object->GetUserTag(), 7);
    EXPECT_EQ(object->Rect(), GetParam().RectRead ? MakeGmRect(1, 2, 3, 4) : MakeGmRect(9, 9, 9, 9));
}

INSTANTIATE_TEST_SUITE_P(Objects, DamagedRecord, testing::Values(
    DamageCase{"PictureIndexPastTheList", "XY=1000,2000,3000,4000\r\nG=1\r\n", "Indice de liste hors limites (1)", true},
    DamageCase{"NegativePictureIndex", "XY=1000,2000,3000,4000\r\nG=-2\r\n", "Indice de liste hors limites (-2)", true},
    DamageCase{"PenOfAnEmptyList", "P=0\r\nXY=1000,2000,3000,4000\r\n", "Indice de liste hors limites (0)", false},
    DamageCase{"BrushIndexPastTheList", "B=3\r\n", "Indice de liste hors limites (3)", false},
    DamageCase{"ShortRectangle", "XY=1000,2000,3000\r\n", "Indice de liste hors limites (3)", false},
    DamageCase{"CopyModeNotANumber", "XY=1000,2000,3000,4000\r\nCM=abc\r\n",
               "'abc' n'est pas une valeur entière correcte", true},
    DamageCase{"PixelFormatOutOfRange", "XY=1000,2000,3000,4000\r\nPF=9\r\n", "Erreur de lecture du flux", true},
    DamageCase{"NegativePixelFormat", "XY=1000,2000,3000,4000\r\nPF=-1\r\n", "Erreur de lecture du flux", true}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(PictureObject, TruncatedStreamIsAReadError)
{
    auto object = Make(&Scan);
    plat::MemoryStream stream;
    object->SaveToStream(stream);
    stream.SetSize(stream.GetSize() - 3);
    stream.SetPosition(4);
    TGmGraphicObject back(Table);
    EXPECT_THROW(back.LoadFromStream(stream), plat::EReadError);
    EXPECT_EQ(back.Graphic(), nullptr);
}

// Counts its own destruction.
class CountedObject : public TGmGraphicObject {
public:
    CountedObject(TGmResourceTable& table, int& freed) : TGmGraphicObject(table), m_freed(freed) {}
    ~CountedObject() override { ++m_freed; }

private:
    int& m_freed;
};

TEST(BaseObjectList, OwnsItsObjectsAndPassesTheirChangesOn)
{
    TGmResourceTable table;
    int freed = 0;
    std::vector<plat::Object*> senders;
    {
        TGmBaseObjectList list;
        list.OnChange.Set([&](plat::Object* sender) { senders.push_back(sender); });
        TGmBaseObject* a = list.Add(std::make_unique<CountedObject>(table, freed));
        TGmBaseObject* b = list.Add(std::make_unique<CountedObject>(table, freed));
        EXPECT_EQ(senders, (std::vector<plat::Object*>{&list, &list}));
        b->Offset(gmInches, 1, 1);
        EXPECT_EQ(senders.size(), 3u);
        EXPECT_EQ(list.Items(0), a);
        EXPECT_EQ(list.IndexOf(b), 1);
        EXPECT_THROW(list.Items(2), plat::EListError);

        // Taken out and put back in front, without notice and without being freed.
        list.Insert(0, list.Extract(1));
        EXPECT_EQ(list.Items(0), b);
        EXPECT_EQ(freed, 0);
        EXPECT_EQ(senders.size(), 3u);
        b->Changed();
        EXPECT_EQ(senders.size(), 4u);

        list.Clear();
        EXPECT_EQ(freed, 2);
        EXPECT_EQ(list.Count(), 0);
        list.Add(std::make_unique<CountedObject>(table, freed));
    }
    EXPECT_EQ(freed, 3);
}

} // namespace
