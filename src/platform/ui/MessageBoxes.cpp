#include "MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace plat {

namespace {

QMessageBox* CreateBox(const QString& name, QMessageBox::Icon icon, const QString& text, QWidget* parent)
{
    auto* box = new QMessageBox(icon, kApplicationTitle, text, QMessageBox::Ok, parent);
    box->setObjectName(name);
    box->setDefaultButton(QMessageBox::Ok);
    box->setEscapeButton(QMessageBox::Ok);
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    return box;
}

void RunModal(QMessageBox* box)
{
    box->setWindowModality(Qt::ApplicationModal);
    box->setAttribute(Qt::WA_DeleteOnClose, false);
    // The parent may go away while the box runs its own loop, taking the box with it.
    QPointer<QMessageBox> guard(box);
    box->exec();
    delete guard.data();
}

} // namespace

QMessageBox* CreateMessageBox(const QString& text, QWidget* parent)
{
    return CreateBox(kMessageBoxName, QMessageBox::NoIcon, text, parent);
}

QMessageBox* CreateErrorBox(const QString& text, QWidget* parent)
{
    return CreateBox(kErrorBoxName, QMessageBox::Critical, text, parent);
}

void QtMessagePresenter::ShowMessage(const std::string& text)
{
    RunModal(CreateMessageBox(QString::fromStdString(text), QApplication::activeWindow()));
}

void QtMessagePresenter::ShowError(const std::string& text)
{
    RunModal(CreateErrorBox(QString::fromStdString(text), QApplication::activeWindow()));
}

} // namespace plat
