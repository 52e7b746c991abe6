#pragma once
// The document: an ordered list of pages with the current page, the document-wide paper size, orientation
// and pages per sheet, and what every page shares: the drawing canvas, the header and footer, the user
// margins, the print settings and the resource table. It runs the print job's loop over its pages.
//
// Notifications: each hook holds one handler. The guarded ones (OnPagesChange, OnPageContentChange,
// OnHeaderFooterChange, OnMarginsChange) are dropped, not queued, while an update bracket is open; the
// closing EndUpdate raises OnPagesChange, then OnPageContentChange.

#include "GmPage.h"

#include "model/GmCanvasTarget.h"
#include "model/units/GmTypes.h"

#include "platform/core/Hook.h"
#include "platform/core/Object.h"

#include <memory>
#include <vector>

class TGmCanvas;
class TGmFooter;
class TGmHeader;
class TGmMargins;
class TGmMemo;
class TGmPrinter;
class TGmResourceTable;
class TGmValueRect;
class TGmVisibleObject;

// The portrait width and height of a paper size in inches, from the paper table (millimetres converted at
// 25.4 to the inch). A5 is 148.5 mm wide and B4 354 mm high as the table has them; Envelope_12,
// Envelope_14 and Ledger are wider than high even in portrait. Custom has no row and gives 0 x 0.
TGmSize PaperDimensions(TGmPaperSize paperSize);

class TGmPageList : public plat::Object, public TGmCanvasTarget {
public:
    PLAT_CLASS_NAME(TGmPageList)

    // No page yet: the owner calls NewPage once right after.
    TGmPageList();
    ~TGmPageList() override;
    TGmPageList(const TGmPageList&) = delete;
    TGmPageList& operator=(const TGmPageList&) = delete;

    TGmCanvas& Canvas() { return *m_canvas; }
    TGmFooter& Footer() { return *m_footer; }
    TGmHeader& Header() { return *m_header; }
    TGmMargins& Margins() { return *m_margins; }
    TGmPrinter& GmPrinter() { return *m_printer; }
    TGmResourceTable& ResourceTable() override { return *m_resourceTable; }
    const TGmFooter& Footer() const { return *m_footer; }
    const TGmHeader& Header() const { return *m_header; }
    const TGmMargins& Margins() const { return *m_margins; }

    // Pages.
    int PageCount() const { return static_cast<int>(m_pages.size()); }
    // Page Number (1..PageCount); any other number raises "Indice de liste hors limites (%d)" with the
    // list index (Number - 1).
    TGmPage& GetPage(int number) const;
    // Position of the page in the list (from 0), -1 when it is not there.
    int IndexOf(const TGmPage* page) const;
    // A new page of the document's paper and orientation, appended (-1) or inserted at list position
    // Position (0..PageCount, otherwise the list error and no page). Raises OnPagesChange and
    // OnPageContentChange (guarded), makes the last page current and raises OnPageAdded.
    TGmPage& NewPage(int position = -1);
    // Frees every page, clears the resource table when ClearResources, then, unless NoNewPage, makes page 1
    // current (silently) and adds a new page. Raises OnCleared last.
    void ClearPages(bool noNewPage, bool clearResources);

    // 1-based; 0 until the first page.
    int CurrentPage() const { return m_currentPage; }
    // Nothing for the current number or one outside 1..PageCount; otherwise makes it current and raises
    // OnCurrentPageChange.
    void SetCurrentPage(int number);

    // The update bracket.
    void BeginUpdate() { ++m_updateCount; }
    void EndUpdate();
    bool IsUpdating() const { return m_updateCount > 0; }
    int UpdateCount() const { return m_updateCount; }

