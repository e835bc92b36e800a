#pragma once
// What the four classification lists (category types, categories, sub categories, groups)
// share beyond the list base: the worksheet's row count, the list totals of both sides and
// whether rows with a zero total are shown.

#include "BaseDB.h"
#include "Money.h"

namespace qz {

enum TSide : std::uint8_t { SideCredit = 1, SideDebit = 2 };

template <class Rec> class TClassificationList : public TBaseDBList<Rec> {
public:
    std::int32_t VisibleCount = 0;
    Money CreditTotal;
    Money DebitTotal;
    std::uint8_t ShowZeroRows = 0;

    void Clear() {
        this->FreeAll();
        VisibleCount = 0;
        CreditTotal = Money();
        DebitTotal = Money();
        ShowZeroRows = 0;
    }

    Rec* RowItem(std::int32_t row) const { return this->FindRow(row); }

    // The list total of one side; any side but credit counts as debit.
    Money& SideTotal(std::uint8_t side) { return side == SideCredit ? CreditTotal : DebitTotal; }
    Money SideTotal(std::uint8_t side) const { return side == SideCredit ? CreditTotal : DebitTotal; }

protected:
    // Walks the view order giving rows to the records `shows` accepts, after zeroing the totals.
    template <class Shows, class AddTotals> void RecountWith(Shows shows, AddTotals addTotals) {
        CreditTotal = Money();
        DebitTotal = Money();
        std::int32_t row = 0;
        for (Rec* record : this->RowList) {
            if (shows(*record)) {
                record->Row = row++;
                addTotals(*record);
            } else {
                record->Row = -1;
            }
        }
        VisibleCount = row;
    }

    template <class Less> void SortView(Less less) { std::stable_sort(this->RowList.begin(), this->RowList.end(), less); }
};

} // namespace qz
