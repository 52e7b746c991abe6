#pragma once
// A text font: face name, size in points, style, colour and character set, realised at a resolution of
// its own (PixelsPerInch). Its pixel height follows from the point size and that resolution.

#include "Geometry.h"
#include "Hook.h"
#include "Object.h"

#include <cstdint>
#include <string>

namespace plat {

enum FontStyleBit : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using FontStyles = uint8_t; // a set of FontStyleBit

constexpr uint8_t DEFAULT_CHARSET = 1;

class Font : public Persistent {
public:
    PLAT_CLASS_NAME(TFont)

    Font() = default;
    Font(const Font& other);
    Font& operator=(const Font& other);

    const std::string& GetName() const { return m_name; }
    int GetSize() const { return m_size; }
    FontStyles GetStyle() const { return m_style; }
    Color GetColor() const { return m_color; }
    uint8_t GetCharset() const { return m_charset; }
    int GetPixelsPerInch() const { return m_pixelsPerInch; }
    // Character height in pixels at the font's own resolution: round(Size * PixelsPerInch / 72).
    int GetPixelHeight() const;

    void SetName(const std::string& name);
    void SetSize(int points);
    // Sets the size from a character height in pixels at the font's resolution.
    void SetPixelHeight(int pixels);
    void SetStyle(FontStyles style);
    void SetColor(Color c);
    void SetCharset(uint8_t charset);
    // Changes the resolution only; the point size stays, so the pixel height follows.
    void SetPixelsPerInch(int ppi);

    // Copies name, size (in points), style, colour and character set; the resolution stays this font's.
    void Assign(const Persistent* source) override;

    NotifyEvent OnChange;

private:
    void Changed();

    std::string m_name = "Arial";
    int m_size = 8;
    FontStyles m_style = 0;
    Color m_color = clWindowText;
    uint8_t m_charset = DEFAULT_CHARSET;
    int m_pixelsPerInch = 96;
};

} // namespace plat
