#pragma once
// A JPEG picture: the compressed bytes and the decoded bitmap, each made from the other when needed.
// Reading decodes at once (so a damaged file fails at load, leaving the picture as it was); assigning a
// bitmap keeps the bitmap and compresses it when the bytes are first asked for (saving, comparing).

#include "Bitmap.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace plat {

class JpegImage : public Graphic {
public:
    PLAT_CLASS_NAME(TJPEGImage)

    JpegImage();
    JpegImage(const JpegImage& other);
    JpegImage& operator=(const JpegImage& other);
    ~JpegImage() override;

    int GetWidth() const override;
    int GetHeight() const override;
    bool Empty() const override;

    // Writes the JPEG bytes (compressing the bitmap first when the picture came from one). An empty
    // picture writes nothing.
    void SaveToStream(Stream& stream) const override;
    // Reads one JPEG from the stream's position and leaves the stream just past its end-of-image marker
    // (or at the stream's end when there is none). Errors: "Erreur JPEG #<libjpeg code>" (EInvalidGraphic)
    // for data the decoder refuses, EReadError for data that stops before the image is complete.
    void LoadFromStream(Stream& stream) override;

    void Draw(Surface& surface, const Rect& dest) const override;
    std::unique_ptr<Graphic> NewEmpty() const override;

    // Accepts a JpegImage (copy), a Bitmap (compressed when needed), any picture that can give a bitmap
    // view (icon, GIF), a picture holder (its picture), or null (empties). Others raise the assignment
    // error.
    void Assign(const Persistent* source) override;

    // The decoded picture: 24 bits, or 8 bits with a grey palette for greyscale files.
    const Bitmap& GetBitmap() const;
    // The JPEG bytes; compresses the bitmap when needed.
    const std::vector<uint8_t>& Data() const;

    // Quality (1..100) of the next compression; 90 by default.
    int GetCompressionQuality() const { return m_quality; }
    void SetCompressionQuality(int quality);
    // Whether the picture is greyscale (one component).
    bool GetGrayscale() const;

    // Largest decoded size for the bytes given: a few bytes may not announce a huge picture. (Real
    // encoders never spend less than about one bit per 8x8 block and component.)
    static int64_t MaxPixelsFor(size_t bytes);

protected:
    void AssignTo(Persistent* destination) const override;

private:
    void SetFromBitmap(const Bitmap& bitmap);

    mutable std::vector<uint8_t> m_data;
    std::shared_ptr<const Bitmap> m_bitmap; // shared between copies; never changed once made
    int m_quality = 90;
};

} // namespace plat
