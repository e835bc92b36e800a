// The main window with real documents: what it shows after opening, closing and failing, the
// grid's column work through the window, the recent files, the read-only prompt and the lock.

#include "MainFormFixture.h"

#include "controls/KQBookBar.h"
#include "controls/ToggleSwitches.h"
#include "filters/DocumentReader.h"
#include "filters/WorksheetTable.h"
#include "grid/Grid3BtnControl.h"
#include "mainwindow/TaxSummaryPanel.h"
#include "storage/FileConvert.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace qz {
// An answer in a test's messages.
inline void PrintTo(MsgResult answer, std::ostream* out) {
    *out << (answer == MsgResult::Cancel ? "Cancel" : answer == MsgResult::No ? "No" : "Yes");
}
} // namespace qz

namespace qz::gui::test {

namespace {

// The texts of one grid row in display order, as the grid asks the window for them.
std::vector<std::string> RowTexts(TMain& window, int line) {
    TGrid3& grid = *window.Grid();
    std::vector<std::string> texts(GridMaxCols);
    bool enabled = true;
    std::uint8_t rowType = 0;
    TColour colour = 0;
    grid.OnGetText(line, texts, enabled, rowType, colour);
    std::vector<std::string> shown;
    for (const TColProperty& column : grid.GridInfo()->ColInfo.Items)
        if (column.Visible)
            shown.push_back(texts[static_cast<std::size_t>(column.LinkIndex)]);
    return shown;
}

std::vector<std::string> Totals(TMain& window) {
    std::vector<std::string> totals;
    for (const TColProperty& column : window.Grid()->GridInfo()->ColInfo.Items)
        if (column.Visible)
            totals.push_back(column.ShowTotal ? column.TotalText : std::string());
    return totals;
}

// The first row of the Transactions view that shows a credit or a debit.
int FirstOrdinaryRow(TMain& window) {
    for (int line = 0; line < window.Grid()->RowCount(); ++line)
        if (const TTransRec* t = window.Worksheet().TransactionAt(line); t && (t->Kind == 1 || t->Kind == 2))
            return line;
    return -1;
}

std::string SlotText(TMain& window, int line, int slot) {
    std::vector<std::string> texts(GridMaxCols);
    bool enabled = true;
    std::uint8_t rowType = 0;
    TColour colour = 0;
    window.Grid()->OnGetText(line, texts, enabled, rowType, colour);
    return texts[static_cast<std::size_t>(slot)];
}

void ExpectNoDocument(TMain& window) {
    EXPECT_FALSE(window.DocumentOpen());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quillmar Zudeduze"));
    EXPECT_FALSE(window.Grid()->GridEnabled());
    EXPECT_EQ(window.Grid()->RowCount(), 0);
    EXPECT_FALSE(window.TabControl()->isEnabled());
    EXPECT_FALSE(window.AccountBar()->isEnabled());
    EXPECT_FALSE(window.Action(QStringLiteral("CloseItem"))->isEnabled());
    EXPECT_FALSE(window.Action(QStringLiteral("SaveAsItem"))->isEnabled());
    EXPECT_EQ(window.TabControl()->currentIndex(), 0);
}

void ClickColumnButton(TGrid3& grid, int visibleColumn) {
    QTest::mouseClick(&grid, Qt::LeftButton, Qt::NoModifier, grid.ColumnButtonRect(visibleColumn).center());
}

} // namespace

TEST_F(MainFormTest, StartsWithoutADocument) {
    ExpectNoDocument(*Window);
}

// Every tab shows the rows and totals the worksheet gives for the same document read on its own.
TEST_F(MainFormTest, OpenedDocumentShowsEveryTabsRowsAndTotals) {
    const std::string path = WriteDocument("books.kqk");
    TWorksheetTable tables[ViewCount];
    for (int tab = 0; tab < ViewCount; ++tab) {
        TDocumentReader reader;
        std::string error;
        ASSERT_TRUE(reader.Open(path, error)) << error;
        TWorksheetRequest request;
        request.Tab = tab;
        ASSERT_TRUE(BuildWorksheetTable(reader, request, TDisplayFormats(Regional), tables[tab], error)) << error;
    }
    ASSERT_TRUE(Window->OpenFile(path));
    EXPECT_TRUE(Window->DocumentOpen());
    EXPECT_EQ(Window->windowTitle(), QStringLiteral("Quillmar Zudeduze - books"));
    EXPECT_TRUE(Window->Grid()->GridEnabled());
    EXPECT_EQ(Window->TabControl()->tabText(4), QStringLiteral("Quick && GST Summaries"));
    for (int tab = 0; tab < ViewCount; ++tab) {
        SCOPED_TRACE(tab);
        Window->TabControl()->setCurrentIndex(tab);
        const TWorksheetTable& table = tables[tab];
        ASSERT_EQ(Window->Grid()->RowCount(), static_cast<int>(table.Rows.size()));
        ASSERT_FALSE(table.Rows.empty());
        EXPECT_EQ(RowTexts(*Window, 0), table.Rows.front());
        EXPECT_EQ(RowTexts(*Window, Window->Grid()->RowCount() - 1), table.Rows.back());
        EXPECT_EQ(Totals(*Window), table.Totals);
        EXPECT_EQ(Window->TaxPanel()->isVisible(), tab == ViewSummary);
    }
    // The transactions' row count is the count of records the generator wrote.
    Window->SelectTab(0);
    EXPECT_EQ(Window->Grid()->RowCount(), 300);
    EXPECT_EQ(Totals(*Window).front(), "300");
}

// The filters of the document open before are gone before the next one loads and totals.
TEST_F(MainFormTest, NextDocumentLoadsWithoutThePreviousDocumentsFilters) {
    const std::string next = WriteDocument("next.kqk", 300, 11);
    TWorksheetTable table;
    {
        TDocumentReader reader;
        std::string error;
        ASSERT_TRUE(reader.Open(next, error)) << error;
        ASSERT_TRUE(BuildWorksheetTable(reader, TWorksheetRequest(), TDisplayFormats(Regional), table, error));
    }
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk")));
    TWorksheetFilters& filters = Window->WorksheetFilters();
    filters.DateRangeBtnClick(true);
    filters.PickRangeDate(1, filters.DateFrom() + 200);
    ASSERT_TRUE(filters.DateRangeActive());
    const int narrowed = Window->Grid()->RowCount();

    ASSERT_TRUE(Window->OpenFile(next));
    EXPECT_FALSE(filters.DateRangeActive());
    EXPECT_NE(Window->Grid()->RowCount(), narrowed);
    ASSERT_EQ(Window->Grid()->RowCount(), static_cast<int>(table.Rows.size()));
    EXPECT_EQ(RowTexts(*Window, 0), table.Rows.front());
    EXPECT_EQ(Totals(*Window), table.Totals);
}

TEST_F(MainFormTest, ColumnButtonSortsAndASecondClickReverses) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk")));
    TGrid3& grid = *Window->Grid();
    // "Reference" is the third shown column of the Transactions view.
    ClickColumnButton(grid, 2);
    EXPECT_EQ(grid.GridInfo()->SortIndex, 2);
    EXPECT_EQ(grid.GridInfo()->SortDirection, sdAscending);
    const std::string first = RowTexts(*Window, 0)[2];
    const std::string last = RowTexts(*Window, grid.RowCount() - 1)[2];
    EXPECT_LE(first, last);
    ClickColumnButton(grid, 2);
    EXPECT_EQ(grid.GridInfo()->SortDirection, sdDescending);
    EXPECT_EQ(RowTexts(*Window, 0)[2], last);
    // The running balance shows only in date order, ascending.
    for (int line = 0; line < 20; ++line)
        EXPECT_EQ(SlotText(*Window, line, 11), "");
}

