// One A4 sheet holding a 2480 x 3508 24-bit picture, printed to the rig's IPP queue (scripts/print-rig.sh):
// our path (TGmPrinter over the CUPS device: BeginDoc, the picture, EndDoc until CUPS has accepted the job)
// next to Qt's own (QPrinter drawing the same QImage to the same queue, by default and with Qt's lossless
// image hint), in the same run. For each: the
// time, the bytes CUPS holds for the job, and whether the picture the printer received has the source's
// pixels.
//
//   bench_printing [rounds] [scan|noise]    (default: 3 rounds, both pictures)

#include "platform/core/Rounding.h"
#include "platform/graphics/Bitmap.h"
#include "platform/printer/CurrentPrinter.h"
#include "platform/printer/cups/CupsPrinterDevice.h"
#include "platform/surface/Surface.h"
#include "printing/GmPrinter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>

#include <cups/cups.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int W = 2480, H = 3508;
const char* const Queue = "Vantric_IPP";

fs::path RigDir()
{
    const char* dir = std::getenv("VANTRIC_RIG_DIR");
    return dir && *dir ? fs::path(dir) : fs::path(VANTRIC_RIG_DIR);
}

// "scan": a page as a scanner gives it: paper tint, a photograph block, lines of text, sensor noise of
// +-2. "noise": smooth gradients under noise of 0..15 on every channel, the worst case for lossless.
plat::Bitmap MakePicture(const std::string& kind)
{
    plat::Bitmap b(W, H, plat::PixelFormat::Bit24);
    uint32_t seed = 12345;
    for (int y = 0; y < H; ++y) {
        uint8_t* row = b.ScanLine(y);
        for (int x = 0; x < W; ++x) {
            seed = seed * 1664525u + 1013904223u;
            int r, g, bl;
            if (kind == "noise") {
                int n = static_cast<int>((seed >> 24) & 15);
                r = (x * 255 / W + n) & 255;
                g = (y * 255 / H + n) & 255;
                bl = ((x + y) / 24 + n) & 255;
            } else {
                int n = static_cast<int>((seed >> 24) % 5) - 2;
                r = 245, g = 243, bl = 238;
                if (y > 300 && y < 1500 && x > 200 && x < 2280) {
                    r = x * 200 / W + 30;
                    g = static_cast<int>(128 + 100 * std::sin(y / 150.0));
                    bl = (x + y) * 255 / 6000;
                } else if (y > 1700 && y % 60 < 30 && (x / 14) % 9 != 0 && x > 200 && x < 2280 &&
                           ((x * 7 + y * 3) / 11) % 3 == 0) {
                    r = g = bl = 30;
                }
                r = std::clamp(r + n, 0, 255);
                g = std::clamp(g + n, 0, 255);
                bl = std::clamp(bl + n, 0, 255);
            }
            row[3 * x] = static_cast<uint8_t>(bl);
            row[3 * x + 1] = static_cast<uint8_t>(g);
            row[3 * x + 2] = static_cast<uint8_t>(r);
        }
    }
    return b;
}

QImage ToQImage(const plat::Bitmap& b)
{
    QImage img(W, H, QImage::Format_RGB888);
    for (int y = 0; y < H; ++y) {
        const uint8_t* s = b.ScanLine(y);
        uint8_t* d = img.scanLine(y);
        for (int x = 0; x < W; ++x) {
            d[3 * x] = s[3 * x + 2];
            d[3 * x + 1] = s[3 * x + 1];
            d[3 * x + 2] = s[3 * x];
        }
    }
    return img;
}

std::map<std::string, std::string> ReadEnv(const fs::path& path)
{
    std::map<std::string, std::string> a;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line))
        if (size_t eq = line.find('='); eq != std::string::npos)
            a[line.substr(0, eq)] = line.substr(eq + 1);
    return a;
}

