#pragma once
// Transactions and transfer pairs. The key order of the transactions is date order, and the
// running balances are computed along it; the view order is the worksheet's.

#include "BaseDB.h"
#include "BookDB.h"
#include "CalcSwitches.h"
#include "DateTime.h"
#include "DisplayFormats.h"
#include "GroupDB.h"
#include "MainActDB.h"
#include "Money.h"
#include "ShortText.h"
#include "SubActDB.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace qz {

enum TTransKind : std::uint8_t {
    TransCredit = 1,
    TransDebit = 2,
    TransOpening = 3,
    TransFrom = 4, // transfer in: money into this account
    TransTo = 5,   // transfer out: money out of this account
};

struct TTransRec {
    // The fields every recalculation walks come first, so that a walk touches few cache lines.
    TDateTime Date = 0;
    Money Amount; // gross, GST included; positive except for an overdrawn opening balance
    Money Gst;
    Money Balance;
    Money NetBalance;
    TBookRec* BookRec = nullptr;
    TMainActRec* MainActRec = nullptr; // Kinds 1, 2
    TSubActRec* SubActRec = nullptr;   // Kinds 1, 2
    TGroupRec* GroupRec = nullptr;     // Kinds 1, 2
    TBookRec* OtherBookRec = nullptr;  // Kinds 4, 5: the other account (what `Group` numbers)
    std::int32_t Number = 0;
    std::int32_t MainAct = 0; // Kinds 1, 2: category; Kinds 4, 5: the partner's Number
    std::int32_t SubAct = 0;
    std::int32_t Row = -1;
    std::uint16_t Group = 0; // Kinds 1, 2: group; Kinds 4, 5: the other account's Number
    std::int16_t Book = 0;
    std::uint8_t Kind = TransCredit;
    std::uint8_t InSelection = 0;
    std::uint8_t InSearch = 1;
    std::uint8_t DayEnd = 1;
    std::uint8_t Reconciled = 1;
    char Split = '0'; // '0' unsplit; 'A', 'B', ... for the parts of a split

    std::int64_t FilePos = 0;
    TDateTime PrevDate = 0; // the editors' working copy of Date; not stored
    ShortText<20> Reference;
    std::string Notes; // at most 247 characters are stored

    Money Net() const { return Amount - Gst; }
    bool IsOrdinary() const { return Kind == TransCredit || Kind == TransDebit; }
    bool IsTransfer() const { return Kind == TransFrom || Kind == TransTo; }
    // Copies every field but FilePos.
    void Assign(const TTransRec& other);
};

class ETransDBException : public EListIndexError {
public:
    using EListIndexError::EListIndexError;
};

class TTransList : public TBaseDBList<TTransRec> {
public:
    using TotalsHook = std::function<void(std::int32_t mainAct, std::int32_t subAct, std::int32_t group,
                                          std::uint8_t kind, Money amount)>;
    static constexpr std::size_t NotesCapacity = 247;

    explicit TTransList(const TCalcSwitches* switches = nullptr);

    std::int32_t UnreconciledCount = 0;
    TotalsHook RemoveHook;
    TotalsHook AddHook;
    TDateTime DateFrom = 0;
    TDateTime DateTo = 0;
    std::int32_t VisibleCount = 0;
    std::uint8_t SearchIncludesUnreconciled = 0;
    Money OldOpeningBalance; // from an earlier design; never stored, shown or totalled
    Money CreditTotal;
    Money DebitTotal;
    Money GstCreditTotal;
    Money GstDebitTotal;

    void SetSwitches(const TCalcSwitches* switches) { Switches = switches ? switches : &DefaultSwitches; }
    const TCalcSwitches& Switch() const { return *Switches; }

    std::int32_t Add(TTransRec* record) override;
    void Clear();
    // The record of a row: as the last filter walk noted it when that note still holds (the
    // record still has that row), otherwise by the search of the list base. Without the note
    // a filtered view would walk every hidden record before the row on each look-up.
    TTransRec* RowItem(std::int32_t row) const {
        if (row >= 0 && static_cast<std::size_t>(row) < RowRecords.size() &&
            RowRecords[static_cast<std::size_t>(row)]->Row == row)
            return RowRecords[static_cast<std::size_t>(row)];
        return FindRow(row);
    }
    std::int32_t NewNumber() const;
    std::int32_t FirstVisibleIndex() const;
    void SetRangeDate(std::uint8_t which, TDateTime date);
    void ResetRange(std::uint8_t mode);

    // A transaction counts in totals and balances when it is reconciled or unreconciled ones are included.
    bool Counts(const TTransRec& t) const { return t.Reconciled || Switches->IncludeUnreconciled; }
    // A transaction is in the view totals when it is shown and counts, or is shown by a search
    // that includes unreconciled ones.
    bool InViewTotals(const TTransRec& t) const { return t.Row != -1 && (Counts(t) || SearchIncludesUnreconciled); }
    void FilterAndTotal();
    void RunningBalances();
    void SetReconciled(std::int32_t index, std::uint8_t value);
    void RemoveFromTotals(const TTransRec& record) const;
    void AddToTotals(const TTransRec& record) const;

