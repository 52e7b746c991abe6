// An A4 page scanned at 300 dpi in colour (2480 x 3508, 24 bits): BMP read and write from and to memory
// next to a plain memcpy of the same bytes, and JPEG decoding of the page compressed at quality 90 next
// to Debian's djpeg on the same file.
//
//   cmake --build build-pictures --target bench_pictures && build-pictures/bench/graphics/bench_pictures

#include "platform/core/Stream.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/JpegImage.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

constexpr int PageWidth = 2480;
constexpr int PageHeight = 3508;

// Smooth shading with a little noise, as a scanner gives (so that JPEG has real work to do).
const plat::Bitmap& Page()
{
    static const plat::Bitmap page = [] {
        plat::Bitmap b(PageWidth, PageHeight);
        uint32_t seed = 12345;
        for (int y = 0; y < PageHeight; ++y) {
            uint8_t* row = b.ScanLine(y);
            for (int x = 0; x < PageWidth; ++x) {
                seed = seed * 1664525u + 1013904223u;
                const int noise = static_cast<int>(seed >> 28) - 8;
                row[3 * x] = static_cast<uint8_t>(std::clamp((x / 10 + y / 14) % 256 + noise, 0, 255));
                row[3 * x + 1] = static_cast<uint8_t>(std::clamp((y / 14) % 256 + noise, 0, 255));
                row[3 * x + 2] = static_cast<uint8_t>(std::clamp(200 - (x / 20) % 128 + noise, 0, 255));
            }
        }
        return b;
    }();
    return page;
}

const std::vector<uint8_t>& PageBmp()
{
    static const std::vector<uint8_t> bytes = [] {
        plat::MemoryStream s;
        Page().SaveToStream(s);
        return s.Bytes();
    }();
    return bytes;
}

const std::string& PageJpegFile()
{
    static const std::string path = [] {
        plat::JpegImage jpeg;
        jpeg.SetCompressionQuality(90);
        jpeg.Assign(&Page());
        std::string p = (std::filesystem::temp_directory_path() / "vantric-bench-page.jpg").string();
        jpeg.SaveToFile(p);
        return p;
    }();
    return path;
}

void BM_Memcpy(benchmark::State& state)
{
    const std::vector<uint8_t>& src = PageBmp();
    std::vector<uint8_t> dst(src.size());
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), src.size());
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * src.size()));
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BmpRead(benchmark::State& state)
{
    plat::MemoryStream in(PageBmp());
    for (auto _ : state) {
        in.SetPosition(0);
        plat::Bitmap b;
        b.LoadFromStream(in);
        benchmark::DoNotOptimize(b.ScanLine(0));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * PageBmp().size()));
}
BENCHMARK(BM_BmpRead)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BmpWrite(benchmark::State& state)
{
    const plat::Bitmap& page = Page();
    plat::MemoryStream out;
    for (auto _ : state) {
        out.Clear();
        page.SaveToStream(out);
        benchmark::DoNotOptimize(out.Bytes().data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * PageBmp().size()));
}
BENCHMARK(BM_BmpWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_JpegDecode(benchmark::State& state)
{
    const std::string& file = PageJpegFile();
    for (auto _ : state) {
        plat::JpegImage jpeg;
        jpeg.LoadFromFile(file);
        benchmark::DoNotOptimize(jpeg.GetBitmap().ScanLine(0));
    }
    state.counters["file_kB"] = static_cast<double>(std::filesystem::file_size(file)) / 1024.0;
}
BENCHMARK(BM_JpegDecode)->Unit(benchmark::kMillisecond)->UseRealTime();

// Debian's djpeg on the same file, writing its PPM to /dev/null (process start included).
void BM_Djpeg(benchmark::State& state)
{
    const std::string command = "djpeg -outfile /dev/null " + PageJpegFile();
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("djpeg failed");
            break;
        }
    }
}
BENCHMARK(BM_Djpeg)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
