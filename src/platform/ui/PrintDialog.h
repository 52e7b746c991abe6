#pragma once
// The system print dialog as a configured object. It shows the printer's settings (printer, copies,
// collation) and, on OK, leaves the chosen ones in that printer and reports the chosen copy count.
// Setting Copies writes the count into the printer at once, as the dialog of the class library does.

#include <QString>

#include <memory>

class QPrinter;
class QWidget;

namespace plat {

class PrintDialog {
public:
    PrintDialog();
    virtual ~PrintDialog();

    int Copies() const { return m_copies; }
    void SetCopies(int copies);
    bool Collate() const { return m_collate; }

    // The printer the dialog works on; by default one of its own for the system's default printer,
    // created the first time it is needed. The printing layer hands in the current printer.
    void SetPrinter(QPrinter* printer);
    QPrinter* Printer();

    // Runs the dialog modally; on OK updates Copies and Collate and answers true.
    virtual bool Execute(QWidget* parent = nullptr);

private:
    std::unique_ptr<QPrinter> m_ownPrinter;
    QPrinter* m_printer = nullptr;
    int m_copies = 1;
    bool m_collate = true;
};

} // namespace plat
