#include "InputDlg.h"

#include "controls/PercentBox.h"
#include "ledger/Cp1252.h"
#include "platform/TextCodec.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace qz::gui {

namespace {

// The window's height with and without the percentage row.
constexpr int HeightWithPercent = 167;
constexpr int HeightWithoutPercent = 146;

} // namespace

TInputDlg::TInputDlg(const std::string& caption, const std::string& prompt, Money percent, const std::string& taxName,
                     TNameCheck check, QWidget* parent)
    : QDialog(parent), Check(std::move(check)), Given(percent) {
    setObjectName(QStringLiteral("InputDlg"));
    setWindowTitle(FromDocument(caption));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    PromptLabel = new QLabel(FromDocument(prompt), this);
    PromptLabel->setObjectName(QStringLiteral("PromptLabel"));
    auto* nameLabel = new QLabel(QStringLiteral("Name"), this);
    NameEdit = new QLineEdit(this);
    NameEdit->setObjectName(QStringLiteral("NameEdit"));
    NameEdit->setMaxLength(40);
    nameLabel->setBuddy(NameEdit);

    const bool withPercent = percent >= Money();
    PercentLabel = new QLabel(QStringLiteral("Default ") + FromDocument(taxName) + QStringLiteral(" percentage"), this);
    PercentLabel->setObjectName(QStringLiteral("PercentLabel"));
    PercentEdit = new TPercentBox(Money::FromUnits(100), this);
    PercentEdit->setObjectName(QStringLiteral("PercentEdit"));
    PercentEdit->SetValue(withPercent ? percent : Money());
    PercentEdit->setFixedWidth(70);
    PercentEdit->setAlignment(Qt::AlignRight);
    PercentLabel->setBuddy(PercentEdit);
    PercentLabel->setVisible(withPercent);
    PercentEdit->setVisible(withPercent);

    auto* buttons = new QDialogButtonBox(this);
    OKBtn = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    connect(OKBtn, &QPushButton::clicked, this, &TInputDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* fields = new QGridLayout;
    fields->addWidget(nameLabel, 0, 0);
    fields->addWidget(NameEdit, 0, 1);
    if (withPercent) {
        fields->addWidget(PercentLabel, 1, 0);
        fields->addWidget(PercentEdit, 1, 1, Qt::AlignLeft);
    }
    fields->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PromptLabel);
    layout->addLayout(fields);
    layout->addStretch();
    layout->addWidget(buttons);

    setMinimumWidth(340);
    const int height = withPercent ? HeightWithPercent : HeightWithoutPercent;
    setFixedHeight(std::max(height, sizeHint().height()));
}

bool TInputDlg::InputName(QWidget* parent, const std::string& caption, const std::string& prompt, std::string& name,
                          Money& percent, const TNameCheck& check, const std::string& taxName) {
    TInputDlg dialog(caption, prompt, percent, taxName, check, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    name = dialog.Name();
    percent = dialog.Percent();
    return true;
}

Money TInputDlg::Percent() const {
    return Given >= Money() ? PercentEdit->Value() : Given;
}

void TInputDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    NameEdit->clear();
    NameEdit->setFocus();
}

void TInputDlg::OKBtnClick() {
    std::string name = ToDocument(NameEdit->text());
    if (Check && !Check(name)) {
        NameEdit->setFocus();
        return;
    }
    Accepted = Trim(name);
    NameEdit->setText(FromDocument(Accepted));
    accept();
}

} // namespace qz::gui
