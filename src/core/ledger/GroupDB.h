#pragma once
// Groups ("G4"): a second classification beside the category tree, chosen per transaction.

#include "ClassificationList.h"
#include "DisplayFormats.h"
#include "NumberIndex.h"
#include "ShortText.h"
#include "platform/Prompts.h"

#include <string>

namespace qz {

struct TGroupRec {
    std::int64_t FilePos = 0;
    std::int32_t Number = 0;
    ShortText<40> Name;
    Money CreditTotal;
    Money DebitTotal;
    std::string Notes; // kept as loaded; at most 255 characters are stored
    std::uint8_t Selected = 1;
    std::uint8_t Picked = 0;
    std::int32_t Row = -1;

    Money NetTotal() const { return CreditTotal - DebitTotal; }
    std::string NumberText() const;
};

class EGroupDBException : public EListIndexError {
public:
    using EListIndexError::EListIndexError;
};

class TGroupList : public TClassificationList<TGroupRec> {
public:
    TGroupRec* AddNamed(const std::string& name);
    // Sorts the key order by number, then gives the lowest number not in use.
    std::int32_t NewNumber();

    TGroupRec* FindByNumber(std::int32_t number) const; // raises for an absent number
    TGroupRec* Find(std::int32_t number) const;         // nullptr for an absent number
    std::uint8_t SelectedOfNumber(std::int32_t number) const;

    // Side 1 is credit, any other side debit; nothing happens for an absent number.
    void AddToTotal(std::int32_t number, std::uint8_t side, Money amount);
    void SubtractFromTotal(std::int32_t number, std::uint8_t side, Money amount);
    void AddToTotal(TGroupRec& group, std::uint8_t side, Money amount);

    // Trims `name` in place; warns and fails when it is empty or already in use (ignoring case).
    bool ValidateName(std::string& name, Prompts& prompts) const;

    void Recount();
    void SortRows(std::uint8_t order);
    void SortByKey();

    std::string CreditText(const TGroupRec& group, const TDisplayFormats& formats) const;
    std::string DebitText(const TGroupRec& group, const TDisplayFormats& formats) const;
    std::string NetText(const TGroupRec& group, const TDisplayFormats& formats) const;
    std::string CreditPercentText(const TGroupRec& group, const TDisplayFormats& formats) const;
    std::string DebitPercentText(const TGroupRec& group, const TDisplayFormats& formats) const;

protected:
    [[noreturn]] void RaiseIndexError(std::int32_t index) const override;
    void RecordsChanged() override { Index.Invalidate(); }

private:
    NumberIndex<TGroupRec, ByNumber> Index;
};

} // namespace qz
