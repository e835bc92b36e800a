#include "PageMargins.h"

#include <algorithm>
#include <charconv>

namespace qz {

double& TPageMargins::operator[](TMarginSide side) {
    switch (side) {
    case TMarginSide::Left:
        return Left;
    case TMarginSide::Right:
        return Right;
    case TMarginSide::Top:
        return Top;
    case TMarginSide::Bottom:
        break;
    }
    return Bottom;
}

double TPageMargins::operator[](TMarginSide side) const {
    return const_cast<TPageMargins&>(*this)[side];
}

TPageMargins TurnMargins(const TPageMargins& margins, TPaperOrientation from, TPaperOrientation to) {
    if (from == to)
        return margins;
    if (to == TPaperOrientation::Landscape)
        return {margins.Bottom, margins.Top, margins.Left, margins.Right};
    return {margins.Top, margins.Bottom, margins.Right, margins.Left};
}

TMarginPanel::TMarginPanel(bool inchMode, const TPageMargins& marginsMm, const TPageMargins& minimaMm,
                           int paperWidthTenths, int paperLengthTenths, TPaperOrientation orientation)
    : Inches(inchMode), MinimaMm(minimaMm), WidthTenths(paperWidthTenths), LengthTenths(paperLengthTenths),
      Turn(orientation) {
    for (TMarginSide side : {TMarginSide::Left, TMarginSide::Right, TMarginSide::Top, TMarginSide::Bottom})
        Shown[side] = ToShown(marginsMm[side]);
}

double TMarginPanel::PaperAlongMm(TMarginSide side) const {
    const bool across = side == TMarginSide::Left || side == TMarginSide::Right;
    const bool portrait = Turn == TPaperOrientation::Portrait;
    return (across == portrait ? WidthTenths : LengthTenths) / 10.0;
}

double TMarginPanel::Maximum(TMarginSide side) const {
    static constexpr TMarginSide Opposite[] = {TMarginSide::Right, TMarginSide::Left, TMarginSide::Bottom,
                                               TMarginSide::Top};
    const double oppositeMm = ToMm(Shown[Opposite[static_cast<int>(side)]]);
    return ToShown(PaperAlongMm(side) - oppositeMm - LeastPrintedMm);
}

std::string TMarginPanel::Text(TMarginSide side) const {
    // Not the C library's printf: the texts must not follow the process's locale.
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, Shown[side], std::chars_format::fixed, 2);
    return std::string(text, written.ptr) + (Inches ? "\"" : " mm");
}

bool TMarginPanel::ParseTyped(const std::string& typed, double& shown) {
    const auto begin = typed.find_first_not_of(' ');
    if (begin == std::string::npos)
        return false;
    double value = 0;
    const char* start = typed.data() + begin;
    const auto [end, error] = std::from_chars(start, typed.data() + typed.size(), value);
    if (error != std::errc())
        return false;
    // What follows the number may only be the unit.
    const std::string rest(end, typed.data() + typed.size());
    const auto first = rest.find_first_not_of(' ');
    const std::string unit = first == std::string::npos ? std::string() : rest.substr(first);
    if (!unit.empty() && unit != "mm" && unit != "\"")
        return false;
    shown = value;
    return true;
}

void TMarginPanel::Type(TMarginSide side, double shown) {
    // The minimum wins over a maximum below it: a margin is never smaller than the printer allows.
    Shown[side] = std::max(Minimum(side), std::min(shown, Maximum(side)));
}

void TMarginPanel::Increase(TMarginSide side) {
    if (Shown[side] < Maximum(side))
        Shown[side] = std::min(Shown[side] + Step(), Maximum(side));
}

void TMarginPanel::Decrease(TMarginSide side) {
    if (Shown[side] > Minimum(side))
        Shown[side] = std::max(Shown[side] - Step(), Minimum(side));
}

void TMarginPanel::Reset() {
    for (TMarginSide side : {TMarginSide::Left, TMarginSide::Right, TMarginSide::Top, TMarginSide::Bottom})
        Shown[side] = ToShown(ResetMm);
}

void TMarginPanel::SetPaper(int widthTenths, int lengthTenths) {
    WidthTenths = widthTenths;
    LengthTenths = lengthTenths;
    Reset();
}

void TMarginPanel::SetOrientation(TPaperOrientation orientation) {
    Shown = TurnMargins(Shown, Turn, orientation);
    Turn = orientation;
}

TPageMargins TMarginPanel::MarginsMm() const {
    TPageMargins margins;
    for (TMarginSide side : {TMarginSide::Left, TMarginSide::Right, TMarginSide::Top, TMarginSide::Bottom})
        margins[side] = ToMm(Shown[side]);
    return margins;
}

} // namespace qz
