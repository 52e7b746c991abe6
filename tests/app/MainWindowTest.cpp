#include "ModalProbe.h"

#include "APropos_Frm.h"
#include "PreviewPlaceholder.h"
#include "Startup.h"
#include "Vantric_Form.h"

#include "platform/ui/MessageBoxes.h"
#include "platform/ui/PrintDialog.h"
#include "platform/ui/SpinEdit.h"

#include "QtTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

// The forms as the start-up creates them, the main window shown and active.
class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        forms = CreateForms();
        form = forms.Vantric_Form.get();
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    }

    template <class T = QWidget>
    T* Find(const char* name)
    {
        return form->findChild<T*>(QString::fromLatin1(name));
    }

    void Click(const char* button)
    {
        QTest::mouseClick(Find<QToolButton>(button), Qt::LeftButton);
    }

    QString Zoom() { return form->Zoom_Edit->text(); }

    TVantricForms forms;
    TVantric_Form* form = nullptr;
};

struct EnablingState {
    bool print, save, left, top;
    bool operator==(const EnablingState&) const = default;
};

EnablingState Enabling(const TVantric_Form& f)
{
    return {f.Imprimer_Menu->isEnabled(), f.Enregistrer_Menu->isEnabled(), f.MargeGauche_Edit->isEnabled(),
            f.MargeHaut_Edit->isEnabled()};
}

std::ostream& operator<<(std::ostream& os, const EnablingState& s)
{
    return os << "{print " << s.print << ", save " << s.save << ", G " << s.left << ", H " << s.top << "}";
}

} // namespace

TEST_F(MainWindowTest, StartsInTheDesignState)
{
    EXPECT_EQ(form->windowTitle(), "Vantric 2.02");
    EXPECT_EQ(form->size(), QSize(742, 621));
    EXPECT_EQ(Zoom(), "30");
    EXPECT_EQ(form->GmPreview1->Zoom(), 30);
    EXPECT_EQ(form->NBScanner_Edit->Text(), "1");
    EXPECT_EQ(form->MargeGauche_Edit->Text(), "0");
    EXPECT_EQ(form->MargeHaut_Edit->Text(), "0");
    EXPECT_EQ(form->Mode_Edit->currentText(), "Couleur");
    EXPECT_EQ(form->ModeIndex(), 0);
    EXPECT_EQ(Enabling(*form), (EnablingState{false, false, false, false}));
    for (QAction* always : {form->Nouveau_Btn, form->Ouvrir_Menu, form->Imprimante_Menu, form->Sanner_Menu,
                            form->SelectionnerSource_Menu, form->Quitter_Menu, form->APropos1})
        EXPECT_TRUE(always->isEnabled()) << always->objectName().toStdString();
    EXPECT_FALSE(forms.APropos_Frm->isVisible()) << "the About box is created hidden";
}

TEST_F(MainWindowTest, ControlsAreConfiguredAsDesigned)
{
    QLineEdit* zoom = Find<QLineEdit>("Zoom_Edit");
    ASSERT_NE(zoom, nullptr);
    EXPECT_TRUE(zoom->isReadOnly());
    EXPECT_EQ(zoom->maxLength(), 3);
    EXPECT_EQ(zoom->width(), 29);

    auto* copies = Find<plat::SpinEdit>("NBScanner_Edit");
    ASSERT_NE(copies, nullptr);
    EXPECT_EQ(copies->minimum(), 1);
    EXPECT_EQ(copies->maximum(), 99);
    EXPECT_EQ(copies->Editor()->maxLength(), 2);
    EXPECT_EQ(copies->font().pixelSize(), 16);
    EXPECT_TRUE(copies->font().bold());
    EXPECT_EQ(copies->palette().color(QPalette::Text), QColor(0, 0x80, 0));

    auto* mode = Find<QComboBox>("Mode_Edit");
    ASSERT_NE(mode, nullptr);
    EXPECT_TRUE(mode->isEditable());
    EXPECT_EQ(mode->width(), 90);
    ASSERT_EQ(mode->count(), 2);
    EXPECT_EQ(mode->itemText(0), "Couleur");
    EXPECT_EQ(mode->itemText(1), "Noir et blanc");
    mode->setEditText("Sépia");
    EXPECT_EQ(form->ModeIndex(), -1) << "a typed text that is no item is no mode";
    EXPECT_EQ(mode->count(), 2);

    for (const char* name : {"ZoomMoin_Btn", "ZoomPlus_Btn", "ZoomCent_Btn", "Scanner_Btn"}) {
        auto* button = Find<QToolButton>(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->size(), QSize(31, 30)) << name;
        EXPECT_EQ(button->iconSize(), QSize(24, 24)) << name;
        EXPECT_FALSE(button->icon().isNull()) << name;
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonIconOnly) << name;
    }
    for (const char* label : {"%", "Pos :", "G:", "H:", "mm"}) {
        const auto labels = form->findChildren<QLabel*>();
        EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [&](QLabel* l) { return l->text() == label; }))
            << label;
    }
}

