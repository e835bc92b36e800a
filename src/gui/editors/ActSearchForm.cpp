#include "ActSearchForm.h"

#include "controls/HelpContext.h"
#include "controls/NumberPad.h"
#include "platform/TextCodec.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

// A pair of toggles, one excluding the other, under a caption.
QGroupBox* Pair(const QString& caption, QRadioButton*& first, const QString& firstText, const char* firstName,
                QRadioButton*& second, const QString& secondText, const char* secondName, QWidget* parent) {
    auto* box = new QGroupBox(caption, parent);
    first = new QRadioButton(firstText, box);
    first->setObjectName(QLatin1String(firstName));
    second = new QRadioButton(secondText, box);
    second->setObjectName(QLatin1String(secondName));
    auto* group = new QButtonGroup(box);
    group->addButton(first);
    group->addButton(second);
    auto* column = new QVBoxLayout(box);
    column->addWidget(first);
    column->addWidget(second);
    return box;
}

} // namespace

TActSearchForm::TActSearchForm(const TLedger& ledger, bool subCategories, ShowHelpFn showHelp, QWidget* parent)
    : QDialog(parent), Ledger(ledger), Help(std::move(showHelp)) {
    setWindowTitle(QStringLiteral("Find a Category"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    SetHelpContext(this, HelpTopic);

    auto* searchLabel = new QLabel(QStringLiteral("Search For:"), this);
    SearchSrc = new QLineEdit(this);
    SearchSrc->setObjectName(QStringLiteral("SearchSrc"));
    SearchSrc->setMaxLength(40);
    searchLabel->setBuddy(SearchSrc);
    PadBtn = new QToolButton(this);
    PadBtn->setObjectName(QStringLiteral("PadBtn"));
    PadBtn->setText(QStringLiteral("..."));
    PadBtn->setToolTip(QStringLiteral("Number pad"));
    connect(PadBtn, &QToolButton::clicked, this, [this] { TNumberPad::PopUp(SearchSrc); });

    QGroupBox* nature = Pair(QStringLiteral("Category Nature"), MainBtn, QStringLiteral("&Main Category"), "MainBtn",
                             SubBtn, QStringLiteral("&Sub Category"), "SubBtn", this);
    QGroupBox* kind = Pair(QStringLiteral("Category Kind"), CreditBtn, QStringLiteral("C&redit Category"), "CreditBtn",
                           DebitBtn, QStringLiteral("D&ebit Category"), "DebitBtn", this);
    QGroupBox* searchFor = Pair(QStringLiteral("Search For"), NameBtn, QStringLiteral("Category N&ame"), "NameBtn",
                                NumberBtn, QStringLiteral("Category &Number"), "NumberBtn", this);
    (subCategories ? SubBtn : MainBtn)->setChecked(true);
    CreditBtn->setChecked(true);
    NameBtn->setChecked(true);
    for (QRadioButton* toggle : {MainBtn, SubBtn, CreditBtn, DebitBtn})
        connect(toggle, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                Refill();
        });
    connect(NumberBtn, &QRadioButton::toggled, this, [this] { ModeChanged(); });
    connect(SearchSrc, &QLineEdit::textChanged, this, [this] { Refill(); });

    auto* foundLabel = new QLabel(QStringLiteral("Items Found:"), this);
    FoundList = new QTreeWidget(this);
    FoundList->setObjectName(QStringLiteral("FoundList"));
    FoundList->setHeaderLabels({QStringLiteral("No."), QStringLiteral("Name")});
    FoundList->setRootIsDecorated(false);
    FoundList->setUniformRowHeights(true);
    FoundList->setAllColumnsShowFocus(true);
    FoundList->header()->setStretchLastSection(true);
    FoundList->setColumnWidth(0, 70);
    FoundList->setMinimumHeight(200);
    foundLabel->setBuddy(FoundList);
    // A mouse click makes the row current before it selects it: the button follows the selection.
    connect(FoundList, &QTreeWidget::itemSelectionChanged, this, [this] { ChosenChanged(); });
    connect(FoundList, &QTreeWidget::itemDoubleClicked, this, &TActSearchForm::DisplayBtnClick);
    FoundList->installEventFilter(this);

    DisplayBtn = new QPushButton(QStringLiteral("&Display Category"), this);
    DisplayBtn->setObjectName(QStringLiteral("DisplayBtn"));
    DisplayBtn->setDefault(true);
    auto* resetBtn = new QPushButton(QStringLiteral("&Reset"), this);
    resetBtn->setObjectName(QStringLiteral("ResetBtn"));
    auto* closeBtn = new QPushButton(QStringLiteral("&Close"), this);
    closeBtn->setObjectName(QStringLiteral("CloseBtn"));
    auto* helpBtn = new QPushButton(QStringLiteral("&Help"), this);
    helpBtn->setObjectName(QStringLiteral("HelpBtn"));
    for (QPushButton* button : {resetBtn, closeBtn, helpBtn})
        button->setAutoDefault(false);
    connect(DisplayBtn, &QPushButton::clicked, this, &TActSearchForm::DisplayBtnClick);
    connect(resetBtn, &QPushButton::clicked, this, &TActSearchForm::ResetBtnClick);
    connect(closeBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpBtn, &QPushButton::clicked, this, [this] {
        if (Help)
            Help(HelpTopic);
    });

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(SearchSrc, 1);
    searchRow->addWidget(PadBtn);
    auto* toggles = new QHBoxLayout;
    toggles->addWidget(nature);
    toggles->addWidget(kind);
    toggles->addWidget(searchFor);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DisplayBtn);
    buttons->addWidget(resetBtn);
    buttons->addStretch();
    buttons->addWidget(closeBtn);
    buttons->addWidget(helpBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addLayout(toggles);
    layout->addWidget(foundLabel);
    layout->addWidget(FoundList, 1);
    layout->addLayout(buttons);
    ModeChanged();
    SearchSrc->setFocus();
}

std::optional<TCategoryHit> TActSearchForm::FindCategory(QWidget* parent, const TLedger& ledger, bool subCategories,
                                                         const ShowHelpFn& showHelp) {
    TActSearchForm form(ledger, subCategories, showHelp, parent);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.Found();
}

TCategorySearch TActSearchForm::Search() const {
    TCategorySearch search;
    search.SubCategories = SubBtn->isChecked();
    search.Side = DebitBtn->isChecked() ? SideDebit : SideCredit;
    search.ByNumber = NumberBtn->isChecked();
    search.Text = ToDocument(SearchSrc->text());
    return search;
}

void TActSearchForm::Refill() {
    Result.reset();
    const TCategorySearch search = Search();
    Hits = FindCategories(Ledger, search);
    const bool credit = search.Side == SideCredit;
    FoundList->setStyleSheet(QStringLiteral("QTreeWidget::item:selected { background: %1; color: %2; }")
                                 .arg(credit ? QStringLiteral("#00FF00") : QStringLiteral("#FF0000"),
                                      credit ? QStringLiteral("black") : QStringLiteral("white")));
    const QSignalBlocker quiet(FoundList);
    FoundList->clear();
    for (const TCategoryHit& hit : Hits)
        new QTreeWidgetItem(FoundList, {FromDocument(hit.NumberText), FromDocument(hit.Name)});
    ChosenChanged();
}

// Switching between name and number empties the text; numbers are digits only, on the right.
void TActSearchForm::ModeChanged() {
    const bool byNumber = NumberBtn->isChecked();
    const QSignalBlocker quiet(SearchSrc);
    SearchSrc->clear();
    SearchSrc->setValidator(
        byNumber ? new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), SearchSrc) : nullptr);
    SearchSrc->setAlignment(byNumber ? Qt::AlignRight : Qt::AlignLeft);
    PadBtn->setEnabled(byNumber);
    Refill();
}

void TActSearchForm::ChosenChanged() {
    const QTreeWidgetItem* item = FoundList->currentItem();
    DisplayBtn->setEnabled(item && item->isSelected());
}

void TActSearchForm::DisplayBtnClick() {
    QTreeWidgetItem* item = FoundList->currentItem();
    const int row = item ? FoundList->indexOfTopLevelItem(item) : -1;
    if (row < 0 || row >= static_cast<int>(Hits.size()))
        return;
    Result = Hits[static_cast<std::size_t>(row)];
    accept();
}

// Enter on the results displays the one chosen, as the default button does elsewhere.
bool TActSearchForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FoundList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            DisplayBtnClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TActSearchForm::ResetBtnClick() {
    MainBtn->setChecked(true);
    CreditBtn->setChecked(true);
    NameBtn->setChecked(true);
    SearchSrc->clear();
    Refill();
}

} // namespace qz::gui
