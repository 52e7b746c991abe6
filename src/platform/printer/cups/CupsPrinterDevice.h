#pragma once
// The printers of CUPS: the destinations CUPS knows (queues and printers found on the network), their
// settings and metrics read from the printer, and documents sent as PDF with the settings as IPP job
// attributes (copies, collation, colour mode, quality, sides, media, orientation).
//
// Every exchange with CUPS or a printer runs on a worker thread and is waited for a bounded time, raising
// OnProcessMessages meanwhile: a printer that does not answer can slow printing, never freeze the window.

#include "PdfPrinterDevice.h"

#include <chrono>
#include <map>
#include <memory>
#include <string>

namespace plat {

struct CupsTimeouts {
    std::chrono::milliseconds List{5000};          // reading the destinations
    std::chrono::milliseconds Facts{4000};         // reading a printer's defaults and media
    std::chrono::milliseconds Reach{2500};         // the reachability question
    std::chrono::milliseconds Send{120000};        // handing a document over
    std::chrono::milliseconds ReachCached{3000};   // how long an answer to the reachability question holds
};

// The state of a job as CUPS reports it.
struct CupsJobStatus {
    enum class State : uint8_t { Unknown, Pending, Held, Processing, Stopped, Canceled, Aborted, Completed };
    State JobState = State::Unknown;
    std::string Reasons;   // job-state-reasons, comma-separated
    int KOctets = 0;       // job-k-octets: the size of the document CUPS holds, in kilobytes
};

class CupsPrinterDevice : public PdfPrinterDevice {
public:
    explicit CupsPrinterDevice(CupsTimeouts timeouts = {});
    ~CupsPrinterDevice() override;

    // The job number CUPS gave the last document sent (0 before any).
    int LastJobId() const { return m_lastJobId; }
    // Asks CUPS about a job.
    CupsJobStatus QueryJob(int jobId) const;

    // The IPP job attributes a document with this block would be sent with, as name=value pairs, for a
    // printer supporting everything (what the printer does not support is left out when sending).
    static std::map<std::string, std::string> JobAttributes(const DevMode& mode,
                                                            const std::vector<PrinterOrientation>& sheets);

    struct Facts;

protected:
    std::vector<PrinterDescription> DriverPrinters() override;
    DevMode DriverDefaults(const PrinterNames& printer) override;
    DeviceMetrics DriverMetrics(const PrinterNames& printer, const DevMode& mode) override;
    bool DriverReachable(const PrinterNames& printer) override;
    int DriverCapabilities(const PrinterNames& printer, int capability) override;
    void SendDocument(const Job& job, const std::string& pdf) override;

private:
    const Facts& FactsOf(const PrinterNames& printer);

    CupsTimeouts m_timeouts;
    std::map<std::string, std::shared_ptr<const Facts>> m_facts;
    struct Reach {
        bool Reachable = false;
        std::chrono::steady_clock::time_point At;
    };
    std::map<std::string, Reach> m_reach;
    int m_lastJobId = 0;
};

} // namespace plat
