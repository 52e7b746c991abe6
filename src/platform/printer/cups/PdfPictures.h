#pragma once
// Pictures of a printed PDF, kept lossless and small: each picture drawn on a sheet is encoded by us (Flate
// with PNG row prediction, indexed pictures with their palette) while the sheet itself shows a small
// placeholder picture at its place. Once the PDF is written, Inject appends an update section to it that
// replaces every placeholder by its picture, so the placement, the clip and the transform are those of the
// PDF writer and the pixels are exactly the bitmap's.

#include "platform/core/Geometry.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

class Bitmap;

class PdfPictures {
public:
    // Placeholder i is a picture PlaceholderWidth(i) pixels wide and one pixel high: a size no picture
    // of a document has, by which Inject finds it again in the PDF.
    static constexpr int PlaceholderBaseWidth = 30011;
    static int PlaceholderWidth(int index) { return PlaceholderBaseWidth + index; }

    // Encodes the part of bitmap inside source (clipped to the bitmap) and answers its index.
    int Add(const Bitmap& bitmap, const Rect& source);
    int Count() const { return static_cast<int>(m_pictures.size()); }
    // Encoded size of all pictures, in bytes.
    size_t EncodedBytes() const;

    // Appends to pdf the update that replaces the placeholders by the pictures. Raises EPrinter when a
    // placeholder cannot be found or the PDF's trailer cannot be read (the document would print wrong).
    void Inject(std::string& pdf) const;

    void Clear() { m_pictures.clear(); }

private:
    struct Picture {
        int Width = 0;
        int Height = 0;
        int BitsPerComponent = 8;
        int Colors = 3;                 // 3 for RGB, 1 for palette indices
        bool Predicted = false;         // rows carry a PNG filter byte
        std::string Palette;            // RGB triplets for indexed pictures
        std::vector<uint8_t> Data;      // zlib stream
    };

    std::vector<Picture> m_pictures;
};

// The zlib form of data at a fast setting (for tests and the pictures).
std::vector<uint8_t> DeflateZlib(const std::vector<uint8_t>& data);
// Inverse of DeflateZlib; raises EPrinter on damaged data or when the result would exceed maxSize.
std::vector<uint8_t> InflateZlib(const uint8_t* data, size_t size, size_t maxSize);

} // namespace plat
