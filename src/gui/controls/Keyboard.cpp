#include "Keyboard.h"

#include "EntryKeys.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

constexpr int KeyWidth = 28;
constexpr int KeyHeight = 26;
constexpr int Spacing = 2;

const QString ShiftKey = QStringLiteral("Shift");
const QString SpaceKey = QStringLiteral("Space");
const QString BackKey = QStringLiteral("Back");
const QString OkKey = QStringLiteral("OK");

// The rows of character keys; each row starts a little further right, as on a real keyboard.
const char* const Rows[] = {"1234567890", "qwertyuiop", "asdfghjkl", "zxcvbnm"};
const char* const Signs[] = {"-", "/", "#", "."};

QString ObjectName(const QString& key) {
    return QStringLiteral("Key") + key;
}

} // namespace

TKeyboard::TKeyboard(QLineEdit* target, QWidget* parent) : QFrame(parent, Qt::Popup), Target(target) {
    setObjectName(QStringLiteral("Keyboard"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(4, 4, 4, 4);
    rows->setSpacing(Spacing);
    const int step = KeyWidth + Spacing;
    for (int r = 0; r < 4; ++r) {
        auto* row = new QHBoxLayout;
        row->setSpacing(Spacing);
        if (r == 3)
            row->addWidget(AddKey(ShiftKey, QStringLiteral("\u21E7 Shift"), KeyWidth + step));
        else
            row->addSpacing(r * step / 2);
        for (const char* c = Rows[r]; *c; ++c)
            row->addWidget(AddKey(QString(QLatin1Char(*c)), QString(QLatin1Char(*c)), KeyWidth));
        if (r == 0)
            row->addWidget(AddKey(BackKey, QStringLiteral("\u2190"), KeyWidth + step));
        else
            row->addWidget(AddKey(QLatin1String(Signs[r - 1]), QLatin1String(Signs[r - 1]), KeyWidth));
        if (r == 3)
            row->addWidget(AddKey(QLatin1String(Signs[3]), QLatin1String(Signs[3]), KeyWidth));
        row->addStretch();
        rows->addLayout(row);
    }
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(Spacing);
    bottom->addSpacing(2 * step);
    bottom->addWidget(AddKey(SpaceKey, QString(), 6 * step - Spacing));
    bottom->addWidget(AddKey(OkKey, QStringLiteral("OK"), 2 * step - Spacing));
    bottom->addStretch();
    rows->addLayout(bottom);
}

QToolButton* TKeyboard::AddKey(const QString& key, const QString& caption, int width) {
    auto* button = new QToolButton(this);
    button->setObjectName(ObjectName(key));
    button->setText(caption);
    button->setFixedSize(width, KeyHeight);
    button->setFocusPolicy(Qt::NoFocus);
    if (key == ShiftKey)
        button->setCheckable(true);
    connect(button, &QToolButton::clicked, this, [this, key] { Press(key); });
    return button;
}

TKeyboard* TKeyboard::PopUp(QLineEdit* target, TPopUpPlace place) {
    auto* keyboard = new TKeyboard(target, target->window());
    PlacePopUp(keyboard, target, place);
    keyboard->show();
    return keyboard;
}

QToolButton* TKeyboard::Key(const QString& key) const {
    return findChild<QToolButton*>(ObjectName(key));
}

void TKeyboard::Press(const QString& key) {
    if (key == OkKey)
        close();
    else if (key == ShiftKey) {
        Shift = !Shift;
        ShowShift();
    } else if (key == BackKey)
        Target->backspace();
    else if (key == SpaceKey)
        Target->insert(QStringLiteral(" "));
    else
        // insert() keeps to the box's maximum length and its validator, as typing does.
        Target->insert(Shift ? key.toUpper() : key);
}

void TKeyboard::ShowShift() {
    for (const char* const row : Rows)
        for (const char* c = row; *c; ++c) {
            const QString key = QString(QLatin1Char(*c));
            if (QToolButton* button = Key(key))
                button->setText(Shift ? key.toUpper() : key);
        }
    if (QToolButton* shift = Key(ShiftKey))
        shift->setChecked(Shift);
}

void TKeyboard::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Press(OkKey);
        return;
    }
    if (!ForwardEntryKey(Target, event))
        QFrame::keyPressEvent(event);
}

void TKeyboard::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    if (Gone)
        return;
    Gone = true;
    emit Closed();
}

} // namespace qz::gui
