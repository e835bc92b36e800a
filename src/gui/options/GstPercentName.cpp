#include "GstPercentName.h"

#include "ledger/MoneyFormat.h"
#include "platform/LocaleSettings.h"
#include "platform/TextCodec.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

QRadioButton* TaxButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

} // namespace

TfmGstPercentName::TfmGstPercentName(Prompts& prompts, QWidget* parent) : QDialog(parent), Messages(prompts) {
    setWindowTitle(QStringLiteral("Quillmar Zudeduze"));
    setWindowFlags(windowFlags() & ~Qt::WindowCloseButtonHint & ~Qt::WindowContextHelpButtonHint);

    auto* text = new QLabel(QStringLiteral("Quillmar Zudeduze allows you to track Goods and Services Tax (GST) and "
                                           "Value Added Tax (VAT).  If you would like to enable this feature, please "
                                           "make the appropriate selection below:"),
                            this);
    text->setWordWrap(true);

    NoTaxBtn = TaxButton(QStringLiteral("Do not use GST or VAT"), "NoTaxBtn", this);
    GstBtn = TaxButton(QStringLiteral("I would like to track Goods and Services Tax (GST)"), "GstBtn", this);
    VatBtn = TaxButton(QStringLiteral("I would like to track Value Added Tax (VAT)"), "VatBtn", this);
    auto* group = new QButtonGroup(this);
    for (QRadioButton* button : {NoTaxBtn, GstBtn, VatBtn})
        group->addButton(button);
    // Tracking is something to opt into: the question starts on "no tax".
    NoTaxBtn->setChecked(true);
    connect(group, &QButtonGroup::buttonToggled, this, [this](QAbstractButton*, bool on) {
        if (on)
            TaxChosen();
    });

    PercentLabel = new QLabel(this);
    PercentLabel->setObjectName(QStringLiteral("PercentLabel"));
    PercentEdit = new QLineEdit(QStringLiteral("10"), this);
    PercentEdit->setObjectName(QStringLiteral("PercentEdit"));
    const QString separator = QRegularExpression::escape(QString(QChar(RegionalSettingsOf().DecimalSeparator)));
    PercentEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,3}(%1\\d{0,4})?").arg(separator)), PercentEdit));
    PercentEdit->setMaximumWidth(80);
    PercentLabel->setBuddy(PercentEdit);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TfmGstPercentName::OKBtnClick);

    auto* percentRow = new QHBoxLayout;
    percentRow->addWidget(PercentLabel);
    percentRow->addWidget(PercentEdit);
    percentRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addSpacing(6);
    layout->addWidget(NoTaxBtn);
    layout->addWidget(GstBtn);
    layout->addWidget(VatBtn);
    layout->addSpacing(6);
    layout->addLayout(percentRow);
    layout->addStretch();
    layout->addWidget(buttons);
    setMinimumWidth(420);

    TaxChosen();
}

TTaxChoice TfmGstPercentName::Ask(QWidget* parent, Prompts& prompts) {
    TfmGstPercentName window(prompts, parent);
    window.exec();
    return window.Choice();
}

QString TfmGstPercentName::TaxName() const {
    return GstBtn->isChecked() ? QStringLiteral("GST") : VatBtn->isChecked() ? QStringLiteral("VAT") : QString();
}

void TfmGstPercentName::TaxChosen() {
    const QString name = TaxName();
    // The label names GST while nothing is tracked; it is hidden then anyway.
    PercentLabel->setText((name.isEmpty() ? QStringLiteral("GST") : name) + QStringLiteral(" Percentage"));
    PercentLabel->setVisible(!name.isEmpty());
    PercentEdit->setVisible(!name.isEmpty());
}

void TfmGstPercentName::OKBtnClick() {
    const QString name = TaxName();
    if (name.isEmpty()) {
        Result = TTaxChoice{false, Money::FromUnits(10), std::string()};
        accept();
        return;
    }
    const std::optional<Money> percent =
        ParseMoneyText(ToDocument(PercentEdit->text()), RegionalSettingsOf().DecimalSeparator);
    if (!percent || *percent <= Money() || *percent >= Money::FromUnits(100)) {
        Messages.MessageBox("You must enter a " + ToDocument(name) +
                                " Percentage that is greater than 0 and less than 100",
                            MsgKind::Information, MsgButtons::Ok);
        PercentEdit->setFocus();
        return;
    }
    Result = TTaxChoice{true, *percent, ToDocument(name)};
    accept();
}

} // namespace qz::gui
