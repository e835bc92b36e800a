#pragma once
// TNewMainActForm, the category dialog ("New Category" / "Edit Category"): the number with its
// arrows stepping in hundreds, the name, the side (fixed once the category exists) and the
// category type of that side with the description of the default types. A new category's
// fields go back to the caller; an edited category is changed through the core by OK, which
// asks about a changed number and renumbers on Yes.

#include "edit/CategoryEdit.h"

#include <QDialog>

#include <functional>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace qz::gui {

class TNewMainActForm : public QDialog {
    Q_OBJECT
public:
    enum class TMode { New = 0, Edit = 1 };

    // `index`: the key index of the category to edit (ignored for a new one).
    TNewMainActForm(TEditContext& edit, TMode mode, std::int32_t index, QWidget* parent = nullptr);

    // EditCategory. New: true after OK with `fields` as entered. Edit: true after OK, when the
    // core has been asked to change the category; `outcome` says what became of it.
    static bool EditCategory(QWidget* parent, TEditContext& edit, TMode mode, std::int32_t index,
                             TCategoryFields& fields, TEditOutcome& outcome,
                             const std::function<void(int topic)>& showHelp = {});

    TCategoryFields Fields() const;
    const TEditOutcome& Outcome() const { return Result; }
    const TCategoryChanges& Changes() const { return Changed; }
    std::function<void(int topic)> ShowHelp;

public slots:
    void OKBtnClick();
    // The number box's arrows and its Up and Down keys.
    void StepNumber(bool down);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* MakeNumberRow();
    QWidget* MakeSideRow();
    void SideChosen(std::uint8_t side);
    void FillTypes(std::uint8_t side, std::int32_t chosenType);
    void TypeChosen();
    std::uint8_t Side() const;
    void ShowDown();
    void FocusField(TCategoryField field);

    TEditContext& Edit;
    TMode Mode;
    std::int32_t Index;
    bool Proposed = false;
    TEditOutcome Result;
    TCategoryChanges Changed;

    QLineEdit* NumberEdit = nullptr;
    QToolButton* NumberUpBtn = nullptr;
    QToolButton* NumberDownBtn = nullptr;
    QLineEdit* NameEdit = nullptr;
    QPushButton* CreditBtn = nullptr;
    QPushButton* DebitBtn = nullptr;
    QListWidget* CatListBox = nullptr;
    QPlainTextEdit* DescriptionBox = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
};

} // namespace qz::gui
