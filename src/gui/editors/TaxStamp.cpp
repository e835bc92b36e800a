#include "TaxStamp.h"

#include <QPainter>

#include <algorithm>

namespace qz::gui {

QPixmap TaxStamp(const QString& taxName, int size) {
    const bool gst = taxName == QLatin1String("GST");
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal pen = size >= 24 ? 1.5 : 1.0;
    painter.setPen(QPen(gst ? QColor(0x2E, 0x7D, 0x32) : QColor(0x1F, 0x4E, 0x9A), pen));
    painter.setBrush(QColor(Qt::white));
    painter.drawEllipse(QRectF(pen / 2 + 0.25, pen / 2 + 0.25, size - pen - 0.5, size - pen - 0.5));
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(std::max(6, size * 8 / 26));
    painter.setFont(font);
    painter.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, gst ? taxName : QStringLiteral("VAT"));
    return picture;
}

} // namespace qz::gui
