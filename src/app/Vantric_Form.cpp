#include "Vantric_Form.h"

#include "APropos_Frm.h"
#include "AppResources.h"
#include "PreviewPlaceholder.h"

#include "platform/core/Convert.h"
#include "platform/ui/CommandErrors.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/KeyEvents.h"
#include "platform/ui/PrintDialog.h"
#include "platform/ui/SpinEdit.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QProxyStyle>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include <limits>

namespace {

// A gap of the toolbar with an etched line in its middle.
class ToolSeparator : public QWidget {
public:
    ToolSeparator(int width, QWidget* parent) : QWidget(parent) { setFixedWidth(width); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const int x = width() / 2 - 1;
        p.setPen(palette().color(QPalette::Mid));
        p.drawLine(x, 3, x, height() - 4);
        p.setPen(palette().color(QPalette::Light));
        p.drawLine(x + 1, 3, x + 1, height() - 4);
    }
};

// Menus show their icons at the toolbar's 24 x 24.
class MenuIconStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_SmallIconSize)
            return 24;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// Connects a handler so that it runs under the application's error handling.
template <class Handler>
auto Command(TVantric_Form* form, Handler handler)
{
    return [form, handler](auto&&...) { plat::RunCommand([&] { (form->*handler)(); }); };
}

QLabel* NewLabel(const QString& text, const QString& name, bool bold, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    if (bold) {
        QFont f = label->font();
        f.setBold(true);
        label->setFont(f);
    }
    return label;
}

QToolButton* NewToolButton(const QString& name, const QString& hint, const QIcon& icon, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setIcon(icon);
    button->setIconSize(QSize(24, 24));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setAutoRaise(true);
    button->setFixedSize(31, 30);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

plat::SpinEdit* NewSpinEdit(const QString& name, const QString& hint, int width, QWidget* parent)
{
    auto* edit = new plat::SpinEdit(parent);
    edit->setObjectName(name);
    edit->setToolTip(hint);
    edit->setFixedWidth(width);
    edit->setAccelerated(false);
    edit->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    return edit;
}

} // namespace

TVantric_Form::TVantric_Form(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Vantric_Form"));
    setWindowTitle(QStringLiteral("Vantric 2.02"));
    setFont(VantricFont(11));

    BuildMenus();

    // A panel with a 4-pixel border fills the client area: the toolbar band on top, the preview panel below.
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(0);
    column->addWidget(BuildToolBar());
    PreviewPanel = new QFrame(panel);
    PreviewPanel->setObjectName(QStringLiteral("Panel2"));
    PreviewPanel->setFrameShape(QFrame::StyledPanel);
    PreviewPanel->setFrameShadow(QFrame::Sunken);
    auto* previewLayout = new QVBoxLayout(PreviewPanel);
    previewLayout->setContentsMargins(4, 4, 4, 4);
    column->addWidget(PreviewPanel, 1);
    setCentralWidget(panel);

    CreatePreview();
    BuildDialogs();
    ConnectHandlers();

    resize(742, 621);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    FormCreate();
}

TVantric_Form::~TVantric_Form() = default;

