#include "NumberPad.h"

#include "EntryKeys.h"
#include "platform/LocaleSettings.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

namespace qz::gui {

namespace {

const QString Minus = QStringLiteral("-");

} // namespace

TNumberPad::TNumberPad(QLineEdit* target, QWidget* parent, TPadKeys keys)
    : QFrame(parent, Qt::Popup), Target(target), Keys(keys) {
    setObjectName(QStringLiteral("NumberPad"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    const QString separator(QChar(RegionalSettingsOf().DecimalSeparator));
    const QString layoutKeys[4][4] = {
        {QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("<")},
        {QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("C")},
        {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), Minus},
        {QStringLiteral("0"), QStringLiteral("00"), separator, QStringLiteral("=")}};
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column) {
            const QString key = layoutKeys[row][column];
            auto* button = new QToolButton(this);
            button->setText(key == QStringLiteral("<") ? QStringLiteral("\u2190") : key);
            button->setObjectName(QStringLiteral("Key") + key);
            button->setFixedSize(30, 26);
            button->setFocusPolicy(Qt::NoFocus);
            button->setEnabled((key != Minus || Keys.Minus) && (key != separator || Keys.Separator));
            connect(button, &QToolButton::clicked, this, [this, key] { Press(key); });
            layout->addWidget(button, row, column);
        }
}

TNumberPad* TNumberPad::PopUp(QLineEdit* target, TPopUpPlace place, TPadKeys keys) {
    auto* pad = new TNumberPad(target, target->window(), keys);
    PlacePopUp(pad, target, place);
    pad->show();
    return pad;
}

void TNumberPad::Press(const QString& key) {
    if (key == QStringLiteral("=")) {
        close();
        return;
    }
    if (key == QStringLiteral("C"))
        Target->clear();
    else if (key == QStringLiteral("<"))
        Target->backspace();
    else if (key == Minus) {
        if (!Keys.Minus)
            return;
        // The sign goes in front, once; a second press takes it away.
        const QString text = Target->text();
        Target->setText(text.startsWith(QLatin1Char('-')) ? text.mid(1) : Minus + text);
    } else
        Target->insert(key);
}

void TNumberPad::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Press(QStringLiteral("="));
        return;
    }
    if (!ForwardEntryKey(Target, event))
        QFrame::keyPressEvent(event);
}

void TNumberPad::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    if (Gone)
        return;
    Gone = true;
    emit Closed();
}

} // namespace qz::gui
