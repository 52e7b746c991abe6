#include "APropos_Frm.h"

#include "AppResources.h"

#include <QDesktopServices>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QMovie>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

#include <algorithm>

namespace {

const QColor kGray(0x80, 0x80, 0x80);
const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kTeal(0x00, 0x80, 0x80);
const QColor kPanelColour(0x92, 0xC9, 0xC9); // 0xC9C992 as blue-green-red

QLabel* Label(QWidget* parent, const QString& name, const QString& text, int x, int y, bool bold = false,
              const QColor& colour = {})
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont f = label->font();
    f.setBold(bold);
    label->setFont(f);
    if (colour.isValid()) {
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, colour);
        label->setPalette(pal);
    }
    label->move(x, y);
    label->adjustSize();
    return label;
}

void SetBold(QLabel* label, bool bold)
{
    QFont f = label->font();
    if (f.bold() == bold)
        return;
    f.setBold(bold);
    label->setFont(f);
    label->adjustSize();
}

} // namespace

TAPropos_Frm::TAPropos_Frm(QWidget* parent) : TAPropos_Frm(ReadMemoryStatus(), QLocale(), parent) {}

TAPropos_Frm::TAPropos_Frm(const TMemoryStatus& memory, const QLocale& locale, QWidget* parent) : QDialog(parent)
{
    Build();
    FormCreate(memory, locale);
}

TAPropos_Frm::~TAPropos_Frm() = default;

void TAPropos_Frm::Build()
{
    setObjectName(QStringLiteral("APropos_Frm"));
    setWindowTitle(QStringLiteral("A propos..."));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(VantricFont(11));
    setFixedSize(399, 253);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken); // lowered outside, raised inside
    Panel1->setGeometry(8, 8, 384, 192);
    Panel1->setMouseTracking(true);
    Panel1->installEventFilter(this);

    Panel2 = new QFrame(Panel1);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel2->setGeometry(5, 5, 82, 81);
    Panel2->setAutoFillBackground(true);
    QPalette pal = Panel2->palette();
    pal.setColor(QPalette::Window, kPanelColour);
    Panel2->setPalette(pal);
    Animation = new QLabel(Panel2);
    Animation->setObjectName(QStringLiteral("Animation"));
    Animation->setGeometry(Panel2->contentsRect());
    Animation->setAlignment(Qt::AlignCenter);
    Movie = new QMovie(kAboutAnimation, QByteArray(), this);
    Movie->setCacheMode(QMovie::CacheAll);
    Animation->setMovie(Movie);
    Movie->start();

    ProductName = Label(Panel1, QStringLiteral("ProductName"), QStringLiteral("Vantric 2.00"), 127, 12, true, kGray);
    Registered = Label(Panel1, QStringLiteral("Registered"), QStringLiteral("\u00AE"), 249, 8, false, kGray);
    {
        // Not every face has the sign; DejaVu Sans does.
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(13);
        Registered->setFont(f);
        Registered->adjustSize();
    }
    Revision = Label(Panel1, QStringLiteral("Revision"), QStringLiteral("Rev : 02"), 265, 12, true, kGray);
    Credit = Label(Panel1, QStringLiteral("Credit"), QStringLiteral("Copies en un clic"), 14, 101, true);
    {
        QFont f = Credit->font();
        f.setUnderline(true);
        Credit->setFont(f);
        Credit->adjustSize();
    }

    auto* bevel = new QFrame(Panel1);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::VLine | QFrame::Sunken);
    bevel->setGeometry(193, 35, 2, 147);

    Memoire = new QGroupBox(QStringLiteral("Mémoire : "), Panel1);
    Memoire->setObjectName(QStringLiteral("Memoire"));
    Memoire->setGeometry(219, 38, 113, 57);
    Label(Memoire, QStringLiteral("Total_Label"), QStringLiteral("Total:"), 4, 18);
    Label(Memoire, QStringLiteral("Utilisee_Label"), QStringLiteral("Utilisée:"), 4, 36);
    M1 = Label(Memoire, QStringLiteral("M1"), QString(), 50, 20);
    M2 = Label(Memoire, QStringLiteral("M2"), QString(), 50, 36);

    Label3 = new QLabel(QStringLiteral("Logiciel de Vantric."), Panel1);
    Label3->setObjectName(QStringLiteral("Label3"));
    {
        QFont f = Label3->font();
        f.setBold(true);
        Label3->setFont(f);
    }
    Label3->setWordWrap(true);
    Label3->setGeometry(209, 133, 160, 30);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    QString site = WebAddress;
    site.remove(QStringLiteral("https://")).remove(u'/');
    www = Label(Panel1, QStringLiteral("www"), site, 10, 134, false, kBlue);
    www->setAttribute(Qt::WA_TranslucentBackground);
    Label(Panel1, QStringLiteral("EMail_Label"), QStringLiteral("E-Mail :"), 10, 160, true);
    Mail = Label(Panel1, QStringLiteral("Mail"), MailAddress, 58, 160, false, kTeal);
    for (QLabel* link : {www, Mail}) {
        link->setCursor(Qt::PointingHandCursor);
        link->setMouseTracking(true);
        link->installEventFilter(this);
    }

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(163, 215, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &TAPropos_Frm::OKButtonClick);
}

QString TAPropos_Frm::FormatTotal(uint64_t totalBytes, const QLocale& locale)
{
    // Whole kilobytes, halves rounded up.
    const uint64_t kb = totalBytes / 1024 + (totalBytes % 1024 >= 512 ? 1 : 0);
    QLocale grouped = locale;
    grouped.setNumberOptions(grouped.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouped.toString(static_cast<qulonglong>(kb)) + QStringLiteral(" KB");
}

QString TAPropos_Frm::FormatLoad(int percent)
{
    return QString::number(percent) + QStringLiteral(" %");
}

void TAPropos_Frm::FormCreate(const TMemoryStatus& memory, const QLocale& locale)
{
    M1->setText(FormatTotal(memory.TotalPhys, locale));
    M1->adjustSize();
    // The group was sized for totals of a few hundred megabytes; today's totals are longer and would be
    // cut off. It grows to show them, within the panel.
    const int needed = M1->x() + M1->width() + 3;
    if (needed > Memoire->width())
        Memoire->resize(std::min(needed, Panel1->width() - Memoire->x() - 4), Memoire->height());
    M2->setText(FormatLoad(memory.MemoryLoad));
    M2->adjustSize();
}

void TAPropos_Frm::wwwMouseMove()
{
    SetBold(www, true);
}

void TAPropos_Frm::MailMouseMove()
{
    SetBold(Mail, true);
}

void TAPropos_Frm::Panel1MouseMove()
{
    SetBold(www, false);
    SetBold(Mail, false);
}

void TAPropos_Frm::wwwMouseDown()
{
    // Nothing to report when no browser is registered: the box stays as it is.
    QDesktopServices::openUrl(QUrl(WebAddress));
}

void TAPropos_Frm::MailMouseDown()
{
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + MailAddress));
}

void TAPropos_Frm::OKButtonClick()
{
    accept();
}

bool TAPropos_Frm::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseMove) {
        if (watched == www)
            wwwMouseMove();
        else if (watched == Mail)
            MailMouseMove();
        else if (watched == Panel1 && !Panel1->childAt(static_cast<QMouseEvent*>(event)->position().toPoint()))
            Panel1MouseMove();
        return watched == www || watched == Mail;
    }
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        if (watched == www) {
            wwwMouseDown();
            return true;
        }
        if (watched == Mail) {
            MailMouseDown();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
