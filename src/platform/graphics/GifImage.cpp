#include "GifImage.h"

#include "JpegImage.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Stream.h"

#include <algorithm>
#include <cstring>

namespace plat {

namespace {

[[noreturn]] void BadGif() { throw EInvalidGraphic("Image GIF incorrecte"); }

// Bytes of a GIF held in memory, read with bounds checks: running out is a read error.
class Cursor {
public:
    Cursor(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    size_t Position() const { return m_pos; }
    bool AtEnd() const { return m_pos >= m_size; }
    uint8_t Byte()
    {
        Need(1);
        return m_data[m_pos++];
    }
    uint16_t Word()
    {
        Need(2);
        uint16_t v = static_cast<uint16_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
        m_pos += 2;
        return v;
    }
    const uint8_t* Take(size_t n)
    {
        Need(n);
        const uint8_t* p = m_data + m_pos;
        m_pos += n;
        return p;
    }
    // Sub-blocks (a length byte, then that many bytes) up to the empty one; appends their bytes to out
    // when given.
    void SubBlocks(std::vector<uint8_t>* out)
    {
        for (;;) {
            const uint8_t n = Byte();
            if (n == 0)
                return;
            const uint8_t* p = Take(n);
            if (out)
                out->insert(out->end(), p, p + n);
        }
    }

private:
    void Need(size_t n) const
    {
        if (n > m_size - std::min(m_pos, m_size))
            throw EReadError();
    }
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

std::vector<PaletteEntry> ReadColourTable(Cursor& in, unsigned sizeBits)
{
    const size_t count = size_t{2} << sizeBits;
    const uint8_t* p = in.Take(3 * count);
    std::vector<PaletteEntry> table(count);
    for (size_t i = 0; i < count; ++i)
        table[i] = PaletteEntry{p[3 * i + 2], p[3 * i + 1], p[3 * i], 0};
    return table;
}

// Decodes the LZW data of one frame into indexes, in the order the data gives them (interlacing is
// undone by the caller). Missing pixels at the end stay at fill; codes that refer to no table entry
// are an error.
void DecodeLzw(const std::vector<uint8_t>& data, unsigned minCodeSize, std::vector<uint8_t>& out)
{
    constexpr int MaxCodes = 4096;
    const int clear = 1 << minCodeSize;
    const int endOfData = clear + 1;
    uint16_t prefix[MaxCodes];
    uint8_t suffix[MaxCodes];
    uint8_t firstOf[MaxCodes];
    uint8_t stack[MaxCodes + 1];
    for (int i = 0; i < clear; ++i) {
        prefix[i] = 0xFFFF;
        suffix[i] = static_cast<uint8_t>(i);
        firstOf[i] = static_cast<uint8_t>(i);
    }
    int codeSize = static_cast<int>(minCodeSize) + 1;
    int next = endOfData + 1;
    int previous = -1;
    size_t written = 0;
    const size_t total = out.size();
    uint32_t bits = 0;
    int bitCount = 0;
    size_t at = 0;

    auto emit = [&](int code) {
        int depth = 0;
        for (int c = code; c != 0xFFFF && depth <= MaxCodes; c = prefix[c])
            stack[depth++] = suffix[c];
        while (depth > 0 && written < total)
            out[written++] = stack[--depth];
    };

    while (written < total) {
        while (bitCount < codeSize && at < data.size()) {
            bits |= static_cast<uint32_t>(data[at++]) << bitCount;
            bitCount += 8;
        }
        if (bitCount < codeSize)
            return; // the data stops early: the rest stays as it is
        const int code = static_cast<int>(bits & ((1u << codeSize) - 1));
        bits >>= codeSize;
        bitCount -= codeSize;

        if (code == clear) {
            codeSize = static_cast<int>(minCodeSize) + 1;
            next = endOfData + 1;
            previous = -1;
            continue;
        }
        if (code == endOfData)
            return;
        if (previous < 0) {
            if (code >= clear)
                BadGif();
            emit(code);
            previous = code;
            continue;
        }
        if (code < next) {
            if (next < MaxCodes) {
                prefix[next] = static_cast<uint16_t>(previous);
                suffix[next] = firstOf[code];
                firstOf[next] = firstOf[previous];
                ++next;
            }
            emit(code);
        } else if (code == next && next < MaxCodes) {
            prefix[next] = static_cast<uint16_t>(previous);
            suffix[next] = firstOf[previous];
            firstOf[next] = firstOf[previous];
            ++next;
            emit(code);
        } else {
            BadGif();
        }
        if (next == (1 << codeSize) && codeSize < 12)
            ++codeSize;
        previous = code;
    }
}

// Limits what a few bytes may make us allocate: LZW codes stand for at most a few thousand pixels.
int64_t MaxPixelsFor(size_t bytes)
{
    return std::max<int64_t>(int64_t{1} << 24, static_cast<int64_t>(bytes) * 4096);
}

} // namespace

struct GifImage::Content {
    std::vector<uint8_t> File;
    Bitmap Picture;
    int Frames = 0;
};

GifImage::GifImage() = default;
GifImage::GifImage(const GifImage& other) : Graphic(), m_content(other.m_content) {}
GifImage& GifImage::operator=(const GifImage& other)
{
    m_content = other.m_content;
    return *this;
}
GifImage::~GifImage() = default;

int GifImage::GetWidth() const { return m_content ? m_content->Picture.GetWidth() : 0; }
int GifImage::GetHeight() const { return m_content ? m_content->Picture.GetHeight() : 0; }
bool GifImage::Empty() const { return !m_content; }
int GifImage::FrameCount() const { return m_content ? m_content->Frames : 0; }

const Bitmap& GifImage::GetBitmap() const
{
    static const Bitmap empty;
    return m_content ? m_content->Picture : empty;
}

void GifImage::SaveToStream(Stream& stream) const
{
    if (m_content)
        stream.WriteBuffer(m_content->File.data(), m_content->File.size());
}

void GifImage::LoadFromStream(Stream& stream)
{
    const int64_t start = stream.GetPosition();
    std::vector<uint8_t> bytes(static_cast<size_t>(stream.Remaining()));
    stream.ReadBuffer(bytes.data(), bytes.size());
    Cursor in(bytes.data(), bytes.size());

    const uint8_t* signature = in.Take(6);
    if (std::memcmp(signature, "GIF87a", 6) != 0 && std::memcmp(signature, "GIF89a", 6) != 0)
        BadGif();
    int screenWidth = in.Word();
    int screenHeight = in.Word();
    const uint8_t screenFlags = in.Byte();
    const uint8_t background = in.Byte();
    in.Byte(); // aspect ratio
    std::vector<PaletteEntry> globalTable;
    if (screenFlags & 0x80)
        globalTable = ReadColourTable(in, screenFlags & 7);

    auto content = std::make_shared<Content>();
    int transparent = -1;
    bool firstDone = false;
    size_t end = bytes.size();
    try {
        for (;;) {
            if (firstDone && in.AtEnd())
                break; // no trailer: the file ends after complete frames
            const uint8_t kind = in.Byte();
            if (kind == 0x3B) {
                end = in.Position();
                break;
            }
            if (kind == 0x21) {
                const uint8_t label = in.Byte();
                if (label == 0xF9 && !firstDone) {
                    const uint8_t size = in.Byte();
                    const uint8_t* p = in.Take(size);
                    if (size >= 4 && (p[0] & 1))
                        transparent = p[3];
                    in.SubBlocks(nullptr);
                } else {
                    in.SubBlocks(nullptr);
                }
                continue;
            }
            if (kind != 0x2C) {
                if (firstDone) {
                    end = in.Position() - 1; // stray data after the frames is not ours
                    break;
                }
                BadGif();
            }
            const int left = in.Word(), top = in.Word(), width = in.Word(), height = in.Word();
            const uint8_t flags = in.Byte();
            std::vector<PaletteEntry> localTable;
            if (flags & 0x80)
                localTable = ReadColourTable(in, flags & 7);
            const uint8_t minCodeSize = in.Byte();
            if (minCodeSize < 2 || minCodeSize > 8)
                BadGif();
            std::vector<uint8_t> data;
            in.SubBlocks(firstDone ? nullptr : &data);
            ++content->Frames;
            if (firstDone)
                continue;
            firstDone = true;

            if (width == 0 || height == 0)
                BadGif();
            if (screenWidth == 0 || screenHeight == 0) {
                screenWidth = left + width;
                screenHeight = top + height;
            }
            const int64_t limit = std::min<int64_t>(Bitmap::MaxPixels, MaxPixelsFor(bytes.size()));
            if (static_cast<int64_t>(width) * height > limit
                || static_cast<int64_t>(screenWidth) * screenHeight > limit)
                BadGif();

            std::vector<PaletteEntry> table = !localTable.empty() ? std::move(localTable) : globalTable;
            if (table.empty()) { // no colour table at all: greys
                table.resize(size_t{1} << minCodeSize);
                for (size_t i = 0; i < table.size(); ++i) {
                    auto v = static_cast<uint8_t>(i * 255 / (table.size() - 1));
                    table[i] = PaletteEntry{v, v, v, 0};
                }
            }
            // Transparent pixels and the screen around the frame show white.
            uint8_t fill = background;
            if (transparent >= 0) {
                if (static_cast<size_t>(transparent) >= table.size())
                    table.resize(static_cast<size_t>(transparent) + 1);
                table[static_cast<size_t>(transparent)] = PaletteEntry{255, 255, 255, 0};
                fill = static_cast<uint8_t>(transparent);
            } else if (left > 0 || top > 0 || left + width < screenWidth || top + height < screenHeight) {
                if (table.size() < 256)
                    table.push_back(PaletteEntry{255, 255, 255, 0});
                fill = static_cast<uint8_t>(table.size() - 1);
            }

            std::vector<uint8_t> indexes(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
            DecodeLzw(data, minCodeSize, indexes);

            Bitmap picture(screenWidth, screenHeight, PixelFormat::Bit8);
            picture.SetPalette(table);
            for (int y = 0; y < screenHeight; ++y)
                std::memset(picture.ScanLine(y), fill, static_cast<size_t>(screenWidth));
            // Interlaced frames store rows 0, 8, 16, ..., then 4, 12, ..., then 2, 6, ..., then 1, 3, ...
            const bool interlaced = (flags & 0x40) != 0;
            static const int passStart[4] = {0, 4, 2, 1}, passStep[4] = {8, 8, 4, 2};
            int pass = 0, row = 0;
            for (int i = 0; i < height; ++i) {
                int y = i;
                if (interlaced) {
                    while (row >= height && pass < 3) {
                        ++pass;
                        row = passStart[pass];
                    }
                    y = row;
                    row += passStep[pass];
                }
                const int screenY = top + y;
                if (screenY >= screenHeight)
                    continue;
                const int from = std::max(0, -left), to = std::min(width, screenWidth - left);
                if (to > from)
                    std::memcpy(picture.ScanLine(screenY) + left + from,
                                indexes.data() + static_cast<size_t>(i) * static_cast<size_t>(width) + from,
                                static_cast<size_t>(to - from));
            }
            content->Picture = std::move(picture);
        }
    } catch (const EReadError&) {
        if (!firstDone)
            throw;
        end = bytes.size(); // a later frame is cut short: keep the first
    }
    if (!firstDone)
        BadGif(); // nothing to show
    bytes.resize(end);
    content->File = std::move(bytes);
    stream.SetPosition(start + static_cast<int64_t>(end));
    m_content = std::move(content);
    Changed();
}

void GifImage::Draw(Surface& surface, const Rect& dest) const
{
    if (m_content)
        m_content->Picture.Draw(surface, dest);
}

std::unique_ptr<Graphic> GifImage::NewEmpty() const { return std::make_unique<GifImage>(); }

void GifImage::Assign(const Persistent* source)
{
    if (!source) {
        m_content.reset();
        Changed();
        return;
    }
    if (const auto* gif = dynamic_cast<const GifImage*>(source)) {
        m_content = gif->m_content;
        Changed();
        return;
    }
    Graphic::Assign(source);
}

void GifImage::AssignTo(Persistent* destination) const
{
    if (dynamic_cast<Bitmap*>(destination) || dynamic_cast<JpegImage*>(destination)) {
        destination->Assign(&GetBitmap());
        return;
    }
    Graphic::AssignTo(destination);
}

} // namespace plat
