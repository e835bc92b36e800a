#pragma once
// The tax summary panel of the Quick Summary view: a title and six labelled money values in the
// grid's font, on the grid's button colour inside a black frame. The texts come whole from the
// worksheet.

#include "worksheet/Worksheet.h"

#include <QWidget>

namespace qz::gui {

class TTaxSummaryPanel : public QWidget {
    Q_OBJECT
public:
    explicit TTaxSummaryPanel(QWidget* parent = nullptr);

    void SetSummary(const TTaxSummary& summary);
    const TTaxSummary& Summary() const { return Texts; }
    void SetBackground(const QColor& colour);
    // The height the title and six rows need in the panel's font.
    int PreferredHeight() const;
    int LabelColumnWidth() const;
    int ValueColumnWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int LineHeight() const;

    TTaxSummary Texts;
    QColor Background;
};

} // namespace qz::gui
