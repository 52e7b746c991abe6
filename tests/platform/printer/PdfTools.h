#pragma once
// Looking into printed PDFs with poppler's tools: rasterising a page and extracting its pictures, read back
// as RGB pixels. Tests using these skip when the tools are missing.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace pdftools {

struct Image {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Rgb;   // 3 bytes a pixel, rows top-down

    const uint8_t* At(int x, int y) const { return &Rgb[(static_cast<size_t>(y) * Width + x) * 3]; }
    bool IsColor(int x, int y, uint8_t r, uint8_t g, uint8_t b, int tolerance = 8) const
    {
        const uint8_t* p = At(x, y);
        return std::abs(p[0] - r) <= tolerance && std::abs(p[1] - g) <= tolerance && std::abs(p[2] - b) <= tolerance;
    }
};

inline bool HaveTools()
{
    return std::system("command -v pdftoppm >/dev/null 2>&1 && command -v pdfimages >/dev/null 2>&1") == 0;
}

inline std::filesystem::path TempDir(const std::string& name)
{
    auto dir = std::filesystem::temp_directory_path() / ("vantric-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir;
}

// Reads a binary PNM (P4 bitmap, P5 grey, P6 colour) as RGB.
inline std::optional<Image> ReadPnm(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    in >> magic;
    auto number = [&in]() {
        int v = 0;
        in >> std::ws;
        while (in.peek() == '#') {
            std::string comment;
            std::getline(in, comment);
            in >> std::ws;
        }
        in >> v;
        return v;
    };
    Image img;
    img.Width = number();
    img.Height = number();
    int maxValue = magic == "P4" ? 1 : number();
    in.get();
    if (!in || img.Width <= 0 || img.Height <= 0 || maxValue != (magic == "P4" ? 1 : 255))
        return std::nullopt;
    const size_t pixels = static_cast<size_t>(img.Width) * img.Height;
    img.Rgb.resize(pixels * 3);
    if (magic == "P6") {
        in.read(reinterpret_cast<char*>(img.Rgb.data()), static_cast<std::streamsize>(img.Rgb.size()));
    } else if (magic == "P5") {
        std::vector<uint8_t> grey(pixels);
        in.read(reinterpret_cast<char*>(grey.data()), static_cast<std::streamsize>(grey.size()));
        for (size_t i = 0; i < pixels; ++i)
            img.Rgb[3 * i] = img.Rgb[3 * i + 1] = img.Rgb[3 * i + 2] = grey[i];
    } else if (magic == "P4") {
        const size_t rowBytes = (static_cast<size_t>(img.Width) + 7) / 8;
        std::vector<uint8_t> bits(rowBytes * img.Height);
        in.read(reinterpret_cast<char*>(bits.data()), static_cast<std::streamsize>(bits.size()));
        for (int y = 0; y < img.Height; ++y)
            for (int x = 0; x < img.Width; ++x) {
                bool black = bits[y * rowBytes + x / 8] & (0x80 >> (x % 8));
                uint8_t v = black ? 0 : 255;
                size_t i = (static_cast<size_t>(y) * img.Width + x) * 3;
                img.Rgb[i] = img.Rgb[i + 1] = img.Rgb[i + 2] = v;
            }
    } else {
        return std::nullopt;
    }
    if (!in)
        return std::nullopt;
    return img;
}

// Page `page` (from 1) of pdf rasterised at dpi.
inline std::optional<Image> Rasterise(const std::filesystem::path& pdf, int dpi, int page = 1)
{
    auto out = pdf.parent_path() / ("page" + std::to_string(page));
    std::ostringstream cmd;
    cmd << "pdftoppm -r " << dpi << " -f " << page << " -l " << page << " -singlefile '" << pdf.string() << "' '"
        << out.string() << "' 2>/dev/null";
    if (std::system(cmd.str().c_str()) != 0)
        return std::nullopt;
    return ReadPnm(out.string() + ".ppm");
}

// Every picture of pdf, in the order of the document, decoded to RGB.
inline std::vector<Image> Pictures(const std::filesystem::path& pdf)
{
    auto dir = pdf.parent_path() / "pictures";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::string cmd = "pdfimages '" + pdf.string() + "' '" + (dir / "p").string() + "' 2>/dev/null";
    std::vector<Image> images;
    if (std::system(cmd.c_str()) != 0)
        return images;
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        files.push_back(e.path());
    std::sort(files.begin(), files.end());
    for (const auto& f : files)
        if (auto img = ReadPnm(f))
            images.push_back(std::move(*img));
    return images;
}

// "image", "jpeg", ... : the encoding of each picture as pdfimages -list reports it.
inline std::vector<std::string> PictureEncodings(const std::filesystem::path& pdf)
{
    std::string cmd = "pdfimages -list '" + pdf.string() + "' 2>/dev/null";
    std::vector<std::string> encodings;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p)
        return encodings;
    char line[512];
    int n = 0;
    while (std::fgets(line, sizeof line, p)) {
        if (++n <= 2)
            continue;   // header lines
        std::istringstream fields(line);
        std::string f;
        std::vector<std::string> all;
        while (fields >> f)
            all.push_back(f);
        if (all.size() > 9)
            encodings.push_back(all[8]);
    }
    pclose(p);
    return encodings;
}

} // namespace pdftools
