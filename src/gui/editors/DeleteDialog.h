#pragma once
// TDeleteDialog, the second question before a deletion that cannot be undone: its "Delete" works
// only while the Ctrl key is held down, so a hurried Enter or click never deletes.
// TQtEditDialogs hands it to the core's editing operations.

#include "edit/EditContext.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace qz::gui {

class TDeleteDialog : public QDialog {
    Q_OBJECT
public:
    explicit TDeleteDialog(QWidget* parent = nullptr);
    ~TDeleteDialog() override;

    // Runs the dialog modally: true for "Delete".
    static bool ConfirmDelete(QWidget* parent);

    bool CtrlHeld() const { return Held; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void SetHeld(bool held);

    QPushButton* DeleteBtn;
    QPushButton* CancelBtn;
    QLabel* Mark;
    bool Held = false;
};

class TQtEditDialogs : public TEditDialogs {
public:
    explicit TQtEditDialogs(QWidget* parent = nullptr) : Parent(parent) {}
    void SetParent(QWidget* parent) { Parent = parent; }
    bool ConfirmDelete() override { return TDeleteDialog::ConfirmDelete(Parent); }

private:
    QWidget* Parent;
};

} // namespace qz::gui
