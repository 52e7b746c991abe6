#pragma once
// An integer spin edit whose text can be read and written as the user sees it, including the texts
// in between two values (empty, a lone sign, a number out of range) that Qt's spin box keeps to itself.

#include <QSpinBox>

class QLineEdit;

namespace plat {

class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent = nullptr);

    // The edit inside: its textChanged reports every change of the text.
    QLineEdit* Editor() const { return lineEdit(); }
    QString Text() const;
    void SetText(const QString& text);
};

} // namespace plat
