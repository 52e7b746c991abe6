#pragma once
// The document's user margins: four lengths measured inward from the paper's edges, the pens the preview
// shows them with, and three switches (clip to them, show them, also show the printer's unprintable
// margins). The paper view clips to them and draws them; the print job clips to them when asked.
//
// "MarginValues" is the text the preview stores the margin data in: the four lengths in twips, then the
// pen text of each pen ("colour,width,style,mode"), joined as comma text, for instance
//   720,720,720,720,"12632256,1,2,4","12632256,1,2,4"

#include "GmMarginValues.h"

#include "model/units/GmValue.h"

#include "platform/core/Hook.h"
#include "platform/core/Object.h"
#include "platform/core/Pen.h"

#include <memory>
#include <string>

class TGmPrinter;
namespace plat {
class Surface;
}

class TGmMargins : public plat::Persistent {
public:
    PLAT_CLASS_NAME(TGmMargins)

    // Printer gives the printer margins and paper; it is not owned and may be null (no printer margins).
    explicit TGmMargins(TGmPrinter* printer);
    ~TGmMargins() override;
    TGmMargins(const TGmMargins&) = delete;
    TGmMargins& operator=(const TGmMargins&) = delete;

    // 0.5 inch each at start. Any change of a length calls Changed.
    TGmValue& Left() { return *m_left; }
    TGmValue& Top() { return *m_top; }
    TGmValue& Right() { return *m_right; }
    TGmValue& Bottom() { return *m_bottom; }
    const TGmValue& Left() const { return *m_left; }
    const TGmValue& Top() const { return *m_top; }
    const TGmValue& Right() const { return *m_right; }
    const TGmValue& Bottom() const { return *m_bottom; }

    // The pens of the user-margin and printer-margin lines: silver and dotted at start. A change of any
    // attribute calls Changed. Setting copies the given pen into the owned one (which notifies) and then
    // calls Changed once more.
    const plat::Pen& Pen() const { return m_pen; }
    plat::Pen& Pen() { return m_pen; }
    void SetPen(const plat::Pen& pen);
    const plat::Pen& PrinterMarginPen() const { return m_printerMarginPen; }
    plat::Pen& PrinterMarginPen() { return m_printerMarginPen; }
    void SetPrinterMarginPen(const plat::Pen& pen);

    // Switches, all false at start; setting a different value calls Changed.
    bool GetClipMargins() const { return m_clipMargins; }
    void SetClipMargins(bool value);
    bool GetShowPrinterMargins() const { return m_showPrinterMargins; }
    void SetShowPrinterMargins(bool value);
    bool GetVisible() const { return m_visible; }
    void SetVisible(bool value);

    TGmMarginValues& Values() { return *m_values; }
    const TGmMarginValues& Values() const { return *m_values; }
    TGmPrinter* Printer() const { return m_printer; }

    // Copies another TGmMargins: the four lengths (each notifies), the pens, ShowPrinterMargins and
    // Visible, then calls Changed. ClipMargins stays this object's. Any other source raises the assignment
    // error and changes nothing.
    void Assign(const plat::Persistent* source) override;
    void Changed();

    // The user-margin rectangle on a page of PageSize inches at ppi units per inch.
    plat::Rect GetMarginRect(const TGmSize& pageSize, int ppi) const;
    // With ClipMargins set, makes the margin rectangle the canvas's clipping region (replacing the previous
    // one); a canvas that cannot record a path is left unclipped.
    void ClipToMargins(const TGmSize& pageSize, TGmOrientation orientation, int ppi, plat::Surface& canvas) const;
    // When Visible: the outline of the margin rectangle with Pen, and, when ShowPrinterMargins is set and
    // the printer answers, the outline of the printable area of the printer's paper for the orientation
    // with PrinterMarginPen. Leaves the canvas brush clear and its pen that of the last outline.
    void DrawMargins(const TGmSize& pageSize, TGmOrientation orientation, int ppi, plat::Surface& canvas) const;

    // The "MarginValues" text of the current lengths and pens.
    std::string WriteMarginValues() const;
    // Applies a "MarginValues" text: the four lengths in twips, then, unless the text has exactly four
    // items, the two pen texts. Stops at the first fault with "'%s' n'est pas une valeur entière correcte"
    // or "Indice de liste hors limites (%d)" (the first missing item); what was applied before it stays.
    void ReadMarginValues(const std::string& text);

    plat::NotifyEvent OnChange;

private:
    TGmPrinter* m_printer;
    std::unique_ptr<TGmValue> m_left, m_top, m_right, m_bottom;
    plat::Pen m_pen;
    plat::Pen m_printerMarginPen;
    bool m_clipMargins = false;
    bool m_showPrinterMargins = false;
    bool m_visible = false;
    std::unique_ptr<TGmMarginValues> m_values;
};