struct HintCase {
    const char* control;
    const char* hint;
};
inline void PrintTo(const HintCase& row, std::ostream* os) { *os << row.control; }

class ControlHintTest : public MainWindowTest, public testing::WithParamInterface<HintCase> {};

TEST_P(ControlHintTest, ShowsItsHintAsTooltip)
{
    QWidget* control = Find(GetParam().control);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->toolTip(), QString::fromUtf8(GetParam().hint));
}

INSTANTIATE_TEST_SUITE_P(Toolbar, ControlHintTest,
                         testing::Values(HintCase{"ZoomMoin_Btn", "Diminuer le zoom..."},
                                         HintCase{"ZoomPlus_Btn", "Agrandir le zoom..."},
                                         HintCase{"ZoomCent_Btn", "Taille réel..."},
                                         HintCase{"Scanner_Btn", "Scanner et imprimer"},
                                         HintCase{"NBScanner_Edit", "Nombre de copies"},
                                         HintCase{"MargeGauche_Edit", "Position gauche..."},
                                         HintCase{"MargeHaut_Edit", "Position haut..."},
                                         HintCase{"Mode_Edit", "Mode d'impression..."}),
                         [](const testing::TestParamInfo<HintCase>& info) { return std::string(info.param.control); });

struct MenuCase {
    const char* item;
    const char* caption;
    const char* shortcut;
    bool icon;
};
inline void PrintTo(const MenuCase& row, std::ostream* os) { *os << row.item; }

class MenuItemTest : public MainWindowTest, public testing::WithParamInterface<MenuCase> {};

TEST_P(MenuItemTest, HasItsCaptionShortcutAndIcon)
{
    auto* item = Find<QAction>(GetParam().item);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QString::fromUtf8(GetParam().caption));
    EXPECT_EQ(item->shortcut(), QKeySequence(QString::fromLatin1(GetParam().shortcut)));
    EXPECT_EQ(!item->icon().isNull(), GetParam().icon);
}

INSTANTIATE_TEST_SUITE_P(Menus, MenuItemTest,
                         testing::Values(MenuCase{"Nouveau_Btn", "Nouveau", "Ctrl+N", true},
                                         MenuCase{"Ouvrir_Menu", "Ouvrir", "Ctrl+O", true},
                                         MenuCase{"Enregistrer_Menu", "Enregistrer", "Ctrl+S", true},
                                         MenuCase{"Imprimante_Menu", "Configurer l'impression", "", false},
                                         MenuCase{"Imprimer_Menu", "Imprimer", "Ctrl+P", true},
                                         MenuCase{"Sanner_Menu", "Scanner", "", true},
                                         MenuCase{"SelectionnerSource_Menu", "Selectionner une source", "", false},
                                         MenuCase{"Quitter_Menu", "Quitter", "", true},
                                         MenuCase{"APropos1", "A propos...", "", false}),
                         [](const testing::TestParamInfo<MenuCase>& info) { return std::string(info.param.item); });

TEST_F(MainWindowTest, MenusListTheirItemsInOrder)
{
    auto names = [](QMenu* menu) {
        QStringList list;
        for (QAction* a : menu->actions())
            list << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        return list;
    };
    const QList<QAction*> top = form->menuBar()->actions();
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top[0]->text(), "Fichier");
    EXPECT_EQ(top[1]->text(), "Aide");
    EXPECT_EQ(names(Find<QMenu>("Fichier_Menu")),
              (QStringList{"Nouveau_Btn", "Ouvrir_Menu", "Enregistrer_Menu", "-", "Imprimante_Menu", "Imprimer_Menu",
                           "-", "Sanner_Menu", "SelectionnerSource_Menu", "-", "Quitter_Menu"}));
    EXPECT_EQ(names(Find<QMenu>("Aide1")), QStringList{"APropos1"});
}

