#include "MonthSelector.h"

#include "ledger/TransDB.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>
#include <qdrawutil.h>

#include <algorithm>

namespace qz::gui {

namespace {

constexpr int Margin = 4;
constexpr int SideButtonWidth = 30;
const char* const MonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The reset button's picture: a circular arrow.
QIcon ResetGlyph() {
    QPixmap picture(14, 14);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.6));
    painter.drawArc(QRectF(2, 2, 10, 10), 100 * 16, 290 * 16);
    QPainterPath head;
    head.moveTo(6.5, 0);
    head.lineTo(10, 2.5);
    head.lineTo(6.5, 5);
    head.closeSubpath();
    painter.fillPath(head, Qt::black);
    return QIcon(picture);
}

TYearMonth MonthOf(TDateTime date) {
    const CalendarDate day = DecodeDate(date);
    return {day.Year, day.Month - 1};
}

} // namespace

TMonthSelector::TMonthSelector(TYearMonth first, TYearMonth last, QWidget* parent)
    : QDialog(parent), Months(first, last) {
    setWindowTitle(QStringLiteral("Month Selector"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    UpBtn = new QToolButton(this);
    UpBtn->setArrowType(Qt::UpArrow);
    UpBtn->setToolTip(QStringLiteral("Previous six months"));
    DownBtn = new QToolButton(this);
    DownBtn->setArrowType(Qt::DownArrow);
    DownBtn->setToolTip(QStringLiteral("Next six months"));
    ResetBtn = new QToolButton(this);
    ResetBtn->setIcon(ResetGlyph());
    ResetBtn->setToolTip(QStringLiteral("Reset"));
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    OKBtn->setDefault(true);
    for (QToolButton* button : {UpBtn, DownBtn, ResetBtn})
        button->setAccessibleName(button->toolTip());
    connect(UpBtn, &QToolButton::clicked, this, [this] {
        Months.Up();
        Refresh();
    });
    connect(DownBtn, &QToolButton::clicked, this, [this] {
        Months.Down();
        Refresh();
    });
    connect(ResetBtn, &QToolButton::clicked, this, [this] {
        Months.Reset();
        Refresh();
    });
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    LayOut();
    Refresh();
}

void TMonthSelector::LayOut() {
    const QFontMetrics metrics(font());
    YearFont = font();
    YearFont.setBold(true);
    YearFont.setPointSizeF(YearFont.pointSizeF() + 2);
    const QFontMetrics yearMetrics(YearFont);
    const int xxx = metrics.horizontalAdvance(QStringLiteral("XXX"));
    ButtonWidth = xxx + 10;
    ButtonHeight = metrics.height() + 5;
    GridLeft = Margin + yearMetrics.horizontalAdvance(QStringLiteral("1997")) + SideButtonWidth + 12;
    // Up over down over reset beside the two rows; the rows centred on them.
    const int sideHeight = std::max(18, (2 * ButtonHeight + 2) / 3);
    ColumnHeight = std::max(2 * ButtonHeight, 3 * sideHeight);
    GridTop = Margin + (ColumnHeight - 2 * ButtonHeight) / 2;
    UpBtn->setGeometry(Margin, Margin, SideButtonWidth, sideHeight);
    DownBtn->setGeometry(Margin, Margin + (ColumnHeight - sideHeight) / 2, SideButtonWidth, sideHeight);
    ResetBtn->setGeometry(Margin, Margin + ColumnHeight - sideHeight, SideButtonWidth, sideHeight);
    const int width = 6 * xxx + GridLeft + 68;
    const int buttonTop = Margin + ColumnHeight + 8;
    const QSize buttonSize(75, std::max(23, metrics.height() + 8));
    CancelBtn->setGeometry(width - 8 - buttonSize.width(), buttonTop, buttonSize.width(), buttonSize.height());
    OKBtn->setGeometry(CancelBtn->x() - 4 - buttonSize.width(), buttonTop, buttonSize.width(), buttonSize.height());
    setFixedSize(width, buttonTop + buttonSize.height() + 6);
}

QRect TMonthSelector::ButtonRect(int row, int column) const {
    return {GridLeft + column * ButtonWidth, GridTop + row * ButtonHeight, ButtonWidth, ButtonHeight};
}

void TMonthSelector::Refresh() {
    UpBtn->setEnabled(Months.UpEnabled());
    DownBtn->setEnabled(Months.DownEnabled());
    OKBtn->setEnabled(Months.OKEnabled());
    update();
}

void TMonthSelector::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(YearFont);
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect years(Margin + SideButtonWidth + 4, GridTop, GridLeft - (Margin + SideButtonWidth + 4) - 4,
                      2 * ButtonHeight);
    const std::vector<int> labels = Months.YearLabels();
    if (labels.size() == 1) {
        painter.drawText(years, Qt::AlignCenter, QString::number(labels[0]));
    } else {
        painter.drawText(years.adjusted(0, 0, 0, -ButtonHeight), Qt::AlignCenter, QString::number(labels[0]));
        painter.drawText(years.adjusted(0, ButtonHeight, 0, 0), Qt::AlignCenter, QString::number(labels[1]));
    }
    for (int row = 0; row < TMonthSelection::Rows; ++row)
        for (int column = 0; column < TMonthSelection::Columns; ++column)
            PaintButton(painter, row, column);
}

void TMonthSelector::PaintButton(QPainter& painter, int row, int column) const {
    const QRect box = ButtonRect(row, column);
    const TMonthLook look = Months.Look(row, column);
    QColor face = palette().color(QPalette::Button);
    QColor text = Qt::white;
    switch (look) {
    case TMonthLook::Chosen:
        face = QColor(0, 0, 255);
        break;
    case TMonthLook::InRangeEvenYear:
        face = QColor(0, 128, 0);
        break;
    case TMonthLook::InRangeOddYear:
        face = QColor(128, 0, 0);
        break;
    case TMonthLook::OutOfRange:
        text = palette().color(QPalette::Dark);
        break;
    }
    if (look == TMonthLook::OutOfRange) {
        painter.fillRect(box, face);
    } else {
        const QBrush fill(face);
        qDrawShadePanel(&painter, box, palette(), look == TMonthLook::Chosen, 2, &fill);
    }
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(text);
    const QRect label = look == TMonthLook::Chosen ? box.translated(1, 1) : box;
    painter.drawText(label, Qt::AlignCenter, QLatin1String(MonthNames[Months.ButtonMonth(row, column).Month]));
}

void TMonthSelector::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QDialog::mousePressEvent(event);
    for (int row = 0; row < TMonthSelection::Rows; ++row)
        for (int column = 0; column < TMonthSelection::Columns; ++column)
            if (ButtonRect(row, column).contains(event->position().toPoint()) && Months.Click(row, column))
                Refresh();
}

