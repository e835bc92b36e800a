#include "ConvertWizard.h"
#include "WizardHeading.h"

#include "ledger/Cp1252.h"
#include "platform/TextCodec.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

constexpr int AccountNameLength = 100;

QLabel* Paragraph(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QPushButton* WizardButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setMinimumWidth(80);
    return button;
}

} // namespace

TConvertWizard::TConvertWizard(TCatList& types, const std::string& accountName, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("File Convert Wizard"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    for (TCatRec* type : types.KeyList)
        if (!type->IsDefault) {
            Custom.push_back(type);
            Kinds[type] = type->Kind;
        }

    Pages = new QStackedWidget(this);
    Pages->addWidget(BuildIntroPage());
    Pages->addWidget(BuildAccountPage());
    Pages->addWidget(BuildTypesPage());
    AccountEdit->setText(FromDocument(accountName));

    BackBtn = WizardButton(QStringLiteral("&Back"), "BackBtn", this);
    NextBtn = WizardButton(QStringLiteral("&Next"), "NextBtn", this);
    CancelBtn = WizardButton(QStringLiteral("&Cancel"), "CancelBtn", this);
    NextBtn->setDefault(true);
    connect(BackBtn, &QPushButton::clicked, this, &TConvertWizard::BackBtnClick);
    connect(NextBtn, &QPushButton::clicked, this, &TConvertWizard::NextBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BackBtn);
    buttons->addWidget(NextBtn);
    buttons->addSpacing(12);
    buttons->addWidget(CancelBtn);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Pages, 1);
    layout->addWidget(line);
    layout->addLayout(buttons);
    resize(520, 380);
    ShowPage(PageIntro);
}

bool TConvertWizard::Run(QWidget* parent, TCatList& types, std::string& accountName) {
    TConvertWizard wizard(types, accountName, parent);
    if (wizard.exec() != QDialog::Accepted)
        return false;
    accountName = wizard.AccountName();
    return true;
}

QWidget* TConvertWizard::BuildIntroPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(WizardHeading(QStringLiteral("Converting your file"), page, 1.3));
    layout->addWidget(Paragraph(QStringLiteral("This file was made by an earlier version of Quillmar Zudeduze and "
                                               "needs to be brought up to date before it can be opened.\n\n"
                                               "Files of the earlier version keep all their Transactions in a single "
                                               "Account. The next page asks for a name for that Account. Any Category "
                                               "Types you created yourself then need to be placed in a section of "
                                               "the reports.\n\n"
                                               "The file is changed in place. Click Next to continue."),
                                page));
    layout->addStretch();
    return page;
}

QWidget* TConvertWizard::BuildAccountPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(WizardHeading(QStringLiteral("Enter Account name"), page, 1.3));
    layout->addWidget(Paragraph(QStringLiteral("All the Transactions of this file will belong to this Account, for "
                                               "example \"Cheque Account\". Leave it empty to call it \"Account 1\"."),
                                page));
    AccountEdit = new QLineEdit(page);
    AccountEdit->setObjectName(QStringLiteral("AccountEdit"));
    AccountEdit->setMaxLength(AccountNameLength);
    layout->addWidget(AccountEdit);
    layout->addStretch();
    return page;
}

QGroupBox* TConvertWizard::BuildKindBox(const QString& caption, const char* name,
                                        const std::vector<std::pair<QString, std::int16_t>>& items,
                                        QButtonGroup*& group) {
    auto* box = new QGroupBox(caption, this);
    box->setObjectName(QLatin1String(name));
    group = new QButtonGroup(box);
    auto* layout = new QVBoxLayout(box);
    for (const auto& [text, kind] : items) {
        auto* button = new QRadioButton(text, box);
        group->addButton(button, kind);
        layout->addWidget(button);
    }
    layout->addStretch();
    connect(group, &QButtonGroup::idClicked, this, &TConvertWizard::KindChosen);
    return box;
}

