// What drawing a scanned A4 page (2480 x 3508, 24 bits, 300 dpi) costs as a picture object: on the
// preview's surface, and on the printer's sheet at 24 bits and, as a JPEG picture, reduced to 8 bits.
// One copy of the bitmap is measured beside them: it is what a temporary bitmap for each paint would add.

#include "model/GmGraphicObject.h"
#include "model/units/GmDrawHelpers.h"

#include "resources/GmResourceTable.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/JpegImage.h"
#include "platform/surface/RecordingSurface.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

namespace {

constexpr int Width = 2480;
constexpr int Height = 3508;

// A page-like picture: smooth shades with a little noise, so that it has far more than 256 colours.
const plat::Bitmap& Scan()
{
    static const plat::Bitmap bitmap = [] {
        plat::Bitmap b(Width, Height, plat::PixelFormat::Bit24);
        uint32_t seed = 12345;
        for (int y = 0; y < Height; ++y) {
            uint8_t* row = b.ScanLine(y);
            for (int x = 0; x < Width; ++x) {
                seed = seed * 1103515245u + 12345u;
                const int noise = static_cast<int>(seed >> 29);
                row[3 * x] = static_cast<uint8_t>((x * 255 / Width + noise) & 0xFF);
                row[3 * x + 1] = static_cast<uint8_t>((y * 255 / Height + noise) & 0xFF);
                row[3 * x + 2] = static_cast<uint8_t>(((x + y) * 255 / (Width + Height)) & 0xFF);
            }
        }
        return b;
    }();
    return bitmap;
}

TGmDrawData At(int ppi)
{
    TGmDrawData d;
    d.PpiX = d.PpiY = ppi;
    return d;
}

struct Document {
    TGmResourceTable Table;
    TGmGraphicObject Object{Table};
    explicit Document(const plat::Graphic& picture)
    {
        Object.SetGraphic(&picture);
        Object.SetRect(gmInches, MakeGmRect(0, 0, 8.2677L, 11.6929L));
    }
};

void BM_CopyOfTheBitmap(benchmark::State& state)
{
    for (auto _ : state) {
        plat::Bitmap copy(Scan());
        benchmark::DoNotOptimize(copy.ScanLine(0));
    }
    state.SetBytesProcessed(state.iterations() * int64_t{Scan().Stride()} * Height);
}

void BM_DrawOnPreview(benchmark::State& state)
{
    Document doc(Scan());
    plat::RecordingSurface screen;
    for (auto _ : state) {
        doc.Object.Draw(screen, At(600));
        screen.ClearLog();
    }
}

void BM_DrawOnPrinterAt24Bits(benchmark::State& state)
{
    Document doc(Scan());
    plat::RecordingSurface printer("TPrinterCanvas");
    for (auto _ : state) {
        doc.Object.Draw(printer, At(300));
        printer.ClearLog();
    }
}

void BM_DrawJpegOnPrinterAt8Bits(benchmark::State& state)
{
    const std::unique_ptr<plat::JpegImage> jpeg = GraphicToJpeg(Scan());
    Document doc(*jpeg);
    plat::RecordingSurface printer("TPrinterCanvas");
    for (auto _ : state) {
        doc.Object.Draw(printer, At(300));
        printer.ClearLog();
    }
    state.SetBytesProcessed(state.iterations() * int64_t{Scan().Stride()} * Height);
}

BENCHMARK(BM_CopyOfTheBitmap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawOnPreview)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawOnPrinterAt24Bits)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawJpegOnPrinterAt8Bits)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
