#include "PdfDocument.h"

#include "PdfPictures.h"

#include "platform/core/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/surface/Mapping.h"
#include "platform/surface/RasterOp.h"
#include "platform/surface/qt/PainterSurface.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace plat {

namespace {

// The printer's sheet: drawing goes to the PDF through Qt, except pictures copied as they are, which are
// encoded by PdfPictures and stand in the PDF as placeholders until the document is finished.
class PdfSheetSurface : public PainterSurface {
public:
    PdfSheetSurface(QPainter& painter, PdfPictures& pictures)
        : PainterSurface(painter, "TPrinterCanvas"), m_pictures(pictures)
    {
    }

    void StretchBitmap(const Rect& dest, const Bitmap& bitmap, uint32_t rop) override
    {
        StretchDIBits(dest, Rect{0, 0, bitmap.GetWidth(), bitmap.GetHeight()}, bitmap, rop);
    }

    void StretchDIBits(const Rect& dest, const Rect& source, const Bitmap& bitmap, uint32_t rop) override
    {
        if (!IsStandardRasterOp(rop))
            rop = SRCCOPY;
        if (rop != SRCCOPY || bitmap.Empty() || source.Width() <= 0 || source.Height() <= 0) {
            PainterSurface::StretchDIBits(dest, source, bitmap, rop);
            return;
        }
        // The same placement as the painter surface gives a bitmap: the part of the source inside the
        // bitmap, into the matching part of the destination.
        const Mapping& mapping = GetMapping();
        Point a = mapping.ToDevice(Point{dest.Left, dest.Top});
        Point b = mapping.ToDevice(Point{dest.Right, dest.Bottom});
        if (a.X == b.X || a.Y == b.Y)
            return;
        Rect inside{std::max(source.Left, 0), std::max(source.Top, 0), std::min(source.Right, bitmap.GetWidth()),
                    std::min(source.Bottom, bitmap.GetHeight())};
        if (inside.Width() <= 0 || inside.Height() <= 0)
            return;
        const long double sx = static_cast<long double>(b.X - a.X) / source.Width();
        const long double sy = static_cast<long double>(b.Y - a.Y) / source.Height();
        int x0 = a.X + PinToDevice((inside.Left - source.Left) * sx);
        int x1 = a.X + PinToDevice((inside.Right - source.Left) * sx);
        int y0 = a.Y + PinToDevice((inside.Top - source.Top) * sy);
        int y1 = a.Y + PinToDevice((inside.Bottom - source.Top) * sy);
        if (x1 < x0 || y1 < y0) {
            PainterSurface::StretchDIBits(dest, source, bitmap, rop);   // mirrored: rare, Qt encodes it
            return;
        }
        QRect target(QPoint(x0, y0), QSize(x1 - x0, y1 - y0));
        if (target.isEmpty())
            return;

        int index = m_pictures.Add(bitmap, inside);
        QImage placeholder(PdfPictures::PlaceholderWidth(index), 1, QImage::Format_RGB32);
        placeholder.fill(Qt::white);
        QPainter& painter = Painter();
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawImage(QRectF(target), placeholder, QRectF(placeholder.rect()));
    }

private:
    PdfPictures& m_pictures;
};

qreal ToPoints(int pixels, int ppi) { return static_cast<qreal>(pixels) * 72.0 / ppi; }

} // namespace

struct PdfDocument::Impl {
    QByteArray bytes;
    QBuffer buffer{&bytes};
    std::unique_ptr<QPdfWriter> writer;
    std::unique_ptr<QPainter> painter;
    std::unique_ptr<PdfSheetSurface> surface;
    PdfPictures pictures;
    int ppi = 0;
};

PdfDocument::PdfDocument(const std::string& title) : d(std::make_unique<Impl>())
{
    d->buffer.open(QIODevice::WriteOnly);
    d->writer = std::make_unique<QPdfWriter>(&d->buffer);
    d->writer->setTitle(QString::fromStdString(title));
    d->writer->setCreator(QStringLiteral("Vantric"));
}

PdfDocument::~PdfDocument()
{
    d->surface.reset();
    if (d->painter && d->painter->isActive())
        d->painter->end();
}

void PdfDocument::StartSheet(const DeviceMetrics& sheet)
{
    // One resolution for the whole document: the painter's unit is one device pixel.
    const int ppi = d->ppi ? d->ppi : std::max(sheet.LogPixelsX, 1);
    const int right = sheet.PhysicalWidth - sheet.HorzRes - sheet.PhysicalOffsetX;
    const int bottom = sheet.PhysicalHeight - sheet.VertRes - sheet.PhysicalOffsetY;
    QPageLayout layout(QPageSize(QSizeF(ToPoints(sheet.PhysicalWidth, ppi), ToPoints(sheet.PhysicalHeight, ppi)),
                                 QPageSize::Point, QString(), QPageSize::ExactMatch),
                       QPageLayout::Portrait,
                       QMarginsF(ToPoints(sheet.PhysicalOffsetX, ppi), ToPoints(sheet.PhysicalOffsetY, ppi),
                                 ToPoints(std::max(right, 0), ppi), ToPoints(std::max(bottom, 0), ppi)),
                       QPageLayout::Point, QMarginsF(0, 0, 0, 0));
    if (!d->painter) {
        d->ppi = ppi;
        d->writer->setResolution(ppi);
        d->writer->setPageLayout(layout);
        d->painter = std::make_unique<QPainter>();
        if (!d->painter->begin(d->writer.get()))
            throw EPrinter(std::string("Impossible de préparer le document d'impression"));
        d->surface = std::make_unique<PdfSheetSurface>(*d->painter, d->pictures);
    } else {
        d->writer->setPageLayout(layout);
        d->writer->newPage();
    }
    ++m_sheets;
}

void PdfDocument::EndSheet() {}

Surface& PdfDocument::Canvas()
{
    if (!d->surface)
        throw EPrinter::NotPrinting();
    return *d->surface;
}

std::string PdfDocument::Finish()
{
    d->surface.reset();
    if (d->painter && d->painter->isActive())
        d->painter->end();
    d->painter.reset();
    d->writer.reset();
    d->buffer.close();
    std::string pdf(d->bytes.constData(), static_cast<size_t>(d->bytes.size()));
    d->bytes.clear();
    d->pictures.Inject(pdf);
    d->pictures.Clear();
    return pdf;
}

} // namespace plat