void TVantric_Form::BuildMenus()
{
    auto* menuStyle = new MenuIconStyle;
    menuStyle->setParent(this);

    auto action = [this](const QString& name, const QString& caption, const QString& icon,
                         const QKeySequence& shortcut = {}) {
        auto* a = new QAction(caption, this);
        a->setObjectName(name);
        if (!icon.isEmpty())
            a->setIcon(VantricIcon(icon));
        a->setShortcut(shortcut);
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a); // shortcuts work while the menu is closed
        return a;
    };

    Fichier_Menu = menuBar()->addMenu(QStringLiteral("Fichier"));
    Fichier_Menu->setObjectName(QStringLiteral("Fichier_Menu"));
    Fichier_Menu->setStyle(menuStyle);
    Nouveau_Btn = action(QStringLiteral("Nouveau_Btn"), QStringLiteral("Nouveau"), QStringLiteral("document-new"),
                         QKeySequence(Qt::CTRL | Qt::Key_N));
    Ouvrir_Menu = action(QStringLiteral("Ouvrir_Menu"), QStringLiteral("Ouvrir"), QStringLiteral("document-open"),
                         QKeySequence(Qt::CTRL | Qt::Key_O));
    Enregistrer_Menu = action(QStringLiteral("Enregistrer_Menu"), QStringLiteral("Enregistrer"),
                              QStringLiteral("document-save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    Imprimante_Menu = action(QStringLiteral("Imprimante_Menu"), QStringLiteral("Configurer l'impression"), {});
    Imprimer_Menu = action(QStringLiteral("Imprimer_Menu"), QStringLiteral("Imprimer"),
                           QStringLiteral("document-print"), QKeySequence(Qt::CTRL | Qt::Key_P));
    Sanner_Menu = action(QStringLiteral("Sanner_Menu"), QStringLiteral("Scanner"), QStringLiteral("scanner"));
    SelectionnerSource_Menu =
        action(QStringLiteral("SelectionnerSource_Menu"), QStringLiteral("Selectionner une source"), {});
    Quitter_Menu = action(QStringLiteral("Quitter_Menu"), QStringLiteral("Quitter"), QStringLiteral("application-exit"));
    Fichier_Menu->addActions({Nouveau_Btn, Ouvrir_Menu, Enregistrer_Menu});
    Fichier_Menu->addSeparator();
    Fichier_Menu->addActions({Imprimante_Menu, Imprimer_Menu});
    Fichier_Menu->addSeparator();
    Fichier_Menu->addActions({Sanner_Menu, SelectionnerSource_Menu});
    Fichier_Menu->addSeparator();
    Fichier_Menu->addAction(Quitter_Menu);

    Aide1 = menuBar()->addMenu(QStringLiteral("Aide"));
    Aide1->setObjectName(QStringLiteral("Aide1"));
    Aide1->setStyle(menuStyle);
    APropos1 = action(QStringLiteral("APropos1"), QStringLiteral("A propos..."), {});
    Aide1->addAction(APropos1);

    Enregistrer_Menu->setEnabled(false);
    Imprimer_Menu->setEnabled(false);
}

QWidget* TVantric_Form::BuildToolBar()
{
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setFixedHeight(39);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 4, 0, 5);
    row->setSpacing(0);
    auto gap = [&](int width) { row->addWidget(new ToolSeparator(width, bar)); };

    gap(8);
    Zoom_Edit = new QLineEdit(bar);
    Zoom_Edit->setObjectName(QStringLiteral("Zoom_Edit"));
    Zoom_Edit->setReadOnly(true);
    Zoom_Edit->setMaxLength(3);
    Zoom_Edit->setValidator(new QIntValidator(Zoom_Edit));
    Zoom_Edit->setFixedWidth(29);
    Zoom_Edit->setFocusPolicy(Qt::ClickFocus);
    row->addWidget(Zoom_Edit);
    row->addSpacing(2);
    row->addWidget(NewLabel(QStringLiteral("%"), QStringLiteral("Pourcent_Label"), true, bar));
    gap(7);
    ZoomMoin_Btn = NewToolButton(QStringLiteral("ZoomMoin_Btn"), QStringLiteral("Diminuer le zoom..."),
                                 VantricIcon(QStringLiteral("zoom-out")), bar);
    row->addWidget(ZoomMoin_Btn);
    gap(8);
    ZoomPlus_Btn = NewToolButton(QStringLiteral("ZoomPlus_Btn"), QStringLiteral("Agrandir le zoom..."),
                                 VantricIcon(QStringLiteral("zoom-in")), bar);
    row->addWidget(ZoomPlus_Btn);
    gap(11);
    ZoomCent_Btn = NewToolButton(QStringLiteral("ZoomCent_Btn"), QStringLiteral("Taille réel..."),
                                 VantricIcon(QStringLiteral("zoom-original")), bar);
    row->addWidget(ZoomCent_Btn);
    gap(46);
    Scanner_Btn = NewToolButton(QStringLiteral("Scanner_Btn"), QStringLiteral("Scanner et imprimer"),
                                VantricIcon(QStringLiteral("scanner")), bar);
    row->addWidget(Scanner_Btn);
    row->addSpacing(4);

    NBScanner_Edit = NewSpinEdit(QStringLiteral("NBScanner_Edit"), QStringLiteral("Nombre de copies"), 45, bar);
    NBScanner_Edit->setRange(1, 99);
    NBScanner_Edit->setValue(1);
    NBScanner_Edit->Editor()->setMaxLength(2);
    {
        QFont f = NBScanner_Edit->font();
        f.setPixelSize(16);
        f.setBold(true);
        NBScanner_Edit->setFont(f);
        QPalette pal = NBScanner_Edit->palette();
        pal.setColor(QPalette::Text, QColor(0, 0x80, 0)); // green
        NBScanner_Edit->setPalette(pal);
    }
    row->addWidget(NBScanner_Edit);
    gap(23);

    // The offsets have no bounds; Qt needs a range, so the widest one. Their texts may grow past the
    // two characters a user could type (e.g. "-10"), so the limit is not put on the edit's text.
    constexpr int unbounded = std::numeric_limits<int>::max();
    row->addWidget(NewLabel(QStringLiteral("Pos :"), QStringLiteral("Pos_Label"), false, bar));
    row->addSpacing(4);
    row->addWidget(NewLabel(QStringLiteral("G:"), QStringLiteral("G_Label"), false, bar));
    row->addSpacing(2);
    MargeGauche_Edit = NewSpinEdit(QStringLiteral("MargeGauche_Edit"), QStringLiteral("Position gauche..."), 49, bar);
    MargeGauche_Edit->setRange(-unbounded, unbounded);
    MargeGauche_Edit->setSingleStep(1);
    MargeGauche_Edit->setValue(0);
    row->addWidget(MargeGauche_Edit);
    row->addSpacing(2);
    row->addWidget(NewLabel(QStringLiteral("mm"), QStringLiteral("MmGauche_Label"), false, bar));
    row->addSpacing(8);
    row->addWidget(NewLabel(QStringLiteral("H:"), QStringLiteral("H_Label"), false, bar));
    row->addSpacing(2);
    MargeHaut_Edit = NewSpinEdit(QStringLiteral("MargeHaut_Edit"), QStringLiteral("Position haut..."), 49, bar);
    MargeHaut_Edit->setRange(-unbounded, unbounded);
    MargeHaut_Edit->setSingleStep(1);
    MargeHaut_Edit->setValue(0);
    row->addWidget(MargeHaut_Edit);
    row->addSpacing(2);
    row->addWidget(NewLabel(QStringLiteral("mm"), QStringLiteral("MmHaut_Label"), false, bar));
    row->addSpacing(12);
    SetPositionEditsEnabled(false);

    Mode_Edit = new QComboBox(bar);
    Mode_Edit->setObjectName(QStringLiteral("Mode_Edit"));
    Mode_Edit->setToolTip(QStringLiteral("Mode d'impression..."));
    Mode_Edit->setEditable(true);
    Mode_Edit->setInsertPolicy(QComboBox::NoInsert);
    Mode_Edit->addItems({QStringLiteral("Couleur"), QStringLiteral("Noir et blanc")});
    Mode_Edit->setCurrentIndex(-1);
    Mode_Edit->setFixedWidth(90);
    row->addWidget(Mode_Edit);
    row->addStretch(1);
    return bar;
}