TEST_F(MainFormTest, DraggedColumnEdgeResizesWithinItsLimitsAndMarksTheWorksheetCustomised) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk")));
    TGrid3& grid = *Window->Grid();
    const TColProperty& reference = grid.GridInfo()->ColInfo.Items[2];
    EXPECT_FALSE(Window->Worksheet().Customised);
    for (const int pull : {+500, -500}) {
        const QRect button = grid.ColumnButtonRect(2);
        const QPoint edge(button.right() - 1, button.center().y());
        QTest::mousePress(&grid, Qt::LeftButton, Qt::NoModifier, edge);
        QTest::mouseMove(&grid, edge + QPoint(pull / 2, 0));
        QTest::mouseMove(&grid, edge + QPoint(pull, 0));
        QTest::mouseRelease(&grid, Qt::LeftButton, Qt::NoModifier, edge + QPoint(pull, 0));
        EXPECT_EQ(reference.Width, pull > 0 ? reference.MaxWidth : reference.MinWidth);
    }
    EXPECT_TRUE(Window->Worksheet().Customised);
}

TEST_F(MainFormTest, ColumnDraggedOntoAnotherMovesAndMarksTheWorksheetCustomised) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk")));
    TGrid3& grid = *Window->Grid();
    const std::string title = grid.GridInfo()->ColInfo.Items[1].Title; // "Date"
    const QPoint from = grid.ColumnButtonRect(1).center();
    const QPoint to = grid.ColumnButtonRect(4).center();
    QTest::mousePress(&grid, Qt::LeftButton, Qt::NoModifier, from);
    for (int step = 1; step <= 8; ++step)
        QTest::mouseMove(&grid, from + (to - from) * step / 8);
    QTest::mouseRelease(&grid, Qt::LeftButton, Qt::NoModifier, to);
    EXPECT_NE(grid.GridInfo()->ColInfo.Items[1].Title, title);
    EXPECT_TRUE(Window->Worksheet().Customised);
}

