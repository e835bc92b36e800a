#include "MainActForm.h"
#include "TaxStamp.h"

#include "NewMainActForm.h"
#include "controls/PercentBox.h"
#include "edit/CategoryEdit.h"
#include "platform/TextCodec.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

constexpr int CategoryLineHeight = 30;
constexpr const char* NoCategoriesMessage = "There a no Categories.  Click the 'New' button to create some";

template <class T> T* Named(T* widget, const char* name, const char* hint = nullptr) {
    widget->setObjectName(QLatin1String(name));
    if (hint)
        widget->setToolTip(QLatin1String(hint));
    return widget;
}

QString SideStyle(std::uint8_t side) {
    return side == SideCredit ? QStringLiteral("background: #00FF00; color: black;")
                              : QStringLiteral("background: #FF0000; color: white;");
}

} // namespace

TMainActForm::TMainActForm(TEditContext& edit, const TDisplayFormats& formats, TCategoryEditorHooks hooks,
                           QWidget* parent)
    : QDialog(parent), Edit(edit), Formats(formats), Hooks(std::move(hooks)) {
    setObjectName(QStringLiteral("MainActForm"));
    setWindowTitle(QStringLiteral("Categories"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* left = new QVBoxLayout;
    left->addWidget(MakeCategoryLine());
    left->addSpacing(8);
    left->addWidget(MakeSubList(), 1);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(MakeCategoryButtons());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(MakeDetailPanel());
    layout->addWidget(MakeWindowButtons());
    resize(620, 520);
}

TMainActForm::~TMainActForm() {
    LockPanel();
}

QWidget* TMainActForm::MakeCategoryLine() {
    CategoryLine = Named(new QWidget(this), "CategoryLine");
    auto* nameBox = new QWidget(CategoryLine);
    TaxPicture = Named(new QLabel(nameBox), "TaxPicture");
    NamePanel = Named(new QLabel(nameBox), "NamePanel");
    auto* nameLayout = new QHBoxLayout(nameBox);
    nameLayout->setContentsMargins(4, 0, 4, 0);
    nameLayout->addWidget(TaxPicture);
    nameLayout->addWidget(NamePanel, 1);
    NumberPanel = Named(new QLabel(CategoryLine), "NumberPanel");
    NumberPanel->setAlignment(Qt::AlignCenter);
    NumberPanel->setMinimumWidth(80);
    TypePanel = Named(new QLabel(CategoryLine), "TypePanel");
    TypePanel->setMinimumWidth(130);
    QFont bold = font();
    bold.setBold(true);
    for (QWidget* panel :
         {static_cast<QWidget*>(NamePanel), static_cast<QWidget*>(NumberPanel), static_cast<QWidget*>(TypePanel)})
        panel->setFont(bold);
    for (QWidget* panel : {nameBox, static_cast<QWidget*>(NumberPanel), static_cast<QWidget*>(TypePanel)}) {
        panel->setFixedHeight(CategoryLineHeight);
        panel->setAttribute(Qt::WA_StyledBackground);
    }
    TypePanel->setContentsMargins(6, 0, 6, 0);
    auto* layout = new QHBoxLayout(CategoryLine);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(nameBox, 1);
    layout->addWidget(NumberPanel);
    layout->addWidget(TypePanel);
    return CategoryLine;
}

QWidget* TMainActForm::MakeCategoryButtons() {
    auto* column = new QWidget(this);
    NewMainBtn = Named(new QPushButton(QStringLiteral("&New"), column), "NewMainBtn", "Create a new Main Account");
    EditMainBtn = Named(new QPushButton(QStringLiteral("&Edit"), column), "EditMainBtn", "Edit this Main Account");
    DelMainBtn = Named(new QPushButton(QStringLiteral("&Delete"), column), "DelMainBtn", "Delete this Main Account");
    FindBtn = Named(new QPushButton(QStringLiteral("&Find"), column), "FindBtn", "Find an Account");
    BackBtn = Named(new QToolButton(column), "BackBtn", "Previous Main Account");
    ForwardBtn = Named(new QToolButton(column), "ForwardBtn", "Next Main Account");
    CatBtn = Named(new QPushButton(QStringLiteral("&Category Types..."), column), "CatBtn", "Create & edit Categories");
    NewSubBtn =
        Named(new QPushButton(QStringLiteral("New Sub Category"), column), "NewSubBtn", "Create a new Sub Account");
    EditSubBtn = Named(new QPushButton(QStringLiteral("Ed&it"), column), "EditSubBtn", "Edit Sub Account");
    DelSubBtn = Named(new QPushButton(QStringLiteral("Dele&te"), column), "DelSubBtn", "Delete Sub Account");
    BackBtn->setArrowType(Qt::LeftArrow);
    ForwardBtn->setArrowType(Qt::RightArrow);
    for (QToolButton* arrow : {BackBtn, ForwardBtn}) {
        arrow->setAutoRepeat(true);
        arrow->setMinimumSize(36, 26);
        arrow->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    for (QPushButton* button : {NewMainBtn, EditMainBtn, DelMainBtn, FindBtn, CatBtn, NewSubBtn, EditSubBtn, DelSubBtn})
        button->setAutoDefault(false);
    connect(NewMainBtn, &QPushButton::clicked, this, &TMainActForm::NewMainBtnClick);
    connect(EditMainBtn, &QPushButton::clicked, this, &TMainActForm::EditMainBtnClick);
    connect(DelMainBtn, &QPushButton::clicked, this, &TMainActForm::DelMainBtnClick);
    connect(FindBtn, &QPushButton::clicked, this, &TMainActForm::FindBtnClick);
    connect(BackBtn, &QToolButton::clicked, this, [this] { ArrowBtnClick(false); });
    connect(ForwardBtn, &QToolButton::clicked, this, [this] { ArrowBtnClick(true); });
    connect(CatBtn, &QPushButton::clicked, this, &TMainActForm::CatBtnClick);
    connect(NewSubBtn, &QPushButton::clicked, this, &TMainActForm::NewSubBtnClick);
    connect(EditSubBtn, &QPushButton::clicked, this, &TMainActForm::EditSubBtnClick);
    connect(DelSubBtn, &QPushButton::clicked, this, &TMainActForm::DelSubBtnClick);

    auto* arrows = new QHBoxLayout;
    arrows->setSpacing(2);
    arrows->addWidget(BackBtn);
    arrows->addWidget(ForwardBtn);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(NewMainBtn);
    layout->addWidget(EditMainBtn);
    layout->addWidget(DelMainBtn);
    layout->addWidget(FindBtn);
    layout->addLayout(arrows);
    layout->addWidget(CatBtn);
    layout->addSpacing(14);
    layout->addWidget(NewSubBtn);
    layout->addWidget(EditSubBtn);
    layout->addWidget(DelSubBtn);
    layout->addStretch();
    column->setFixedWidth(150);
    return column;
}

QWidget* TMainActForm::MakeWindowButtons() {
    auto* row = new QWidget(this);
    OKBtn = Named(new QPushButton(QStringLiteral("&OK"), row), "OKBtn");
    CancelBtn = Named(new QPushButton(QStringLiteral("&Cancel"), row), "CancelBtn");
    HelpBtn = Named(new QPushButton(QStringLiteral("&Help"), row), "HelpBtn");
    for (QPushButton* button : {OKBtn, CancelBtn, HelpBtn})
        button->setAutoDefault(false);
    connect(OKBtn, &QPushButton::clicked, this, &TMainActForm::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TMainActForm::CancelBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, &TMainActForm::HelpBtnClick);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 6, 0, 0);
    layout->addStretch();
    layout->addWidget(OKBtn);
    layout->addWidget(CancelBtn);
    layout->addWidget(HelpBtn);
    return row;
}

TCategoryEditorOutcome TMainActForm::Open(QWidget* parent, TEditContext& edit, const TDisplayFormats& formats,
                                          const TCategoryEditorHooks& hooks, std::int32_t categoryIndex,
                                          std::int32_t subIndex) {
    TMainActForm window(edit, formats, hooks, parent);
    window.Start(categoryIndex, subIndex);
    window.exec();
    return window.Outcome();
}

void TMainActForm::Start(std::int32_t categoryIndex, std::int32_t subIndex) {
    Result = {};
    LockPanel();
    const TFileSettings& settings = Edit.Files.Settings;
    TaxShown = settings.TaxOn != 0;
    SubList->setColumnHidden(2, !TaxShown);
    SubList->headerItem()->setText(2, FromDocument(settings.TaxName));
    PercentLabel->setText(FromDocument(settings.TaxName) + QStringLiteral(" Percentage"));
    for (QWidget* control : {static_cast<QWidget*>(PercentLabel), static_cast<QWidget*>(PercentEdit)})
        control->setVisible(TaxShown);
    Pos = std::max(categoryIndex, 0);
    ShowCategory();
    const TSubActList& subs = Edit.Ledger.SubActList;
    if (const TMainActRec* category = Shown();
        category && subIndex >= 0 && subIndex < subs.Count() && subs.Items(subIndex)->MainAct == category->Number)
        ChooseSub(subIndex);
    EmptyMessageDue = !Shown();
}

TMainActRec* TMainActForm::Shown() const {
    const TMainActList& categories = Edit.Ledger.MainActList;
    return Pos >= 0 && Pos < categories.Count() ? categories.Items(Pos) : nullptr;
}

void TMainActForm::ShowCategory() {
    const std::int32_t count = Edit.Ledger.MainActList.Count();
    if (count == 0) {
        ShowEmptyState();
        return;
    }
    Pos = std::clamp(Pos, 0, count - 1);
    CategoryLine->show();
    SubList->show();
    ShowCategoryLine(*Shown());
    LoadSubs();
    ChooseSub(NoSub);
}

void TMainActForm::ShowCategoryLine(const TMainActRec& category) {
    const TLedger& ledger = Edit.Ledger;
    NamePanel->setText(FromDocument(category.Name.View()));
    NumberPanel->setText(QStringLiteral("#") + QString::number(category.Number));
    const TCatRec* type = ledger.CatList.Find(category.CatType);
    TypePanel->setText(type ? FromDocument(type->Name.View()) : QString());
    const bool tax = IsTaxCategory(ledger, category.Number);
    TaxPicture->setVisible(tax);
    if (tax)
        TaxPicture->setPixmap(TaxStamp(FromDocument(Edit.Files.Settings.TaxName), 26));
    const QString style = SideStyle(category.Side);
    NamePanel->parentWidget()->setStyleSheet(style);
    NumberPanel->setStyleSheet(style);
    TypePanel->setStyleSheet(style);
}

void TMainActForm::ShowEmptyState() {
    Pos = -1;
    CategoryLine->hide();
    SubList->hide();
    LoadSubs();
    ChooseSub(NoSub);
}

void TMainActForm::ShowCategoryNumbered(std::int32_t number, std::int32_t subNumber) {
    const std::int32_t index = Edit.Ledger.MainActList.IndexOfNumber(number);
    if (index >= 0)
        Pos = index;
    ShowCategory();
    if (subNumber > 0)
        if (const std::int32_t sub = Edit.Ledger.SubActList.IndexOfPair(number, subNumber); sub >= 0)
            ChooseSub(sub);
}

void TMainActForm::UpdateButtons() {
    const std::int32_t count = Edit.Ledger.MainActList.Count();
    const TMainActRec* category = Shown();
    const bool managed = category && IsTaxCategory(Edit.Ledger, category->Number);
    const bool editingSub = !PanelLocked && SubIndex != NewSub;
    BackBtn->setEnabled(Pos > 0);
    ForwardBtn->setEnabled(Pos >= 0 && Pos < count - 1);
    FindBtn->setEnabled(count > 0);
    EditMainBtn->setEnabled(category && !managed);
    DelMainBtn->setEnabled(category && !managed);
    NewSubBtn->setEnabled(category && !editingSub);
    // A sub category must be chosen for these, and they wait while the panel is open.
    EditSubBtn->setEnabled(PanelLocked && SubIndex >= 0);
    DelSubBtn->setEnabled(PanelLocked && SubIndex >= 0);
    SubOKBtn->setVisible(!PanelLocked);
    SubCancelBtn->setVisible(!PanelLocked);
    // A tax category's sub categories keep their percentage.
    const bool percentFixed = category && SubPercentLocked(Edit.Ledger, *category);
    PercentUpBtn->setVisible(TaxShown && !percentFixed);
    PercentDownBtn->setVisible(TaxShown && !percentFixed);
    PercentUpBtn->setEnabled(!PanelLocked);
    PercentDownBtn->setEnabled(!PanelLocked);
    NameEdit->setReadOnly(PanelLocked);
    PercentEdit->setReadOnly(PanelLocked || percentFixed);
    NotesMemo->setReadOnly(PanelLocked);
}

bool TMainActForm::Took(const TEditOutcome& outcome) {
    Result.Refresh |= outcome.Refresh;
    if (outcome.Done()) {
        Result.Changed = true;
        return true;
    }
    if (outcome.Result == TEditResult::NotStored) {
        // Memory went back to what the document holds, in new records: show it afresh.
        LockPanel();
        ShowCategory();
    }
    return false;
}

void TMainActForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (EmptyMessageDue) {
        EmptyMessageDue = false;
        QTimer::singleShot(0, this, [this] { Edit.Inform(NoCategoriesMessage); });
    }
}

// ---- Categories -------------------------------------------------------------------------------

void TMainActForm::NewMainBtnClick() {
    if (!LeavingAnEdit())
        return;
    const TAccessScope access(Edit, TAccessArea::Adding);
    if (!access)
        return;
    TCategoryFields fields;
    TEditOutcome unused;
    if (!TNewMainActForm::EditCategory(this, Edit, TNewMainActForm::TMode::New, -1, fields, unused, Hooks.ShowHelp))
        return;
    const TEditOutcome outcome = AddCategory(Edit, fields);
    if (Took(outcome)) {
        Pos = outcome.Index;
        ShowCategory();
    }
}

void TMainActForm::EditMainBtnClick() {
    if (!Shown() || !LeavingAnEdit())
        return;
    const TAccessScope access(Edit, TAccessArea::Editing);
    if (!access)
        return;
    const std::int32_t subNumber = SubIndex >= 0 ? Edit.Ledger.SubActList.Items(SubIndex)->Number : 0;
    TCategoryFields fields;
    TEditOutcome outcome;
    if (!TNewMainActForm::EditCategory(this, Edit, TNewMainActForm::TMode::Edit, Pos, fields, outcome, Hooks.ShowHelp))
        return;
    if (Took(outcome))
        ShowCategoryNumbered(Edit.Ledger.MainActList.Items(outcome.Index)->Number, subNumber);
}

void TMainActForm::DelMainBtnClick() {
    const TMainActRec* category = Shown();
    if (!category || !LeavingAnEdit())
        return;
    const std::int32_t categoryRow = category->Row;
    std::vector<std::int32_t> subRows;
    for (const TSubActRec* sub : Edit.Ledger.SubActList.KeyList)
        if (sub->MainAct == category->Number && sub->Row >= 0)
            subRows.push_back(sub->Row);
    if (!Took(DeleteCategory(Edit, Pos)))
        return;
    if (categoryRow >= 0)
        Result.DeletedCategoryRows.push_back(categoryRow);
    Result.DeletedSubRows.insert(Result.DeletedSubRows.end(), subRows.begin(), subRows.end());
    Pos = std::max(Pos - 1, 0);
    ShowCategory();
    if (!Shown())
        Edit.Inform(NoCategoriesMessage);
}

void TMainActForm::FindBtnClick() {
    if (!LeavingAnEdit() || !Hooks.FindCategory)
        return;
    TCategoryFound found;
    if (!Hooks.FindCategory(found))
        return;
    if (found.Sub)
        ShowCategoryNumbered(found.Sub->MainAct, found.Sub->Number);
    else if (found.Category)
        ShowCategoryNumbered(found.Category->Number);
}

void TMainActForm::ArrowBtnClick(bool forward) {
    if (!Shown() || !LeavingAnEdit())
        return;
    LockPanel();
    Pos += forward ? 1 : -1;
    ShowCategory();
}

void TMainActForm::CatBtnClick() {
    if (!LeavingAnEdit() || !Hooks.OpenCategoryTypes)
        return;
    const std::uint16_t refresh = Hooks.OpenCategoryTypes();
    if (refresh == RefreshNone)
        return;
    Result.Refresh |= refresh;
    Result.Changed = true;
    // A type may have been renamed: the category line names it.
    const std::int32_t subNumber = SubIndex >= 0 ? Edit.Ledger.SubActList.Items(SubIndex)->Number : 0;
    if (const TMainActRec* category = Shown())
        ShowCategoryNumbered(category->Number, subNumber);
}

// ---- The window -------------------------------------------------------------------------------

void TMainActForm::OKBtnClick() {
    if (!LeavingAnEdit())
        return;
    Result.Changed = true;
    accept();
}

void TMainActForm::CancelBtnClick() {
    // Only an unconfirmed sub category edit is dropped; everything confirmed is stored already.
    if (!PanelLocked)
        DropPanelEdit();
    QDialog::reject();
}

void TMainActForm::reject() {
    CancelBtnClick();
}

void TMainActForm::HelpBtnClick() {
    if (Hooks.ShowHelp)
        Hooks.ShowHelp(HelpTopic);
}

} // namespace qz::gui
