#include "DatePanel.h"

#include "DateBox.h"
#include "KQButton2.h"
#include "ToolGlyphs.h"

#include <QDateEdit>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace qz::gui {

namespace {

constexpr int ButtonSize = 28;
constexpr int GlyphSize = 20;
constexpr int Spacing = 4;
constexpr int PickerHeight = 22;

const QString DayHint = QStringLiteral("Select a Date Range by day");
const QString MonthHint = QStringLiteral("Select a Date Range by month");

std::size_t Slot(int which) {
    return static_cast<std::size_t>(which - 1);
}

} // namespace

TDatePanel::TDatePanel(QWidget* parent) : QWidget(parent), Colour(palette().color(QPalette::Button)) {
    setFixedHeight(PanelHeight);

    DateRangeBtn = new TKQButton2(this);
    DateRangeBtn->setCheckable(true);
    DateRangeBtn->SetGlyph(ToolGlyph(TToolGlyph::DayRange, GlyphSize));
    DateRangeBtn->setToolTip(DayHint);
    DateRangeBtn->setAccessibleName(DayHint);
    connect(DateRangeBtn, &QAbstractButton::clicked, this, [this](bool down) {
        ShowDaySwitch(down);
        if (OnDaySwitch)
            OnDaySwitch(down);
    });

    DatePeriodBtn = new TKQButton2(this);
    DatePeriodBtn->SetGlyph(ToolGlyph(TToolGlyph::MonthRange, GlyphSize));
    DatePeriodBtn->setToolTip(MonthHint);
    DatePeriodBtn->setAccessibleName(MonthHint);
    connect(DatePeriodBtn, &QAbstractButton::clicked, this, [this] {
        if (OnPeriodClick)
            OnPeriodClick();
    });

    Labels[0] = new QLabel(QStringLiteral("From"), this);
    Labels[1] = new QLabel(QStringLiteral("To"), this);
    BuildPicker(1);
    BuildPicker(2);
    LayOut();
    SetDatesEnabled(false);
    ShowDaySwitch(false);
}

void TDatePanel::BuildPicker(int which) {
    auto* picker = new TDateBox(QDate::currentDate(), this);
    picker->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    picker->setCalendarPopup(true);
    // A typed date counts once it is complete, not at each keystroke: "20/4/25" typed over a date
    // passes through other days on its way; a day chosen in the calendar counts when it closes.
    picker->OnDatePicked = [this, which] { PickDate(which); };
    Pickers[Slot(which)] = picker;

    auto* all = new QLabel(QStringLiteral("All"), this);
    all->setAlignment(Qt::AlignCenter);
    all->setAttribute(Qt::WA_TransparentForMouseEvents);
    all->setAutoFillBackground(true);
    QPalette allPalette = all->palette();
    allPalette.setColor(QPalette::Window, allPalette.color(QPalette::Base));
    allPalette.setColor(QPalette::WindowText, allPalette.color(QPalette::Text));
    all->setPalette(allPalette);
    AllCaptions[Slot(which)] = all;
}

void TDatePanel::LayOut() {
    const int buttonTop = (PanelHeight - ButtonSize) / 2;
    DateRangeBtn->setGeometry(2, buttonTop, ButtonSize, ButtonSize);
    DatePeriodBtn->setGeometry(2 + ButtonSize + 2, buttonTop, ButtonSize, ButtonSize);

    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QString sample = QLocale().toString(QDate(2000, 12, 28), Pickers[0]->displayFormat());
    const int pickerWidth = std::max(90, fontMetrics().horizontalAdvance(sample) + scrollBar + 20);
    const int pickerTop = (PanelHeight - PickerHeight) / 2;
    int left = DatePeriodBtn->geometry().right() + 1 + 2 * Spacing;
    for (std::size_t i = 0; i < 2; ++i) {
        const int labelWidth = fontMetrics().horizontalAdvance(Labels[i]->text()) + 2;
        Labels[i]->setGeometry(left, 0, labelWidth, PanelHeight);
        left += labelWidth + Spacing;
        Pickers[i]->setGeometry(left, pickerTop, pickerWidth, PickerHeight);
        // "All" lies over the picker's text, leaving its drop-down button free.
        const QRect picker = Pickers[i]->geometry();
        AllCaptions[i]->setGeometry(picker.left() + 2, picker.top() + 2, picker.width() - (scrollBar + 4),
                                    picker.height() - 4);
        AllCaptions[i]->raise();
        left = picker.right() + 1 + 2 * Spacing;
    }
}

QSize TDatePanel::sizeHint() const {
    return {Pickers[1]->geometry().right() + 1 + Spacing, PanelHeight};
}

void TDatePanel::SetState(bool daySwitchDown, QDate from, QDate to, QColor panelColour, QColor labelColour) {
    Updating = true;
    DateRangeBtn->setChecked(daySwitchDown);
    Pickers[0]->setDate(from);
    Pickers[1]->setDate(to);
    Updating = false;
    ShowDaySwitch(daySwitchDown);
    Colour = panelColour;
    for (QLabel* label : Labels) {
        QPalette labelPalette = label->palette();
        labelPalette.setColor(QPalette::WindowText, labelColour);
        label->setPalette(labelPalette);
    }
    update();
}

void TDatePanel::SetDatesEnabled(bool anyTransactions) {
    DateRangeBtn->setEnabled(anyTransactions);
    DatePeriodBtn->setEnabled(anyTransactions);
}

void TDatePanel::ShowDaySwitch(bool down) {
    for (std::size_t i = 0; i < 2; ++i) {
        Labels[i]->setEnabled(down);
        Pickers[i]->setEnabled(down);
        AllCaptions[i]->setVisible(!down);
    }
}

void TDatePanel::PickDate(int which) {
    if (Updating || !OnPickDate)
        return;
    OnPickDate(which, Pickers[Slot(which)]->date());
}

void TDatePanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Colour);
}

QAbstractButton* TDatePanel::DayButton() const {
    return DateRangeBtn;
}

QAbstractButton* TDatePanel::PeriodButton() const {
    return DatePeriodBtn;
}

QDateEdit* TDatePanel::Picker(int which) const {
    return Pickers.at(Slot(which));
}

QLabel* TDatePanel::AllCaption(int which) const {
    return AllCaptions.at(Slot(which));
}

QLabel* TDatePanel::RangeLabel(int which) const {
    return Labels.at(Slot(which));
}

} // namespace qz::gui
