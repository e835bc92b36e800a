#pragma once
// One open set of books: the six record lists, the transfer pairs, the switches the
// recalculation reads and the document's GST/VAT figures it needs.

#include "BookDB.h"
#include "CalcSwitches.h"
#include "CatDB.h"
#include "GroupDB.h"
#include "MainActDB.h"
#include "SubActDB.h"
#include "TransDB.h"

namespace qz {

class TLedger {
public:
    TLedger();
    TLedger(const TLedger&) = delete;
    TLedger& operator=(const TLedger&) = delete;

    TCatList CatList;
    TMainActList MainActList;
    TSubActList SubActList;
    TGroupList GroupList;
    TBookList BookList;
    TTransList TransList;
    TTransferList TransferList;
    // Transactions the document holds that are too damaged to take into the books.
    std::vector<TDamagedTrans> DamagedTrans;
    TCalcSwitches Switches;

    Money GstOpeningBalance;         // GST/VAT owed at the start of the books
    std::int32_t GstPaymentCat = -1; // category of payments to the tax office, -1 none
    std::int32_t GstRefundCat = -1;  // category of refunds from the tax office, -1 none

    // While true, the transaction list's total hooks move amounts in and out of the
    // category, sub category and group totals; while no document is open they do nothing.
    bool TotalsHooksActive = false;

    void Clear();
    // Orders the lists as a document just opened shows them: transactions, categories, sub
    // categories and groups in their first view orders, and every list's key order.
    void OrderAsOpened();

private:
    void MoveTotals(std::int32_t mainAct, std::int32_t subAct, std::int32_t group, std::uint8_t kind, Money amount);
};

} // namespace qz
