#include "SpinEdit.h"

#include <QLineEdit>

namespace plat {

SpinEdit::SpinEdit(QWidget* parent) : QSpinBox(parent) {}

QString SpinEdit::Text() const
{
    return lineEdit()->text();
}

void SpinEdit::SetText(const QString& text)
{
    lineEdit()->setText(text);
}

} // namespace plat
