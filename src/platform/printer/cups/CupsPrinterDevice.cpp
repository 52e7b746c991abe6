#include "CupsPrinterDevice.h"

#include "BoundedCall_p.h"

#include "platform/core/Exceptions.h"
#include "platform/printer/PaperSizes.h"

#include <cups/cups.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <set>

namespace plat {

// What a printer says about itself, read once and kept.
struct CupsPrinterDevice::Facts {
    struct Paper {
        int16_t Dm = 0;
        int Width = 0, Length = 0;                  // hundredths of a millimetre, portrait
        int Left = 0, Top = 0, Right = 0, Bottom = 0;
    };
    bool Answered = false;
    std::chrono::steady_clock::time_point ReadAt;
    DevMode Defaults;
    int Ppi = 300;
    std::vector<Paper> Papers;   // the papers of our table that the printer offers, with its margins
    Paper DefaultPaper;
    bool TwoSided = false;
};

namespace {

using Clock = std::chrono::steady_clock;
using Millis = std::chrono::milliseconds;

// An IPP printer asked for landscape turns the content a quarter counter-clockwise: the landscape page's
// top lies along the paper's left edge, so its unprintable margins are the portrait ones turned that way.
constexpr int LandscapeTurn = 270;

// --- destinations --------------------------------------------------------------------------------------

struct DestFree {
    void operator()(cups_dest_t* d) const { cupsFreeDests(1, d); }
};
struct HttpClose {
    void operator()(http_t* h) const { httpClose(h); }
};
struct InfoFree {
    void operator()(cups_dinfo_t* i) const { cupsFreeDestInfo(i); }
};
struct IppFree {
    void operator()(ipp_t* i) const { ippDelete(i); }
};
using DestPtr = std::unique_ptr<cups_dest_t, DestFree>;
using HttpPtr = std::unique_ptr<http_t, HttpClose>;
using InfoPtr = std::unique_ptr<cups_dinfo_t, InfoFree>;
using IppPtr = std::unique_ptr<ipp_t, IppFree>;

// "name" or "name/instance" as CUPS lists them.
std::string DeviceName(const cups_dest_t& d)
{
    std::string name = d.name ? d.name : "";
    if (d.instance && *d.instance)
        name += std::string("/") + d.instance;
    return name;
}

DestPtr NamedDest(const std::string& device)
{
    std::string name = device, instance;
    if (size_t slash = device.find('/'); slash != std::string::npos) {
        name = device.substr(0, slash);
        instance = device.substr(slash + 1);
    }
    return DestPtr(cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.c_str(), instance.empty() ? nullptr : instance.c_str()));
}

std::string Option(const cups_dest_t& d, const char* name)
{
    const char* v = cupsGetOption(name, d.num_options, d.options);
    return v ? v : "";
}

std::string AttributeText(ipp_attribute_t* a)
{
    if (!a)
        return {};
    char buffer[1024];
    ippAttributeString(a, buffer, sizeof buffer);
    return buffer;
}

int ClampMillis(Millis m) { return static_cast<int>(std::clamp<long long>(m.count(), 100, 600000)); }

// --- settings <-> IPP ------------------------------------------------------------------------------------

const char* QualityToIpp(int16_t quality)
{
    switch (quality) {
    case DMRES_DRAFT:
    case DMRES_LOW: return "3";
    case DMRES_HIGH: return "5";
    default: return "4";
    }
}

int16_t SidesFromIpp(const std::string& sides)
{
    if (sides == "two-sided-long-edge")
        return DMDUP_VERTICAL;
    if (sides == "two-sided-short-edge")
        return DMDUP_HORIZONTAL;
    return DMDUP_SIMPLEX;
}

const char* SidesToIpp(int16_t duplex)
{
    switch (duplex) {
    case DMDUP_VERTICAL: return "two-sided-long-edge";
    case DMDUP_HORIZONTAL: return "two-sided-short-edge";
    default: return "one-sided";
    }
}

CupsPrinterDevice::Facts::Paper PaperOf(const cups_size_t& size, int16_t dm)
{
    return CupsPrinterDevice::Facts::Paper{dm, size.width, size.length, size.left, size.top, size.right, size.bottom};
}

CupsPrinterDevice::Facts FallbackFacts()
{
    CupsPrinterDevice::Facts f;
    f.Defaults.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_PRINTQUALITY | DM_COLOR | DM_DUPLEX |
                          DM_COLLATE | DM_DITHERTYPE;
    // A4 with a sixth of an inch all round, at 300 pixels per inch: what most printers manage.
    f.DefaultPaper = CupsPrinterDevice::Facts::Paper{DMPAPER_A4, 21000, 29700, 423, 423, 423, 423};
    f.ReadAt = Clock::now();
    return f;
}

CupsPrinterDevice::Facts ReadFacts(const std::string& device, int* cancel, int timeoutMs)
{
    CupsPrinterDevice::Facts f = FallbackFacts();
    DestPtr dest = NamedDest(device);
    if (!dest)
        return f;
    HttpPtr http(cupsConnectDest(dest.get(), CUPS_DEST_FLAGS_NONE, timeoutMs, cancel, nullptr, 0, nullptr, nullptr));
    if (!http)
        return f;
    InfoPtr info(cupsCopyDestInfo(http.get(), dest.get()));
    if (!info)
        return f;
    f.Answered = true;

    if (ipp_attribute_t* res = cupsFindDestDefault(http.get(), dest.get(), info.get(), "printer-resolution")) {
        ipp_res_t units;
        int y = 0;
        int x = ippGetResolution(res, 0, &y, &units);
        int ppi = std::min(x, y);
        if (units == IPP_RES_PER_CM)
            ppi = static_cast<int>(ppi * 2.54 + 0.5);
        if (ppi >= 72 && ppi <= 2400)
            f.Ppi = ppi;
    }

    cups_size_t size;
    if (cupsGetDestMediaDefault(http.get(), dest.get(), info.get(), 0, &size)) {
        auto paper = PaperBySize(size.width * 10, size.length * 10);
        f.DefaultPaper = PaperOf(size, paper ? paper->DmPaper : int16_t{0});
    }
    for (int16_t dm : {DMPAPER_LETTER, DMPAPER_TABLOID, DMPAPER_LEDGER, DMPAPER_LEGAL, DMPAPER_EXECUTIVE, DMPAPER_A3,
                       DMPAPER_A4, DMPAPER_A5, DMPAPER_B4, DMPAPER_B5, DMPAPER_ENV_9, DMPAPER_ENV_10, DMPAPER_ENV_11,
                       DMPAPER_ENV_12, DMPAPER_ENV_14, DMPAPER_ENV_C5, DMPAPER_A6}) {
        auto paper = PaperByDmPaper(dm);
        std::string name(paper->MediaName);
        if (cupsGetDestMediaByName(http.get(), dest.get(), info.get(), name.c_str(), CUPS_MEDIA_FLAGS_DEFAULT, &size)) {
            auto p = PaperOf(size, dm);
            if (dm == DMPAPER_LEDGER) {   // the same sheet lying down: its size as the table has it
                std::swap(p.Width, p.Length);
                p = CupsPrinterDevice::Facts::Paper{dm, p.Width, p.Length, p.Top, p.Right, p.Bottom, p.Left};
            }
            f.Papers.push_back(p);
        }
    }

    // Defaults: the destination's own options first (lpoptions), then the printer's.
    auto setting = [&](const char* name) {
        std::string v = Option(*dest, name);
        if (v.empty())
            v = AttributeText(cupsFindDestDefault(http.get(), dest.get(), info.get(), name));
        return v;
    };
    DevMode& m = f.Defaults;
    std::string media = Option(*dest, "media");
    if (auto paper = media.empty() ? std::nullopt : PaperByMediaName(media))
        m.dmPaperSize = paper->DmPaper;
    else if (f.DefaultPaper.Dm)
        m.dmPaperSize = f.DefaultPaper.Dm;
    std::string color = setting("print-color-mode");
    m.dmColor = color.find("monochrome") != std::string::npos ? DMCOLOR_MONOCHROME : DMCOLOR_COLOR;
    m.dmDuplex = SidesFromIpp(setting("sides"));
    std::string quality = setting("print-quality");
    m.dmPrintQuality = quality == "draft" || quality == "3" ? DMRES_DRAFT
                       : quality == "high" || quality == "5" ? DMRES_HIGH
                                                             : DMRES_MEDIUM;
    std::string copies = setting("copies");
    m.dmCopies = static_cast<int16_t>(std::clamp(copies.empty() ? 1 : std::atoi(copies.c_str()), 1, 9999));
    std::string handling = setting("multiple-document-handling");
    std::string collate = Option(*dest, "collate");
    m.dmCollate = handling == "separate-documents-collated-copies" || collate == "true" ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
    f.TwoSided = cupsCheckDestSupported(http.get(), dest.get(), info.get(), "sides", "two-sided-long-edge") != 0;
    return f;
}

// Asks the destination, and the printer behind a queue when it is an IPP printer, whether they answer.
bool AskReachable(const std::string& device, int* cancel, int timeoutMs)
{
    DestPtr dest = NamedDest(device);
    if (!dest)
        return false;
    auto ask = [&](unsigned flags, const std::string& uriOverride, bool needAccepting) {
        char resource[1024] = "";
        HttpPtr http(cupsConnectDest(dest.get(), flags, timeoutMs, cancel, resource, sizeof resource, nullptr, nullptr));
        if (!http)
            return false;
        std::string uri = uriOverride;
        if (uri.empty()) {
            char assembled[1024];
            httpAssembleURI(HTTP_URI_CODING_ALL, assembled, sizeof assembled, "ipp", nullptr,
                            httpGetHostname(http.get(), nullptr, 0), httpAddrPort(httpGetAddress(http.get())), resource);
            uri = assembled;
        }
        ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
        static const char* const wanted[] = {"printer-is-accepting-jobs", "printer-state"};
        ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr, wanted);
        IppPtr response(cupsDoRequest(http.get(), request, *resource ? resource : "/"));
        if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING)
            return false;
        if (!needAccepting)
            return true;
        ipp_attribute_t* accepting = ippFindAttribute(response.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
        return !accepting || ippGetBoolean(accepting, 0);
    };

