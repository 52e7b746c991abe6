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

// Nearest-neighbour stretch of the source rectangle of a bitmap (inside the bitmap) to a target of
// targetSize pixels, computing only the part of the target given (in target pixels, inside the target):
// target pixel t takes source pixel floor((t + 0.5) * source / target), counted from the far side when
// mirrored. Reads the bitmap's rows directly, so that drawing a large picture small costs only the pixels
// drawn. The result is a 32-bit RGB image of part's size.
QImage SampleNearest(const Bitmap& bitmap, const QRect& source, const QSize& targetSize, const QRect& part,
                     bool mirrorX = false, bool mirrorY = false);

} // namespace plat