void TVantric_Form::BuildDialogs()
{
    PrintDialog = std::make_unique<plat::PrintDialog>();

    OpenPictureDialog = std::make_unique<plat::OpenDialog>();
    OpenPictureDialog->DefaultExt = QStringLiteral("*.bmp");
    OpenPictureDialog->Filter = QStringLiteral("Bitmaps (*.bmp)|*.bmp");

    SavePictureDialog = std::make_unique<plat::SaveDialog>();
    SavePictureDialog->DefaultExt = QStringLiteral("*.bmp");
    SavePictureDialog->Filter = QStringLiteral("Bitmaps (*.bmp)|*.bmp|Jpeg (*.jpg)|*.jpg");
    SavePictureDialog->OverwritePrompt = true;
    SavePictureDialog->HideReadOnly = true;
    SavePictureDialog->EnableSizing = true;
}

void TVantric_Form::CreatePreview()
{
    // The preview is created with its document (one empty A4 page), then takes the window's design values.
    GmPreview1 = new TPreviewPlaceholder(PreviewPanel);
    ApplyPreviewDesign();
    InstallPreviewWidget(GmPreview1);
}

void TVantric_Form::ApplyPreviewDesign()
{
    // The window's design values for the preview and the document it owns, in this order:
    //   Zoom 30; PagesPerSheet gmOnePage; AutoScroll off;
    //   Canvas: CoordsRelativeTo gmFromPrinterMargins, CompareGraphics on;
    //   GmPrinter: Collate on, Duplex gmSimplex, PrintCopies 0, PrintColor gmColor, DitherType gmNone,
    //     PrintQuality gmHigh, Title "<document>" (written into the current printer's settings);
    //   Margins 0.5 in on each side, margin and printer-margin pens silver dotted
    //     (MarginValues 720,720,720,720,"12632256,1,2,4","12632256,1,2,4");
    //   PageGrid pen silver (no grid); header and footer captions empty, Arial 16 px regular window text.
    // Then the preview's new-page reaction runs once, as at the end of loading.
    GmPreview1->SetZoom(30);
}

