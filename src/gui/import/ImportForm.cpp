#include "ImportForm.h"

#include "CsvMappingPanel.h"

#include "filters/StatementText.h"
#include "platform/TextCodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace qz::gui {

namespace {

constexpr int SubRole = Qt::UserRole + 1;
constexpr int TransferRole = Qt::UserRole + 2;
// The rows the mapping panel offers a column by: the header and the first row are enough.
constexpr std::size_t LayoutRows = 1;
const QColor Refusal(176, 0, 0);

QString LineCount(int count) {
    return count == 1 ? QStringLiteral("1 line") : QStringLiteral("%1 lines").arg(count);
}

QTableWidgetItem* Cell(const QString& text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(alignment);
    return item;
}

} // namespace

// The Category cell of a line opens a list of the categories of the line's side.
class TCategoryDelegate : public QStyledItemDelegate {
public:
    explicit TCategoryDelegate(TImportForm& form) : QStyledItemDelegate(&form), Form(form) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
        const auto row = static_cast<std::size_t>(index.row());
        if (row >= Form.Preview().size() || !Form.Preview()[row].Source.Good())
            return nullptr;
        const QComboBox* side = Form.FallbackBox(Form.Preview()[row].Credit());
        auto* box = new QComboBox(parent);
        box->setObjectName(QStringLiteral("LineCategoryBox"));
        box->addItem(QStringLiteral("(as suggested or chosen below)"), 0);
        for (int i = 1; i < side->count(); ++i) {
            box->addItem(side->itemText(i), side->itemData(i));
            box->setItemData(box->count() - 1, side->itemData(i, SubRole), SubRole);
        }
        for (const TBookRec* book : Form.EditContext().Ledger.BookList.KeyList)
            if (book->Number != Form.AccountBox()->currentData().toInt()) {
                box->addItem(
                    (Form.Preview()[row].Credit() ? QStringLiteral("Transfer from ") : QStringLiteral("Transfer to ")) +
                        FromDocument(book->Name.Str()),
                    -1);
                box->setItemData(box->count() - 1, book->Number, TransferRole);
            }
        QObject::connect(box, &QComboBox::activated, box, [this, box] {
            auto* self = const_cast<TCategoryDelegate*>(this);
            emit self->commitData(box);
            emit self->closeEditor(box);
        });
        return box;
    }

    void setEditorData(QWidget*, const QModelIndex&) const override {}

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
        const auto* box = static_cast<QComboBox*>(editor);
        const int main = box->currentData().toInt();
        std::optional<TLineChoice> choice;
        if (main > 0)
            choice = TLineChoice{{main, box->currentData(SubRole).toInt(), 0}, std::nullopt};
        else if (main < 0)
            choice = TLineChoice{{}, box->currentData(TransferRole).toInt()};
        Form.ChooseCategory(index.row(), choice);
    }

private:
    TImportForm& Form;
};

TImportForm::TImportForm(TImportContext context, std::string path, QWidget* parent)
    : QDialog(parent), Ctx(std::move(context)), Path(std::move(path)) {
    setObjectName(QStringLiteral("ImportForm"));
    setWindowTitle(QStringLiteral("Import Statement"));
    CreateControls();
    FillAccounts();
    FillFallbacks();
    resize(1100, 560);
}

TImportForm::~TImportForm() = default;

