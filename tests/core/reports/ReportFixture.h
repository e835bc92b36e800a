#pragma once
// Books for the report tests: the engine fixture's accounts and categories (Sales and the
// tax refunds category in "General Income", Rent and the tax payments category in
// "Overheads") with a January before the period and a February to report on.
//
//   date    kind     account  category  amount  tax  note
//   01 Jan  opening  Cheque             1000
//   10 Jan  credit   Cheque   Sales     110     10
//   20 Jan  debit    Cheque   Rent      55      5
//   05 Feb  credit   Cheque   Sales     220     20
//   06 Feb  credit   Cheque   Sales     50      0
//   07 Feb  debit    Cheque   Rent      33      3
//   08 Feb  debit    Cheque   TaxPaid   100     0    payment to the tax office
//   09 Feb  credit   Cheque   TaxBack   40      0    refund from the tax office
//   10 Feb  transfer Cheque to Savings  300
//   11 Feb  debit    Cheque   Rent      77      7    unreconciled
//   01 Mar  credit   Cheque   Sales     999     90

#include "engine/EngineFixture.h"
#include "reports/ReportLines.h"
#include "reports/ReportOptions.h"
#include "storage/FileOLE.h"

#include <sstream>
#include <string>
#include <vector>

namespace qz::testing {

class ReportFixture : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        Settings.TaxOn = 1;
        Settings.TaxName = "GST";
        Settings.BusinessName = "Wattle Lane";
        Settings.BusinessNumber = "ABN 12";
        Options.PrintFilename = false;
        Options.PrintDate = false;
        L.GstOpeningBalance = Cash(15);
        Opening(Day(2024, 1, 1), 1000);
        Taxed(Credit(Day(2024, 1, 10), 110), 10);
        Taxed(Debit(Day(2024, 1, 20), 55), 5);
        Taxed(Credit(Day(2024, 2, 5), 220), 20);
        Credit(Day(2024, 2, 6), 50);
        Taxed(Debit(Day(2024, 2, 7), 33), 3);
        Debit(Day(2024, 2, 8), 100, TaxPaid);
        Credit(Day(2024, 2, 9), 40, TaxBack);
        Transfer(Day(2024, 2, 10), 300, 0, 1);
        Taxed(Debit(Day(2024, 2, 11), 77), 7)->Reconciled = 0;
        Taxed(Credit(Day(2024, 3, 1), 999), 90);
    }

    static TTransRec* Taxed(TTransRec* t, double tax) {
        t->Gst = Cash(tax);
        return t;
    }

    // Links the books and recalculates them for the period with totals net of tax, as a
    // report run leaves them.
    void Period(TDateTime from, TDateTime to) {
        Finish();
        L.Switches.GstInTotals = false;
        L.Switches.DateRangeActive = true;
        L.TransList.SetRangeDate(1, from);
        L.TransList.SetRangeDate(2, to);
        Recalculate(L);
    }
    void February() { Period(Day(2024, 2, 1), Day(2024, 2, 29)); }

    TFileSettings Settings;
    TReportOptions Options;
    TDisplayFormats Formats;
};

// One text per line, with what decides its look: "# heading", "label | amount [indent1,indent2
// bold total keep-with-next band]", "H:", "R:" and "F:" with the cells of table rows, "T:" for a free text.
inline std::vector<std::string> Dump(const TReport& report) {
    std::vector<std::string> lines;
    for (const TReportLine& line : report.Lines) {
        std::ostringstream out;
        auto cells = [&out, &line](const char* tag) {
            out << tag << line.Table << ':';
            for (std::size_t i = 0; i < line.Cells.size(); ++i)
                out << (i ? "|" : "") << line.Cells[i];
            out << (line.Bold ? " b" : "");
        };
        switch (line.Kind) {
        case TReportLineKind::Heading:
            out << "# " << line.Label << (line.Bold ? "" : " (regular)");
            break;
        case TReportLineKind::Line:
            out << line.Label << " | " << line.Amount << " [" << line.Indent1 << ',' << line.Indent2
                << (line.Bold ? " b" : "") << (line.TotalLine ? " t" : "") << (line.KeepWithNext ? " k" : "");
            if (line.Band != 0xFFFFFF)
                out << ' ' << (line.Band & 0xFF);
            out << ']';
            break;
        case TReportLineKind::Header:
            cells("H");
            break;
        case TReportLineKind::Row:
            cells("R");
            break;
        case TReportLineKind::Footer:
            cells("F");
            break;
        case TReportLineKind::Text:
            out << "T: " << line.Label;
            break;
        }
        lines.push_back(out.str());
    }
    return lines;
}

} // namespace qz::testing
