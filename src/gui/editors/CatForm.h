#pragma once
// TCatForm, the category types editor: the types of one side (credit or debit) by name, the
// default ones marked with a picture, and New, Edit and Delete through the core's operations.
// Every change reaches the document at once; "&Close" undoes nothing.

#include "ListEditor.h"

class QLabel;
class QListWidget;

namespace qz::gui {

class TCatForm : public TListEditor {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 7000;

    // `typeIndex`: key index of the type to choose (on its side), -1 for the credit side's first.
    TCatForm(TEditContext& edit, std::int32_t typeIndex, ShowHelpFn showHelp = {}, QWidget* parent = nullptr);

    // Runs the editor modally and answers what it changed (the deleted rows are rows of the
    // Quick Summary worksheet).
    static TListEditorOutcome OpenCategoryTypes(QWidget* parent, TEditContext& edit, std::int32_t typeIndex,
                                                const ShowHelpFn& showHelp = {});

    std::uint8_t Side() const { return ShownSide; }
    // The key index of the chosen type; -1 when none.
    std::int32_t ChosenIndex() const;

public slots:
    void NewBtnClick() override;
    void EditBtnClick() override;
    void DeleteBtnClick() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowSide(std::uint8_t side, std::int16_t chooseNumber = -1);
    void ChooseNumber(std::int16_t number);
    void ChosenChanged();
    // Takes an operation's answer (TListEditor::Note) and shows the list as the lists now hold it.
    void Take(const TEditOutcome& outcome, std::int16_t chooseNumber, std::int32_t deletedRow = -1);

    std::uint8_t ShownSide = SideCredit;

    QPushButton* CreditBtn;
    QPushButton* DebitBtn;
    QListWidget* TypeList;
    QLabel* DefaultPicture;
};

} // namespace qz::gui
