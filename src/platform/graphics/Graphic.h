#pragma once
// Base of the picture kinds: bitmap, JPEG picture, metafile and icon.

#include "platform/core/Geometry.h"
#include "platform/core/Hook.h"
#include "platform/core/Object.h"

#include <memory>

namespace plat {

class Stream;
class Surface;

class Graphic : public Persistent {
public:
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
    virtual bool Empty() const = 0;

    // Writes the picture in its own file format (BMP, JPEG, metafile, icon) at the stream's position.
    virtual void SaveToStream(Stream& stream) const = 0;
    // Reads the picture in its own format from the stream's position. On failure raises the kind's
    // error and leaves the picture as it was.
    virtual void LoadFromStream(Stream& stream) = 0;
    void SaveToFile(const std::string& path) const;
    void LoadFromFile(const std::string& path);

    // Draws the picture stretched into dest (called by Surface::StretchDraw).
    virtual void Draw(Surface& surface, const Rect& dest) const = 0;

    // A new empty picture of the same kind.
    virtual std::unique_ptr<Graphic> NewEmpty() const = 0;

    NotifyEvent OnChange;

protected:
    void Changed() { OnChange(this); }
};

} // namespace plat
