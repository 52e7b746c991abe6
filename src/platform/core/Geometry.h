#pragma once
// Integer device geometry shared by surfaces, pictures and the engine.

#include <cstdint>

namespace plat {

struct Point {
    int X = 0;
    int Y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int Width = 0;
    int Height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Left and Top are inside, Right and Bottom outside.
struct Rect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Colours are 0x00BBGGRR: red in the low byte.
using Color = int32_t;
constexpr Color clBlack = 0x000000;
constexpr Color clWhite = 0xFFFFFF;
constexpr Color clSilver = 0xC0C0C0;
constexpr Color clRed = 0x0000FF;
constexpr Color clGreen = 0x008000;
constexpr Color clBlue = 0xFF0000;
constexpr Color clTeal = 0x808000;
constexpr Color clGray = 0x808080;
constexpr Color clNone = 0x1FFFFFFF;
// System colour for window text; surfaces resolve it to black.
constexpr Color clWindowText = static_cast<Color>(0x80000008);

inline uint8_t RedOf(Color c) { return static_cast<uint8_t>(c & 0xFF); }
inline uint8_t GreenOf(Color c) { return static_cast<uint8_t>((c >> 8) & 0xFF); }
inline uint8_t BlueOf(Color c) { return static_cast<uint8_t>((c >> 16) & 0xFF); }
inline Color RGBColor(uint8_t r, uint8_t g, uint8_t b) { return r | (g << 8) | (b << 16); }
// Resolves system colours to plain RGB.
Color ColorToRGB(Color c);

} // namespace plat
