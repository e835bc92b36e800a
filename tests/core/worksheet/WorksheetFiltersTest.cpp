// The filters and the user actions that change them: date range by day and by month, the
// day switch, the account bar, the toggle switches, the three selections and "R&eset".

#include "WorksheetFixture.h"

#include "engine/Generator.h"

namespace qz::testing {
namespace {

using Calls = std::vector<std::string>;

class WorksheetFiltersTest : public WorksheetFixture {
protected:
    // An opening balance of 1000 on 1 January, 200 in on 15 January (Shop), 50 rent on
    // 10 February and 10 in on 5 March (Shop).
    void Quarter() {
        Opening(Day(2024, 1, 1), 1000);
        Credit(Day(2024, 1, 15), 200, Sales, 1);
        Debit(Day(2024, 2, 10), 50);
        Credit(Day(2024, 3, 5), 10, Sales, 1);
        Open();
    }
    // What every filter action ends with after resetting the view positions.
    static Calls Tail(std::int32_t rows) { return {"columns 0", "top", "tools", "refresh " + std::to_string(rows)}; }
};

TEST_F(WorksheetFiltersTest, PickingDatesRestrictsTheRowsAndBringsTheBalanceForward) {
    Quarter();
    Sheet.SetOptions({.BalanceEndDay = false});
    Sheet.GridInfo[ViewTransactions].ScrollBarPos = 3;

    Filters.DateRangeBtnClick(true);
    EXPECT_TRUE(Filters.DaySwitchDown());
    EXPECT_FALSE(Filters.DateRangeActive()) << "the switch alone filters nothing";
    EXPECT_EQ(Window.Calls, (Calls{"filters"}));
    EXPECT_EQ(Sheet.RowCount(), 4);

    // The first pick already hides the opening balance dated inside the range.
    Window.Calls.clear();
    Filters.PickRangeDate(2, Day(2024, 2, 28) + 0.75);
    EXPECT_EQ(L.TransList.DateTo, Day(2024, 2, 28)) << "the time of day is dropped";
    EXPECT_TRUE(Filters.DateRangeActive());
    EXPECT_EQ(Column(4), (Calls{"Sales", "Rent"}));
    EXPECT_EQ(Window.Calls, (Calls{"filters", "columns 0", "top", "tools", "refresh 2"}));
    EXPECT_EQ(Sheet.GridInfo[ViewTransactions].ScrollBarPos, 0);
    EXPECT_TRUE(Filters.ResetSelEnabled());
    EXPECT_EQ(Filters.DatePanelColour(), clBlue);
    EXPECT_EQ(Filters.DateLabelColour(), clWhite);

    Filters.PickRangeDate(1, Day(2024, 2, 1));
    Filters.PickRangeDate(2, Day(2024, 3, 31));
    EXPECT_EQ(Column(4), (Calls{"Rent", "Sales"}));
    EXPECT_EQ(Column(11), (Calls{"$1,150.00", "$1,160.00"})) << "January is brought forward";
    EXPECT_EQ(Total(ViewTransactions, 9), "$10.00");
    EXPECT_EQ(Total(ViewTransactions, 11), "$1,160.00");

    Window.Calls.clear();
    Filters.PickRangeDate(1, Day(2024, 2, 1) + 0.2); // the same day again
    EXPECT_TRUE(Window.Calls.empty());
}

TEST_F(WorksheetFiltersTest, ARangeOfMonths) {
    Quarter();
    Dialogs.Ok = false;
    Filters.DatePeriodBtnClick();
    EXPECT_EQ(Dialogs.Calls, (Calls{"months"}));
    EXPECT_TRUE(Window.Calls.empty());
    EXPECT_FALSE(Filters.DaySwitchDown());

    struct Case {
        TMonth First, Last;
        TDateTime From, To;
        std::int32_t Rows;
    };
    const Case cases[] = {
        {{2024, 2}, {2024, 2}, Day(2024, 2, 1), Day(2024, 2, 29), 1},
        {{2023, 12}, {2024, 1}, Day(2023, 12, 1), Day(2024, 1, 31), 1},
        {{2023, 12}, {2023, 12}, Day(2023, 12, 1), Day(2023, 12, 31), 0},
        {{2024, 1}, {2024, 3}, Day(2024, 1, 1), Day(2024, 3, 31), 3},
    };
    Dialogs.Ok = true;
    for (const Case& c : cases) {
        Dialogs.First = c.First;
        Dialogs.Last = c.Last;
        Window.Calls.clear();
        Filters.DatePeriodBtnClick();
        EXPECT_EQ(Filters.DateFrom(), c.From);
        EXPECT_EQ(Filters.DateTo(), c.To);
        EXPECT_TRUE(Filters.DaySwitchDown());
        EXPECT_TRUE(Filters.DateRangeActive());
        Calls expected = Tail(c.Rows);
        expected.insert(expected.begin(), "filters");
        EXPECT_EQ(Window.Calls, expected) << c.First.Year << "-" << c.First.Month;
    }
}

TEST_F(WorksheetFiltersTest, SwitchingTheDaySwitchUpEndsTheRange) {
    Quarter();
    Filters.DateRangeBtnClick(true);
    Filters.PickRangeDate(1, Day(2024, 3, 1));
    ASSERT_EQ(Sheet.RowCount(), 1);
    Window.Calls.clear();

    Filters.DateRangeBtnClick(false);
    EXPECT_FALSE(Filters.DaySwitchDown());
    EXPECT_FALSE(Filters.DateRangeActive());
    EXPECT_EQ(Filters.DateFrom(), Day(2024, 1, 1));
    EXPECT_EQ(Filters.DateTo(), Day(2024, 3, 5));
    EXPECT_EQ(Sheet.RowCount(), 4);
    Calls expected = Tail(4);
    expected.insert(expected.begin(), "filters");
    EXPECT_EQ(Window.Calls, expected);
    EXPECT_FALSE(Filters.ResetSelEnabled());
    EXPECT_EQ(Filters.DatePanelColour(), Sheet.ScreenColours().ButtonFace);
}

TEST_F(WorksheetFiltersTest, TheAccountBar) {
    Credit(Day(2024, 1, 1), 10, Sales, 0, 0);
    Credit(Day(2024, 1, 2), 20, Sales, 0, 1);
    Debit(Day(2024, 1, 3), 5, Rent, 0, 0);
    L.BookList.FindByNumber(1)->Colour = RGBColour(0, 170, 80);
    Open();

    Filters.AccountButtonClick(1, false);
    EXPECT_EQ(Column(9), (Calls{"$20.00"}));
    Calls expected = Tail(1);
    expected.push_back("bar");
    EXPECT_EQ(Window.Calls, expected);
    const std::vector<TAccountButton> buttons = Filters.AccountButtons();
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[1].Name, "Savings");
    EXPECT_EQ(buttons[1].Colour, RGBColour(0, 170, 80));
    EXPECT_FALSE(buttons[0].Pressed);
    EXPECT_TRUE(buttons[1].Pressed);
    EXPECT_TRUE(Filters.AllAccountsEnabled());

