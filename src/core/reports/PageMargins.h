#pragma once
// The four margins of a printed page and the page setup's margins panel: its limits, steps and
// units, and how the margins turn with the paper. Millimetres unless said otherwise.

#include <cstdint>
#include <string>

namespace qz {

enum class TPaperOrientation : std::uint8_t { Portrait, Landscape };

enum class TMarginSide : std::uint8_t { Left, Right, Top, Bottom };

struct TPageMargins {
    double Left = 15;
    double Right = 15;
    double Top = 15;
    double Bottom = 15;

    double& operator[](TMarginSide side);
    double operator[](TMarginSide side) const;
    bool operator==(const TPageMargins&) const = default;
};

// The margins once the paper is turned from `from` to `to`: they stay on the same edges of the
// paper. To landscape the new left is the old bottom, the new right the old top, the new top
// the old left and the new bottom the old right; to portrait the reverse.
TPageMargins TurnMargins(const TPageMargins& margins, TPaperOrientation from, TPaperOrientation to);

// The margins panel: four values in the unit shown (millimetres, or inches for a user whose
// measurement system is U.S.), each between its minimum and a maximum that leaves the printed
// area at least 80 mm along its axis.
class TMarginPanel {
public:
    static constexpr double InchFactor = 0.0394; // inches shown per millimetre
    static constexpr double ResetMm = 15;
    static constexpr double LeastPrintedMm = 80;

    // The paper's width and length in tenths of a millimetre, as printer drivers give them.
    TMarginPanel(bool inchMode, const TPageMargins& marginsMm, const TPageMargins& minimaMm, int paperWidthTenths,
                 int paperLengthTenths, TPaperOrientation orientation);

    bool InchMode() const { return Inches; }
    double Step() const { return Inches ? 0.1 : 1.0; }
    // In the unit shown.
    double Value(TMarginSide side) const { return Shown[side]; }
    double Minimum(TMarginSide side) const { return ToShown(MinimaMm[side]); }
    double Maximum(TMarginSide side) const;
    // A box's text once left: two decimals and the unit, "15.00 mm" or "0.59"".
    std::string Text(TMarginSide side) const;
    // Parses what a user typed into a box, with or without the unit; false when it is no number.
    static bool ParseTyped(const std::string& typed, double& shown);

    // A typed value: above the maximum it is the maximum, below the minimum the minimum.
    void Type(TMarginSide side, double shown);
    void Increase(TMarginSide side);
    void Decrease(TMarginSide side);
    // "&Reset Margins": every margin 15 mm.
    void Reset();
    // Another paper (or printer) chosen: its dimensions, and the margins reset.
    void SetPaper(int widthTenths, int lengthTenths);
    // The paper turned: the margins turn with it.
    void SetOrientation(TPaperOrientation orientation);

    TPaperOrientation Orientation() const { return Turn; }
    int PaperWidthTenths() const { return WidthTenths; }
    int PaperLengthTenths() const { return LengthTenths; }
    TPageMargins MarginsMm() const;

private:
    double ToShown(double mm) const { return Inches ? mm * InchFactor : mm; }
    double ToMm(double shown) const { return Inches ? shown / InchFactor : shown; }
    // The paper's extent along the side's axis, as it lies now.
    double PaperAlongMm(TMarginSide side) const;

    bool Inches;
    TPageMargins Shown;
    TPageMargins MinimaMm;
    int WidthTenths;
    int LengthTenths;
    TPaperOrientation Turn;
};

} // namespace qz
