#pragma once
// TCatForm, the category types editor: the types of one side (credit or debit) by name, the
// default ones marked with a picture, and New, Edit and Delete through the core's operations.
// Every change reaches the document at once; "&Close" undoes nothing.

#include "edit/EditContext.h"

#include <QDialog>

#include <functional>
#include <set>

class QLabel;
class QListWidget;
class QPushButton;

namespace qz::gui {

class TCatForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 7000;
    using ShowHelpFn = std::function<void(int topic)>;

    // `typeIndex`: key index of the type to choose (on its side), -1 for the credit side's first.
    // `firstVisibleRow`: the first row the Quick Summary worksheet shows.
    TCatForm(TEditContext& edit, std::int32_t typeIndex, std::int32_t firstVisibleRow, ShowHelpFn showHelp = {},
             QWidget* parent = nullptr);

    // Runs the editor modally. Answers whether anything changed; ORs what the main window must
    // recalculate into `refresh` and sets `deletedAbove` to the number of deleted types that lay
    // above `firstVisibleRow` of the Quick Summary.
    static bool OpenCategoryTypes(QWidget* parent, TEditContext& edit, std::int32_t typeIndex,
                                  std::int32_t firstVisibleRow, std::uint16_t& refresh, std::int32_t& deletedAbove,
                                  const ShowHelpFn& showHelp = {});

    bool Changed() const { return AnyChange; }
    std::uint16_t Refresh() const { return RefreshFlags; }
    std::int32_t DeletedAbove() const { return DeletedAboveCount; }
    std::uint8_t Side() const { return ShownSide; }
    // The key index of the chosen type; -1 when none.
    std::int32_t ChosenIndex() const;

public slots:
    void NewBtnClick();
    void EditBtnClick();
    void DeleteBtnClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowSide(std::uint8_t side, std::int16_t chooseNumber = -1);
    void ChooseNumber(std::int16_t number);
    void ChosenChanged();
    // Takes an operation's answer: its refresh flags, and the list as the lists now hold it.
    void Take(const TEditOutcome& outcome, std::int16_t chooseNumber);

    TEditContext& Edit;
    ShowHelpFn Help;
    std::uint8_t ShownSide = SideCredit;
    bool AnyChange = false;
    std::uint16_t RefreshFlags = RefreshNone;
    std::int32_t DeletedAboveCount = 0;
    // Numbers of the types shown above the worksheet's first visible row when the editor opened.
    std::set<std::int16_t> AboveFirstRow;

    QPushButton* CreditBtn;
    QPushButton* DebitBtn;
    QListWidget* TypeList;
    QLabel* DefaultPicture;
    QPushButton* NewBtn;
    QPushButton* EditBtn;
    QPushButton* DeleteBtn;
};

} // namespace qz::gui
