#include "LocaleSettings.h"

#include "TextCodec.h"

#include <QRegularExpression>

namespace qz::gui {

namespace {

// Where the symbol stands in a formatted amount, in the four positive layouts.
int PositionOf(const QString& sample, const QString& symbol) {
    const bool before = sample.startsWith(symbol);
    const bool spaced = before ? sample.mid(symbol.size(), 1).trimmed().isEmpty()
                               : sample.mid(sample.size() - symbol.size() - 1, 1).trimmed().isEmpty();
    return before ? (spaced ? 2 : 0) : (spaced ? 3 : 1);
}

// The negative layout among the sixteen that the formatted sample matches.
int NegativeFormatOf(const QString& sample, const QString& symbol) {
    const bool brackets = sample.startsWith('(');
    const int at = sample.indexOf(symbol);
    const int minus = sample.indexOf('-');
    const bool symbolFirst = at >= 0 && at < sample.indexOf(QRegularExpression(QStringLiteral("[0-9]")));
    const bool spaced = sample.contains(QChar(' ')) || sample.contains(QChar(0xA0));
    if (brackets)
        return symbolFirst ? (spaced ? 14 : 0) : (spaced ? 15 : 4);
    if (symbolFirst) {
        if (minus >= 0 && minus < at)
            return spaced ? 9 : 1;
        if (minus > at && minus < sample.size() - 1)
            return spaced ? 12 : 2;
        return spaced ? 11 : 3;
    }
    if (minus == 0)
        return spaced ? 8 : 5;
    if (minus >= 0 && minus < at)
        return spaced ? 13 : 6;
    return spaced ? 10 : 7;
}

// Qt's date pattern letters are Windows' own (d, M, y); a two-digit year becomes four, since
// books span decades.
std::string ShortDatePattern(const QLocale& locale) {
    QString pattern = locale.dateFormat(QLocale::ShortFormat);
    pattern.replace(QStringLiteral("yy"), QStringLiteral("yyyy")).replace(QStringLiteral("yyyyyyyy"), QStringLiteral("yyyy"));
    return pattern.toStdString();
}

} // namespace

RegionalSettings RegionalSettingsOf(const QLocale& locale) {
    RegionalSettings settings;
    const QString symbol = locale.currencySymbol(QLocale::CurrencySymbol);
    settings.CurrencySymbol = ToDocument(symbol);
    settings.DecimalSeparator = static_cast<char>(locale.decimalPoint().at(0).toLatin1());
    const QString group = locale.groupSeparator();
    settings.ThousandSeparator = group.isEmpty() || group.at(0).unicode() > 0x7F ? ' ' : group.at(0).toLatin1();
    settings.CurrencyPosition = PositionOf(locale.toCurrencyString(1.0), symbol);
    settings.NegativeCurrencyFormat = NegativeFormatOf(locale.toCurrencyString(-1.0), symbol);
    settings.ShortDateFormat = ShortDatePattern(locale);
    return settings;
}

} // namespace qz::gui
