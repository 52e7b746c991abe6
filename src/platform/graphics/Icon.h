#pragma once
// An icon read from a .ico file: the image of one entry with its transparency mask. The file may hold
// several entries; the one shown is the entry nearest to 32 x 32 (smallest |width - 32| + |height - 32|,
// then the most bits per pixel, then the first in the file). Entries stored as PNG are not decoded: they
// are passed over when choosing, and a file with nothing else is refused.

#include "Bitmap.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace plat {

class Icon : public Graphic {
public:
    PLAT_CLASS_NAME(TIcon)

    Icon();
    Icon(const Icon& other);
    Icon& operator=(const Icon& other);
    ~Icon() override;

    int GetWidth() const override;
    int GetHeight() const override;
    bool Empty() const override;

    // Writes the .ico file as it was read (every entry). An empty icon writes nothing.
    void SaveToStream(Stream& stream) const override;
    // Reads a .ico file from the stream's position and leaves the stream just past its last entry. On
    // failure the icon is unchanged: EReadError when the data ends early, EInvalidGraphic
    // ("Format d'icône incorrect", or the PNG message) otherwise.
    void LoadFromStream(Stream& stream) override;

    // Draws with the mask: transparent pixels leave the surface as it is (AND mask, then XOR image).
    void Draw(Surface& surface, const Rect& dest) const override;
    std::unique_ptr<Graphic> NewEmpty() const override;

    // Accepts an Icon (copy) or null (empties).
    void Assign(const Persistent* source) override;

    // The icon's pixels on a white background, 24 bits per pixel.
    Bitmap ToBitmap() const;

    // The chosen entry: its colour image and its mask (1 bit, set = transparent, black and white palette).
    const Bitmap& Image() const;
    const Bitmap& Mask() const;

    // Number of entries in the file, and the index of the chosen one.
    int EntryCount() const;
    int ChosenEntry() const;

protected:
    // Gives the white-background bitmap to a Bitmap or a JPEG picture.
    void AssignTo(Persistent* destination) const override;

private:
    struct Content;
    std::shared_ptr<const Content> m_content; // never changed once read
};

} // namespace plat
