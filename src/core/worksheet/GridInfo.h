#pragma once
// Column sets of the worksheet grid: the columns of each view with their titles, widths,
// colours, alignment, totals and sort keys, the stored forms of a column and of the grid's
// properties, and the colour classes of the display.

#include "ledger/Colour.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qz {

// Colours as the stored column records hold them.
inline constexpr TColour clWhite = 0x00FFFFFF;
inline constexpr TColour clBlack = 0x00000000;
inline constexpr TColour clNavy = 0x00800000;
inline constexpr TColour clBlue = 0x00FF0000;
inline constexpr TColour clGreen = 0x00008000;
inline constexpr TColour clRed = 0x000000FF;
inline constexpr TColour clWindow = static_cast<TColour>(0x80000005);
inline constexpr TColour clWindowText = static_cast<TColour>(0x80000008);
// A colour the palette should match ("palette-relative"), and an entry of the palette.
constexpr TColour PaletteRGB(int red, int green, int blue) { return 0x02000000 | RGBColour(red, green, blue); }
constexpr TColour PaletteIndex(std::uint8_t index) { return 0x01000000 | index; }

enum TAlignment : std::uint8_t { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };
enum TSortDirection : std::uint8_t { sdAscending = 0, sdDescending = 1 };

// How the display shows colours, fixed at start-up from its depth (and forceable for tests).
enum class TColourClass : std::uint8_t { TrueColour = 0, Palette256 = 1, Colours16 = 2 };

struct TColProperty {
    std::string Title;
    TColour Color = clWhite;
    TColour FontCol = clWindowText;
    TColour ColorHi = clWhite;
    TColour FontColHi = clWindowText;
    std::uint8_t ColorIndex = 0;
    std::uint8_t FontColIndex = 0;
    std::int32_t Width = 50;
    std::int32_t MinWidth = 10;
    std::int32_t MaxWidth = 100;
    std::int32_t DefaultWidth = 50;
    TAlignment Alignment = taLeftJustify;
    bool Visible = true;
    bool ShowTotal = false;
    std::string TotalText; // set by the view; not stored
    bool AllowSort = true;
    std::int32_t SortIndex = -1;
    std::int32_t LinkIndex = -1;
};

class TColumns {
public:
    std::vector<TColProperty> Items;

    std::int32_t Count() const { return static_cast<std::int32_t>(Items.size()); }
    TColProperty& operator[](std::int32_t i) { return Items[static_cast<std::size_t>(i)]; }
    const TColProperty& operator[](std::int32_t i) const { return Items[static_cast<std::size_t>(i)]; }

    // The n-th visible column; the last column when there are fewer.
    TColProperty& VisibleColumn(std::int32_t n);
    std::int32_t VisibleWidthBefore(std::int32_t n) const;
    std::int32_t TotalMaxWidth() const;
    std::int32_t VisibleWidth() const;
    std::int32_t VisibleColumnCount() const;
    void Exchange(std::int32_t a, std::int32_t b);
    void ExchangeVisible(std::int32_t a, std::int32_t b);
    void MoveVisible(std::int32_t from, std::int32_t to);
    void SetTotalText(std::int32_t slot, const std::string& text);
    TColour SlotColor(std::int32_t slot) const;
    TColour SlotFontColor(std::int32_t slot) const;
    void WidthsToDefaults();

private:
    std::int32_t VisibleIndex(std::int32_t n) const; // collection position of the n-th visible column, -1 if none
};

// One view's column set, its sort key and direction, its scroll position, and the size of the
// row picture the grid paints row backgrounds into.
class TGridInfo {
public:
    TColumns ColInfo;
    std::int32_t SortIndex = 0;
    TSortDirection SortDirection = sdAscending;
    std::int32_t ScrollBarPos = 0;

    // The picture: strips one row high (work, normal, highlighted, disabled, and the extra
    // ones); each setter answers whether the picture must be made again.
    bool SetRowHeight(std::int32_t height);
    bool SetExtraStrips(std::int32_t strips);
    bool SizePicture();
    std::int32_t RowHeight() const { return Height; }
    std::int32_t ExtraStrips() const { return Extra; }
    std::int32_t PictureWidth() const { return Width; }
    std::int32_t PictureHeight() const { return Height * (4 + Extra); }

private:
    std::int32_t Height = 0;
    std::int32_t Extra = 0;
    std::int32_t Width = 0;
};

// The five views' default column sets, in tab order.
inline constexpr int ViewCount = 5;
enum TViewIndex { ViewTransactions = 0, ViewCategories = 1, ViewSubCategories = 2, ViewGroups = 3, ViewSummary = 4 };
TGridInfo DefaultColumnSet(int view);
inline constexpr std::int32_t DefaultSortKeys[ViewCount] = {1, 0, 1, 0, 1};
inline constexpr std::int32_t GridMaxCols = 13;
inline constexpr std::int32_t BalLinkIndex = 11;

// The stored column record (68 bytes) and grid properties record (268 bytes).
inline constexpr std::uint32_t ColumnRecordSize = 68;
inline constexpr std::uint32_t GridPropertiesSize = 268;

struct TGridProperties {
    TColour GridColor = 0x00C0C0C0;
    std::string FontName = "Arial";
    std::int32_t FontSize = 8;
    std::uint8_t FontStyle = 0; // bit 0 bold, 1 italic, 2 underline, 3 strike-out
};

// Saving writes the current width as the default width; in palette mode the kept colours.
void EncodeColumn(const TColProperty& column, TColourClass colours, std::uint8_t* out);
// Sets every stored property of `column` (not its TotalText).
void DecodeColumn(const std::uint8_t* in, TColProperty& column);
void EncodeGridProperties(const TGridProperties& properties, std::uint8_t* out);
void DecodeGridProperties(const std::uint8_t* in, TGridProperties& properties);

// After loading: palette mode draws with the palette entries; 16 colours with the fixed
// scheme of the view; true colour as stored.
void ApplyColourClass(TColumns& columns, int view, TColourClass colours);
void ApplySixteenColourScheme(TColumns& columns, int view);

} // namespace qz
