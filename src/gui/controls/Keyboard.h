#pragma once
// The on-screen keyboard pop-up beside a text box: letters, digits, a few signs, space,
// backspace and a shift key typed into the box by mouse, within the box's maximum length. While
// it is open the real keyboard types into the box as well; "OK", Enter or Escape close it.

#include "PopUpPlace.h"

#include <QFrame>

class QLineEdit;
class QToolButton;

namespace qz::gui {

class TKeyboard : public QFrame {
    Q_OBJECT
public:
    explicit TKeyboard(QLineEdit* target, QWidget* parent = nullptr);

    static TKeyboard* PopUp(QLineEdit* target, TPopUpPlace place = TPopUpPlace::Above);

    // What one key does: a character (a letter follows the shift key), "Shift", "Space", "Back"
    // or "OK". The shift key stays down until it is pressed again.
    void Press(const QString& key);
    bool Shifted() const { return Shift; }
    // The key that types `key` ("a", "1", "Space"...).
    QToolButton* Key(const QString& key) const;

signals:
    // The keyboard went away, however it was closed; raised once.
    void Closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QToolButton* AddKey(const QString& key, const QString& caption, int width);
    void ShowShift();

    QLineEdit* Target;
    bool Shift = false;
    bool Gone = false;
};

} // namespace qz::gui
