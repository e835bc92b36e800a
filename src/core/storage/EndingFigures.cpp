#include "EndingFigures.h"

#include "FileManager.h"
#include "engine/Engine.h"

namespace qz {

namespace {

Money CategoryTotal(const TLedger& ledger, std::int32_t number) {
    const TMainActRec* category = number < 0 ? nullptr : ledger.MainActList.FindByNumber(number);
    return category ? category->Total : Money();
}

// The tax owed at the end of the books: collected less credited, brought forward, less what
// was paid to the tax office net of refunds.
Money GstEndingBalance(const TLedger& ledger) {
    const TTransList& list = ledger.TransList;
    const Money paid = CategoryTotal(ledger, ledger.GstPaymentCat) - CategoryTotal(ledger, ledger.GstRefundCat);
    return RoundCents(list.GstCreditTotal - list.GstDebitTotal + ledger.GstOpeningBalance - paid);
}

// An opening balance is the account's own and is made anew for the new document.
std::vector<TTransRec> UnreconciledCopies(const TLedger& ledger) {
    std::vector<TTransRec> copies;
    for (const TTransRec* t : ledger.TransList.KeyList)
        if (!t->Reconciled && t->Kind != TransOpening)
            copies.push_back(*t);
    return copies;
}

// Each account alone: its reconciled credits less debits, opening balance included.
void AccountBalances(TLedger& ledger, TEndingFigures& figures) {
    std::vector<std::uint8_t> selected;
    for (TBookRec* book : ledger.BookList.KeyList) {
        selected.push_back(book->Selected);
        book->Selected = 0;
    }
    for (TBookRec* book : ledger.BookList.KeyList) {
        book->Selected = 1;
        Recalculate(ledger);
        figures.AccountNumbers.push_back(book->Number);
        figures.Balances.push_back(ledger.TransList.CreditTotal - ledger.TransList.DebitTotal);
        book->Selected = 0;
    }
    for (std::size_t i = 0; i < selected.size(); ++i)
        ledger.BookList.KeyList[i]->Selected = selected[i];
    Recalculate(ledger);
}

} // namespace

void TEndingFigures::KeepOnly(bool gstBalance, bool accountBalances, bool transactions) {
    if (!gstBalance)
        GstBalance = Money();
    if (!accountBalances)
        for (Money& balance : Balances)
            balance = Money();
    if (!transactions)
        Unreconciled.clear();
}

void CollectEndingFigures(TLedger& ledger, TEndingFigures& figures) {
    figures = TEndingFigures{};
    const bool include = ledger.Switches.IncludeUnreconciled;
    ledger.Switches.IncludeUnreconciled = false;
    Recalculate(ledger);
    figures.GstBalance = GstEndingBalance(ledger);
    figures.Unreconciled = UnreconciledCopies(ledger);
    AccountBalances(ledger, figures);
    ledger.Switches.IncludeUnreconciled = include;
    Recalculate(ledger);
}

TEndingRead ReadEndingFigures(const std::string& path, Prompts& prompts, DocumentQuestions& questions,
                              const Clock& clock, TEndingFigures& figures, Drives& drives) {
    TLedger ledger;
    TFileManager files(ledger, prompts, questions, clock, drives);
    // The document is only read: the notice that it opens read-only is for one the user goes
    // on to work in.
    files.Saving = 1;
    const int check = files.CheckFile(path);
    if (check != 0)
        return static_cast<TEndingRead>(check);
    if (!files.Open(path, true))
        return TEndingRead::NotADocument;
    try {
        LinkRecords(ledger);
        CheckCategoryTypes(ledger);
    } catch (const EListIndexError&) {
        // A record names a category, group or account the document does not have.
        files.Close(true, false);
        return TEndingRead::NotADocument;
    }
    ledger.OrderAsOpened();
    ledger.TransList.ResetRange(2);
    CollectEndingFigures(ledger, figures);
    files.Close(true, false);
    return TEndingRead::Read;
}

} // namespace qz
