#include "TransFindForm.h"

#include "controls/HelpContext.h"
#include "controls/Keyboard.h"
#include "controls/NumberPad.h"
#include "ledger/MoneyFormat.h"
#include "platform/LocaleSettings.h"
#include "platform/TextCodec.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>

namespace qz::gui {

namespace {

constexpr int NumberLength = 9;
constexpr int ReferenceLength = 20;
constexpr int AmountLength = 12;
const QColor DownLabelColour(0, 0, 255);

char DecimalSeparator() {
    return RegionalSettingsOf().DecimalSeparator;
}

QLineEdit* NumberEdit(const char* name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setMaxLength(NumberLength);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    return box;
}

QLineEdit* ReferenceEdit(const char* name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setMaxLength(ReferenceLength);
    return box;
}

// A currency box: letters are refused, except those of the regional currency symbol; what
// reading the amount ignores (the symbol, separators, blanks) may be typed.
QLineEdit* AmountEdit(const char* name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setMaxLength(AmountLength);
    QString symbolLetters;
    for (const QChar c : FromDocument(RegionalSettingsOf().CurrencySymbol))
        if (c.isLetter())
            symbolLetters += QRegularExpression::escape(QString(c));
    const QString pattern = symbolLetters.isEmpty() ? QStringLiteral("[^\\p{L}]*")
                                                    : QStringLiteral("(?:[^\\p{L}]|[%1])*").arg(symbolLetters);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), box));
    return box;
}

QToolButton* PadButton(const char* name, QLineEdit* box, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(QStringLiteral("..."));
    button->setToolTip(QStringLiteral("Number pad"));
    button->setFocusPolicy(Qt::NoFocus);
    QObject::connect(button, &QToolButton::clicked, box, [box] { TNumberPad::PopUp(box); });
    return button;
}

QComboBox* CompareList(const char* name, const QStringList& items, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->addItems(items);
    return list;
}

