#pragma once
// A printer that writes the document to a PDF file: the destination of the print dialog's "print to file".
// It has one printer; its paper comes from the settings block, with no unprintable margin.

#include "PdfPrinterDevice.h"

#include <string>

namespace plat {

class PdfFilePrinterDevice : public PdfPrinterDevice {
public:
    // path: the file written by each document (replaced when it exists). ppi: the resolution the engine
    // draws at.
    explicit PdfFilePrinterDevice(std::string path, int ppi = 600);

    const std::string& Path() const { return m_path; }
    void SetPath(std::string path) { m_path = std::move(path); }

    // The printer's name in the list.
    static constexpr const char* PrinterName = "Fichier PDF";

protected:
    std::vector<PrinterDescription> DriverPrinters() override;
    DevMode DriverDefaults(const PrinterNames& printer) override;
    DeviceMetrics DriverMetrics(const PrinterNames& printer, const DevMode& mode) override;
    // Reachable when the file's folder exists and can be written.
    bool DriverReachable(const PrinterNames& printer) override;
    int DriverCapabilities(const PrinterNames& printer, int capability) override;
    // Writes the file beside its final name first, so that a failed write leaves no half file behind.
    void SendDocument(const Job& job, const std::string& pdf) override;

private:
    std::string m_path;
    int m_ppi;
};

} // namespace plat
