#pragma once
// TPrintScreenDialog, "Print Screen": the worksheet's current tab printed as the user sees it.
// "&Layout" sets the orientation, font size, colour, gridlines, copies and page; "&Titles" the
// main title, the information text and the file line. The printout's lines are the core's
// (PrintScreenReport); this window gathers the choices and hands them to the print path.

#include "platform/Prompts.h"
#include "reports/PageSetup.h"
#include "reports/PrintScreenReport.h"

#include <QDialog>
#include <QPageLayout>

#include <functional>
#include <string>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace qz::gui {

struct TPrintScreenContext {
    const TWorksheet* Sheet = nullptr;
    Prompts* Ask = nullptr;
    std::string BusinessName;
    std::string BusinessNumber;
    std::string DocumentPath;
    std::string PrintedText; // the date and time after "Printed: "
    // The options store's boolean options (OptPrintFilename...).
    std::function<bool(int option)> ReadOption;
    std::function<void(int topic)> ShowHelp;
    // The page setup dialog; its own Execute when not given.
    std::function<bool(QWidget* parent, TSpecPageSetup& page)> PageSetup;
    // The preview, returning when it closes, and the printing of `copies`.
    std::function<void(QWidget* parent, const TReport& report, const QPageLayout& page)> Preview;
    std::function<bool(QWidget* parent, const TReport& report, const QPageLayout& page, int copies)> Print;
};

class TPrintScreenDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 21000;

    explicit TPrintScreenDialog(TPrintScreenContext context, QWidget* parent = nullptr);
    ~TPrintScreenDialog() override;

    // The printout as the dialog's choices lay it out on its page.
    TReport LayOut() const;
    TPrintScreenOptions Options() const;
    QPageLayout RunPage() const { return Page.PageLayout(); }

    QTabWidget* Pages = nullptr;
    QRadioButton* PortraitBtn = nullptr;
    QRadioButton* LandscapeBtn = nullptr;
    QRadioButton* SmallBtn = nullptr;
    QRadioButton* NormalBtn = nullptr;
    QRadioButton* LargeBtn = nullptr;
    QCheckBox* ColourSwitch = nullptr;
    QCheckBox* GridSwitch = nullptr;
    QSpinBox* CopiesBox = nullptr;
    QPushButton* MarginsBtn = nullptr;
    QLineEdit* TitleEdit = nullptr;
    QPlainTextEdit* InfoMemo = nullptr;
    QLineEdit* FileEdit = nullptr;
    QPushButton* PreviewBtn = nullptr;
    QPushButton* PrintBtn = nullptr;
    QPushButton* CloseBtn = nullptr;
    QPushButton* HelpBtn = nullptr;

public slots:
    // "P&rint Preview" (false) and "&Print" (true).
    void Run(bool print);
    void MarginsBtnClick();

protected:
    void reject() override;

private:
    QWidget* MakeLayoutPage();
    QWidget* MakeTitlesPage();
    void UpdatePictures();

    TPrintScreenContext Ctx;
    TSpecPageSetup Page;
    bool Running = false;
};

} // namespace qz::gui