void TImportForm::CreateControls() {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    FileLabel = new QLabel(this);
    FileLabel->setObjectName(QStringLiteral("FileLabel"));
    FileLabel->setText(
        QStringLiteral("Statement: <b>%1</b>").arg(QFileInfo(QString::fromStdString(Path)).fileName().toHtmlEscaped()));
    Account = new QComboBox(this);
    Account->setObjectName(QStringLiteral("AccountBox"));
    Account->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* accountLabel = new QLabel(QStringLiteral("Into &account:"), this);
    accountLabel->setBuddy(Account);
    top->addWidget(FileLabel, 1);
    top->addWidget(accountLabel);
    top->addWidget(Account);
    layout->addLayout(top);

    Mapping = new TCsvMappingPanel(this);
    Mapping->hide();
    layout->addWidget(Mapping);

    Lines = new QTableWidget(0, 7, this);
    Lines->setObjectName(QStringLiteral("LinesTable"));
    Lines->setHorizontalHeaderLabels({QString(), QStringLiteral("Date"), QStringLiteral("Reference"),
                                      QStringLiteral("Payee / Memo"), QStringLiteral("Amount"),
                                      QStringLiteral("Category"), QStringLiteral("Note")});
    Lines->verticalHeader()->hide();
    Lines->setSelectionBehavior(QAbstractItemView::SelectRows);
    Lines->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    Lines->setItemDelegateForColumn(CategoryColumn, new TCategoryDelegate(*this));
    Lines->setWordWrap(false);
    Lines->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    Lines->horizontalHeader()->setStretchLastSection(false);
    Lines->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    layout->addWidget(Lines, 1);
    Lines->viewport()->installEventFilter(this);
    connect(Lines, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (Filling || item->column() != TickColumn)
            return;
        const auto row = static_cast<std::size_t>(item->row());
        if (row < Ticks.size())
            Ticks[row] = item->checkState() == Qt::Checked;
        UpdateStatus();
    });

    auto* fallbacks = new QGridLayout;
    CreditFallback = new QComboBox(this);
    CreditFallback->setObjectName(QStringLiteral("CreditFallback"));
    DebitFallback = new QComboBox(this);
    DebitFallback->setObjectName(QStringLiteral("DebitFallback"));
    auto* creditLabel = new QLabel(QStringLiteral("Money &in without a suggested category:"), this);
    creditLabel->setBuddy(CreditFallback);
    auto* debitLabel = new QLabel(QStringLiteral("Money &out without a suggested category:"), this);
    debitLabel->setBuddy(DebitFallback);
    fallbacks->addWidget(creditLabel, 0, 0);
    fallbacks->addWidget(CreditFallback, 0, 1);
    fallbacks->addWidget(debitLabel, 1, 0);
    fallbacks->addWidget(DebitFallback, 1, 1);
    fallbacks->setColumnStretch(2, 1);
    layout->addLayout(fallbacks);
    Transfers = new QCheckBox(QStringLiteral("Lines the statement files under another account of this file come "
                                             "in as &transfers with it"),
                              this);
    Transfers->setObjectName(QStringLiteral("TransfersBox"));
    Transfers->hide();
    layout->addWidget(Transfers);
    connect(Transfers, &QCheckBox::toggled, this, [this] { FillLines(); });

    Status = new QLabel(this);
    Status->setObjectName(QStringLiteral("StatusLabel"));
    Status->setWordWrap(true);
    layout->addWidget(Status);

    auto* buttons = new QDialogButtonBox(this);
    ImportBtn = buttons->addButton(QStringLiteral("&Import"), QDialogButtonBox::AcceptRole);
    ImportBtn->setObjectName(QStringLiteral("ImportBtn"));
    CancelBtn = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    for (QPushButton* button : {ImportBtn, CancelBtn})
        button->setAutoDefault(false);
    connect(ImportBtn, &QPushButton::clicked, this, &TImportForm::ImportBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(Account, &QComboBox::currentIndexChanged, this, [this] {
        if (!Filling)
            RunPreview();
    });
    for (QComboBox* box : {CreditFallback, DebitFallback})
        connect(box, &QComboBox::currentIndexChanged, this, [this] {
            if (!Filling)
                FillLines();
        });
    connect(Mapping, &TCsvMappingPanel::Changed, this, &TImportForm::MappingChanged);
}

void TImportForm::FillAccounts() {
    const TLedger& ledger = Ctx.Edit->Ledger;
    Filling = true;
    int first = -1;
    for (const TBookRec* book : ledger.BookList.KeyList) {
        Account->addItem(FromDocument(book->Name.Str()), book->Number);
        // The account the account bar shows, when it shows one of several.
        if (first < 0 && book->Selected)
            first = Account->count() - 1;
    }
    Account->setCurrentIndex(std::max(first, 0));
    Filling = false;
}

void TImportForm::FillFallbacks() {
    const TLedger& ledger = Ctx.Edit->Ledger;
    Filling = true;
    for (QComboBox* box : {CreditFallback, DebitFallback}) {
        const std::uint8_t side = box == CreditFallback ? SideCredit : SideDebit;
        box->addItem(QStringLiteral("(choose a category)"), 0);
        for (const TSubActRec* sub : ledger.SubActList.KeyList) {
            if (!sub->MainActRec || sub->MainActRec->Side != side)
                continue;
            box->addItem(CategoryText({sub->MainAct, sub->Number, 0}), sub->MainAct);
            box->setItemData(box->count() - 1, sub->Number, SubRole);
        }
    }
    Filling = false;
}

std::int32_t TImportForm::ChosenAccount() const {
    return Account->currentData().toInt();
}

