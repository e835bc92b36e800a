#include "ColorPalette.h"

#include <algorithm>

namespace qz::gui {

namespace {

// The display's usual static colours: entries 0–9 and 246–255.
constexpr std::array<QRgb, 10> LowStatic{
    qRgb(0, 0, 0),     qRgb(128, 0, 0),   qRgb(0, 128, 0),     qRgb(128, 128, 0),   qRgb(0, 0, 128),
    qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192), qRgb(192, 220, 192), qRgb(166, 202, 240),
};
constexpr std::array<QRgb, 10> HighStatic{
    qRgb(255, 251, 240), qRgb(160, 160, 164), qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),
    qRgb(255, 255, 0),   qRgb(0, 0, 255),     qRgb(255, 0, 255),   qRgb(0, 255, 255), qRgb(255, 255, 255),
};
constexpr std::array<int, 20> GreyRamp{0,   13,  26,  40,  53,  67,  80,  93,  107, 120,
                                       134, 147, 161, 174, 187, 201, 214, 228, 241, 255};
constexpr int FirstGrey = 216;

// Entries 236–245: colours of the program's pictures, three blacks and a white among them.
constexpr std::array<QRgb, 10> PictureColours{
    qRgb(132, 62, 2), qRgb(0, 0, 0),      qRgb(0, 0, 0),     qRgb(0, 0, 0),     qRgb(255, 255, 255),
    qRgb(0, 0, 1),    qRgb(48, 251, 152), qRgb(52, 219, 49), qRgb(60, 219, 49), qRgb(12, 51, 4),
};

// Colour cube entry n: red, green and blue levels of 0, 51, ... 255 with n = 36 r + 6 g + b.
QRgb CubeColour(int n) {
    return qRgb(n / 36 * 51, n / 6 % 6 * 51, n % 6 * 51);
}

} // namespace

TColorPalette::TColorPalette() {
    std::copy(LowStatic.begin(), LowStatic.end(), Entries.begin());
    for (int n = FirstOwnEntry; n < FirstGrey; ++n)
        Entries[static_cast<std::size_t>(n)] = CubeColour(n);
    for (std::size_t i = 0; i < GreyRamp.size(); ++i)
        Entries[FirstGrey + i] = qRgb(GreyRamp[i], GreyRamp[i], GreyRamp[i]);
    std::copy(PictureColours.begin(), PictureColours.end(), Entries.begin() + FirstGrey + GreyRamp.size());
    std::copy(HighStatic.begin(), HighStatic.end(), Entries.begin() + LastOwnEntry + 1);
}

const TColorPalette& TColorPalette::Program() {
    static const TColorPalette palette;
    return palette;
}

QRgb TColorPalette::Entry(int index) const {
    return Entries[static_cast<std::size_t>(std::clamp(index, 0, 255))];
}

std::vector<int> TColorPalette::BadEntries() const {
    std::vector<int> bad;
    for (int n = FirstOwnEntry; n <= LastOwnEntry; ++n) {
        const QRgb rgb = qRgb(qRed(Entries[n]), qGreen(Entries[n]), qBlue(Entries[n]));
        if (std::find(Entries.begin(), Entries.begin() + FirstOwnEntry, rgb) != Entries.begin() + FirstOwnEntry)
            bad.push_back(n);
    }
    return bad;
}

} // namespace qz::gui
