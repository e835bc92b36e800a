#include "Ledger.h"

namespace qz {

TLedger::TLedger() : TransList(&Switches) {
    SubActList.MainActList = &MainActList;
    TransList.AddHook = [this](std::int32_t mainAct, std::int32_t subAct, std::int32_t group, std::uint8_t kind,
                               Money amount) { MoveTotals(mainAct, subAct, group, kind, amount); };
    TransList.RemoveHook = [this](std::int32_t mainAct, std::int32_t subAct, std::int32_t group, std::uint8_t kind,
                                  Money amount) { MoveTotals(mainAct, subAct, group, kind, -amount); };
}

void TLedger::MoveTotals(std::int32_t mainAct, std::int32_t subAct, std::int32_t group, std::uint8_t kind,
                         Money amount) {
    if (!TotalsHooksActive)
        return;
    MainActList.AddToTotal(mainAct, amount);
    SubActList.AddToTotal(mainAct, subAct, amount);
    GroupList.AddToTotal(group, kind, amount);
}

void TLedger::Clear() {
    TransferList.Clear();
    TransList.Clear();
    DamagedTrans.clear();
    BookList.Clear();
    GroupList.Clear();
    SubActList.Clear();
    MainActList.Clear();
    CatList.Clear();
    GstOpeningBalance = Money();
    GstPaymentCat = -1;
    GstRefundCat = -1;
    TotalsHooksActive = false;
}

void TLedger::OrderAsOpened() {
    TransList.SortByKeyAndRows(1);
    MainActList.SortRows(0);
    SubActList.SortRows(1);
    GroupList.SortRows(0);
}

} // namespace qz