QWidget* TConvertWizard::BuildTypesPage() {
    auto* page = new QWidget(this);
    TypesList = new QListWidget(page);
    TypesList->setObjectName(QStringLiteral("TypesList"));
    for (TCatRec* type : Custom) {
        auto* item = new QListWidgetItem(FromDocument(type->Name.View()), TypesList);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        item->setCheckState(type->Kind > 0 ? Qt::Checked : Qt::Unchecked);
    }
    connect(TypesList, &QListWidget::currentRowChanged, this, &TConvertWizard::TypeSelected);

    IncomeBox = BuildKindBox(QStringLiteral("Income Category Type"), "IncomeBox",
                             {{QStringLiteral("Sales Income"), KindSales},
                              {QStringLiteral("Other Income"), KindOther},
                              {QStringLiteral("Asset && Liability"), KindAssets},
                              {QStringLiteral("Funds"), KindFunds}},
                             IncomeKinds);
    ExpenseBox = BuildKindBox(QStringLiteral("Expense Category Type"), "ExpenseBox",
                              {{QStringLiteral("Cost of Sales"), KindSales},
                               {QStringLiteral("Normal Operating Expenses"), KindOperating},
                               {QStringLiteral("Other Expenses"), KindOther},
                               {QStringLiteral("Company Tax"), KindCompanyTax},
                               {QStringLiteral("Asset && Liability"), KindAssets},
                               {QStringLiteral("Funds"), KindFunds}},
                              ExpenseKinds);
    IncomeBox->hide();
    ExpenseBox->hide();

    auto* columns = new QHBoxLayout;
    columns->addWidget(TypesList, 1);
    auto* boxes = new QVBoxLayout;
    boxes->addWidget(IncomeBox);
    boxes->addWidget(ExpenseBox);
    boxes->addStretch();
    columns->addLayout(boxes, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(WizardHeading(QStringLiteral("Your own Category Types"), page, 1.3));
    layout->addWidget(Paragraph(QStringLiteral("Choose where each of these Category Types belongs in the reports. "
                                               "Select a Category Type, then choose its section."),
                                page));
    layout->addLayout(columns, 1);
    return page;
}

int TConvertWizard::Page() const {
    return Pages->currentIndex();
}

std::string TConvertWizard::AccountName() const {
    return Trim(ToDocument(AccountEdit->text()));
}

std::int16_t TConvertWizard::ChosenKind(const TCatRec* type) const {
    const auto found = Kinds.find(type);
    return found == Kinds.end() ? std::int16_t(0) : found->second;
}

bool TConvertWizard::LastPage() const {
    return Page() == PageTypes || (Page() == PageAccount && Custom.empty());
}

bool TConvertWizard::AllTypesHaveKinds() const {
    for (const auto& entry : Kinds)
        if (entry.second <= 0)
            return false;
    return true;
}

void TConvertWizard::ShowPage(int page) {
    Pages->setCurrentIndex(page);
    UpdateButtons();
    if (page == PageAccount)
        AccountEdit->setFocus();
    else if (page == PageTypes && TypesList->currentRow() < 0 && TypesList->count() > 0)
        TypesList->setCurrentRow(0);
}

void TConvertWizard::UpdateButtons() {
    BackBtn->setEnabled(Page() != PageIntro);
    NextBtn->setText(LastPage() ? QStringLiteral("&Finish") : QStringLiteral("&Next"));
    NextBtn->setEnabled(Page() != PageTypes || AllTypesHaveKinds());
}

void TConvertWizard::BackBtnClick() {
    if (Page() > PageIntro)
        ShowPage(Page() - 1);
}

void TConvertWizard::NextBtnClick() {
    if (!NextBtn->isEnabled())
        return;
    if (LastPage())
        Finish();
    else
        ShowPage(Page() + 1);
}

void TConvertWizard::Finish() {
    for (TCatRec* type : Custom)
        type->Kind = Kinds[type];
    accept();
}

TCatRec* TConvertWizard::SelectedType() const {
    const int row = TypesList->currentRow();
    return row >= 0 && row < static_cast<int>(Custom.size()) ? Custom[static_cast<std::size_t>(row)] : nullptr;
}

void TConvertWizard::TypeSelected() {
    ShowKindOf(SelectedType());
}

void TConvertWizard::ShowKindOf(TCatRec* type) {
    IncomeBox->setVisible(type && type->Side == SideCredit);
    ExpenseBox->setVisible(type && type->Side != SideCredit);
    if (!type)
        return;
    QButtonGroup* group = type->Side == SideCredit ? IncomeKinds : ExpenseKinds;
    QAbstractButton* chosen = group->button(ChosenKind(type));
    if (chosen) {
        chosen->setChecked(true);
        return;
    }
    // No Kind yet (or one this side does not offer): no item is chosen.
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(false);
    group->setExclusive(true);
}

void TConvertWizard::KindChosen(int kind) {
    TCatRec* type = SelectedType();
    if (!type)
        return;
    Kinds[type] = static_cast<std::int16_t>(kind);
    TypesList->item(TypesList->currentRow())->setCheckState(Qt::Checked);
    UpdateButtons();
}

} // namespace qz::gui
