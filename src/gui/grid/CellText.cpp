#include "CellText.h"

#include <QFontMetrics>

#include <algorithm>

namespace qz::gui {

QString FitCellText(const QString& text, const QFontMetrics& metrics, int width, bool showTotal, int columnWidth) {
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    if (showTotal) {
        const int markWidth = std::max(1, metrics.horizontalAdvance(QLatin1Char('#')));
        return QString(columnWidth / markWidth + 1, QLatin1Char('#'));
    }
    return metrics.elidedText(text, Qt::ElideRight, std::max(0, width));
}

} // namespace qz::gui
