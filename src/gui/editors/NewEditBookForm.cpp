#include "NewEditBookForm.h"

#include "controls/DateBox.h"
#include "controls/NumberPad.h"
#include "controls/PercentBox.h"
#include "grid/WinColour.h"
#include "platform/TextCodec.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

constexpr int NameLength = decltype(TBookRec::Name)::Capacity;
constexpr int DefaultColourCount = 10;

QDate CalendarDayOf(TDateTime date) {
    const CalendarDate day = DecodeDate(date);
    return QDate(day.Year, day.Month, day.Day);
}

TDateTime DayNumberOf(QDate date) {
    return EncodeDate(date.year(), date.month(), date.day());
}

QPixmap Swatch(QColor colour, QSize size) {
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(QColor(Qt::black));
    painter.setBrush(colour);
    painter.drawRect(QRect(QPoint(0, 0), size - QSize(1, 1)));
    return picture;
}

QGroupBox* Box(const QString& title, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    new QHBoxLayout(box);
    return box;
}

} // namespace

TNewEditBookForm::TNewEditBookForm(bool isNew, const TAccountFields& fields, QWidget* parent)
    : QDialog(parent), Chosen(fields.Colour) {
    setWindowTitle(isNew ? QStringLiteral("New Account") : QStringLiteral("Edit Account"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setObjectName(QStringLiteral("NewEditBookForm"));

    QGroupBox* nameBox = Box(QStringLiteral("Account Name && Colour"), this);
    NameEdit = new QLineEdit(FromDocument(fields.Name), nameBox);
    NameEdit->setObjectName(QStringLiteral("NameEdit"));
    NameEdit->setMaxLength(NameLength);
    NameEdit->setMinimumWidth(240);
    ColourBtn = new QToolButton(nameBox);
    ColourBtn->setObjectName(QStringLiteral("ColourBtn"));
    ColourBtn->setToolTip(QStringLiteral("Change the colour of the Book"));
    ColourBtn->setFixedSize(32, NameEdit->sizeHint().height() + 2);
    ColourBtn->setIconSize(QSize(22, 14));
    nameBox->layout()->addWidget(NameEdit);
    nameBox->layout()->addWidget(ColourBtn);

    QGroupBox* openingBox = Box(QStringLiteral("Opening Balance"), this);
    OpeningBox = new TPercentBox(MaxAmount, openingBox, true);
    OpeningBox->setObjectName(QStringLiteral("OpeningBox"));
    OpeningBox->setMaxLength(OpeningBalanceLength);
    OpeningBox->setAlignment(Qt::AlignRight);
    OpeningBox->setFixedWidth(120);
    OpeningBox->SetValue(fields.OpeningBalance);
    NumberPadBtn = new QToolButton(openingBox);
    NumberPadBtn->setObjectName(QStringLiteral("NumberPadBtn"));
    NumberPadBtn->setText(QStringLiteral("..."));
    NumberPadBtn->setToolTip(QStringLiteral("Number pad"));
    NumberPadBtn->setFocusPolicy(Qt::NoFocus);
    openingBox->layout()->addWidget(OpeningBox);
    openingBox->layout()->addWidget(NumberPadBtn);
    static_cast<QHBoxLayout*>(openingBox->layout())->addStretch();

    QGroupBox* dateBox = Box(QStringLiteral("Starting Date"), this);
    DateBox = new TDateBox(CalendarDayOf(fields.Date), dateBox);
    DateBox->setObjectName(QStringLiteral("DateBox"));
    DateBox->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    DateBox->setCalendarPopup(true);
    DateBox->setMinimumWidth(120);
    dateBox->layout()->addWidget(DateBox);
    static_cast<QHBoxLayout*>(dateBox->layout())->addStretch();

    auto* buttons = new QDialogButtonBox(this);
    OKBtn = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    CancelBtn = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(ColourBtn, &QToolButton::clicked, this, &TNewEditBookForm::ColourBtnClick);
    connect(NumberPadBtn, &QToolButton::clicked, this, &TNewEditBookForm::NumberPadBtnClick);
    connect(NameEdit, &QLineEdit::textChanged, this, [this] { NameChanged(); });

    auto* figures = new QHBoxLayout;
    figures->addWidget(openingBox, 1);
    figures->addWidget(dateBox, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(nameBox);
    layout->addLayout(figures);
    layout->addSpacing(4);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());

    ShowColour();
    NameChanged();
    NameEdit->selectAll();
    NameEdit->setFocus();
}

void TNewEditBookForm::NameChanged() {
    OKBtn->setEnabled(!NameEdit->text().trimmed().isEmpty());
}

void TNewEditBookForm::ShowColour() {
    ColourBtn->setIcon(QIcon(Swatch(ToQColor(Chosen), ColourBtn->iconSize())));
}

void TNewEditBookForm::ColourBtnClick() {
    // The colours new accounts start with are offered first.
    for (int i = 0; i < DefaultColourCount; ++i)
        QColorDialog::setCustomColor(i, ToQColor(DefaultAccountColour(i)));
    const QColor colour =
        QColorDialog::getColor(ToQColor(Chosen), this, QStringLiteral("Colour"), QColorDialog::DontUseNativeDialog);
    if (!colour.isValid())
        return;
    Chosen = FromQColor(colour);
    ShowColour();
}

void TNewEditBookForm::NumberPadBtnClick() {
    OpeningBox->setFocus();
    TNumberPad::PopUp(OpeningBox);
}

TAccountFields TNewEditBookForm::Fields() const {
    return {ToDocument(NameEdit->text()), Chosen, DayNumberOf(DateBox->date()), OpeningBox->Value()};
}

bool TNewEditBookForm::EditAccount(QWidget* parent, bool isNew, TAccountFields& fields) {
    TNewEditBookForm form(isNew, fields, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    fields = form.Fields();
    return true;
}

} // namespace qz::gui