TEST_F(MainFormTest, WheelAndEndScrollTheGrid) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk")));
    TGrid3& grid = *Window->Grid();
    Window->Grid()->ScrollRows(-grid.TopRow());
    QWheelEvent wheel(QPointF(10, 10), Window->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -360), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Window.get(), &wheel);
    EXPECT_EQ(grid.TopRow(), 3);
    grid.ScrollToEnd();
    EXPECT_GT(grid.TopRow(), 0);
    EXPECT_LE(grid.TopRow(), grid.RowCount() - 1);
    EXPECT_GE(grid.TopRow() + grid.RowsThatFit(), grid.RowCount());
}

TEST_F(MainFormTest, OpenToLastOpensAtTheEnd) {
    Window->Options().WriteOption(OptOpenToLast, true);
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk")));
    EXPECT_GE(Window->Grid()->TopRow() + Window->Grid()->RowsThatFit(), Window->Grid()->RowCount());
    Window->Options().WriteOption(OptOpenToLast, false);
    ASSERT_TRUE(Window->OpenFile(WriteDocument("other.kqk", 200, 9)));
    EXPECT_EQ(Window->Grid()->TopRow(), 0);
}

// A document whose worksheet is protected opens locked; unlocking asks for its password.
TEST_F(MainFormTest, ProtectedWorksheetOpensLockedAndUnlocksOnlyWithThePassword) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("locked.kqk", 300, 7, [](TFileSettings& settings) {
        settings.Password = "secret";
        settings.ProtectWorksheet = 1;
    })));
    TGrid3& grid = *Window->Grid();
    EXPECT_TRUE(grid.Locked());
    // Nothing of the worksheet can be worked behind the lock, not even its context menu.
    grid.OnShowPopup(10, 10, -1);
    EXPECT_TRUE(Window->ContextMenu()->actions().isEmpty());
    Questions.PasswordAccepted = false;
    grid.UnlockButton()->click();
    EXPECT_TRUE(grid.Locked());
    EXPECT_EQ(Questions.PasswordQuestions, 1);
    Questions.PasswordAccepted = true;
    grid.UnlockButton()->click();
    EXPECT_FALSE(grid.Locked());
    EXPECT_TRUE(grid.GridEnabled());
    // Locking needs no password.
    grid.SetLocked(true);
    EXPECT_TRUE(grid.Locked());
    EXPECT_EQ(Questions.PasswordQuestions, 2);
}

