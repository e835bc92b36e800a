#pragma once
// The program's 256-entry palette: the twenty static colours at both ends, a 6 × 6 × 6 colour
// cube, a grey ramp and a few colours of the program's pictures in between. In palette mode the
// column colours are entries of it.

#include <QRgb>

#include <array>
#include <vector>

namespace qz::gui {

class TColorPalette {
public:
    static constexpr int EntryCount = 256;
    // Entries 10–245 belong to the program; the others are the display's static colours.
    static constexpr int FirstOwnEntry = 10;
    static constexpr int LastOwnEntry = 245;

    TColorPalette();
    static const TColorPalette& Program();

    QRgb Entry(int index) const;
    // The program's entries that repeat one of the first ten static colours.
    std::vector<int> BadEntries() const;
    bool IdentityPalette() const { return BadEntries().empty(); }

private:
    std::array<QRgb, EntryCount> Entries{};
};

} // namespace qz::gui
