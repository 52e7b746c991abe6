#include "GmGraphicList.h"

#include "GmReader.h"
#include "GmWriter.h"
#include "GraphicCompare_p.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Stream.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/JpegImage.h"
#include "platform/surface/Metafile.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// A read-only view of [start, end) of another stream, so that a picture reader cannot run into the next
// picture's data; positions are relative to start.
class WindowStream : public plat::Stream {
public:
    WindowStream(plat::Stream& base, int64_t start, int64_t end) : m_base(base), m_start(start), m_end(end) {}

    size_t Read(void* buffer, size_t count) override
    {
        if (m_position >= GetSize() || count == 0)
            return 0;
        size_t n = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(count), GetSize() - m_position));
        m_base.SetPosition(m_start + m_position);
        size_t got = m_base.Read(buffer, n);
        m_position += static_cast<int64_t>(got);
        return got;
    }
    size_t Write(const void*, size_t) override { return 0; }
    int64_t GetPosition() const override { return m_position; }
    void SetPosition(int64_t position) override { m_position = std::max<int64_t>(0, position); }
    int64_t GetSize() const override { return m_end - m_start; }

private:
    plat::Stream& m_base;
    int64_t m_start;
    int64_t m_end;
    int64_t m_position = 0;
};

std::unique_ptr<plat::Graphic> NewGraphicOfKind(int kind)
{
    switch (kind) {
    case TGmGraphicList::KindJpeg: return std::make_unique<plat::JpegImage>();
    case TGmGraphicList::KindMetafile: return std::make_unique<plat::Metafile>();
    case TGmGraphicList::KindBitmap: return std::make_unique<plat::Bitmap>();
    default: return nullptr;
    }
}

} // namespace

bool GraphicsEqual(const plat::Graphic& a, const plat::Graphic& b)
{
    if (a.GetHeight() != b.GetHeight() || a.GetWidth() != b.GetWidth())
        return false;
    plat::MemoryStream first;
    a.SaveToStream(first);
    gm_detail::ComparingStream second(first.Bytes());
    b.SaveToStream(second);
    return second.Equal();
}

plat::Graphic* TGmGraphicList::GetGraphic(int index) const
{
    // Stored bitmaps keep their pixels in memory; there is no platform handle to take back here.
    return ItemOrNone(index);
}

plat::Graphic* TGmGraphicList::AddGraphic(const plat::Graphic* picture)
{
    if (!picture)
        return nullptr;
    if (CompareGraphics) {
        for (const auto& entry : m_items)
            if (GraphicsEqual(*picture, *entry))
                return entry.get();
    }
    std::unique_ptr<plat::Graphic> copy;
    if (dynamic_cast<const plat::JpegImage*>(picture))
        copy = std::make_unique<plat::JpegImage>();
    else if (dynamic_cast<const plat::Metafile*>(picture))
        copy = std::make_unique<plat::Metafile>();
    else if (dynamic_cast<const plat::Bitmap*>(picture))
        copy = std::make_unique<plat::Bitmap>();
    else
        return nullptr;
    copy->Assign(picture);
    if (auto bitmap = dynamic_cast<plat::Bitmap*>(copy.get()))
        bitmap->Dormant();
    return Append(std::move(copy));
}

int TGmGraphicList::IndexOfGraphic(const plat::Graphic* picture) const
{
    if (!picture)
        return -1;
    for (size_t i = 0; i < m_items.size(); ++i)
        if (GraphicsEqual(*m_items[i], *picture))
            return static_cast<int>(i);
    return -1;
}

int TGmGraphicList::GraphicKind(const plat::Graphic* picture)
{
    if (dynamic_cast<const plat::JpegImage*>(picture))
        return KindJpeg;
    if (dynamic_cast<const plat::Metafile*>(picture))
        return KindMetafile;
    return KindBitmap;
}

void TGmGraphicList::SaveToStream(plat::Stream& stream) const
{
    TGmWriter writer(stream);
    writer.WriteInteger(Count());
    for (const auto& picture : m_items) {
        uint8_t kind = static_cast<uint8_t>(GraphicKind(picture.get()));
        stream.WriteBuffer(&kind, 1);
        const int64_t slot = stream.GetPosition();
        writer.WriteInteger(0);
        picture->SaveToStream(stream);
        // The position just past the picture. (Its size, the figure once written here, equals it only
        // when the list is written at the end of the stream.)
        const int64_t end = stream.GetPosition();
        if (end > std::numeric_limits<int32_t>::max())
            throw plat::EWriteError();
        stream.SetPosition(slot);
        writer.WriteInteger(static_cast<int32_t>(end));
        stream.SetPosition(end);
    }
}

void TGmGraphicList::LoadFromStream(plat::Stream& stream)
{
    TGmReader reader(stream);
    int32_t count = reader.ReadInteger();
    if (count < 0)
        throw plat::EReadError();
    for (int32_t i = 0; i < count; ++i) {
        uint8_t kind = 0;
        stream.ReadBuffer(&kind, 1);
        const int64_t end = reader.ReadInteger();
        const int64_t start = stream.GetPosition();
        if (end < start || end > stream.GetSize())
            throw plat::EReadError();
        if (std::unique_ptr<plat::Graphic> picture = NewGraphicOfKind(kind)) {
            // An empty picture writes no data; there is nothing to read back for it.
            if (end > start) {
                WindowStream data(stream, start, end);
                picture->LoadFromStream(data);
            }
            Append(std::move(picture));
        }
        stream.SetPosition(end);
    }
}