TEST_F(MainFormTest, DamagedFileWarnsAndLeavesTheWindowWithoutADocument) {
    const std::string damaged = Path("damaged.kqk");
    {
        std::ofstream out(damaged, std::ios::binary);
        out << "This is not a compound file at all, just text with a .kqk name.";
    }
    EXPECT_FALSE(Window->OpenFile(damaged));
    EXPECT_TRUE(Shown(NotADocumentText));
    ExpectNoDocument(*Window);

    // With a document open, the damaged file is refused before the open one is touched.
    const std::string good = WriteDocument("books.kqk");
    ASSERT_TRUE(Window->OpenFile(good));
    EXPECT_FALSE(Window->OpenFile(damaged));
    EXPECT_TRUE(Window->DocumentOpen());
    EXPECT_EQ(Window->FileManager().Path, good);
}

// A document the user may read but not write opens read-only and says so in its caption; one
// that cannot be opened at all leaves the open document as it was, whatever is found wrong.
TEST_F(MainFormTest, AReadOnlyDocumentOpensReadOnlyAndARefusedOneCostsNothing) {
    const std::string good = WriteDocument("books.kqk");
    ASSERT_TRUE(Window->OpenFile(good));
    const int rows = Window->Grid()->RowCount();

    // A copy whose record names a category the document does not have: refused before the
    // open document is closed.
    const std::string broken = Path("broken.kqk");
    std::filesystem::copy_file(good, broken);
    {
        std::unique_ptr<cfb::TCompoundFile> file;
        ASSERT_EQ(cfb::TCompoundFile::Open(broken, cfb::StgAccess::ReadWrite, file), cfb::S_OK);
        cfb::TStream trans;
        ASSERT_EQ(file->Root().OpenStream("Transactions", trans), cfb::S_OK);
        std::string data;
        ASSERT_EQ(trans.ReadAll(data), cfb::S_OK);
        for (std::size_t at = 0; at + TransRecordSize <= data.size(); at += TransRecordSize) {
            TTransRec t;
            DecodeTrans(reinterpret_cast<const std::uint8_t*>(data.data() + at), t);
            if (t.Kind == TransCredit) {
                t.MainAct = 99999;
                EncodeTrans(t, reinterpret_cast<std::uint8_t*>(data.data() + at));
                break;
            }
        }
        ASSERT_EQ(trans.WriteAt(0, data.data(), static_cast<std::uint32_t>(data.size())), cfb::S_OK);
        ASSERT_EQ(file->Commit(), cfb::S_OK);
    }
    EXPECT_FALSE(Window->OpenFile(broken));
    EXPECT_TRUE(Shown(NotADocumentText));
    EXPECT_EQ(Window->FileManager().Path, good);
    EXPECT_EQ(Window->Grid()->RowCount(), rows);
    EXPECT_EQ(Window->windowTitle(), QStringLiteral("Quillmar Zudeduze - books"));

    // An untouched copy in a place the user may not write.
    const std::string copy = Path("copy.kqk");
    std::filesystem::copy_file(good, copy);
    auto bytes = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    const std::string before = bytes(copy);
    Drive.Writable = false;
    ASSERT_TRUE(Window->OpenFile(copy));
    EXPECT_TRUE(Shown("This file will be opened in read only mode because it\rcannot be written to.  Use the Save As "
                      "command to save\rany changes made to this file."));
    EXPECT_EQ(Window->FileManager().ReadOnlyMode, 1);
    EXPECT_EQ(Window->windowTitle(), QStringLiteral("Quillmar Zudeduze - copy (read only)"));
    EXPECT_EQ(Window->Grid()->RowCount(), rows);
    EXPECT_EQ(bytes(copy), before);
}