    std::string deviceUri = Option(*dest, "device-uri");
    std::string printerUri = Option(*dest, "printer-uri-supported");
    if (!ask(CUPS_DEST_FLAGS_NONE, printerUri, true))
        return false;
    // A queue over a network IPP printer: the printer itself must answer too. (A printer found on the
    // network and not yet a queue was asked directly above.)
    bool ippDevice = deviceUri.rfind("ipp://", 0) == 0 || deviceUri.rfind("ipps://", 0) == 0;
    if (ippDevice && !printerUri.empty())
        return ask(CUPS_DEST_FLAGS_DEVICE, deviceUri, false);
    return true;
}

struct SendResult {
    int JobId = 0;
    std::string Error;   // empty when the document was accepted
};

SendResult Submit(const std::string& device, const std::map<std::string, std::string>& attributes,
                  const std::string& title, std::shared_ptr<const std::string> pdf, int* cancel, int timeoutMs)
{
    DestPtr dest = NamedDest(device);
    if (!dest)
        return {0, cupsLastErrorString()};
    HttpPtr http(cupsConnectDest(dest.get(), CUPS_DEST_FLAGS_NONE, timeoutMs, cancel, nullptr, 0, nullptr, nullptr));
    if (!http)
        return {0, cupsLastErrorString()};
    InfoPtr info(cupsCopyDestInfo(http.get(), dest.get()));
    if (!info)
        return {0, cupsLastErrorString()};

    int count = 0;
    cups_option_t* options = nullptr;
    for (const auto& [name, value] : attributes) {
        std::string v = value;
        if (name == "copies") {
            if (ipp_attribute_t* range = cupsFindDestSupported(http.get(), dest.get(), info.get(), "copies")) {
                int upper = 0;
                int lower = ippGetRange(range, 0, &upper);
                if (upper >= lower && upper > 0)
                    v = std::to_string(std::clamp(std::atoi(v.c_str()), std::max(lower, 1), upper));
            }
        } else if (!cupsCheckDestSupported(http.get(), dest.get(), info.get(), name.c_str(), v.c_str())) {
            continue;   // the printer does not offer it: it prints with its own choice
        }
        count = cupsAddOption(name.c_str(), v.c_str(), count, &options);
    }

    SendResult result;
    auto fail = [&](bool cancelJob) {
        result.Error = cupsLastErrorString();
        if (result.Error.empty())
            result.Error = "?";
        if (cancelJob && result.JobId > 0)
            cupsCancelDestJob(http.get(), dest.get(), result.JobId);
        result.JobId = 0;
        cupsFreeOptions(count, options);
        return result;
    };
    ipp_status_t status = cupsCreateDestJob(http.get(), dest.get(), info.get(), &result.JobId, title.c_str(), count, options);
    if (status > IPP_STATUS_OK_CONFLICTING || result.JobId <= 0)
        return fail(false);
    if (cupsStartDestDocument(http.get(), dest.get(), info.get(), result.JobId, title.c_str(), CUPS_FORMAT_PDF, 0,
                              nullptr, 1) != HTTP_STATUS_CONTINUE)
        return fail(true);
    const char* data = pdf->data();
    size_t left = pdf->size();
    while (left > 0) {
        size_t n = std::min<size_t>(left, 256 * 1024);
        if (*cancel || cupsWriteRequestData(http.get(), data, n) != HTTP_STATUS_CONTINUE) {
            cupsFinishDestDocument(http.get(), dest.get(), info.get());
            return fail(true);
        }
        data += n;
        left -= n;
    }
    status = cupsFinishDestDocument(http.get(), dest.get(), info.get());
    if (status > IPP_STATUS_OK_CONFLICTING)
        return fail(true);
    cupsFreeOptions(count, options);
    return result;
}

} // namespace

