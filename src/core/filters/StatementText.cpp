#include "StatementText.h"

#include "ledger/Cp1252.h"

#include <array>
#include <fstream>

namespace qz {

namespace {

// The length of the valid UTF-8 sequence at `i`, 0 when there is none.
std::size_t Utf8SequenceAt(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned least = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, least = 0x80;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, least = 0x800;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, least = 0x10000;
    else
        return 0;
    if (i + length > text.size())
        return 0;
    unsigned code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceAt(text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

// Tab, line ends, form feed and a DOS end-of-file mark are the only control characters text holds.
bool IsTextControl(unsigned char c) {
    return c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == 0x1A;
}

int LineAt(std::string_view text, std::size_t offset) {
    int line = 1;
    for (std::size_t i = 0; i < offset; ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')))
            ++line;
    return line;
}

struct TDateNumbers {
    std::array<int, 3> Value{};
    std::array<int, 3> Digits{};
};

bool SplitDate(std::string_view text, TDateNumbers& numbers) {
    text = TrimBlanks(text);
    if (text.size() == 8 && text.find_first_not_of("0123456789") == std::string_view::npos) {
        numbers.Value = {std::stoi(std::string(text.substr(0, 4))), std::stoi(std::string(text.substr(4, 2))),
                         std::stoi(std::string(text.substr(6, 2)))};
        numbers.Digits = {4, 2, 2};
        return true;
    }
    std::size_t i = 0;
    for (int part = 0; part < 3; ++part) {
        while (part > 0 && i < text.size() &&
               (text[i] == ' ' || text[i] == '/' || text[i] == '-' || text[i] == '.' || text[i] == '\''))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < 4)
            ++i;
        if (i == start || (i < text.size() && text[i] >= '0' && text[i] <= '9'))
            return false;
        numbers.Value[part] = std::stoi(std::string(text.substr(start, i - start)));
        numbers.Digits[part] = static_cast<int>(i - start);
        // Between the numbers there must be a separator.
        if (part < 2 && (i >= text.size() ||
                         (text[i] != ' ' && text[i] != '/' && text[i] != '-' && text[i] != '.' && text[i] != '\'')))
            return false;
    }
    return i == text.size();
}

int FullYear(int year, int digits) {
    if (digits == 4)
        return year;
    if (digits > 2)
        return -1;
    return year < 70 ? 2000 + year : 1900 + year;
}

bool DateIn(const TDateNumbers& n, TDateOrder order, TDateTime& date) {
    int year = 0;
    int month = 0;
    int day = 0;
    switch (order) {
    case TDateOrder::DayMonthYear:
        day = n.Value[0], month = n.Value[1], year = FullYear(n.Value[2], n.Digits[2]);
        break;
    case TDateOrder::MonthDayYear:
        month = n.Value[0], day = n.Value[1], year = FullYear(n.Value[2], n.Digits[2]);
        break;
    case TDateOrder::YearMonthDay:
        year = FullYear(n.Value[0], n.Digits[0]), month = n.Value[1], day = n.Value[2];
        break;
    case TDateOrder::Unknown:
        return false;
    }
    if (n.Digits[1] > 2 || (order == TDateOrder::YearMonthDay ? n.Digits[2] : n.Digits[0]) > 2)
        return false;
    if (year < 1900 || year > 9999 || !IsValidDate(year, month, day))
        return false;
    date = EncodeDate(year, month, day);
    return true;
}

bool IsCurrencySign(std::string_view text, std::size_t& length) {
    for (std::string_view sign : {"$", "\xE2\x82\xAC", "\xC2\xA3"})
        if (text.substr(0, sign.size()) == sign) {
            length = sign.size();
            return true;
        }
    return false;
}

// The digits of the whole part, checked for grouping: "1,234,567" or "1234567".
bool WholeDigits(std::string_view whole, char separator, std::string& digits) {
    if (whole.empty())
        return false;
    if (whole.find(separator) == std::string_view::npos) {
        digits = whole;
        return whole.find_first_not_of("0123456789") == std::string_view::npos;
    }
    std::size_t start = 0;
    bool first = true;
    while (start <= whole.size()) {
        const std::size_t end = std::min(whole.find(separator, start), whole.size());
        const std::string_view group = whole.substr(start, end - start);
        if (group.empty() || group.find_first_not_of("0123456789") != std::string_view::npos ||
            (first ? group.size() > 3 : group.size() != 3))
            return false;
        digits += group;
        first = false;
        start = end + 1;
    }
    return true;
}

} // namespace

std::string LineMessage(int line, const std::string& what) {
    return "line " + std::to_string(line) + ": " + what;
}

bool StatementTextToUtf8(std::string& bytes, std::string& error) {
    if (bytes.size() > MaxStatementBytes) {
        error = "the file is larger than 50 MB; no statement is that large";
        return false;
    }
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        bytes.erase(0, 3);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x20 && !IsTextControl(c)) {
            error = LineMessage(LineAt(bytes, i), "the file holds binary data, not the text of a statement");
            return false;
        }
    }
    if (!IsUtf8(bytes))
        bytes = Cp1252ToUtf8(bytes);
    return true;
}

bool ReadStatementBytes(const std::string& path, std::string& bytes, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": the file cannot be opened";
        return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) {
        error = path + ": the file cannot be read";
        return false;
    }
    if (static_cast<std::uint64_t>(size) > MaxStatementBytes) {
        error = "the file is larger than 50 MB; no statement is that large";
        return false;
    }
    in.seekg(0);
    bytes.resize(static_cast<std::size_t>(size));
    if (size > 0 && !in.read(bytes.data(), size)) {
        error = path + ": the file cannot be read";
        return false;
    }
    return true;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    return text;
}

