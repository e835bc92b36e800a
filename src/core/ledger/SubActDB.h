#pragma once
// Sub categories: numbered within their category ("3-6"), each with its own GST/VAT percentage.

#include "ClassificationList.h"
#include "DisplayFormats.h"
#include "MainActDB.h"
#include "NumberIndex.h"
#include "ShortText.h"

#include <string>

namespace qz {

struct TSubActRec {
    std::int64_t FilePos = 0;
    std::int32_t Number = 0;
    ShortText<40> Name;
    std::uint8_t Side = SideCredit;
    std::int32_t MainAct = 0;
    TMainActRec* MainActRec = nullptr; // resolved when the records are linked
    Money Total;
    std::uint8_t Selected = 1;
    std::uint8_t Picked = 0;
    std::int32_t Row = -1;
    std::string Notes; // at most 439 characters are stored
    Money GstPercent;  // 10 % is 10.0000

    std::string NumberText() const;
};

class ESubActDBException : public EListIndexError {
public:
    using EListIndexError::EListIndexError;
};

class TSubActList : public TClassificationList<TSubActRec> {
public:
    static constexpr std::size_t NotesCapacity = 439;

    TMainActList* MainActList = nullptr; // set by whoever creates the lists

    std::int32_t IndexOfPair(std::int32_t mainAct, std::int32_t number) const;
    TSubActRec* FindPair(std::int32_t mainAct, std::int32_t number) const; // nullptr when absent

    // Raise the index error (as for Items(Count)) when no sub category has the pair.
    void AddToTotal(std::int32_t mainAct, std::int32_t number, Money amount);
    void SubtractFromTotal(std::int32_t mainAct, std::int32_t number, Money amount);
    void AddToTotal(TSubActRec& sub, Money amount);
    // The sub category of the pair; raises the index error (as for Items(Count)) when absent.
    TSubActRec& Existing(std::int32_t mainAct, std::int32_t number);

    void Recount();
    void SortRows(std::uint8_t order);
    void SortByKey();

    // The category's name: through the link, or by number when the record is not linked yet.
    std::string_view CategoryName(const TSubActRec& sub) const;

    std::string MoneyText(const TSubActRec& sub, std::uint8_t side, const TDisplayFormats& formats) const;
    std::string PercentText(const TSubActRec& sub, const TDisplayFormats& formats) const;

protected:
    [[noreturn]] void RaiseIndexError(std::int32_t index) const override;
    void RecordsChanged() override { Index.Invalidate(); }

private:
    struct ByPair {
        std::int64_t operator()(const TSubActRec& s) const { return PairKey(s.MainAct, s.Number); }
    };
    static std::int64_t PairKey(std::int32_t mainAct, std::int32_t number) {
        return (static_cast<std::int64_t>(mainAct) << 32) | static_cast<std::uint32_t>(number);
    }
    NumberIndex<TSubActRec, ByPair> Index;
};

} // namespace qz
