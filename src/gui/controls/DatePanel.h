#pragma once
// The date panel below the tool bar: the "Select a Date Range by day" switch, the "Select a Date
// Range by month" button and the "From" and "To" date pickers. While the day switch is up the
// pickers are covered by the caption "All"; while a range is active the panel turns blue.

#include <QColor>
#include <QDate>
#include <QWidget>

#include <array>
#include <functional>

class QAbstractButton;
class QDateEdit;
class QLabel;

namespace qz::gui {

class TKQButton2;

class TDatePanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int PanelHeight = 34;

    explicit TDatePanel(QWidget* parent = nullptr);

    // Shows the state without raising any event.
    void SetState(bool daySwitchDown, QDate from, QDate to, QColor panelColour, QColor labelColour);
    // The two switches work only while the document holds a transaction.
    void SetDatesEnabled(bool anyTransactions);

    // A day picked in the lower (1) or upper (2) picker: on closing its calendar on another day (not
    // with Escape), or while the calendar is closed on a step of the arrow keys or a typed date once
    // complete (Enter or leaving the box). The owner decides whether the day differs from the stored one.
    std::function<void(int which, QDate day)> OnPickDate;
    // The user put the day switch down or up.
    std::function<void(bool down)> OnDaySwitch;
    std::function<void()> OnPeriodClick;

    QAbstractButton* DayButton() const;
    QAbstractButton* PeriodButton() const;
    // 1 the lower ("From") picker, 2 the upper ("To") one.
    QDateEdit* Picker(int which) const;
    QLabel* AllCaption(int which) const;
    QLabel* RangeLabel(int which) const;
    QColor PanelColour() const { return Colour; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void BuildPicker(int which);
    void LayOut();
    void ShowDaySwitch(bool down);
    void PickDate(int which);

    TKQButton2* DateRangeBtn = nullptr;
    TKQButton2* DatePeriodBtn = nullptr;
    std::array<QLabel*, 2> Labels{};
    std::array<QDateEdit*, 2> Pickers{};
    std::array<QLabel*, 2> AllCaptions{};
    QColor Colour;
    bool Updating = false;
};

} // namespace qz::gui
