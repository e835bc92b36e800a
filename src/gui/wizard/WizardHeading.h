#pragma once
// The heading of a wizard page: its text in bold, larger than the page's other texts.

#include <QFont>
#include <QLabel>

namespace qz::gui {

inline QLabel* WizardHeading(const QString& text, QWidget* parent, qreal scale = 1.25, bool wrap = false) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * scale);
    label->setFont(font);
    label->setWordWrap(wrap);
    return label;
}

} // namespace qz::gui
