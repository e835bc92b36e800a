#include "FileDialogs.h"

#include <QFileDialog>

namespace qz::gui {

QString RunFileDialog(QWidget* parent, const TFileDialogRequest& request, bool save) {
    QFileDialog dialog(parent, request.Title, request.Folder);
    dialog.setNameFilters(request.Filters);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save)
        dialog.setDefaultSuffix(QStringLiteral("kqk"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace qz::gui
