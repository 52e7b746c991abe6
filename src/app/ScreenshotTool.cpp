// Renders the main window as it stands at start-up into a PNG, for the documentation.
// Usage: vantric_screenshot OUTPUT.png   (runs on any Qt platform, e.g. QT_QPA_PLATFORM=offscreen)

#include "Startup.h"
#include "VantricApplication.h"
#include "Vantric_Form.h"

#include <QEventLoop>
#include <QPixmap>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    TVantricApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fputs("usage: vantric_screenshot OUTPUT.png\n", stderr);
        return 2;
    }
    TVantricForms forms = CreateForms();
    forms.Vantric_Form->show();
    // Let the window lay itself out and paint once.
    QEventLoop settle;
    QTimer::singleShot(200, &settle, &QEventLoop::quit);
    settle.exec();
    const QPixmap shot = forms.Vantric_Form->grab();
    if (!shot.save(args[1], "PNG", 9)) {
        std::fprintf(stderr, "vantric_screenshot: cannot write %s\n", qPrintable(args[1]));
        return 1;
    }
    return 0;
}
