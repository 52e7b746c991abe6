#pragma once
// The program's message boxes over Qt. Both are application-modal, carry one OK button and are named so
// that a test can find the box on screen and close it.

#include "platform/core/MessagePresenter.h"

#include <QString>

class QMessageBox;
class QWidget;

namespace plat {

// Title of every box the program shows: the application title.
inline const QString kApplicationTitle = QStringLiteral("Vantric");

// Object names of the two boxes.
inline const QString kMessageBoxName = QStringLiteral("Vantric_MessageBox");
inline const QString kErrorBoxName = QStringLiteral("Vantric_ErrorBox");

// A plain box: application title, no icon, OK. The caller runs or shows it; it deletes itself on close.
QMessageBox* CreateMessageBox(const QString& text, QWidget* parent = nullptr);
// The error box: application title, error icon, OK. Text is shown as given.
QMessageBox* CreateErrorBox(const QString& text, QWidget* parent = nullptr);

// Shows the boxes modally over the active window, waiting until the user closes them.
class QtMessagePresenter : public MessagePresenter {
public:
    void ShowMessage(const std::string& text) override;
    void ShowError(const std::string& text) override;
};

} // namespace plat
