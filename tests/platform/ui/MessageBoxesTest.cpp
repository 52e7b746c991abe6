#include "ModalProbe.h"

#include "platform/core/Exceptions.h"
#include "platform/ui/CommandErrors.h"
#include "platform/ui/MessageBoxes.h"

#include "QtTestSupport.h"

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>

#include <new>
#include <vector>

namespace {

class RecordingPresenter : public plat::MessagePresenter {
public:
    explicit RecordingPresenter(std::vector<std::string>* errors) : m_errors(errors) {}
    void ShowMessage(const std::string& text) override { m_errors->push_back("message: " + text); }
    void ShowError(const std::string& text) override { m_errors->push_back(text); }

private:
    std::vector<std::string>* m_errors;
};

// Installs a presenter for one test and puts the previous one back.
class PresenterScope {
public:
    explicit PresenterScope(std::unique_ptr<plat::MessagePresenter> presenter)
        : m_previous(plat::InstallMessagePresenter(std::move(presenter))) {}
    ~PresenterScope() { plat::InstallMessagePresenter(std::move(m_previous)); }

private:
    std::unique_ptr<plat::MessagePresenter> m_previous;
};

struct BoxSeen {
    QString title, text, name;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QAbstractButton*> buttons;
    int okButtons = 0;
};

BoxSeen Inspect(QWidget* modal)
{
    BoxSeen seen;
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box)
        return seen;
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.name = box->objectName();
    seen.icon = box->icon();
    seen.buttons = box->buttons();
    seen.okButtons = box->button(QMessageBox::Ok) ? 1 : 0;
    return seen;
}

} // namespace

TEST(QtMessagePresenter, ShowErrorRunsTheVantricErrorBoxWithOneOkButton)
{
    BoxSeen seen;
    ModalProbe probe;
    probe.Arm([&](QWidget* w) { seen = Inspect(w); });
    plat::QtMessagePresenter().ShowError("Image bitmap incorrecte.");

    ASSERT_TRUE(*probe.seen);
    EXPECT_EQ(seen.name, plat::kErrorBoxName);
    EXPECT_EQ(seen.title, "Vantric");
    EXPECT_EQ(seen.text, "Image bitmap incorrecte.");
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons.size(), 1);
    EXPECT_EQ(seen.okButtons, 1);
}

TEST(QtMessagePresenter, ShowMessageRunsAPlainBoxAndKeepsMarkupAsText)
{
    BoxSeen seen;
    ModalProbe probe;
    probe.Arm([&](QWidget* w) { seen = Inspect(w); });
    plat::QtMessagePresenter().ShowMessage("<b>3</b> pages");

    ASSERT_TRUE(*probe.seen);
    EXPECT_EQ(seen.name, plat::kMessageBoxName);
    EXPECT_EQ(seen.title, "Vantric");
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.okButtons, 1);
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    EXPECT_EQ(box, nullptr) << "the box is gone once answered";
    EXPECT_EQ(seen.text, "<b>3</b> pages");
}

// What escapes a command, and the text the error box shows for it.
struct EscapedError {
    const char* name;
    std::function<void()> raise;
    std::string shown;
};
VANTRIC_PRINTS_NAME(EscapedError)

class CommandErrorsTest : public testing::TestWithParam<EscapedError> {};

TEST_P(CommandErrorsTest, ShowsTheMessageOnceAndEndsTheCommandWhereItWasRaised)
{
    std::vector<std::string> shown;
    PresenterScope scope(std::make_unique<RecordingPresenter>(&shown));
    bool stepAfterRan = false;

    const bool completed = plat::RunCommand([&] {
        GetParam().raise();
        stepAfterRan = true;
    });

    EXPECT_FALSE(completed);
    EXPECT_FALSE(stepAfterRan);
    EXPECT_EQ(shown, std::vector<std::string>{GetParam().shown});
}

INSTANTIATE_TEST_SUITE_P(
    Errors, CommandErrorsTest,
    testing::Values(
        EscapedError{"EngineMessageGetsAPeriod", [] { throw plat::EInvalidGraphic::BadBitmap(); },
                     "Image bitmap incorrecte."},
        EscapedError{"ConvertErrorOfTheCopiesEdit", [] { throw plat::EConvertError::NotAnInteger("+"); },
                     "'+' n'est pas une valeur entière correcte."},
        EscapedError{"ClosingParenthesisKeepsItsEnd",
                     [] { throw plat::EInvalidGraphic::UnknownExtension("xyz"); },
                     "Extension de fichier image inconnue (.xyz)"},
        EscapedError{"PrinterMessageEndsAsItIs",
                     [] { throw plat::Exception("Unable to print... No Printer available."); },
                     "Unable to print... No Printer available."},
        EscapedError{"StandardError", [] { throw std::runtime_error("disque plein"); }, "disque plein."},
        EscapedError{"OutOfMemory", [] { throw std::bad_alloc(); }, "Mémoire insuffisante."},
        EscapedError{"NotAnExceptionObject", [] { throw 42; }, "Exception inconnue."}),
    [](const testing::TestParamInfo<EscapedError>& info) { return std::string(info.param.name); });

TEST(CommandErrors, ACommandThatCompletesShowsNothing)
{
    std::vector<std::string> shown;
    PresenterScope scope(std::make_unique<RecordingPresenter>(&shown));
    int steps = 0;
    EXPECT_TRUE(plat::RunCommand([&] { ++steps; }));
    EXPECT_EQ(steps, 1);
    EXPECT_TRUE(shown.empty());
}

TEST(CommandErrors, AnErrorThatCannotBeShownDoesNotEscape)
{
    class FailingPresenter : public plat::MessagePresenter {
        void ShowMessage(const std::string&) override { throw std::bad_alloc(); }
        void ShowError(const std::string&) override { throw std::bad_alloc(); }
    };
    PresenterScope scope(std::make_unique<FailingPresenter>());
    EXPECT_FALSE(plat::RunCommand([] { throw plat::EReadError(); }));
}