QString TImportForm::CategoryText(const TImportCategory& category) const {
    const TLedger& ledger = Ctx.Edit->Ledger;
    const TMainActRec* main = ledger.MainActList.FindByNumber(category.MainAct);
    const TSubActRec* sub = ledger.SubActList.FindPair(category.MainAct, category.SubAct);
    QString text = main ? FromDocument(main->Name.Str()) : QString::number(category.MainAct);
    text += QStringLiteral(" - ") + (sub ? FromDocument(sub->Name.Str()) : QString::number(category.SubAct));
    if (category.Group != 0)
        if (const TGroupRec* group = ledger.GroupList.Find(category.Group))
            text += QStringLiteral(" (") + FromDocument(group->Name.Str()) + QLatin1Char(')');
    return text;
}

// ---- Reading ---------------------------------------------------------------------------------

bool TImportForm::Load() {
    if (Ctx.Edit->Ledger.BookList.KeyList.empty()) {
        Ctx.Edit->Inform("The file has no account to import the statement into. Create an account first.");
        return false;
    }
    Type = DetectStatementType(Path);
    std::string error;
    if (Type == TStatementType::Csv && ReadStatementBytes(Path, Bytes, error))
        TCsvReader::ReadLayout(Bytes, LayoutRows, Layout, error);
    if (error.empty()) {
        if (Type == TStatementType::Csv) {
            const TCsvMapping initial = InitialMapping(*Ctx.Values, Layout);
            ShowLayout(initial.Separator);
            Mapping->SetMapping(initial);
            Mapping->show();
        }
        if (ReadStatement() || Type == TStatementType::Csv) {
            RunPreview();
            return true;
        }
        error = Statement.Error;
    }
    Ctx.Edit->Ask.MessageBox("The statement cannot be imported.\r" + Path + ": " + error + "\rNothing was imported.",
                             MsgKind::Warning, MsgButtons::Ok);
    return false;
}

bool TImportForm::ReadStatement() {
    if (Type != TStatementType::Csv) {
        Statement = qz::ReadStatement(Path, {});
        return Statement.Ok();
    }
    const TCsvMapping mapping = Mapping->Mapping();
    if (!mapping.Complete())
        Statement =
            TStatement::Refused("Choose the columns of the date and the amount (or of the debit and the credit).");
    else
        Statement = TCsvReader(mapping.Options()).Read(Bytes);
    return Statement.Ok();
}

// The panel's columns as the file splits at `separator`.
void TImportForm::ShowLayout(char separator) {
    PanelSeparator = separator;
    TCsvLayout layout;
    std::string error;
    if (separator == Layout.Separator || !TCsvReader::ReadLayout(Bytes, LayoutRows, layout, error, separator))
        layout = Layout;
    Mapping->SetLayout(layout);
}

void TImportForm::MappingChanged() {
    // Another separator makes other columns.
    if (const char separator = Mapping->Mapping().Separator; separator != PanelSeparator)
        ShowLayout(separator);
    ReadStatement();
    Chosen.clear();
    RunPreview();
}

void TImportForm::RunPreview() {
    Preview_ =
        Statement.Ok() ? PreviewImport(Ctx.Edit->Ledger, ChosenAccount(), Statement) : std::vector<TImportLine>{};
    Ticks.assign(Preview_.size(), false);
    for (std::size_t i = 0; i < Preview_.size(); ++i)
        Ticks[i] = Preview_[i].Ticked;
    // The lines stay the statement's own when only the account changed; a transfer with the
    // account now chosen is no transfer.
    Chosen.resize(Preview_.size());
    for (std::optional<TLineChoice>& choice : Chosen)
        if (choice && choice->TransferAccount == ChosenAccount())
            choice.reset();
    Transfers->setVisible(std::any_of(Preview_.begin(), Preview_.end(),
                                      [](const TImportLine& line) { return line.TransferAccount.has_value(); }));
    FillLines();
}

// ---- Showing ---------------------------------------------------------------------------------

std::optional<TLineChoice> TImportForm::ChoiceOf(std::size_t index) const {
    const TImportLine& line = Preview_[index];
    if (Chosen[index])
        return Chosen[index];
    if (line.TransferAccount && Transfers->isChecked())
        return TLineChoice{{}, line.TransferAccount};
    if (line.Suggested)
        return TLineChoice{*line.Suggested, std::nullopt};
    const QComboBox* box = line.Credit() ? CreditFallback : DebitFallback;
    if (box->currentData().toInt() == 0)
        return std::nullopt;
    return TLineChoice{{box->currentData().toInt(), box->currentData(SubRole).toInt(), 0}, std::nullopt};
}

