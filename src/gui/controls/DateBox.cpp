#include "DateBox.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace qz::gui {

namespace {

bool IsDigit(const QString& text) {
    return text.size() == 1 && text.front().isDigit();
}

// A character that may part a date's day, month and year ("/", "-", ".", " ").
bool IsSeparator(const QString& text) {
    return text.size() == 1 && text.front().isPrint() && !text.front().isLetterOrNumber();
}

} // namespace

TDateBox::TDateBox(QDate date, QWidget* parent) : QDateEdit(date, parent) {
    // The box's value follows the text only when the typing is done.
    setKeyboardTracking(false);
    connect(this, &QAbstractSpinBox::editingFinished, this, [this] {
        if (Typed)
            Picked();
    });
    setCalendarPopup(true);
    // The calendar drops down in a window of its own; its closing is the moment a day is picked.
    if (QCalendarWidget* calendar = calendarWidget()) {
        calendar->setGridVisible(true);
        Calendar = calendar->window();
        Calendar->installEventFilter(this);
    }
}

void TDateBox::SetDate(QDate date) {
    Typed = false;
    MovedOn = false;
    setDate(date);
}

void TDateBox::DropDown() {
    if (!Calendar || Calendar->isVisible() || isReadOnly() || !isEnabled())
        return;
    // The box opens its calendar only for a press on its button.
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = true;
    option.subControls = QStyle::SC_All;
    const QPoint button =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this).center();
    QMouseEvent press(QEvent::MouseButtonPress, button, mapToGlobal(button), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    mousePressEvent(&press);
}

void TDateBox::FocusDate(QDate date) {
    SetDate(date);
    setFocus(Qt::OtherFocusReason);
    selectAll();
}

bool TDateBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Calendar) {
        switch (event->type()) {
        case QEvent::Show:
            Dropped = date();
            break;
        case QEvent::KeyPress:
            // Walking the calendar with the keys moves the box's date along, and the calendar
            // alone would close on the last day walked to: Escape puts back the day it opened with.
            if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel)) {
                SetDate(Dropped);
                Calendar->close();
                return true;
            }
            break;
        case QEvent::Hide:
            if (date() != Dropped) {
                Typed = false;
                Picked();
            }
            break;
        default:
            break;
        }
    }
    return QDateEdit::eventFilter(watched, event);
}

void TDateBox::ExpandShortYear() {
    const QString format = displayFormat();
    const int yearAt = format.indexOf(QStringLiteral("yyyy"));
    if (yearAt < 0)
        return;
    // The year is the number at the place of the format's year among its numbers.
    static const QRegularExpression fields(QStringLiteral("d+|M+|y+"));
    static const QRegularExpression numbers(QStringLiteral("\\d+"));
    int yearField = 0;
    for (auto it = fields.globalMatch(format); it.hasNext(); ++yearField)
        if (it.next().capturedStart() == yearAt)
            break;
    QString text = lineEdit()->text();
    int n = 0;
    for (auto it = numbers.globalMatch(text); it.hasNext(); ++n) {
        const QRegularExpressionMatch number = it.next();
        if (n != yearField)
            continue;
        if (number.capturedLength() > 2)
            return;
        const int thisYear = QDate::currentDate().year();
        int year = thisYear / 100 * 100 + number.captured().toInt();
        if (year > thisYear + 50)
            year -= 100;
        text.replace(number.capturedStart(), number.capturedLength(), QString::number(year));
        lineEdit()->setText(text);
        return;
    }
}

void TDateBox::Picked() {
    Typed = false;
    if (OnDatePicked)
        OnDatePicked();
}

void TDateBox::stepBy(int steps) {
    QDateEdit::stepBy(steps);
    Picked();
}

void TDateBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F4 || (event->key() == Qt::Key_Down && event->modifiers() == Qt::AltModifier)) {
        DropDown();
        return;
    }
    if (Typed && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter))
        ExpandShortYear();
    const QString text = event->text();
    const bool editing = (!text.isEmpty() && text.front().isPrint()) || event->key() == Qt::Key_Backspace ||
                         event->key() == Qt::Key_Delete;
    Typed = Typed || editing;
    if (IsSeparator(text) && MovedOn) {
        MovedOn = false;
        event->accept();
        return;
    }
    // Typed over a selection of more than one part: the date is typed from its first part.
    if (IsDigit(text) && lineEdit()->selectedText().size() > sectionText(currentSection()).size())
        setSelectedSection(sectionAt(0));
    const Section before = currentSection();
    QDateEdit::keyPressEvent(event);
    MovedOn = IsDigit(text) && currentSection() != before;
}

// The plain date edit steps through its day, month and year with Tab first: a keyboard user
// tabbing through a form would type the next field's value into the year. (A separator typed
// still moves on to the next part.)
bool TDateBox::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
            (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            const bool back = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
            QWidget::focusNextPrevChild(!back);
            return true;
        }
    }
    return QDateEdit::event(event);
}

void TDateBox::focusInEvent(QFocusEvent* event) {
    MovedOn = false;
    QDateEdit::focusInEvent(event);
}

void TDateBox::focusOutEvent(QFocusEvent* event) {
    if (Typed)
        ExpandShortYear();
    QDateEdit::focusOutEvent(event);
}

} // namespace qz::gui