TEST_F(MainWindowTest, ShortcutsOfDisabledItemsDoNothing)
{
    QSignalSpy printed(form->Imprimer_Menu, &QAction::triggered);
    QSignalSpy saved(form->Enregistrer_Menu, &QAction::triggered);
    QSignalSpy renewed(form->Nouveau_Btn, &QAction::triggered);

    QTest::keyClick(form, Qt::Key_P, Qt::ControlModifier);
    QTest::keyClick(form, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(form, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(printed.count(), 0);
    EXPECT_EQ(saved.count(), 0);
    EXPECT_EQ(renewed.count(), 1) << "the keys do reach the window's shortcuts";

    form->EnterPictureHeld();
    QTest::keyClick(form, Qt::Key_P, Qt::ControlModifier);
    QTest::keyClick(form, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(printed.count(), 1);
    EXPECT_EQ(saved.count(), 1);
}

// From a state, one transition, and the enabling it leaves.
struct TransitionCase {
    const char* name;
    bool startWithPicture;
    std::function<void(TVantric_Form&)> transition;
    EnablingState expected;
};
VANTRIC_PRINTS_NAME(TransitionCase)

class TransitionTest : public MainWindowTest, public testing::WithParamInterface<TransitionCase> {};

TEST_P(TransitionTest, LeavesTheStatedEnabling)
{
    if (GetParam().startWithPicture)
        form->EnterPictureHeld();
    GetParam().transition(*form);
    EXPECT_EQ(Enabling(*form), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    States, TransitionTest,
    testing::Values(
        TransitionCase{"PictureAcquired", false, [](TVantric_Form& f) { f.EnterPictureHeld(); }, {true, true, true, true}},
        TransitionCase{"NouveauAfterPicture", true, [](TVantric_Form& f) { f.Nouveau_Btn->trigger(); },
                       {false, false, false, false}},
        TransitionCase{"NouveauAtStart", false, [](TVantric_Form& f) { f.Nouveau_Btn->trigger(); },
                       {false, false, false, false}},
        TransitionCase{"OpenedBitmapAtStart", false, [](TVantric_Form& f) { f.EnterOpenedPicture(true); },
                       {true, true, true, true}},
        TransitionCase{"OpenedEmptyAtStart", false, [](TVantric_Form& f) { f.EnterOpenedPicture(false); },
                       {false, false, true, true}},
        TransitionCase{"OpenedEmptyAfterPicture", true, [](TVantric_Form& f) { f.EnterOpenedPicture(false); },
                       {true, true, true, true}}),
    [](const testing::TestParamInfo<TransitionCase>& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, NouveauKeepsTheOffsetsAndTheZoomStillWorks)
{
    form->EnterPictureHeld();
    QTest::keyClick(form->MargeGauche_Edit, Qt::Key_Up);
    form->Nouveau_Btn->trigger();
    EXPECT_EQ(form->MargeGauche_Edit->Text(), "1");
    Click("ZoomPlus_Btn");
    EXPECT_EQ(Zoom(), "45");
    EXPECT_FALSE(form->MargeGauche_Edit->isEnabled());
}

// A sequence of zoom buttons from the start and what the display shows after it.
struct ZoomCase {
    const char* name;
    std::vector<const char*> clicks;
    const char* shown;
};
VANTRIC_PRINTS_NAME(ZoomCase)

class ZoomButtonTest : public MainWindowTest, public testing::WithParamInterface<ZoomCase> {};

TEST_P(ZoomButtonTest, DisplayFollowsThePreviewZoom)
{
    for (const char* button : GetParam().clicks)
        Click(button);
    EXPECT_EQ(Zoom(), GetParam().shown);
    EXPECT_EQ(Zoom().toInt(), form->GmPreview1->Zoom());
}

const char* const kPlus = "ZoomPlus_Btn";
const char* const kMoins = "ZoomMoin_Btn";
const char* const kCent = "ZoomCent_Btn";

INSTANTIATE_TEST_SUITE_P(
    Steps, ZoomButtonTest,
    testing::Values(ZoomCase{"OneUp", {kPlus}, "45"},
                    ZoomCase{"UpToTheLastStepBelowTheMaximum", {kPlus, kPlus, kPlus, kPlus, kPlus, kPlus, kPlus}, "350"},
                    ZoomCase{"NextStepClampedToTheMaximum", {kPlus, kPlus, kPlus, kPlus, kPlus, kPlus, kPlus, kPlus}, "400"},
                    ZoomCase{"NothingAboveTheMaximum", {kPlus, kPlus, kPlus, kPlus, kPlus, kPlus, kPlus, kPlus, kPlus}, "400"},
                    ZoomCase{"DownToTheSmallestStep", {kMoins, kMoins, kMoins, kMoins}, "7"},
                    ZoomCase{"NothingBelowTheSmallestStep", {kMoins, kMoins, kMoins, kMoins, kMoins}, "7"},
                    ZoomCase{"ActualSize", {kMoins, kCent}, "100"},
                    ZoomCase{"UpFromActualSize", {kCent, kPlus}, "120"},
                    ZoomCase{"DownFromActualSize", {kCent, kMoins}, "80"}),
    [](const testing::TestParamInfo<ZoomCase>& info) { return std::string(info.param.name); });

TEST(PreviewZoom, StepsFromBetweenStepsAndClampsSetValues)
{
    TPreviewPlaceholder preview;
    preview.SetZoom(33);
    preview.ZoomIn();
    EXPECT_EQ(preview.Zoom(), 45);
    preview.SetZoom(33);
    preview.ZoomOut();
    EXPECT_EQ(preview.Zoom(), 30);
    preview.SetZoom(1);
    EXPECT_EQ(preview.Zoom(), 5);
    preview.ZoomOut();
    EXPECT_EQ(preview.Zoom(), 5);
    preview.SetZoom(9999);
    EXPECT_EQ(preview.Zoom(), 400);
}

// Keys typed into a position edit, and its text afterwards (it starts at 0).
struct PositionKeyCase {
    const char* name;
    std::function<void(QWidget*)> keys;
    const char* text;
};
VANTRIC_PRINTS_NAME(PositionKeyCase)

class PositionKeysTest : public MainWindowTest, public testing::WithParamInterface<PositionKeyCase> {};

TEST_P(PositionKeysTest, OnlyTheSpinKeysChangeTheValue)
{
    form->EnterPictureHeld();
    for (plat::SpinEdit* edit : {form->MargeGauche_Edit, form->MargeHaut_Edit}) {
        edit->setFocus();
        GetParam().keys(edit);
        EXPECT_EQ(edit->Text(), GetParam().text) << edit->objectName().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, PositionKeysTest,
    testing::Values(
        PositionKeyCase{"DigitsAreDiscarded", [](QWidget* w) { QTest::keyClicks(w, "57"); }, "0"},
        PositionKeyCase{"BackspaceDoesNotErase",
                        [](QWidget* w) {
                            QTest::keyClick(w, Qt::Key_End);
                            QTest::keyClick(w, Qt::Key_Backspace);
                        },
                        "0"},
        PositionKeyCase{"DeleteDoesNotErase",
                        [](QWidget* w) {
                            QTest::keyClick(w, Qt::Key_Home);
                            QTest::keyClick(w, Qt::Key_Delete);
                        },
                        "0"},
        PositionKeyCase{"PasteDoesNothing",
                        [](QWidget* w) {
                            QApplication::clipboard()->setText("42");
                            QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
                            QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
                        },
                        "0"},
        PositionKeyCase{"UpArrowSteps", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Up); }, "1"},
        PositionKeyCase{"DownArrowGoesBelowZero", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Down); }, "-1"},
        PositionKeyCase{"LongValuesShowInFull",
                        [](QWidget* w) {
                            for (int i = 0; i < 100; ++i)
                                QTest::keyClick(w, Qt::Key_Down);
                        },
                        "-100"}),
    [](const testing::TestParamInfo<PositionKeyCase>& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, DeleteInAPositionEditActsAsEnter)
{
    form->EnterPictureHeld();
    int key = Qt::Key_Delete;
    form->MargeHaut_EditKeyDown(key, Qt::NoModifier);
    EXPECT_EQ(key, Qt::Key_Return);
    key = Qt::Key_Up;
    form->MargeHaut_EditKeyDown(key, Qt::NoModifier);
    EXPECT_EQ(key, Qt::Key_Up);

    QSignalSpy committed(form->MargeGauche_Edit, &QAbstractSpinBox::editingFinished);
    form->MargeGauche_Edit->setFocus();
    QTest::keyClick(form->MargeGauche_Edit, Qt::Key_Delete);
    EXPECT_EQ(committed.count(), 1);
}

TEST_F(MainWindowTest, CopiesEditAppliesItsTextAndPutsBackOneWhenEmptied)
{
    plat::SpinEdit* copies = form->NBScanner_Edit;
    copies->setFocus();
    QTest::keyClick(copies, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(copies, "7");
    EXPECT_EQ(form->PrintDialog->Copies(), 7);

    QTest::keyClick(copies, Qt::Key_Backspace);
    EXPECT_EQ(copies->Text(), "1");
    EXPECT_EQ(form->PrintDialog->Copies(), 1);
}

TEST_F(MainWindowTest, AHandlerThatFailsShowsTheErrorBoxAndKeepsTheCopyCount)
{
    plat::SpinEdit* copies = form->NBScanner_Edit;
    copies->setFocus();
    QTest::keyClick(copies, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(copies, "3");
    ASSERT_EQ(form->PrintDialog->Copies(), 3);

    QString title, text, name;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    ModalProbe probe;
    probe.Arm([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        name = box->objectName();
        icon = box->icon();
    });
    QTest::keyClick(copies, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(copies, "+");

    ASSERT_TRUE(*probe.seen);
    EXPECT_EQ(name, plat::kErrorBoxName);
    EXPECT_EQ(title, "Vantric");
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(text, "'+' n'est pas une valeur entière correcte.");
    EXPECT_EQ(form->PrintDialog->Copies(), 3);
}

TEST_F(MainWindowTest, AnErrorEscapingAnyEventHandlerIsShownNotFatal)
{
    struct Faulty : QObject {
        bool event(QEvent* e) override
        {
            if (e->type() == QEvent::User)
                throw std::runtime_error("Panne du gestionnaire");
            return QObject::event(e);
        }
    } faulty;

    QString text;
    ModalProbe probe;
    probe.Arm([&](QWidget* w) { text = qobject_cast<QMessageBox*>(w) ? static_cast<QMessageBox*>(w)->text() : ""; });
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&faulty, &event);
    ASSERT_TRUE(*probe.seen);
    EXPECT_EQ(text, "Panne du gestionnaire.");
}

TEST_F(MainWindowTest, AProposShowsTheAboutBoxModally)
{
    QWidget* shown = nullptr;
    ModalProbe probe;
    probe.Arm([&](QWidget* w) { shown = w; });
    form->APropos1->trigger();
    ASSERT_TRUE(*probe.seen);
    EXPECT_EQ(shown, forms.APropos_Frm.get());
    EXPECT_FALSE(forms.APropos_Frm->isVisible());
}

TEST_F(MainWindowTest, QuitterClosesTheWindowAndEndsTheEventLoop)
{
    QTimer::singleShot(0, form->Quitter_Menu, &QAction::trigger);
    QTimer stuck;
    stuck.setSingleShot(true);
    QObject::connect(&stuck, &QTimer::timeout, [] { qApp->exit(99); });
    stuck.start(5000);
    EXPECT_EQ(qApp->exec(), 0);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(MainWindowTest, ThePreviewFollowsTheWindowSize)
{
    const QSize before = form->GmPreview1->size();
    form->resize(900, 700);
    QTest::qWait(20);
    const QSize after = form->GmPreview1->size();
    EXPECT_EQ(after - before, QSize(900 - 742, 700 - 621));
    EXPECT_EQ(Find("ToolBar1")->height(), 39);
}

TEST_F(MainWindowTest, AnInstalledPreviewTakesThePlaceholdersPlace)
{
    auto* preview = new QWidget;
    form->InstallPreviewWidget(preview);
    QTest::qWait(20);
    EXPECT_EQ(preview->parentWidget(), form->PreviewPanel);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_FALSE(form->GmPreview1->isVisible());
    EXPECT_EQ(preview->geometry(), form->PreviewPanel->contentsRect().marginsRemoved(QMargins(4, 4, 4, 4)));
}