TEST_F(MainFormTest, OpeningTheOpenFileAgainChangesNothing) {
    const std::string path = WriteDocument("books.kqk");
    ASSERT_TRUE(Window->OpenFile(path));
    Window->SelectTab(2);
    EXPECT_FALSE(Window->OpenFile(path));
    EXPECT_TRUE(Shown("File already open"));
    EXPECT_TRUE(Window->DocumentOpen());
    EXPECT_EQ(Window->TabControl()->currentIndex(), 2);
}

TEST_F(MainFormTest, RecentFilesKeepTheClosedOnesNewestFirstAndLeaveOutTheOpenOne) {
    std::vector<std::string> paths;
    for (int i = 0; i < 6; ++i)
        paths.push_back(WriteDocument("books" + std::to_string(i) + ".kqk", 40, static_cast<std::uint64_t>(i + 1)));
    for (const std::string& path : paths)
        ASSERT_TRUE(Window->OpenFile(path));
    // Five were closed on the way; four are kept, the newest first; the open one is not listed.
    EXPECT_EQ(Window->RecentFiles().Items(), (std::vector<std::string>{paths[4], paths[3], paths[2], paths[1]}));
    EXPECT_EQ(Window->ReopenMenu()->actions().size(), 4);
    std::string stored;
    ASSERT_TRUE(Values.ReadText("MRU Items/F0", stored));
    EXPECT_EQ(stored, paths[4]);

    ASSERT_TRUE(Window->CloseCommand());
    ExpectNoDocument(*Window);
    EXPECT_EQ(Window->RecentFiles().Newest(), paths[5]);

    // A reopened file leaves the list; the list survives a new window.
    Window->ReopenMenu()->actions().at(2)->trigger();
    EXPECT_EQ(Window->FileManager().Path, paths[3]);
    EXPECT_EQ(Window->RecentFiles().Items(), (std::vector<std::string>{paths[5], paths[4], paths[2]}));
    Window->close();
    Window.reset();
    Window = MakeWindow();
    EXPECT_EQ(Window->RecentFiles().Items(), (std::vector<std::string>{paths[3], paths[5], paths[4], paths[2]}));

    ASSERT_TRUE(QFile::remove(QString::fromStdString(paths[2])));
    EXPECT_FALSE(Window->ReopenFile(paths[2]));
    EXPECT_TRUE(Shown("Can't find file - " + paths[2]));
}

TEST_F(MainFormTest, ReopenRefusedForItsPasswordPutsTheFileFirst) {
    const std::string guarded = WriteDocument("guarded.kqk", 40, 3, [](TFileSettings& settings) {
        settings.Password = "secret";
        settings.ProtectOpen = 1;
    });
    const std::string other = WriteDocument("other.kqk", 40, 4);
    ASSERT_TRUE(Window->OpenFile(guarded));
    ASSERT_TRUE(Window->OpenFile(other));
    ASSERT_TRUE(Window->CloseCommand());
    ASSERT_EQ(Window->RecentFiles().Items(), (std::vector<std::string>{other, guarded}));
    Questions.PasswordAccepted = false;
    EXPECT_FALSE(Window->ReopenFile(guarded));
    EXPECT_FALSE(Window->DocumentOpen());
    EXPECT_EQ(Window->RecentFiles().Items(), (std::vector<std::string>{guarded, other}));
}

TEST_F(MainFormTest, WelcomeLastUsedOpensTheNewestRecentFile) {
    const std::string path = WriteDocument("books.kqk");
    ASSERT_TRUE(Window->OpenFile(path));
    ASSERT_TRUE(Window->CloseCommand());
    WelcomeChoice = 13;
    Window->RunWelcome();
    EXPECT_EQ(Window->FileManager().Path, path);
    // Choice 12 starts the open dialog in the example folder.
    ASSERT_TRUE(Window->CloseCommand());
    WelcomeChoice = 12;
    Window->RunWelcome();
    ASSERT_FALSE(Requests.empty());
    EXPECT_EQ(Requests.back().Title, QStringLiteral("Open file"));
    EXPECT_TRUE(Requests.back().Folder.endsWith(QStringLiteral("/Bookkeeping Files/Example Files")));
}

