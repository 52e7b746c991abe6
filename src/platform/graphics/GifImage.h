#pragma once
// A GIF picture: the file's bytes and its first frame decoded for drawing. The frame is laid on the
// logical screen as an 8-bit bitmap with the frame's colour table; transparent pixels, and the screen
// around a smaller frame, show white. Later frames are checked for structure only.

#include "Bitmap.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace plat {

class GifImage : public Graphic {
public:
    PLAT_CLASS_NAME(TGIFImage)

    GifImage();
    GifImage(const GifImage& other);
    GifImage& operator=(const GifImage& other);
    ~GifImage() override;

    int GetWidth() const override;
    int GetHeight() const override;
    bool Empty() const override;

    // Writes the GIF file as it was read. An empty picture writes nothing.
    void SaveToStream(Stream& stream) const override;
    // Reads a GIF from the stream's position and leaves the stream just past its trailer (or at the
    // stream's end when the file stops after complete frames). On failure the picture is unchanged:
    // EReadError when the data ends inside the first frame, EInvalidGraphic ("Image GIF incorrecte")
    // for anything else that is not a valid GIF.
    void LoadFromStream(Stream& stream) override;

    void Draw(Surface& surface, const Rect& dest) const override;
    std::unique_ptr<Graphic> NewEmpty() const override;

    // Accepts a GifImage (copy) or null (empties).
    void Assign(const Persistent* source) override;

    // The first frame on the logical screen.
    const Bitmap& GetBitmap() const;
    // Number of frames found in the file.
    int FrameCount() const;

protected:
    // Gives the bitmap view to a Bitmap or a JPEG picture.
    void AssignTo(Persistent* destination) const override;

private:
    struct Content;
    std::shared_ptr<const Content> m_content; // never changed once read
};

} // namespace plat
