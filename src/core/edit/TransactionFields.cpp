// The session's fields: what each edit of the user does, the category and sub category rules,
// and the tax panel's boxes. A locked transaction takes no edits.

#include "TransactionSession.h"

#include "edit/CategoryEdit.h"
#include "edit/SubCategoryEdit.h"

#include <algorithm>

namespace qz {

namespace {

constexpr std::size_t NotesLength = 243;

template <class Items> bool Holds(const Items& items, std::int32_t number) {
    return std::any_of(items.begin(), items.end(), [&](const auto& item) { return item.Number == number; });
}

} // namespace

void TTransactionSession::MarkModified() {
    if (!Loading)
        IsModified = true;
}

// A new category empties the sub category choice; with a category, a sole sub category is
// chosen at once, and the list drops open for the user when there are more.
void TTransactionSession::ApplyCategory(std::optional<std::int32_t> number, bool byUser, bool& dropList) {
    if (number && !Holds(CategoryList(), *number))
        number.reset();
    if (number != F.Category)
        F.SubCategory.reset();
    F.Category = number;
    if (F.Category && !LockedFields && !F.SubCategory && !Loading) {
        const std::vector<TComboItem> subs = SubCategoryList();
        if (subs.size() == 1)
            ApplySubCategory(subs.front().Number);
        else if (subs.size() > 1 && byUser)
            dropList = true;
    }
    MarkModified();
}

// A sub category brings its tax percentage; the tax is worked out again when the percentage
// box is on show, and always in a tax category (whose panel is hidden).
void TTransactionSession::ApplySubCategory(std::optional<std::int32_t> number) {
    const TSubActRec* sub = F.Category && number ? L.SubActList.FindPair(*F.Category, *number) : nullptr;
    F.SubCategory = sub ? number : std::nullopt;
    MarkModified();
    if (!sub)
        return;
    F.Gst.Percent = PercentBoxValue(sub->GstPercent);
    if ((GstPanelVisible() && F.Gst.PercentMode) || IsTaxCategoryChosen())
        PercentageExit(F.Gst);
}

bool TTransactionSession::SetCategory(std::optional<std::int32_t> number, bool byUser) {
    if (LockedFields)
        return false;
    bool dropList = false;
    ApplyCategory(number, byUser, dropList);
    return dropList;
}

void TTransactionSession::SetSubCategory(std::optional<std::int32_t> number) {
    if (!LockedFields)
        ApplySubCategory(number);
}

void TTransactionSession::SetGroup(std::optional<std::int32_t> number) {
    if (LockedFields)
        return;
    F.Group = number && L.GroupList.Find(*number) ? number : std::nullopt;
    MarkModified();
}

void TTransactionSession::SetAccount(std::optional<std::int32_t> number) {
    if (LockedFields)
        return;
    F.Account = number && L.BookList.Find(*number) ? number : std::nullopt;
    MarkModified();
}

void TTransactionSession::SetDate(TDateTime date) {
    if (LockedFields)
        return;
    F.Date = date;
    MarkModified();
}

void TTransactionSession::SetReference(const std::string& reference) {
    if (LockedFields)
        return;
    F.Reference = reference.substr(0, decltype(TTransRec::Reference)::Capacity);
    MarkModified();
}

void TTransactionSession::SetNotes(const std::string& notes) {
    if (LockedFields)
        return;
    F.Notes = notes.substr(0, NotesLength);
    MarkModified();
}

void TTransactionSession::SetAmount(Money amount) {
    if (LockedFields)
        return;
    F.Gst.Amount = BoxValue(amount);
    MarkModified();
}

void TTransactionSession::SetBeforeGst(Money amount) {
    if (LockedFields)
        return;
    F.Gst.BeforeGst = BoxValue(amount);
    MarkModified();
}

void TTransactionSession::SetPercent(Money percent) {
    if (LockedFields)
        return;
    F.Gst.Percent = PercentBoxValue(percent);
    MarkModified();
}

void TTransactionSession::SetGst(Money amount) {
    if (LockedFields)
        return;
    F.Gst.Gst = BoxValue(amount);
    MarkModified();
}

void TTransactionSession::SetReconciled(bool reconciled) {
    if (LockedFields)
        return;
    F.Reconciled = reconciled;
    MarkModified();
}

// Switching to the percentage keeps the GST amount typed, to put it back when the user
// switches to a typed amount again.
void TTransactionSession::SetPercentMode(bool percentMode) {
    if (LockedFields || percentMode == F.Gst.PercentMode)
        return;
    F.Gst.PercentMode = percentMode;
    if (percentMode) {
        Remembered = F.Gst.Gst;
        PercentageExit(F.Gst);
    } else {
        F.Gst.Gst = Remembered;
        qz::AmountExit(F.Gst);
    }
    MarkModified();
}

void TTransactionSession::AmountExit() {
    if (!LockedFields)
        qz::AmountExit(F.Gst);
}

void TTransactionSession::BeforeGstExit() {
    if (!LockedFields)
        qz::BeforeGstExit(F.Gst);
}

void TTransactionSession::PercentExit() {
    if (!LockedFields)
        PercentageExit(F.Gst);
}

void TTransactionSession::GstAmountExit() {
    // Also run when a split has been shown, locked or not.
    qz::GstAmountExit(F.Gst);
}

void TTransactionSession::StepPercent(bool up) {
    if (LockedFields)
        return;
    F.Gst.Percent = SteppedSubPercent(F.Gst.Percent, up);
    PercentageExit(F.Gst);
    MarkModified();
}

} // namespace qz
