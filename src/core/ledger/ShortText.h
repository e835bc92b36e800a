#pragma once
// A short text of capacity N: a length byte and N character bytes (Windows-1252), the form
// in which documents store names and references. Longer texts are cut to N bytes.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qz {

template <std::size_t N> class ShortText {
    static_assert(N > 0 && N <= 255, "a short text holds at most 255 characters");

public:
    static constexpr std::size_t Capacity = N;

    ShortText() = default;
    ShortText(std::string_view text) { Assign(text); }
    ShortText& operator=(std::string_view text) {
        Assign(text);
        return *this;
    }

    void Assign(std::string_view text) {
        Length = static_cast<std::uint8_t>(std::min(text.size(), N));
        std::copy_n(text.data(), Length, Bytes.data());
        std::fill(Bytes.begin() + Length, Bytes.end(), '\0');
    }

    std::string_view View() const { return {Bytes.data(), Length}; }
    std::string Str() const { return std::string(View()); }
    std::size_t Size() const { return Length; }
    bool Empty() const { return Length == 0; }

    bool operator==(const ShortText& other) const { return View() == other.View(); }
    bool operator==(std::string_view other) const { return View() == other; }
    // Byte-wise and case-sensitive; on a common beginning the shorter text comes first.
    std::strong_ordering operator<=>(const ShortText& other) const { return View() <=> other.View(); }

private:
    std::uint8_t Length = 0;
    std::array<char, N> Bytes{};
};

} // namespace qz