    void SortRows(std::uint8_t order);
    void SortByKey();
    // SortByKey, then SortRows(order), sorting once where one sort serves both lists.
    void SortByKeyAndRows(std::uint8_t order);

    std::int32_t NextOrdinary(std::int32_t index) const;
    std::int32_t PrevOrdinary(std::int32_t index) const;
    std::pair<std::int32_t, std::int32_t> OrdinaryBounds() const;
    std::pair<TDateTime, TDateTime> VisibleDateSpan(TDateTime today) const;
    bool HasOrdinaryRows() const;
    Money ClosingBalance() const;

    // The worksheet's column texts, by column number 0..12.
    std::string ColumnText(const TTransRec& t, int column, const TDisplayFormats& formats) const;
    static std::string AccountName(const TTransRec& t);
    static std::string NetText(const TTransRec& t, const TDisplayFormats& formats);
    static std::string GrossText(const TTransRec& t, const TDisplayFormats& formats);

protected:
    [[noreturn]] void RaiseIndexError(std::int32_t index) const override;
    // Records come and go: the notes of the rows may name a freed record, so they are dropped.
    void RecordsChanged() override { RowRecords.clear(); }

private:
    friend class TFilterWalk;
    friend class TBalanceWalk;
    void AddToViewTotals(const TTransRec& t, int sign);

    static const TCalcSwitches DefaultSwitches;
    const TCalcSwitches* Switches;
    std::vector<TTransRec*> RowRecords; // the record of each row, noted by the last filter walk
};

// FilterAndTotal one record at a time, along the view order: Step gives a shown record the
// next row and adds it into the view totals. The recalculation runs it in the same walk as
// the selection flags, so a million records are read once, not twice.
class TFilterWalk {
public:
    explicit TFilterWalk(TTransList& list);
    void Step(TTransRec& t) {
        const bool shown = t.Date >= From && t.Date <= To && t.InSelection == 1 && t.InSearch == 1 &&
                           !(HideOpenings && t.Kind == TransOpening);
        if (!shown) {
            t.Row = -1;
            return;
        }
        t.Row = Row++;
        List.RowRecords.push_back(&t);
        if (t.Reconciled || CountAll)
            List.AddToViewTotals(t, 1);
    }
    void Finish() { List.VisibleCount = Row; }

private:
    TTransList& List;
    std::int32_t Row = 0;
    TDateTime From; // copied, so the walk's writes to records cannot make the compiler reload them
    TDateTime To;
    bool HideOpenings;
    bool CountAll;
};

// RunningBalances one record at a time, along the key order (date order).
class TBalanceWalk {
public:
    explicit TBalanceWalk(TTransList& list);
    void Step(TTransRec& t);
    void Finish();

private:
    TTransList& List;
    bool RowsOnly;
    Money Balance;
    Money Net;
    TTransRec* Previous = nullptr;
    TTransRec* First = nullptr;
};

// A transfer: the Kind 5 half and its Kind 4 partner (none when the partner is missing).
struct TTransferRec {
    TTransRec* ToTrans = nullptr;
    TTransRec* FromTrans = nullptr;
};

// The largest amount, or tax, a document may hold in either direction: ten million, far
// above any small business's single transaction. A Transactions stream of 2 GiB holds at
// most 6.7 million records, so a figure that adds every record's amount and tax stays below
// 1.4e14, far inside what money holds (9.2e14): no total, balance or report figure of a
// document can overflow.
inline constexpr Money MaxAmount = Money::FromUnits(10'000'000);

inline bool WithinMaxAmount(Money amount) {
    return amount <= MaxAmount && amount >= -MaxAmount;
}
// A document's amount for the figures: itself, or 0 when it is beyond what a document may hold
// (a damaged settings block), so that no figure built on it can overflow.
inline Money UsableAmount(Money amount) {
    return WithinMaxAmount(amount) ? amount : Money();
}

// What a transaction's tax field holds in the generation being read.
enum class TTaxField : std::uint8_t {
    Amount, // the tax amount (the current generation)
    Rate,   // a tax rate, turned into an amount on conversion (generation 2.1)
    Unset,  // nothing yet (generation 2.0 and older)
};

// Why a transaction read from a document cannot be taken into the books (a date that is no
// day, an unknown kind, an amount or tax beyond what a document may hold); empty when it can.
std::string TransDamage(const TTransRec& t, TTaxField taxField = TTaxField::Amount);

// A transaction set aside on loading: left out of the lists, and so of every row, total,
// report and export, and kept in its stream exactly as it was read.
struct TDamagedTrans {
    std::int64_t FilePos = 0;
    std::int32_t Number = 0;
    char Split = '0';
    std::string Reason;
    std::string Image; // the record's bytes
};

// "transaction 57 (the date is not a valid day)".
std::string DamagedTransText(const TDamagedTrans& damaged);
// What the user is told on opening a document that holds damaged transactions.
std::string DamagedTransMessage(const std::vector<TDamagedTrans>& damaged);

class TTransferList {
public:
    void Build(const TTransList& transList);
    std::int32_t Count() const { return static_cast<std::int32_t>(Pairs.size()); }
    const TTransferRec* Item(std::int32_t index) const;
    void Clear() { Pairs.clear(); }

private:
    std::vector<TTransferRec> Pairs;
};

} // namespace qz
