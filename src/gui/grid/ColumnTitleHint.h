#pragma once
// The floating title of a column being dragged to a new place: the column's width, the title
// row's height, centred on the mouse and following it sideways.

#include "ledger/Colour.h"
#include "worksheet/GridInfo.h"

#include <QFont>
#include <QWidget>

namespace qz::gui {

class TColumnTitleHint : public QWidget {
    Q_OBJECT
public:
    explicit TColumnTitleHint(QWidget* owner);

    // `area` in screen coordinates; the sort mark shows when `sorted`.
    void ShowHint(const QRect& area, const QString& title, const QFont& font, bool sorted, TSortDirection direction,
                  TColour buttonColour);
    // Centres the hint horizontally on the screen position x.
    void FollowMouse(int globalX);
    QString Title() const { return FTitle; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString FTitle;
    QFont FFont;
    bool FSorted = false;
    TSortDirection FDirection = sdAscending;
    TColour FButton = 0;
};

} // namespace qz::gui
