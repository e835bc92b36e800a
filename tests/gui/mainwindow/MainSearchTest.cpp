// The main window's transaction search: "Transaction &Selection", its drop-down and the
// context menu's "&Find Transactions" open the search window, and the worksheet shows what it
// selected with the totals of those rows.

#include "MainFormFixture.h"

#include "editors/TransFindForm.h"
#include "forms/ModalDriver.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <map>

namespace qz::gui::test {
namespace {

using MainSearchTest = MainFormTest;

// The number of a split transaction (its parts share it), or of the first ordinary one.
std::int32_t SplitNumber(const TLedger& books) {
    std::map<std::int32_t, int> parts;
    for (const TTransRec* t : books.TransList.KeyList)
        if (t->IsOrdinary())
            ++parts[t->Number];
    for (const auto& [number, count] : parts)
        if (count > 1)
            return number;
    return parts.empty() ? -1 : parts.begin()->first;
}

void SearchNumber(std::int32_t number) {
    WhenModal<TTransFindForm>([number](TTransFindForm& form) {
        QTest::keyClick(form.findChild<QCheckBox*>(QStringLiteral("NumberBtn")), Qt::Key_Space);
        QTest::keyClicks(form.findChild<QLineEdit*>(QStringLiteral("NumberBox")), QString::number(number));
        form.findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
    });
}

std::string TotalOf(const TWorksheet& sheet, int slot) {
    for (const TColProperty& column : sheet.GridInfo[ViewTransactions].ColInfo.Items)
        if (column.LinkIndex == slot)
            return column.TotalText;
    return "<no column>";
}

TEST_F(MainSearchTest, SearchingANumberLeavesOnlyItsRowsWithTheirTotals) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk", 300)));
    TLedger& books = Window->Ledger();
    TWorksheet& sheet = Window->Worksheet();
    const std::int32_t number = SplitNumber(books);
    ASSERT_GT(number, 0);
    auto* button = Window->findChild<QPushButton*>(QStringLiteral("FindSelBtn"));
    ASSERT_TRUE(button->isEnabled());

    SearchNumber(number);
    button->click();

    ASSERT_TRUE(books.Switches.SearchActive);
    EXPECT_EQ(button->palette().color(QPalette::Button), QColor(0, 0, 255));
    EXPECT_TRUE(Window->ResetButton()->isEnabled());
    // The rows are the transaction's parts, and the totals theirs (the unreconciled ones left out).
    int parts = 0;
    Money credit, debit;
    for (const TTransRec* t : books.TransList.KeyList)
        if (t->Number == number && t->IsOrdinary()) {
            ++parts;
            if (t->Reconciled)
                (t->Kind == TransCredit ? credit : debit) += t->Amount;
        }
    ASSERT_EQ(sheet.RowCount(ViewTransactions), parts);
    EXPECT_EQ(Window->Grid()->RowCount(), parts);
    for (std::int32_t line = 0; line < parts; ++line)
        EXPECT_EQ(sheet.TransactionAt(line)->Number, number);
    EXPECT_EQ(TotalOf(sheet, 0), std::to_string(parts));
    EXPECT_EQ(TotalOf(sheet, 9), sheet.Formats.MoneyText(credit));
    EXPECT_EQ(TotalOf(sheet, 10), sheet.Formats.MoneyText(debit));
    EXPECT_FALSE(Window->ProgressBar()->isVisible());

    // While the search is in force the button drops its menu down; "Clear Search" gives every row back.
    const TSelectionButton state = Window->WorksheetFilters().SelectionButton(TSelectionKind::Transactions);
    ASSERT_EQ(state.DropDown.size(), 4u);
    Window->WorksheetFilters().SelectionMenuClick(TSelectionKind::Transactions, TMenuCommand::ClearSelection);
    EXPECT_FALSE(books.Switches.SearchActive);
    EXPECT_GT(sheet.RowCount(ViewTransactions), parts);
}

// "&Find Transactions" in the Transactions' context menu opens a new search.
TEST_F(MainSearchTest, TheContextMenuFindsTransactions) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk", 60)));
    const std::int32_t number = SplitNumber(Window->Ledger());
    Window->Grid()->OnShowPopup(10, 10, 0);
    QAction* find = nullptr;
    for (QAction* action : Window->ContextMenu()->actions())
        if (action->text() == QStringLiteral("&Find Transactions"))
            find = action;
    ASSERT_NE(find, nullptr);
    ASSERT_TRUE(find->isEnabled());
    SearchNumber(number);
    find->trigger();
    EXPECT_TRUE(Window->Ledger().Switches.SearchActive);
    for (std::int32_t line = 0; line < Window->Worksheet().RowCount(ViewTransactions); ++line)
        EXPECT_EQ(Window->Worksheet().TransactionAt(line)->Number, number);

    // "Edit Search" opens the same window on the criteria accepted; its Cancel keeps the search.
    TTransFindForm* form = Window->SearchForm();
    ASSERT_NE(form, nullptr);
    const std::int32_t rows = Window->Worksheet().RowCount(ViewTransactions);
    WhenModal<TTransFindForm>([number, form](TTransFindForm& shown) {
        EXPECT_EQ(&shown, form);
        EXPECT_EQ(shown.findChild<QLineEdit*>(QStringLiteral("NumberBox"))->text(), QString::number(number));
        shown.reject();
    });
    Window->WorksheetFilters().SelectionMenuClick(TSelectionKind::Transactions, TMenuCommand::EditSelection);
    EXPECT_TRUE(Window->Ledger().Switches.SearchActive);
    EXPECT_EQ(Window->Worksheet().RowCount(ViewTransactions), rows);
}

} // namespace
} // namespace qz::gui::test
