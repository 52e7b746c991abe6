#pragma once
// The About box: the program's name and version, the computer's memory, a small animation and the
// links to the product's web site and contact address. Created hidden at start-up, shown modally.

#include "MemoryStatus.h"

#include <QDialog>
#include <QLocale>

class QFrame;
class QGroupBox;
class QLabel;
class QMovie;
class QPushButton;

class TAPropos_Frm : public QDialog {
    Q_OBJECT
public:
    // Reads the memory figures from the system, once.
    explicit TAPropos_Frm(QWidget* parent = nullptr);
    // With given figures, formatted for the given locale.
    TAPropos_Frm(const TMemoryStatus& memory, const QLocale& locale, QWidget* parent = nullptr);
    ~TAPropos_Frm() override;

    // "524 288 KB": the total in KB, rounded, grouped by the locale's thousands separator.
    static QString FormatTotal(uint64_t totalBytes, const QLocale& locale);
    // "37 %".
    static QString FormatLoad(int percent);

    static inline const QString WebAddress = QStringLiteral("https://www.vantric.example/");
    static inline const QString MailAddress = QStringLiteral("contact@vantric.example");

    // Handlers.
    void FormCreate(const TMemoryStatus& memory, const QLocale& locale);
    void wwwMouseMove();
    void MailMouseMove();
    void Panel1MouseMove();
    void wwwMouseDown();
    void MailMouseDown();
    void OKButtonClick();

    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* Animation = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Registered = nullptr;
    QLabel* Revision = nullptr;
    QLabel* Credit = nullptr;
    QGroupBox* Memoire = nullptr;
    QLabel* M1 = nullptr;
    QLabel* M2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* www = nullptr;
    QLabel* Mail = nullptr;
    QPushButton* OKButton = nullptr;
    QMovie* Movie = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
};
