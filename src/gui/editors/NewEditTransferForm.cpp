#include "NewEditTransferForm.h"

#include "TransactBookCombo.h"
#include "controls/DateBox.h"
#include "controls/HelpContext.h"
#include "controls/Keyboard.h"
#include "controls/NumberBox.h"
#include "controls/NumberPad.h"
#include "controls/TextBox.h"
#include "edit/TransactionLists.h"
#include "grid/WinColour.h"
#include "platform/TextCodec.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace qz::gui {

namespace {

constexpr int AccountListWidth = 240;

QDate CalendarDayOf(TDateTime date) {
    const CalendarDate day = DecodeDate(date);
    return QDate(day.Year, day.Month, day.Day);
}

TDateTime DayNumberOf(QDate date) {
    return EncodeDate(date.year(), date.month(), date.day());
}

QFont DescriptionFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(9);
    font.setBold(true);
    return font;
}

QLabel* FieldLabel(const char* caption, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setBuddy(buddy);
    return label;
}

template <class T> T* Named(T* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

// ---- The description line ------------------------------------------------------------------------

TTransferDescription::TTransferDescription(QWidget* parent) : QWidget(parent) {
    setFont(DescriptionFont());
    // The fields below keep their places while the line is hidden.
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    policy.setRetainSizeWhenHidden(true);
    setSizePolicy(policy);
}

void TTransferDescription::SetPieces(std::vector<TDescriptionPiece> pieces) {
    Shown = std::move(pieces);
    QString whole;
    for (const TDescriptionPiece& piece : Shown)
        whole += FromDocument(piece.Text);
    setToolTip(whole);
    setVisible(!Shown.empty());
    update();
}

QSize TTransferDescription::sizeHint() const {
    return {360, fontMetrics().height() + 8};
}

void TTransferDescription::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    const QFontMetrics metrics = painter.fontMetrics();
    // The names share what the other pieces leave when the whole line does not fit.
    int fixed = 0;
    int names = 0;
    for (const TDescriptionPiece& piece : Shown)
        (piece.Part == TDescriptionPiece::Account ? names : fixed) +=
            metrics.horizontalAdvance(FromDocument(piece.Text));
    const int room = width() - 4 - fixed;
    const int nameCount = static_cast<int>(
        std::count_if(Shown.begin(), Shown.end(), [](const auto& p) { return p.Part == TDescriptionPiece::Account; }));
    const int nameRoom =
        names > room && nameCount > 0 ? std::max(room / nameCount, metrics.averageCharWidth() * 3) : -1;
    int x = 2;
    const QRect line = rect().adjusted(0, 2, 0, -2);
    for (const TDescriptionPiece& piece : Shown) {
        QString text = FromDocument(piece.Text);
        if (piece.Part == TDescriptionPiece::Account && nameRoom >= 0)
            text = metrics.elidedText(text, Qt::ElideRight, nameRoom);
        const int w = metrics.horizontalAdvance(text);
        const QRect box(x, line.top(), w, line.height());
        switch (piece.Part) {
        case TDescriptionPiece::Account:
            painter.fillRect(box, ToQColor(piece.Colour));
            painter.setPen(QColor(Qt::white));
            break;
        case TDescriptionPiece::Amount:
            painter.setPen(QColor(Qt::blue));
            break;
        case TDescriptionPiece::Plain:
            painter.setPen(palette().color(QPalette::WindowText));
            break;
        }
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
        x += w;
    }
}

// ---- The dialog -----------------------------------------------------------------------------------

TNewEditTransfer::TNewEditTransfer(const TTransferContext& context, bool isNew, const TTransferFields& fields,
                                   QWidget* parent)
    : QDialog(parent), Ctx(context) {
    setWindowTitle(isNew ? QStringLiteral("New Transfer") : QStringLiteral("Edit Transfer"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setObjectName(QStringLiteral("NewEditTransfer"));
    SetHelpContext(this, HelpTopic);
    CreateControls();
    LayOut();

    ComboFrom->SetAccounts(AccountItems(Ctx.Edit->Ledger), fields.FromAccount);
    FillToList(fields.ToAccount);
    DateEditBtn->SetDate(CalendarDayOf(fields.Date));
    NbrBoxAmount->SetValue(fields.Amount);
    EditReference->setText(FromDocument(fields.Reference));
    MemoNotes->setPlainText(FromDocument(fields.Notes));

    connect(ComboFrom, &QComboBox::currentIndexChanged, this, [this] { FromChanged(); });
    connect(ComboTo, &QComboBox::currentIndexChanged, this, [this] { ShowDescription(); });
    connect(DateEditBtn, &QDateEdit::dateChanged, this, [this] { ShowDescription(); });
    connect(NbrBoxAmount, &QLineEdit::textChanged, this, [this] { ShowDescription(); });
    connect(MemoNotes, &QPlainTextEdit::textChanged, this, [this] { LimitNotes(); });
    connect(OKBtn, &QPushButton::clicked, this, &TNewEditTransfer::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, [this] {
        if (Ctx.ShowHelp)
            Ctx.ShowHelp(HelpTopic);
    });
    ShowDescription();
    setFixedSize(sizeHint());
    (fields.ToAccount ? static_cast<QWidget*>(NbrBoxAmount) : ComboTo)->setFocus();
}

void TNewEditTransfer::CreateControls() {
    ComboFrom = Named(new TBookCombo(this), "ComboFrom");
    ComboTo = Named(new TBookCombo(this), "ComboTo");
    for (TBookCombo* list : {ComboFrom, ComboTo}) {
        list->setMinimumWidth(AccountListWidth);
        list->setMaxVisibleItems(16);
    }
    DateEditBtn = Named(new TDateBox(QDate::currentDate(), this), "DateEditBtn");
    DateEditBtn->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    DateEditBtn->setMinimumWidth(120);
    NbrBoxAmount = Named(new TNumberBox(TNumberKind::Currency, this), "NbrBoxAmount");
    NbrBoxAmount->SetMaxLength(AmountLength);
    NbrBoxAmount->setAlignment(Qt::AlignRight);
    NbrBoxAmount->SetButtonVisible(true);
    NbrBoxAmount->setMinimumWidth(120);
    EditReference = Named(new TTextBox(TTextBox::ReferenceLength, this), "EditReference");
    EditReference->SetButtonVisible(true);
    MemoNotes = Named(new QPlainTextEdit(this), "MemoNotes");
    MemoNotes->setTabChangesFocus(true);
    MemoNotes->setFixedHeight(MemoNotes->fontMetrics().lineSpacing() * 3 + 12);
    Description = Named(new TTransferDescription(this), "Description");

    auto* buttons = new QDialogButtonBox(this);
    OKBtn = Named(buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole), "OKBtn");
    CancelBtn = Named(buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole), "CancelBtn");
    HelpBtn = Named(buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole), "HelpBtn");
    OKBtn->setDefault(true);
    for (QPushButton* button : {CancelBtn, HelpBtn})
        button->setAutoDefault(false);
    buttons->setObjectName(QStringLiteral("Buttons"));
}

