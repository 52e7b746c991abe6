#pragma once
// The printer device: the installed printers, the current one, its settings block, its metrics and the
// document being printed. The common behaviour (current printer, blocks, job state, the errors with their
// French texts) lives here; a driver below it (CUPS, a PDF file, the test fake) supplies the printers,
// their defaults and metrics, and draws and sends the sheets.

#include "DevMode.h"

#include "platform/core/Hook.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace plat {

class Surface;

enum class PrinterOrientation : uint8_t { Portrait, Landscape };

// A printer's names: the device (the name shown and used to find it), the driver and the port.
struct PrinterNames {
    std::string Device;
    std::string Driver;
    std::string Port;
    friend bool operator==(const PrinterNames&, const PrinterNames&) = default;
};

// What GetDeviceCaps answers, in device pixels and pixels per inch, for one orientation.
struct DeviceMetrics {
    int PhysicalWidth = 0;
    int PhysicalHeight = 0;
    int HorzRes = 0;            // printable width
    int VertRes = 0;            // printable height
    int PhysicalOffsetX = 0;    // left unprintable margin
    int PhysicalOffsetY = 0;    // top unprintable margin
    int LogPixelsX = 0;
    int LogPixelsY = 0;
    friend bool operator==(const DeviceMetrics&, const DeviceMetrics&) = default;
};

// The metrics of the same printer and paper turned a quarter (landscape from portrait), the unprintable
// margins following the paper. rotation is the printer's DC_ORIENTATION answer: with 90 the landscape
// margins (left, top, right, bottom) are the portrait (top, right, bottom, left); with 270 they are the
// portrait (bottom, left, top, right), the landscape page's top lying along the paper's left edge.
DeviceMetrics TurnMetrics(const DeviceMetrics& portrait, int rotation = 90);

// Proof that a printer answered (an information context); it holds nothing the caller uses.
class InformationContext {
public:
    explicit InformationContext(std::string device) : m_device(std::move(device)) {}
    virtual ~InformationContext() = default;
    const std::string& Device() const { return m_device; }

private:
    std::string m_device;
};

class PrinterDevice {
public:
    PrinterDevice();
    virtual ~PrinterDevice();
    PrinterDevice(const PrinterDevice&) = delete;
    PrinterDevice& operator=(const PrinterDevice&) = delete;

    // The installed printers by device name, read from the driver on first use. Empty: no printer.
    const std::vector<std::string>& Printers();
    int PrinterCount() { return static_cast<int>(Printers().size()); }
    // Names of printer index; EListError out of range.
    PrinterNames Entry(int index);
    // Index of the printer with that device name, -1 when there is none.
    int IndexOf(const std::string& device);
    // Reads the list again (printers added or removed meanwhile); the current printer is kept when it is
    // still there. Refused while printing.
    void RefreshPrinters();

    // The current printer. The first read with none chosen selects the default printer; with no printer or
    // no default it raises "Aucune imprimante par défaut sélectionnée". -1 selects the default.
    int GetPrinterIndex();
    void SetPrinterIndex(int index);

    // The current printer's names and its own settings block (not a copy: changes made through the pointer
    // are the printer's). Null, with empty names, when no printer is installed.
    DevMode* GetPrinter(PrinterNames& names);
    // Makes the printer named names.Device current with that block; a null block reloads the printer's
    // defaults. The driver may refuse a block (the error is raised and the block stays as it was).
    void SetPrinter(const PrinterNames& names, const DevMode* mode);

    // dmOrientation of the current block.
    PrinterOrientation GetOrientation();
    void SetOrientation(PrinterOrientation orientation);
    // dmCopies of the current block (what the print dialog writes).
    int GetCopies();
    void SetCopies(int copies);

    // The current printer's metrics for the current block (its paper, quality and orientation).
    DeviceMetrics GetMetrics();
    // One value of GetMetrics by its GetDeviceCaps index (0 for an unknown index).
    int GetDeviceCaps(int index);

    // Asks the printer whether it can be reached now; null when it cannot (or is unknown).
    std::unique_ptr<InformationContext> CreateIC(const std::string& driver, const std::string& device,
                                                 const std::string& port);
    // DC_ORIENTATION or DC_DUPLEX of a printer by device name; -1 for an unknown printer or question.
    int DeviceCapabilities(const std::string& device, const std::string& port, int capability);

    // The document name given to the spooler.
    const std::string& GetTitle() const { return m_title; }
    void SetTitle(const std::string& title) { m_title = title; }

    bool Printing() const { return m_printing; }
    bool Aborted() const { return m_aborted; }
    // Sheets started in the running document, from 1.
    int PageNumber() const { return m_pageNumber; }

    // Starts a document on the current printer with its current block, and its first sheet.
    void BeginDoc();
    // Sheet change: EndPage, optionally ResetDC with a block whose orientation the next sheets take, then
    // StartPage. NewPage does the first and the last.
    void EndPage();
    void ResetDC(const DevMode& mode);
    void StartPage();
    void NewPage();
    // Ends the last sheet and the document and hands it to the printer. When that fails the document is
    // dropped, Printing is cleared and the error raised: a document is never reported sent when it was not.
    void EndDoc();
    // Drops the running document; nothing is sent. Does nothing when not printing; never raises.
    void Abort() noexcept;

    // The surface of the current sheet; its class name is "TPrinterCanvas".
    Surface& Canvas();

    // Raised during long work (a document being written or sent) so that the program can keep its window
    // alive; assign a handler that processes pending events.
    Hook<> OnProcessMessages;

protected:
    struct PrinterDescription {
        PrinterNames Names;
        bool IsDefault = false;
    };

    // The installed printers, in the order shown; at most one is the default.
    virtual std::vector<PrinterDescription> DriverPrinters() = 0;
    // The printer's own settings, the block a new printer or SetPrinter with no block starts from.
    virtual DevMode DriverDefaults(const PrinterNames& printer) = 0;
    // Raises when the printer cannot take the block; the default accepts every block.
    virtual void DriverValidate(const PrinterNames& printer, const DevMode& mode);
    virtual DeviceMetrics DriverMetrics(const PrinterNames& printer, const DevMode& mode) = 0;
    virtual bool DriverReachable(const PrinterNames& printer) = 0;
    virtual int DriverCapabilities(const PrinterNames& printer, int capability) = 0;
    // A document: StartDoc, then StartPage / EndPage for each sheet, then EndDoc or AbortDoc.
    virtual void DriverStartDoc(const PrinterNames& printer, const DevMode& mode, const std::string& title) = 0;
    virtual void DriverStartPage(const DevMode& sheet) = 0;
    virtual void DriverEndPage() = 0;
    virtual void DriverEndDoc() = 0;
    virtual void DriverAbortDoc() noexcept = 0;
    virtual Surface& DriverCanvas() = 0;

    // For drivers: lets the program process its events (raises OnProcessMessages).
    void ProcessMessages() { OnProcessMessages(); }

private:
    void LoadPrinters();
    void CheckNotPrinting() const;
    void CheckPrinting() const;
    const PrinterNames& CurrentNames();
    DevMode& CurrentBlock();
    DevMode* BlockForEdit();
    int FindPrinter(const std::string& device);

    bool m_loaded = false;
    std::vector<PrinterDescription> m_printers;
    std::vector<std::string> m_names;
    int m_index = -1;
    std::map<std::string, DevMode> m_blocks;   // by device name, made on first use
    std::string m_title;
    bool m_printing = false;
    bool m_aborted = false;
    bool m_pageOpen = false;
    int m_pageNumber = 0;
    DevMode m_sheetMode;
};

} // namespace plat