    TGmOrientation Orientation() const { return m_orientation; }
    // Turns every page inside an update bracket (even to the orientation it has), takes the paper size
    // from page 1, closes the bracket and raises OnOrientationChange, the last two also when a step failed.
    void SetOrientation(TGmOrientation orientation);
    TGmPaperSize PaperSize() const { return m_paperSize; }
    // For a new size: every page takes its dimensions (Custom keeps the ones in force) inside an update
    // bracket, then OnPaperSizeChange. The same size again does nothing.
    void SetPaperSize(TGmPaperSize paperSize);
    // The paper of PaperSize in Orientation, inches; 0 until the first page.
    Extended PaperWidth() const { return m_paperWidth; }
    Extended PaperHeight() const { return m_paperHeight; }
    // Kept for the print job.
    TGmPagesPerSheet PagesPerSheet() const { return m_pagesPerSheet; }
    void SetPagesPerSheet(TGmPagesPerSheet value) { m_pagesPerSheet = value; }

    // Moves the object from the origin Coords names to the paper's corner (printer margins for the
    // document's orientation, user margins, or user margins and the header's height), puts it on top of
    // the current page and, for a visible object, installs ReorderObject as its reorder handler. Without a
    // current page raises the list error and frees the object.
    TGmBaseObject* AddObject(std::unique_ptr<TGmBaseObject> object, TGmCoordsRelative coords) override;
    // Moves the object within the current page's stacking order: kind 0 to the top, 1 one place up, 2 one
    // place down, 3 to the bottom (at an end it stays there), then the page's Changed. Nothing when the
    // object is not on the current page, or for another kind.
    void ReorderObject(TGmVisibleObject* object, int kind);

    // The header and footer areas of the current page in inches, written into one shared rectangle (the
    // second call overwrites the first's answer). Header: margins left, top, page width - right margin,
    // top margin + header height. Footer: margins left, page height - bottom margin - footer height, page
    // width - right margin, page height - bottom margin.
    TGmValueRect& HeaderRect();
    TGmValueRect& FooterRect();

    // The print job. PrintPages prints From..To, ascending when From < To and otherwise descending from
    // From down to To. PrintPageNumbers prints the listed pages in order, each page once (the driver makes
    // the copies), raising OnPrintProgress after each. A number outside 1..PageCount raises the list
    // error before anything is sent; a request while a job runs does nothing. A job that fails while a page
    // is drawn is ended without sending it (Printing cleared) and the error goes on to the caller.
    void PrintPages(int from, int to);
    void PrintPageNumbers(const std::vector<int>& pageNumbers);

    // Hooks, each with the page list as sender.
    plat::NotifyEvent OnCleared;
    plat::NotifyEvent OnHeaderFooterChange;                           // guarded
    plat::Hook<plat::Object*, std::unique_ptr<TGmMemo>&> OnRichEditNeeded;
    plat::NotifyEvent OnPageAdded;
    plat::NotifyEvent OnOrientationChange;
    plat::NotifyEvent OnPageContentChange;                            // guarded
    plat::NotifyEvent OnMarginsChange;                                // guarded
    plat::NotifyEvent OnPagesChange;                                  // guarded
    plat::NotifyEvent OnCurrentPageChange;
    plat::NotifyEvent OnPaperSizeChange;
    // Pages printed so far and the length of the job's list.
    plat::Hook<plat::Object*, int, int> OnPrintProgress;

private:
    void RaiseGuarded(const plat::NotifyEvent& hook);
    void UpdatePaperDimensions();
    void PrintPage(TGmPage& page);

    std::vector<std::unique_ptr<TGmPage>> m_pages;
    std::unique_ptr<TGmResourceTable> m_resourceTable;
    std::unique_ptr<TGmCanvas> m_canvas;
    std::unique_ptr<TGmFooter> m_footer;
    std::unique_ptr<TGmHeader> m_header;
    std::unique_ptr<TGmPrinter> m_printer;
    std::unique_ptr<TGmMargins> m_margins;
    std::unique_ptr<TGmValueRect> m_scratchRect;
    int m_currentPage = 0;
    TGmOrientation m_orientation = gmPortrait;
    TGmPagesPerSheet m_pagesPerSheet = gmOnePage;
    TGmPaperSize m_paperSize = A4;
    Extended m_paperWidth = 0;
    Extended m_paperHeight = 0;
    int m_updateCount = 0;
};
