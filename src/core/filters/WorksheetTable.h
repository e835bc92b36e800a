#pragma once
// One worksheet tab as a table, for the command line: the window's own views run on a
// document read from disk, the filters applied through the same operations the window's
// controls call, and the rows, cell texts and totals row read back through GridB1GetText and
// the column set, in display order. Then written as aligned text, CSV or JSON.

#include "DocumentReader.h"
#include "edit/TransactionSearch.h"
#include "ledger/DisplayFormats.h"
#include "worksheet/GridInfo.h"
#include "worksheet/Worksheet.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace qz {

// What the user asks of the worksheet; an empty list selects nothing out.
struct TWorksheetRequest {
    int Tab = ViewTransactions;
    std::optional<TDateTime> From;
    std::optional<TDateTime> To;
    std::vector<std::int32_t> Accounts; // account numbers to view; empty: every account
    struct CategoryPick {
        std::int32_t Category = 0;
        std::optional<std::int32_t> Sub; // none: the whole category
    };
    std::vector<CategoryPick> Categories;  // empty: no category selection
    std::vector<std::int32_t> Groups;      // empty: no group selection
    std::optional<TSearchCriteria> Search; // a transaction search made after the other filters
    bool IncludeUnreconciled = false;
    bool Net = false;      // classification totals without their tax
    bool ZeroRows = false; // the tab's list shows its zero totals
    bool OpeningBalancesInSelections = false;
    bool BalanceEveryRow = false; // the option BalanceEndDay off
    std::optional<std::int32_t> SortKey;
    bool Descending = false;
};

struct TWorksheetTable {
    int Tab = 0;
    std::string Caption;
    std::vector<std::string> Titles; // visible columns, display order
    std::vector<TAlignment> Alignments;
    std::vector<std::vector<std::string>> Rows;
    std::vector<std::string> Totals;         // "" where a column has no total
    std::vector<TDamagedTrans> DamagedTrans; // what the document holds that is left out
};

// The sort keys the tab's sortable columns offer.
std::vector<std::int32_t> SortKeysOf(int tab);

// Loads the document as the window opens it and builds the tab under the request. False with
// one line in `error` for a request the document cannot answer (an account, category, sub
// category or group it does not have, a sort key the tab does not offer) or a search refused
// by its checks ("Number not valid"...).
bool BuildWorksheetTable(TDocumentReader& reader, const TWorksheetRequest& request, const TDisplayFormats& formats,
                         TWorksheetTable& table, std::string& error);

// Loads the document as the window opens it, applies the request's filters and view options
// as BuildWorksheetTable does and hands the worksheet, its ledger filtered and recalculated, to
// `use`. False with one line in `error` as BuildWorksheetTable answers.
bool WithWorksheet(TDocumentReader& reader, const TWorksheetRequest& request, const TDisplayFormats& formats,
                   const std::function<void(TWorksheet&)>& use, std::string& error);

// The tab of a live worksheet as it shows it now: its visible columns in display order, its
// rows' cell texts and its totals row.
void ReadWorksheetTable(const TWorksheet& sheet, int tab, TWorksheetTable& table);

// The table written out; texts become UTF-8.
// Text: the caption, the titles, the rows and the totals in columns aligned as the grid's.
void WriteWorksheetText(const TWorksheetTable& table, std::ostream& out);
// CSV (RFC 4180): the titles, the rows, and the totals row last.
void WriteWorksheetCsv(const TWorksheetTable& table, std::ostream& out);
// {"tab": n, "caption": "...", "columns": [...], "rows": [[...]], "totals": [...]}
void WriteWorksheetJson(const TWorksheetTable& table, std::ostream& out);

} // namespace qz
