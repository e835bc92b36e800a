#pragma once
// What a cell shows of its text: all of it when it fits; otherwise, in a column that shows totals
// (money), "#" marks — a cut amount would mislead — and anywhere else the text cut with an ellipsis.

#include <QString>

class QFontMetrics;

namespace qz::gui {

// `width` is the room for the text; `columnWidth` the column's, which sets the number of marks.
QString FitCellText(const QString& text, const QFontMetrics& metrics, int width, bool showTotal, int columnWidth);

} // namespace qz::gui