class ReadOnlyPromptTest : public MainFormTest, public ::testing::WithParamInterface<MsgResult> {};

// A changed read-only document: Cancel keeps it open, No closes it, Yes saves it to a new file first.
TEST_P(ReadOnlyPromptTest, CloseOffersToSaveAChangedReadOnlyDocument) {
    const std::string path = WriteDocument("books.kqk");
    ASSERT_TRUE(Window->OpenFile(path));
    TFileManager& files = Window->FileManager();
    files.ReadOnlyMode = 1;
    // A change the file never received: a reconciled transaction marked unreconciled.
    Window->SelectTab(0);
    const int line = FirstOrdinaryRow(*Window);
    ASSERT_GE(line, 0);
    TTransRec* first = Window->Worksheet().TransactionAt(line);
    const std::int32_t number = first->Number;
    const std::uint8_t was = first->Reconciled;
    Window->WorksheetMenus().ReconcileRow(line);
    ASSERT_TRUE(files.Dirty);

    const MsgResult answer = GetParam();
    Prompts.QueueAnswer(answer);
    const std::string copy = Path("copy.kqk");
    DialogAnswers.push_back(QString::fromStdString(copy));
    const bool closed = Window->CloseCommand();
    EXPECT_EQ(Prompts.Messages.back().Text.rfind("Current file is in read only mode and has changed.", 0), 0u);
    EXPECT_EQ(closed, answer != MsgResult::Cancel);
    EXPECT_EQ(Window->DocumentOpen(), answer == MsgResult::Cancel);
    EXPECT_EQ(QFile::exists(QString::fromStdString(copy)), answer == MsgResult::Yes);
    // The copy holds the change; the original never got it.
    const auto reconciledIn = [&](const std::string& file) {
        TLedger saved;
        PreparedQuestions questions;
        ScriptedPrompts quiet;
        TFileManager reader(saved, quiet, questions, Time);
        EXPECT_TRUE(reader.Open(file, true));
        int state = -1;
        for (TTransRec* t : saved.TransList.KeyList)
            if (t->Number == number)
                state = t->Reconciled;
        reader.Close(true, false);
        return state;
    };
    if (answer != MsgResult::Cancel) {
        EXPECT_EQ(reconciledIn(path), was);
    }
    if (answer == MsgResult::Yes) {
        EXPECT_EQ(reconciledIn(copy), was ? 0 : 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ReadOnlyPromptTest, ::testing::Values(MsgResult::Cancel, MsgResult::No, MsgResult::Yes),
    [](const ::testing::TestParamInfo<MsgResult>& info) {
        return std::string(info.param == MsgResult::Cancel ? "Cancel" : info.param == MsgResult::No ? "No" : "Yes");
    });

TEST_F(MainFormTest, SaveAsOntoItsOwnNameAsksAgainThenCopies) {
    const std::string path = WriteDocument("books.kqk");
    ASSERT_TRUE(Window->OpenFile(path));
    const std::string copy = Path("copy.v2.kqk");
    DialogAnswers = {QString::fromStdString(path), QString::fromStdString(copy)};
    EXPECT_TRUE(Window->SaveAsCommand());
    EXPECT_TRUE(Shown("Can't save a file as its self!"));
    EXPECT_EQ(Requests.size(), 2u);
    EXPECT_EQ(Window->FileManager().Path, copy);
    EXPECT_EQ(Window->windowTitle(), QStringLiteral("Quillmar Zudeduze - copy.v2"));
    EXPECT_EQ(Window->RecentFiles().Newest(), path);
}

TEST_F(MainFormTest, NewBlankFileOpensEmptyBooksWithTheTaxCategories) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk")));
    const std::string path = Path("fresh.kqk");
    DialogAnswers.push_back(QString::fromStdString(path));
    Window->NewCommand();
    EXPECT_TRUE(Shown("New file created."));
    ASSERT_TRUE(Window->DocumentOpen());
    EXPECT_EQ(Window->FileManager().Path, path);
    // The blank books hold one account with its opening balance.
    ASSERT_EQ(Window->Grid()->RowCount(), 1);
    EXPECT_EQ(Window->Worksheet().TransactionAt(0)->Kind, 3);
    EXPECT_EQ(Totals(*Window).front(), "1");
    EXPECT_GT(Window->FileManager().Settings.GstRefundCat, 0);
    EXPECT_EQ(Window->RecentFiles().Newest(), Path("books.kqk"));
}

TEST_F(MainFormTest, ToggleSwitchStoresItsOptionAndRecalculates) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk")));
    Window->SelectTab(0);
    const std::string before = Totals(*Window)[9];
    Window->TogglePanel()->Switch(0)->click(); // "Include unreconciled"
    int stored = -1;
    ASSERT_TRUE(Values.ReadInteger(TOptionsManager::OptionName(OptIncludeDisabledInCalc), stored));
    EXPECT_EQ(stored, 1);
    EXPECT_NE(Totals(*Window)[9], before);
}

