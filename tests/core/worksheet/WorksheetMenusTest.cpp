// Row buttons and context menus: the editor and record each row opens, what follows an OK,
// the menus' captions and states, the reconcile item and the zero-total item.

#include "WorksheetFixture.h"

#include "support/LedgerFixture.h"

namespace qz::testing {
namespace {

using Calls = std::vector<std::string>;

class WorksheetMenusTest : public WorksheetFixture {
protected:
    // Line 0 an opening balance, 1 and 2 the parts of split 17 (a debit), 3 a credit,
    // 4 and 5 a transfer, 6 an unreconciled credit.
    void Rows() {
        Opening(Day(2024, 1, 1), 1000);
        for (char split : {'A', 'B'}) {
            TTransRec* part = Add(TransDebit, Day(2024, 1, 2), 30, Rent, split == 'A' ? 1 : 2, 0);
            part->Number = 17;
            part->Split = split;
        }
        Credit(Day(2024, 1, 3), 100);
        Transfer(Day(2024, 1, 4), 40, 0, 1);
        Credit(Day(2024, 1, 5), 5)->Reconciled = 0;
        Open();
    }

    std::vector<std::string> Captions(bool visibleOnly = true) const {
        std::vector<std::string> captions;
        for (const TMenuItem& item : Menus.Popup().Items)
            if (item.Visible || !visibleOnly)
                captions.push_back(item.Caption);
        return captions;
    }
    const TMenuItem& Item(TMenuCommand command) const { return *Menus.Popup().Find(command); }
};

TEST_F(WorksheetMenusTest, TransactionsMenuByRowKind) {
    Rows();
    struct Case {
        std::int32_t Line;
        const char* Edit;
        const char* Second; // nullptr: hidden
        bool Enabled;
    };
    const Case cases[] = {
        {0, "&Edit Account", nullptr, true},
        {1, "&Edit Transaction", "&Mark Transaction as Unreconciled", true},
        {4, "&Edit Transfer", nullptr, true},
        {5, "&Edit Transfer", nullptr, true},
        {6, "&Edit Transaction", "&Reconcile Transaction", true},
        {-1, "&Edit Transaction", "&Disable Transaction", false},
        {7, "&Edit Transaction", "&Disable Transaction", false},
    };
    for (const Case& c : cases) {
        const TPopupMenu& menu = Menus.GridB1ShowPopup(c.Line);
        EXPECT_EQ(menu.Name, "TransPopup");
        EXPECT_EQ(menu.Tag, c.Enabled ? c.Line : -1);
        const TMenuItem& edit = Item(TMenuCommand::EditRecord);
        const TMenuItem& second = Item(TMenuCommand::Reconcile);
        EXPECT_EQ(edit.Caption, c.Edit) << c.Line;
        EXPECT_EQ(edit.Enabled, c.Enabled) << c.Line;
        EXPECT_EQ(second.Visible, c.Second != nullptr) << c.Line;
        if (c.Second) {
            EXPECT_EQ(second.Caption, c.Second) << c.Line;
            EXPECT_EQ(second.Enabled, c.Enabled) << c.Line;
        }
    }
    Menus.GridB1ShowPopup(3);
    EXPECT_EQ(Captions(), (Calls{"&Edit Transaction", "&Mark Transaction as Unreconciled", "-", "&New Transaction", "-",
                                 "&Find Transactions", "-", "&Clear All Selections"}));
    EXPECT_FALSE(Item(TMenuCommand::ClearAllSelections).Enabled);
    L.Switches.GroupSelectionActive = true;
    EXPECT_TRUE(Menus.GridB1ShowPopup(3).Find(TMenuCommand::ClearAllSelections)->Enabled);
}

TEST_F(WorksheetMenusTest, ClassificationMenusAndTheirZeroTotalItems) {
    Credit(Day(2024, 1, 1), 10);
    Open();
    struct Case {
        int View;
        const char* Name;
        Calls OnRow, OffRow;
        const char* Hide;
        const char* Show;
    };
    const Case cases[] = {
        {ViewCategories,
         "AccountsPopup",
         {"&New/Edit Category", "&Find a Category", "-"},
         {"&New/Edit Categories", "&Find a Category", "-"},
         "&Hide Categories that total $0.00",
         "&Show Categories that total $0.00"},
        {ViewSubCategories,
         "AccountsPopup",
         {"&New/Edit Category", "&Find a Category", "-"},
         {"&New/Edit Categories", "&Find a Category", "-"},
         "&Hide Sub Categories that total $0.00",
         "&Show Sub Categories that total $0.00"},
        {ViewGroups,
         "GroupCatPopup",
         {"&New/Edit Group", "-"},
         {"&New/Edit Groups", "-"},
         "&Hide Groups that total $0.00",
         "&Show Groups that total &0.00"},
        {ViewSummary,
         "GroupCatPopup",
         {"&New/Edit Category Type", "-"},
         {"&New/Edit Category Types", "-"},
         "&Hide Category Types that total $0.00",
         "&Show Category Types that total &0.00"},
    };
    for (const Case& c : cases) {
        Sheet.SwitchView(c.View);
        SCOPED_TRACE(c.Name + std::to_string(c.View));
        Calls onRow = c.OnRow;
        onRow.insert(onRow.end(), {c.Show, "&Clear All Selections"});
        EXPECT_EQ(Menus.GridB1ShowPopup(0).Name, c.Name);
        EXPECT_EQ(Captions(), onRow);
        Calls offRow = c.OffRow;
        offRow.insert(offRow.end(), {c.Show, "&Clear All Selections"});
        Menus.GridB1ShowPopup(-1);
        EXPECT_EQ(Captions(), offRow);

        const std::int32_t shown = Sheet.RowCount();
        Window.Calls.clear();
        Menus.PopupItemClick(TMenuCommand::ZeroTotals);
        EXPECT_GT(Sheet.RowCount(), shown);
        EXPECT_EQ(Window.Calls, (Calls{"top", "refresh " + std::to_string(Sheet.RowCount())}));
        EXPECT_EQ(Menus.GridB1ShowPopup(0).Find(TMenuCommand::ZeroTotals)->Caption, c.Hide);
        Menus.PopupItemClick(TMenuCommand::ZeroTotals);
        EXPECT_EQ(Sheet.RowCount(), shown);
    }
}

TEST_F(WorksheetMenusTest, HidingZeroCategoriesCanEmptyTheView) {
    Open();
    L.MainActList.ShowZeroRows = 1;
    L.MainActList.Recount();
    Sheet.SwitchView(ViewCategories);
    ASSERT_EQ(Sheet.RowCount(), 4);
    Sheet.GridInfo[ViewCategories].ScrollBarPos = 2;
    EXPECT_EQ(Menus.GridB1ShowPopup(0).Find(TMenuCommand::ZeroTotals)->Caption, "&Hide Categories that total $0.00");
    Menus.PopupItemClick(TMenuCommand::ZeroTotals);
    EXPECT_EQ(Sheet.RowCount(), 0);
    EXPECT_EQ(Sheet.GridInfo[ViewCategories].ScrollBarPos, 0);
    EXPECT_EQ(Menus.GridB1ShowPopup(-1).Find(TMenuCommand::ZeroTotals)->Caption, "&Show Categories that total $0.00");
    Menus.PopupItemClick(TMenuCommand::ZeroTotals);
    EXPECT_EQ(Sheet.RowCount(), 4);
}

TEST_F(WorksheetMenusTest, ReconcilingASplitFlipsEveryPart) {
    Rows();
    test::ChangeLog written;
    written.Attach(L.TransList);
    ASSERT_EQ(Cell(2, 0), "17B");
    EXPECT_EQ(Total(ViewTransactions, 10), "$100.00");

    // A commit given up leaves every part as the document holds it.
    Menus.GridB1ShowPopup(2);
    Dialogs.Commits = false;
    Menus.PopupItemClick(TMenuCommand::Reconcile);
    for (std::int32_t line : {1, 2}) {
        EXPECT_TRUE(Sheet.TransactionAt(line)->Reconciled) << line;
    }
    EXPECT_EQ(Total(ViewTransactions, 10), "$100.00");
    Dialogs.Commits = true;
    Dialogs.Calls.clear();
    written.Calls.clear();

    Menus.PopupItemClick(TMenuCommand::Reconcile);
    EXPECT_EQ(Dialogs.Calls, (Calls{"access editing", "begin", "end"})) << "all parts in one commit";
    for (std::int32_t line : {1, 2}) {
        EXPECT_FALSE(Sheet.TransactionAt(line)->Reconciled) << line;
    }
    std::vector<std::pair<int, int>> expected;
    for (std::int32_t index = 0; index < L.TransList.Count(); ++index)
        if (L.TransList.Items(index)->Number == 17)
            expected.emplace_back(ActionChange, index);
    EXPECT_EQ(written.Calls, expected) << "each part written, in key order";
    EXPECT_EQ(Total(ViewTransactions, 10), "$40.00");
    EXPECT_EQ(Cell(3, 11), "$1,100.00") << "the running balance no longer takes the split";
    EXPECT_EQ(Window.Calls.back(), "refresh 7");
    EXPECT_EQ(Menus.GridB1ShowPopup(1).Find(TMenuCommand::Reconcile)->Caption, "&Reconcile Transaction");

    Menus.PopupItemClick(TMenuCommand::Reconcile);
    EXPECT_TRUE(Sheet.TransactionAt(1)->Reconciled && Sheet.TransactionAt(2)->Reconciled);
    EXPECT_EQ(Total(ViewTransactions, 10), "$100.00");

    // An unsplit transaction alone; a refused password changes nothing.
    written.Calls.clear();
    Dialogs.Access = false;
    Menus.GridB1ShowPopup(6);
    Menus.PopupItemClick(TMenuCommand::Reconcile);
    EXPECT_FALSE(Sheet.TransactionAt(6)->Reconciled);
    EXPECT_TRUE(written.Calls.empty());
    Dialogs.Access = true;
    L.Switches.SearchActive = true;
    Menus.PopupItemClick(TMenuCommand::Reconcile);
    EXPECT_TRUE(Sheet.TransactionAt(6)->Reconciled);
    EXPECT_EQ(written.Calls.size(), 1u);
    EXPECT_EQ(Dialogs.Calls.back(), "reapply") << "an active search applies itself again";
    EXPECT_EQ(Total(ViewTransactions, 9), "$1,145.00");
}

TEST_F(WorksheetMenusTest, RowButtonsOpenTheRowsRecord) {
    Rows();
    struct Case {
        std::int32_t Line;
        TRowEditor Editor;
        const char* Dialog;
    };
    const Case cases[] = {
        {0, TRowEditor::Accounts, "accounts"},
        {1, TRowEditor::Transaction, "transaction row 1"},
        {3, TRowEditor::Transaction, "transaction row 3"},
        {4, TRowEditor::Transfer, "transfer"},
        {5, TRowEditor::Transfer, "transfer"},
    };
    Dialogs.Ok = false; // cancelled: nothing follows
    for (const Case& c : cases) {
        const TRowTarget target = Menus.RowTarget(c.Line);
        EXPECT_EQ(target.Editor, c.Editor) << c.Line;
        EXPECT_EQ(target.Transaction, Sheet.TransactionAt(c.Line));
        Menus.GridB1RowBtnClick(c.Line);
        EXPECT_EQ(Dialogs.Calls.back(), c.Dialog);
        EXPECT_EQ(Dialogs.OpenedOn, c.Editor == TRowEditor::Accounts ? static_cast<const void*>(target.Account)
                                                                     : static_cast<const void*>(target.Transaction));
    }
    EXPECT_EQ(Menus.RowTarget(0).Account, L.BookList.FindByNumber(0));
    EXPECT_TRUE(Window.Calls.empty());
    Menus.GridB1RowBtnClick(7);
    EXPECT_EQ(Dialogs.Calls.size(), std::size(cases)) << "no row, no editor";

    // After OK: a transaction only refreshes; a transfer recalculates under the progress bar.
    Dialogs.Ok = true;
    Menus.GridB1RowBtnClick(3);
    EXPECT_EQ(Window.Calls, (Calls{"refresh 7"}));
    Window.Calls.clear();
    L.Switches.SearchActive = true;
    Menus.GridB1RowBtnClick(4);
    EXPECT_EQ(Dialogs.Calls.back(), "reapply");
    // (the search hides the opening balance)
    // The date pickers and tool buttons follow the span before the grid is refreshed.
    EXPECT_EQ(Window.Calls, (Calls{"progress 90", "progress 99", "filters", "tools", "refresh 6", "progress 100"}));
    // The edit item of the menu runs the same row action.
    Menus.GridB1ShowPopup(5);
    Menus.PopupItemClick(TMenuCommand::EditRecord);
    EXPECT_EQ(Dialogs.OpenedOn, Sheet.TransactionAt(5));
}

TEST_F(WorksheetMenusTest, ClassificationRowsOpenTheirEditors) {
    Credit(Day(2024, 1, 1), 10, Sales, 1);
    Add(TransCredit, Day(2024, 1, 2), 20, Sales, 2, 1);
    Open();
    TMainActRec* sales = L.MainActList.FindByNumber(Sales);

    Sheet.SwitchView(ViewSubCategories);
    Window.Calls.clear();
    Menus.GridB1RowBtnClick(1);
    EXPECT_EQ(Dialogs.Calls.back(), "category");
    EXPECT_EQ(Dialogs.OpenedOn, sales);
    EXPECT_EQ(Dialogs.OpenedWith, L.SubActList.FindPair(Sales, 2));
    EXPECT_EQ(Window.Calls, (Calls{"refresh 2"}));

    Sheet.SwitchView(ViewGroups);
    Menus.GridB1RowBtnClick(0);
    EXPECT_EQ(Dialogs.OpenedOn, L.GroupList.FindByNumber(1));
    Menus.GridB1ShowPopup(-1);
    Menus.PopupItemClick(TMenuCommand::EditRecord);
    EXPECT_EQ(Dialogs.Calls.back(), "groups");
    EXPECT_EQ(Dialogs.OpenedOn, nullptr) << "off a row: the editor for browsing";

    Sheet.SwitchView(ViewSummary);
    Menus.GridB1RowBtnClick(0);
    EXPECT_EQ(Dialogs.Calls.back(), "types");
    EXPECT_EQ(Dialogs.OpenedOn, L.CatList.Find(0));

    // "&Find a Category": a sub category found opens its category with it chosen.
    Sheet.SwitchView(ViewCategories);
    Dialogs.Found = {nullptr, L.SubActList.FindPair(Rent, 2)};
    Menus.GridB1ShowPopup(0);
    Menus.PopupItemClick(TMenuCommand::FindCategory);
    EXPECT_EQ(Dialogs.Calls[Dialogs.Calls.size() - 2], "find category");
    EXPECT_EQ(Dialogs.OpenedOn, L.MainActList.FindByNumber(Rent));
    EXPECT_EQ(Dialogs.OpenedWith, L.SubActList.FindPair(Rent, 2));

    // With no rows the row buttons of these views do nothing.
    L.GroupList.FindByNumber(1)->Selected = 0;
    L.GroupList.Recount();
    Sheet.SwitchView(ViewGroups);
    const std::size_t calls = Dialogs.Calls.size();
    Menus.GridB1RowBtnClick(0);
    EXPECT_EQ(Dialogs.Calls.size(), calls);
}

TEST_F(WorksheetMenusTest, OtherItemsOfTheTransactionsMenu) {
    Rows();
    Menus.GridB1ShowPopup(-1);
    Menus.PopupItemClick(TMenuCommand::NewTransaction);
    EXPECT_EQ(Dialogs.Calls.back(), "new transaction");
    Menus.PopupItemClick(TMenuCommand::Reconcile); // disabled off a row
    EXPECT_EQ(Dialogs.Calls.back(), "new transaction");
    Menus.PopupItemClick(TMenuCommand::FindTransactions);
    EXPECT_EQ(Dialogs.Calls.back(), "search new");
    EXPECT_TRUE(L.Switches.SearchActive);
    Menus.GridB1ShowPopup(-1);
    Menus.PopupItemClick(TMenuCommand::ClearAllSelections);
    EXPECT_FALSE(L.Switches.SearchActive);
}

} // namespace
} // namespace qz::testing
