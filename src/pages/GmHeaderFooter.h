#pragma once
// What a header and a footer share: three captions, a fixed height (0: the height follows the largest
// caption font), a separating line and the switch that shows them at all. TGmHeader and TGmFooter place
// them at the top and at the bottom of the page.

#include "GmHeaderFooterCaption.h"

#include "model/units/GmTypes.h"
#include "model/units/GmValue.h"

#include "platform/core/Pen.h"

#include <memory>

class TGmMargins;

class TGmHeaderFooter : public plat::Persistent {
public:
    TGmHeaderFooter();
    ~TGmHeaderFooter() override;
    TGmHeaderFooter(const TGmHeaderFooter&) = delete;
    TGmHeaderFooter& operator=(const TGmHeaderFooter&) = delete;

    TGmHeaderFooterCaption& CaptionLeft() { return *m_captions[0]; }
    TGmHeaderFooterCaption& CaptionCenter() { return *m_captions[1]; }
    TGmHeaderFooterCaption& CaptionRight() { return *m_captions[2]; }
    const TGmHeaderFooterCaption& CaptionLeft() const { return *m_captions[0]; }
    const TGmHeaderFooterCaption& CaptionCenter() const { return *m_captions[1]; }
    const TGmHeaderFooterCaption& CaptionRight() const { return *m_captions[2]; }
    // 0 left, 1 centre, 2 right; any other index raises "Indice de liste hors limites (%d)".
    TGmHeaderFooterCaption& GetByIndex(int index);
    // The owned caption stays; it takes the given caption's text and font (which notifies).
    void SetByIndex(int index, const TGmHeaderFooterCaption& caption);

    // A fixed height in inches, 0 at start; a change calls Changed.
    TGmValue& Height() { return *m_height; }
    const TGmValue& Height() const { return *m_height; }

    // The pen of the separating line. Neither SetPen nor a change made to the pen tells anyone.
    const plat::Pen& Pen() const { return m_pen; }
    plat::Pen& Pen() { return m_pen; }
    void SetPen(const plat::Pen& pen);

    // True at start; setting a different value calls Changed.
    bool GetShowLine() const { return m_showLine; }
    void SetShowLine(bool value);
    // False at start; setting a different value calls Changed.
    bool GetVisible() const { return m_visible; }
    void SetVisible(bool value);

    // From another header or footer: its three captions (text and font) and nothing else. Anything else
    // raises the assignment error.
    void Assign(const plat::Persistent* source) override;
    void Changed();

    // The caption font with the largest point size; on equal sizes the earliest (left, centre, right).
    const plat::Font& LargestFont() const;
    // Height in Unit, or else the line height of LargestFont (measured at 600 pixels per inch), whether
    // visible or not and whatever the captions hold.
    Extended GetHeight(TGmMeasurement unit) const;

    // Draws the captions and the line for a page of PageSize inches with the given margins, at XDpi by
    // YDpi device pixels per inch. Nothing when not visible.
    virtual void Draw(plat::Surface& canvas, const TGmMargins& margins, const TGmSize& pageSize, int xDpi, int yDpi,
                      int pageNumber, int pageCount) const = 0;

    // Where a caption's text of the given height starts down the area: standing on the bottom edge of a
    // header, hanging from the top edge of a footer.
    virtual int CaptionTop(const plat::Rect& area, int textHeight) const = 0;

    plat::NotifyEvent OnChange;

protected:
    // The three captions into Area, then, when ShowLine, the line from (Left, LineY) to (Right, LineY).
    void DrawArea(plat::Surface& canvas, const plat::Rect& area, int lineY, int xDpi, int yDpi, int pageNumber,
                  int pageCount) const;

private:
    std::unique_ptr<TGmHeaderFooterCaption> m_captions[3];
    std::unique_ptr<TGmValue> m_height;
    plat::Pen m_pen;
    bool m_showLine = true;
    bool m_visible = false;
};