    Filters.AccountButtonClick(0, true); // Ctrl adds
    EXPECT_EQ(Sheet.RowCount(), 3);
    EXPECT_FALSE(Filters.AllAccountsEnabled());
    Filters.AccountButtonClick(1, true); // and takes a selected one out
    EXPECT_EQ(Sheet.RowCount(), 2);
    EXPECT_FALSE(Filters.AccountButtons()[1].Pressed);
    Filters.AccountButtonClick(0, true); // but never the last
    EXPECT_EQ(Sheet.RowCount(), 2);
    EXPECT_TRUE(Filters.AccountButtons()[0].Pressed);
    Filters.AccountButtonClick(1, true);
    Filters.AccountButtonClick(0, false);
    EXPECT_EQ(Sheet.RowCount(), 2);
    Filters.AllAccountsClick();
    EXPECT_EQ(Sheet.RowCount(), 3);
    Filters.AccountBarClick({false, true});
    EXPECT_EQ(Sheet.RowCount(), 1);

    for (TBookRec* book : L.BookList.KeyList)
        book->Selected = 0;
    Window.Calls.clear();
    Filters.FillAccountBar(); // with none selected, every account is
    EXPECT_TRUE(L.BookList.AllSelected());
    EXPECT_EQ(Window.Calls, (Calls{"bar"}));
}

TEST_F(WorksheetFiltersTest, TheAccountsEditor) {
    Quarter();
    TTransRec* opening = L.TransList.RowItem(0);
    Dialogs.Ok = false;
    Filters.AccountsBtnClick();
    EXPECT_TRUE(Window.Calls.empty());

    // The editor moves the opening balance back a year and leaves no account selected.
    Dialogs.Ok = true;
    Dialogs.Hook = [&] {
        opening->Date = Day(2023, 1, 1);
        L.TransList.SortByKey();
        for (TBookRec* book : L.BookList.KeyList)
            book->Selected = 0;
    };
    Filters.AccountsBtnClick();
    EXPECT_EQ(Dialogs.OpenedOn, nullptr);
    EXPECT_TRUE(L.BookList.AllSelected());
    EXPECT_EQ(Filters.DateFrom(), Day(2023, 1, 1)) << "no range: it spans every transaction again";
    EXPECT_EQ(Sheet.RowCount(), 4);
    EXPECT_EQ(Cell(0, 1), "01/01/2023");
    EXPECT_EQ(Window.Calls, (Calls{"tools", "bar", "refresh 4"}));
}

TEST_F(WorksheetFiltersTest, ToggleSwitchesStoreTheirOptionAndRecalculate) {
    Credit(Day(2024, 1, 1), 110)->Gst = Cash(10);
    Debit(Day(2024, 1, 2), 30)->Reconciled = 0;
    Open();

    Filters.ToggleSwitchDown(0); // "Include unreconciled"
    EXPECT_TRUE(Sheet.Options().IncludeDisabledInCalc);
    EXPECT_TRUE(L.Switches.IncludeUnreconciled);
    EXPECT_EQ(Window.Stored,
              (std::vector<std::pair<TWorksheetOption, bool>>{{TWorksheetOption::IncludeDisabledInCalc, true}}));
    EXPECT_EQ(Total(ViewTransactions, 10), "$30.00");
    EXPECT_EQ(Window.Calls, (Calls{"store", "refresh 2"}));
    Filters.ToggleSwitchDown(0); // already down
    EXPECT_EQ(Window.Stored.size(), 1u);
    Filters.ToggleSwitchDown(1);
    EXPECT_FALSE(L.Switches.IncludeUnreconciled);
    EXPECT_EQ(Total(ViewTransactions, 10), "$0.00");

    Sheet.SwitchView(ViewCategories);
    Window.Stored.clear();
    Filters.ToggleSwitchDown(0); // "Excluding GST"
    EXPECT_FALSE(L.Switches.GstInTotals);
    EXPECT_EQ(Window.Stored, (std::vector<std::pair<TWorksheetOption, bool>>{{TWorksheetOption::GSTinTotals, false}}));
    EXPECT_EQ(Total(ViewCategories, 2), "$100.00");
    Filters.ToggleSwitchDown(1);
    EXPECT_EQ(Total(ViewCategories, 2), "$110.00");
    EXPECT_EQ(Sheet.ToggleSwitches().Down, 1);
}

TEST_F(WorksheetFiltersTest, CategoryAndGroupSelections) {
    Quarter();
    for (TSelectionKind kind : {TSelectionKind::Categories, TSelectionKind::Groups}) {
        const bool categories = kind == TSelectionKind::Categories;
        SCOPED_TRACE(categories ? "categories" : "groups");
        Dialogs.Ok = false;
        Window.Calls.clear();
        Filters.NewSelection(kind);
        EXPECT_TRUE(Window.Calls.empty()) << "a cancel changes nothing";

        // The dialog keeps the income (Sales, or the Shop group) and turns its switch on.
        Dialogs.Ok = true;
        Dialogs.Hook = [&] {
            for (TSubActRec* s : L.SubActList.KeyList)
                s->Selected = !categories || s->MainAct == Sales;
            for (TGroupRec* g : L.GroupList.KeyList)
                g->Selected = categories || g->Number == 1;
            (categories ? L.Switches.CategorySelectionActive : L.Switches.GroupSelectionActive) = true;
        };
        Filters.NewSelection(kind);
        EXPECT_EQ(Dialogs.Calls.back(), categories ? "categories new" : "groups new");
        EXPECT_EQ(Column(4), (Calls{"Sales", "Sales"})) << "the opening balance goes too";
        EXPECT_EQ(Window.Calls, (Calls{"columns 0", "top", "filters", "tools", "refresh 2"}));
        const TSelectionButton button = Filters.SelectionButton(kind);
        EXPECT_TRUE(button.Active);
        EXPECT_EQ(button.Colour, clBlue);
        EXPECT_EQ(button.FontColour, clWhite);
        ASSERT_EQ(button.DropDown.size(), 4u);
        EXPECT_EQ(button.DropDown[1].Caption, "Edit Selection");
        EXPECT_TRUE(Filters.ResetSelEnabled());

        Filters.SelectionMenuClick(kind, TMenuCommand::EditSelection);
        EXPECT_EQ(Dialogs.Calls.back(), categories ? "categories edit" : "groups edit");

        Filters.SelectionMenuClick(kind, TMenuCommand::ClearSelection);
        EXPECT_EQ(Sheet.RowCount(), 4);
        EXPECT_FALSE(L.Switches.CategorySelectionActive || L.Switches.GroupSelectionActive);
        for (const TSubActRec* s : L.SubActList.KeyList)
            EXPECT_TRUE(s->Selected && (!categories || s->Picked));
        for (const TGroupRec* g : L.GroupList.KeyList)
            EXPECT_TRUE(g->Selected);
        EXPECT_FALSE(Filters.SelectionButton(kind).Active);
        EXPECT_TRUE(Filters.SelectionButton(kind).DropDown.empty());
        EXPECT_EQ(Filters.SelectionButton(kind).Colour, Sheet.ScreenColours().ButtonFace);
        EXPECT_FALSE(Filters.ResetSelEnabled());
    }
}

TEST_F(WorksheetFiltersTest, TransactionSelection) {
    Quarter();
    L.TransList.RowItem(2)->Reconciled = 0;
    Dialogs.Hook = [&] { // the search keeps the debits and lets unreconciled ones count
        for (TTransRec* t : L.TransList.KeyList)
            t->InSearch = t->Kind == TransDebit;
        L.TransList.SearchIncludesUnreconciled = 1;
    };
    Filters.NewSelection(TSelectionKind::Transactions);
    EXPECT_EQ(Dialogs.Calls, (Calls{"search new"}));
    EXPECT_TRUE(L.Switches.SearchActive);
    EXPECT_EQ(Column(4), (Calls{"Rent"}));
    EXPECT_EQ(Total(ViewTransactions, 10), "$50.00");
    EXPECT_EQ(Window.Calls, (Calls{"filters", "columns 0", "top", "progress 80", "progress 95", "tools", "refresh 1",
                                   "progress 100"}));
    const TSelectionButton button = Filters.SelectionButton(TSelectionKind::Transactions);
    EXPECT_EQ(button.Caption, "Transaction &Selection");
    ASSERT_EQ(button.DropDown.size(), 4u);
    EXPECT_EQ(button.DropDown[0].Caption, "New Search");
    EXPECT_EQ(button.DropDown[3].Caption, "Clear Search");
    EXPECT_TRUE(button.DropDown[1].Enabled && button.DropDown[3].Enabled);

    Window.Calls.clear();
    Filters.EditSelection(TSelectionKind::Transactions);
    EXPECT_EQ(Dialogs.Calls.back(), "search edit");
    EXPECT_EQ(Window.Calls, (Calls{"filters", "progress 80", "progress 95", "tools", "refresh 1", "progress 100"}));

    Filters.ClearSelection(TSelectionKind::Transactions);
    EXPECT_FALSE(L.Switches.SearchActive);
    EXPECT_EQ(L.TransList.SearchIncludesUnreconciled, 0);
    EXPECT_EQ(Sheet.RowCount(), 4);
    EXPECT_EQ(Total(ViewTransactions, 10), "$0.00") << "the unreconciled debit no longer counts";
}

TEST_F(WorksheetFiltersTest, ResetClearsEveryFilterButTheReportsWindowKeepsTheRange) {
    Quarter();
    const auto filterEverything = [&] {
        Filters.DateRangeBtnClick(true);
        Filters.PickRangeDate(1, Day(2024, 2, 1));
        for (TSubActRec* s : L.SubActList.KeyList)
            s->Selected = s->MainAct == Rent;
        L.SubActList.KeyList[0]->Picked = 0;
        L.Switches.CategorySelectionActive = true;
        L.TransList.RowItem(0)->InSearch = 0;
        L.Switches.SearchActive = true;
        L.TransList.SearchIncludesUnreconciled = 1;
        Recalculate(L);
        Window.Calls.clear();
    };

    filterEverything();
    Filters.ResetSelections();
    EXPECT_FALSE(Filters.FilterActive());
    EXPECT_FALSE(Filters.DaySwitchDown());
    EXPECT_EQ(Filters.DateFrom(), Day(2024, 1, 1));
    EXPECT_EQ(L.TransList.SearchIncludesUnreconciled, 0);
    EXPECT_EQ(Sheet.RowCount(), 4);
    for (const TSubActRec* s : L.SubActList.KeyList)
        EXPECT_TRUE(s->Selected && s->Picked);
    EXPECT_EQ(Window.Calls, (Calls{"columns 0", "top", "tools", "filters", "refresh 4"}));

    filterEverything();
    Filters.ResetSelections(true);
    EXPECT_TRUE(Filters.DateRangeActive());
    EXPECT_TRUE(Filters.DaySwitchDown());
    EXPECT_EQ(Filters.DateFrom(), Day(2024, 2, 1));
    EXPECT_FALSE(L.Switches.CategorySelectionActive || L.Switches.SearchActive);
    EXPECT_EQ(Column(4), (Calls{"Rent", "Sales"}));
    EXPECT_TRUE(Filters.ResetSelEnabled()) << "the range is still a filter";

    Filters.ClearFilters();
    EXPECT_FALSE(Filters.FilterActive() || Filters.DaySwitchDown());
}

TEST_F(WorksheetFiltersTest, SelectionButtonsNeedTransactions) {
    Open();
    for (TSelectionKind kind : {TSelectionKind::Categories, TSelectionKind::Groups, TSelectionKind::Transactions})
        EXPECT_FALSE(Filters.SelectionButton(kind).Enabled);
    EXPECT_EQ(Filters.SelectionButton(TSelectionKind::Categories).Hint, "Create an Account Selection");
    EXPECT_EQ(Filters.SelectionButton(TSelectionKind::Groups).Caption, "Gro&up   Selection");
    Credit(Day(2024, 1, 1), 1);
    Open();
    EXPECT_TRUE(Filters.SelectionButton(TSelectionKind::Groups).Enabled);
}

} // namespace
} // namespace qz::testing

