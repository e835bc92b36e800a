#pragma once
// The number pad pop-up beside an amount box: digits, the decimal separator and a minus sign
// typed into the box by mouse, a key to clear it and one to take back the last character. While
// it is open the keyboard's digits go to the box as well; Enter closes it like its "=" key.

#include "PopUpPlace.h"

#include <QFrame>

class QLineEdit;

namespace qz::gui {

// The keys a box has use for: a box of positive amounts has no minus key, a box of whole
// numbers no decimal separator either. The keys it has no use for are shown greyed.
struct TPadKeys {
    bool Minus = true;
    bool Separator = true;
};

class TNumberPad : public QFrame {
    Q_OBJECT
public:
    explicit TNumberPad(QLineEdit* target, QWidget* parent = nullptr, TPadKeys keys = {});

    // Shows the pad beside `target` until a click elsewhere, "=", Enter or Escape.
    static TNumberPad* PopUp(QLineEdit* target, TPopUpPlace place = TPopUpPlace::Below, TPadKeys keys = {});

    // What one key of the pad does to the box: a character, "C" (clear), "<" (back) or "=" (done).
    void Press(const QString& key);

signals:
    // The pad went away, however it was closed; raised once.
    void Closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QLineEdit* Target;
    TPadKeys Keys;
    bool Gone = false;
};

} // namespace qz::gui
