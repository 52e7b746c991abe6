#pragma once
// Waits for the next modal window (a message box, a dialog) that the code under test opens, lets the test
// look at it and answers it, so that code running a nested loop returns.

#include <QApplication>
#include <QDialog>
#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>

#include <functional>
#include <memory>

struct ModalProbe {
    // Set once the modal window was seen and answered.
    std::shared_ptr<bool> seen = std::make_shared<bool>(false);

    // inspect runs while the window is open; answer closes it (by default: OK for a box, reject otherwise).
    void Arm(std::function<void(QWidget*)> inspect, std::function<void(QWidget*)> answer = {})
    {
        auto* timer = new QTimer;
        timer->setInterval(5);
        auto deadline = std::make_shared<int>(2000); // 10 s
        QObject::connect(timer, &QTimer::timeout, [timer, deadline, inspect, answer, flag = seen] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible()) {
                if (--*deadline <= 0)
                    timer->deleteLater();
                return;
            }
            timer->stop();
            timer->deleteLater();
            if (inspect)
                inspect(modal);
            *flag = true;
            if (answer)
                answer(modal);
            else if (auto* box = qobject_cast<QMessageBox*>(modal))
                box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
            else if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
        });
        timer->start();
    }
};