TMonthPeriod TMonthSelector::Period() const {
    if (!Months.OKEnabled())
        return {};
    const TYearMonth start = Months.StartMonth();
    const TYearMonth end = Months.EndMonth();
    return {true, QDate(start.Year, start.Month + 1, 1),
            QDate(end.Year, end.Month + 1, TMonthSelection::DaysInMonth(end.Year, end.Month))};
}

TMonthPeriod TMonthSelector::SelectMonths(QPoint point, TYearMonth first, TYearMonth last, QWidget* parent) {
    TMonthSelector selector(first, last, parent);
    selector.move(point);
    if (selector.exec() != QDialog::Accepted)
        return {};
    return selector.Period();
}

TMonthPeriod TMonthSelector::SelectMonths(QPoint point, const TTransList& transactions, QWidget* parent) {
    // An open document holds at least its opening balances; without any transaction the
    // selector offers this month alone.
    const QDate today = QDate::currentDate();
    TYearMonth first{today.year(), today.month() - 1};
    TYearMonth last = first;
    if (transactions.Count() > 0) {
        first = MonthOf(transactions.Items(0)->Date);
        last = MonthOf(transactions.Items(transactions.Count() - 1)->Date);
    }
    return SelectMonths(point, first, last, parent);
}

} // namespace qz::gui
