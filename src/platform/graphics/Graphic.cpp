#include "Graphic.h"

#include "platform/core/Stream.h"

namespace plat {

void Graphic::SaveToFile(const std::string& path) const
{
    FileStream file(path, FileStream::Mode::Create);
    SaveToStream(file);
}

void Graphic::LoadFromFile(const std::string& path)
{
    FileStream file(path, FileStream::Mode::OpenRead);
    LoadFromStream(file);
}

} // namespace plat
