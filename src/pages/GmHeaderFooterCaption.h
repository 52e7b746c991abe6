#pragma once
// One caption of a header or footer (left, centre or right): its text, which may hold the tokens of
// GmCaptionTokens.h, and its font. Any change of either tells the owning header or footer.

#include "platform/core/Font.h"
#include "platform/core/Geometry.h"
#include "platform/core/Hook.h"
#include "platform/core/Object.h"

#include <string>

class TGmHeaderFooter;
namespace plat {
class Surface;
}

class TGmHeaderFooterCaption : public plat::Persistent {
public:
    PLAT_CLASS_NAME(TGmHeaderFooterCaption)

    // Alignments of Draw.
    static constexpr int AlignLeft = 0;
    static constexpr int AlignCenter = 1;
    static constexpr int AlignRight = 2;

    // Font "Arial" at 12 points; both the caption's and its font's changes call the owner's Changed.
    explicit TGmHeaderFooterCaption(TGmHeaderFooter* owner);
    TGmHeaderFooterCaption(const TGmHeaderFooterCaption&) = delete;
    TGmHeaderFooterCaption& operator=(const TGmHeaderFooterCaption&) = delete;

    const std::string& GetCaption() const { return m_caption; }
    // Stores the text and calls Changed when it differs (letter case counts).
    void SetCaption(const std::string& caption);
    const plat::Font& Font() const { return m_font; }
    // Changes made here notify the owner as well.
    plat::Font& Font() { return m_font; }
    // Copies the given font's settings (which notifies through the font), then calls Changed.
    void SetFont(const plat::Font& font);
    TGmHeaderFooter* Owner() const { return m_owner; }

    // From another caption: its text (without Changed) and its font settings (which notify). Anything else
    // raises the assignment error.
    void Assign(const plat::Persistent* source) override;
    void Changed();

    // Writes the caption, its tokens replaced, into Area (device pixels) with the given alignment
    // (AlignLeft, AlignCenter, AlignRight): the surface font takes XDpi as its resolution and this
    // caption's settings, the text is measured and written through the font mapper, standing on the area's
    // bottom edge in a header and hanging from its top edge in a footer. Not clipped to the area.
    void Draw(plat::Surface& canvas, const plat::Rect& area, int xDpi, int yDpi, int alignment, int pageNumber,
              int pageCount) const;

    plat::NotifyEvent OnChange;

private:
    std::string m_caption;
    plat::Font m_font;
    TGmHeaderFooter* m_owner;
};