fs::path WaitForDocument(const std::string& title)
{
    auto deadline = Clock::now() + std::chrono::seconds(120);
    while (Clock::now() < deadline) {
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(RigDir() / "jobs", ec))
            if (e.path().extension() == ".env" && ReadEnv(e.path())["IPP_JOB_NAME"] == title) {
                fs::path doc = e.path();
                return doc.replace_extension(".doc");
            }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return {};
}

// Compares the single picture of pdf with the source: "unchanged", or how many pixels differ and by how much.
std::string CompareReceived(const fs::path& pdf, const plat::Bitmap& source)
{
    if (pdf.empty())
        return "not received";
    auto dir = fs::temp_directory_path() / ("vantric-bench-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::string encoding = "?";
    {
        std::string cmd = "pdfimages -list '" + pdf.string() + "' 2>/dev/null | sed -n 3p | awk '{print $9}'";
        if (FILE* p = popen(cmd.c_str(), "r")) {
            char buf[64] = "";
            if (std::fgets(buf, sizeof buf, p))
                encoding = std::string(buf, strcspn(buf, "\n"));
            pclose(p);
        }
    }
    std::string cmd = "pdfimages '" + pdf.string() + "' '" + (dir / "p").string() + "' 2>/dev/null";
    if (std::system(cmd.c_str()) != 0)
        return "pdfimages failed";
    fs::path ppm = dir / "p-000.ppm";
    std::ifstream in(ppm, std::ios::binary);
    std::string magic;
    int w = 0, h = 0, max = 0;
    in >> magic >> w >> h >> max;
    in.get();
    if (magic != "P6" || w != W || h != H)
        return encoding + ", picture of " + std::to_string(w) + "x" + std::to_string(h) + " received";
    std::vector<uint8_t> rgb(static_cast<size_t>(W) * H * 3);
    in.read(reinterpret_cast<char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
    long long differing = 0;
    int maxDiff = 0;
    for (int y = 0; y < H; ++y) {
        const uint8_t* s = source.ScanLine(y);
        const uint8_t* r = &rgb[static_cast<size_t>(y) * W * 3];
        for (int x = 0; x < W; ++x) {
            int d = std::max({std::abs(r[3 * x] - s[3 * x + 2]), std::abs(r[3 * x + 1] - s[3 * x + 1]),
                              std::abs(r[3 * x + 2] - s[3 * x])});
            differing += d != 0;
            maxDiff = std::max(maxDiff, d);
        }
    }
    fs::remove_all(dir);
    if (differing == 0)
        return encoding + ", pixels unchanged";
    char text[160];
    std::snprintf(text, sizeof text, "%s, %.1f%% of pixels changed (up to %d levels)", encoding.c_str(),
                  100.0 * differing / (static_cast<double>(W) * H), maxDiff);
    return text;
}

struct Figures {
    double Seconds = 0;
    long long Bytes = 0;     // what CUPS holds for the job (job-k-octets), in bytes
    std::string Title;
};

std::string UniqueTitle(const std::string& what, int round)
{
    return "bench-" + what + "-" + std::to_string(::getpid()) + "-" + std::to_string(round);
}

// The bytes CUPS holds for the newest job of the queue.
long long NewestJobBytes()
{
    cups_job_t* jobs = nullptr;
    int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, Queue, 0, CUPS_WHICHJOBS_ALL);
    long long bytes = 0;
    int newest = 0;
    for (int i = 0; i < n; ++i)
        if (jobs[i].id > newest) {
            newest = jobs[i].id;
            bytes = static_cast<long long>(jobs[i].size) * 1024;
        }
    cupsFreeJobs(n, jobs);
    return bytes;
}

Figures OurPath(TGmPrinter& printer, plat::CupsPrinterDevice& cups, const plat::Bitmap& picture, const std::string& name)
{
    Figures f;
    f.Title = name;
    printer.SetTitle(f.Title);
    printer.SetOrientation(gmPortrait);
    printer.SetPaperSize(A4);
    auto start = Clock::now();
    if (!printer.BeginDoc())
        throw std::runtime_error("BeginDoc refused");
    // The picture over the whole sheet: logical (0, 0) is the paper's corner.
    TGmPrinterInfo& info = printer.PrinterInfo();
    plat::Rect sheet{0, 0, plat::RoundToInt(info.PaperWidthInches() * info.PixelsPerInchX()),
                     plat::RoundToInt(info.PaperHeightInches() * info.PixelsPerInchY())};
    printer.Canvas().StretchDIBits(sheet, plat::Rect{0, 0, W, H}, picture, 0x00CC0020);
    printer.EndDoc();
    f.Seconds = std::chrono::duration<double>(Clock::now() - start).count();
    f.Bytes = cups.QueryJob(cups.LastJobId()).KOctets * 1024LL;
    return f;
}

Figures QtPath(const QImage& image, const std::string& name, bool lossless)
{
    Figures f;
    f.Title = name;
    auto start = Clock::now();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(QString::fromLatin1(Queue));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(true);
    printer.setDocName(QString::fromStdString(f.Title));
    QPainter painter(&printer);
    painter.setRenderHint(QPainter::LosslessImageRendering, lossless);
    painter.drawImage(printer.paperRect(QPrinter::DevicePixel), image);
    painter.end();
    f.Seconds = std::chrono::duration<double>(Clock::now() - start).count();
    f.Bytes = NewestJobBytes();
    return f;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    std::vector<std::string> kinds = argc > 2 ? std::vector<std::string>{argv[2]} : std::vector<std::string>{"scan", "noise"};

    auto device = std::make_unique<plat::CupsPrinterDevice>();
    plat::CupsPrinterDevice& cups = *device;
    plat::InstallPrinter(std::move(device));
    int index = cups.IndexOf(Queue);
    if (index < 0 || !cups.CreateIC("", Queue, "")) {
        std::fprintf(stderr, "The rig's queue %s does not answer: run scripts/print-rig.sh start\n", Queue);
        return 1;
    }
    TGmPrinter printer;
    printer.SetPrinterIndex(index);
    printer.SetPrintCopies(1);

    for (const std::string& kind : kinds) {
        plat::Bitmap picture = MakePicture(kind);
        QImage image = ToQImage(picture);
        std::vector<double> ours, qt, qtLossless;
        Figures lastOurs, lastQt, lastQtLossless;
        for (int r = 0; r < rounds; ++r) {
            lastOurs = OurPath(printer, cups, picture, UniqueTitle("ours-" + kind, r));
            ours.push_back(lastOurs.Seconds);
            lastQt = QtPath(image, UniqueTitle("qt-" + kind, r), false);
            qt.push_back(lastQt.Seconds);
            lastQtLossless = QtPath(image, UniqueTitle("qt-lossless-" + kind, r), true);
            qtLossless.push_back(lastQtLossless.Seconds);
        }
        std::printf("picture \"%s\" %dx%d 24-bit, A4 on %s, %d rounds (median):\n", kind.c_str(), W, H, Queue, rounds);
        std::printf("  ours: %.3f s BeginDoc to job accepted, %.2f MB sent (%zu bytes of PDF), %s\n", Median(ours),
                    lastOurs.Bytes / 1e6, cups.LastDocumentSize(),
                    CompareReceived(WaitForDocument(lastOurs.Title), picture).c_str());
        std::printf("  Qt:   %.3f s QPainter begin to job accepted, %.2f MB sent, %s\n", Median(qt),
                    lastQt.Bytes / 1e6, CompareReceived(WaitForDocument(lastQt.Title), picture).c_str());
        std::printf("  Qt with its lossless hint: %.3f s, %.2f MB sent, %s\n", Median(qtLossless),
                    lastQtLossless.Bytes / 1e6, CompareReceived(WaitForDocument(lastQtLossless.Title), picture).c_str());
        std::fflush(stdout);
    }
    return 0;
}
