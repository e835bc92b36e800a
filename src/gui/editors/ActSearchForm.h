#pragma once
// TActSearchForm, the category search: main categories or sub categories of one side whose
// name, or number, begins with the text typed; "&Display Category" hands the one chosen to
// the caller (the category editor, the main window's "&Find a Category").

#include "edit/Selections.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QToolButton;

namespace qz::gui {

class TActSearchForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 8000;
    using ShowHelpFn = std::function<void(int topic)>;

    // `subCategories`: start on "&Sub Category" rather than "&Main Category".
    TActSearchForm(const TLedger& ledger, bool subCategories, ShowHelpFn showHelp = {}, QWidget* parent = nullptr);

    // Runs the search modally. After "&Display Category" (or a double-click on a result) the
    // record found: a category (IsCategory, Index its key index in the categories) or a sub
    // category (Index its key index in the sub categories); nothing after "&Close".
    static std::optional<TCategoryHit> FindCategory(QWidget* parent, const TLedger& ledger, bool subCategories,
                                                    const ShowHelpFn& showHelp = {});

    std::optional<TCategoryHit> Found() const { return Result; }

public slots:
    void DisplayBtnClick();
    void ResetBtnClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TCategorySearch Search() const;
    // Refills the results for the text and the toggles; the result is cleared.
    void Refill();
    void ModeChanged();
    void ChosenChanged();

    const TLedger& Ledger;
    ShowHelpFn Help;
    std::vector<TCategoryHit> Hits;
    std::optional<TCategoryHit> Result;

    QLineEdit* SearchSrc;
    QToolButton* PadBtn;
    QRadioButton* MainBtn;
    QRadioButton* SubBtn;
    QRadioButton* CreditBtn;
    QRadioButton* DebitBtn;
    QRadioButton* NameBtn;
    QRadioButton* NumberBtn;
    QTreeWidget* FoundList;
    QPushButton* DisplayBtn;
};

} // namespace qz::gui
