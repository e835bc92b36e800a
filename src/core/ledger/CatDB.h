#pragma once
// Category types: the report sections that categories belong to ("General Income", "Overheads"...).

#include "ClassificationList.h"
#include "DisplayFormats.h"
#include "NumberIndex.h"
#include "ShortText.h"

#include <string>

namespace qz {

// Report section of a category type.
enum TCatKind : std::int16_t {
    KindSales = 1,      // "Sales Income" / "Cost of Sales"
    KindOperating = 2,  // "Normal Operating Expenses"
    KindOther = 3,      // "Other Income" / "Other Expenses"
    KindCompanyTax = 4, // "Company Tax"
    KindAssets = 5,     // "Asset && Liability"
    KindFunds = 6,      // "Funds"
    KindGstSystem = 7,  // the GST/VAT system type, never shown in the category-types view
};

struct TCatRec {
    std::int64_t FilePos = 0;
    std::int16_t Number = 0;
    std::int16_t Kind = 0;
    ShortText<40> Name;
    Money Total;
    std::uint8_t Side = SideCredit;
    std::uint8_t Picked = 0;
    std::int32_t Row = -1;
    std::uint8_t IsDefault = 0;
};

class ECatDBException : public EListIndexError {
public:
    using EListIndexError::EListIndexError;
};

class TCatList : public TClassificationList<TCatRec> {
public:
    TCatRec* AddType(const std::string& name, std::uint8_t side, std::int16_t kind, std::uint8_t isDefault);
    void AddDefaults();

    TCatRec* FindByNumber(std::int32_t number) const; // raises for an absent number
    TCatRec* Find(std::int32_t number) const;         // nullptr for an absent number
    std::int16_t NewNumber() const;

    void AddToTotal(std::int32_t number, Money amount);
    void AddToTotal(TCatRec& type, Money amount);
    Money SectionNet(std::int16_t kind) const;
    static bool NoGstByDefault(const TCatRec& type);
    std::int32_t SetSystemTypeName(const std::string& text);

    void Recount();
    void SortRows(std::uint8_t order);
    void SortByKey();
    // The cash-flow report's order: Kind, then Side, then Name.
    void SortByKindSideName();

    std::string PercentText(const TCatRec& type, Money whole, const TDisplayFormats& formats) const;
    // The type's total in the column of its own side, empty in the other.
    std::string MoneyText(const TCatRec& type, std::uint8_t side, const TDisplayFormats& formats) const;

protected:
    [[noreturn]] void RaiseIndexError(std::int32_t index) const override;
    void RecordsChanged() override { Index.Invalidate(); }

private:
    NumberIndex<TCatRec, ByNumber> Index;
};

} // namespace qz