TEST_F(MainFormTest, AccountBarNarrowsTheTransactionsToOneAccount) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk")));
    const int all = Window->Grid()->RowCount();
    Window->AccountBar()->OnAccountClick(0, false);
    const int one = Window->Grid()->RowCount();
    EXPECT_LT(one, all);
    EXPECT_GT(one, 0);
    Window->AccountBar()->OnAllClick();
    EXPECT_EQ(Window->Grid()->RowCount(), all);
}

// The reconcile item of the context menu writes through: the change is in the file at once.
TEST_F(MainFormTest, ContextMenuReconcileIsWrittenToTheDocument) {
    const std::string path = WriteDocument("books.kqk");
    ASSERT_TRUE(Window->OpenFile(path));
    const int line = FirstOrdinaryRow(*Window);
    ASSERT_GE(line, 0);
    Window->Grid()->OnShowPopup(10, 10, line);
    QAction* reconcile = nullptr;
    for (QAction* action : Window->ContextMenu()->actions())
        if ((action->text().contains(QStringLiteral("Reconcile")) ||
             action->text().contains(QStringLiteral("Unreconciled"))) &&
            action->isVisible())
            reconcile = action;
    TTransRec* row = Window->Worksheet().TransactionAt(line);
    ASSERT_NE(reconcile, nullptr);
    EXPECT_TRUE(reconcile->isEnabled());
    const std::int32_t number = row->Number;
    const int before = row->Reconciled;
    reconcile->trigger();
    ASSERT_TRUE(Window->CloseCommand());
    ASSERT_TRUE(Window->OpenFile(path));
    for (TTransRec* t : Window->Ledger().TransList.KeyList) {
        if (t->Number == number) {
            EXPECT_NE(t->Reconciled, before);
        }
    }
}

// The "No." total of the Transactions counts the rows shown; the hint says so there only.
TEST_F(MainFormTest, TheTransactionsRowCountTotalHasItsHint) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk")));
    TGrid3& grid = *Window->Grid();
    for (int tab = 0; tab < ViewCount; ++tab) {
        SCOPED_TRACE(tab);
        Window->SelectTab(tab);
        std::vector<QString> hints;
        for (const TColProperty& column : grid.GridInfo()->ColInfo.Items)
            if (column.Visible && column.ShowTotal)
                hints.push_back(grid.OnGetTotalHint(column.LinkIndex));
        ASSERT_FALSE(hints.empty());
        EXPECT_EQ(hints.front(), tab == 0 ? QStringLiteral("Rows shown") : QString());
        for (std::size_t i = 1; i < hints.size(); ++i)
            EXPECT_EQ(hints[i], QString());
    }
}

} // namespace qz::gui::test
