#pragma once
// Printer devices whose documents are PDF files: the sheets are drawn into a PdfDocument, and the finished
// document is handed to the device's destination (a CUPS queue, a file).

#include "PdfDocument.h"

#include "platform/printer/PrinterDevice.h"

#include <memory>
#include <string>
#include <vector>

namespace plat {

class PdfPrinterDevice : public PrinterDevice {
public:
    // Size in bytes of the last document handed to the destination (0 before any).
    size_t LastDocumentSize() const { return m_lastSize; }

protected:
    // What a finished document carries besides its bytes.
    struct Job {
        PrinterNames Printer;
        DevMode Mode;                                // the block in force when the document began
        std::string Title;
        std::vector<PrinterOrientation> Sheets;      // the orientation of each sheet
    };

    // Delivers the document; raises when it could not be delivered.
    virtual void SendDocument(const Job& job, const std::string& pdf) = 0;

    void DriverStartDoc(const PrinterNames& printer, const DevMode& mode, const std::string& title) override;
    void DriverStartPage(const DevMode& sheet) override;
    void DriverEndPage() override;
    void DriverEndDoc() override;
    void DriverAbortDoc() noexcept override;
    Surface& DriverCanvas() override;

private:
    std::unique_ptr<PdfDocument> m_document;
    Job m_job;
    size_t m_lastSize = 0;
};

} // namespace plat
