#include "NewMainActForm.h"

#include "platform/TextCodec.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

constexpr int CategoryDialogHelpTopic = 9000;

template <class T> T* Named(T* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QToolButton* ArrowButton(Qt::ArrowType arrow, const char* name, QWidget* parent) {
    auto* button = Named(new QToolButton(parent), name);
    button->setArrowType(arrow);
    button->setFixedSize(18, 11);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    return button;
}

} // namespace

TNewMainActForm::TNewMainActForm(TEditContext& edit, TMode mode, std::int32_t index, QWidget* parent)
    : QDialog(parent), Edit(edit), Mode(mode), Index(index) {
    setObjectName(QStringLiteral("NewMainActForm"));
    setWindowTitle(mode == TMode::New ? QStringLiteral("New Category") : QStringLiteral("Edit Category"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* typeCaption = new QLabel(QStringLiteral("Category Type"), this);
    CatListBox = Named(new QListWidget(this), "CatListBox");
    CatListBox->setMinimumWidth(170);
    typeCaption->setBuddy(CatListBox);
    connect(CatListBox, &QListWidget::currentRowChanged, this, &TNewMainActForm::TypeChosen);
    DescriptionBox = Named(new QPlainTextEdit(this), "DescriptionBox");
    DescriptionBox->setReadOnly(true);
    DescriptionBox->setFocusPolicy(Qt::NoFocus);
    DescriptionBox->setFixedWidth(170);

    auto* buttons = new QDialogButtonBox(this);
    OKBtn = Named(buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole), "OKBtn");
    CancelBtn = Named(buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole), "CancelBtn");
    HelpBtn = Named(buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole), "HelpBtn");
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &TNewMainActForm::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, [this] {
        if (ShowHelp)
            ShowHelp(CategoryDialogHelpTopic);
    });

    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(CatListBox, 1);
    typeRow->addWidget(DescriptionBox);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeNumberRow());
    layout->addWidget(MakeSideRow());
    layout->addSpacing(4);
    layout->addWidget(typeCaption);
    layout->addLayout(typeRow, 1);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    resize(430, 340);

    const TLedger& ledger = Edit.Ledger;
    if (Mode == TMode::New) {
        CreditBtn->setChecked(true);
        FillTypes(SideCredit, -1);
        CreditBtn->setFocus();
    } else {
        const TMainActRec* category = ledger.MainActList.Items(Index);
        NumberEdit->setText(QString::number(category->Number));
        NameEdit->setText(FromDocument(category->Name.View()));
        (category->Side == SideDebit ? DebitBtn : CreditBtn)->setChecked(true);
        // A category keeps its side.
        CreditBtn->setEnabled(false);
        DebitBtn->setEnabled(false);
        FillTypes(category->Side, category->CatType);
        NameEdit->setFocus();
    }
    ShowDown();
}

QWidget* TNewMainActForm::MakeNumberRow() {
    auto* row = new QWidget(this);
    auto* numberLabel = new QLabel(QStringLiteral("Number"), row);
    NumberEdit = Named(new QLineEdit(row), "NumberEdit");
    NumberEdit->setMaxLength(9);
    NumberEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,9}")), NumberEdit));
    NumberEdit->setFixedWidth(90);
    NumberEdit->installEventFilter(this);
    numberLabel->setBuddy(NumberEdit);
    NumberUpBtn = ArrowButton(Qt::UpArrow, "NumberUpBtn", row);
    NumberDownBtn = ArrowButton(Qt::DownArrow, "NumberDownBtn", row);
    connect(NumberUpBtn, &QToolButton::clicked, this, [this] { StepNumber(false); });
    connect(NumberDownBtn, &QToolButton::clicked, this, [this] { StepNumber(true); });
    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(NumberUpBtn);
    arrows->addWidget(NumberDownBtn);

    auto* nameLabel = new QLabel(QStringLiteral("Name"), row);
    NameEdit = Named(new QLineEdit(row), "NameEdit");
    NameEdit->setMaxLength(40);
    nameLabel->setBuddy(NameEdit);

    auto* grid = new QGridLayout(row);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(numberLabel, 0, 0);
    auto* numberBox = new QHBoxLayout;
    numberBox->setSpacing(1);
    numberBox->addWidget(NumberEdit);
    numberBox->addLayout(arrows);
    numberBox->addStretch();
    grid->addLayout(numberBox, 0, 1);
    grid->addWidget(nameLabel, 1, 0);
    grid->addWidget(NameEdit, 1, 1);
    grid->setColumnStretch(1, 1);
    return row;
}

QWidget* TNewMainActForm::MakeSideRow() {
    auto* row = new QWidget(this);
    CreditBtn = Named(new QPushButton(QStringLiteral("Credit"), row), "CreditBtn");
    DebitBtn = Named(new QPushButton(QStringLiteral("Debit"), row), "DebitBtn");
    auto* group = new QButtonGroup(this);
    for (QPushButton* toggle : {CreditBtn, DebitBtn}) {
        toggle->setCheckable(true);
        toggle->setAutoDefault(false);
        toggle->setMinimumWidth(90);
        toggle->installEventFilter(this);
        group->addButton(toggle);
    }
    group->setExclusive(true);
    connect(CreditBtn, &QPushButton::toggled, this, [this](bool down) {
        ShowDown();
        if (down)
            SideChosen(SideCredit);
    });
    connect(DebitBtn, &QPushButton::toggled, this, [this](bool down) {
        ShowDown();
        if (down)
            SideChosen(SideDebit);
    });
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(CreditBtn);
    layout->addWidget(DebitBtn);
    layout->addStretch();
    return row;
}