CupsPrinterDevice::CupsPrinterDevice(CupsTimeouts timeouts) : m_timeouts(timeouts) {}

CupsPrinterDevice::~CupsPrinterDevice() = default;

std::vector<PrinterDevice::PrinterDescription> CupsPrinterDevice::DriverPrinters()
{
    auto list = RunBounded<std::vector<PrinterDescription>>(
        [](int*) {
            std::vector<PrinterDescription> printers;
            cups_dest_t* dests = nullptr;
            int n = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
            for (int i = 0; i < n; ++i) {
                PrinterDescription p;
                p.Names.Device = DeviceName(dests[i]);
                p.Names.Driver = Option(dests[i], "printer-make-and-model");
                p.Names.Port = Option(dests[i], "device-uri");
                p.IsDefault = dests[i].is_default != 0;
                printers.push_back(std::move(p));
            }
            cupsFreeDests(n, dests);
            return printers;
        },
        m_timeouts.List, nullptr);
    std::vector<PrinterDescription> printers = list.value_or(std::vector<PrinterDescription>{});
    // Without a default of CUPS's own, the first printer serves: printing works on a machine whose single
    // printer was never made the default.
    if (!printers.empty() && std::none_of(printers.begin(), printers.end(), [](const auto& p) { return p.IsDefault; }))
        printers.front().IsDefault = true;
    return printers;
}

