#pragma once
// Accounts ("books"): the user's bank accounts, cash tins and cards, in the user's own order.

#include "BaseDB.h"
#include "Colour.h"
#include "DisplayFormats.h"
#include "Money.h"
#include "NumberIndex.h"
#include "ShortText.h"
#include "platform/Prompts.h"

#include <string>

namespace qz {

struct TTransRec;

struct TBookRec {
    std::int64_t FilePos = 0;
    std::int32_t Number = 0;
    ShortText<100> Name;
    std::int32_t OpeningTransNo = -1;   // as stored
    TTransRec* OpeningTrans = nullptr;  // the account's opening balance, resolved when linked
    TColour Colour = 0;
    std::int32_t Row = -1;
    std::uint8_t Selected = 1;
    Money CreditTotal;
    Money DebitTotal;

    Money Balance() const { return CreditTotal - DebitTotal; }
    Money OpeningBalance() const;
};

class EBookDBException : public EListIndexError {
public:
    using EListIndexError::EListIndexError;
};

class TBookList : public TBaseDBList<TBookRec> {
public:
    std::int32_t VisibleCount = 0;

    void Clear();
    // Replaces the reference at key index `index`; the accounts window swaps accounts with it.
    void Put(std::int32_t index, TBookRec* record);

    TBookRec* FindByNumber(std::int32_t number) const; // raises for an absent number
    TBookRec* Find(std::int32_t number) const;         // nullptr for an absent number
    std::int32_t NewNumber() const;
    void SortByKey();
    void NumberRows();
    void RecountRows();
    bool AllSelected() const;

    // Trims `name` in place; warns and fails when it is empty or already in use (ignoring case).
    bool ValidateName(std::string& name, Prompts& prompts) const;

    std::string BalanceText(const TBookRec& book, const TDisplayFormats& formats) const;
    std::string OpeningBalanceText(const TBookRec& book, const TDisplayFormats& formats) const;

protected:
    [[noreturn]] void RaiseIndexError(std::int32_t index) const override;
    void RecordsChanged() override { Index.Invalidate(); }

private:
    NumberIndex<TBookRec, ByNumber> Index;
};

} // namespace qz
