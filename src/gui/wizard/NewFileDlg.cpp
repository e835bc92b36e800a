#include "NewFileDlg.h"

#include "platform/FileDialogs.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace qz::gui {

namespace {

constexpr int ChoiceColumn = 0;
constexpr int HintColumn = 1;

} // namespace

TNewFileDlg::TNewFileDlg(QWidget* parent, std::function<QString()> askSavePath, std::function<bool()> closeCurrent,
                         std::function<bool(const QString& path)> createBlank)
    : QDialog(parent), AskSavePath(std::move(askSavePath)), CloseCurrent(std::move(closeCurrent)),
      CreateBlank(std::move(createBlank)) {
    setWindowTitle(QStringLiteral("New File"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(14);
    layout->setVerticalSpacing(12);
    layout->setColumnStretch(HintColumn, 1);

    // The wizard and new-from-existing are offered once the caller hands them over
    // (SetWizard, SetFromExisting).
    WizardBtn =
        AddChoice(QStringLiteral("&File Wizard"),
                  QStringLiteral("Let the Quillmar Zudeduze file Wizard guide you through the setup of your file.  "
                                 "(recommended)"),
                  "FileWizardBtn", false);
    QPushButton* blank =
        AddChoice(QStringLiteral("&Blank File"), QStringLiteral("Create a file from scratch"), "BlankFileBtn", true);
    QPushButton* fromExisting =
        AddChoice(QStringLiteral("&From Existing File"),
                  QStringLiteral("Create a new file based on the account structure of an existing Quillmar Zudeduze "
                                 "file."),
                  "FromExistingBtn", false);
    connect(blank, &QPushButton::clicked, this, &TNewFileDlg::BlankFileBtnClick);
    connect(fromExisting, &QPushButton::clicked, this, &TNewFileDlg::FromExistingBtnClick);
    blank->setFocus();

    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("CloseBtn"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(close, Choices, HintColumn, Qt::AlignRight);
    setMinimumWidth(480);
}

QPushButton* TNewFileDlg::AddChoice(const QString& caption, const QString& hint, const char* name, bool enabled) {
    auto* layout = static_cast<QGridLayout*>(this->layout());
    const int row = Choices++;
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    button->setMinimumSize(140, 40);
    button->setAutoDefault(false);
    auto* text = new QLabel(hint, this);
    text->setWordWrap(true);
    text->setBuddy(button);
    button->setEnabled(enabled);
    text->setEnabled(enabled);
    layout->addWidget(button, row, ChoiceColumn);
    layout->addWidget(text, row, HintColumn);
    return button;
}

void TNewFileDlg::SetFromExisting(std::function<QString()> makeFromExisting) {
    MakeFromExisting = std::move(makeFromExisting);
    const bool offered = static_cast<bool>(MakeFromExisting);
    auto* button = findChild<QPushButton*>(QStringLiteral("FromExistingBtn"));
    button->setEnabled(offered);
    for (QLabel* label : findChildren<QLabel*>())
        if (label->buddy() == button)
            label->setEnabled(offered);
}

QString TNewFileDlg::DefaultAskSavePath(QWidget* parent, const QString& folder) {
    return RunFileDialog(
        parent, {QStringLiteral("Create New File"), folder, {QStringLiteral("Quillmar Zudeduze file (*.kqk)")}}, true);
}

void TNewFileDlg::SetWizard(std::function<QString()> runWizard) {
    RunWizard = std::move(runWizard);
    WizardBtn->setEnabled(true);
    for (QLabel* label : findChildren<QLabel*>())
        if (label->buddy() == WizardBtn)
            label->setEnabled(true);
    connect(WizardBtn, &QPushButton::clicked, this, &TNewFileDlg::FileWizardBtnClick, Qt::UniqueConnection);
    WizardBtn->setFocus();
}

void TNewFileDlg::FileWizardBtnClick() {
    if (!RunWizard)
        return;
    // The open document goes before the wizard shows: cancelling the wizard leaves none open.
    if (!CloseCurrent())
        return;
    const QString path = RunWizard();
    if (path.isEmpty())
        return;
    Path = path;
    MadeFromExisting = false;
    accept();
}

void TNewFileDlg::BlankFileBtnClick() {
    const QString path = AskSavePath();
    if (path.isEmpty())
        return;
    // The open document goes only once the new file's place is known; an abandoned close
    // keeps it and creates nothing.
    if (!CloseCurrent())
        return;
    if (!CreateBlank(path))
        return;
    Path = path;
    MadeFromExisting = false;
    accept();
}

void TNewFileDlg::FromExistingBtnClick() {
    if (!MakeFromExisting)
        return;
    // Closed before the dialogs show: cancelling them leaves no document open.
    if (!CloseCurrent())
        return;
    const QString path = MakeFromExisting();
    if (path.isEmpty())
        return;
    Path = path;
    MadeFromExisting = true;
    accept();
}

} // namespace qz::gui
