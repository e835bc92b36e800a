#include "ExportText.h"

#include <cstdint>
#include <cstdio>

namespace qz {

namespace {

// A control character (NUL, ESC, a line break...): in a text of a record it would break the
// line, or the terminal, it is written to.
bool IsControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

} // namespace

std::string CsvField(std::string_view text) {
    std::string clean(text);
    for (char& c : clean)
        if (IsControl(c) && c != '\r' && c != '\n')
            c = ' ';
    const bool quote = clean.find_first_of(",\"\r\n") != std::string::npos ||
                       (!clean.empty() && (clean.front() == ' ' || clean.back() == ' '));
    if (!quote)
        return clean;
    std::string out = "\"";
    for (char c : clean) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", byte);
                out += escape;
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

std::string PlainAmount(Money amount) {
    const std::int64_t raw = amount.Raw();
    // The magnitude as unsigned, exact even for the most negative value.
    const std::uint64_t magnitude =
        raw < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
    std::string fraction = std::to_string(magnitude % Money::Scale);
    fraction.insert(0, 4 - fraction.size(), '0');
    while (fraction.size() > 2 && fraction.back() == '0')
        fraction.pop_back();
    std::string text = raw < 0 ? "-" : "";
    text += std::to_string(magnitude / Money::Scale);
    text += '.';
    text += fraction;
    return text;
}

std::string OneLine(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            // "\r\n" is one break.
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += ' ';
        } else {
            out += IsControl(c) ? ' ' : c;
        }
    }
    return out;
}

} // namespace qz
