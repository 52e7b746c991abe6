#include "PdfPictures.h"

#include "platform/core/Exceptions.h"
#include "platform/graphics/Bitmap.h"

#include <libdeflate.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

namespace plat {

namespace {

// Level 1 keeps printing quick; prediction does most of the work on pictures.
constexpr int CompressionLevel = 1;

struct CompressorFree {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};
struct DecompressorFree {
    void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

bool StandardMasks32(const Bitmap& bitmap)
{
    return (bitmap.RedMask() == 0 && bitmap.GreenMask() == 0 && bitmap.BlueMask() == 0) ||
           (bitmap.RedMask() == 0x00FF0000u && bitmap.GreenMask() == 0x0000FF00u && bitmap.BlueMask() == 0x000000FFu);
}

// Rows of RGB, each led by the PNG "Up" filter byte and holding its difference to the row above.
std::vector<uint8_t> PredictedRgb(const Bitmap& bitmap, const Rect& r)
{
    const size_t width = static_cast<size_t>(r.Width());
    const size_t rowBytes = width * 3;
    std::vector<uint8_t> out((rowBytes + 1) * static_cast<size_t>(r.Height()));
    std::vector<uint8_t> previous(rowBytes, 0), current(rowBytes);
    const PixelFormat format = bitmap.GetPixelFormat();
    const bool fast24 = format == PixelFormat::Bit24;
    const bool fast32 = format == PixelFormat::Bit32 && StandardMasks32(bitmap);
    uint8_t* o = out.data();
    for (int y = r.Top; y < r.Bottom; ++y) {
        uint8_t* c = current.data();
        if (fast24 || fast32) {
            const int step = fast24 ? 3 : 4;
            const uint8_t* s = bitmap.ScanLine(y) + static_cast<size_t>(r.Left) * step;
            for (size_t x = 0; x < width; ++x, s += step, c += 3) {
                c[0] = s[2];
                c[1] = s[1];
                c[2] = s[0];
            }
        } else {
            for (int x = r.Left; x < r.Right; ++x, c += 3) {
                Color color = bitmap.GetPixel(x, y);
                c[0] = RedOf(color);
                c[1] = GreenOf(color);
                c[2] = BlueOf(color);
            }
        }
        *o++ = 2;
        for (size_t i = 0; i < rowBytes; ++i)
            o[i] = static_cast<uint8_t>(current[i] - previous[i]);
        o += rowBytes;
        std::swap(previous, current);
    }
    return out;
}

// Palette indices, packed as the bitmap packs them when the part starts on a byte, otherwise one a byte.
std::vector<uint8_t> Indices(const Bitmap& bitmap, const Rect& r, int bits, int& outBits)
{
    const size_t width = static_cast<size_t>(r.Width());
    const bool aligned = (static_cast<long long>(r.Left) * bits) % 8 == 0;
    outBits = aligned ? bits : 8;
    const size_t rowBytes = (width * static_cast<size_t>(outBits) + 7) / 8;
    std::vector<uint8_t> out(rowBytes * static_cast<size_t>(r.Height()));
    uint8_t* o = out.data();
    for (int y = r.Top; y < r.Bottom; ++y, o += rowBytes) {
        const uint8_t* row = bitmap.ScanLine(y);
        if (aligned) {
            std::memcpy(o, row + static_cast<size_t>(r.Left) * bits / 8, rowBytes);
            continue;
        }
        for (size_t x = 0; x < width; ++x) {
            size_t bit = (static_cast<size_t>(r.Left) + x) * static_cast<size_t>(bits);
            int shift = 8 - bits - static_cast<int>(bit % 8);
            o[x] = static_cast<uint8_t>((row[bit / 8] >> shift) & ((1 << bits) - 1));
        }
    }
    return out;
}

std::string ObjectNumberBefore(const std::string& pdf, size_t objPos)
{
    size_t start = objPos;
    while (start > 0 && pdf[start - 1] >= '0' && pdf[start - 1] <= '9')
        --start;
    if (start == objPos || (start > 0 && pdf[start - 1] != '\n' && pdf[start - 1] != '\r'))
        return {};
    return pdf.substr(start, objPos - start);
}

// The integer after key in text ("/Width 30011"), if any.
std::optional<long long> IntAfter(std::string_view text, std::string_view key)
{
    size_t pos = 0;
    while ((pos = text.find(key, pos)) != std::string_view::npos) {
        size_t p = pos + key.size();
        // The key must end here ("/Width" is not "/WidthX").
        if (p < text.size() && (std::isalnum(static_cast<unsigned char>(text[p])))) {
            pos = p;
            continue;
        }
        while (p < text.size() && (text[p] == ' ' || text[p] == '\n' || text[p] == '\r' || text[p] == '\t'))
            ++p;
        size_t digits = p;
        while (digits < text.size() && digits - p < 12 && text[digits] >= '0' && text[digits] <= '9')
            ++digits;
        if (digits == p)
            return std::nullopt;
        return std::stoll(std::string(text.substr(p, digits - p)));
    }
    return std::nullopt;
}

// The text of "key N G R" in a dictionary ("/Root 2 0 R").
std::string ReferenceAfter(std::string_view dict, std::string_view key)
{
    size_t pos = dict.find(key);
    if (pos == std::string_view::npos)
        return {};
    size_t p = pos + key.size();
    size_t end = dict.find('R', p);
    if (end == std::string_view::npos || end - p > 24)
        return {};
    std::string ref(dict.substr(p, end + 1 - p));
    ref.erase(0, ref.find_first_not_of(" \r\n\t"));
    return ref;
}

EPrinter DamagedPdf(const char* what)
{
    return EPrinter(std::string("Document d'impression incorrect : ") + what);
}

} // namespace

std::vector<uint8_t> DeflateZlib(const std::vector<uint8_t>& data)
{
    std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(libdeflate_alloc_compressor(CompressionLevel));
    if (!compressor)
        throw EOutOfMemory();
    std::vector<uint8_t> out(libdeflate_zlib_compress_bound(compressor.get(), data.size()));
    size_t n = libdeflate_zlib_compress(compressor.get(), data.data(), data.size(), out.data(), out.size());
    out.resize(n);
    return out;
}

std::vector<uint8_t> InflateZlib(const uint8_t* data, size_t size, size_t maxSize)
{
    std::unique_ptr<libdeflate_decompressor, DecompressorFree> d(libdeflate_alloc_decompressor());
    if (!d)
        throw EOutOfMemory();
    std::vector<uint8_t> out(maxSize);
    size_t actual = 0;
    if (libdeflate_zlib_decompress(d.get(), data, size, out.data(), out.size(), &actual) != LIBDEFLATE_SUCCESS)
        throw DamagedPdf("flux compressé illisible");
    out.resize(actual);
    return out;
}

int PdfPictures::Add(const Bitmap& bitmap, const Rect& source)
{
    Rect r{std::max(source.Left, 0), std::max(source.Top, 0), std::min(source.Right, bitmap.GetWidth()),
           std::min(source.Bottom, bitmap.GetHeight())};
    if (r.Right <= r.Left || r.Bottom <= r.Top)
        r = Rect{0, 0, 0, 0};

    Picture p;
    p.Width = std::max(r.Width(), 1);
    p.Height = std::max(r.Height(), 1);
    const PixelFormat format = bitmap.GetPixelFormat();
    const int indexBits = format == PixelFormat::Bit1 ? 1 : format == PixelFormat::Bit4 ? 4 : format == PixelFormat::Bit8 ? 8 : 0;
    std::vector<uint8_t> raw;
    if (r.Width() == 0) {
        // Nothing of the bitmap is inside: one white pixel keeps the document valid.
        raw = {0, 255, 255, 255};
        p.Predicted = true;
    } else if (indexBits && !bitmap.GetPalette().empty()) {
        // Every index has an entry: those beyond the bitmap's palette are black, as on screen.
        const auto& palette = bitmap.GetPalette();
        const size_t entries = size_t{1} << indexBits;
        for (size_t i = 0; i < entries; ++i) {
            PaletteEntry e = i < palette.size() ? palette[i] : PaletteEntry{};
            p.Palette.push_back(static_cast<char>(e.Red));
            p.Palette.push_back(static_cast<char>(e.Green));
            p.Palette.push_back(static_cast<char>(e.Blue));
        }
        p.Colors = 1;
        raw = Indices(bitmap, r, indexBits, p.BitsPerComponent);
    } else {
        raw = PredictedRgb(bitmap, r);
        p.Predicted = true;
    }
    p.Data = DeflateZlib(raw);
    m_pictures.push_back(std::move(p));
    return static_cast<int>(m_pictures.size()) - 1;
}

size_t PdfPictures::EncodedBytes() const
{
    size_t total = 0;
    for (const Picture& p : m_pictures)
        total += p.Data.size();
    return total;
}

void PdfPictures::Inject(std::string& pdf) const
{
    if (m_pictures.empty())
        return;

    // Where each placeholder's image object is.
    std::vector<std::string> objectOf(m_pictures.size());
    size_t pos = 0;
    while ((pos = pdf.find(" 0 obj", pos)) != std::string::npos) {
        std::string number = ObjectNumberBefore(pdf, pos);
        pos += 6;
        if (number.empty() || number.size() > 9)
            continue;
        size_t end = std::min({pdf.find("stream", pos), pdf.find("endobj", pos), pos + 4096, pdf.size()});
        std::string_view dict(pdf.data() + pos, end - pos);
        if (dict.find("/Subtype /Image") == std::string_view::npos)
            continue;
        auto width = IntAfter(dict, "/Width");
        auto height = IntAfter(dict, "/Height");
        if (!width || !height || *height != 1)
            continue;
        long long index = *width - PlaceholderBaseWidth;
        if (index >= 0 && index < static_cast<long long>(m_pictures.size()))
            objectOf[static_cast<size_t>(index)] = number;
    }
    for (const std::string& n : objectOf)
        if (n.empty())
            throw DamagedPdf("image introuvable");

    size_t trailer = pdf.rfind("trailer");
    size_t startxref = pdf.rfind("startxref");
    if (trailer == std::string::npos || startxref == std::string::npos || startxref < trailer)
        throw DamagedPdf("fin de fichier illisible");
    std::string_view trailerDict(pdf.data() + trailer, startxref - trailer);
    auto size = IntAfter(trailerDict, "/Size");
    std::string root = ReferenceAfter(trailerDict, "/Root");
    std::string info = ReferenceAfter(trailerDict, "/Info");
    auto previous = IntAfter(std::string_view(pdf).substr(startxref), "startxref");
    if (!size || root.empty() || !previous)
        throw DamagedPdf("fin de fichier illisible");

    if (pdf.back() != '\n')
        pdf += '\n';
    std::vector<std::pair<long long, size_t>> offsets;
    char head[512];
    for (size_t i = 0; i < m_pictures.size(); ++i) {
        const Picture& p = m_pictures[i];
        offsets.emplace_back(std::stoll(objectOf[i]), pdf.size());
        std::string colorSpace = "/DeviceRGB";
        if (p.Colors == 1) {
            static const char hex[] = "0123456789ABCDEF";
            colorSpace = "[/Indexed /DeviceRGB " + std::to_string(p.Palette.size() / 3 - 1) + " <";
            for (char c : p.Palette) {
                colorSpace += hex[(static_cast<unsigned char>(c) >> 4) & 15];
                colorSpace += hex[static_cast<unsigned char>(c) & 15];
            }
            colorSpace += ">]";
        }
        std::string parms;
        if (p.Predicted)
            parms = " /DecodeParms << /Predictor 15 /Colors " + std::to_string(p.Colors) + " /BitsPerComponent " +
                    std::to_string(p.BitsPerComponent) + " /Columns " + std::to_string(p.Width) + " >>";
        std::snprintf(head, sizeof head,
                      "%s 0 obj\n<< /Type /XObject /Subtype /Image /Width %d /Height %d /BitsPerComponent %d "
                      "/Filter /FlateDecode /Length %zu",
                      objectOf[i].c_str(), p.Width, p.Height, p.BitsPerComponent, p.Data.size());
        pdf += head;
        pdf += parms;
        pdf += " /ColorSpace " + colorSpace + " >>\nstream\n";
        pdf.append(reinterpret_cast<const char*>(p.Data.data()), p.Data.size());
        pdf += "\nendstream\nendobj\n";
    }
    std::sort(offsets.begin(), offsets.end());
    const size_t xref = pdf.size();
    pdf += "xref\n";
    for (const auto& [object, offset] : offsets) {
        std::snprintf(head, sizeof head, "%lld 1\n%010zu 00000 n \n", object, offset);
        pdf += head;
    }
    pdf += "trailer\n<< /Size " + std::to_string(*size) + " /Root " + root;
    if (!info.empty())
        pdf += " /Info " + info;
    pdf += " /Prev " + std::to_string(*previous) + " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
}

} // namespace plat
