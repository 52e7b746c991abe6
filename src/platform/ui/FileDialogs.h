#pragma once
// The open and save dialogs as configured objects: the window sets them up once and runs them when a
// command needs a file name. A filter is written as the class library writes it, pairs of description
// and patterns separated by "|": "Bitmaps (*.bmp)|*.bmp|Jpeg (*.jpg)|*.jpg".

#include <QString>
#include <QStringList>

class QFileDialog;
class QWidget;

namespace plat {

// Name filters for a Qt file dialog from a "|" filter. A description that already ends with its
// patterns in parentheses is kept as is; otherwise the patterns are added in parentheses.
QStringList NameFiltersFromFilterText(const QString& filter);

class FileDialog {
public:
    virtual ~FileDialog() = default;

    QString Filter;      // "|" form
    int FilterIndex = 1; // 1-based, as the class library counts
    QString DefaultExt;  // appended to a name typed without extension; "bmp" or "*.bmp"
    QString InitialDir;
    QString Title;       // empty: the platform's title
    QString FileName;    // the name chosen, or the name proposed before running

    // Runs the dialog modally; on OK sets FileName and FilterIndex and answers true.
    virtual bool Execute(QWidget* parent = nullptr);
    // The Qt dialog as configured, not yet shown (also what Execute runs).
    virtual QFileDialog* CreateDialog(QWidget* parent) const;

protected:
    explicit FileDialog(bool save) : m_save(save) {}

private:
    bool m_save;
};

class OpenDialog : public FileDialog {
public:
    OpenDialog() : FileDialog(false) {}
};

class SaveDialog : public FileDialog {
public:
    SaveDialog() : FileDialog(true) {}

    bool OverwritePrompt = false; // ask before replacing an existing file
    bool HideReadOnly = false;    // Qt's dialogs offer no read-only box; kept for the design
    bool EnableSizing = true;

    QFileDialog* CreateDialog(QWidget* parent) const override;
};

} // namespace plat