namespace qz::testing {
namespace {

// Generated books with unreconciled transactions and a group selection: a date pick gives
// exactly what the engine's steps give when run one after another.
TEST(WorksheetRangePassTest, ADatePickGivesWhatTheStepsGiveOneByOne) {
    TGeneratorOptions options;
    options.Seed = 11;
    options.Transactions = 4000;
    options.UnreconciledShare = 0.2;
    TLedger picked;
    TLedger stepped;
    for (TLedger* ledger : {&picked, &stepped}) {
        GenerateLedger(*ledger, options);
        ledger->GroupList.KeyList[1]->Selected = 0;
        ledger->Switches.GroupSelectionActive = true;
        Recalculate(*ledger);
    }
    const TDateTime from = DayOf(picked.TransList.DateFrom + 400);

    TDisplayFormats formats;
    RecordingWindow window;
    ScriptedDialogs dialogs;
    TWorksheet sheet(picked, formats, window);
    window.Sheet = &sheet;
    TWorksheetFilters filters(sheet, dialogs);
    filters.DateRangeBtnClick(true);
    filters.PickRangeDate(1, from);

    stepped.TransList.SetRangeDate(1, from);
    stepped.Switches.DateRangeActive = true;
    stepped.TransList.FilterAndTotal();
    CategoryTotals(stepped);
    GroupTotals(stepped);
    stepped.MainActList.Recount();
    stepped.SubActList.Recount();
    stepped.GroupList.Recount();
    TypeTotals(stepped);
    stepped.CatList.Recount();
    stepped.TransList.RunningBalances();

    ASSERT_EQ(picked.TransList.Count(), stepped.TransList.Count());
    for (std::int32_t i = 0; i < picked.TransList.Count(); ++i) {
        const TTransRec& a = *picked.TransList.Items(i);
        const TTransRec& b = *stepped.TransList.Items(i);
        ASSERT_EQ(a.Row, b.Row) << i;
        ASSERT_EQ(a.Balance, b.Balance) << i;
        ASSERT_EQ(a.NetBalance, b.NetBalance) << i;
        ASSERT_EQ(a.DayEnd, b.DayEnd) << i;
    }
    EXPECT_GT(picked.TransList.VisibleCount, 0);
    EXPECT_LT(picked.TransList.VisibleCount, 4000);
    EXPECT_EQ(picked.TransList.UnreconciledCount, stepped.TransList.UnreconciledCount);
    EXPECT_EQ(picked.TransList.CreditTotal, stepped.TransList.CreditTotal);
    EXPECT_EQ(picked.TransList.DebitTotal, stepped.TransList.DebitTotal);
    for (std::int32_t i = 0; i < picked.MainActList.Count(); ++i) {
        EXPECT_EQ(picked.MainActList.Items(i)->Total, stepped.MainActList.Items(i)->Total);
        EXPECT_EQ(picked.MainActList.Items(i)->Row, stepped.MainActList.Items(i)->Row);
    }
    for (std::int32_t i = 0; i < picked.SubActList.Count(); ++i)
        EXPECT_EQ(picked.SubActList.Items(i)->Total, stepped.SubActList.Items(i)->Total);
    for (std::int32_t i = 0; i < picked.GroupList.Count(); ++i) {
        EXPECT_EQ(picked.GroupList.Items(i)->CreditTotal, stepped.GroupList.Items(i)->CreditTotal);
        EXPECT_EQ(picked.GroupList.Items(i)->DebitTotal, stepped.GroupList.Items(i)->DebitTotal);
    }
    for (std::int32_t i = 0; i < picked.CatList.Count(); ++i)
        EXPECT_EQ(picked.CatList.Items(i)->Total, stepped.CatList.Items(i)->Total);

    // Without its balances the pass leaves the balance figures alone.
    picked.TransList.UnreconciledCount = -5;
    RangePass(picked, false);
    EXPECT_EQ(picked.TransList.UnreconciledCount, -5);
}

} // namespace
} // namespace qz::testing