const CupsPrinterDevice::Facts& CupsPrinterDevice::FactsOf(const PrinterNames& printer)
{
    auto it = m_facts.find(printer.Device);
    // A printer that did not answer is asked again after a while.
    if (it != m_facts.end() && (it->second->Answered || Clock::now() - it->second->ReadAt < std::chrono::seconds(30)))
        return *it->second;
    const std::string device = printer.Device;
    const int timeout = ClampMillis(m_timeouts.Facts);
    auto facts = RunBounded<Facts>([device, timeout](int* cancel) { return ReadFacts(device, cancel, timeout); },
                                   m_timeouts.Facts, nullptr);
    auto kept = std::make_shared<const Facts>(facts.value_or(FallbackFacts()));
    m_facts[printer.Device] = kept;
    return *kept;
}

DevMode CupsPrinterDevice::DriverDefaults(const PrinterNames& printer) { return FactsOf(printer).Defaults; }

DeviceMetrics CupsPrinterDevice::DriverMetrics(const PrinterNames& printer, const DevMode& mode)
{
    const Facts& f = FactsOf(printer);
    Facts::Paper paper = f.DefaultPaper;
    auto offered = std::find_if(f.Papers.begin(), f.Papers.end(), [&](const auto& p) { return p.Dm == mode.dmPaperSize; });
    if (offered != f.Papers.end()) {
        paper = *offered;
    } else if (auto known = PaperByDmPaper(mode.dmPaperSize)) {
        // A paper the printer does not list: its size, with the margins of the printer's usual paper.
        paper.Dm = known->DmPaper;
        paper.Width = (known->WidthMicrons + 5) / 10;
        paper.Length = (known->HeightMicrons + 5) / 10;
    }
    const int ppi = f.Ppi;
    auto px = [ppi](int hundredths) { return MicronsToPixels(static_cast<long long>(hundredths) * 10, ppi); };
    DeviceMetrics m;
    m.PhysicalWidth = px(paper.Width);
    m.PhysicalHeight = px(paper.Length);
    m.PhysicalOffsetX = px(paper.Left);
    m.PhysicalOffsetY = px(paper.Top);
    m.HorzRes = std::max(m.PhysicalWidth - m.PhysicalOffsetX - px(paper.Right), 1);
    m.VertRes = std::max(m.PhysicalHeight - m.PhysicalOffsetY - px(paper.Bottom), 1);
    m.LogPixelsX = ppi;
    m.LogPixelsY = ppi;
    return mode.dmOrientation == DMORIENT_LANDSCAPE ? TurnMetrics(m, LandscapeTurn) : m;
}

