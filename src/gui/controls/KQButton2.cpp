#include "KQButton2.h"

#include "Bevel.h"
#include "ShownCaption.h"

#include <QEnterEvent>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>

namespace qz::gui {

namespace {

constexpr int Margin = 3; // between the frame and the contents
constexpr int CaptionFlags = Qt::TextSingleLine | Qt::TextShowMnemonic;

// Between picture and caption: the 40-pixel-high buttons have little room to spare.
int GlyphGap(TKQButton2::TGlyphPlace place) {
    return place == TKQButton2::TGlyphPlace::Left ? 4 : 1;
}

} // namespace

TKQButton2::TKQButton2(QWidget* parent) : QAbstractButton(parent) {
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QAbstractButton::clicked, this, &TKQButton2::Clicked);
}

void TKQButton2::SetGlyph(const QPixmap& glyph) {
    GlyphPixmap = glyph;
    updateGeometry();
    update();
}

void TKQButton2::SetGlyphPlace(TGlyphPlace place) {
    Place = place;
    updateGeometry();
    update();
}

void TKQButton2::SetDropDown(QMenu* menu) {
    Menu = menu;
}

void TKQButton2::Clicked() {
    // Queued, so that every handler of clicked() has run before the menu shows.
    if (Menu)
        QTimer::singleShot(0, this, &TKQButton2::ShowDropDown);
}

void TKQButton2::ShowDropDown() {
    if (!Menu || !isEnabled())
        return;
    if (OnBeforeDropDown && !OnBeforeDropDown())
        return;
    Menu->popup(mapToGlobal(QPoint(0, height())));
}

QSize TKQButton2::CaptionSize() const {
    return {fontMetrics().horizontalAdvance(ShownCaption(text())), fontMetrics().height()};
}

QSize TKQButton2::sizeHint() const {
    const QSize caption = CaptionSize();
    const QSize glyph = GlyphPixmap.isNull() ? QSize(0, 0) : GlyphPixmap.deviceIndependentSize().toSize();
    const int gap = glyph.isEmpty() || text().isEmpty() ? 0 : GlyphGap(Place);
    if (Place == TGlyphPlace::Left)
        return {glyph.width() + gap + caption.width() + 2 * Margin,
                std::max(glyph.height(), caption.height()) + 2 * Margin};
    return {std::max(glyph.width(), caption.width()) + 2 * Margin,
            glyph.height() + gap + caption.height() + 2 * Margin};
}

void TKQButton2::enterEvent(QEnterEvent* event) {
    Hot = true;
    update();
    QAbstractButton::enterEvent(event);
}

void TKQButton2::leaveEvent(QEvent* event) {
    Hot = false;
    update();
    QAbstractButton::leaveEvent(event);
}

QPixmap TKQButton2::DrawnGlyph() const {
    if (isEnabled() || GlyphPixmap.isNull())
        return GlyphPixmap;
    QStyleOption option;
    option.initFrom(this);
    return style()->generatedIconPixmap(QIcon::Disabled, GlyphPixmap, &option);
}

void TKQButton2::PaintCaption(QPainter& painter, const QRect& rect, int alignment) const {
    const int flags = CaptionFlags | alignment;
    if (!isEnabled()) {
        // Engraved, as disabled captions have always looked on flat buttons.
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(rect.translated(1, 1), flags, text());
        painter.setPen(palette().color(QPalette::Dark));
    } else {
        painter.setPen(palette().color(QPalette::ButtonText));
    }
    painter.drawText(rect, flags, text());
}

void TKQButton2::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    const bool sunken = isDown() || isChecked();
    if (isEnabled() && (sunken || Hot))
        DrawBevel(painter, rect(), sunken ? TBevel::Sunken : TBevel::Raised, palette());
    if (isEnabled() && hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }

    painter.setFont(font());
    if (sunken)
        painter.translate(1, 1);
    const QRect inside = rect().adjusted(Margin, Margin, -Margin, -Margin);
    const QPixmap glyph = DrawnGlyph();
    const QSize glyphSize = glyph.isNull() ? QSize(0, 0) : glyph.deviceIndependentSize().toSize();
    const QSize caption = CaptionSize();
    const int gap = glyphSize.isEmpty() || text().isEmpty() ? 0 : GlyphGap(Place);

    // Picture and caption are centred together as one block; a block wider than the inside of the
    // frame uses the margins too.
    if (Place == TGlyphPlace::Left) {
        const int blockWidth = glyphSize.width() + gap + caption.width();
        const int left = blockWidth <= inside.width() ? inside.left() + (inside.width() - blockWidth) / 2
                                                      : std::max(1, (width() - blockWidth) / 2);
        if (!glyph.isNull())
            painter.drawPixmap(left, inside.top() + (inside.height() - glyphSize.height()) / 2, glyph);
        const QRect captionRect(left + glyphSize.width() + gap, inside.top(),
                                width() - 1 - (left + glyphSize.width() + gap), inside.height());
        PaintCaption(painter, captionRect, Qt::AlignLeft | Qt::AlignVCenter);
    } else {
        const int blockHeight = glyphSize.height() + gap + caption.height();
        const int top = blockHeight <= inside.height() ? inside.top() + (inside.height() - blockHeight) / 2
                                                       : std::max(1, (height() - blockHeight) / 2);
        if (!glyph.isNull())
            painter.drawPixmap(inside.left() + (inside.width() - glyphSize.width()) / 2, top, glyph);
        const QRect captionRect(1, top + glyphSize.height() + gap, width() - 2, caption.height());
        PaintCaption(painter, captionRect, Qt::AlignHCenter | Qt::AlignTop);
    }
}

} // namespace qz::gui
