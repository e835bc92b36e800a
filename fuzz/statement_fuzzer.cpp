// Feeds arbitrary bytes to the QIF and CSV statement readers (and the CSV layout the column
// mapping shows). The first byte picks the
// options a user could give (date order, decimal mark, separator, a column mapping); the rest
// is the file. Whatever the bytes, a reader answers either one error or lines, each good line
// with a valid date and an amount within what the readers promise, each bad one with the line
// it names.

#include "filters/CsvReader.h"
#include "filters/QifReader.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using namespace qz;

void Check(const TStatement& statement) {
    if (!statement.Ok()) {
        if (!statement.Lines.empty())
            std::abort(); // an error comes with no lines
        return;
    }
    for (const TStatementLine& line : statement.Lines) {
        if (line.Line < 1)
            std::abort();
        if (!line.Good()) {
            if (line.Bad.rfind("line ", 0) != 0)
                std::abort();
            continue;
        }
        const CalendarDate day = DecodeDate(line.Date);
        if (!IsValidDate(day.Year, day.Month, day.Day) || day.Year < 1900)
            std::abort();
        // Eleven digits and two places at most.
        if (line.Cents > 9'999'999'999'999 || line.Cents < -9'999'999'999'999)
            std::abort();
    }
}

TDateOrder OrderOf(std::uint8_t bits) {
    switch (bits & 3) {
    case 1:
        return TDateOrder::DayMonthYear;
    case 2:
        return TDateOrder::MonthDayYear;
    case 3:
        return TDateOrder::YearMonthDay;
    default:
        return TDateOrder::Unknown;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::uint8_t options = data[0];
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const char marks[] = {0, '.', ','};
    const char separators[] = {0, ',', ';', '\t'};
    Check(TQifReader(OrderOf(options), marks[(options >> 2) % 3]).Read(text));
    TCsvOptions csv;
    csv.Order = OrderOf(options);
    csv.DecimalMark = marks[(options >> 2) % 3];
    csv.Separator = separators[(options >> 4) & 3];
    if (options & 0x40)
        csv.Columns = (options & 0x80) ? TCsvColumns{1, 0, 3, 4, 2, 5, 6} : TCsvColumns{2, 3, 0, 0, 1, 0, 4};
    Check(TCsvReader(csv).Read(text));
    TCsvLayout layout;
    std::string error;
    const bool read = TCsvReader::ReadLayout(text, 8, layout, error);
    if (read != error.empty())
        std::abort(); // a layout is read, or it is not and the error says why
    if (layout.Rows.size() > 8)
        std::abort();
    return 0;
}
