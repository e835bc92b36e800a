#include "ChartHint.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QScreen>

namespace qz::gui {

TChartHint::TChartHint() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("ChartHint"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
}

TChartHint& TChartHint::Instance() {
    static TChartHint* hint = new TChartHint;
    return *hint;
}

QRect TChartHint::Place(const QPoint& point, const QSize& textSize, const QRect& screen) {
    const int width = textSize.width() + 26;
    const int height = textSize.height() + 1;
    int left = point.x() - width / 2;
    int top = point.y();
    left = std::min(left, screen.right() + 1 - width);
    top = std::min(top, screen.bottom() + 1 - height);
    left = std::max(left, screen.left());
    top = std::max(top, screen.top());
    return {left, top, width, height};
}

void TChartHint::ShowAt(const QPoint& point, const QString& text, const QColor& colour) {
    if (QApplication::applicationState() != Qt::ApplicationActive)
        return;
    TChartHint& hint = Instance();
    hint.HintText = text;
    hint.HintColour = colour;
    const QFontMetrics metrics(hint.font());
    const QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect place = Place(point, QSize(metrics.horizontalAdvance(text), metrics.height()),
                              screen ? screen->geometry() : QRect(0, 0, 1 << 15, 1 << 15));
    hint.setGeometry(place);
    hint.show();
    hint.update();
}

void TChartHint::HideHint() {
    Instance().hide();
}

bool TChartHint::Shown() {
    return Instance().isVisible();
}

void TChartHint::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.fillRect(QRect(QPoint(2, 2), QPoint(19, height() - 4)), HintColour);
    painter.setPen(palette().windowText().color());
    const QRect text(22, 1, width() - 22, height() - 1);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     fontMetrics().elidedText(HintText, Qt::ElideRight, text.width()));
}

} // namespace qz::gui
