#include "ToggleSwitches.h"

#include "Bevel.h"
#include "grid/WinColour.h"
#include "platform/TextCodec.h"

#include <QPainter>

namespace qz::gui {

namespace {

constexpr int FirstLeft = 2;
constexpr int SwitchTop = 2;
constexpr int SwitchHeight = 22;

// One switch: a key that stays pushed in while it is the chosen one.
class TToggleSwitch : public QAbstractButton {
public:
    explicit TToggleSwitch(QWidget* parent) : QAbstractButton(parent) { setFocusPolicy(Qt::TabFocus); }

    void SetLook(bool down, const QColor& downColour) {
        IsDownSwitch = down;
        DownColour = downColour;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const bool sunken = IsDownSwitch || isDown();
        const QColor face = IsDownSwitch && isEnabled() ? DownColour : palette().color(QPalette::Button);
        DrawButtonFace(painter, rect(), sunken ? TBevel::Sunken : TBevel::Raised, face, palette());
        QColor ink = palette().color(QPalette::ButtonText);
        if (!isEnabled())
            ink = palette().color(QPalette::Dark);
        else if (IsDownSwitch)
            ink = Qt::white;
        QFont captionFont = font();
        captionFont.setBold(IsDownSwitch);
        painter.setFont(captionFont);
        painter.setPen(ink);
        painter.drawText(rect().translated(sunken ? QPoint(1, 1) : QPoint()), Qt::AlignCenter | Qt::TextSingleLine,
                         text());
        if (hasFocus()) {
            painter.setPen(QPen(ink, 1, Qt::DotLine));
            painter.drawRect(rect().adjusted(3, 3, -4, -4));
        }
    }

private:
    bool IsDownSwitch = false;
    QColor DownColour;
};

} // namespace

TToggleSwitchPanel::TToggleSwitchPanel(QWidget* parent) : QWidget(parent) {
    setFixedHeight(PanelHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    for (int which = 0; which < 2; ++which) {
        auto* toggle = new TToggleSwitch(this);
        connect(toggle, &QAbstractButton::clicked, this, [this, which] { SwitchClicked(which); });
        Switches[which] = toggle;
    }
    ShowDown();
}

QAbstractButton* TToggleSwitchPanel::Switch(int which) const {
    return Switches.at(static_cast<std::size_t>(which));
}

void TToggleSwitchPanel::SetSwitches(const qz::TToggleSwitches& switches) {
    for (int which = 0; which < 2; ++which) {
        Switches[which]->setText(FromDocument(switches.Captions[which]));
        const int left = which == 0 ? FirstLeft : switches.SecondLeft;
        Switches[which]->setGeometry(left, SwitchTop, switches.Width, SwitchHeight);
    }
    DownIndex = switches.Down == 1 ? 1 : 0;
    DownColour = ToQColor(switches.DownColour, palette());
    ShowDown();
    updateGeometry();
}

void TToggleSwitchPanel::SetPanelColour(const QColor& colour) {
    QPalette panelPalette = palette();
    panelPalette.setColor(QPalette::Window, colour);
    setPalette(panelPalette);
    setAutoFillBackground(true);
}

void TToggleSwitchPanel::SwitchClicked(int which) {
    // Pressing the switch that is already down changes nothing.
    if (which == DownIndex)
        return;
    DownIndex = which;
    ShowDown();
    if (OnSwitchDown)
        OnSwitchDown(which);
}

void TToggleSwitchPanel::ShowDown() {
    for (int which = 0; which < 2; ++which)
        static_cast<TToggleSwitch*>(Switches[which])->SetLook(which == DownIndex, DownColour);
}

QSize TToggleSwitchPanel::sizeHint() const {
    return {Switches[1]->geometry().right() + 1 + FirstLeft, PanelHeight};
}

} // namespace qz::gui
