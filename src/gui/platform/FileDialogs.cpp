#include "FileDialogs.h"

#include <QFileDialog>
#include <QRegularExpression>

#include <algorithm>

namespace qz::gui {

namespace {

// "Transactions as QIF (*.qif)" -> "qif"; "" for a filter of every file.
QString ExtensionOf(const QString& filter) {
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace

QString RunFileDialog(QWidget* parent, const TFileDialogRequest& request, bool save) {
    QFileDialog dialog(parent, request.Title, request.Folder);
    dialog.setNameFilters(request.Filters);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save) {
        dialog.setDefaultSuffix(QStringLiteral("kqk"));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog](const QString& filter) { dialog.setDefaultSuffix(ExtensionOf(filter)); });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    if (request.ChosenFilter)
        *request.ChosenFilter = std::max(0, static_cast<int>(request.Filters.indexOf(dialog.selectedNameFilter())));
    return dialog.selectedFiles().constFirst();
}

} // namespace qz::gui
