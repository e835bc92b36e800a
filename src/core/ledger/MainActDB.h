#pragma once
// Categories ("Main Category" in the windows): numbered by the user, each of one category type.

#include "ClassificationList.h"
#include "DisplayFormats.h"
#include "NumberIndex.h"
#include "ShortText.h"

#include <string>

namespace qz {

struct TMainActRec {
    std::int64_t FilePos = 0;
    std::int32_t Number = 0;
    ShortText<40> Name;
    std::int32_t CatType = 0;
    std::uint8_t Side = SideCredit;
    Money Total;
    std::uint8_t Selected = 1;
    std::uint8_t Picked = 0;
    std::int32_t Row = -1;
};

class EMainActDBException : public EListIndexError {
public:
    using EListIndexError::EListIndexError;
};

class TMainActList : public TClassificationList<TMainActRec> {
public:
    std::int32_t IndexOfNumber(std::int32_t number) const;
    TMainActRec* FindByNumber(std::int32_t number) const; // nullptr when absent
    std::string NameOfNumber(std::int32_t number) const;
    std::int32_t NumberOfName(const std::string& name, std::uint8_t side) const;

    // Raise the index error (as for Items(Count)) when no category has the number.
    void AddToTotal(std::int32_t number, Money amount);
    void SubtractFromTotal(std::int32_t number, Money amount);
    void AddToTotal(TMainActRec& category, Money amount);
    // The category with the number; raises the index error (as for Items(Count)) when absent.
    TMainActRec& Existing(std::int32_t number);

    void Recount();
    void SortRows(std::uint8_t order);
    void SortByKey();

    std::string MoneyText(const TMainActRec& category, std::uint8_t side, const TDisplayFormats& formats) const;
    std::string PercentText(const TMainActRec& category, const TDisplayFormats& formats) const;

protected:
    [[noreturn]] void RaiseIndexError(std::int32_t index) const override;
    void RecordsChanged() override { Index.Invalidate(); }

private:
    NumberIndex<TMainActRec, ByNumber> Index;
};

} // namespace qz
