#pragma once
// The wizard a first-generation document runs on its conversion: a name for the one account
// the document gets, and the report section (Kind) of each category type of the user's own.

#include "ledger/CatDB.h"

#include <QDialog>

#include <map>
#include <string>
#include <vector>

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace qz::gui {

class TConvertWizard : public QDialog {
    Q_OBJECT
public:
    enum TPage { PageIntro = 0, PageAccount = 1, PageTypes = 2 };

    // The Kinds chosen are written into `types` only by Finish.
    TConvertWizard(TCatList& types, const std::string& accountName, QWidget* parent = nullptr);

    // Runs the wizard modally; false when cancelled, `types` and `accountName` then unchanged.
    static bool Run(QWidget* parent, TCatList& types, std::string& accountName);

    int Page() const;
    // The account name typed, trimmed.
    std::string AccountName() const;
    // The types of the user's own, as listed on the last page.
    const std::vector<TCatRec*>& CustomTypes() const { return Custom; }
    // The Kind chosen so far for a listed type; 0 for none.
    std::int16_t ChosenKind(const TCatRec* type) const;

public slots:
    void BackBtnClick();
    void NextBtnClick();
    void TypeSelected();
    void KindChosen(int kind);

private:
    QWidget* BuildIntroPage();
    QWidget* BuildAccountPage();
    QWidget* BuildTypesPage();
    QGroupBox* BuildKindBox(const QString& caption, const char* name,
                            const std::vector<std::pair<QString, std::int16_t>>& items, QButtonGroup*& group);
    void ShowPage(int page);
    void UpdateButtons();
    bool LastPage() const;
    bool AllTypesHaveKinds() const;
    TCatRec* SelectedType() const;
    void ShowKindOf(TCatRec* type);
    void Finish();

    std::vector<TCatRec*> Custom;
    std::map<const TCatRec*, std::int16_t> Kinds;
    QStackedWidget* Pages;
    QLineEdit* AccountEdit;
    QListWidget* TypesList;
    QGroupBox* IncomeBox;
    QGroupBox* ExpenseBox;
    QButtonGroup* IncomeKinds;
    QButtonGroup* ExpenseKinds;
    QPushButton* BackBtn;
    QPushButton* NextBtn;
    QPushButton* CancelBtn;
};

} // namespace qz::gui
