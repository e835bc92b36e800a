#pragma once
// A new file from an existing one: choose the existing file, name the new one, make it. The
// new file takes the existing file's categories, sub categories, groups, accounts and settings,
// and, as the user answers, its ending balances and unreconciled transactions.

#include "platform/FileDialogs.h"

#include "ledger/DateTime.h"

#include "platform/Clock.h"
#include "platform/Drives.h"
#include "platform/Prompts.h"
#include "storage/DocumentQuestions.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;

namespace qz {
class TFileConvert;
struct TEndingFigures;
} // namespace qz

namespace qz::gui {

// What the dialog works with. `Convert` writes the new file; no document may be open.
struct TNewFromExistingServices {
    Prompts* Ask = nullptr;
    DocumentQuestions* Questions = nullptr;
    const Clock* Time = nullptr;
    Drives* DriveInfo = nullptr;
    TFileConvert* Convert = nullptr;
    std::function<QString(const TFileDialogRequest&)> OpenDialog;
    std::function<void(int topic)> ShowHelp;
};

class TNewFromExDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 30000;

    // `folder`: where the open-file dialog starts.
    TNewFromExDlg(TNewFromExistingServices services, QString folder, QWidget* parent = nullptr);

    // After OK: the new document's full path.
    QString NewPath() const { return Made; }

    // The characters a file name cannot hold, dropped as they are typed.
    static QString WithoutForbidden(const QString& text);

public slots:
    void BrowseBtnClick();
    void MakeBtnClick();

private:
    // The checks of the existing file and the new name, in their order; the path of the new
    // file, or empty after telling the user what is wrong.
    QString CheckedNewPath();
    // The second step's answers applied to the figures; false when it was cancelled.
    bool AskWhatToTakeOver(TEndingFigures& figures, TDateTime& startDate);

    TNewFromExistingServices Services;
    QString Folder;
    QString Existing;
    QString Made;
    QLabel* ExistingLabel;
    QLineEdit* NameEdit;
};

} // namespace qz::gui
