#include "PdfPrinterDevice.h"

#include "platform/core/Exceptions.h"

namespace plat {

void PdfPrinterDevice::DriverStartDoc(const PrinterNames& printer, const DevMode& mode, const std::string& title)
{
    m_document = std::make_unique<PdfDocument>(title);
    m_job = Job{printer, mode, title, {}};
}

void PdfPrinterDevice::DriverStartPage(const DevMode& sheet)
{
    if (!m_document)
        throw EPrinter::NotPrinting();
    m_document->StartSheet(DriverMetrics(m_job.Printer, sheet));
    m_job.Sheets.push_back(sheet.dmOrientation == DMORIENT_LANDSCAPE ? PrinterOrientation::Landscape
                                                                      : PrinterOrientation::Portrait);
    ProcessMessages();
}

void PdfPrinterDevice::DriverEndPage()
{
    if (m_document)
        m_document->EndSheet();
}

void PdfPrinterDevice::DriverEndDoc()
{
    if (!m_document)
        throw EPrinter::NotPrinting();
    std::string pdf = m_document->Finish();
    m_document.reset();
    ProcessMessages();
    SendDocument(m_job, pdf);
    m_lastSize = pdf.size();
}

void PdfPrinterDevice::DriverAbortDoc() noexcept
{
    m_document.reset();
}

Surface& PdfPrinterDevice::DriverCanvas()
{
    if (!m_document)
        throw EPrinter::NotPrinting();
    return m_document->Canvas();
}

} // namespace plat
