#pragma once
// What the entry aids' pop-ups (the number pad, the on-screen keyboard) have in common: the box
// they type into, the keys of the real keyboard going on to that box while they are open, Enter
// pressing their "done" key, and one Closed signal however they went away.

#include <QFrame>

class QLineEdit;

namespace qz::gui {

class TEntryPopUp : public QFrame {
    Q_OBJECT
signals:
    // The pop-up went away, however it was closed; raised once.
    void Closed();

protected:
    TEntryPopUp(QLineEdit* target, QWidget* parent);

    // Enter or Return: the pop-up's own "done" key.
    virtual void Done() = 0;

    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    QLineEdit* Target;

private:
    bool Gone = false;
};

} // namespace qz::gui
