#pragma once
// A line edit with a small button inside its right edge that opens an entry aid (the number pad,
// the on-screen keyboard). The button never takes the focus, so the box keeps it while its aid
// is open, and the text never runs under the button.

#include "PopUpPlace.h"

#include <QLineEdit>

class QToolButton;

namespace qz::gui {

class TButtonEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TButtonEdit(QWidget* parent = nullptr);

    void SetButtonVisible(bool visible);
    bool ButtonVisible() const { return ShowButton; }
    QToolButton* Button() const { return Btn; }

    // The side of the box the aid opens on (it takes the other where the screen has no room).
    void SetPopUpPlace(TPopUpPlace place) { Place = place; }
    TPopUpPlace PopUpPlace() const { return Place; }

protected:
    // Opens the aid; the button's click and Alt+Down in the box.
    virtual void ButtonClick() = 0;

    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceButton();

    QToolButton* Btn;
    bool ShowButton = false;
    TPopUpPlace Place = TPopUpPlace::Above;
};

} // namespace qz::gui
