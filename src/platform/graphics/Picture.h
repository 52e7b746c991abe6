#pragma once
// The picture holder: one picture of any kind, or nothing. It owns its own copy of what it is given.

#include "Graphic.h"

#include <memory>
#include <string>

namespace plat {

class Bitmap;

class Picture : public Persistent {
public:
    PLAT_CLASS_NAME(TPicture)

    Picture();
    Picture(const Picture& other);
    Picture& operator=(const Picture& other);
    ~Picture() override;

    // The held picture, or null.
    Graphic* GetGraphic() const { return m_graphic.get(); }
    // Holds a copy of graphic (null: nothing).
    void SetGraphic(const Graphic* graphic);

    // The bitmap view: when the held picture is not a bitmap (or there is none), it is replaced by a new
    // empty bitmap.
    Bitmap& GetBitmap();

    int GetWidth() const;
    int GetHeight() const;

    // Chooses the kind by the file's extension, letter case aside: bmp, ico, wmf, emf, jpg, jpeg, gif.
    // Raises "Extension de fichier image inconnue (.%s)" for any other (the extension as written, without
    // its dot), the file's open error, or the kind's reading error; on any failure the holder keeps what
    // it held.
    void LoadFromFile(const std::string& path);
    // Writes the held picture in its own format, whatever the name. Nothing held: no file is written.
    void SaveToFile(const std::string& path) const;

    // Copies a Picture's picture or a Graphic; null empties the holder.
    void Assign(const Persistent* source) override;

    // Raised when the held picture is replaced or changes.
    NotifyEvent OnChange;

protected:
    // Gives the held picture (or nothing) to the destination.
    void AssignTo(Persistent* destination) const override;

private:
    void Hold(std::unique_ptr<Graphic> graphic);
    void Changed() { OnChange(this); }

    std::unique_ptr<Graphic> m_graphic;
};

// The file extension of path without its dot ("" when there is none), as it is written.
std::string PictureExtension(const std::string& path);

} // namespace plat
