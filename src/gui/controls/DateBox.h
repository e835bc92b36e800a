#pragma once
// A date box that takes a date typed the way it reads ("20/4/25"), with a calendar that drops down
// from its button (or F4) to pick a day with the mouse or the keys, and says when a date is
// picked: a typed date once it is complete (Enter, or leaving the box), a step of the arrow keys
// or the wheel at once, a day chosen in the calendar when the calendar closes on another day
// (Escape closes it on the day it opened with). Typing over the whole text starts at its first
// part, and a separator typed just after a part filled itself up is not taken as a second step to
// the part after. Tab and Shift+Tab leave the box, as in every other field; the arrow keys Left
// and Right move between the parts.

#include <QDateEdit>

#include <functional>

namespace qz::gui {

class TDateBox : public QDateEdit {
    Q_OBJECT
public:
    explicit TDateBox(QDate date, QWidget* parent = nullptr);

    void stepBy(int steps) override;

    // Shows `date` without it counting as a pick, also while the user is halfway through typing.
    void SetDate(QDate date);
    // Shows `date` and puts the focus in the box with the whole date selected, ready to be typed
    // over: where the owner refuses a date and points the user at the one to take.
    void FocusDate(QDate date);

    // Drops the calendar down, as a click on the box's button does (F4 or Alt+Down in the box).
    void DropDown();
    // The calendar that drops down, or nothing when the box has none.
    QWidget* CalendarWindow() const { return Calendar; }

    // A date was picked by the user; a date set by the program is not.
    std::function<void()> OnDatePicked;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Picked();
    // A year typed with one or two digits into a four-digit year is the nearest year with
    // those last digits, no more than 50 years ahead ("25" is 2025, "99" 1999), not the year
    // 25, which the box would refuse, dropping the whole date the user typed.
    void ExpandShortYear();

    // Typed since the last pick: the date is picked when the typing is done.
    bool Typed = false;
    // The last digit filled its part and the box moved on to the next part by itself.
    bool MovedOn = false;
    QWidget* Calendar = nullptr;
    // The date when the calendar dropped down.
    QDate Dropped;
};

} // namespace qz::gui
