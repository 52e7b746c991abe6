#include "VantricApplication.h"

#include "AppResources.h"

#include "platform/ui/CommandErrors.h"
#include "platform/ui/MessageBoxes.h"

TVantricApplication::TVantricApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(plat::kApplicationTitle);
    InitVantricResources();
    setWindowIcon(VantricIcon(QStringLiteral("scanner")));
    plat::InstallMessagePresenter(std::make_unique<plat::QtMessagePresenter>());
}

TVantricApplication::~TVantricApplication()
{
    // The presenter's boxes need this object; messages after it go to standard error.
    plat::InstallMessagePresenter(nullptr);
}

bool TVantricApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        plat::ShowException(std::current_exception());
        return false;
    }
}
