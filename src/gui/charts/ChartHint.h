#pragma once
// The charts' hint: a borderless window below the pointer with a colour square and a bold line
// of text. One instance serves every chart window.

#include <QColor>
#include <QRect>
#include <QString>
#include <QWidget>

namespace qz::gui {

class TChartHint : public QWidget {
public:
    // The program's one hint window.
    static TChartHint& Instance();

    // Shows the hint with its top centred on `point` (screen coordinates), only while the
    // application is active; shown already, it moves and takes the new text and colour.
    static void ShowAt(const QPoint& point, const QString& text, const QColor& colour);
    static void HideHint();
    static bool Shown();

    // Where the hint goes: its width the text's + 26 and its height the text's + 1, centred on the
    // point with its top there, then moved left or up to stay on the screen, never beyond its
    // left or top edge.
    static QRect Place(const QPoint& point, const QSize& textSize, const QRect& screen);

    QString Text() const { return HintText; }
    QColor Colour() const { return HintColour; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TChartHint();
    QString HintText;
    QColor HintColour;
};

} // namespace qz::gui
