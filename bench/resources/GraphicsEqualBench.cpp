// Comparing two equal A4 pictures at 300 dpi (2480 x 3508, 24 bits) next to one BMP saving of one of them,
// in the same run: the comparison should cost no more than two savings.

#include "resources/GmGraphicList.h"

#include "platform/core/Stream.h"
#include "platform/graphics/Bitmap.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

namespace {

constexpr int Width = 2480;
constexpr int Height = 3508;

const plat::Bitmap& PageA()
{
    static const plat::Bitmap bitmap = [] {
        plat::Bitmap b(Width, Height, plat::PixelFormat::Bit24);
        uint32_t seed = 12345;
        for (int y = 0; y < Height; ++y) {
            uint8_t* row = b.ScanLine(y);
            for (int x = 0; x < Width * 3; ++x) {
                seed = seed * 1103515245u + 12345u;
                row[x] = static_cast<uint8_t>(seed >> 24);
            }
        }
        return b;
    }();
    return bitmap;
}

int64_t BmpBytes()
{
    static const int64_t bytes = [] {
        plat::MemoryStream s;
        PageA().SaveToStream(s);
        return s.GetSize();
    }();
    return bytes;
}

void BM_SaveBmpOnce(benchmark::State& state)
{
    const plat::Bitmap& a = PageA();
    for (auto _ : state) {
        plat::MemoryStream s;
        a.SaveToStream(s);
        benchmark::DoNotOptimize(s.Bytes().data());
    }
    state.SetBytesProcessed(state.iterations() * BmpBytes());
}

void BM_GraphicsEqualSame(benchmark::State& state)
{
    const plat::Bitmap& a = PageA();
    plat::Bitmap b(a);
    for (auto _ : state) {
        bool equal = GraphicsEqual(a, b);
        if (!equal)
            state.SkipWithError("copies compare unequal");
        benchmark::DoNotOptimize(equal);
    }
    state.SetBytesProcessed(state.iterations() * BmpBytes());
}

void BM_GraphicsEqualLastPixelDiffers(benchmark::State& state)
{
    const plat::Bitmap& a = PageA();
    plat::Bitmap b(a);
    b.ScanLine(Height - 1)[Width * 3 - 1] ^= 1;
    for (auto _ : state) {
        bool equal = GraphicsEqual(a, b);
        if (equal)
            state.SkipWithError("a changed byte compares equal");
        benchmark::DoNotOptimize(equal);
    }
    state.SetBytesProcessed(state.iterations() * BmpBytes());
}

// The worst case: every byte differs, so every page of the second saving is held.
void BM_GraphicsEqualEveryByteDiffers(benchmark::State& state)
{
    const plat::Bitmap& a = PageA();
    plat::Bitmap b(a);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width * 3; ++x)
            b.ScanLine(y)[x] ^= 0xFF;
    for (auto _ : state)
        benchmark::DoNotOptimize(GraphicsEqual(a, b));
    state.SetBytesProcessed(state.iterations() * BmpBytes());
}

// The program's own use: the held picture added to a table that already stores an equal one.
void BM_AddGraphicAlreadyStored(benchmark::State& state)
{
    TGmGraphicList list;
    list.AddGraphic(&PageA());
    plat::Bitmap b(PageA());
    for (auto _ : state)
        benchmark::DoNotOptimize(list.AddGraphic(&b));
    state.SetBytesProcessed(state.iterations() * BmpBytes());
}

BENCHMARK(BM_SaveBmpOnce)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_GraphicsEqualSame)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_GraphicsEqualLastPixelDiffers)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_GraphicsEqualEveryByteDiffers)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_AddGraphicAlreadyStored)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