void TVantric_Form::InstallPreviewWidget(QWidget* preview)
{
    auto* layout = PreviewPanel->layout();
    while (QLayoutItem* item = layout->takeAt(0)) {
        if (QWidget* old = item->widget(); old && old != preview)
            old->hide();
        delete item;
    }
    preview->setParent(PreviewPanel);
    layout->addWidget(preview);
    preview->show();
}

void TVantric_Form::ConnectHandlers()
{
    connect(ZoomMoin_Btn, &QToolButton::clicked, this, Command(this, &TVantric_Form::ZoomMoin_BtnClick));
    connect(ZoomPlus_Btn, &QToolButton::clicked, this, Command(this, &TVantric_Form::ZoomPlus_BtnClick));
    connect(ZoomCent_Btn, &QToolButton::clicked, this, Command(this, &TVantric_Form::ZoomCent_BtnClick));
    connect(Scanner_Btn, &QToolButton::clicked, this, Command(this, &TVantric_Form::Scanner_BtnClick));

    connect(NBScanner_Edit->Editor(), &QLineEdit::textChanged, this,
            Command(this, &TVantric_Form::NBScanner_EditChange));
    connect(MargeGauche_Edit->Editor(), &QLineEdit::textChanged, this,
            Command(this, &TVantric_Form::MargeGauche_EditChange));
    connect(MargeHaut_Edit->Editor(), &QLineEdit::textChanged, this,
            Command(this, &TVantric_Form::MargeHaut_EditChange));

    auto keyPress = [this](QWidget* edit, void (TVantric_Form::*handler)(char16_t&)) {
        auto* keys = new plat::KeyEvents(edit);
        keys->OnKeyPress.Set([this, handler](char16_t& key) { plat::RunCommand([&] { (this->*handler)(key); }); });
        return keys;
    };
    auto keyDown = [this](plat::KeyEvents* keys, void (TVantric_Form::*handler)(int&, Qt::KeyboardModifiers)) {
        keys->OnKeyDown.Set([this, handler](int& key, Qt::KeyboardModifiers shift) {
            plat::RunCommand([&] { (this->*handler)(key, shift); });
        });
    };
    keyPress(NBScanner_Edit, &TVantric_Form::NBScanner_EditKeyPress);
    keyDown(keyPress(MargeGauche_Edit, &TVantric_Form::MargeGauche_EditKeyPress), &TVantric_Form::MargeGauche_EditKeyDown);
    keyDown(keyPress(MargeHaut_Edit, &TVantric_Form::MargeHaut_EditKeyPress), &TVantric_Form::MargeHaut_EditKeyDown);

    connect(Nouveau_Btn, &QAction::triggered, this, Command(this, &TVantric_Form::Nouveau_BtnClick));
    connect(Ouvrir_Menu, &QAction::triggered, this, Command(this, &TVantric_Form::Ouvrir_MenuClick));
    connect(Enregistrer_Menu, &QAction::triggered, this, Command(this, &TVantric_Form::Enregistrer_MenuClick));
    connect(Imprimante_Menu, &QAction::triggered, this, Command(this, &TVantric_Form::Imprimante_MenuClick));
    connect(Imprimer_Menu, &QAction::triggered, this, Command(this, &TVantric_Form::Imprimer_MenuClick));
    connect(Sanner_Menu, &QAction::triggered, this, Command(this, &TVantric_Form::Sanner_MenuClick));
    connect(SelectionnerSource_Menu, &QAction::triggered, this,
            Command(this, &TVantric_Form::SelectionnerSource_MenuClick));
    connect(Quitter_Menu, &QAction::triggered, this, Command(this, &TVantric_Form::Quitter_MenuClick));
    connect(APropos1, &QAction::triggered, this, Command(this, &TVantric_Form::APropos1Click));
}

// --- window states -----------------------------------------------------------------------------------

