#include "BookDB.h"

#include "Cp1252.h"
#include "TransDB.h"

namespace qz {

Money TBookRec::OpeningBalance() const { return OpeningTrans ? OpeningTrans->Amount : Money(); }

void TBookList::RaiseIndexError(std::int32_t index) const {
    throw EBookDBException("List index out of bounds " + std::to_string(index));
}

void TBookList::Clear() {
    FreeAll();
    VisibleCount = 0;
}

void TBookList::Put(std::int32_t index, TBookRec* record) {
    if (index < 0 || index >= Count())
        throw EBookDBException("List index out of bounds");
    KeyList[static_cast<std::size_t>(index)] = record;
    RecordsChanged();
}

TBookRec* TBookList::Find(std::int32_t number) const { return Index.Find(number, KeyList); }

TBookRec* TBookList::FindByNumber(std::int32_t number) const {
    TBookRec* book = Find(number);
    if (!book)
        RaiseIndexError(Count());
    return book;
}

std::int32_t TBookList::NewNumber() const {
    std::int32_t highest = -1;
    for (const TBookRec* book : KeyList)
        highest = std::max(highest, book->Number);
    return highest + 1;
}

void TBookList::SortByKey() {
    Sort([](const TBookRec* a, const TBookRec* b) { return a->Number < b->Number; });
    Index.Invalidate();
}

void TBookList::NumberRows() {
    for (std::int32_t i = 0; i < Count(); ++i)
        KeyList[static_cast<std::size_t>(i)]->Row = i;
}

void TBookList::RecountRows() {
    std::int32_t row = 0;
    for (TBookRec* book : KeyList)
        book->Row = book->Selected ? row++ : -1;
    VisibleCount = row;
}

bool TBookList::AllSelected() const {
    return std::all_of(KeyList.begin(), KeyList.end(), [](const TBookRec* b) { return b->Selected != 0; });
}

bool TBookList::ValidateName(std::string& name, Prompts& prompts) const {
    name = Trim(name);
    if (name.empty()) {
        prompts.MessageBox("Account name ''' not valid!", MsgKind::Warning, MsgButtons::Ok);
        return false;
    }
    for (const TBookRec* book : KeyList) {
        if (SameTextIgnoringCase(book->Name.View(), name)) {
            prompts.MessageBox("Account name '" + name + "' is already in use.", MsgKind::Warning, MsgButtons::Ok);
            return false;
        }
    }
    return true;
}

std::string TBookList::BalanceText(const TBookRec& book, const TDisplayFormats& formats) const {
    return formats.MoneyText(book.Balance());
}

std::string TBookList::OpeningBalanceText(const TBookRec& book, const TDisplayFormats& formats) const {
    return formats.MoneyText(book.OpeningBalance());
}

} // namespace qz
