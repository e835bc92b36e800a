#include "WinColour.h"

#include "ColorPalette.h"

#include <QGuiApplication>
#include <QPalette>

#include <array>
#include <cstdint>

namespace qz::gui {

namespace {

struct SystemRole {
    QPalette::ColorGroup Group;
    QPalette::ColorRole Role;
};

// The palette role standing in for each Windows system colour index (0 scroll bar ... 24 info background).
constexpr std::array<SystemRole, 25> SystemRoles{{
    {QPalette::Active, QPalette::Button},          // scroll bar
    {QPalette::Active, QPalette::Window},          // desktop
    {QPalette::Active, QPalette::Highlight},       // active caption
    {QPalette::Inactive, QPalette::Highlight},     // inactive caption
    {QPalette::Active, QPalette::Window},          // menu
    {QPalette::Active, QPalette::Base},            // window
    {QPalette::Active, QPalette::Shadow},          // window frame
    {QPalette::Active, QPalette::WindowText},      // menu text
    {QPalette::Active, QPalette::Text},            // window text
    {QPalette::Active, QPalette::HighlightedText}, // caption text
    {QPalette::Active, QPalette::Button},          // active border
    {QPalette::Inactive, QPalette::Button},        // inactive border
    {QPalette::Active, QPalette::Mid},             // application workspace
    {QPalette::Active, QPalette::Highlight},       // highlight
    {QPalette::Active, QPalette::HighlightedText}, // highlight text
    {QPalette::Active, QPalette::Button},          // button face
    {QPalette::Active, QPalette::Dark},            // button shadow
    {QPalette::Disabled, QPalette::Text},          // grey text
    {QPalette::Active, QPalette::ButtonText},      // button text
    {QPalette::Inactive, QPalette::WindowText},    // inactive caption text
    {QPalette::Active, QPalette::Light},           // button highlight
    {QPalette::Active, QPalette::Shadow},          // 3D dark shadow
    {QPalette::Active, QPalette::Midlight},        // 3D light
    {QPalette::Active, QPalette::ToolTipText},     // info text
    {QPalette::Active, QPalette::ToolTipBase},     // info background
}};

std::uint32_t Bits(TColour colour) {
    return static_cast<std::uint32_t>(colour);
}

} // namespace

QColor ToQColor(TColour colour) {
    return ToQColor(colour, QGuiApplication::palette());
}

QColor ToQColor(TColour colour, const QPalette& palette) {
    const std::uint32_t bits = Bits(colour);
    switch (bits >> 24) {
    case 0x80: {
        const std::uint32_t index = bits & 0xFF;
        if (index >= SystemRoles.size())
            return Qt::black;
        const SystemRole& role = SystemRoles[index];
        return palette.color(role.Group, role.Role);
    }
    case 0x01:
        return QColor::fromRgb(TColorPalette::Program().Entry(static_cast<int>(bits & 0xFF)));
    default:
        return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
    }
}

TColour ResolveColour(TColour colour) {
    return FromQColor(ToQColor(colour));
}

TColour FromQColor(const QColor& colour) {
    return RGBColour(colour.red(), colour.green(), colour.blue());
}

} // namespace qz::gui
