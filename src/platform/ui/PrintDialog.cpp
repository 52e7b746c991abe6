#include "PrintDialog.h"

#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>

namespace plat {

PrintDialog::PrintDialog() = default;
PrintDialog::~PrintDialog() = default;

void PrintDialog::SetCopies(int copies)
{
    m_copies = copies;
    // Qt's printer holds at least one copy; what a count below one means is the printing layer's matter.
    if (m_printer && copies >= 1)
        m_printer->setCopyCount(copies);
}

void PrintDialog::SetPrinter(QPrinter* printer)
{
    m_printer = printer;
}

QPrinter* PrintDialog::Printer()
{
    if (!m_printer) {
        m_ownPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer = m_ownPrinter.get();
        if (m_copies >= 1)
            m_printer->setCopyCount(m_copies);
    }
    return m_printer;
}

bool PrintDialog::Execute(QWidget* parent)
{
    QPrinter* printer = Printer();
    QPointer<QPrintDialog> dialog = new QPrintDialog(printer, parent);
    const bool accepted = dialog->exec() == QDialog::Accepted && dialog;
    delete dialog.data();
    if (accepted) {
        m_copies = printer->copyCount();
        m_collate = printer->collateCopies();
    }
    return accepted;
}

} // namespace plat
