#pragma once
// A date box that takes a date typed the way it reads ("20/4/25") and says when a date is picked:
// a typed date once it is complete (Enter, or leaving the box), a step of the arrow keys or the
// wheel at once. Typing over the whole text starts at its first part, and a separator typed just
// after a part filled itself up is not taken as a second step to the part after.

#include <QDateEdit>

#include <functional>

namespace qz::gui {

class TDateBox : public QDateEdit {
    Q_OBJECT
public:
    explicit TDateBox(QDate date, QWidget* parent = nullptr);

    void stepBy(int steps) override;

    // A date was picked by the user; a date set by the program is not.
    std::function<void()> OnDatePicked;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

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
};

} // namespace qz::gui
