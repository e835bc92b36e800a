#include "NewFromExistB.h"

#include "controls/DateBox.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace qz::gui {

namespace {

constexpr int QuestionColumn = 0;
constexpr int YesColumn = 1;
constexpr int NoColumn = 2;

} // namespace

TfmNewFromExistB::TfmNewFromExistB(QDate today, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("New File from Existing file"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(12);
    layout->setVerticalSpacing(10);
    layout->setColumnStretch(QuestionColumn, 1);

    auto* dateLabel = new QLabel(QStringLiteral("Please enter a starting date for the new file"), this);
    DateBox = new TDateBox(today, this);
    DateBox->setObjectName(QStringLiteral("StartDateBox"));
    dateLabel->setBuddy(DateBox);
    layout->addWidget(dateLabel, 0, QuestionColumn);
    layout->addWidget(DateBox, 0, YesColumn, 1, 2);

    GstYes = AddQuestion(QStringLiteral("Do you want to transfer the GST ending balance to the new file?"), "Gst");
    BalancesYes = AddQuestion(
        QStringLiteral("Do you want to transfer the ending balance of each Account to the Accounts in the new file?"),
        "Balances");
    UnreconciledYes = AddQuestion(QStringLiteral("Do you want to copy all unreconciled Transactions to the new file?"),
                                  "Unreconciled");

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKBtn"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons, layout->rowCount(), QuestionColumn, 1, 3);
    setMinimumWidth(540);
    DateBox->setFocus();
}

QRadioButton* TfmNewFromExistB::AddQuestion(const QString& text, const char* name) {
    auto* layout = static_cast<QGridLayout*>(this->layout());
    const int row = layout->rowCount();
    auto* question = new QLabel(text, this);
    question->setWordWrap(true);
    auto* yes = new QRadioButton(QStringLiteral("Yes"), this);
    auto* no = new QRadioButton(QStringLiteral("No"), this);
    yes->setObjectName(QLatin1String(name) + QStringLiteral("Yes"));
    no->setObjectName(QLatin1String(name) + QStringLiteral("No"));
    // Each question's pair answers on its own.
    auto* pair = new QButtonGroup(this);
    pair->addButton(yes);
    pair->addButton(no);
    yes->setChecked(true);
    question->setBuddy(yes);
    layout->addWidget(question, row, QuestionColumn);
    layout->addWidget(yes, row, YesColumn);
    layout->addWidget(no, row, NoColumn);
    return yes;
}

QDate TfmNewFromExistB::StartDate() const {
    return DateBox->date();
}

bool TfmNewFromExistB::TransferGst() const {
    return GstYes->isChecked();
}

bool TfmNewFromExistB::TransferBalances() const {
    return BalancesYes->isChecked();
}

bool TfmNewFromExistB::CopyUnreconciled() const {
    return UnreconciledYes->isChecked();
}

} // namespace qz::gui
