#include "GmHeaderFooter.h"

#include "model/units/GmDrawHelpers.h"
#include "model/units/GmFuncs.h"

#include "platform/core/Exceptions.h"
#include "platform/surface/Surface.h"

TGmHeaderFooter::TGmHeaderFooter()
{
    for (auto& caption : m_captions)
        caption = std::make_unique<TGmHeaderFooterCaption>(this);
    m_height = std::make_unique<TGmValue>([this](plat::Object*) { Changed(); });
}

TGmHeaderFooter::~TGmHeaderFooter() = default;

TGmHeaderFooterCaption& TGmHeaderFooter::GetByIndex(int index)
{
    if (index < 0 || index > 2)
        throw plat::EListError::IndexOutOfBounds(index);
    return *m_captions[index];
}

void TGmHeaderFooter::SetByIndex(int index, const TGmHeaderFooterCaption& caption)
{
    // The owned caption is kept (the header's wiring and lifetime stay simple); it copies the given one.
    TGmHeaderFooterCaption& own = GetByIndex(index);
    if (&own != &caption)
        own.Assign(&caption);
}

void TGmHeaderFooter::SetPen(const plat::Pen& pen)
{
    m_pen.Assign(&pen);
}

void TGmHeaderFooter::SetShowLine(bool value)
{
    if (value != m_showLine) {
        m_showLine = value;
        Changed();
    }
}

void TGmHeaderFooter::SetVisible(bool value)
{
    if (value != m_visible) {
        m_visible = value;
        Changed();
    }
}

void TGmHeaderFooter::Assign(const plat::Persistent* source)
{
    const auto* other = dynamic_cast<const TGmHeaderFooter*>(source);
    if (!other) {
        plat::Persistent::Assign(source);
        return;
    }
    for (int i = 0; i < 3; ++i)
        m_captions[i]->Assign(other->m_captions[i].get());
}

void TGmHeaderFooter::Changed() { OnChange(this); }

const plat::Font& TGmHeaderFooter::LargestFont() const
{
    const plat::Font* largest = &m_captions[0]->Font();
    for (int i = 1; i < 3; ++i)
        if (m_captions[i]->Font().GetSize() > largest->GetSize())
            largest = &m_captions[i]->Font();
    return *largest;
}

Extended TGmHeaderFooter::GetHeight(TGmMeasurement unit) const
{
    if (m_height->AsInches() != 0)
        return m_height->GetValue(unit);
    return ConvertValue(gmInches, unit, FontHeightInches(LargestFont()));
}

void TGmHeaderFooter::DrawArea(plat::Surface& canvas, const plat::Rect& area, int lineY, int xDpi, int yDpi,
                               int pageNumber, int pageCount) const
{
    m_captions[0]->Draw(canvas, area, xDpi, yDpi, TGmHeaderFooterCaption::AlignLeft, pageNumber, pageCount);
    m_captions[1]->Draw(canvas, area, xDpi, yDpi, TGmHeaderFooterCaption::AlignCenter, pageNumber, pageCount);
    m_captions[2]->Draw(canvas, area, xDpi, yDpi, TGmHeaderFooterCaption::AlignRight, pageNumber, pageCount);
    if (m_showLine) {
        canvas.GetPen().Assign(&m_pen);
        canvas.MoveTo(area.Left, lineY);
        canvas.LineTo(area.Right, lineY);
    }
}
