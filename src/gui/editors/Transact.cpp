// The transaction editor's window: its parts and their layout, the kind chooser and the name
// dialog the session asks through, and the opening and closing.

#include "Transact.h"

#include "Choice.h"
#include "InputDlg.h"
#include "TransactBookCombo.h"
#include "controls/DateBox.h"
#include "controls/HelpContext.h"
#include "controls/Keyboard.h"
#include "controls/NumberBox.h"
#include "controls/NumberPad.h"
#include "controls/PercentBox.h"
#include "controls/PercentUpDown.h"
#include "controls/TextBox.h"
#include "platform/TextCodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

constexpr int PanelHeight = 28;
constexpr int ListWidth = 280;

template <class T> T* Named(T* widget, const char* name, const char* hint = nullptr) {
    widget->setObjectName(QLatin1String(name));
    if (hint)
        widget->setToolTip(QLatin1String(hint));
    return widget;
}

QPushButton* Button(QWidget* parent, const char* caption, const char* name) {
    auto* button = Named(new QPushButton(QString::fromUtf8(caption), parent), name);
    button->setAutoDefault(false);
    return button;
}

QLabel* FieldLabel(const char* caption, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

// The kind chooser and the name dialog, as the session asks for them.
class TTransact::TDialogs : public TTransactionDialogs {
public:
    TDialogs(TTransact& window) : Window(window) {}

    int ChooseKind(const std::string& caption, const std::string& label) override {
        return TChoice::ChooseKind(&Window, FromDocument(caption), FromDocument(label));
    }

    bool InputName(const std::string& caption, const std::string& prompt, std::string& name, Money& percent,
                   const std::function<bool(std::string& name)>& check) override {
        return TInputDlg::InputName(&Window, caption, prompt, name, percent, check,
                                    Window.Ctx.Edit->Files.Settings.TaxName);
    }

private:
    TTransact& Window;
};

TTransact::TTransact(TTransactContext context, QWidget* parent)
    : QDialog(parent), Ctx(std::move(context)), KindAndNames(std::make_unique<TDialogs>(*this)) {
    setObjectName(QStringLiteral("Transact"));
    setWindowTitle(QStringLiteral("Transactions"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    SetHelpContext(this, HelpTopic);

    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    left->addWidget(MakeHeader());
    left->addWidget(MakeTabLine());
    left->addWidget(MakeDetailPanel(), 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(MakeButtons());
    ConnectFields();
    S = std::make_unique<TTransactionSession>(*Ctx.Edit, *KindAndNames, *Ctx.Formats, *Ctx.Time);
}

TTransact::~TTransact() = default;

QWidget* TTransact::MakeHeader() {
    auto* header = new QWidget(this);
    TransKindPanel = Named(new QLabel(header), "TransKindPanel");
    TransNoPanel = Named(new QLabel(header), "TransNoPanel");
    QFont bold = font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    for (QLabel* panel : {TransKindPanel, TransNoPanel}) {
        panel->setFont(bold);
        panel->setFixedHeight(PanelHeight);
        panel->setAlignment(Qt::AlignCenter);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setAutoFillBackground(true);
    }
    TransNoPanel->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(QStringLiteral("000000B")) + 16);
    auto* layout = new QHBoxLayout(header);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TransKindPanel, 1);
    layout->addWidget(TransNoPanel);
    return header;
}

QWidget* TTransact::MakeTabLine() {
    auto* line = new QWidget(this);
    TabControl = Named(new QTabBar(line), "TabControl");
    TabControl->setExpanding(false);
    TabControl->setDrawBase(false);
    TotalPanel = Named(new QWidget(line), "TotalPanel");
    auto* caption = new QLabel(QStringLiteral("Total Amount"), TotalPanel);
    TotalLabel = Named(new QLabel(TotalPanel), "TotalLabel");
    QFont bold = font();
    bold.setBold(true);
    TotalLabel->setFont(bold);
    TotalLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    TotalLabel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    TotalLabel->setAutoFillBackground(true);
    TotalLabel->setBackgroundRole(QPalette::Base);
    TotalLabel->setMinimumWidth(110);
    TotalLabel->setContentsMargins(4, 0, 4, 0);
    auto* total = new QHBoxLayout(TotalPanel);
    total->setContentsMargins(0, 0, 0, 0);
    total->addWidget(caption);
    total->addWidget(TotalLabel);
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TabControl, 1, Qt::AlignBottom);
    layout->addWidget(TotalPanel);
    line->setMinimumHeight(PanelHeight);
    return line;
}

QFrame* TTransact::MakeDetailPanel() {
    DetailPanel = Named(new QFrame(this), "DetailPanel");
    DetailPanel->setFrameShape(QFrame::StyledPanel);
    QWidget* p = DetailPanel;

    BookCombo = Named(new TBookCombo(p), "BookCombo");
    ComboMainName = Named(new QComboBox(p), "ComboMainName");
    ComboSubName = Named(new QComboBox(p), "ComboSubName");
    ComboGrpName = Named(new QComboBox(p), "ComboGrpName");
    for (QComboBox* list : {static_cast<QComboBox*>(BookCombo), ComboMainName, ComboSubName, ComboGrpName}) {
        list->setMinimumWidth(ListWidth);
        list->setMaxVisibleItems(16);
    }
    NewSubBtn = Button(p, "New", "NewSubBtn");
    NewSubBtn->setToolTip(QStringLiteral("New Sub Category"));
    NewGrpBtn = Button(p, "New", "NewGrpBtn");
    NewGrpBtn->setToolTip(QStringLiteral("New Group"));
    DetailLabel = Named(new QLabel(p), "DetailLabel");
    DetailLabel->setMinimumHeight(DetailLabel->fontMetrics().height() + 4);
    QFont italic = font();
    italic.setItalic(true);
    DetailLabel->setFont(italic);

    DateEditBtn = Named(new TDateBox(QDate::currentDate(), p), "DateEditBtn");
    DateEditBtn->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    EditReference = Named(new TTextBox(TTextBox::ReferenceLength, p), "EditReference");
    NbrBoxAmount = Named(new TNumberBox(TNumberKind::Currency, p), "NbrBoxAmount");
    // The number pad and the on-screen keyboard open from the boxes' buttons.
    EditReference->SetButtonVisible(true);
    NbrBoxAmount->SetButtonVisible(true);
    MemoMemo = Named(new QPlainTextEdit(p), "MemoMemo");
    MemoMemo->setTabChangesFocus(true);
    MemoMemo->setFixedHeight(MemoMemo->fontMetrics().lineSpacing() * 3 + 12);
    DisableCheck = Named(new QCheckBox(QStringLiteral("Transaction reconciled"), p), "DisableCheck");

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    int row = 0;
    grid->addWidget(FieldLabel("Accoun&t", BookCombo, p), row, 0);
    grid->addWidget(BookCombo, row++, 1);
    grid->addWidget(FieldLabel("Categor&y", ComboMainName, p), row, 0);
    grid->addWidget(ComboMainName, row++, 1);
    grid->addWidget(FieldLabel("Su&b Category", ComboSubName, p), row, 0);
    grid->addWidget(ComboSubName, row, 1);
    grid->addWidget(NewSubBtn, row++, 2);
    grid->addWidget(FieldLabel("&Group", ComboGrpName, p), row, 0);
    grid->addWidget(ComboGrpName, row, 1);
    grid->addWidget(NewGrpBtn, row++, 2);
    grid->addWidget(DetailLabel, row++, 1, 1, 2);
    grid->setColumnStretch(1, 1);

    auto* dateLine = new QGridLayout;
    dateLine->setHorizontalSpacing(8);
    dateLine->setVerticalSpacing(6);
    dateLine->addWidget(FieldLabel("Date", DateEditBtn, p), 0, 0);
    dateLine->addWidget(DateEditBtn, 0, 1);
    dateLine->addWidget(FieldLabel("&Reference", EditReference, p), 0, 2);
    dateLine->addWidget(EditReference, 0, 3);
    dateLine->addWidget(FieldLabel("A&mount", NbrBoxAmount, p), 1, 0);
    dateLine->addWidget(NbrBoxAmount, 1, 1);
    dateLine->setColumnStretch(3, 1);

    auto* layout = new QVBoxLayout(DetailPanel);
    layout->setSpacing(6);
    layout->addLayout(grid);
    layout->addLayout(dateLine);
    layout->addWidget(MakeGstPanel());
    layout->addWidget(FieldLabel("Notes", MemoMemo, p));
    layout->addWidget(MemoMemo);
    layout->addWidget(DisableCheck);
    layout->addStretch();
    return DetailPanel;
}

QWidget* TTransact::MakeGstPanel() {
    GstPanel = Named(new QFrame(DetailPanel), "GstPanel");
    static_cast<QFrame*>(GstPanel)->setFrameShape(QFrame::StyledPanel);
    GstPercentToggle = Named(new QToolButton(GstPanel), "GstPercentToggle", "Auto calculate GST");
    GstPercentToggle->setText(QStringLiteral("%"));
    GstAmountToggle = Named(new QToolButton(GstPanel), "GstAmountToggle", "Enter a specific GST amount");
    GstAmountToggle->setText(QStringLiteral("$"));
    for (QToolButton* toggle : {GstPercentToggle, GstAmountToggle}) {
        toggle->setCheckable(true);
        toggle->setAutoExclusive(true);
        toggle->setFixedSize(26, 24);
        QFont bold = toggle->font();
        bold.setBold(true);
        toggle->setFont(bold);
    }
    BeforeGstLabel = Named(new QLabel(GstPanel), "BeforeGstLabel");
    NbrBoxBeforeGst = Named(new TNumberBox(TNumberKind::Currency, GstPanel), "NbrBoxBeforeGst");
    PercentPart = Named(new QWidget(GstPanel), "PercentPart");
    GstPercentEdit = Named(new TPercentBox(Money::FromUnits(100), PercentPart), "GstPercentEdit");
    GstPercentEdit->setAlignment(Qt::AlignRight);
    GstPercentEdit->setFixedWidth(GstPercentEdit->fontMetrics().horizontalAdvance(QStringLiteral("100.00")) + 14);
    UpDown1 = Named(new TPercentUpDown(GstPercentEdit, PercentPart), "UpDown1");
    auto* percent = new QHBoxLayout(PercentPart);
    percent->setContentsMargins(0, 0, 0, 0);
    percent->setSpacing(0);
    percent->addWidget(GstPercentEdit);
    percent->addWidget(UpDown1);
    percent->addSpacing(3);
    percent->addWidget(new QLabel(QStringLiteral("%"), PercentPart));
    // The fixed-amount mode hides the percentage without moving the GST box.
    QSizePolicy keepPlace = PercentPart->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    PercentPart->setSizePolicy(keepPlace);
    GstLabel = Named(new QLabel(GstPanel), "GstLabel");
    NbrBoxGstAmount = Named(new TNumberBox(TNumberKind::Currency, GstPanel), "NbrBoxGstAmount");
    NbrBoxBeforeGst->SetButtonVisible(true);
    NbrBoxGstAmount->SetButtonVisible(true);
    BeforeGstLabel->setBuddy(NbrBoxBeforeGst);
    GstLabel->setBuddy(NbrBoxGstAmount);

    auto* layout = new QGridLayout(GstPanel);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setHorizontalSpacing(8);
    auto* toggles = new QHBoxLayout;
    toggles->setSpacing(2);
    toggles->addWidget(GstPercentToggle);
    toggles->addWidget(GstAmountToggle);
    layout->addLayout(toggles, 1, 0);
    layout->addWidget(BeforeGstLabel, 0, 1);
    layout->addWidget(NbrBoxBeforeGst, 1, 1);
    layout->addWidget(PercentPart, 1, 2);
    layout->addWidget(GstLabel, 0, 3);
    layout->addWidget(NbrBoxGstAmount, 1, 3);
    layout->setColumnStretch(4, 1);
    return GstPanel;
}

QWidget* TTransact::MakeButtons() {
    auto* side = new QWidget(this);
    NewBtn = Button(side, "&New", "NewBtn");
    FindBtn = Button(side, "&Find", "FindBtn");
    DeleteBtn = Button(side, "&Delete", "DeleteBtn");
    EditBtn = Button(side, "&Unlock", "EditBtn");
    BackBtn = Named(new QToolButton(side), "BackBtn", "Previous Transaction");
    BackBtn->setArrowType(Qt::LeftArrow);
    ForwardBtn = Named(new QToolButton(side), "ForwardBtn", "Next Transaction");
    ForwardBtn->setArrowType(Qt::RightArrow);
    for (QToolButton* arrow : {BackBtn, ForwardBtn}) {
        // Held down, an arrow goes on stepping.
        arrow->setAutoRepeat(true);
        arrow->setAutoRepeatDelay(400);
        arrow->setAutoRepeatInterval(100);
        arrow->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    SplitBtn = Button(side, "&Split", "SplitBtn");
    AddSplitBtn = Button(side, "&Add Split", "AddSplitBtn");
    DeleteSplitBtn = Button(side, "D&elete Split", "DeleteSplitBtn");
    OKBtn = Button(side, "&OK", "OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = Button(side, "&Cancel", "CancelBtn");
    HelpBtn = Button(side, "&Help", "HelpBtn");

    auto* arrows = new QHBoxLayout;
    arrows->setSpacing(2);
    arrows->addWidget(BackBtn);
    arrows->addWidget(ForwardBtn);
    auto* layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* button : {NewBtn, FindBtn, DeleteBtn, EditBtn})
        layout->addWidget(button);
    layout->addLayout(arrows);
    layout->addSpacing(12);
    for (QWidget* button : {SplitBtn, AddSplitBtn, DeleteSplitBtn})
        layout->addWidget(button);
    layout->addStretch();
    for (QWidget* button : {OKBtn, CancelBtn, HelpBtn})
        layout->addWidget(button);

    connect(NewBtn, &QPushButton::clicked, this, &TTransact::BtnNewClick);
    connect(FindBtn, &QPushButton::clicked, this, &TTransact::FindBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TTransact::DeleteBtnClick);
    connect(EditBtn, &QPushButton::clicked, this, &TTransact::EditBtnClick);
    connect(BackBtn, &QToolButton::clicked, this, [this] { ArrowBtnClick(false); });
    connect(ForwardBtn, &QToolButton::clicked, this, [this] { ArrowBtnClick(true); });
    connect(SplitBtn, &QPushButton::clicked, this, &TTransact::SplitBtnClick);
    connect(AddSplitBtn, &QPushButton::clicked, this, &TTransact::AddSplitBtnClick);
    connect(DeleteSplitBtn, &QPushButton::clicked, this, &TTransact::DeleteSplitBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &TTransact::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, &TTransact::HelpBtnClick);
    connect(NewSubBtn, &QPushButton::clicked, this, &TTransact::NewSubBtnClick);
    connect(NewGrpBtn, &QPushButton::clicked, this, &TTransact::NewGrpBtnClick);
    return side;
}

// ---- Opening and closing ------------------------------------------------------------------------

bool TTransact::Start(TTransMode mode, std::int32_t position, std::int32_t firstVisibleRow, bool descending) {
    // With no transaction at all, a window last used on stored transactions opens on none.
    if (LastMode && *LastMode != TTransMode::New && Ctx.Edit->Ledger.TransList.Count() == 0) {
        mode = TTransMode::Index;
        position = -1;
    }
    const TTransactionOptions options = Ctx.Options ? Ctx.Options() : TTransactionOptions{};
    S = std::make_unique<TTransactionSession>(*Ctx.Edit, *KindAndNames, *Ctx.Formats, *Ctx.Time, options);
    ClosedByFind = false;
    if (!S->Open(mode, position, firstVisibleRow, descending))
        return false;
    LastMode = mode;
    ShowSession();
    return true;
}

std::optional<TTransactionEditorResult> TTransact::OpenTransactionEditor(TTransMode mode, std::int32_t position,
                                                                         std::int32_t firstVisibleRow,
                                                                         bool descending) {
    if (!Start(mode, position, firstVisibleRow, descending))
        return std::nullopt;
    exec();
    return Result();
}

TTransactionEditorResult TTransact::Result() const {
    TTransactionEditorResult result = S->Result();
    result.ClosedWithOK |= ClosedByFind;
    return result;
}

void TTransact::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FocusNamed();
    // Once the window is up: a locked window with no transaction says how to make one.
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            S->FormShow();
    });
}

void TTransact::OKBtnClick() {
    LeaveFocusedBox();
    const bool closes = S->OK();
    ShowSession();
    if (closes) {
        accept();
        return;
    }
    FocusNamed();
}

void TTransact::HelpBtnClick() {
    if (Ctx.ShowHelp)
        Ctx.ShowHelp(HelpTopic);
}

} // namespace qz::gui
