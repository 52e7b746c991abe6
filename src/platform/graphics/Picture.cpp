#include "Picture.h"

#include "Bitmap.h"
#include "GifImage.h"
#include "Icon.h"
#include "JpegImage.h"

#include "platform/core/Exceptions.h"
#include "platform/surface/Metafile.h"

#include <algorithm>
#include <cctype>

namespace plat {

namespace {

std::unique_ptr<Graphic> Copy(const Graphic& graphic)
{
    std::unique_ptr<Graphic> copy = graphic.NewEmpty();
    copy->Assign(&graphic);
    return copy;
}

std::unique_ptr<Graphic> NewForExtension(const std::string& extension)
{
    std::string lower = extension;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "bmp")
        return std::make_unique<Bitmap>();
    if (lower == "ico")
        return std::make_unique<Icon>();
    if (lower == "wmf" || lower == "emf")
        return std::make_unique<Metafile>();
    if (lower == "jpg" || lower == "jpeg")
        return std::make_unique<JpegImage>();
    if (lower == "gif")
        return std::make_unique<GifImage>();
    return nullptr;
}

} // namespace

std::string PictureExtension(const std::string& path)
{
    const size_t dot = path.find_last_of("./");
    if (dot == std::string::npos || path[dot] != '.')
        return {};
    return path.substr(dot + 1);
}

Picture::Picture() = default;

Picture::Picture(const Picture& other) : Persistent()
{
    if (other.m_graphic)
        Hold(Copy(*other.m_graphic));
}

Picture& Picture::operator=(const Picture& other)
{
    if (this != &other)
        Assign(&other);
    return *this;
}

Picture::~Picture() = default;

void Picture::Hold(std::unique_ptr<Graphic> graphic)
{
    m_graphic = std::move(graphic);
    if (m_graphic)
        m_graphic->OnChange.Set([this](Object*) { Changed(); });
}

void Picture::SetGraphic(const Graphic* graphic)
{
    Hold(graphic ? Copy(*graphic) : nullptr);
    Changed();
}

Bitmap& Picture::GetBitmap()
{
    if (auto* bitmap = dynamic_cast<Bitmap*>(m_graphic.get()))
        return *bitmap;
    Hold(std::make_unique<Bitmap>());
    return static_cast<Bitmap&>(*m_graphic);
}

int Picture::GetWidth() const { return m_graphic ? m_graphic->GetWidth() : 0; }
int Picture::GetHeight() const { return m_graphic ? m_graphic->GetHeight() : 0; }

void Picture::LoadFromFile(const std::string& path)
{
    const std::string extension = PictureExtension(path);
    std::unique_ptr<Graphic> graphic = NewForExtension(extension);
    if (!graphic)
        throw EInvalidGraphic::UnknownExtension(extension);
    graphic->LoadFromFile(path);
    Hold(std::move(graphic));
    Changed();
}

void Picture::SaveToFile(const std::string& path) const
{
    if (m_graphic)
        m_graphic->SaveToFile(path);
}

void Picture::Assign(const Persistent* source)
{
    if (!source) {
        Hold(nullptr);
        Changed();
        return;
    }
    if (const auto* picture = dynamic_cast<const Picture*>(source)) {
        if (picture != this) {
            Hold(picture->m_graphic ? Copy(*picture->m_graphic) : nullptr);
            Changed();
        }
        return;
    }
    if (const auto* graphic = dynamic_cast<const Graphic*>(source)) {
        if (graphic != m_graphic.get())
            SetGraphic(graphic);
        return;
    }
    Persistent::Assign(source);
}

void Picture::AssignTo(Persistent* destination) const
{
    destination->Assign(m_graphic.get());
}

} // namespace plat
