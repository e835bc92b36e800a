#include "SystemRegional.h"

#include "ledger/Cp1252.h"

#include <climits>
#include <clocale>
#include <cstring>
#include <langinfo.h>
#include <locale.h>

namespace qz {

namespace {

int Convention(char value) {
    return value == CHAR_MAX ? -1 : value;
}

// The Windows currency position: symbol first or last, with or without a blank.
int PositionOf(int precedes, int spaced) {
    if (precedes < 0)
        return -1;
    const bool space = spaced == 1;
    return precedes ? (space ? 2 : 0) : (space ? 3 : 1);
}

// The Windows negative currency format nearest to the locale's sign position.
int NegativeFormatOf(int precedes, int spaced, int signPosition) {
    if (precedes < 0 || signPosition < 0 || signPosition > 4)
        return -1;
    const bool space = spaced == 1;
    // By sign position 0..4, for: symbol first, symbol first with blank, symbol last, symbol last with blank.
    static const int formats[4][5] = {{0, 1, 3, 1, 2}, {14, 9, 11, 9, 12}, {4, 5, 7, 6, 7}, {15, 8, 10, 13, 10}};
    return formats[(precedes ? 0 : 2) + (space ? 1 : 0)][signPosition];
}

std::string Text(const std::string& text, bool utf8) {
    return utf8 ? Utf8ToCp1252(text) : text;
}

// A separator is one character: a no-break space that Windows-1252 cannot hold becomes a blank.
char Separator(const std::string& text, bool utf8, char fallback) {
    if (text.empty())
        return fallback;
    const std::string single = Text(text, utf8);
    if (single.size() != 1)
        return ' ';
    return single[0] == '?' ? ' ' : single[0];
}

} // namespace

TLocaleConventions SystemConventions() {
    TLocaleConventions c;
    locale_t locale = newlocale(LC_ALL_MASK, "", static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0))
        locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0))
        return c;
    // The conventions are read in this thread's own locale; the program's global one stays "C".
    const locale_t previous = uselocale(locale);
    const lconv* conv = localeconv();
    c.CurrencySymbol = conv->currency_symbol;
    c.MonetaryDecimalPoint = conv->mon_decimal_point;
    c.MonetaryThousandsSeparator = conv->mon_thousands_sep;
    c.DecimalPoint = conv->decimal_point;
    c.SymbolPrecedes = Convention(conv->p_cs_precedes);
    c.SymbolSeparatedBySpace = Convention(conv->p_sep_by_space);
    c.NegativeSymbolPrecedes = Convention(conv->n_cs_precedes);
    c.NegativeSeparatedBySpace = Convention(conv->n_sep_by_space);
    c.NegativeSignPosition = Convention(conv->n_sign_posn);
    c.DateFormat = nl_langinfo_l(D_FMT, locale);
    c.Utf8 = std::strcmp(nl_langinfo_l(CODESET, locale), "UTF-8") == 0;
    uselocale(previous);
    freelocale(locale);
    return c;
}

RegionalSettings RegionalFromConventions(const TLocaleConventions& c) {
    RegionalSettings settings;
    settings.CurrencySymbol = Text(c.CurrencySymbol, c.Utf8);
    settings.DecimalSeparator =
        Separator(c.MonetaryDecimalPoint.empty() ? c.DecimalPoint : c.MonetaryDecimalPoint, c.Utf8, '.');
    // A locale without a thousands separator groups nothing.
    settings.ThousandSeparator = Separator(c.MonetaryThousandsSeparator, c.Utf8, '\0');
    if (const int position = PositionOf(c.SymbolPrecedes, c.SymbolSeparatedBySpace); position >= 0)
        settings.CurrencyPosition = position;
    if (const int negative =
            NegativeFormatOf(c.NegativeSymbolPrecedes, c.NegativeSeparatedBySpace, c.NegativeSignPosition);
        negative >= 0)
        settings.NegativeCurrencyFormat = negative;
    if (!c.DateFormat.empty())
        settings.ShortDateFormat = ShortDateFromStrftime(c.DateFormat);
    return settings;
}

std::string ShortDateFromStrftime(const std::string& format) {
    std::string pattern;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%' || i + 1 == format.size()) {
            // Letters that a short-date pattern reads as fields are quoted.
            if (c == 'd' || c == 'M' || c == 'y' || c == '\'')
                pattern += c == '\'' ? std::string("''") : std::string("'") + c + "'";
            else
                pattern += c;
            continue;
        }
        if (format[i + 1] == 'E' || format[i + 1] == 'O') // the alternative forms read as the plain ones
            ++i;
        if (i + 1 == format.size())
            break;
        switch (format[++i]) {
        case 'd':
            pattern += "dd";
            break;
        case 'e':
            pattern += "d";
            break;
        case 'm':
            pattern += "MM";
            break;
        case 'b':
        case 'h':
            pattern += "MMM";
            break;
        case 'B':
            pattern += "MMMM";
            break;
        case 'a':
            pattern += "ddd";
            break;
        case 'A':
            pattern += "dddd";
            break;
        case 'y':
            pattern += "yy";
            break;
        case 'Y':
            pattern += "yyyy";
            break;
        case 'F':
            pattern += "yyyy-MM-dd";
            break;
        case 'D':
            pattern += "MM/dd/yy";
            break;
        case '%':
            pattern += '%';
            break;
        default:
            break; // a field a short date does not show
        }
    }
    return pattern;
}

} // namespace qz
