// Figures for the Qt surface: how close the bitmap conversion comes to copying the bytes, and what one
// paper-view repaint of a scanned A4 page costs.
#include "platform/graphics/Bitmap.h"
#include "platform/surface/RasterOp.h"
#include "platform/surface/qt/BitmapImage.h"
#include "platform/surface/qt/PainterSurface.h"

#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstring>

using namespace plat;

namespace {

constexpr int A4Width = 2480, A4Height = 3508; // 300 dpi

Bitmap Page(PixelFormat format)
{
    Bitmap b(A4Width, A4Height, format);
    for (int y = 0; y < A4Height; ++y) {
        uint8_t* row = b.ScanLine(y);
        for (int i = 0; i < b.Stride(); ++i)
            row[i] = static_cast<uint8_t>(i * 7 + y);
    }
    return b;
}

void BM_CopyBytes(benchmark::State& state)
{
    Bitmap b = Page(PixelFormat::Bit24);
    std::vector<uint8_t> out(static_cast<size_t>(b.Stride()) * A4Height);
    for (auto _ : state) {
        for (int y = 0; y < A4Height; ++y)
            std::memcpy(out.data() + static_cast<size_t>(y) * b.Stride(), b.ScanLine(y), b.Stride());
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(out.size()));
}
BENCHMARK(BM_CopyBytes)->Unit(benchmark::kMillisecond);

void BM_BitmapToImage(benchmark::State& state)
{
    Bitmap b = Page(static_cast<PixelFormat>(state.range(0)));
    for (auto _ : state) {
        QImage image = BitmapToImage(b);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(b.Stride()) * A4Height);
}
BENCHMARK(BM_BitmapToImage)
    ->Arg(static_cast<int>(PixelFormat::Bit8))
    ->Arg(static_cast<int>(PixelFormat::Bit24))
    ->Arg(static_cast<int>(PixelFormat::Bit32))
    ->Unit(benchmark::kMillisecond);

void BM_ImageToBitmap(benchmark::State& state)
{
    QImage image = BitmapToImage(Page(PixelFormat::Bit24));
    for (auto _ : state) {
        Bitmap b = ImageToBitmap(image);
        benchmark::DoNotOptimize(b.ScanLine(0));
    }
}
BENCHMARK(BM_ImageToBitmap)->Unit(benchmark::kMillisecond);

// The paper view's picture draw: the page in 1/600 inch units onto the sheet at the zoom.
void BM_PaperViewPicture(benchmark::State& state)
{
    const int zoom = static_cast<int>(state.range(0));
    const int w = (96 * 827 * zoom + 5000) / 10000, h = (96 * 1169 * zoom + 5000) / 10000;
    Bitmap page = Page(PixelFormat::Bit24);
    QImage screen(w + 60, h + 60, QImage::Format_RGB32);
    for (auto _ : state) {
        PainterSurface s(screen);
        s.SetMapMode(MapMode::Anisotropic);
        s.SetWindowExt(4961, 7016);
        s.SetViewportExt(w, h);
        s.SetViewportOrg(30, 30);
        s.StretchBitmap({0, 0, 4961, 7016}, page, SRCCOPY);
    }
}
BENCHMARK(BM_PaperViewPicture)->Arg(30)->Arg(100)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
