#pragma once
// The month selector: a small window with two rows of month buttons in which the user picks a
// period of whole months between the ledger's first and last transaction.

#include "reports/MonthSelection.h"

#include <QDate>
#include <QDialog>
#include <QFont>

class QPushButton;
class QToolButton;

namespace qz {
class TTransList;
}

namespace qz::gui {

struct TMonthPeriod {
    bool Ok = false;
    QDate Start; // the first day of the first chosen month
    QDate End;   // the last day of the last chosen month
};

class TMonthSelector : public QDialog {
    Q_OBJECT
public:
    TMonthSelector(TYearMonth first, TYearMonth last, QWidget* parent = nullptr);

    // Shows the selector modally with its top left corner at `point` (screen coordinates).
    static TMonthPeriod SelectMonths(QPoint point, TYearMonth first, TYearMonth last, QWidget* parent = nullptr);
    // The same over the months of the first and the last transaction in key order.
    static TMonthPeriod SelectMonths(QPoint point, const TTransList& transactions, QWidget* parent = nullptr);

    const TMonthSelection& Selection() const { return Months; }
    TMonthPeriod Period() const;
    // Where a month button lies, in the window's coordinates.
    QRect ButtonRect(int row, int column) const;

    QToolButton* UpBtn = nullptr;
    QToolButton* DownBtn = nullptr;
    QToolButton* ResetBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void LayOut();
    void Refresh();
    void PaintButton(QPainter& painter, int row, int column) const;

    TMonthSelection Months;
    QFont YearFont;
    int GridLeft = 0;
    int GridTop = 0;
    int ButtonWidth = 0;
    int ButtonHeight = 0;
    int ColumnHeight = 0;
};

} // namespace qz::gui
