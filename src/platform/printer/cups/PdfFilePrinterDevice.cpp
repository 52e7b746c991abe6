#include "PdfFilePrinterDevice.h"

#include "platform/core/Exceptions.h"
#include "platform/printer/PaperSizes.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace plat {

PdfFilePrinterDevice::PdfFilePrinterDevice(std::string path, int ppi)
    : m_path(std::move(path)), m_ppi(std::clamp(ppi, 72, 2400))
{
}

std::vector<PrinterDevice::PrinterDescription> PdfFilePrinterDevice::DriverPrinters()
{
    return {PrinterDescription{PrinterNames{PrinterName, "PDF", m_path}, true}};
}

DevMode PdfFilePrinterDevice::DriverDefaults(const PrinterNames&)
{
    DevMode mode;
    mode.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_PRINTQUALITY | DM_COLOR | DM_DUPLEX |
                    DM_COLLATE | DM_DITHERTYPE;
    return mode;
}

DeviceMetrics PdfFilePrinterDevice::DriverMetrics(const PrinterNames&, const DevMode& mode)
{
    PaperInfo paper = PaperByDmPaper(mode.dmPaperSize).value_or(*PaperByDmPaper(DMPAPER_A4));
    DeviceMetrics m;
    m.PhysicalWidth = MicronsToPixels(paper.WidthMicrons, m_ppi);
    m.PhysicalHeight = MicronsToPixels(paper.HeightMicrons, m_ppi);
    m.HorzRes = m.PhysicalWidth;
    m.VertRes = m.PhysicalHeight;
    m.LogPixelsX = m_ppi;
    m.LogPixelsY = m_ppi;
    return mode.dmOrientation == DMORIENT_LANDSCAPE ? TurnMetrics(m) : m;
}

bool PdfFilePrinterDevice::DriverReachable(const PrinterNames&)
{
    QFileInfo folder(QFileInfo(QString::fromStdString(m_path)).absolutePath());
    return !m_path.empty() && folder.isDir() && folder.isWritable();
}

int PdfFilePrinterDevice::DriverCapabilities(const PrinterNames&, int capability)
{
    return capability == DC_ORIENTATION ? 90 : 0;
}

void PdfFilePrinterDevice::SendDocument(const Job&, const std::string& pdf)
{
    const QString path = QString::fromStdString(m_path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw EFCreateError(QFileInfo(path).absoluteFilePath().toStdString(), file.errorString().toStdString());
    const char* data = pdf.data();
    qint64 left = static_cast<qint64>(pdf.size());
    // In slices, letting the window live between them.
    while (left > 0) {
        qint64 n = file.write(data, std::min<qint64>(left, 1 << 20));
        if (n <= 0)
            break;
        data += n;
        left -= n;
        ProcessMessages();
    }
    if (left > 0 || !file.commit())
        throw EFCreateError(QFileInfo(path).absoluteFilePath().toStdString(), file.errorString().toStdString());
}

} // namespace plat
