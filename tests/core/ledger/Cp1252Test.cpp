#include "ledger/Cp1252.h"

#include <gtest/gtest.h>

#include <string>

namespace qz {
namespace {

TEST(Cp1252Test, EveryByteSurvivesARoundTripThroughUtf8) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    const std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1252(utf8), all);
    // 128 ASCII bytes, 17 table characters of three bytes and 111 characters of two.
    EXPECT_EQ(utf8.size(), 128u + 17 * 3 + 111 * 2);
}

TEST(Cp1252Test, BytesMapToTheirCharacters) {
    struct Case {
        const char* Cp1252;
        const char* Utf8;
    };
    const Case cases[] = {
        {"\x80", "\xE2\x82\xAC"}, // euro sign U+20AC
        {"\x99", "\xE2\x84\xA2"}, // trade mark U+2122
        {"\x8A", "\xC5\xA0"},     // S caron U+0160
        {"\x9F", "\xC5\xB8"},     // Y diaeresis U+0178
        {"\x96", "\xE2\x80\x93"}, // en dash U+2013
        {"\x81", "\xC2\x81"},     // undefined: the C1 control of the same number
        {"\x9D", "\xC2\x9D"},
        {"\xA0", "\xC2\xA0"},
        {"\xE9", "\xC3\xA9"},
        {"\xFF", "\xC3\xBF"},
        {"Caf\xE9 \x80 5", "Caf\xC3\xA9 \xE2\x82\xAC 5"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Cp1252ToUtf8(c.Cp1252), c.Utf8) << c.Utf8;
        EXPECT_EQ(Utf8ToCp1252(c.Utf8), c.Cp1252) << c.Utf8;
    }
}

TEST(Cp1252Test, WhatCannotBeHeldOrReadBecomesAQuestionMark) {
    struct Case {
        std::string Utf8;
        std::string Cp1252;
    };
    const Case cases[] = {
        {"\xE4\xB8\xAD", "?"},        // U+4E2D, outside the code page
        {"\xF0\x9F\x98\x80!", "?!"},  // U+1F600
        {"\xC2\x80", "?"},            // U+0080: 0x80 is the euro sign, not this control
        {"a\x80z", "a?z"},            // stray continuation byte
        {"\xFF", "?"},                // never valid in UTF-8
        {"\xC0\xAF", "??"},           // overlong '/'
        {"\xE0\x80\xAF", "???"},      // overlong '/'
        {"\xED\xA0\x80", "???"},      // a surrogate
        {"\xF4\x90\x80\x80", "????"}, // beyond U+10FFFF
        {"x\xE2\x82", "x?"},          // cut short at the end
        {"\xE2\x82z", "?z"},          // cut short before a plain character, which is kept
        {"\xC3", "?"},
        {std::string("\0a", 2), std::string("\0a", 2)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf8ToCp1252(c.Utf8), c.Cp1252) << testing::PrintToString(c.Utf8);
}

TEST(Cp1252Test, TrimDropsBlanksAndControlsAtBothEnds) {
    struct Case {
        std::string Text;
        std::string Expected;
    };
    const Case cases[] = {
        {"  Wages  ", "Wages"},
        {"\t\r\nWages\x01\x1F", "Wages"},
        {"Office  rent", "Office  rent"},
        {" a ", "a"},
        {"", ""},
        {" \t \n", ""},
        {"\xA0Wages\xA0", "\xA0Wages\xA0"}, // a no-break space is a character like any other
        {std::string("\0x\0", 3), "x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Trim(c.Text), c.Expected) << testing::PrintToString(c.Text);
}

TEST(Cp1252Test, SameTextIgnoresTheCaseOfAsciiAndAccentedLetters) {
    struct Case {
        const char* A;
        const char* B;
        bool Same;
    };
    const Case cases[] = {
        {"Wages", "wAGES", true},
        {"Wages", "Wages", true},
        {"", "", true},
        {"Caf\xE9", "CAF\xC9", true},
        {"\xC0\xDE", "\xE0\xFE", true},
        {"\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF", true},
        {"\xD7", "\xF7", false}, // multiplication and division signs are not letters
        {"\xDF", "\xFF", false}, // sharp s has no capital here
        {"@", "`", false},
        {"[", "{", false},
        {"^", "~", false},
        {"Wages", "Wage", false},
        {"Wages", "Wager", false},
        {"\xC9", "E", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SameTextIgnoringCase(c.A, c.B), c.Same) << testing::PrintToString(c.A) << " vs " << c.B;
        EXPECT_EQ(SameTextIgnoringCase(c.B, c.A), c.Same) << testing::PrintToString(c.B) << " vs " << c.A;
    }
}

} // namespace
} // namespace qz