void TVantric_Form::SetPictureCommandsEnabled(bool enabled)
{
    Imprimer_Menu->setEnabled(enabled);
    Enregistrer_Menu->setEnabled(enabled);
}

void TVantric_Form::SetPositionEditsEnabled(bool enabled)
{
    MargeGauche_Edit->setEnabled(enabled);
    MargeHaut_Edit->setEnabled(enabled);
}

void TVantric_Form::EnterPictureHeld()
{
    SetPictureCommandsEnabled(true);
    SetPositionEditsEnabled(true);
}

void TVantric_Form::EnterNoPicture()
{
    SetPictureCommandsEnabled(false);
    SetPositionEditsEnabled(false);
}

void TVantric_Form::EnterOpenedPicture(bool bitmapNotEmpty)
{
    if (bitmapNotEmpty)
        SetPictureCommandsEnabled(true);
    SetPositionEditsEnabled(true);
}

int TVantric_Form::ModeIndex() const
{
    return Mode_Edit->findText(Mode_Edit->currentText(), Qt::MatchExactly);
}

void TVantric_Form::ShowZoom()
{
    Zoom_Edit->setText(QString::number(GmPreview1->Zoom()));
}

// --- handlers ------------------------------------------------------------------------------------------

void TVantric_Form::FormCreate()
{
    Mode_Edit->setCurrentIndex(0);
    ShowZoom();
}

void TVantric_Form::ZoomMoin_BtnClick()
{
    GmPreview1->ZoomOut();
    ShowZoom();
}

void TVantric_Form::ZoomPlus_BtnClick()
{
    GmPreview1->ZoomIn();
    ShowZoom();
}

void TVantric_Form::ZoomCent_BtnClick()
{
    GmPreview1->SetZoom(100);
    ShowZoom();
}

void TVantric_Form::Scanner_BtnClick()
{
    // Acquires without the scanner's dialog, lays the picture out and prints it: needs the scanner and
    // preview engines.
}

void TVantric_Form::NBScanner_EditChange()
{
    if (NBScanner_Edit->Text().isEmpty())
        NBScanner_Edit->SetText(QStringLiteral("1")); // runs this handler again, which applies 1
    PrintDialog->SetCopies(plat::StrToInt(NBScanner_Edit->Text().toStdString()));
}

void TVantric_Form::NBScanner_EditKeyPress(char16_t&)
{
    // Typing is limited by the spin edit alone.
}

void TVantric_Form::MargeGauche_EditChange()
{
    // Rebuilds the page from the held picture and the two offsets: needs the preview engine.
}

void TVantric_Form::MargeHaut_EditChange()
{
    // Rebuilds the page from the held picture and the two offsets: needs the preview engine.
}

// The offsets change only by the spin buttons and the arrow keys: nothing can be typed, erased or pasted.
void TVantric_Form::MargeGauche_EditKeyDown(int& key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_Delete)
        key = Qt::Key_Return;
}

void TVantric_Form::MargeGauche_EditKeyPress(char16_t& key)
{
    key = 0;
}

void TVantric_Form::MargeHaut_EditKeyDown(int& key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_Delete)
        key = Qt::Key_Return;
}

void TVantric_Form::MargeHaut_EditKeyPress(char16_t& key)
{
    key = 0;
}

void TVantric_Form::Nouveau_BtnClick()
{
    // The held picture becomes nothing and the preview is cleared once the engines are in place.
    EnterNoPicture();
}

void TVantric_Form::Ouvrir_MenuClick()
{
    // Reads a bitmap file into the held picture: needs the picture holder and the preview engine.
}

void TVantric_Form::Enregistrer_MenuClick()
{
    // Writes the held picture as BMP: needs the picture holder.
}

void TVantric_Form::Imprimante_MenuClick()
{
    // Runs the print dialog and takes its copy count: needs the current printer of the printing engine.
}

void TVantric_Form::Imprimer_MenuClick()
{
    // Prints the page: needs the preview engine.
}

void TVantric_Form::Sanner_MenuClick()
{
    // Acquires and lays the picture out: needs the scanner and preview engines.
}

void TVantric_Form::SelectionnerSource_MenuClick()
{
    // Chooses the scanner source: needs the scanner engine.
}

void TVantric_Form::Quitter_MenuClick()
{
    close();
}

void TVantric_Form::APropos1Click()
{
    if (m_about)
        m_about->exec();
}
