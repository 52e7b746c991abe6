#include "GmPageList.h"

#include "GmFooter.h"
#include "GmHeader.h"

#include "model/GmCanvas.h"
#include "model/GmMargins.h"
#include "model/GmVisibleObject.h"
#include "model/units/GmDrawHelpers.h"
#include "model/units/GmFuncs.h"
#include "model/units/GmValueRect.h"
#include "printing/GmPrinter.h"
#include "resources/GmResourceTable.h"

#include "platform/core/Exceptions.h"
#include "platform/surface/Surface.h"

namespace {

struct PaperRow {
    Extended Width;
    Extended Height;
    TGmMeasurement Unit;
};

// By TGmPaperSize ordinal; Custom (8) has no row of its own.
constexpr PaperRow PaperTable[] = {
    {297, 420, gmMillimeters},   // A3
    {210, 297, gmMillimeters},   // A4
    {148.5L, 210, gmMillimeters}, // A5
    {105, 148, gmMillimeters},   // A6
    {6.92L, 9.84L, gmInches},    // B5
    {6.38L, 9.02L, gmInches},    // C5
    {8.5L, 14, gmInches},        // Legal
    {8.5L, 11, gmInches},        // Letter
    {0, 0, gmInches},            // Custom
    {250, 354, gmMillimeters},   // B4
    {3.78L, 8.78L, gmInches},    // Envelope_09
    {4.18L, 9.12L, gmInches},    // Envelope_10
    {4.12L, 10.38L, gmInches},   // Envelope_11
    {12.44L, 11, gmInches},      // Envelope_12
    {14.5L, 11.12L, gmInches},   // Envelope_14
    {11, 17, gmInches},          // Tabloid
    {17, 11, gmInches},          // Ledger
    {7.14L, 10.12L, gmInches},   // Executive
};

} // namespace

TGmSize PaperDimensions(TGmPaperSize paperSize)
{
    const size_t index = static_cast<size_t>(paperSize);
    if (paperSize == Custom || index >= std::size(PaperTable))
        return TGmSize{};
    const PaperRow& row = PaperTable[index];
    return TGmSize{ConvertValue(row.Unit, gmInches, row.Width), ConvertValue(row.Unit, gmInches, row.Height)};
}

TGmPageList::TGmPageList()
{
    m_resourceTable = std::make_unique<TGmResourceTable>();
    m_canvas = std::make_unique<TGmCanvas>(*this);
    auto headerFooterChanged = [this](plat::Object*) { RaiseGuarded(OnHeaderFooterChange); };
    m_footer = std::make_unique<TGmFooter>();
    m_footer->OnChange.Set(headerFooterChanged);
    m_header = std::make_unique<TGmHeader>();
    m_header->OnChange.Set(headerFooterChanged);
    m_printer = std::make_unique<TGmPrinter>();
    m_margins = std::make_unique<TGmMargins>(m_printer.get());
    m_scratchRect = std::make_unique<TGmValueRect>();
    m_resourceTable->Memos().OnNeedRichEdit.Set(
        [this](plat::Object*, std::unique_ptr<TGmMemo>& memo) { OnRichEditNeeded(this, memo); });
    m_margins->OnChange.Set([this](plat::Object*) { RaiseGuarded(OnMarginsChange); });
}

TGmPageList::~TGmPageList()
{
    m_pages.clear();
    m_resourceTable.reset();
    m_canvas.reset();
    m_footer.reset();
    m_header.reset();
    m_margins.reset();
    m_printer.reset();
    m_scratchRect.reset();
}

void TGmPageList::RaiseGuarded(const plat::NotifyEvent& hook)
{
    if (m_updateCount == 0)
        hook(this);
}

TGmPage& TGmPageList::GetPage(int number) const
{
    if (number < 1 || number > PageCount())
        throw plat::EListError::IndexOutOfBounds(static_cast<long long>(number) - 1);
    return *m_pages[static_cast<size_t>(number - 1)];
}

int TGmPageList::IndexOf(const TGmPage* page) const
{
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (m_pages[i].get() == page)
            return static_cast<int>(i);
    return -1;
}

void TGmPageList::UpdatePaperDimensions()
{
    if (m_paperSize == Custom)
        return; // the pages keep the paper that was in force
    const TGmSize paper = PaperDimensions(m_paperSize);
    m_paperWidth = paper.Width;
    m_paperHeight = paper.Height;
    if (m_orientation == gmLandscape)
        SwapValues(m_paperWidth, m_paperHeight);
}

