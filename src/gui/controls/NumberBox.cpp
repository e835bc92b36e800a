#include "NumberBox.h"

#include "EntryLook.h"
#include "EntryValidator.h"
#include "NumberPad.h"
#include "ToolGlyphs.h"
#include "ledger/MoneyFormat.h"
#include "platform/LocaleSettings.h"
#include "platform/TextCodec.h"

#include <QFocusEvent>
#include <QToolButton>

#include <algorithm>

namespace qz::gui {

namespace {

constexpr int Decimals = 2;

char DecimalSeparator() {
    return RegionalSettingsOf().DecimalSeparator;
}

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool AllDigits(QStringView text) {
    return std::all_of(text.begin(), text.end(), IsDigit);
}

} // namespace

TNumberBox::TNumberBox(TNumberKind kind, QWidget* parent)
    : TButtonEdit(parent), BoxKind(kind), Max(kind == TNumberKind::Currency ? CurrencyLength : DigitsLength) {
    const QChar separator = QLatin1Char(DecimalSeparator());
    Checker = new TEntryValidator(
        this, [this](const QString& text) { return Fits(text); },
        [this, separator](const QString& typed) {
            QString kept;
            for (QChar c : typed)
                if (IsDigit(c) || (BoxKind == TNumberKind::Currency && (c == separator || (Signed && c == '-'))))
                    kept += c;
            return kept;
        });
    setValidator(Checker);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetEntryLook(this);
    Button()->setIcon(ToolGlyph(TToolGlyph::NumberPad, 32));
    Button()->setToolTip(QStringLiteral("Number Pad"));
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!Showing)
            Edited = true;
    });
}

bool TNumberBox::Fits(const QString& typed) const {
    if (typed.size() > Max)
        return false;
    if (BoxKind == TNumberKind::Digits)
        return AllDigits(typed);
    const QString text = Signed && typed.startsWith(QLatin1Char('-')) ? typed.mid(1) : typed;
    const qsizetype at = text.indexOf(QLatin1Char(DecimalSeparator()));
    const QStringView whole = QStringView(text).left(at < 0 ? text.size() : at);
    if (!AllDigits(whole) || whole.size() > Max - 1 - Decimals)
        return false;
    if (at < 0)
        return true;
    const QStringView fraction = QStringView(text).mid(at + 1);
    return fraction.size() <= Decimals && AllDigits(fraction);
}

void TNumberBox::SetMaxLength(int length) {
    Max = std::max(1, length);
}

QString TNumberBox::ValueText(Money value) const {
    if (BoxKind == TNumberKind::Digits)
        return QString::number(value.Raw() / Money::Scale);
    return FromDocument(FormatNumber2(value, DecimalSeparator(), '\0', false));
}

Money TNumberBox::Value() const {
    if (!Edited)
        return Given;
    return ParseMoneyText(ToDocument(text()), DecimalSeparator()).value_or(Money());
}

std::int64_t TNumberBox::Number() const {
    return Value().Raw() / Money::Scale;
}

void TNumberBox::SetValue(Money value) {
    ShowText(ValueText(value));
    Given = value;
    Edited = false;
}

void TNumberBox::ShowText(const QString& text) {
    Showing = true;
    Checker->SetChecking(false);
    setText(text);
    Checker->SetChecking(true);
    Showing = false;
}

void TNumberBox::SetLockedLook(bool locked, const QColor& fill) {
    SetEntryLook(this, locked ? fill : QColor());
}

TNumberPad* TNumberBox::OpenPad() {
    if (OpenedPad && OpenedPad->isVisible())
        return OpenedPad;
    setFocus(Qt::OtherFocusReason);
    selectAll();
    OpenedPad = TNumberPad::PopUp(this, PopUpPlace(), {false, BoxKind == TNumberKind::Currency});
    connect(OpenedPad, &TNumberPad::Closed, this, &TNumberBox::Leave);
    return OpenedPad;
}

void TNumberBox::ButtonClick() {
    OpenPad();
}

void TNumberBox::focusInEvent(QFocusEvent* event) {
    TButtonEdit::focusInEvent(event);
    SelectOnRelease = event->reason() == Qt::MouseFocusReason;
}

void TNumberBox::mouseReleaseEvent(QMouseEvent* event) {
    TButtonEdit::mouseReleaseEvent(event);
    // A drag that selected part of the text keeps its selection.
    if (SelectOnRelease && !hasSelectedText())
        selectAll();
    SelectOnRelease = false;
}

void TNumberBox::focusOutEvent(QFocusEvent* event) {
    TButtonEdit::focusOutEvent(event);
    // A pop-up (the number pad, a menu) or another window taking the keyboard is no leaving.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        Leave();
}

void TNumberBox::Leave() {
    // Whatever was typed is shown the way the box shows a value; an untouched value stays as set.
    if (Edited && !text().isEmpty())
        ShowText(ValueText(Value()));
    if (OnExit)
        OnExit();
}

} // namespace qz::gui
