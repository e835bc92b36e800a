#pragma once
// Colours are Windows colour values: red in the low byte, then green, then blue.

#include <algorithm>
#include <cstdint>

namespace qz {

using TColour = std::int32_t;

constexpr TColour RGBColour(int red, int green, int blue) {
    return static_cast<TColour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(TColour c) { return c & 0xFF; }
constexpr int GreenOf(TColour c) { return (c >> 8) & 0xFF; }
constexpr int BlueOf(TColour c) { return (c >> 16) & 0xFF; }

// Adds n to each of red, green and blue, clamped to 0..255 (a negative n darkens).
constexpr TColour LightenColour(TColour c, int n) {
    auto clamp = [](int v) { return std::clamp(v, 0, 255); };
    return RGBColour(clamp(RedOf(c) + n), clamp(GreenOf(c) + n), clamp(BlueOf(c) + n));
}
constexpr TColour DarkenColour(TColour c, int n) { return LightenColour(c, -n); }

} // namespace qz
