#include "KQBookBar.h"

#include "Bevel.h"
#include "grid/WinColour.h"
#include "platform/TextCodec.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace qz::gui {

namespace {

constexpr int Edge = 2;        // free space around the bar's buttons
constexpr int Gap = 2;         // between two account buttons
constexpr int Padding = 16;    // caption width plus this is a button's width
constexpr int MinWidth = 40;   // no button is narrower
constexpr int ArrowWidth = 16; // each scroll arrow

const QString AllCaption = QStringLiteral("All");
const QString AccountsCaption = QStringLiteral("Accounts");

} // namespace

TKQBookBar::TKQBookBar(QWidget* parent) : QWidget(parent) {
    setFixedHeight(BarHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setToolTip(QStringLiteral("Hold down the <ctrl> key to select multiple Books"));
}

void TKQBookBar::SetButtons(const std::vector<qz::TAccountButton>& buttons) {
    Buttons.clear();
    for (const qz::TAccountButton& button : buttons) {
        const QString caption = FromDocument(button.Name);
        Buttons.push_back({caption, ToQColor(button.Colour, palette()), button.Pressed, ButtonWidth(caption)});
    }
    PressedPart = NoPart;
    ClampFirst();
    updateGeometry();
    update();
}

void TKQBookBar::SetAllEnabled(bool enabled) {
    AllButtonEnabled = enabled;
    update();
}

void TKQBookBar::SetAccountsEnabled(bool enabled) {
    AccountsButtonEnabled = enabled;
    update();
}

QFont TKQBookBar::CaptionFont(bool pressed) const {
    QFont captionFont = font();
    captionFont.setBold(pressed);
    return captionFont;
}

int TKQBookBar::ButtonWidth(const QString& caption) const {
    // Measured in bold, so that a button keeps its width when it is pressed.
    return std::max(MinWidth, QFontMetrics(CaptionFont(true)).horizontalAdvance(caption) + Padding);
}

int TKQBookBar::TotalButtonsWidth() const {
    int total = 0;
    for (const TButton& button : Buttons)
        total += button.Width;
    return Buttons.empty() ? 0 : total + Gap * (ButtonCount() - 1);
}

QRect TKQBookBar::AllButtonRect() const {
    return {Edge, Edge, ButtonWidth(AllCaption), height() - 2 * Edge};
}

QRect TKQBookBar::AccountsButtonRect() const {
    const int width = ButtonWidth(AccountsCaption);
    return {this->width() - Edge - width, Edge, width, height() - 2 * Edge};
}

bool TKQBookBar::ArrowsVisible() const {
    const int room = AccountsButtonRect().left() - Edge - (AllButtonRect().right() + 1 + Edge);
    return TotalButtonsWidth() > room;
}

QRect TKQBookBar::RightArrowRect() const {
    if (!ArrowsVisible())
        return {};
    return {AccountsButtonRect().left() - Edge - ArrowWidth, Edge, ArrowWidth, height() - 2 * Edge};
}

QRect TKQBookBar::LeftArrowRect() const {
    if (!ArrowsVisible())
        return {};
    return RightArrowRect().translated(-ArrowWidth, 0);
}

QRect TKQBookBar::AccountArea() const {
    const int left = AllButtonRect().right() + 1 + Edge;
    const int right = ArrowsVisible() ? LeftArrowRect().left() - Edge : AccountsButtonRect().left() - Edge;
    return {left, Edge, std::max(0, right - left), height() - 2 * Edge};
}

QRect TKQBookBar::AccountButtonRect(int index) const {
    if (index < First || index >= ButtonCount())
        return {};
    const QRect area = AccountArea();
    int left = area.left();
    for (int i = First; i < index; ++i)
        left += Buttons[i].Width + Gap;
    return QRect(left, area.top(), Buttons[index].Width, area.height()).intersected(area);
}

int TKQBookBar::LastFirst() const {
    // The first button from which the rest fit, so the last button can always be brought fully into view.
    const int room = AccountArea().width();
    int width = 0;
    for (int i = ButtonCount() - 1; i >= 0; --i) {
        width += Buttons[i].Width + (i == ButtonCount() - 1 ? 0 : Gap);
        if (width > room)
            return std::min(i + 1, ButtonCount() - 1);
    }
    return 0;
}

void TKQBookBar::ClampFirst() {
    First = std::clamp(First, 0, std::max(0, LastFirst()));
}

void TKQBookBar::ScrollBy(int buttons) {
    First += buttons;
    ClampFirst();
    update();
}

int TKQBookBar::PartAt(const QPoint& point) const {
    if (AllButtonRect().contains(point))
        return AllPart;
    if (AccountsButtonRect().contains(point))
        return AccountsPart;
    if (LeftArrowRect().contains(point))
        return LeftArrowPart;
    if (RightArrowRect().contains(point))
        return RightArrowPart;
    for (int i = First; i < ButtonCount(); ++i)
        if (AccountButtonRect(i).contains(point))
            return i;
    return NoPart;
}

bool TKQBookBar::PartEnabled(int part) const {
    if (!isEnabled())
        return false;
    switch (part) {
    case AllPart:
        return AllButtonEnabled;
    case AccountsPart:
        return AccountsButtonEnabled;
    case LeftArrowPart:
        return First > 0;
    case RightArrowPart:
        return First < LastFirst();
    default:
        return part != NoPart;
    }
}

QSize TKQBookBar::sizeHint() const {
    const int fixed = AllButtonRect().width() + ButtonWidth(AccountsCaption) + 4 * Edge;
    return {fixed + TotalButtonsWidth() + 2 * Edge, BarHeight};
}

QSize TKQBookBar::minimumSizeHint() const {
    return {AllButtonRect().width() + ButtonWidth(AccountsCaption) + 2 * ArrowWidth + 6 * Edge, BarHeight};
}

QString TKQBookBar::HintAt(const QPoint& point) const {
    const int part = PartAt(point);
    switch (part) {
    case AllPart:
        return QStringLiteral("Show every account");
    case AccountsPart:
        return QStringLiteral("Edit the accounts");
    case LeftArrowPart:
    case RightArrowPart:
        return QStringLiteral("Show more accounts");
    case NoPart:
        return toolTip();
    default:
        break;
    }
    const TButton& button = Buttons[static_cast<std::size_t>(part)];
    const auto pressed = std::count_if(Buttons.begin(), Buttons.end(), [](const TButton& b) { return b.Pressed; });
    QString ctrlClick = QStringLiteral("Ctrl+click to add it to the accounts shown");
    if (button.Pressed)
        ctrlClick = pressed > 1 ? QStringLiteral("Ctrl+click to take it out of the accounts shown")
                                : QStringLiteral("Ctrl+click another account to show it as well");
    return QStringLiteral("%1: click to show this account alone; %2").arg(button.Caption, ctrlClick);
}

bool TKQBookBar::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString hint = HintAt(help->pos());
    if (hint.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), hint, this);
    }
    return true;
}

void TKQBookBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const int part = PartAt(event->position().toPoint());
    if (!PartEnabled(part))
        return;
    // The arrows act at once; the buttons act when the mouse is let go over them.
    if (part == LeftArrowPart || part == RightArrowPart) {
        ScrollBy(part == LeftArrowPart ? -1 : 1);
        return;
    }
    PressedPart = part;
    update();
}

void TKQBookBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || PressedPart == NoPart)
        return;
    const int part = PressedPart;
    PressedPart = NoPart;
    update();
    if (PartAt(event->position().toPoint()) != part)
        return;
    if (part == AllPart) {
        if (OnAllClick)
            OnAllClick();
    } else if (part == AccountsPart) {
        if (OnAccountsClick)
            OnAccountsClick();
    } else if (OnAccountClick) {
        OnAccountClick(part, event->modifiers().testFlag(Qt::ControlModifier));
    }
}

void TKQBookBar::resizeEvent(QResizeEvent* event) {
    ClampFirst();
    QWidget::resizeEvent(event);
}

void TKQBookBar::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        for (TButton& button : Buttons)
            button.Width = ButtonWidth(button.Caption);
        ClampFirst();
        updateGeometry();
    }
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange)
        update();
    QWidget::changeEvent(event);
}

void TKQBookBar::PaintButton(QPainter& painter, const QRect& rect, const QString& caption, const QColor& face,
                             const QColor& ink, bool sunken, bool enabled, bool bold) const {
    const QColor drawnFace = enabled ? face : palette().color(QPalette::Button);
    DrawButtonFace(painter, rect, sunken ? TBevel::Sunken : TBevel::Raised, drawnFace, palette());
    const QFont captionFont = CaptionFont(bold);
    painter.setFont(captionFont);
    painter.setPen(enabled ? ink : palette().color(QPalette::Dark));
    const QRect text = rect.adjusted(2, 0, -2, 0).translated(sunken ? QPoint(1, 1) : QPoint());
    painter.drawText(text, Qt::AlignCenter | Qt::TextSingleLine,
                     QFontMetrics(captionFont).elidedText(caption, Qt::ElideRight, text.width()));
}

void TKQBookBar::PaintArrow(QPainter& painter, const QRect& rect, bool left, bool sunken, bool enabled) const {
    DrawButtonFace(painter, rect, sunken ? TBevel::Sunken : TBevel::Raised, palette().color(QPalette::Button),
                   palette());
    const QPoint centre = rect.center();
    const int x = centre.x() + (left ? 2 : -2);
    const QPolygon triangle = left ? QPolygon({{x, centre.y() - 4}, {x, centre.y() + 4}, {x - 4, centre.y()}})
                                   : QPolygon({{x, centre.y() - 4}, {x, centre.y() + 4}, {x + 4, centre.y()}});
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().color(enabled ? QPalette::ButtonText : QPalette::Dark));
    painter.drawPolygon(triangle);
    painter.setBrush(Qt::NoBrush);
}

void TKQBookBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    const QColor face = palette().color(QPalette::Button);
    const QColor text = palette().color(QPalette::ButtonText);

    PaintButton(painter, AllButtonRect(), AllCaption, face, text, PressedPart == AllPart, PartEnabled(AllPart), false);
    PaintButton(painter, AccountsButtonRect(), AccountsCaption, face, text, PressedPart == AccountsPart,
                PartEnabled(AccountsPart), false);
    if (ArrowsVisible()) {
        PaintArrow(painter, LeftArrowRect(), true, false, PartEnabled(LeftArrowPart));
        PaintArrow(painter, RightArrowRect(), false, false, PartEnabled(RightArrowPart));
    }

    // A button cut by the right edge of the strip shows as far as it fits.
    const QRect area = AccountArea();
    painter.setClipRect(area);
    int left = area.left();
    for (int i = First; i < ButtonCount() && left <= area.right(); ++i) {
        const TButton& button = Buttons[i];
        const QRect rect(left, area.top(), button.Width, area.height());
        PaintButton(painter, rect, button.Caption, button.Colour, Qt::white, button.Pressed || PressedPart == i,
                    isEnabled(), button.Pressed);
        left += button.Width + Gap;
    }
}

} // namespace qz::gui
