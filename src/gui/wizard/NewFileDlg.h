#pragma once
// The New File dialog: a new document from the wizard, blank, or from an existing document.
// The steps that touch files and the main window come in as functions, so that the order of
// asking, closing and creating is the dialog's own and can be tried without either.

#include <QDialog>

#include <functional>

class QPushButton;

namespace qz::gui {

class TNewFileDlg : public QDialog {
    Q_OBJECT
public:
    // `askSavePath`: the "Create New File" save dialog; empty when cancelled.
    // `closeCurrent`: the main window's close step; false when the close was abandoned.
    // `createBlank`: creates and opens a blank document at the path; false when that failed.
    TNewFileDlg(QWidget* parent, std::function<QString()> askSavePath, std::function<bool()> closeCurrent,
                std::function<bool(const QString& path)> createBlank);

    // The save dialog of a blank file, starting in `folder`; ".kqk" is added to a name typed
    // without an extension.
    static QString DefaultAskSavePath(QWidget* parent, const QString& folder);

    // Offers "&File Wizard": `runWizard` runs it and answers the new document's path, empty
    // when it was cancelled. The open document is closed before the wizard shows.
    void SetWizard(std::function<QString()> runWizard);
    // "&From Existing File": runs the new-from-existing dialogs once the open document is
    // closed and answers the new document's path, empty when none was made. The choice is
    // offered only when this is given.
    void SetFromExisting(std::function<QString()> makeFromExisting);

    // After OK: the new document's path, and whether it was made from an existing one.
    QString FileName() const { return Path; }
    bool FromExisting() const { return MadeFromExisting; }

public slots:
    void BlankFileBtnClick();
    void FileWizardBtnClick();
    void FromExistingBtnClick();

private:
    QPushButton* AddChoice(const QString& caption, const QString& hint, const char* name, bool enabled);

    std::function<QString()> AskSavePath;
    std::function<bool()> CloseCurrent;
    std::function<bool(const QString&)> CreateBlank;
    std::function<QString()> RunWizard;
    QPushButton* WizardBtn = nullptr;
    std::function<QString()> MakeFromExisting;
    QString Path;
    bool MadeFromExisting = false;
    int Choices = 0;
};

} // namespace qz::gui
