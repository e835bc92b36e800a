// The five views: rows and their order, the cell texts of every view, the Balance column's
// rules, row colours, totals rows, the tax summary, captions, switches and layout, and the
// view operations (switch, sort, reset).

#include "WorksheetFixture.h"

#include "engine/Generator.h"
#include "ledger/MoneyFormat.h"
#include "ledger/NumberTexts.h"

namespace qz::testing {
namespace {

using Slots = std::vector<std::string>;

class WorksheetTest : public WorksheetFixture {
protected:
    // Income of 250 (110 with 10 tax and 90 to Sales in group Shop, a 50 tax refund in
    // General) and a 200 rent payment in General.
    void Trading() {
        Credit(Day(2024, 1, 2), 110, Sales, 1)->Gst = Cash(10);
        Add(TransCredit, Day(2024, 1, 3), 90, Sales, 2, 1);
        Credit(Day(2024, 1, 3), 50, TaxBack, 0);
        Debit(Day(2024, 1, 4), 200, Rent, 0);
    }
};

TEST_F(WorksheetTest, TransactionRowsOfEveryKind) {
    Opening(Day(2024, 1, 1), 1000, 0);
    Opening(Day(2024, 1, 1), -250, 1);
    TTransRec* sale = Credit(Day(2024, 1, 5), 110, Sales, 1);
    sale->Reference = "INV1";
    sale->Notes = "first";
    for (auto [split, sub, amount] : {std::tuple{'A', 2, 30.0}, std::tuple{'B', 1, 20.0}}) {
        TTransRec* part = Add(TransDebit, Day(2024, 1, 7), amount, Rent, sub, 0);
        part->Number = 17;
        part->Split = split;
        part->Reference = "CHQ9";
    }
    Transfer(Day(2024, 1, 9), 50, 0, 1);
    Sheet.SetOptions({.BalanceEndDay = false});
    Open();

    struct Row {
        Slots Texts;
        std::uint8_t Type;
    };
    const Row rows[] = {
        {{"1", "01/01/2024", "", "0", "Opening Balance", "0-0", "Cheque", "G0", "", "$1,000.00", "", "$1,000.00", ""},
         1},
        {{"2", "01/01/2024", "", "0", "Opening Balance", "0-0", "Savings", "G0", "", "", "$250.00", "$750.00", ""}, 1},
        {{"3", "05/01/2024", "INV1", "100", "Sales", "100-1", "One", "G1", "Shop", "$110.00", "", "$860.00", "first"},
         0},
        {{"17A", "07/01/2024", "CHQ9", "200", "Rent", "200-2", "Two", "G0", "General", "", "$30.00", "$830.00", ""}, 0},
        {{"17B", "07/01/2024", "CHQ9", "200", "Rent", "200-1", "One", "G0", "General", "", "$20.00", "$810.00", ""}, 0},
        {{"6", "09/01/2024", "", "7", "Transfer To", "7-0", "Savings", "G1", "", "", "$50.00", "$760.00", ""}, 2},
        {{"7", "09/01/2024", "", "6", "Transfer From", "6-0", "Cheque", "G0", "", "$50.00", "", "$810.00", ""}, 2},
    };
    ASSERT_EQ(Sheet.RowCount(), 7);
    for (std::int32_t line = 0; line < 7; ++line) {
        Slots slots;
        bool enabled = false;
        std::uint8_t rowType = 9;
        Sheet.GridB1GetText(line, slots, enabled, rowType);
        EXPECT_EQ(slots, rows[line].Texts) << "line " << line;
        EXPECT_EQ(rowType, rows[line].Type) << "line " << line;
        EXPECT_TRUE(enabled);
    }
}

TEST_F(WorksheetTest, DescendingOrderReversesTheRowsAndLinesBeyondAnswerMinusOne) {
    for (int day = 1; day <= 10; ++day)
        Credit(Day(2024, 3, day), day);
    Open();
    EXPECT_EQ(Cell(0, 0), "1");
    Sheet.GridInfo[ViewTransactions].SortDirection = sdDescending;
    EXPECT_EQ(Cell(0, 0), "10");
    EXPECT_EQ(Cell(9, 0), "1");
    EXPECT_EQ(Sheet.TransactionAt(0), L.TransList.RowItem(9));

    for (std::int32_t line : {10, 11, -1}) {
        for (bool before : {false, true}) {
            Slots slots(GridMaxCols, "kept");
            bool enabled = before;
            std::uint8_t rowType = 7;
            Sheet.GridB1GetText(line, slots, enabled, rowType);
            EXPECT_EQ(slots[0], "-1") << line;
            EXPECT_EQ(slots[1], "kept");
            EXPECT_EQ(slots[12], "kept");
            EXPECT_EQ(enabled, before);
            EXPECT_EQ(rowType, 7);
        }
    }
}

TEST_F(WorksheetTest, BalanceColumnRules) {
    Credit(Day(2024, 1, 1), 100);
    Credit(Day(2024, 1, 2), 10);
    Credit(Day(2024, 1, 2), 5);
    Debit(Day(2024, 1, 3), 30)->Reconciled = 0;
    Open();

    struct Case {
        const char* Label;
        std::int32_t SortKey;
        TSortDirection Direction;
        bool EndDay, Include;
        Slots Balances; // in list order
    };
    const Case cases[] = {
        {"every row", 1, sdAscending, false, false, {"$100.00", "$110.00", "$115.00", ""}},
        {"day ends only", 1, sdAscending, true, false, {"$100.00", "", "$115.00", ""}},
        {"unreconciled included", 1, sdAscending, false, true, {"$100.00", "$110.00", "$115.00", "$85.00"}},
        {"included, day ends", 1, sdAscending, true, true, {"$100.00", "", "$115.00", "$85.00"}},
        {"date descending", 1, sdDescending, false, true, {"", "", "", ""}},
        {"by amount", 9, sdAscending, false, true, {"", "", "", ""}},
        {"by number", 0, sdAscending, false, false, {"", "", "", ""}},
    };
    for (const Case& c : cases) {
        Sheet.SetOptions({.BalanceEndDay = c.EndDay, .IncludeDisabledInCalc = c.Include});
        Sheet.GridInfo[ViewTransactions].SortIndex = c.SortKey;
        Sheet.GridInfo[ViewTransactions].SortDirection = c.Direction;
        Sheet.SortView(ViewTransactions);
        Recalculate(L);
        Slots balances;
        for (const TTransRec* t : L.TransList.KeyList) {
            const std::int32_t line = c.Direction == sdDescending ? Sheet.RowCount() - 1 - t->Row : t->Row;
            balances.push_back(Cell(line, 11));
        }
        EXPECT_EQ(balances, c.Balances) << c.Label;
    }
    // An unreconciled row is painted disabled.
    Slots slots;
    bool enabled = true;
    std::uint8_t rowType = 0;
    Sheet.GridB1GetText(3, slots, enabled, rowType);
    EXPECT_FALSE(enabled);
}

TEST_F(WorksheetTest, ClassificationViewTexts) {
    Trading();
    Open();
    struct Case {
        int View;
        std::vector<Slots> Rows;
    };
    const Case cases[] = {
        {ViewCategories,
         {{"100", "Sales", "$200.00", "", "80.00%"},
          {"200", "Rent", "", "$200.00", "100.00%"},
          {"901", "GST", "$50.00", "", "20.00%"}}},
        {ViewSubCategories,
         {{"Sales", "100-1", "One", "$110.00", "", "44.00%"},
          {"Sales", "100-2", "Two", "$90.00", "", "36.00%"},
          {"Rent", "200-1", "One", "", "$200.00", "100.00%"},
          {"GST", "901-1", "One", "$50.00", "", "20.00%"}}},
        {ViewGroups,
         {{"G0", "General", "$50.00", "$200.00", "-$150.00", "20.00%", "100.00%"},
          {"G1", "Shop", "$200.00", "$0.00", "$200.00", "80.00%", "0.00%"}}},
        {ViewSummary, {{"General Income", "$250.00", "", "100.00%"}, {"Overheads", "", "$200.00", "100.00%"}}},
    };
    for (const Case& c : cases) {
        Sheet.SwitchView(c.View);
        ASSERT_EQ(Sheet.RowCount(), static_cast<std::int32_t>(c.Rows.size())) << "view " << c.View;
        for (std::int32_t line = 0; line < Sheet.RowCount(); ++line) {
            Slots slots(GridMaxCols, "stale");
            bool enabled = false;
            std::uint8_t rowType = 5;
            Sheet.GridB1GetText(line, slots, enabled, rowType);
            Slots expected = c.Rows[static_cast<std::size_t>(line)];
            expected.resize(GridMaxCols); // the slots no column of the view shows are empty
            EXPECT_EQ(slots, expected) << "view " << c.View << " line " << line;
            EXPECT_TRUE(enabled);
            EXPECT_EQ(rowType, 0);
        }
        EXPECT_EQ(Cell(Sheet.RowCount(), 0), "-1");
    }
}

TEST_F(WorksheetTest, SharesOfAZeroTotalReadZeroPercent) {
    Credit(Day(2024, 1, 2), 40, Sales, 1);
    Open();
    // No debit at all: a group's share of the expenses is "0.00%", its debit a zero amount.
    Sheet.SwitchView(ViewGroups);
    EXPECT_EQ(Line(0), (Slots{"G1", "Shop", "$40.00", "$0.00", "$40.00", "100.00%", "0.00%", "", "", "", "", "", ""}));
    // A category type with a total of zero, shown once zero rows are.
    L.CatList.ShowZeroRows = 1;
    L.CatList.Recount();
    Sheet.SwitchView(ViewSummary);
    const Slots shares = Column(3);
    const Slots names = Column(0);
    ASSERT_EQ(names.size(), 11u); // every type but the tax system type
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(shares[i], names[i] == "General Income" ? "100.00%" : "0.00%") << names[i];
}

TEST_F(WorksheetTest, TotalsRows) {
    Opening(Day(2024, 1, 1), 1000);
    Trading();
    Credit(Day(2024, 1, 5), 5)->Reconciled = 0;
    Open();
    Filters.DateRangeBtnClick(true);
    Filters.PickRangeDate(1, Day(2024, 1, 2)); // the opening balance is brought forward, not shown

    TGridInfo& transactions = Sheet.GridInfo[ViewTransactions];
    EXPECT_EQ(Total(ViewTransactions, 0), "5");
    EXPECT_EQ(Total(ViewTransactions, 9), "$250.00");
    EXPECT_EQ(Total(ViewTransactions, 10), "$200.00");
    EXPECT_EQ(Total(ViewTransactions, 11), "$1,050.00") << "closing balance: the last counted row's";
    transactions.SortDirection = sdDescending;
    Sheet.Refresh();
    EXPECT_EQ(Total(ViewTransactions, 11), "$1,050.00") << "date order either way";
    transactions.SortIndex = 9;
    Sheet.SortActiveView();
    EXPECT_EQ(Total(ViewTransactions, 11), "$50.00") << "credit - debit in any other order";
    // Columns without a total keep none.
    EXPECT_EQ(transactions.ColInfo[1].TotalText, "");

    const struct {
        int View;
        int Slot;
        const char* Text;
    } totals[] = {
        {ViewCategories, 2, "$250.00"},    {ViewCategories, 3, "$200.00"}, {ViewSubCategories, 3, "$250.00"},
        {ViewSubCategories, 4, "$200.00"}, {ViewGroups, 2, "$250.00"},     {ViewGroups, 3, "$200.00"},
        {ViewGroups, 4, "$50.00"},         {ViewSummary, 1, "$250.00"},    {ViewSummary, 2, "$200.00"},
    };
    for (const auto& t : totals) {
        Sheet.SwitchView(t.View);
        EXPECT_EQ(Total(t.View, t.Slot), t.Text) << "view " << t.View << " slot " << t.Slot;
    }
}

TEST_F(WorksheetTest, ABookWithoutTransactions) {
    Open();
    Sheet.Refresh();
    EXPECT_EQ(Sheet.RowCount(), 0);
    EXPECT_EQ(Total(ViewTransactions, 0), "0");
    EXPECT_EQ(Total(ViewTransactions, 9), "$0.00");
    EXPECT_EQ(Total(ViewTransactions, 10), "$0.00");
    EXPECT_EQ(Total(ViewTransactions, 11), "$0.00");
    EXPECT_FALSE(Sheet.ReportsEnabled());
    EXPECT_EQ(Cell(0, 0), "-1");
    EXPECT_EQ(Window.Calls.back(), "refresh 0");
}

TEST_F(WorksheetTest, ReportsNeedACreditOrDebitRow) {
    Opening(Day(2024, 1, 1), 100);
    Transfer(Day(2024, 1, 2), 10, 0, 1);
    Open();
    EXPECT_FALSE(Sheet.ReportsEnabled());
    Debit(Day(2024, 1, 3), 5);
    Open();
    EXPECT_TRUE(Sheet.ReportsEnabled());
}

TEST_F(WorksheetTest, TaxSummaryForTheWholeBooksAndForSelectedTransactions) {
    L.GstOpeningBalance = Cash(500);
    Credit(Day(2024, 1, 1), 110)->Gst = Cash(10);
    Debit(Day(2024, 1, 2), 55)->Gst = Cash(5);
    Debit(Day(2024, 1, 3), 100, TaxPaid);
    Credit(Day(2024, 1, 5), 220)->Gst = Cash(20);
    Sheet.SetTax(true, "GST");
    Open();

    TTaxSummary panel = Sheet.TaxSummary();
    EXPECT_EQ(panel.Title, "GST Summary");
    const Slots labels = {"GST opening balance - 01/01/2024", "GST collected from sales",
                          "GST credits via purchases",        "Nett GST amount",
                          "GST payments/refunds balance",     "GST closing balance"};
    EXPECT_EQ(Slots(std::begin(panel.Labels), std::end(panel.Labels)), labels);
    EXPECT_EQ(Slots(std::begin(panel.Values), std::end(panel.Values)),
              (Slots{"$500.00", "$30.00", "$5.00", "$25.00", "$100.00", "$425.00"}));
    EXPECT_FALSE(panel.SelectedTransactions);

    // From 4 January the tax balance brought forward holds what came before.
    Filters.DateRangeBtnClick(true);
    Filters.PickRangeDate(1, Day(2024, 1, 4));
    panel = Sheet.TaxSummary();
    EXPECT_EQ(panel.Labels[0], "GST opening balance - 04/01/2024");
    EXPECT_EQ(Slots(std::begin(panel.Values), std::end(panel.Values)),
              (Slots{"$405.00", "$20.00", "$0.00", "$20.00", "$0.00", "$425.00"}));
    Filters.ResetSelections();

    // A selection, or some accounts left out: the movement of the rows alone.
    L.Switches.CategorySelectionActive = true;
    Recalculate(L);
    panel = Sheet.TaxSummary();
    EXPECT_TRUE(panel.SelectedTransactions);
    EXPECT_EQ(panel.SelectedLabel, "Selected Transactions");
    EXPECT_EQ(panel.Labels[0], "GST opening balance");
    EXPECT_EQ(panel.Values[0], "<not used>");
    EXPECT_EQ(panel.Values[5], "-$75.00");
    L.Switches.CategorySelectionActive = false;
    L.BookList.FindByNumber(1)->Selected = 0;
    Recalculate(L);
    EXPECT_TRUE(Sheet.TaxSummary().SelectedTransactions);

    // The panel is handed over on a refresh of the Quick Summary only, while tax is tracked.
    Sheet.SwitchView(ViewTransactions);
    EXPECT_FALSE(Window.Called("tax"));
    Sheet.SwitchView(ViewSummary);
    ASSERT_TRUE(Window.Tax.has_value());
    EXPECT_EQ(Window.Tax->Values[0], "<not used>");
    Window.Calls.clear();
    Sheet.SetTax(false, "GST");
    Sheet.Refresh();
    EXPECT_FALSE(Window.Called("tax"));
}

TEST_F(WorksheetTest, TabCaptionsTogglesAndLayoutFollowTheTaxSetting) {
    EXPECT_EQ(Sheet.TabCaption(ViewSummary), "Quick Summary");
    Sheet.SetTax(true, "VAT");
    EXPECT_EQ(Sheet.TabCaption(ViewSummary), "Quick & VAT Summaries");
    EXPECT_EQ(Sheet.TabCaption(ViewSubCategories), "Sub Categories");

    Sheet.SetOptions({.IncludeDisabledInCalc = true, .GSTinTotals = false});
    TToggleSwitches toggles = Sheet.ToggleSwitches();
    EXPECT_EQ(toggles.Captions[0], "Include unreconciled");
    EXPECT_EQ(toggles.Captions[1], "Exclude unreconciled");
    EXPECT_EQ(toggles.Down, 0);
    EXPECT_EQ(toggles.Width, 148);
    EXPECT_EQ(toggles.SecondLeft, 154);
    EXPECT_TRUE(L.Switches.IncludeUnreconciled);
    EXPECT_FALSE(L.Switches.GstInTotals);
    Sheet.SwitchView(ViewGroups);
    toggles = Sheet.ToggleSwitches();
    EXPECT_EQ(toggles.Captions[0], "Excluding VAT");
    EXPECT_EQ(toggles.Captions[1], "Including VAT");
    EXPECT_EQ(toggles.Down, 0);
    EXPECT_EQ(toggles.Width, 120);
    EXPECT_EQ(toggles.SecondLeft, 126);

    // page 600, grid top 10, tax panel 150, toggles 30, account bar 40
    const TTabPageMeasures page{600, 10, 150, 30, 40};
    struct Case {
        bool Tax;
        int Tab;
        int PageHeight;
        TTabPageLayout Layout;
    };
    const Case cases[] = {
        {true, ViewTransactions, 600, {516, 0, false, true}},
        {false, ViewGroups, 600, {546, 0, false, false}},
        {true, ViewSummary, 600, {366, 150, true, true}},
        {true, ViewSummary, 250, {120, 46, true, true}}, // the grid keeps 120 pixels
        {true, ViewSummary, 190, {120, 0, false, true}}, // nothing left for the panel
        {false, ViewSummary, 600, {546, 0, false, false}},
    };
    for (const Case& c : cases) {
        Sheet.SetTax(c.Tax, "GST");
        Sheet.SwitchView(c.Tab);
        TTabPageMeasures m = page;
        m.PageHeight = c.PageHeight;
        const TTabPageLayout got = Sheet.Layout(m);
        EXPECT_EQ(got.GridHeight, c.Layout.GridHeight) << c.Tab << " " << c.PageHeight;
        EXPECT_EQ(got.TaxPanelHeight, c.Layout.TaxPanelHeight) << c.Tab << " " << c.PageHeight;
        EXPECT_EQ(got.TaxPanelVisible, c.Layout.TaxPanelVisible) << c.Tab << " " << c.PageHeight;
        EXPECT_EQ(got.TogglePanelVisible, c.Layout.TogglePanelVisible) << c.Tab << " " << c.PageHeight;
    }
}

TEST_F(WorksheetTest, RowButtonColours) {
    Credit(Day(2024, 1, 1), 10, Sales, 0, 0);
    Credit(Day(2024, 1, 2), 10, Sales, 0, 1);
    L.BookList.FindByNumber(0)->Colour = RGBColour(0, 128, 255);
    L.BookList.FindByNumber(1)->Colour = RGBColour(220, 60, 60);
    Open();
    Sheet.SetScreenColours({RGBColour(0xD4, 0xD0, 0xC8), RGBColour(0x80, 0x80, 0x80), TColourClass::TrueColour});
    EXPECT_EQ(Sheet.GridB1GetRowColor(0), RGBColour(0, 128, 255));
    EXPECT_EQ(Sheet.GridB1GetRowColor(1), RGBColour(220, 60, 60));
    EXPECT_EQ(Sheet.GridB1GetRowColor(2), RGBColour(0xB6, 0xB2, 0xAA)) << "beyond the rows: the base colour";
    Sheet.SwitchView(ViewCategories);
    EXPECT_EQ(Sheet.GridB1GetRowColor(0), RGBColour(0xB6, 0xB2, 0xAA));
    Sheet.SetScreenColours({RGBColour(20, 0xD0, 0xC8), RGBColour(0x80, 0x80, 0x80), TColourClass::TrueColour});
    EXPECT_EQ(Sheet.BaseColour(), RGBColour(0, 0xB2, 0xAA)) << "darkened, floored at 0";
    for (TColourClass colours : {TColourClass::Palette256, TColourClass::Colours16}) {
        Sheet.SetScreenColours({RGBColour(0xD4, 0xD0, 0xC8), RGBColour(0x80, 0x80, 0x80), colours});
        EXPECT_EQ(Sheet.GridB1GetRowColor(0), RGBColour(0x80, 0x80, 0x80));
    }
}

TEST_F(WorksheetTest, SwitchingViewsNeverRecalculates) {
    Trading();
    Open();
    L.GroupList.FindByNumber(1)->CreditTotal = Cash(1); // a figure only a recalculation would mend
    Sheet.SwitchView(ViewGroups);
    EXPECT_EQ(Window.Calls, (Slots{"columns 3", "panels", "refresh 2"}));
    EXPECT_EQ(Cell(1, 2), "$1.00");
    EXPECT_EQ(Sheet.ActiveTab(), ViewGroups);
}

TEST_F(WorksheetTest, ResettingViewPositionsAndViewsForANewDocument) {
    for (int view = 0; view < ViewCount; ++view) {
        Sheet.GridInfo[view].ScrollBarPos = 7;
        Sheet.GridInfo[view].SortIndex = 3;
        Sheet.GridInfo[view].SortDirection = sdDescending;
        for (TColProperty& column : Sheet.GridInfo[view].ColInfo.Items)
            column.Width = 33;
    }
    Sheet.SwitchView(ViewGroups);
    Window.Calls.clear();

    Sheet.ResetViewPositions(false);
    EXPECT_EQ(Window.Calls, (Slots{"columns 3", "top"}));
    for (int view = 0; view < ViewCount; ++view) {
        EXPECT_EQ(Sheet.GridInfo[view].ScrollBarPos, 0);
        EXPECT_EQ(Sheet.GridInfo[view].SortIndex, 3) << "without sort reset the keys stay";
    }
    Sheet.ResetViewPositions(true);
    const std::int32_t resetKeys[ViewCount] = {1, 0, 1, 0, 0};
    for (int view = 0; view < ViewCount; ++view) {
        EXPECT_EQ(Sheet.GridInfo[view].SortIndex, resetKeys[view]);
        EXPECT_EQ(Sheet.GridInfo[view].SortDirection, sdAscending);
    }

    for (int view = 0; view < ViewCount; ++view)
        Sheet.GridInfo[view].SortDirection = sdDescending;
    Window.Calls.clear();
    Sheet.ResetViewsForNewDocument();
    EXPECT_EQ(Window.Calls, (Slots{"columns 4", "columns 3", "columns 2", "columns 1", "columns 0", "columns 0",
                                   "panels", "refresh 0"}));
    EXPECT_EQ(Sheet.ActiveTab(), ViewTransactions);
    const TGridInfo defaults = DefaultColumnSet(ViewTransactions);
    for (int view = 0; view < ViewCount; ++view) {
        EXPECT_EQ(Sheet.GridInfo[view].SortIndex, DefaultSortKeys[view]);
        EXPECT_EQ(Sheet.GridInfo[view].SortDirection, sdDescending) << "the directions stay";
    }
    for (std::int32_t i = 0; i < defaults.ColInfo.Count(); ++i) {
        const TColProperty& column = Sheet.GridInfo[ViewTransactions].ColInfo[i];
        EXPECT_EQ(column.Width, column.Visible ? defaults.ColInfo[i].Width : 33) << column.Title;
    }
}

TEST_F(WorksheetTest, ColumnButtonsSortByTheirKey) {
    Credit(Day(2024, 1, 1), 30)->Reference = "b";
    Debit(Day(2024, 1, 2), 10)->Reference = "c";
    Credit(Day(2024, 1, 3), 20)->Reference = "a";
    Open();
    TGridInfo& info = Sheet.GridInfo[ViewTransactions];
    // Visible positions: the hidden "Sub Cat. Number" takes none.
    const int reference = 2, credit = 8, debit = 9, balance = 10, memo = 11, date = 1;

    Sheet.ColumnButtonClick(credit);
    EXPECT_EQ(info.SortIndex, 9);
    EXPECT_EQ(Column(0), (Slots{"2", "3", "1"}));
    EXPECT_EQ(Window.Calls.back(), "refresh 3");
    Window.Calls.clear();
    Sheet.ColumnButtonClick(debit); // the same key as "Credit": only the direction flips
    EXPECT_EQ(info.SortIndex, 9);
    EXPECT_EQ(info.SortDirection, sdDescending);
    EXPECT_EQ(Window.Calls, (Slots{"repaint"}));
    EXPECT_EQ(Column(0), (Slots{"1", "3", "2"}));

    Window.Calls.clear();
    for (int position : {balance, memo}) {
        Sheet.ColumnButtonClick(position);
        EXPECT_EQ(info.SortIndex, 9);
        EXPECT_EQ(info.SortDirection, sdDescending);
    }
    EXPECT_TRUE(Window.Calls.empty());

    Sheet.ColumnButtonClick(reference);
    EXPECT_EQ(info.SortIndex, 2);
    EXPECT_EQ(info.SortDirection, sdAscending);
    EXPECT_EQ(Column(2), (Slots{"a", "b", "c"}));
    Sheet.ColumnButtonClick(date);
    EXPECT_EQ(Column(0), (Slots{"1", "2", "3"}));
    EXPECT_EQ(Column(11), (Slots{"$30.00", "$20.00", "$40.00"})) << "balances again in date order";
}

// Generated books: every view's rows agree with its totals row, whatever the texts are.
TEST_F(WorksheetTest, GeneratedBooksAgreeWithTheirTotals) {
    TGeneratorOptions options;
    options.Seed = 7;
    options.Transactions = 3000;
    GenerateLedger(L, options);
    Sheet.SetOptions({.BalanceEndDay = false, .IncludeDisabledInCalc = true});
    Recalculate(L);
    const auto money = [](const std::string& text) { return ParseMoneyText(text, '.').value_or(Cash(-999999)); };
    const auto sum = [&](const Slots& cells) {
        Money total;
        for (const std::string& cell : cells)
            total += cell.empty() ? Money() : money(cell);
        return total;
    };

    Sheet.SwitchView(ViewTransactions);
    ASSERT_EQ(Sheet.RowCount(), 3000);
    EXPECT_EQ(sum(Column(9)), money(Total(ViewTransactions, 9)));
    EXPECT_EQ(sum(Column(10)), money(Total(ViewTransactions, 10)));
    EXPECT_EQ(Column(11).back(), Total(ViewTransactions, 11));
    for (std::int32_t line = 0; line < Sheet.RowCount(); ++line) {
        const Slots slots = Line(line);
        EXPECT_NE(slots[9].empty(), slots[10].empty()) << "line " << line << ": credit or debit, never both";
        EXPECT_EQ(slots[0], TransNumberText(Sheet.TransactionAt(line)->Number, Sheet.TransactionAt(line)->Split));
    }
    EXPECT_EQ(Cell(3000, 0), "-1");

    const struct {
        int View;
        int Credit, Debit;
    } views[] = {{ViewCategories, 2, 3}, {ViewSubCategories, 3, 4}, {ViewGroups, 2, 3}, {ViewSummary, 1, 2}};
    for (const auto& v : views) {
        Sheet.SwitchView(v.View);
        ASSERT_GT(Sheet.RowCount(), 0);
        EXPECT_EQ(sum(Column(v.Credit)), money(Total(v.View, v.Credit))) << "view " << v.View;
        EXPECT_EQ(sum(Column(v.Debit)), money(Total(v.View, v.Debit))) << "view " << v.View;
        EXPECT_EQ(Cell(Sheet.RowCount(), 0), "-1");
    }
    EXPECT_EQ(money(Total(ViewGroups, 4)), money(Total(ViewGroups, 2)) - money(Total(ViewGroups, 3)));
}

} // namespace
} // namespace qz::testing

namespace qz::testing {
namespace {

// Rows are looked up as the last filter walk noted them; a record deleted since must never be
// answered, and the rows are right again once the worksheet is recalculated.
TEST_F(WorksheetTest, RowsStayFindableWhileTheListChanges) {
    for (int day = 1; day <= 6; ++day)
        Credit(Day(2024, 1, day), day);
    Open();
    Filters.DateRangeBtnClick(true);
    Filters.PickRangeDate(1, Day(2024, 1, 4));
    ASSERT_EQ(Column(0), (Slots{"4", "5", "6"}));

    L.TransList.Delete(L.TransList.IndexOf(Sheet.TransactionAt(1))); // number 5
    for (std::int32_t line = 0; line < 3; ++line)
        EXPECT_NE(Cell(line, 0), "5") << line;
    Recalculate(L);
    EXPECT_EQ(Column(0), (Slots{"4", "6"}));
    Sheet.GridInfo[ViewTransactions].SortIndex = 9;
    Sheet.SortActiveView();
    Sheet.GridInfo[ViewTransactions].SortDirection = sdDescending;
    EXPECT_EQ(Column(0), (Slots{"6", "4"}));
}

} // namespace
} // namespace qz::testing
