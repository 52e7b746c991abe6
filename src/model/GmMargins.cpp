#include "GmMargins.h"

#include "model/units/GmDrawHelpers.h"
#include "model/units/GmFuncs.h"
#include "printing/GmPrinter.h"
#include "resources/GmPen.h"

#include "platform/core/Convert.h"
#include "platform/core/StringList.h"
#include "platform/surface/Surface.h"

TGmMargins::TGmMargins(TGmPrinter* printer) : m_printer(printer)
{
    auto changed = [this](plat::Object*) { Changed(); };
    m_left = std::make_unique<TGmValue>(changed);
    m_top = std::make_unique<TGmValue>(changed);
    m_right = std::make_unique<TGmValue>(changed);
    m_bottom = std::make_unique<TGmValue>(changed);
    for (TGmValue* side : {m_left.get(), m_top.get(), m_right.get(), m_bottom.get()})
        side->SetAsInches(0.5L); // OnChange is not assigned yet: this tells no one
    m_pen.SetColor(plat::clSilver);
    m_pen.SetStyle(plat::PenStyle::Dot);
    m_printerMarginPen.Assign(&m_pen);
    m_pen.OnChange.Set(changed);
    m_printerMarginPen.OnChange.Set(changed);
    m_values = std::make_unique<TGmMarginValues>(*this);
}

TGmMargins::~TGmMargins() = default;

void TGmMargins::SetPen(const plat::Pen& pen)
{
    m_pen.Assign(&pen);
    Changed();
}

void TGmMargins::SetPrinterMarginPen(const plat::Pen& pen)
{
    m_printerMarginPen.Assign(&pen);
    Changed();
}

void TGmMargins::SetClipMargins(bool value)
{
    if (value != m_clipMargins) {
        m_clipMargins = value;
        Changed();
    }
}

void TGmMargins::SetShowPrinterMargins(bool value)
{
    if (value != m_showPrinterMargins) {
        m_showPrinterMargins = value;
        Changed();
    }
}

void TGmMargins::SetVisible(bool value)
{
    if (value != m_visible) {
        m_visible = value;
        Changed();
    }
}

void TGmMargins::Assign(const plat::Persistent* source)
{
    const auto* other = dynamic_cast<const TGmMargins*>(source);
    if (!other) {
        plat::Persistent::Assign(source);
        return;
    }
    m_left->Assign(other->m_left.get());
    m_top->Assign(other->m_top.get());
    m_right->Assign(other->m_right.get());
    m_bottom->Assign(other->m_bottom.get());
    m_pen.Assign(&other->m_pen);
    m_printerMarginPen.Assign(&other->m_printerMarginPen);
    m_showPrinterMargins = other->m_showPrinterMargins;
    m_visible = other->m_visible;
    Changed();
}

void TGmMargins::Changed() { OnChange(this); }

plat::Rect TGmMargins::GetMarginRect(const TGmSize& pageSize, int ppi) const
{
    return {DeviceUnits(ppi * m_left->AsInches()), DeviceUnits(ppi * m_top->AsInches()),
            DeviceUnits((pageSize.Width - m_right->AsInches()) * ppi),
            DeviceUnits((pageSize.Height - m_bottom->AsInches()) * ppi)};
}

void TGmMargins::ClipToMargins(const TGmSize& pageSize, TGmOrientation, int ppi, plat::Surface& canvas) const
{
    const plat::Rect rect = GetMarginRect(pageSize, ppi);
    if (!m_clipMargins)
        return;
    if (!canvas.BeginPath())
        return;
    DrawRectPolygon(canvas, rect);
    canvas.EndPath();
    canvas.SelectClipPath();
}

void TGmMargins::DrawMargins(const TGmSize& pageSize, TGmOrientation orientation, int ppi,
                             plat::Surface& canvas) const
{
    if (!m_visible)
        return;
    canvas.GetBrush().SetStyle(plat::BrushStyle::Clear);
    canvas.GetPen().Assign(&m_pen);
    canvas.Rectangle(GetMarginRect(pageSize, ppi));

    // The switch first: asking the printer whether it answers costs a round trip on every repaint.
    if (!m_showPrinterMargins || !m_printer)
        return;
    TGmPrinterInfo& info = m_printer->PrinterInfo();
    if (!info.PrinterAvailable())
        return;
    canvas.GetBrush().SetStyle(plat::BrushStyle::Clear);
    canvas.GetPen().Assign(&m_printerMarginPen);
    const TGmRect m = info.GetPrinterMarginsInches(orientation == gmLandscape);
    // The printer's paper, not the document page, gives the far edges.
    Extended across = info.PaperWidthInches();
    Extended down = info.PaperHeightInches();
    if (orientation != gmPortrait)
        SwapValues(across, down);
    canvas.Rectangle({DeviceUnits(ppi * m.Left), DeviceUnits(ppi * m.Top), DeviceUnits((across - m.Right) * ppi),
                      DeviceUnits((down - m.Bottom) * ppi)});
}

std::string TGmMargins::WriteMarginValues() const
{
    plat::StringList items;
    for (const TGmValue* side : {m_left.get(), m_top.get(), m_right.get(), m_bottom.get()})
        items.Add(std::to_string(side->AsTwips()));
    items.Add(PenToCommaText(m_pen));
    items.Add(PenToCommaText(m_printerMarginPen));
    return items.GetCommaText();
}

void TGmMargins::ReadMarginValues(const std::string& text)
{
    plat::StringList items;
    items.SetCommaText(text);
    TGmValue* sides[] = {m_left.get(), m_top.get(), m_right.get(), m_bottom.get()};
    for (int i = 0; i < 4; ++i)
        sides[i]->SetAsTwips(plat::StrToInt(items.Get(i)));
    if (items.Count() == 4)
        return;
    PenFromCommaText(m_pen, items.Get(4));
    PenFromCommaText(m_printerMarginPen, items.Get(5));
}