bool ParseStatementDate(std::string_view text, TDateOrder order, TDateTime& date) {
    TDateNumbers numbers;
    if (!SplitDate(text, numbers))
        return false;
    // A four-digit first number is a year whatever order the rest of the file keeps.
    if (numbers.Digits[0] == 4)
        order = TDateOrder::YearMonthDay;
    return DateIn(numbers, order, date);
}

TDateOrder GuessDateOrder(const std::vector<std::string_view>& dates) {
    bool fits[3] = {true, true, true};
    bool any = false;
    constexpr TDateOrder orders[3] = {TDateOrder::DayMonthYear, TDateOrder::MonthDayYear, TDateOrder::YearMonthDay};
    for (std::string_view text : dates) {
        TDateNumbers numbers;
        if (!SplitDate(text, numbers))
            continue;
        bool fitsOne = false;
        TDateTime ignored = 0;
        bool here[3];
        for (int k = 0; k < 3; ++k)
            fitsOne |= here[k] = DateIn(numbers, orders[k], ignored);
        if (!fitsOne)
            continue; // not a date: its line will say so
        any = true;
        for (int k = 0; k < 3; ++k)
            fits[k] = fits[k] && here[k];
    }
    const int count = fits[0] + fits[1] + fits[2];
    if (!any || count != 1)
        return TDateOrder::Unknown;
    return fits[0] ? orders[0] : fits[1] ? orders[1] : orders[2];
}

bool ParseStatementAmount(std::string_view text, char decimalMark, std::int64_t& cents, std::string& why) {
    const std::string shown(TrimBlanks(text));
    std::string_view rest = shown;
    bool negative = false;
    auto bad = [&](const std::string& reason) {
        why = "the amount \"" + shown + "\" " + reason;
        return false;
    };
    if (rest.empty())
        return bad("is empty");
    if (rest.front() == '(' && rest.back() == ')') {
        negative = true;
        rest = TrimBlanks(rest.substr(1, rest.size() - 2));
    }
    if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
        negative = negative != (rest.front() == '-');
        rest = TrimBlanks(rest.substr(1));
    } else if (!rest.empty() && rest.back() == '-') {
        negative = !negative;
        rest = TrimBlanks(rest.substr(0, rest.size() - 1));
    }
    std::size_t signLength = 0;
    if (IsCurrencySign(rest, signLength))
        rest = TrimBlanks(rest.substr(signLength));
    else if (rest.size() > 1) {
        // A currency sign may also follow the number ("12,50 €").
        for (std::string_view sign : {"$", "\xE2\x82\xAC", "\xC2\xA3"})
            if (rest.size() > sign.size() && rest.substr(rest.size() - sign.size()) == sign) {
                rest = TrimBlanks(rest.substr(0, rest.size() - sign.size()));
                break;
            }
    }
    if (!rest.empty() && rest.front() == '-' && !negative) {
        negative = true; // "$-12.00"
        rest.remove_prefix(1);
    }
    const char separator = decimalMark == ',' ? '.' : ',';
    const std::size_t mark = rest.find(decimalMark);
    const std::string_view whole = rest.substr(0, mark);
    std::string_view fraction = mark == std::string_view::npos ? std::string_view() : rest.substr(mark + 1);
    std::string digits;
    // A blank or an apostrophe also groups thousands in some countries' statements.
    std::string wholeText(whole);
    for (char& c : wholeText)
        if (c == ' ' || c == '\'')
            c = separator;
    if (mark == 0 && !fraction.empty())
        wholeText = "0";
    if (!WholeDigits(wholeText, separator, digits))
        return bad("is not a number");
    if (fraction.find_first_not_of("0123456789") != std::string_view::npos ||
        (mark != std::string_view::npos && fraction.empty()))
        return bad("is not a number");
    while (fraction.size() > 2 && fraction.back() == '0')
        fraction.remove_suffix(1);
    if (fraction.size() > 2)
        return bad("has fractions of a cent");
    // At most eleven digits before the mark keep the cents far inside an int64.
    while (digits.size() > 1 && digits.front() == '0')
        digits.erase(0, 1);
    if (digits.size() > 11)
        return bad("is too large");
    std::int64_t value = std::stoll(digits) * 100;
    if (!fraction.empty())
        value += std::stoll(std::string(fraction)) * (fraction.size() == 1 ? 10 : 1);
    cents = negative ? -value : value;
    return true;
}

char GuessDecimalMark(const std::vector<std::string_view>& amounts) {
    int comma = 0;
    int point = 0;
    for (std::string_view text : amounts) {
        const std::size_t lastComma = text.rfind(',');
        const std::size_t lastPoint = text.rfind('.');
        if (lastComma != std::string_view::npos && lastPoint != std::string_view::npos) {
            (lastComma > lastPoint ? comma : point) += 1;
            continue;
        }
        const std::size_t mark = lastComma != std::string_view::npos ? lastComma : lastPoint;
        if (mark == std::string_view::npos)
            continue;
        std::size_t digits = 0;
        while (mark + 1 + digits < text.size() && text[mark + 1 + digits] >= '0' && text[mark + 1 + digits] <= '9')
            ++digits;
        // Three digits after a single mark could be either; a mark used twice groups thousands.
        const bool twice = text.find(text[mark]) != mark;
        if (digits != 3 && !twice)
            (text[mark] == ',' ? comma : point) += 1;
        else if (twice)
            (text[mark] == ',' ? point : comma) += 1;
    }
    return comma > point ? ',' : '.';
}

} // namespace qz
