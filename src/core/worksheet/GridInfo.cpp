#include "GridInfo.h"

#include "storage/cfb/CfbFormat.h"

#include <algorithm>
#include <cstring>

namespace qz {

using cfb::Get32;
using cfb::Put32;

// ---- Columns --------------------------------------------------------------------------------

std::int32_t TColumns::VisibleIndex(std::int32_t n) const {
    for (std::int32_t i = 0; i < Count(); ++i)
        if (Items[static_cast<std::size_t>(i)].Visible && n-- == 0)
            return i;
    return -1;
}

TColProperty& TColumns::VisibleColumn(std::int32_t n) {
    const std::int32_t i = VisibleIndex(n);
    return Items[static_cast<std::size_t>(i >= 0 ? i : Count() - 1)];
}

std::int32_t TColumns::VisibleWidthBefore(std::int32_t n) const {
    std::int32_t width = 0;
    for (const TColProperty& c : Items) {
        if (!c.Visible)
            continue;
        if (n-- <= 0)
            break;
        width += c.Width;
    }
    return width;
}

std::int32_t TColumns::TotalMaxWidth() const {
    std::int32_t width = 0;
    for (const TColProperty& c : Items)
        width += c.MaxWidth;
    return width;
}

std::int32_t TColumns::VisibleWidth() const {
    std::int32_t width = 0;
    for (const TColProperty& c : Items)
        if (c.Visible)
            width += c.Width;
    return width;
}

std::int32_t TColumns::VisibleColumnCount() const {
    return static_cast<std::int32_t>(std::count_if(Items.begin(), Items.end(), [](const TColProperty& c) { return c.Visible; }));
}

void TColumns::Exchange(std::int32_t a, std::int32_t b) {
    if (a < 0 || b < 0 || a >= Count() || b >= Count())
        return;
    std::swap(Items[static_cast<std::size_t>(a)], Items[static_cast<std::size_t>(b)]);
}

void TColumns::ExchangeVisible(std::int32_t a, std::int32_t b) { Exchange(VisibleIndex(a), VisibleIndex(b)); }

void TColumns::MoveVisible(std::int32_t from, std::int32_t to) {
    const std::int32_t visible = VisibleColumnCount();
    if (from < 0 || to < 0 || from >= visible || to >= visible)
        return;
    for (; from < to; ++from)
        ExchangeVisible(from, from + 1);
    for (; from > to; --from)
        ExchangeVisible(from, from - 1);
}

void TColumns::SetTotalText(std::int32_t slot, const std::string& text) {
    for (TColProperty& c : Items)
        if (c.LinkIndex == slot) {
            c.TotalText = text;
            return;
        }
}

TColour TColumns::SlotColor(std::int32_t slot) const {
    for (const TColProperty& c : Items)
        if (c.LinkIndex == slot)
            return c.Color;
    return 0;
}

TColour TColumns::SlotFontColor(std::int32_t slot) const {
    for (const TColProperty& c : Items)
        if (c.LinkIndex == slot)
            return c.FontCol;
    return clWhite;
}

void TColumns::WidthsToDefaults() {
    for (TColProperty& c : Items)
        c.DefaultWidth = c.Width;
}

// ---- Grid info ------------------------------------------------------------------------------

bool TGridInfo::SetRowHeight(std::int32_t height) {
    if (height == Height)
        return false;
    Height = height;
    return true;
}

bool TGridInfo::SetExtraStrips(std::int32_t strips) {
    if (strips == Extra)
        return false;
    Extra = strips;
    return true;
}

bool TGridInfo::SizePicture() {
    const std::int32_t width = ColInfo.TotalMaxWidth();
    if (width == Width)
        return false;
    Width = width;
    return true;
}

// ---- Default column sets -----------------------------------------------------------------------

namespace {

struct ColumnSpec {
    const char* Title;
    std::int32_t Slot;
    std::int32_t Sort;
    std::int32_t Width, Min, Max;
    TAlignment Align;
    bool Visible, Total, Sortable;
    TColour Colour, Font;
};

constexpr TColour Cream = PaletteRGB(0xFF, 0xFF, 0xBD);
constexpr TColour Mint = PaletteRGB(0xB9, 0xFF, 0xC0);
constexpr TColour Rose = PaletteRGB(0xFF, 0xD6, 0xD5);
constexpr TColour Sky = PaletteRGB(0xC4, 0xE0, 0xFF);
constexpr TColour PaletteNavy = PaletteRGB(0x00, 0x00, 0x80);
constexpr TColour Sage = RGBColour(0x66, 0xBF, 0xA9);

const ColumnSpec Transactions[] = {
    {"No.", 0, 0, 30, 20, 150, taRightJustify, true, true, true, Cream, PaletteNavy},
    {"Date", 1, 1, 56, 20, 150, taCenter, true, false, true, Cream, PaletteNavy},
    {"Reference", 2, 2, 50, 20, 200, taLeftJustify, true, false, true, Cream, PaletteNavy},
    {"Cat. No.", 3, 3, 36, 20, 150, taRightJustify, true, false, true, Cream, PaletteNavy},
    {"Category Name", 4, 4, 93, 20, 300, taLeftJustify, true, false, true, Cream, PaletteNavy},
    {"Sub Category Name", 6, 6, 80, 20, 300, taLeftJustify, true, false, true, Cream, PaletteNavy},
    {"Sub Cat. Number", 5, 5, 50, 20, 150, taRightJustify, false, false, true, Cream, clNavy},
    {"Group Number", 7, 7, 50, 20, 150, taLeftJustify, true, false, true, Sage, clBlue},
    {"Group Name", 8, 8, 100, 20, 300, taLeftJustify, true, false, true, Sage, clNavy},
    {"Credit", 9, 9, 80, 20, 160, taRightJustify, true, true, true, Mint, clGreen},
    {"Debit", 10, 9, 80, 20, 160, taRightJustify, true, true, true, Rose, clRed},
    {"Balance", 11, -1, 80, 20, 160, taRightJustify, true, true, false, Sky, clBlue},
    {"Memo", 12, 11, 50, 10, 200, taLeftJustify, true, false, false, clWhite, clWindowText},
};

const ColumnSpec Categories[] = {
    {"Cat. No.", 0, 0, 50, 20, 100, taLeftJustify, true, false, true, Cream, clWindowText},
    {"Category Name", 1, 1, 150, 20, 200, taLeftJustify, true, false, true, Cream, clWindowText},
    {"Credit", 2, 2, 100, 20, 160, taRightJustify, true, true, true, Mint, clGreen},
    {"Debit", 3, 2, 100, 20, 160, taRightJustify, true, true, true, Rose, clRed},
    {"% of Total", 4, 2, 50, 20, 100, taRightJustify, true, false, true, Sky, clBlue},
};

const ColumnSpec SubCategories[] = {
    {"Category Name", 0, 0, 150, 20, 220, taLeftJustify, true, false, true, Cream, clNavy},
    {"Sub Cat. No.", 1, 1, 60, 20, 100, taRightJustify, true, false, true, Cream, clNavy},
    {"Sub Category Name", 2, 2, 150, 20, 220, taLeftJustify, true, false, true, Cream, clNavy},
    {"Credit", 3, 3, 100, 20, 160, taRightJustify, true, true, true, Mint, clGreen},
    {"Debit", 4, 3, 100, 20, 160, taRightJustify, true, true, true, Rose, clRed},
    {"% of Total", 5, 3, 50, 20, 100, taRightJustify, true, false, true, Sky, clBlue},
};

const ColumnSpec Groups[] = {
    {"Group Number", 0, 0, 50, 20, 100, taLeftJustify, true, false, true, Cream, PaletteNavy},
    {"Group Name", 1, 1, 200, 20, 250, taLeftJustify, true, false, true, Cream, PaletteNavy},
    {"Credit", 2, 2, 100, 20, 160, taRightJustify, true, true, true, Mint, clGreen},
    {"Debit", 3, 3, 100, 20, 160, taRightJustify, true, true, true, Rose, clRed},
    {"Difference", 4, 4, 100, 20, 160, taRightJustify, true, true, true, Sky, clBlue},
    {"% of Total Income", 5, 2, 100, 20, 100, taRightJustify, true, false, true, Mint, clGreen},
    {"% of Total Expense", 6, 3, 100, 20, 100, taRightJustify, true, false, true, Rose, clRed},
};

const ColumnSpec Summary[] = {
    {"Category Type", 0, 1, 200, 20, 250, taLeftJustify, true, false, true, Cream, PaletteNavy},
    {"Credit", 1, 2, 100, 20, 160, taRightJustify, true, true, true, Mint, clGreen},
    {"Debit", 2, 2, 100, 20, 160, taRightJustify, true, true, true, Rose, clRed},
    {"% of Total", 3, 2, 50, 20, 100, taRightJustify, true, false, true, Sky, clBlue},
};

template <std::size_t N> TGridInfo Build(const ColumnSpec (&specs)[N], std::int32_t sortKey) {
    TGridInfo info;
    info.SortIndex = sortKey;
    for (const ColumnSpec& s : specs) {
        TColProperty c;
        c.Title = s.Title;
        c.LinkIndex = s.Slot;
        c.SortIndex = s.Sort;
        c.Width = c.DefaultWidth = s.Width;
        c.MinWidth = s.Min;
        c.MaxWidth = s.Max;
        c.Alignment = s.Align;
        c.Visible = s.Visible;
        c.ShowTotal = s.Total;
        c.AllowSort = s.Sortable;
        c.Color = c.ColorHi = s.Colour;
        c.FontCol = c.FontColHi = s.Font;
        info.ColInfo.Items.push_back(c);
    }
    return info;
}

} // namespace

TGridInfo DefaultColumnSet(int view) {
    switch (view) {
    case ViewTransactions: {
        TGridInfo info = Build(Transactions, DefaultSortKeys[0]);
        info.SetExtraStrips(2);
        return info;
    }
    case ViewCategories:
        return Build(Categories, DefaultSortKeys[1]);
    case ViewSubCategories:
        return Build(SubCategories, DefaultSortKeys[2]);
    case ViewGroups:
        return Build(Groups, DefaultSortKeys[3]);
    default:
        return Build(Summary, DefaultSortKeys[4]);
    }
}

// ---- Stored records ---------------------------------------------------------------------------

void EncodeColumn(const TColProperty& c, TColourClass colours, std::uint8_t* out) {
    std::memset(out, 0, ColumnRecordSize);
    const std::size_t length = std::min<std::size_t>(c.Title.size(), 30);
    out[0] = static_cast<std::uint8_t>(length);
    std::memcpy(out + 1, c.Title.data(), length);
    out[31] = c.Visible;
    out[32] = c.ShowTotal;
    out[33] = c.AllowSort;
    Put32(out + 36, static_cast<std::uint32_t>(c.MinWidth));
    Put32(out + 40, static_cast<std::uint32_t>(c.MaxWidth));
    Put32(out + 44, static_cast<std::uint32_t>(c.Width));
    Put32(out + 48, static_cast<std::uint32_t>(c.SortIndex));
    Put32(out + 52, static_cast<std::uint32_t>(c.LinkIndex));
    const bool palette = colours == TColourClass::Palette256;
    Put32(out + 56, static_cast<std::uint32_t>(palette ? c.FontColHi : c.FontCol));
    Put32(out + 60, static_cast<std::uint32_t>(palette ? c.ColorHi : c.Color));
    out[64] = c.ColorIndex;
    out[65] = c.FontColIndex;
    out[66] = c.Alignment;
}

void DecodeColumn(const std::uint8_t* in, TColProperty& c) {
    c.Title.assign(reinterpret_cast<const char*>(in + 1), std::min<std::size_t>(in[0], 30));
    c.Visible = in[31] != 0;
    c.ShowTotal = in[32] != 0;
    c.AllowSort = in[33] != 0;
    c.MinWidth = static_cast<std::int32_t>(Get32(in + 36));
    c.MaxWidth = static_cast<std::int32_t>(Get32(in + 40));
    c.Width = c.DefaultWidth = static_cast<std::int32_t>(Get32(in + 44));
    c.SortIndex = static_cast<std::int32_t>(Get32(in + 48));
    c.LinkIndex = static_cast<std::int32_t>(Get32(in + 52));
    c.FontCol = c.FontColHi = static_cast<TColour>(Get32(in + 56));
    c.Color = c.ColorHi = static_cast<TColour>(Get32(in + 60));
    c.ColorIndex = in[64];
    c.FontColIndex = in[65];
    c.Alignment = in[66] <= taCenter ? static_cast<TAlignment>(in[66]) : taLeftJustify;
}

void EncodeGridProperties(const TGridProperties& p, std::uint8_t* out) {
    std::memset(out, 0, GridPropertiesSize);
    Put32(out, static_cast<std::uint32_t>(p.GridColor));
    const std::size_t length = std::min<std::size_t>(p.FontName.size(), 255);
    out[4] = static_cast<std::uint8_t>(length);
    std::memcpy(out + 5, p.FontName.data(), length);
    Put32(out + 260, static_cast<std::uint32_t>(p.FontSize));
    out[264] = p.FontStyle;
}

void DecodeGridProperties(const std::uint8_t* in, TGridProperties& p) {
    p.GridColor = static_cast<TColour>(Get32(in));
    p.FontName.assign(reinterpret_cast<const char*>(in + 5), in[4]);
    p.FontSize = static_cast<std::int32_t>(Get32(in + 260));
    p.FontStyle = in[264] & 0x0F;
}

// ---- Colour classes ---------------------------------------------------------------------------

namespace {

// By view: the last slot drawn in window text, then the slots drawn in green, red and blue.
struct SixteenColours {
    std::int32_t LastPlain;
    std::vector<std::int32_t> Green, Red, Blue;
};

const SixteenColours& SchemeOf(int view) {
    static const SixteenColours schemes[ViewCount] = {
        {8, {9}, {10}, {11}}, {1, {2}, {3}, {4}}, {2, {3}, {4}, {5}}, {1, {2, 5}, {3, 6}, {4}}, {0, {1}, {2}, {3}},
    };
    return schemes[std::clamp(view, 0, ViewCount - 1)];
}

bool Has(const std::vector<std::int32_t>& slots, std::int32_t slot) {
    return std::find(slots.begin(), slots.end(), slot) != slots.end();
}

} // namespace

void ApplySixteenColourScheme(TColumns& columns, int view) {
    const SixteenColours& scheme = SchemeOf(view);
    for (TColProperty& c : columns.Items) {
        TColour font;
        if (c.LinkIndex >= 0 && c.LinkIndex <= scheme.LastPlain)
            font = clWindowText;
        else if (Has(scheme.Green, c.LinkIndex))
            font = clGreen;
        else if (Has(scheme.Red, c.LinkIndex))
            font = clRed;
        else if (Has(scheme.Blue, c.LinkIndex))
            font = clBlue;
        else
            continue; // a column the scheme does not name keeps its colours
        c.FontCol = font;
        c.Color = clWindow;
    }
}

void ApplyColourClass(TColumns& columns, int view, TColourClass colours) {
    switch (colours) {
    case TColourClass::Palette256:
        for (TColProperty& c : columns.Items) {
            c.FontCol = PaletteIndex(c.FontColIndex);
            c.Color = PaletteIndex(c.ColorIndex);
        }
        break;
    case TColourClass::Colours16:
        ApplySixteenColourScheme(columns, view);
        break;
    case TColourClass::TrueColour:
        break;
    }
}

} // namespace qz