TGmPage& TGmPageList::NewPage(int position)
{
    if (position != -1 && (position < 0 || position > PageCount()))
        throw plat::EListError::IndexOutOfBounds(position);
    auto page = std::make_unique<TGmPage>(*this);
    page->SetOrientation(m_orientation);
    UpdatePaperDimensions();
    page->SetSize(m_paperWidth, m_paperHeight);
    auto contentChanged = [this](plat::Object*) { RaiseGuarded(OnPageContentChange); };
    page->OnChange.Set(contentChanged);
    page->OnOrientationChange.Set(contentChanged);
    TGmPage& added = *page;
    if (position == -1)
        m_pages.push_back(std::move(page));
    else
        m_pages.insert(m_pages.begin() + position, std::move(page));
    RaiseGuarded(OnPagesChange);
    RaiseGuarded(OnPageContentChange);
    SetCurrentPage(PageCount());
    OnPageAdded(this);
    return added;
}

void TGmPageList::ClearPages(bool noNewPage, bool clearResources)
{
    m_pages.clear();
    if (clearResources)
        m_resourceTable->Clear();
    if (!noNewPage) {
        m_currentPage = 1;
        NewPage();
    }
    OnCleared(this);
}

void TGmPageList::SetCurrentPage(int number)
{
    if (number == m_currentPage || number < 1 || number > PageCount())
        return;
    m_currentPage = number;
    OnCurrentPageChange(this);
}

void TGmPageList::EndUpdate()
{
    if (m_updateCount == 0)
        return;
    if (--m_updateCount == 0) {
        OnPagesChange(this);
        OnPageContentChange(this);
    }
}

void TGmPageList::SetOrientation(TGmOrientation orientation)
{
    BeginUpdate();
    try {
        for (auto& page : m_pages)
            page->SetOrientation(orientation);
        m_orientation = orientation;
        const TGmPage& first = GetPage(1);
        m_paperWidth = first.Width();
        m_paperHeight = first.Height();
    } catch (...) {
        EndUpdate();
        OnOrientationChange(this);
        throw;
    }
    EndUpdate();
    OnOrientationChange(this);
}

