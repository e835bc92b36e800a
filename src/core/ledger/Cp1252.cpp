#include "Cp1252.h"

#include <array>

namespace qz {

namespace {

// The characters of the bytes 0x80..0x9F. The five bytes Windows-1252 leaves undefined map to the
// C1 control of the same number, so that every byte survives a round trip through UTF-8.
constexpr std::array<char32_t, 32> HighCharacters = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                     0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CharacterOf(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return HighCharacters[byte - 0x80];
    return byte;
}

char ByteOf(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<char>(character);
    for (std::size_t i = 0; i < HighCharacters.size(); ++i)
        if (HighCharacters[i] == character)
            return static_cast<char>(0x80 + i);
    return '?';
}

void AppendUtf8(char32_t character, std::string& out) {
    if (character < 0x80) {
        out += static_cast<char>(character);
    } else if (character < 0x800) {
        out += static_cast<char>(0xC0 | (character >> 6));
        out += static_cast<char>(0x80 | (character & 0x3F));
    } else {
        // Every character of the table lies below U+10000.
        out += static_cast<char>(0xE0 | (character >> 12));
        out += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (character & 0x3F));
    }
}

// Reads one UTF-8 sequence at `at`. A malformed sequence (stray continuation, overlong form,
// surrogate, beyond U+10FFFF, cut short) is consumed up to the first byte that cannot belong
// to it and reads as nothing.
bool ReadUtf8(std::string_view text, std::size_t& at, char32_t& character) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) {
        character = lead;
        return true;
    }
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        character = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        character = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        character = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return false;
    }
    for (int i = 1; i < length; ++i) {
        if (at >= text.size())
            return false;
        const auto next = static_cast<unsigned char>(text[at]);
        if (next < low || next > high)
            return false;
        character = (character << 6) | (next & 0x3F);
        low = 0x80;
        high = 0xBF;
        ++at;
    }
    return true;
}

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

unsigned char FoldCase(unsigned char c) {
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + ('a' - 'A'));
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<unsigned char>(c + 0x20);
    switch (c) {
    case 0x8A:
        return 0x9A; // S caron
    case 0x8C:
        return 0x9C; // OE
    case 0x8E:
        return 0x9E; // Z caron
    case 0x9F:
        return 0xFF; // Y diaeresis
    default:
        return c;
    }
}

} // namespace

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        AppendUtf8(CharacterOf(static_cast<unsigned char>(c)), out);
    return out;
}

std::string Utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        char32_t character = 0;
        out += ReadUtf8(text, at, character) ? ByteOf(character) : '?';
    }
    return out;
}

std::string Trim(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlankOrControl(text[first]))
        ++first;
    while (last > first && IsBlankOrControl(text[last - 1]))
        --last;
    return std::string(text.substr(first, last - first));
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(static_cast<unsigned char>(a[i])) != FoldCase(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace qz
