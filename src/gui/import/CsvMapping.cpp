#include "CsvMapping.h"

#include <QCryptographicHash>

#include <QString>
#include <cstdio>

namespace qz::gui {

namespace {

std::string ColumnsText(const TCsvColumns& c) {
    std::string text;
    const std::pair<const char*, int> items[] = {{"date", c.Date},          {"amount", c.Amount}, {"debit", c.Debit},
                                                 {"credit", c.Credit},      {"payee", c.Payee},   {"memo", c.Memo},
                                                 {"reference", c.Reference}};
    for (const auto& [name, column] : items)
        if (column > 0)
            text += (text.empty() ? "" : ",") + std::string(name) + "=" + std::to_string(column);
    return text;
}

// "key\ncolumns\nseparator decimal order": the key first, so that a value whose hash matches
// another layout's is not taken for it.
std::string MappingText(const std::string& key, const TCsvMapping& m) {
    return key + "\n" + ColumnsText(m.Columns) + "\n" + std::to_string(static_cast<int>(m.Separator)) + " " +
           std::to_string(static_cast<int>(m.DecimalMark)) + " " + std::to_string(static_cast<int>(m.Order));
}

std::optional<TCsvMapping> ParseMapping(const std::string& key, const std::string& text) {
    const std::size_t first = text.find('\n');
    const std::size_t second = first == std::string::npos ? first : text.find('\n', first + 1);
    if (second == std::string::npos || text.substr(0, first) != key)
        return std::nullopt;
    TCsvMapping m;
    std::string error;
    if (!ParseCsvColumns(text.substr(first + 1, second - first - 1), m.Columns, error))
        return std::nullopt;
    int separator = 0, decimal = 0, order = 0;
    if (std::sscanf(text.c_str() + second + 1, "%d %d %d", &separator, &decimal, &order) != 3 ||
        (separator != ',' && separator != ';' && separator != '\t') ||
        (decimal != 0 && decimal != ',' && decimal != '.') || order < 0 ||
        order > static_cast<int>(TDateOrder::YearMonthDay))
        return std::nullopt;
    m.Separator = static_cast<char>(separator);
    m.DecimalMark = static_cast<char>(decimal);
    m.Order = static_cast<TDateOrder>(order);
    return m;
}

} // namespace

TCsvOptions TCsvMapping::Options() const {
    TCsvOptions options;
    options.Columns = Columns;
    options.Separator = Separator;
    options.DecimalMark = DecimalMark;
    options.Order = Order;
    return options;
}

bool TCsvMapping::Complete() const {
    return Columns.Date > 0 && (Columns.Amount > 0 || (Columns.Debit > 0 && Columns.Credit > 0));
}

std::string MappingValueName(const std::string& layoutKey) {
    const QByteArray hash = QCryptographicHash::hash(QByteArray::fromStdString(layoutKey), QCryptographicHash::Sha1);
    return "Import Layouts/" + hash.toHex().left(16).toStdString();
}

std::optional<TCsvMapping> RememberedMapping(Registry& values, const std::string& layoutKey) {
    std::string text;
    if (!values.ReadText(MappingValueName(layoutKey), text))
        return std::nullopt;
    return ParseMapping(layoutKey, text);
}

void RememberMapping(Registry& values, const std::string& layoutKey, const TCsvMapping& mapping) {
    values.WriteText(MappingValueName(layoutKey), MappingText(layoutKey, mapping));
}

TCsvMapping InitialMapping(Registry& values, const TCsvLayout& layout) {
    if (std::optional<TCsvMapping> remembered = RememberedMapping(values, layout.Key))
        return *remembered;
    TCsvMapping mapping;
    mapping.Separator = layout.Separator;
    if (layout.Columns)
        mapping.Columns = *layout.Columns;
    return mapping;
}

} // namespace qz::gui