bool CupsPrinterDevice::DriverReachable(const PrinterNames& printer)
{
    auto now = Clock::now();
    auto it = m_reach.find(printer.Device);
    if (it != m_reach.end() && now - it->second.At < m_timeouts.ReachCached)
        return it->second.Reachable;
    const std::string device = printer.Device;
    const int timeout = ClampMillis(m_timeouts.Reach);
    bool reachable = RunBounded<bool>([device, timeout](int* cancel) { return AskReachable(device, cancel, timeout); },
                                      m_timeouts.Reach, [this] { ProcessMessages(); })
                         .value_or(false);
    m_reach[printer.Device] = Reach{reachable, Clock::now()};
    return reachable;
}

int CupsPrinterDevice::DriverCapabilities(const PrinterNames& printer, int capability)
{
    if (capability == DC_ORIENTATION)
        return LandscapeTurn;
    return FactsOf(printer).TwoSided ? 1 : 0;
}

std::map<std::string, std::string> CupsPrinterDevice::JobAttributes(const DevMode& mode,
                                                                    const std::vector<PrinterOrientation>& sheets)
{
    std::map<std::string, std::string> a;
    // A count below one (the copies edit can hold 0 or a negative number for a moment) prints once.
    a["copies"] = std::to_string(std::max<int>(mode.dmCopies, 1));
    if (mode.dmFields & DM_COLLATE)
        a["multiple-document-handling"] = mode.dmCollate == DMCOLLATE_TRUE ? "separate-documents-collated-copies"
                                                                          : "separate-documents-uncollated-copies";
    if (mode.dmFields & DM_COLOR)
        a["print-color-mode"] = mode.dmColor == DMCOLOR_MONOCHROME ? "monochrome" : "color";
    if (mode.dmFields & DM_PRINTQUALITY)
        a["print-quality"] = QualityToIpp(mode.dmPrintQuality);
    if (mode.dmFields & DM_DUPLEX)
        a["sides"] = SidesToIpp(mode.dmDuplex);
    if (mode.dmFields & DM_PAPERSIZE)
        if (auto paper = PaperByDmPaper(mode.dmPaperSize))
            a["media"] = std::string(paper->MediaName);
    // One orientation for the job when its sheets agree; mixed sheets are each laid as their page says.
    if (!sheets.empty() && std::all_of(sheets.begin(), sheets.end(), [&](auto o) { return o == sheets.front(); }))
        a["orientation-requested"] = sheets.front() == PrinterOrientation::Landscape ? "4" : "3";
    return a;
}