QString TImportForm::ChoiceText(const TLineChoice& choice, bool credit) const {
    if (!choice.TransferAccount)
        return CategoryText(choice.Category);
    const TBookRec* book = Ctx.Edit->Ledger.BookList.Find(*choice.TransferAccount);
    return (credit ? QStringLiteral("Transfer from ") : QStringLiteral("Transfer to ")) +
           (book ? FromDocument(book->Name.Str()) : QString::number(*choice.TransferAccount));
}

void TImportForm::FillLines() {
    const TDisplayFormats& formats = *Ctx.Formats;
    Filling = true;
    Lines->setUpdatesEnabled(false);
    Lines->setRowCount(static_cast<int>(Preview_.size()));
    for (std::size_t i = 0; i < Preview_.size(); ++i) {
        const TImportLine& line = Preview_[i];
        const TStatementLine& s = line.Source;
        const int row = static_cast<int>(i);
        auto* tick = Cell(QString());
        if (s.Good()) {
            tick->setFlags(tick->flags() | Qt::ItemIsUserCheckable);
            tick->setCheckState(Ticks[i] ? Qt::Checked : Qt::Unchecked);
        } else {
            tick->setFlags(Qt::NoItemFlags);
            tick->setData(Qt::CheckStateRole, QVariant());
        }
        Lines->setItem(row, TickColumn, tick);
        Lines->setItem(row, DateColumn, Cell(s.Good() ? QString::fromStdString(formats.DateText(s.Date)) : QString()));
        Lines->setItem(row, ReferenceColumn, Cell(FromDocument(ImportReference(s))));
        Lines->setItem(row, PayeeColumn, Cell(FromDocument(ImportNotes(s))));
        Lines->setItem(row, AmountColumn,
                       Cell(s.Good() ? QString::fromStdString(formats.MoneyText(Money::FromCents(s.Cents))) : QString(),
                            Qt::AlignRight | Qt::AlignVCenter));
        QTableWidgetItem* category = nullptr;
        QTableWidgetItem* note = nullptr;
        if (!s.Good()) {
            category = Cell(QString());
            note = Cell(QString::fromStdString(s.Bad));
            note->setForeground(Refusal);
        } else {
            const std::optional<TLineChoice> chosen = ChoiceOf(i);
            category = Cell(chosen ? ChoiceText(*chosen, line.Credit()) : QStringLiteral("(none chosen)"));
            category->setFlags(category->flags() | Qt::ItemIsEditable);
            category->setToolTip(QStringLiteral("Double-click to choose this line's category"));
            if (!chosen)
                category->setForeground(Refusal);
            else if (!line.Suggested && !Chosen[i] && !chosen->TransferAccount) {
                QFont italic = font();
                italic.setItalic(true);
                category->setFont(italic);
            }
            note =
                Cell(line.Duplicate() ? QStringLiteral("Already in the account: no. %1").arg(line.DuplicateOf->Number)
                                      : QString());
            if (!line.Duplicate() && line.TransferAccount)
                if (const TBookRec* book = Ctx.Edit->Ledger.BookList.Find(*line.TransferAccount))
                    note->setText(
                        QStringLiteral("The statement files it under %1").arg(FromDocument(book->Name.Str())));
            if (line.Duplicate())
                note->setToolTip(QStringLiteral("Transaction %1 of %2 matches this line: it is left out unless "
                                                "ticked.")
                                     .arg(line.DuplicateOf->Number)
                                     .arg(QString::fromStdString(formats.DateText(line.DuplicateOf->Date))));
        }
        if (note->toolTip().isEmpty())
            note->setToolTip(note->text());
        Lines->setItem(row, CategoryColumn, category);
        Lines->setItem(row, NoteColumn, note);
        if (!s.Good())
            for (int column = DateColumn; column < NoteColumn; ++column)
                Lines->item(row, column)->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
    }
    FitColumns();
    Lines->setUpdatesEnabled(true);
    Filling = false;
    UpdateStatus();
}

