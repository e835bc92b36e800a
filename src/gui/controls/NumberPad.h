#pragma once
// The number pad pop-up beside an amount box: digits, the decimal separator and a minus sign
// typed into the box by mouse, a key to clear it and one to take back the last character.

#include <QFrame>

class QLineEdit;

namespace qz::gui {

class TNumberPad : public QFrame {
    Q_OBJECT
public:
    explicit TNumberPad(QLineEdit* target, QWidget* parent = nullptr);

    // Shows the pad below `target` until a click elsewhere or Enter.
    static TNumberPad* PopUp(QLineEdit* target);

    // What one key of the pad does to the box: a character, "C" (clear), "<" (back) or "=" (done).
    void Press(const QString& key);

private:
    QLineEdit* Target;
};

} // namespace qz::gui
