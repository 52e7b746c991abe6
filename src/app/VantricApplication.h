#pragma once
// The application object: title "Vantric", the bundled resources, the message boxes over Qt, and the
// last line of the error handling: an error escaping any event handler is shown in the error box
// instead of ending the program.

#include <QApplication>

class TVantricApplication : public QApplication {
    Q_OBJECT
public:
    TVantricApplication(int& argc, char** argv);
    ~TVantricApplication() override;

    bool notify(QObject* receiver, QEvent* event) override;
};