QRadioButton* Radio(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QRadioButton(text, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

// Three toggles, one excluding the others, under a caption; `order` gives the display order.
QGroupBox* ThreeChoices(const QString& caption, QRadioButton* (&buttons)[3], const int (&order)[3], bool across,
                        QWidget* parent) {
    auto* box = new QGroupBox(caption, parent);
    auto* group = new QButtonGroup(box);
    QBoxLayout* layout = across ? static_cast<QBoxLayout*>(new QHBoxLayout(box)) : new QVBoxLayout(box);
    for (const int index : order) {
        buttons[index]->setParent(box);
        group->addButton(buttons[index]);
        layout->addWidget(buttons[index]);
    }
    if (across)
        layout->addStretch();
    return box;
}

template <std::size_t N> int CheckedIndex(QRadioButton* const (&buttons)[N]) {
    for (std::size_t i = 0; i < N; ++i)
        if (buttons[i]->isChecked())
            return static_cast<int>(i);
    return 0;
}

std::int32_t NumberOf(const QLineEdit* box) {
    return box->text().toInt(); // at most nine digits: never beyond an int32; empty reads 0
}

Money AmountOf(const QLineEdit* box) {
    return ParseMoneyText(ToDocument(box->text()), DecimalSeparator()).value_or(Money());
}

// An amount as the box takes it back: two decimals, more when it has them.
QString AmountText(Money value) {
    const std::int64_t raw = value.Raw();
    const std::int64_t magnitude = raw < 0 ? -raw : raw;
    QString fraction = QStringLiteral("%1").arg(magnitude % Money::Scale, 4, 10, QLatin1Char('0'));
    while (fraction.size() > 2 && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    return QStringLiteral("%1%2%3%4")
        .arg(raw < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / Money::Scale)
        .arg(QChar(DecimalSeparator()))
        .arg(fraction);
}

void SetBoxText(QLineEdit* box, const QString& text) {
    box->setText(text);
    box->setCursorPosition(box->text().size());
}

} // namespace

TTransFindForm::TTransFindForm(TLedger& ledger, Prompts& ask, TSearchProgress progress, ShowHelpFn showHelp,
                               QWidget* parent)
    : QDialog(parent), Ledger(ledger), Ask(ask), Progress(std::move(progress)), Help(std::move(showHelp)) {
    setWindowTitle(QStringLiteral("Transaction Selection"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    SetHelpContext(this, QuickHelpTopic);

    Pages = new QTabWidget(this);
    Pages->setObjectName(QStringLiteral("Pages"));
    Pages->addTab(CreateQuickPage(), QStringLiteral("&Quick Selection"));
    Pages->addTab(CreateDetailedPage(), QStringLiteral("&Detailed Selection"));
    connect(Pages, &QTabWidget::currentChanged, this, [this] {
        FitPage();
        UpdateButtons();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Pages, 1);
    layout->addWidget(CreateButtons());
    // Both pages keep the wider page's width, so that the buttons stay in place between them.
    setMinimumWidth(sizeHint().width());
    ResetControls();
    FitPage();
}

// The window takes the height of the page on show: the short quick page does not sit above an
// empty half window sized for the detailed one.
void TTransFindForm::FitPage() {
    // The tab widget is as tall as its tallest page plus the tab bar and frame around it.
    int tallest = 0;
    for (int i = 0; i < Pages->count(); ++i)
        tallest = std::max(tallest, Pages->widget(i)->sizeHint().height());
    const int around = Pages->sizeHint().height() - tallest;
    Pages->setFixedHeight(around + Pages->currentWidget()->sizeHint().height());
    adjustSize();
}

QWidget* TTransFindForm::CreateQuickPage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("QuickPage"));
    SetHelpContext(page, QuickHelpTopic);
    auto toggle = [page](const QString& text, const char* name) {
        auto* button = new QCheckBox(text, page);
        button->setObjectName(QLatin1String(name));
        return button;
    };
    NumberBtn = toggle(QStringLiteral("Number"), "NumberBtn");
    ReferenceBtn = toggle(QStringLiteral("Reference"), "ReferenceBtn");
    AmountBtn = toggle(QStringLiteral("Amount"), "AmountBtn");
    UnreconciledBtn = toggle(QStringLiteral("Unreconciled Only"), "UnreconciledBtn");
    TransfersBtn = toggle(QStringLiteral("Transfers Only"), "TransfersBtn");
    NumberBox = NumberEdit("NumberBox", page);
    ReferenceBox = ReferenceEdit("ReferenceBox", page);
    AmountBox = AmountEdit("AmountBox", page);
    // The on-screen keyboard types into the reference box while its toggle is down.
    KeyboardBtn = new QToolButton(page);
    KeyboardBtn->setObjectName(QStringLiteral("KeyboardBtn"));
    KeyboardBtn->setText(QStringLiteral("abc"));
    KeyboardBtn->setToolTip(QStringLiteral("Keyboard"));
    KeyboardBtn->setFocusPolicy(Qt::NoFocus);
    KeyboardBtn->setEnabled(false);
    connect(KeyboardBtn, &QToolButton::clicked, this, [this] {
        ReferenceBox->setFocus();
        TKeyboard::PopUp(ReferenceBox);
    });
    PadBtn = PadButton("PadBtn", AmountBox, page);

    const std::pair<QCheckBox*, QLineEdit*> pairs[] = {
        {NumberBtn, NumberBox}, {ReferenceBtn, ReferenceBox}, {AmountBtn, AmountBox}};
    for (const auto& [button, box] : pairs)
        connect(button, &QCheckBox::toggled, this, [this, button, box](bool down) { QuickToggled(button, box, down); });
    connect(AmountBtn, &QCheckBox::toggled, PadBtn, &QToolButton::setEnabled);
    connect(ReferenceBtn, &QCheckBox::toggled, KeyboardBtn, &QToolButton::setEnabled);
    // "Unreconciled Only" and "Transfers Only" exclude each other.
    const std::pair<QCheckBox*, QCheckBox*> onlies[] = {{UnreconciledBtn, TransfersBtn},
                                                        {TransfersBtn, UnreconciledBtn}};
    for (const auto& [button, other] : onlies)
        connect(button, &QCheckBox::toggled, this, [this, button, other](bool down) {
            if (down)
                other->setChecked(false);
            QuickToggled(button, nullptr, down);
        });

    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    grid->setHorizontalSpacing(10);
    grid->addWidget(NumberBtn, 0, 0);
    grid->addWidget(NumberBox, 0, 1);
    grid->addWidget(ReferenceBtn, 1, 0);
    grid->addWidget(ReferenceBox, 1, 1);
    grid->addWidget(KeyboardBtn, 1, 2);
    grid->addWidget(AmountBtn, 2, 0);
    grid->addWidget(AmountBox, 2, 1);
    grid->addWidget(PadBtn, 2, 2);
    auto* line = new QFrame(page);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto* onlyRow = new QHBoxLayout;
    onlyRow->addWidget(UnreconciledBtn);
    onlyRow->addSpacing(20);
    onlyRow->addWidget(TransfersBtn);
    onlyRow->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addWidget(line);
    layout->addLayout(onlyRow);
    layout->addStretch();
    return page;
}

QWidget* TTransFindForm::CreateDetailedPage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("DetailedPage"));
    SetHelpContext(page, DetailedHelpTopic);

    KindBtns[0] = Radio(QStringLiteral("All"), "KindAllBtn", page);
    KindBtns[1] = Radio(QStringLiteral("Credit"), "KindCreditBtn", page);
    KindBtns[2] = Radio(QStringLiteral("Debit"), "KindDebitBtn", page);
    StateBtns[0] = Radio(QStringLiteral("All"), "StateAllBtn", page);
    StateBtns[1] = Radio(QStringLiteral("Reconciled"), "StateReconciledBtn", page);
    StateBtns[2] = Radio(QStringLiteral("Unreconciled"), "StateUnreconciledBtn", page);
    TransfersBtns[0] = Radio(QStringLiteral("Include Transfers"), "IncludeTransfersBtn", page);
    TransfersBtns[1] = Radio(QStringLiteral("Exclude Transfers"), "ExcludeTransfersBtn", page);
    TransfersBtns[2] = Radio(QStringLiteral("Transfers Only"), "TransfersOnlyBtn", page);
    QGroupBox* kind = ThreeChoices(QStringLiteral("Transaction Kind"), KindBtns, {0, 1, 2}, true, page);
    QGroupBox* state = ThreeChoices(QStringLiteral("Transaction State"), StateBtns, {2, 1, 0}, false, page);
    QGroupBox* transfers = ThreeChoices(QStringLiteral("Transfers"), TransfersBtns, {2, 1, 0}, false, page);
    for (QRadioButton** buttons : {KindBtns, StateBtns, TransfersBtns})
        for (int i = 0; i < 3; ++i)
            connect(buttons[i], &QRadioButton::toggled, this, [this] { UpdateButtons(); });

    const QStringList compares = {QStringLiteral("All"), QStringLiteral("Equal To"), QStringLiteral("Greater Than"),
                                  QStringLiteral("Less Than"), QStringLiteral("Between")};
    NumberList = CompareList("NumberList", compares, page);
    ReferenceList = CompareList("ReferenceList", compares, page);
    AmountList = CompareList("AmountList",
                             {QStringLiteral("All"), QStringLiteral("Is Equal To"), QStringLiteral("Greater than"),
                              QStringLiteral("Less than"), QStringLiteral("Between")},
                             page);
    NumberBoxes[0] = NumberEdit("NumberBox1", page);
    NumberBoxes[1] = NumberEdit("NumberBox2", page);
    ReferenceBoxes[0] = ReferenceEdit("ReferenceBox1", page);
    ReferenceBoxes[1] = ReferenceEdit("ReferenceBox2", page);
    AmountBoxes[0] = AmountEdit("AmountBox1", page);
    AmountBoxes[1] = AmountEdit("AmountBox2", page);
    AmountPads[0] = PadButton("PadBtn1", AmountBoxes[0], page);
    AmountPads[1] = PadButton("PadBtn2", AmountBoxes[1], page);

    // Each list with its two boxes joined by "and" (and the amounts' number pads).
    auto criterion = [page](const QString& caption, QComboBox* list, QLineEdit* const(&boxes)[2],
                            QToolButton* const* pads) {
        auto* box = new QGroupBox(caption, page);
        list->setParent(box);
        auto* row = new QHBoxLayout(box);
        row->addWidget(list);
        for (int i = 0; i < 2; ++i) {
            if (i == 1)
                row->addWidget(new QLabel(QStringLiteral("and"), box));
            boxes[i]->setParent(box);
            row->addWidget(boxes[i], 1);
            if (pads) {
                pads[i]->setParent(box);
                row->addWidget(pads[i]);
            }
        }
        return box;
    };
    QGroupBox* number = criterion(QStringLiteral("Transaction Number"), NumberList, NumberBoxes, nullptr);
    QGroupBox* reference = criterion(QStringLiteral("Reference Number"), ReferenceList, ReferenceBoxes, nullptr);
    QGroupBox* amount = criterion(QStringLiteral("Amount"), AmountList, AmountBoxes, AmountPads);
    connect(NumberList, &QComboBox::currentIndexChanged, this,
            [this] { ListChanged(NumberList, NumberBoxes[0], NumberBoxes[1], nullptr, nullptr); });
    connect(ReferenceList, &QComboBox::currentIndexChanged, this,
            [this] { ListChanged(ReferenceList, ReferenceBoxes[0], ReferenceBoxes[1], nullptr, nullptr); });
    connect(AmountList, &QComboBox::currentIndexChanged, this,
            [this] { ListChanged(AmountList, AmountBoxes[0], AmountBoxes[1], AmountPads[0], AmountPads[1]); });

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(state);
    bottom->addWidget(transfers);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(kind);
    layout->addWidget(number);
    layout->addWidget(reference);
    layout->addWidget(amount);
    layout->addLayout(bottom);
    layout->addStretch();
    return page;
}

QWidget* TTransFindForm::CreateButtons() {
    auto* row = new QWidget(this);
    OKBtn = new QPushButton(QStringLiteral("&OK"), row);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    ResetBtn = new QPushButton(QStringLiteral("&Reset"), row);
    ResetBtn->setObjectName(QStringLiteral("ResetBtn"));
    auto* cancelBtn = new QPushButton(QStringLiteral("&Cancel"), row);
    cancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    auto* helpBtn = new QPushButton(QStringLiteral("&Help"), row);
    helpBtn->setObjectName(QStringLiteral("HelpBtn"));
    for (QPushButton* button : {ResetBtn, cancelBtn, helpBtn})
        button->setAutoDefault(false);
    connect(OKBtn, &QPushButton::clicked, this, &TTransFindForm::OKBtnClick);
    connect(ResetBtn, &QPushButton::clicked, this, &TTransFindForm::ResetBtnClick);
    connect(cancelBtn, &QPushButton::clicked, this, &TTransFindForm::reject);
    connect(helpBtn, &QPushButton::clicked, this, [this] {
        if (Help)
            Help(HelpTopic());
    });
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(OKBtn);
    layout->addWidget(ResetBtn);
    layout->addStretch();
    layout->addWidget(cancelBtn);
    layout->addWidget(helpBtn);
    return row;
}

// ---- Enabling ---------------------------------------------------------------------------------

void TTransFindForm::QuickToggled(QCheckBox* toggle, QLineEdit* box, bool down) {
    QFont font = toggle->font();
    font.setBold(down);
    toggle->setFont(font);
    QPalette palette = toggle->palette();
    palette.setColor(QPalette::WindowText, down ? DownLabelColour : Pages->palette().color(QPalette::WindowText));
    toggle->setPalette(palette);
    if (box) {
        box->setEnabled(down);
        box->setAlignment(down ? Qt::AlignLeft : Qt::AlignHCenter);
        box->setText(down ? QString() : QStringLiteral("All"));
        if (down && !Resetting)
            box->setFocus();
    }
    UpdateButtons();
}

void TTransFindForm::ListChanged(QComboBox* list, QLineEdit* first, QLineEdit* second, QToolButton* firstPad,
                                 QToolButton* secondPad) {
    const auto compare = static_cast<TSearchCompare>(list->currentIndex());
    const bool firstUsed = compare != TSearchCompare::All;
    const bool secondUsed = compare == TSearchCompare::Between;
    for (const auto& [box, used, pad] :
         {std::tuple{first, firstUsed, firstPad}, std::tuple{second, secondUsed, secondPad}}) {
        if (!used)
            box->clear();
        box->setEnabled(used);
        if (pad)
            pad->setEnabled(used);
    }
    if (firstUsed && !Resetting)
        first->setFocus();
    UpdateButtons();
}

void TTransFindForm::UpdateButtons() {
    if (Resetting)
        return;
    const bool offered = SearchCanApply(Criteria());
    OKBtn->setEnabled(offered);
    ResetBtn->setEnabled(offered);
}

int TTransFindForm::HelpTopic() const {
    return Pages->currentIndex() == 0 ? QuickHelpTopic : DetailedHelpTopic;
}

// ---- The criteria -----------------------------------------------------------------------------

TSearchCriteria TTransFindForm::Criteria() const {
    TSearchCriteria criteria;
    criteria.Page = Pages->currentIndex() == 0 ? TSearchPage::Quick : TSearchPage::Detailed;
    TQuickSearch& quick = criteria.Quick;
    quick.NumberOn = NumberBtn->isChecked();
    quick.Number = quick.NumberOn ? NumberOf(NumberBox) : 0;
    quick.ReferenceOn = ReferenceBtn->isChecked();
    quick.Reference = quick.ReferenceOn ? ToDocument(ReferenceBox->text()) : std::string();
    quick.AmountOn = AmountBtn->isChecked();
    quick.Amount = quick.AmountOn ? AmountOf(AmountBox) : Money();
    quick.UnreconciledOnly = UnreconciledBtn->isChecked();
    quick.TransfersOnly = TransfersBtn->isChecked();

    TDetailedSearch& detailed = criteria.Detailed;
    detailed.Kind = static_cast<TKindChoice>(CheckedIndex(KindBtns));
    detailed.State = static_cast<TStateChoice>(CheckedIndex(StateBtns));
    detailed.Transfers = static_cast<TTransfersChoice>(CheckedIndex(TransfersBtns));
    detailed.Number = {static_cast<TSearchCompare>(NumberList->currentIndex()), NumberOf(NumberBoxes[0]),
                       NumberOf(NumberBoxes[1])};
    detailed.Reference = {static_cast<TSearchCompare>(ReferenceList->currentIndex()),
                          ToDocument(ReferenceBoxes[0]->text()), ToDocument(ReferenceBoxes[1]->text())};
    detailed.Amount = {static_cast<TSearchCompare>(AmountList->currentIndex()), AmountOf(AmountBoxes[0]),
                       AmountOf(AmountBoxes[1])};
    return criteria;
}

void TTransFindForm::ResetControls() {
    Resetting = true;
    for (QCheckBox* toggle : {NumberBtn, ReferenceBtn, AmountBtn, UnreconciledBtn, TransfersBtn}) {
        toggle->setChecked(false);
        // Up already: the box still returns to "All".
        QuickToggled(toggle,
                     toggle == NumberBtn      ? NumberBox
                     : toggle == ReferenceBtn ? ReferenceBox
                     : toggle == AmountBtn    ? AmountBox
                                              : nullptr,
                     false);
    }
    PadBtn->setEnabled(false);
    KindBtns[0]->setChecked(true);
    StateBtns[0]->setChecked(true);
    TransfersBtns[0]->setChecked(true);
    for (QComboBox* list : {NumberList, ReferenceList, AmountList})
        list->setCurrentIndex(0);
    ListChanged(NumberList, NumberBoxes[0], NumberBoxes[1], nullptr, nullptr);
    ListChanged(ReferenceList, ReferenceBoxes[0], ReferenceBoxes[1], nullptr, nullptr);
    ListChanged(AmountList, AmountBoxes[0], AmountBoxes[1], AmountPads[0], AmountPads[1]);
    Resetting = false;
    UpdateButtons();
}

void TTransFindForm::ShowCriteria(const TSearchCriteria& criteria) {
    const TQuickSearch& quick = criteria.Quick;
    NumberBtn->setChecked(quick.NumberOn);
    if (quick.NumberOn)
        SetBoxText(NumberBox, QString::number(quick.Number));
    ReferenceBtn->setChecked(quick.ReferenceOn);
    if (quick.ReferenceOn)
        SetBoxText(ReferenceBox, FromDocument(quick.Reference));
    AmountBtn->setChecked(quick.AmountOn);
    if (quick.AmountOn)
        SetBoxText(AmountBox, AmountText(quick.Amount));
    UnreconciledBtn->setChecked(quick.UnreconciledOnly);
    TransfersBtn->setChecked(quick.TransfersOnly);

    const TDetailedSearch& detailed = criteria.Detailed;
    KindBtns[static_cast<int>(detailed.Kind)]->setChecked(true);
    StateBtns[static_cast<int>(detailed.State)]->setChecked(true);
    TransfersBtns[static_cast<int>(detailed.Transfers)]->setChecked(true);
    NumberList->setCurrentIndex(static_cast<int>(detailed.Number.Compare));
    ReferenceList->setCurrentIndex(static_cast<int>(detailed.Reference.Compare));
    AmountList->setCurrentIndex(static_cast<int>(detailed.Amount.Compare));
    for (int i = 0; i < 2; ++i) {
        const bool used = i == 0 ? detailed.Number.FirstUsed() : detailed.Number.SecondUsed();
        if (used)
            SetBoxText(NumberBoxes[i], QString::number(i == 0 ? detailed.Number.First : detailed.Number.Second));
        if (i == 0 ? detailed.Reference.FirstUsed() : detailed.Reference.SecondUsed())
            SetBoxText(ReferenceBoxes[i], FromDocument(i == 0 ? detailed.Reference.First : detailed.Reference.Second));
        if (i == 0 ? detailed.Amount.FirstUsed() : detailed.Amount.SecondUsed())
            SetBoxText(AmountBoxes[i], AmountText(i == 0 ? detailed.Amount.First : detailed.Amount.Second));
    }
    Pages->setCurrentIndex(criteria.Page == TSearchPage::Quick ? 0 : 1);
    UpdateButtons();
}

QLineEdit* TTransFindForm::BoxOf(TSearchBox box) const {
    switch (box) {
    case TSearchBox::QuickNumber:
        return NumberBox;
    case TSearchBox::QuickReference:
        return ReferenceBox;
    case TSearchBox::QuickAmount:
        return AmountBox;
    case TSearchBox::NumberFirst:
        return NumberBoxes[0];
    case TSearchBox::NumberSecond:
        return NumberBoxes[1];
    case TSearchBox::ReferenceFirst:
        return ReferenceBoxes[0];
    case TSearchBox::ReferenceSecond:
        return ReferenceBoxes[1];
    case TSearchBox::AmountFirst:
        return AmountBoxes[0];
    case TSearchBox::AmountSecond:
        return AmountBoxes[1];
    }
    return NumberBox;
}

void TTransFindForm::FocusPage() {
    if (Pages->currentIndex() == 0)
        NumberBtn->setFocus();
    else
        KindBtns[0]->setFocus();
}

// ---- Commands ---------------------------------------------------------------------------------

bool TTransFindForm::OpenSearch(bool newSearch) {
    ResetControls();
    if (!newSearch && Finder.Saved())
        ShowCriteria(*Finder.Saved());
    else
        Pages->setCurrentIndex(0);
    FocusPage();
    return exec() == QDialog::Accepted;
}

void TTransFindForm::ReapplySearch() {
    Finder.Reapply(Ledger, Progress);
}

void TTransFindForm::OKBtnClick() {
    const TSearchCriteria criteria = Criteria();
    if (!SearchCanApply(criteria))
        return;
    if (const std::optional<TSearchRefusal> refusal = ValidateSearch(criteria)) {
        Ask.MessageBox(refusal->Message, MsgKind::Information, MsgButtons::Ok);
        BoxOf(refusal->Box)->setFocus();
        return;
    }
    Finder.Run(Ledger, criteria, Progress);
    accept();
}

void TTransFindForm::ResetBtnClick() {
    ResetControls();
    FocusPage();
}

// Cancel, Escape and the window's close box: the controls back at their defaults; the search
// in force and its saved copy stay as they were.
void TTransFindForm::reject() {
    ResetControls();
    QDialog::reject();
}

} // namespace qz::gui
