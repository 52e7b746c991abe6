#pragma once
// One printed document as a PDF in memory: a page per sheet, each the size of the sheet's paper, drawn at
// the printer's resolution with device pixel (0, 0) at the corner of the printable area. Pictures keep
// their pixels (see PdfPictures).

#include "platform/printer/PrinterDevice.h"

#include <memory>
#include <string>
#include <vector>

namespace plat {

class Surface;

class PdfDocument {
public:
    explicit PdfDocument(const std::string& title);
    ~PdfDocument();
    PdfDocument(const PdfDocument&) = delete;
    PdfDocument& operator=(const PdfDocument&) = delete;

    // Starts the next page with the paper, printable area and resolution of sheet (the metrics of the
    // sheet's orientation).
    void StartSheet(const DeviceMetrics& sheet);
    void EndSheet();
    // The current sheet's surface ("TPrinterCanvas"); raises "L'imprimante n'imprime pas pour l'instant"
    // before the first sheet.
    Surface& Canvas();
    int Sheets() const { return m_sheets; }

    // Ends the document and answers the finished PDF.
    std::string Finish();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
    int m_sheets = 0;
};

} // namespace plat
