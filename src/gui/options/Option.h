#pragma once
// TOptions, the options window: the worksheet's appearance, the document's password and what it
// protects, the document's comments and company details, the general switches, and whether and
// how the document tracks GST or VAT. The window fills its controls from the core, gathers the
// user's edits and hands them to the core's ApplyOptions; the worksheet's appearance it applies
// to the grid itself.

#include "edit/OptionsApply.h"
#include "ledger/DisplayFormats.h"
#include "worksheet/GridInfo.h"
#include "worksheet/WorksheetHost.h"

#include <QDialog>
#include <QFont>

#include <array>
#include <functional>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabBar;

namespace qz::gui {

class TPercentBox;

// What the window works on: the document and its books, the user's options, the worksheet.
struct TOptionsContext {
    TLedger* Books = nullptr;
    TFileManager* Files = nullptr;
    TOptionsManager* Options = nullptr;
    Prompts* Ask = nullptr;
    const TDisplayFormats* Formats = nullptr;
    TColourClass Colours = TColourClass::TrueColour;
    std::function<bool(TAccessArea)> CheckAccess;
    // The worksheet's five column sets, the grid's outline colour and font as the options store
    // keeps them, and the main window's mark that the worksheet differs from the stored settings.
    std::array<TGridInfo, ViewCount>* Sets = nullptr;
    TGridProperties* GridProps = nullptr;
    bool* Customised = nullptr;
    int ActiveTab = 0;
    bool Gradients = true;
    // Gives the grid the outline colour and font of GridProps, lays it out and redraws it.
    std::function<void()> ApplyGridProperties;
    // Switches the grid's gradient fill.
    std::function<void(bool)> SetGradients;
    // Repaints the worksheet with the columns as they are.
    std::function<void()> RepaintWorksheet;
    std::function<void(int topic)> ShowHelp;
};

class TOptions : public QDialog {
    Q_OBJECT
public:
    enum TPage { WorksheetPage = 0, PasswordPage = 1, FilePage = 2, GeneralPage = 3, TaxPage = 4 };
    static constexpr int PageCount = 5;

    TOptions(TOptionsContext context, int page, QWidget* parent = nullptr);
    ~TOptions() override;

    // Runs the window modally: 0 after Cancel, else the result of OK (1, 2 or 3).
    int Run();
    const TOptionsOutcome& Outcome() const { return Result; }
    // The worksheet's columns, colour or font changed while the window was open.
    bool WorksheetChanged() const { return WorksheetTouched; }

    int Page() const;
    // A page chosen by the mouse or the arrow keys: the Worksheet and Password pages ask for the
    // password first. False when the page stays as it was.
    bool GoToPage(int page);
    // The edits as OK would hand them to the core.
    TOptionsEdit Gathered() const;

public slots:
    void OKBtnClick();
    void CancelBtnClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static std::string CommentsOf(const QString& shown);

    // OptionPages.cpp: the pages' controls.
    QWidget* MakeWorksheetPage();
    QWidget* MakePasswordPage();
    QWidget* MakeFilePage();
    QWidget* MakeGeneralPage();
    QWidget* MakeTaxPage();
    void FillPages();
    QWidget* FirstControl(int page) const;

    // OptionWorksheet.cpp: the worksheet page.
    void ShowWorksheetLook();
    void ReloadWorksheetLook();
    void OutlineColourClick();
    void ChangeFontClick();
    void BecomeCustomised();
    void WorksheetSetChosen();
    int ChosenSet() const;
    void ShowChosenSet(int set);
    void ApplyWorksheetSettings();
    void SaveUserSettingsClick();
    void SaveDefaultSettingsClick();
    void GradientsClick(bool on);
    void EditColumnsClick();

    // OptionTax.cpp: the password and GST / VAT pages.
    void ShowPasswordState();
    void PasswordBtnClick();
    void ClearPasswordClick();
    TTaxTracking ChosenTracking() const;
    void SelectTracking(TTaxTracking tracking);
    void TaxChosen(TTaxTracking tracking);
    void RelabelTax(TTaxTracking tracking);
    void ChangePercentClick();
    void RenameClick();

    TOptionsContext Ctx;
    TOptionsEdit Start;
    TOptionsOutcome Result;
    bool Loading = false;
    std::string PasswordCopy;
    bool CommentsEdited = false;
    bool TaxOffAgreed = false;
    bool WorksheetTouched = false;
    TColour OutlineColour = 0;
    QFont GridFont;
    int CurrentSet = 0;

    QTabBar* Tabs = nullptr;
    QStackedWidget* Pages = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    // Worksheet.
    QPushButton* OutlineColourBtn = nullptr;
    QLabel* FontBox = nullptr;
    QPushButton* ChangeFontBtn = nullptr;
    QGroupBox* SettingsGroup = nullptr;
    QButtonGroup* SettingsButtons = nullptr;
    QRadioButton* DefaultSetBtn = nullptr;
    QRadioButton* UserSetBtn = nullptr;
    QPushButton* SaveUserBtn = nullptr;
    QPushButton* ApplySettingsBtn = nullptr;
    QCheckBox* GradientsBox = nullptr;
    QPushButton* EditColumnsBtn = nullptr;
    QPushButton* SDOBtn = nullptr;
    // Password.
    QPushButton* PasswordBtn = nullptr;
    QPushButton* ClearPasswordBtn = nullptr;
    QGroupBox* ProtectGroup = nullptr;
    std::array<QCheckBox*, 7> ProtectBoxes{};
    // File.
    QPlainTextEdit* CommentsBox = nullptr;
    QLineEdit* BusinessNameEdit = nullptr;
    QLineEdit* BusinessNumberEdit = nullptr;
    // General.
    QCheckBox* OpeningBalancesBox = nullptr;
    std::array<QCheckBox*, OptionCount> OptionBoxes{};
    // GST / VAT.
    QRadioButton* NoTaxBtn = nullptr;
    QRadioButton* GstBtn = nullptr;
    QRadioButton* VatBtn = nullptr;
    QWidget* TaxControls = nullptr;
    QLabel* TaxPicture = nullptr;
    QLabel* PercentLabel = nullptr;
    TPercentBox* PercentBox = nullptr;
    QPushButton* ChangePercentBtn = nullptr;
    QLabel* CategoryCaption = nullptr;
    QLabel* CategoryLabel = nullptr;
    QPushButton* RenameBtn = nullptr;
    QLabel* OpeningLabel = nullptr;
    TPercentBox* OpeningBox = nullptr;
    QPushButton* NumberPadBtn = nullptr;
};

} // namespace qz::gui