void CupsPrinterDevice::SendDocument(const Job& job, const std::string& pdf)
{
    auto attributes = JobAttributes(job.Mode, job.Sheets);
    auto bytes = std::make_shared<const std::string>(pdf);
    const std::string device = job.Printer.Device;
    const std::string title = job.Title;
    const int timeout = ClampMillis(m_timeouts.Send);
    auto result = RunBounded<SendResult>(
        [=](int* cancel) { return Submit(device, attributes, title, bytes, cancel, timeout); }, m_timeouts.Send,
        [this] { ProcessMessages(); });
    if (!result)
        throw EPrinter("L'imprimante \"" + device + "\" ne répond pas : le document n'a pas été imprimé");
    if (!result->Error.empty())
        throw EPrinter("L'imprimante \"" + device + "\" a refusé le document : " + result->Error);
    m_lastJobId = result->JobId;
    m_reach.erase(device);
}

CupsJobStatus CupsPrinterDevice::QueryJob(int jobId) const
{
    auto status = RunBounded<CupsJobStatus>(
        [jobId](int*) {
            CupsJobStatus s;
            ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
            std::string uri = "ipp://localhost/jobs/" + std::to_string(jobId);
            ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.c_str());
            IppPtr response(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/jobs/"));
            if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING)
                return s;
            if (ipp_attribute_t* a = ippFindAttribute(response.get(), "job-state", IPP_TAG_ENUM)) {
                switch (ippGetInteger(a, 0)) {
                case IPP_JSTATE_PENDING: s.JobState = CupsJobStatus::State::Pending; break;
                case IPP_JSTATE_HELD: s.JobState = CupsJobStatus::State::Held; break;
                case IPP_JSTATE_PROCESSING: s.JobState = CupsJobStatus::State::Processing; break;
                case IPP_JSTATE_STOPPED: s.JobState = CupsJobStatus::State::Stopped; break;
                case IPP_JSTATE_CANCELED: s.JobState = CupsJobStatus::State::Canceled; break;
                case IPP_JSTATE_ABORTED: s.JobState = CupsJobStatus::State::Aborted; break;
                case IPP_JSTATE_COMPLETED: s.JobState = CupsJobStatus::State::Completed; break;
                default: break;
                }
            }
            s.Reasons = AttributeText(ippFindAttribute(response.get(), "job-state-reasons", IPP_TAG_ZERO));
            if (ipp_attribute_t* a = ippFindAttribute(response.get(), "job-k-octets", IPP_TAG_INTEGER))
                s.KOctets = ippGetInteger(a, 0);
            return s;
        },
        m_timeouts.Reach, nullptr);
    return status.value_or(CupsJobStatus{});
}

} // namespace plat
