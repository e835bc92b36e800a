#pragma once
// TFileWizard, the New File Wizard: six pages that build a starter set of categories, sub
// categories and accounts from the template file and the user's choices (business details;
// categories; types for the user's own categories; sub categories; accounts; the file's name),
// each with numbered help buttons that show a page of the "Wizard Files" folder in the help
// panel. Finish hands the choices to the core, which writes the new document.

#include "ledger/DisplayFormats.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "wizard/StarterSet.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTextBrowser;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace qz::gui {

class TMain;
class TWizardList;
class TWizardTree;

struct TFileWizardContext {
    Prompts* Ask = nullptr;
    std::string InstallDir; // the documents go to its "Bookkeeping Files"
    std::string WizardFilesDir;
    TDateTime Today = 0;
    TDisplayFormats Formats;
    // Creates the document at the path from the choices; false when that failed (and was told).
    std::function<bool(const std::string& path, const TStarterSet& set)> Create;
    // The account editor; the real dialog when empty (tests may answer it).
    std::function<bool(QWidget* parent, bool isNew, TAccountFields& fields)> EditAccount;
};

// The wizard as the main window runs it: the installation folder's files, today, the
// regional money format, and Finish through the window's file manager.
TFileWizardContext FileWizardContext(TMain& main, Prompts& ask, const Clock& clock, const RegionalSettings& regional);

class TFileWizard : public QDialog {
    Q_OBJECT
public:
    static constexpr int PageCount = 6;

    TFileWizard(TFileWizardContext context, QWidget* parent = nullptr);

    // Modal: the new document's full path, or empty when cancelled.
    static QString Run(QWidget* parent, TFileWizardContext context);
    QString FileName() const { return Path; }

    int Page() const { return Current; }
    void ShowPage(int page);
    // The choices as they stand (the tests read them).
    const TWizardChoices& Choices() const { return Categories; }

public slots:
    void BackBtnClick();
    void NextBtnClick();

private:
    // Building the pages.
    QWidget* BusinessPage();
    QWidget* CategoriesPage();
    QWidget* TypesPage();
    QWidget* SubCategoriesPage();
    QWidget* AccountsPage();
    QWidget* FileNamePage();
    QToolButton* HelpButton(int page, int number);
    void ShowHelp(int page, int number);
    void UpdateButtons();
    void EnterPage(int page);

    // Page 2.
    std::uint8_t ShownSide() const;
    void FillTemplateList();
    void FillSelectedTree();
    void ShowTemplateDescription();
    void SelectHighlighted();
    void ReturnDropped();
    void NewCategoryClick();
    void RemoveCategoryClick();
    void ClearCategoriesClick();
    void RenameCategoryClick();
    void CategoryEdited(QTreeWidgetItem* item);
    // Page 3.
    std::uint8_t TypesSide() const;
    void EnterTypesPage();
    void FillTypeLists();
    void ShowTypeArrow();
    void AddTypeClick();
    void RemoveTypeClick();
    // Page 4.
    void FillSubTree();
    void NewSubClick();
    void RenameSubClick();
    void RemoveSubClick();
    void SubEdited(QTreeWidgetItem* item);
    bool LeaveSubsForward();
    bool LeaveSubsBack();
    // Page 5.
    void FillAccounts();
    bool EditAccountEntry(bool isNew, TAccountFields& fields, int except);
    void NewAccountClick();
    void EditAccountClick();
    void DeleteAccountClick();
    // Page 6.
    void FileNameEdited(const QString& text);
    void ShowSummary();
    void Finish();

    QString RootCaption() const;

    TFileWizardContext Context;
    TWizardChoices Categories;
    std::vector<TStarterCategory> Starters;
    bool SubsChanged = false;
    std::vector<TAccountFields> Accounts;
    int Current = 0;
    QString Path;
    bool Filling = false; // trees being filled: their item changes are not the user's

    QStackedWidget* Pages;
    QTextBrowser* HelpPanel;
    std::vector<std::vector<QToolButton*>> HelpButtons;
    QPushButton* BackBtn;
    QPushButton* NextBtn;
    QPushButton* CancelBtn;
    // Page 1.
    QLineEdit* NameEdit;
    QLineEdit* NumberEdit;
    // Page 2.
    QRadioButton* CreditBtn;
    QRadioButton* DebitBtn;
    TWizardList* TemplateList;
    QLabel* DescriptionLabel;
    TWizardTree* SelectedTree;
    // Page 3.
    QRadioButton* TypesCreditBtn;
    QRadioButton* TypesDebitBtn;
    QListWidget* UntypedList;
    QListWidget* TypeList;
    QLabel* TypeArrow;
    QPushButton* AddTypeBtn;
    QTreeWidget* TypedList;
    QPushButton* RemoveTypeBtn;
    // Page 4.
    QTreeWidget* SubTree;
    // Page 5.
    QTreeWidget* AccountList;
    // Page 6.
    QLineEdit* FileNameEdit;
    QLabel* SummaryLabel;
};

} // namespace qz::gui