void TGmPageList::SetPaperSize(TGmPaperSize paperSize)
{
    if (paperSize == m_paperSize)
        return;
    BeginUpdate();
    try {
        m_paperSize = paperSize;
        UpdatePaperDimensions();
        for (auto& page : m_pages)
            page->SetSize(m_paperWidth, m_paperHeight);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    OnPaperSizeChange(this);
}

TGmBaseObject* TGmPageList::AddObject(std::unique_ptr<TGmBaseObject> object, TGmCoordsRelative coords)
{
    switch (coords) {
    case gmFromPage:
        break;
    case gmFromPrinterMargins: {
        // The margins of the document's paper: the printer's default paper may have others.
        if (m_paperSize != Custom)
            m_printer->SetPaperSize(m_paperSize);
        const TGmRect printer = m_printer->PrinterInfo().GetPrinterMarginsInches(m_orientation == gmLandscape);
        object->Offset(gmInches, printer.Left, printer.Top);
        break;
    }
    case gmFromUserMargins:
        object->Offset(gmInches, m_margins->Left().AsInches(), m_margins->Top().AsInches());
        break;
    case gmFromHeaderLine:
        object->Offset(gmInches, m_margins->Left().AsInches(),
                       m_margins->Top().AsInches() + m_header->GetHeight(gmInches));
        break;
    }
    TGmBaseObject* added = GetPage(m_currentPage).AddObject(std::move(object));
    if (auto* visible = dynamic_cast<TGmVisibleObject*>(added))
        visible->OnReorder.Set([this](TGmVisibleObject* o, int kind) { ReorderObject(o, kind); });
    return added;
}

void TGmPageList::ReorderObject(TGmVisibleObject* object, int kind)
{
    if (kind < TGmVisibleObject::ReorderToTop || kind > TGmVisibleObject::ReorderToBottom)
        return;
    TGmPage& page = GetPage(m_currentPage);
    TGmBaseObjectList& objects = page.Objects();
    const int index = objects.IndexOf(object);
    if (index < 0)
        return;
    std::unique_ptr<TGmBaseObject> taken = objects.Extract(index);
    const int count = objects.Count(); // after the removal
    int to = count;
    switch (kind) {
    case TGmVisibleObject::ReorderToTop:
        to = count;
        break;
    case TGmVisibleObject::ReorderUp:
        to = Min(index + 1, count);
        break;
    case TGmVisibleObject::ReorderDown:
        to = Max(index - 1, 0);
        break;
    case TGmVisibleObject::ReorderToBottom:
        to = 0;
        break;
    }
    objects.Insert(to, std::move(taken));
    page.Changed();
}

TGmValueRect& TGmPageList::HeaderRect()
{
    const TGmPage& page = GetPage(m_currentPage);
    const Extended top = m_margins->Top().AsInches();
    m_scratchRect->TopLeft().X().SetAsInches(m_margins->Left().AsInches());
    m_scratchRect->TopLeft().Y().SetAsInches(top);
    m_scratchRect->BottomRight().X().SetAsInches(page.Width() - m_margins->Right().AsInches());
    m_scratchRect->BottomRight().Y().SetAsInches(top + m_header->GetHeight(gmInches));
    return *m_scratchRect;
}

TGmValueRect& TGmPageList::FooterRect()
{
    const TGmPage& page = GetPage(m_currentPage);
    const Extended bottom = page.Height() - m_margins->Bottom().AsInches();
    m_scratchRect->TopLeft().X().SetAsInches(m_margins->Left().AsInches());
    m_scratchRect->TopLeft().Y().SetAsInches(bottom - m_footer->GetHeight(gmInches));
    m_scratchRect->BottomRight().X().SetAsInches(page.Width() - m_margins->Right().AsInches());
    m_scratchRect->BottomRight().Y().SetAsInches(bottom);
    return *m_scratchRect;
}

void TGmPageList::PrintPages(int from, int to)
{
    std::vector<int> numbers;
    if (from < to) {
        for (int n = from; n <= to; ++n)
            numbers.push_back(n);
    } else {
        for (int n = from; n >= to; --n)
            numbers.push_back(n);
    }
    PrintPageNumbers(numbers);
}

void TGmPageList::PrintPage(TGmPage& page)
{
    TGmPrinterInfo& info = m_printer->PrinterInfo();
    const int ppiX = info.PixelsPerInchX();
    const int ppiY = info.PixelsPerInchY();
    plat::Rect clip{0, 0, DeviceUnits(page.Width() * ppiX), DeviceUnits(page.Height() * ppiY)};
    if (m_margins->GetClipMargins())
        clip = plat::Rect{DeviceUnits(m_margins->Left().AsInches() * ppiX),
                          DeviceUnits(m_margins->Top().AsInches() * ppiY),
                          DeviceUnits((page.Width() - m_margins->Right().AsInches()) * ppiX),
                          DeviceUnits((page.Height() - m_margins->Bottom().AsInches()) * ppiY)};
    plat::Surface& canvas = m_printer->Canvas();
    // The path goes through the page's mapping, so the clip follows the page's place and scale on the sheet.
    if (canvas.BeginPath()) {
        canvas.Rectangle(clip);
        canvas.EndPath();
        canvas.SelectClipPath();
    }
    page.Draw(canvas, ppiX, ppiY, false);
}

void TGmPageList::PrintPageNumbers(const std::vector<int>& pageNumbers)
{
    TGmPrinter& printer = *m_printer;
    // A request while a job runs sends nothing, and must not change the running job's orientation, pages
    // per sheet or paper either.
    if (pageNumbers.empty() || printer.Printing())
        return;
    for (int number : pageNumbers)
        GetPage(number); // a bad number fails here, before anything reaches the printer

    printer.SetOrientation(GetPage(pageNumbers.front()).Orientation());
    printer.SetPagesPerSheet(m_pagesPerSheet);
    printer.SetPaperSize(m_paperSize);
    if (!printer.BeginDoc())
        return;

    const int total = static_cast<int>(pageNumbers.size());
    try {
        for (int i = 0; i < total; ++i) {
            // Looked up afresh: a progress handler may have changed the document.
            PrintPage(GetPage(pageNumbers[static_cast<size_t>(i)]));
            if (i + 1 < total) {
                printer.SetOrientation(GetPage(pageNumbers[static_cast<size_t>(i) + 1]).Orientation());
                printer.NewPage();
            }
            OnPrintProgress(this, i + 1, total);
            if (!printer.Printing())
                return; // a handler ended the job
        }
    } catch (...) {
        // Never leave the job open: the printer drops the document and Printing is cleared.
        printer.AbortDoc();
        throw;
    }
    printer.EndDoc();
}
