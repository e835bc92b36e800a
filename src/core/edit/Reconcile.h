#pragma once
// The reconcile window's list without the window: the unreconciled transactions the worksheet
// shows, in date order, each split as a summary row followed by its parts; the ticks, the
// window's sums and the texts of its labels, a statement balance the user may reconcile
// against, and "&Reconcile Now", which marks every ticked transaction reconciled in one commit.

#include "edit/EditContext.h"
#include "ledger/DisplayFormats.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qz {

enum class TReconcileRowKind : std::uint8_t {
    Plain,   // an unsplit transaction
    Part,    // one part of a split transaction
    Summary, // the line above a split's parts: "Split Transaction" with the sum of the parts
};

struct TReconcileRow {
    TReconcileRowKind Kind = TReconcileRowKind::Plain;
    // Plain and part rows: the transaction. A summary row: the split's first listed part,
    // whose date and reference it shows.
    TTransRec* Record = nullptr;
    std::int32_t Number = 0;
    char Split = '0'; // '1' on a summary row, so that it sorts before its parts "A", "B", ...
    TDateTime SortDate = 0;
    // Money in positive, money out (debits, transfers out) negative. A summary row holds the sum
    // of its parts, which it shows but which counts nothing in the totals.
    Money Value;
    bool Ticked = false;
    // The cells: "Date", "Reference", "Category", "Sub Category", "Amount".
    std::string DateText;
    std::string Reference;
    std::string Category;
    std::string SubCategory;
    std::string AmountText;
};

struct TReconcileSums {
    Money Reconciled; // the reconciled transactions of the worksheet's view
    Money Ticked;
    Money Unticked;
    // Transactions: a plain row or a split (its summary row) counts one, the parts none.
    std::int32_t TickedCount = 0;
    std::int32_t UntickedCount = 0;
};

// What the window's labels read.
struct TReconcileLabels {
    std::string Balance;    // reconciled + ticked ("Reconciled Transactions")
    std::string Uncleared;  // the unticked count followed by " unreconciled Transactions"
    std::string TotalDis;   // the unticked total
    std::string All;        // reconciled + ticked + unticked ("All Transactions")
    std::string Difference; // statement balance - (reconciled + ticked); empty without a statement balance
};

// The signed value of a transaction in the window: -Amount for money going out.
Money ReconcileValue(const TTransRec& t);

class TReconciliation {
public:
    static constexpr const char* EmptyText = "There are no Transactions to reconcile";
    static constexpr const char* SplitText = "Split Transaction";
    static constexpr const char* Question = "Quillmar Zudeduze will now Reconcile all the Transactions you have "
                                            "ticked.  Click Yes to Reconcile these Transactions";

    // Fills the list from the worksheet's rows as they are; nothing is ticked.
    TReconciliation(TEditContext& edit, const TDisplayFormats& formats);

    const std::vector<TReconcileRow>& Rows() const { return List; }
    bool Empty() const { return List.empty(); }

    // Ticks or unticks a row; every row of a split follows the row clicked.
    void Toggle(std::size_t row);
    // "&Select All" and "&Unselect All".
    void TickAll(bool ticked);

    const TReconcileSums& Sums() const { return Totals; }
    TReconcileLabels Labels() const;
    // "&Reconcile Now" works while something is ticked.
    bool CanReconcile() const { return Totals.TickedCount > 0; }

    // The balance of the bank's statement, none while the user gave none. Not stored.
    void SetStatementBalance(std::optional<Money> balance) { Statement = balance; }
    std::optional<Money> StatementBalance() const { return Statement; }
    // Statement balance - (reconciled + ticked); none without a statement balance.
    std::optional<Money> Difference() const;
    // The confirmation "&Reconcile Now" asks, told of a difference from the statement balance.
    std::string ConfirmationText() const;

    // Asks, then marks every ticked transaction (every part of a ticked split) reconciled and
    // stores them in one commit; the rows leave the list, the user is told how many were
    // reconciled, and their total joins the reconciled total. A commit given up reconciles
    // nothing: the rows stay as they were.
    TEditOutcome ReconcileNow();
    // Something was reconciled since the window opened.
    bool AnyReconciled() const { return Reconciled; }
    // After Reconcile Now removed rows, before the message: the window draws its list again.
    std::function<void()> RowsChanged;

private:
    void Fill();
    void SortAndSum();
    void Recount();

    TEditContext& Edit;
    const TDisplayFormats& Formats;
    std::vector<TReconcileRow> List;
    TReconcileSums Totals;
    std::optional<Money> Statement;
    bool Reconciled = false;
};

} // namespace qz
