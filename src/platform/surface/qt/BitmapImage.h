#pragma once
// A bitmap's pixels as a QImage for drawing, and a QImage's pixels as a bitmap. Both keep every pixel:
// indexed bitmaps become indexed images with their palette, direct-colour bitmaps of the standard layouts
// (24 and 32 bits) are copied row by row, and other layouts (16 bits, bit fields of their own) go through
// the bitmap's own colour reading, so that they show exactly the colours the bitmap reports.

#include "platform/graphics/Bitmap.h"

#include <QImage>

namespace plat {

// An empty bitmap gives a null image.
QImage BitmapToImage(const Bitmap& bitmap);
// Indexed and one-bit images keep their palette (8 and 1 bits); images with an alpha channel give 32 bits
// (the fourth byte holds the alpha); all others 24 bits. A null image gives an empty bitmap.
Bitmap ImageToBitmap(const QImage& image);

} // namespace plat
