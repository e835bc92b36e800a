#include "NewFromExist.h"

#include "NewFromExistB.h"
#include "controls/HelpContext.h"
#include "ledger/DateTime.h"
#include "storage/EndingFigures.h"
#include "storage/FileConvert.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace qz::gui {

namespace {

constexpr int StepColumn = 0;
constexpr int TextColumn = 1;

QLabel* StepNumber(const QString& number, QWidget* parent) {
    auto* label = new QLabel(number, parent);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 2.2);
    font.setBold(true);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: #1D5C4B"));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setMinimumWidth(36);
    return label;
}

} // namespace

TNewFromExDlg::TNewFromExDlg(TNewFromExistingServices services, QString folder, QWidget* parent)
    : QDialog(parent), Services(std::move(services)), Folder(std::move(folder)) {
    setWindowTitle(QStringLiteral("New File from Exitsing File"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    SetHelpContext(this, HelpTopic);
    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(12);
    layout->setVerticalSpacing(14);
    layout->setColumnStretch(TextColumn, 1);

    // Step 1: the existing file.
    auto* browseText = new QLabel(QStringLiteral("Click the 'Browse' button to select your existing file"), this);
    auto* browse = new QPushButton(QStringLiteral("Browse..."), this);
    browse->setObjectName(QStringLiteral("BrowseBtn"));
    browse->setAutoDefault(false);
    ExistingLabel = new QLabel(this);
    ExistingLabel->setObjectName(QStringLiteral("ExistingLabel"));
    ExistingLabel->setFrameShape(QFrame::StyledPanel);
    ExistingLabel->setMinimumHeight(browse->sizeHint().height());
    auto* browseRow = new QHBoxLayout;
    browseRow->addWidget(browse);
    browseRow->addWidget(ExistingLabel, 1);
    auto* step1 = new QVBoxLayout;
    step1->addWidget(browseText);
    step1->addLayout(browseRow);
    layout->addWidget(StepNumber(QStringLiteral("1"), this), 0, StepColumn);
    layout->addLayout(step1, 0, TextColumn);

    // Step 2: the new file's name.
    auto* nameText = new QLabel(QStringLiteral("Type in a name for your new file"), this);
    NameEdit = new QLineEdit(this);
    NameEdit->setObjectName(QStringLiteral("NameEdit"));
    nameText->setBuddy(NameEdit);
    auto* step2 = new QVBoxLayout;
    step2->addWidget(nameText);
    step2->addWidget(NameEdit);
    layout->addWidget(StepNumber(QStringLiteral("2"), this), 1, StepColumn);
    layout->addLayout(step2, 1, TextColumn);

    // Step 3: make it.
    auto* make = new QPushButton(QStringLiteral("Make New File"), this);
    make->setObjectName(QStringLiteral("MakeBtn"));
    make->setMinimumHeight(36);
    make->setAutoDefault(false);
    layout->addWidget(StepNumber(QStringLiteral("3"), this), 2, StepColumn);
    layout->addWidget(make, 2, TextColumn, Qt::AlignLeft);

    auto* help = new QPushButton(QStringLiteral("&Help"), this);
    help->setObjectName(QStringLiteral("HelpBtn"));
    help->setAutoDefault(false);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 3, StepColumn, 1, 2);

    connect(browse, &QPushButton::clicked, this, &TNewFromExDlg::BrowseBtnClick);
    connect(make, &QPushButton::clicked, this, &TNewFromExDlg::MakeBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] {
        if (Services.ShowHelp)
            Services.ShowHelp(HelpTopic);
    });
    connect(NameEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString kept = WithoutForbidden(text);
        if (kept == text)
            return;
        const int cursor = NameEdit->cursorPosition() - static_cast<int>(text.size() - kept.size());
        NameEdit->setText(kept);
        NameEdit->setCursorPosition(std::max(0, cursor));
    });
    setMinimumWidth(480);
    browse->setFocus();
}

QString TNewFromExDlg::WithoutForbidden(const QString& text) {
    static const QString forbidden = QStringLiteral("\"*./:<>?\\|");
    QString kept;
    for (const QChar c : text)
        if (!forbidden.contains(c))
            kept += c;
    return kept;
}

void TNewFromExDlg::BrowseBtnClick() {
    if (!Services.OpenDialog)
        return;
    const QString chosen = Services.OpenDialog({QStringLiteral("Open file"),
                                                Existing.isEmpty() ? Folder : QFileInfo(Existing).absolutePath(),
                                                {QStringLiteral("Quillmar Zudeduze files (*.kqk)")}});
    if (chosen.isEmpty())
        return;
    Existing = chosen;
    ExistingLabel->setText(QFileInfo(chosen).fileName());
    ExistingLabel->setToolTip(chosen);
}

QString TNewFromExDlg::CheckedNewPath() {
    Prompts& ask = *Services.Ask;
    if (Existing.isEmpty() || !QFileInfo(Existing).isFile()) {
        ask.MessageBox("Unable to find the Existing file you have chosen.  Use the 'Browse...' button to help you "
                       "locate a file.",
                       MsgKind::Warning, MsgButtons::Ok);
        return {};
    }
    const QString name = NameEdit->text().trimmed();
    if (name.isEmpty()) {
        ask.MessageBox("The New filename you have chosen is not valid.  Please enter a new filename.", MsgKind::Warning,
                       MsgButtons::Ok);
        NameEdit->setFocus();
        return {};
    }
    const QString path = QDir(QFileInfo(Existing).absolutePath()).filePath(name + QStringLiteral(".kqk"));
    // A name that exists in any form (a file, a folder, a dangling link) is in use: the new
    // file would replace it.
    if (QFileInfo(path).exists() || QFileInfo(path).isSymLink()) {
        ask.MessageBox("The New filename you have chosen is already in use.  Please enter a different new filename.",
                       MsgKind::Warning, MsgButtons::Ok);
        NameEdit->setFocus();
        return {};
    }
    return path;
}

bool TNewFromExDlg::AskWhatToTakeOver(TEndingFigures& figures, TDateTime& startDate) {
    const CalendarDate today = DecodeDate(Services.Time->Today());
    TfmNewFromExistB details(QDate(today.Year, today.Month, today.Day), this);
    if (details.exec() != QDialog::Accepted)
        return false;
    const QDate start = details.StartDate();
    startDate = EncodeDate(start.year(), start.month(), start.day());
    figures.KeepOnly(details.TransferGst(), details.TransferBalances(), details.CopyUnreconciled());
    return true;
}

void TNewFromExDlg::MakeBtnClick() {
    const QString path = CheckedNewPath();
    if (path.isEmpty())
        return;
    TEndingFigures figures;
    const TEndingRead read =
        ReadEndingFigures(Existing.toStdString(), *Services.Ask, *Services.Questions, *Services.Time, figures,
                          Services.DriveInfo ? *Services.DriveInfo : Drives::System());
    if (read == TEndingRead::NotADocument)
        Services.Ask->MessageBox("The existing file you have selected is not a valid Quillmar Zudeduze file",
                                 MsgKind::Warning, MsgButtons::Ok);
    if (read != TEndingRead::Read)
        return;
    TDateTime startDate = 0;
    if (!AskWhatToTakeOver(figures, startDate)) {
        reject();
        return;
    }
    if (!Services.Convert->NewFromExisting(path.toStdString(), Existing.toStdString(), figures.Unreconciled,
                                           figures.Balances, figures.GstBalance, startDate)) {
        reject();
        return;
    }
    Made = path;
    accept();
}

} // namespace qz::gui