// Every column as wide as its texts, except the payee and the note, which share what the
// table has left (the note at most as wide as its longest text; its tip holds the whole of it).
void TImportForm::FitColumns() {
    Lines->resizeColumnsToContents();
    int fixed = 0;
    for (int column = 0; column < Lines->columnCount(); ++column)
        if (column != PayeeColumn && column != NoteColumn)
            fixed += Lines->columnWidth(column);
    const int available = Lines->viewport()->width() - fixed;
    const int payeeWanted = std::min(Lines->columnWidth(PayeeColumn), 300);
    const int note = std::min(Lines->columnWidth(NoteColumn), std::max(160, available - payeeWanted));
    Lines->setColumnWidth(NoteColumn, note);
    Lines->setColumnWidth(PayeeColumn, std::max(140, available - note));
}

// Enter in the mapping panel or the list must not write the statement: only "&Import" does.
void TImportForm::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TImportForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Lines->viewport() && event->type() == QEvent::Resize)
        FitColumns();
    return QDialog::eventFilter(watched, event);
}

void TImportForm::UpdateStatus() {
    if (!Statement.Ok()) {
        Status->setText(QStringLiteral("<span style='color:#b00000'>%1</span>")
                            .arg(QString::fromStdString(Statement.Error).toHtmlEscaped()));
        ImportBtn->setEnabled(false);
        return;
    }
    int ticked = 0, duplicates = 0, bad = 0, missing = 0;
    for (std::size_t i = 0; i < Preview_.size(); ++i) {
        const TImportLine& line = Preview_[i];
        bad += !line.Source.Good();
        duplicates += line.Duplicate();
        if (Ticks[i]) {
            ++ticked;
            missing += !ChoiceOf(i).has_value();
        }
    }
    QString text = QStringLiteral("%1 in the statement: %2 ticked, %3 already in the account, %4 that cannot be "
                                  "imported.")
                       .arg(LineCount(static_cast<int>(Preview_.size())))
                       .arg(ticked)
                       .arg(duplicates)
                       .arg(bad);
    if (missing > 0)
        text += QStringLiteral("<br><span style='color:#b00000'>%1 ticked without a category: choose the category "
                               "for money in or money out below, or untick %2.</span>")
                    .arg(LineCount(missing))
                    .arg(missing == 1 ? QStringLiteral("it") : QStringLiteral("them"));
    Status->setText(text);
    ImportBtn->setEnabled(ticked > 0);
}

void TImportForm::ChooseCategory(int row, std::optional<TLineChoice> choice) {
    if (row < 0 || static_cast<std::size_t>(row) >= Chosen.size())
        return;
    Chosen[static_cast<std::size_t>(row)] = choice;
    // Filled again once the editor has gone.
    QTimer::singleShot(0, this, [this] { FillLines(); });
}

void TImportForm::SetTicked(int row, bool ticked) {
    if (QTableWidgetItem* item = Lines->item(row, TickColumn); item && (item->flags() & Qt::ItemIsUserCheckable))
        item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

// ---- Import ----------------------------------------------------------------------------------

void TImportForm::ImportBtnClick() {
    if (!Statement.Ok()) {
        Ctx.Edit->Inform(Statement.Error);
        return;
    }
    std::vector<TImportEntry> entries;
    int missing = 0;
    for (std::size_t i = 0; i < Preview_.size(); ++i) {
        if (!Ticks[i] || !Preview_[i].Source.Good())
            continue;
        if (const std::optional<TLineChoice> choice = ChoiceOf(i))
            entries.push_back({Preview_[i].Source, choice->Category, choice->TransferAccount});
        else
            ++missing;
    }
    if (missing > 0) {
        Ctx.Edit->Inform(std::to_string(missing) + (missing == 1 ? " ticked line has" : " ticked lines have") +
                         " no category. Choose the category for money in or money out, or untick " +
                         (missing == 1 ? "it" : "them") + ". Nothing was imported.");
        return;
    }
    if (entries.empty()) {
        Ctx.Edit->Inform("No line is ticked: there is nothing to import.");
        return;
    }
    const TEditOutcome outcome = ImportStatement(*Ctx.Edit, ChosenAccount(), entries);
    if (!outcome.Done())
        return; // refused or not stored: the operation or the file manager said why
    Written = outcome;
    if (Type == TStatementType::Csv)
        RememberMapping(*Ctx.Values, Layout.Key, Mapping->Mapping());
    accept();
}

std::optional<TEditOutcome> TImportForm::OpenImport(QWidget* parent, const TImportContext& context,
                                                    const std::string& path) {
    TImportForm form(context, path, parent);
    if (!form.Load())
        return std::nullopt;
    form.exec();
    return form.Outcome();
}

} // namespace qz::gui
