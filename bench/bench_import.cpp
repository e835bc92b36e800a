// Importing a statement: reading a 10,000-line CSV and a 10,000-line OFX, and matching their
// lines against a 100k-transaction book (duplicates and category suggestions). Half of each
// statement repeats transactions the account holds (those with a reference or notes to match are
// found as duplicates: the "duplicates" counter), the other half is new, with payees the book's
// notes know.

#include "BenchBooks.h"

#include "filters/ImportPreview.h"
#include "filters/StatementFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using namespace qz;

constexpr int Lines = 10000;

const TLedger& Book() {
    static TLedger* ledger = [] {
        auto* l = new TLedger;
        bench::GenerateBenchBooks(*l, 100000, 3, 2023);
        return l;
    }();
    return *ledger;
}

std::string Folder() {
    static const std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "qz-bench-import-XXXXXX").string();
        std::string made = ::mkdtemp(pattern.data());
        std::atexit([] { std::filesystem::remove_all(Folder()); });
        return made;
    }();
    return folder;
}

struct TEntry {
    CalendarDate Day;
    std::string Amount;
    std::string Payee;
    std::string Id;
};

std::string Plain(Money amount) {
    const std::int64_t cents = amount.Raw() / 100;
    char text[32];
    std::snprintf(text, sizeof text, "%s%lld.%02lld", cents < 0 ? "-" : "",
                  static_cast<long long>(std::llabs(cents) / 100), static_cast<long long>(std::llabs(cents) % 100));
    return text;
}

// Every other entry is a transaction of account 0; the others are new amounts on the same days.
std::vector<TEntry> Entries() {
    std::vector<TEntry> entries;
    int n = 0;
    for (const TTransRec* t : Book().TransList.KeyList) {
        if (t->Book != 0 || !t->IsOrdinary() || t->Split != '0')
            continue;
        const Money signedAmount = t->Kind == TransDebit ? -t->Amount : t->Amount;
        const std::string payee = t->Notes.empty() ? "Payee " + std::to_string(n % 50) : t->Notes;
        // The bank's line of a transaction the book holds carries its reference or its notes.
        const std::string id = t->Reference.Empty() ? "R" + std::to_string(n) : t->Reference.Str();
        entries.push_back({DecodeDate(t->Date), Plain(signedAmount), payee, id});
        entries.push_back(
            {DecodeDate(t->Date), Plain(signedAmount + Money::FromCents(7)), payee, "N" + std::to_string(n)});
        if (static_cast<int>(entries.size()) >= Lines)
            break;
        ++n;
    }
    return entries;
}

std::string WriteCsv() {
    const std::string path = Folder() + "/statement.csv";
    std::ofstream out(path, std::ios::binary);
    out << "Date,Description,Amount,Reference\n";
    for (const TEntry& e : Entries())
        out << e.Day.Day << '/' << e.Day.Month << '/' << e.Day.Year << ",\"" << e.Payee << "\"," << e.Amount << ','
            << e.Id << '\n';
    return path;
}

std::string WriteOfx() {
    const std::string path = Folder() + "/statement.ofx";
    std::ofstream out(path, std::ios::binary);
    out << "OFXHEADER:100\nDATA:OFXSGML\nVERSION:102\nSECURITY:NONE\nENCODING:USASCII\nCHARSET:1252\n"
           "COMPRESSION:NONE\nOLDFILEUID:NONE\nNEWFILEUID:NONE\n\n<OFX><SIGNONMSGSRSV1><SONRS><STATUS><CODE>0"
           "<SEVERITY>INFO</STATUS><DTSERVER>20260101<LANGUAGE>ENG</SONRS></SIGNONMSGSRSV1>\n<BANKMSGSRSV1>"
           "<STMTTRNRS><TRNUID>1<STATUS><CODE>0<SEVERITY>INFO</STATUS><STMTRS><CURDEF>AUD<BANKACCTFROM>"
           "<BANKID>062000<ACCTID>1<ACCTTYPE>CHECKING</BANKACCTFROM><BANKTRANLIST><DTSTART>20230101"
           "<DTEND>20251231\n";
    char day[16];
    for (const TEntry& e : Entries()) {
        std::snprintf(day, sizeof day, "%04d%02d%02d", e.Day.Year, e.Day.Month, e.Day.Day);
        out << "<STMTTRN>\n<TRNTYPE>" << (e.Amount[0] == '-' ? "DEBIT" : "CREDIT") << "\n<DTPOSTED>" << day
            << "\n<TRNAMT>" << e.Amount << "\n<FITID>" << e.Id << "\n<NAME>" << e.Payee << "\n</STMTTRN>\n";
    }
    out << "</BANKTRANLIST><LEDGERBAL><BALAMT>0<DTASOF>20251231</LEDGERBAL></STMTRS></STMTTRNRS>"
           "</BANKMSGSRSV1></OFX>\n";
    return path;
}

void ReadAndMatch(benchmark::State& state, const std::string& path, TStatementOptions options) {
    const TLedger& book = Book();
    std::size_t duplicates = 0;
    for (auto _ : state) {
        const TStatement statement = ReadStatement(path, options);
        const std::vector<TImportLine> lines = PreviewImport(book, 0, statement);
        duplicates = 0;
        for (const TImportLine& line : lines)
            duplicates += line.Duplicate();
        benchmark::DoNotOptimize(lines.data());
        if (lines.size() != static_cast<std::size_t>(Lines))
            state.SkipWithError("the statement did not read whole");
    }
    state.counters["duplicates"] = static_cast<double>(duplicates);
}

void BM_ImportCsv10k(benchmark::State& state) {
    static const std::string path = WriteCsv();
    TStatementOptions options;
    options.Order = TDateOrder::DayMonthYear;
    ReadAndMatch(state, path, options);
}
BENCHMARK(BM_ImportCsv10k)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ImportOfx10k(benchmark::State& state) {
    static const std::string path = WriteOfx();
    ReadAndMatch(state, path, {});
}
BENCHMARK(BM_ImportOfx10k)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
