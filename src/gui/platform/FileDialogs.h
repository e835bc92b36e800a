#pragma once
// The common open and save dialogs, asked for by what they must show.

#include <QString>
#include <QStringList>

class QWidget;

namespace qz::gui {

// A common file dialog's request; the answer is the chosen path, or empty for Cancel.
struct TFileDialogRequest {
    QString Title;
    QString Folder;
    QStringList Filters; // "Quillmar Zudeduze files (*.kqk)" ...
    // When given, receives the index in Filters of the filter the user left the dialog with.
    int* ChosenFilter = nullptr;
};

// Runs the dialog. A save dialog adds the chosen filter's extension (".kqk" for the document's
// own type) to a name typed without one.
QString RunFileDialog(QWidget* parent, const TFileDialogRequest& request, bool save);

} // namespace qz::gui
