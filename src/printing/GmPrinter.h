#pragma once
// The document's print settings and the printer side of a print job.
//
// The settings hold nothing of their own: each lives in the current printer's settings block, so a read
// reads the block and a write writes it and makes it current at once. Without a block (no printer) a write
// does nothing and a read answers the default. The job draws each page on the printer's canvas through a
// mapping that puts the page at its true size from the paper's corner, one, two or four pages a sheet.

#include "GmPrinterInfo.h"

#include "model/units/GmTypes.h"

#include "platform/core/Hook.h"
#include "platform/core/Object.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plat {
class PrinterDevice;
class Surface;
} // namespace plat

class TGmPrinter : public plat::Persistent {
public:
    PLAT_CLASS_NAME(TGmPrinter)

    TGmPrinter();
    ~TGmPrinter() override;

    TGmPrinterInfo& PrinterInfo() { return *m_printerInfo; }

    // Settings, in the current printer's block. Defaults without a block: Collate false, Duplex gmSimplex,
    // PrintCopies 1, PrintColor gmColor, DitherType gmNone, PrintQuality gmMedium.
    bool GetCollate();
    void SetCollate(bool value);
    TGmDuplexType GetDuplex();
    void SetDuplex(TGmDuplexType value);
    // The copy count as the printer holds it: a signed 16-bit value (a write keeps the low 16 bits).
    int GetPrintCopies();
    void SetPrintCopies(int value);
    TGmPrintColor GetPrintColor();
    void SetPrintColor(TGmPrintColor value);
    TGmDitherType GetDitherType();
    void SetDitherType(TGmDitherType value);
    // A printer resolution in the block (rather than a level) reads as gmMedium. Writing re-reads the
    // metrics, since the resolution may change.
    TGmPrintQuality GetPrintQuality();
    void SetPrintQuality(TGmPrintQuality value);
    // Kept for the callers; the job prints in the order it is given.
    bool GetReversePrintOrder() const { return m_reversePrintOrder; }
    void SetReversePrintOrder(bool value) { m_reversePrintOrder = value; }
    // The document name the printer shows; "<document>" at start.
    const std::string& GetTitle() const { return m_title; }
    void SetTitle(const std::string& value) { m_title = value; }

    // Asks the printer for this paper (dmPaperSize); a new paper re-reads the metrics when not printing.
    void SetPaperSize(TGmPaperSize paperSize);

    // The orientation wanted for the sheet being printed (the page's; with two pages a sheet during a job,
    // the sheet's, which is the page's turned).
    TGmOrientation GetOrientation() const { return m_orientation; }
    void SetOrientation(TGmOrientation value);
    // The orientation the printer's sheets are set up with.
    TGmOrientation GetSheetOrientation() const { return m_sheetOrientation; }
    TGmPagesPerSheet GetPagesPerSheet() const { return m_pagesPerSheet; }
    void SetPagesPerSheet(TGmPagesPerSheet value) { m_pagesPerSheet = value; }
    int GetJobPageNumber() const { return m_jobPageNumber; }
    bool Printing() const { return m_printing; }
    bool Aborted() const { return m_aborted; }

    // The printer chosen among the installed ones. Choosing one starts it from its own defaults (settings
    // made for the previous printer are not carried over), re-reads the metrics and raises OnChangePrinter.
    void SetPrinterIndex(int index);
    int GetPrinterIndex();
    const std::vector<std::string>& GetPrinters();

    // The surface of the sheet being printed.
    plat::Surface& Canvas();

    // The job. BeginDoc answers whether it started one: a printer that cannot be reached gets the box
    // "Unable to print... No Printer available." and no job; a job already running is left alone and no
    // second one starts; no printer at all raises "Aucune imprimante par défaut sélectionnée" before any
    // event. Otherwise BeforePrint is raised, the document begins and page 1 is mapped.
    bool BeginDoc();
    // The next page: a new sheet when the pages-per-sheet count says so (turned when the orientation
    // changed), then its mapping.
    void NewPage();
    // Ends and sends the document, clears Printing and raises AfterPrint. When sending fails the error is
    // raised with Printing cleared and no AfterPrint.
    void EndDoc();
    // Ends the job without sending anything: the printer drops the document, Printing is cleared, Aborted
    // set and OnAbortPrint raised. For a page that failed to draw (call it from the catch) or a handler that
    // cancels the job; does nothing when no job runs.
    void AbortDoc();
    // Maps page n onto its part of the sheet: logical (0, 0) is the corner of that part on the paper, the
    // unprintable margins taken off through the origin.
    void SetPageMapping(int pageNumber);
    // With two pages a sheet the sheet lies the other way from the pages.
    void AdjustSheetOrientation();

    plat::NotifyEvent AfterPrint;
    plat::NotifyEvent BeforePrint;
    plat::NotifyEvent OnAbortPrint;
    plat::NotifyEvent OnChangePrinter;

private:
    template <class Edit>
    bool WithDevMode(uint32_t field, Edit edit);

    std::unique_ptr<TGmPrinterInfo> m_printerInfo;
    bool m_reversePrintOrder = false;
    std::string m_title;
    bool m_printing = false;
    bool m_aborted = false;
    TGmOrientation m_orientation = gmPortrait;
    TGmOrientation m_sheetOrientation = gmPortrait;
    TGmPagesPerSheet m_pagesPerSheet = gmOnePage;
    int m_jobPageNumber = 0;
};

// True for the printer's sheet surface (class name "TPrinterCanvas", in any case).
bool IsPrinterCanvas(const plat::Surface& canvas);
// The printer device (what formats against the printer uses).
plat::PrinterDevice& PrinterHandle();
// dmPaperSize for a paper; -1 for Custom.
int16_t PaperSizeToDevMode(TGmPaperSize paperSize);
