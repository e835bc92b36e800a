#pragma once
// The switches the recalculation reads. The main window, the options dialog and the selection
// and search dialogs set them; one set exists per open ledger.

namespace qz {

struct TCalcSwitches {
    bool DateRangeActive = false;          // the user restricted the worksheet to DateFrom..DateTo
    bool CategorySelectionActive = false;
    bool GroupSelectionActive = false;
    bool SearchActive = false;
    bool UseOpeningBalancesInSelections = false; // not stored; off at start
    bool IncludeUnreconciled = false;      // unreconciled transactions count in totals and balances
    bool GstInTotals = true;               // classification totals gross; off: net of GST

    bool AnySelectionActive() const {
        return DateRangeActive || CategorySelectionActive || GroupSelectionActive || SearchActive;
    }
    // A category, group or search selection: these hide rows from the running balance.
    bool RowSelectionActive() const { return CategorySelectionActive || GroupSelectionActive || SearchActive; }
};

} // namespace qz
