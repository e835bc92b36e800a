#include "CfbFormat.h"

namespace qz::cfb {

std::u16string NameFromUtf8(const std::string& name) {
    std::u16string out;
    for (std::size_t i = 0; i < name.size();) {
        const auto c = static_cast<unsigned char>(name[i]);
        std::uint32_t code = 0xFFFD;
        std::size_t length = 1;
        if (c < 0x80) {
            code = c;
        } else if ((c >> 5) == 0x6 && i + 1 < name.size()) {
            code = (c & 0x1Fu) << 6 | (static_cast<unsigned char>(name[i + 1]) & 0x3Fu);
            length = 2;
        } else if ((c >> 4) == 0xE && i + 2 < name.size()) {
            code = (c & 0x0Fu) << 12 | (static_cast<unsigned char>(name[i + 1]) & 0x3Fu) << 6 |
                   (static_cast<unsigned char>(name[i + 2]) & 0x3Fu);
            length = 3;
        } else if ((c >> 3) == 0x1E && i + 3 < name.size()) {
            code = (c & 0x07u) << 18 | (static_cast<unsigned char>(name[i + 1]) & 0x3Fu) << 12 |
                   (static_cast<unsigned char>(name[i + 2]) & 0x3Fu) << 6 |
                   (static_cast<unsigned char>(name[i + 3]) & 0x3Fu);
            length = 4;
        }
        i += length;
        if (code >= 0x10000 && code <= 0x10FFFF) {
            code -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (code >> 10));
            out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            out += static_cast<char16_t>(code > 0xFFFF ? 0xFFFD : code);
        }
    }
    return out;
}

std::string NameToUtf8(const std::u16string& name) {
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        std::uint32_t code = name[i];
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < name.size() && name[i + 1] >= 0xDC00 && name[i + 1] < 0xE000) {
            code = 0x10000 + ((code - 0xD800) << 10) + (name[i + 1] - 0xDC00);
            ++i;
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | code >> 6);
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | code >> 12);
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | code >> 18);
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

bool ValidName(const std::u16string& name) {
    if (name.empty() || name.size() > MaxNameLength)
        return false;
    for (char16_t c : name)
        if (c == u'/' || c == u'\\' || c == u':' || c == u'!' || c == 0)
            return false;
    return true;
}

namespace {
char16_t Upper(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<char16_t>(c - 0x20);
    if (c == 0xFF)
        return 0x178;
    return c;
}
} // namespace

int CompareNames(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char16_t x = Upper(a[i]);
        const char16_t y = Upper(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return 0;
}

} // namespace qz::cfb
