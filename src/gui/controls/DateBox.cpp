#include "DateBox.h"

#include <QKeyEvent>
#include <QLineEdit>

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

void TDateBox::focusInEvent(QFocusEvent* event) {
    MovedOn = false;
    QDateEdit::focusInEvent(event);
}

} // namespace qz::gui