bool TNewMainActForm::EditCategory(QWidget* parent, TEditContext& edit, TMode mode, std::int32_t index,
                                   TCategoryFields& fields, TEditOutcome& outcome,
                                   const std::function<void(int topic)>& showHelp) {
    TNewMainActForm dialog(edit, mode, index, parent);
    dialog.ShowHelp = showHelp;
    const bool ok = dialog.exec() == QDialog::Accepted;
    fields = dialog.Fields();
    outcome = dialog.Outcome();
    return ok;
}

std::uint8_t TNewMainActForm::Side() const {
    return DebitBtn->isChecked() ? SideDebit : SideCredit;
}

// The toggle that is down shows in its side's colour.
void TNewMainActForm::ShowDown() {
    CreditBtn->setStyleSheet(CreditBtn->isChecked() ? QStringLiteral("QPushButton { background: #00FF00; color: black; "
                                                                     "font-weight: bold; }")
                                                    : QString());
    DebitBtn->setStyleSheet(DebitBtn->isChecked() ? QStringLiteral("QPushButton { background: #FF0000; color: white; "
                                                                   "font-weight: bold; }")
                                                  : QString());
}

void TNewMainActForm::SideChosen(std::uint8_t side) {
    FillTypes(side, -1);
    if (CatListBox->count() > 0)
        CatListBox->setCurrentRow(0);
}

void TNewMainActForm::FillTypes(std::uint8_t side, std::int32_t chosenType) {
    const TMainActRec* editing = Mode == TMode::Edit ? Edit.Ledger.MainActList.Items(Index) : nullptr;
    const QSignalBlocker quiet(CatListBox);
    CatListBox->clear();
    for (const TCatRec* type : CategoryTypeChoices(Edit.Ledger, side, editing)) {
        auto* item = new QListWidgetItem(FromDocument(type->Name.View()), CatListBox);
        item->setData(Qt::UserRole, type->Number);
        if (type->Number == chosenType)
            CatListBox->setCurrentItem(item);
    }
    if (chosenType < 0)
        CatListBox->setCurrentRow(-1);
    TypeChosen();
}

void TNewMainActForm::TypeChosen() {
    const QListWidgetItem* item = CatListBox->currentItem();
    DescriptionBox->setPlainText(item ? FromDocument(CategoryTypeDescription(Side(), ToDocument(item->text())))
                                      : QString());
}

TCategoryFields TNewMainActForm::Fields() const {
    TCategoryFields fields;
    const QString number = NumberEdit->text().trimmed();
    // An empty box counts as 1.
    fields.Number = number.isEmpty() ? 1 : number.toInt();
    fields.Name = ToDocument(NameEdit->text());
    fields.Side = Side();
    const QListWidgetItem* item = CatListBox->currentItem();
    fields.CatType = item ? item->data(Qt::UserRole).toInt() : -1;
    return fields;
}

void TNewMainActForm::StepNumber(bool down) {
    const std::int32_t number = SteppedCategoryNumber(Edit.Ledger.MainActList, ToDocument(NumberEdit->text()), down);
    NumberEdit->setText(QString::number(number));
}

void TNewMainActForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (Mode == TMode::New && !Proposed) {
        Proposed = true;
        NumberEdit->setText(QString::number(ProposedCategoryNumber(Edit.Ledger.MainActList)));
    }
}

bool TNewMainActForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == NumberEdit) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                StepNumber(key == Qt::Key_Down);
                return true;
            }
        } else if (event->type() == QEvent::FocusOut && NumberEdit->text().trimmed() == QLatin1String("0")) {
            NumberEdit->setText(QString::number(CategoryNumberForZero(Edit.Ledger.MainActList)));
        }
    } else if ((watched == CreditBtn || watched == DebitBtn) && event->type() == QEvent::MouseButtonDblClick) {
        OKBtnClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TNewMainActForm::FocusField(TCategoryField field) {
    switch (field) {
    case TCategoryField::Number:
        NumberEdit->setFocus();
        NumberEdit->selectAll();
        break;
    case TCategoryField::Name:
        NameEdit->setFocus();
        NameEdit->selectAll();
        break;
    case TCategoryField::Type:
        CatListBox->setFocus();
        break;
    case TCategoryField::None:
        break;
    }
}

void TNewMainActForm::OKBtnClick() {
    const TCategoryFields fields = Fields();
    const TMainActRec* editing = Mode == TMode::Edit ? Edit.Ledger.MainActList.Items(Index) : nullptr;
    if (const TCategoryRefusal refusal = CategoryRefusal(Edit.Ledger, fields, editing); !refusal.Text.empty()) {
        Edit.Inform(refusal.Text);
        FocusField(refusal.Focus);
        return;
    }
    if (Mode == TMode::Edit) {
        Result = ChangeCategory(Edit, Index, fields, &Changed);
        if (Result.Result == TEditResult::Refused) {
            reject();
            return;
        }
    }
    accept();
}

} // namespace qz::gui
