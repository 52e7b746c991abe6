#pragma once
// A printer device for tests: printers with chosen names, metrics, defaults and reachability, and a record
// of every document: its title, the block in force, and each sheet with its orientation and the calls
// drawn on it. The canvas is a recording surface named "TPrinterCanvas".

#include "PrinterDevice.h"

#include "platform/surface/RecordingSurface.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plat {

struct FakePrinter {
    PrinterNames Names{"Fake Printer", "FakeDriver", "FAKE:"};
    bool IsDefault = false;
    // Metrics in portrait; landscape is these turned as OrientationCapability says. A4 at 300 pixels per inch.
    DeviceMetrics Portrait{2481, 3507, 2358, 3407, 65, 50, 300, 300};
    // Metrics for other papers (by dmPaperSize), as printers whose printable area depends on the paper.
    std::map<int16_t, DeviceMetrics> PortraitByPaper;
    DevMode Defaults{DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_PRINTQUALITY | DM_COLOR | DM_DUPLEX |
                         DM_COLLATE | DM_DITHERTYPE,
                     DMORIENT_PORTRAIT, DMPAPER_A4, 1, DMRES_MEDIUM, DMCOLOR_COLOR, DMDUP_SIMPLEX,
                     DMCOLLATE_FALSE, DMDITHER_NONE};
    bool Reachable = true;
    int OrientationCapability = 90;   // DC_ORIENTATION
    int DuplexCapability = 1;         // DC_DUPLEX
    bool RejectsBlocks = false;       // SetPrinter with a block raises, as a driver refusing it would
};

struct FakeSheet {
    PrinterOrientation Orientation = PrinterOrientation::Portrait;
    DevMode Mode;                            // the block the sheet was started with
    std::vector<SurfaceRecord> Records;      // what was drawn on it
    std::vector<std::string> Lines() const;  // the records' text forms
};

struct FakeDocument {
    enum class State : uint8_t { Open, Sent, Dropped };
    std::string Printer;
    std::string Title;
    DevMode Mode;                 // the block in force at BeginDoc
    std::vector<FakeSheet> Sheets;
    State Result = State::Open;
};

class FakePrinterDevice : public PrinterDevice {
public:
    // No printer installed.
    FakePrinterDevice() = default;
    explicit FakePrinterDevice(std::vector<FakePrinter> printers);
    // One printer, the default, named "Fake Printer".
    static std::unique_ptr<FakePrinterDevice> WithOnePrinter();

    // The configuration of a printer; changes apply from the next call that reads it.
    FakePrinter& Printer(int index) { return m_printers.at(static_cast<size_t>(index)); }

    // Every document begun, in order.
    const std::vector<FakeDocument>& Documents() const { return m_documents; }
    // The device calls in order: "StartDoc <title>", "StartPage portrait|landscape", "EndPage", "EndDoc",
    // "AbortDoc".
    const std::vector<std::string>& Calls() const { return m_calls; }
    int ReachabilityChecks() const { return m_reachabilityChecks; }
    // The canvas of the document running or last run (each document gets a fresh one, as a new device
    // context would be).
    RecordingSurface& Recorder() { return *m_canvas; }

    // The next EndDoc fails with message (the document is not sent).
    void FailNextEndDoc(std::string message) { m_failEndDoc = std::move(message); }

protected:
    std::vector<PrinterDescription> DriverPrinters() override;
    DevMode DriverDefaults(const PrinterNames& printer) override;
    void DriverValidate(const PrinterNames& printer, const DevMode& mode) override;
    DeviceMetrics DriverMetrics(const PrinterNames& printer, const DevMode& mode) override;
    bool DriverReachable(const PrinterNames& printer) override;
    int DriverCapabilities(const PrinterNames& printer, int capability) override;
    void DriverStartDoc(const PrinterNames& printer, const DevMode& mode, const std::string& title) override;
    void DriverStartPage(const DevMode& sheet) override;
    void DriverEndPage() override;
    void DriverEndDoc() override;
    void DriverAbortDoc() noexcept override;
    Surface& DriverCanvas() override { return *m_canvas; }

private:
    const FakePrinter& Find(const PrinterNames& printer) const;

    std::vector<FakePrinter> m_printers;
    std::vector<FakeDocument> m_documents;
    std::vector<std::string> m_calls;
    std::unique_ptr<RecordingSurface> m_canvas = std::make_unique<RecordingSurface>("TPrinterCanvas");
    int m_reachabilityChecks = 0;
    std::optional<std::string> m_failEndDoc;
};

} // namespace plat