void TNewEditTransfer::LayOut() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    grid->addWidget(FieldLabel("&From Account", ComboFrom, this), 0, 0);
    grid->addWidget(FieldLabel("&To Account", ComboTo, this), 0, 2);
    grid->addWidget(ComboFrom, 1, 0, 1, 2);
    grid->addWidget(ComboTo, 1, 2, 1, 2);
    grid->addWidget(FieldLabel("&Date", DateEditBtn, this), 2, 0);
    grid->addWidget(FieldLabel("A&mount", NbrBoxAmount, this), 2, 2);
    grid->addWidget(DateEditBtn, 3, 0, 1, 2);
    grid->addWidget(NbrBoxAmount, 3, 2, 1, 2);
    grid->addWidget(FieldLabel("&Reference", EditReference, this), 4, 0);
    grid->addWidget(EditReference, 5, 0, 1, 2);
    grid->addWidget(FieldLabel("&Notes", MemoNotes, this), 6, 0);
    grid->addWidget(MemoNotes, 7, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Description);
    layout->addSpacing(4);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addWidget(findChild<QDialogButtonBox*>(QStringLiteral("Buttons")));
}

void TNewEditTransfer::FillToList(std::optional<std::int32_t> chosen) {
    std::vector<TAccountItem> accounts = AccountItems(Ctx.Edit->Ledger);
    const std::optional<std::int32_t> from = ComboFrom->ChosenNumber();
    std::erase_if(accounts, [&](const TAccountItem& account) { return from && account.Number == *from; });
    const QSignalBlocker quiet(ComboTo);
    ComboTo->SetAccounts(accounts, chosen);
}

void TNewEditTransfer::FromChanged() {
    FillToList(ComboTo->ChosenNumber());
    ShowDescription();
}

void TNewEditTransfer::ShowDescription() {
    Description->SetPieces(TransferDescription(Ctx.Edit->Ledger, Fields(), *Ctx.Formats));
    OKBtn->setEnabled(ComboFrom->ChosenNumber() && ComboTo->ChosenNumber());
}

// The notes hold as many characters as the record does.
void TNewEditTransfer::LimitNotes() {
    std::string notes = ToDocument(MemoNotes->toPlainText());
    if (notes.size() <= TTransList::NotesCapacity)
        return;
    notes.resize(TTransList::NotesCapacity);
    const QSignalBlocker quiet(MemoNotes);
    MemoNotes->setPlainText(FromDocument(notes));
    MemoNotes->moveCursor(QTextCursor::End);
}

TTransferFields TNewEditTransfer::Fields() const {
    TTransferFields fields;
    fields.FromAccount = ComboFrom->ChosenNumber();
    fields.ToAccount = ComboTo->ChosenNumber();
    fields.Date = DayNumberOf(DateEditBtn->date());
    fields.Amount = NbrBoxAmount->Value();
    fields.Reference = ToDocument(EditReference->text());
    fields.Notes = ToDocument(MemoNotes->toPlainText());
    return fields;
}

void TNewEditTransfer::Focus(const TTransferRefusal& refusal) {
    switch (refusal.Focus) {
    case TTransferField::FromAccount:
        ComboFrom->setFocus();
        break;
    case TTransferField::ToAccount:
        ComboTo->setFocus();
        break;
    case TTransferField::Date:
        DateEditBtn->FocusDate(refusal.Date ? CalendarDayOf(*refusal.Date) : DateEditBtn->date());
        break;
    case TTransferField::Amount:
        NbrBoxAmount->setFocus();
        NbrBoxAmount->selectAll();
        break;
    case TTransferField::None:
        break;
    }
}

void TNewEditTransfer::OKBtnClick() {
    if (!OKBtn->isEnabled())
        return;
    const TTransferRefusal refusal = CheckTransfer(Ctx.Edit->Ledger, Fields(), *Ctx.Formats);
    if (refusal) {
        Ctx.Edit->Inform(refusal.Text);
        Focus(refusal);
        return;
    }
    accept();
}

bool TNewEditTransfer::EditTransfer(QWidget* parent, const TTransferContext& context, bool isNew,
                                    TTransferFields& fields) {
    TNewEditTransfer dialog(context, isNew, fields, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    fields = dialog.Fields();
    return true;
}

} // namespace qz::gui
