#include "FileDialogs.h"

#include <QFileDialog>
#include <QPointer>
#include <QRegularExpression>

namespace plat {

QStringList NameFiltersFromFilterText(const QString& filter)
{
    QStringList result;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(u';', u' ');
        if (description.endsWith(u'(' + patterns + u')'))
            result << description;
        else
            result << description + QStringLiteral(" (") + patterns + u')';
    }
    return result;
}

QFileDialog* FileDialog::CreateDialog(QWidget* parent) const
{
    auto* dialog = new QFileDialog(parent, Title, InitialDir);
    dialog->setAcceptMode(m_save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(m_save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Qt appends the suffix itself; a pattern form such as "*.bmp" names the same suffix.
    QString suffix = DefaultExt;
    suffix.remove(QRegularExpression(QStringLiteral("^\\*?\\.")));
    dialog->setDefaultSuffix(suffix);
    const QStringList filters = NameFiltersFromFilterText(Filter);
    dialog->setNameFilters(filters);
    if (FilterIndex >= 1 && FilterIndex <= filters.size())
        dialog->selectNameFilter(filters[FilterIndex - 1]);
    if (!FileName.isEmpty())
        dialog->selectFile(FileName);
    return dialog;
}

bool FileDialog::Execute(QWidget* parent)
{
    // The parent may go away while the dialog runs its own loop, taking the dialog with it.
    QPointer<QFileDialog> dialog(CreateDialog(parent));
    const bool accepted = dialog->exec() == QDialog::Accepted && dialog && !dialog->selectedFiles().isEmpty();
    if (accepted) {
        FileName = dialog->selectedFiles().first();
        FilterIndex = static_cast<int>(dialog->nameFilters().indexOf(dialog->selectedNameFilter())) + 1;
    }
    delete dialog.data();
    return accepted;
}

QFileDialog* SaveDialog::CreateDialog(QWidget* parent) const
{
    QFileDialog* dialog = FileDialog::CreateDialog(parent);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, !OverwritePrompt);
    dialog->setSizeGripEnabled(EnableSizing);
    return dialog;
}

} // namespace plat
