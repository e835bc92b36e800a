#include "TaxSummaryPanel.h"

#include "platform/TextCodec.h"

#include <QPainter>

namespace qz::gui {

namespace {
constexpr int Margin = 6;
}

TTaxSummaryPanel::TTaxSummaryPanel(QWidget* parent) : QWidget(parent), Background(0xD4, 0xD0, 0xC8) {}

void TTaxSummaryPanel::SetSummary(const TTaxSummary& summary) {
    Texts = summary;
    update();
}

void TTaxSummaryPanel::SetBackground(const QColor& colour) {
    Background = colour;
    update();
}

int TTaxSummaryPanel::LineHeight() const {
    return fontMetrics().height() + 2;
}

int TTaxSummaryPanel::PreferredHeight() const {
    return 2 * Margin + (TTaxSummary::Rows + 1) * LineHeight() + 4;
}

int TTaxSummaryPanel::LabelColumnWidth() const {
    return fontMetrics().horizontalAdvance(FromDocument(Texts.LabelWidthSample)) + 20;
}

int TTaxSummaryPanel::ValueColumnWidth() const {
    return fontMetrics().horizontalAdvance(FromDocument(Texts.ValueWidthSample)) + 10;
}

void TTaxSummaryPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Background);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const int line = LineHeight();
    const int labelLeft = Margin;
    const int valueLeft = labelLeft + LabelColumnWidth();
    const int valueWidth = ValueColumnWidth();
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    int y = Margin;
    painter.drawText(QRect(labelLeft, y, width() - 2 * Margin, line), Qt::AlignLeft | Qt::AlignVCenter,
                     FromDocument(Texts.Title));
    if (Texts.SelectedTransactions)
        painter.drawText(QRect(labelLeft, y, width() - 2 * Margin, line), Qt::AlignRight | Qt::AlignVCenter,
                         FromDocument(Texts.SelectedLabel));
    painter.setFont(font());
    y += line + 4;
    for (int row = 0; row < TTaxSummary::Rows; ++row) {
        // The closing balance is the sum of the rows above it: a rule marks it.
        if (row == TTaxSummary::Rows - 1) {
            painter.drawLine(valueLeft, y, valueLeft + valueWidth, y);
            QFont strong = font();
            strong.setBold(true);
            painter.setFont(strong);
        }
        painter.drawText(QRect(labelLeft, y, LabelColumnWidth(), line), Qt::AlignLeft | Qt::AlignVCenter,
                         FromDocument(Texts.Labels[row]));
        painter.drawText(QRect(valueLeft, y, valueWidth, line), Qt::AlignRight | Qt::AlignVCenter,
                         FromDocument(Texts.Values[row]));
        y += line;
    }
}

} // namespace qz::gui
