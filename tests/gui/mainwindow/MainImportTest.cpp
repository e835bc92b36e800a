// "Import" and "Save &As / Export" of the main window: a statement through the import window
// into the example café's books, the worksheet after it, the files that cannot be imported,
// and each export format written through the save dialog.

#include "MainFormFixture.h"

#include "../forms/ModalDriver.h"
#include "filters/JournalExport.h"
#include "filters/WorksheetTable.h"
#include "import/ImportForm.h"
#include "ledger/Cp1252.h"
#include "platform/TextCodec.h"
#include "worksheet/WorksheetFilters.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace qz::gui::test {
namespace {

struct OfxLine {
    TDateTime Date;
    const char* Amount;
    const char* Id;
    std::string Name;
};

std::string Ymd(TDateTime date) {
    std::string iso = IsoDateText(date);
    iso.erase(std::remove(iso.begin(), iso.end(), '-'), iso.end());
    return iso;
}

std::string XmlText(const std::string& text) {
    std::string escaped;
    for (const char c : text)
        escaped += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
    return escaped;
}

std::string OfxText(const std::vector<OfxLine>& lines) {
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<?OFX OFXHEADER=\"200\" VERSION=\"211\" SECURITY=\"NONE\" OLDFILEUID=\"NONE\" NEWFILEUID=\"NONE\"?>\n"
           "<OFX>\n<SIGNONMSGSRSV1><SONRS><STATUS><CODE>0</CODE><SEVERITY>INFO</SEVERITY></STATUS>"
           "<DTSERVER>20260301</DTSERVER><LANGUAGE>ENG</LANGUAGE></SONRS></SIGNONMSGSRSV1>\n"
           "<BANKMSGSRSV1><STMTTRNRS><TRNUID>0</TRNUID><STATUS><CODE>0</CODE><SEVERITY>INFO</SEVERITY></STATUS>"
           "<STMTRS><CURDEF>AUD</CURDEF>"
           "<BANKACCTFROM><BANKID>1</BANKID><ACCTID>2</ACCTID><ACCTTYPE>CHECKING</ACCTTYPE></BANKACCTFROM>"
           "<BANKTRANLIST><DTSTART>"
        << Ymd(lines.front().Date) << "</DTSTART><DTEND>" << Ymd(lines.back().Date) << "</DTEND>\n";
    for (const OfxLine& l : lines)
        out << "<STMTTRN><TRNTYPE>OTHER</TRNTYPE><DTPOSTED>" << Ymd(l.Date) << "</DTPOSTED><TRNAMT>" << l.Amount
            << "</TRNAMT><FITID>" << l.Id << "</FITID><NAME>" << XmlText(l.Name) << "</NAME></STMTTRN>\n";
    out << "</BANKTRANLIST><LEDGERBAL><BALAMT>0.00</BALAMT><DTASOF>" << Ymd(lines.back().Date)
        << "</DTASOF></LEDGERBAL></STMTRS></STMTTRNRS></BANKMSGSRSV1></OFX>\n";
    return out.str();
}

class MainImportTest : public MainFormTest {
protected:
    std::string OpenExample() {
        TLedger ledger;
        TDocumentContent content;
        ExampleDocument(ledger, content);
        const std::string path = Path("cafe.kqk");
        ScriptedPrompts quiet;
        EXPECT_TRUE(WriteGeneratedDocument(path, ledger, content, quiet));
        EXPECT_TRUE(Window->OpenFile(path));
        return path;
    }

    std::string WriteFile(const std::string& name, const std::string& text) {
        const std::string path = Path(name);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    TDateTime LastDate() {
        TDateTime last = 0;
        for (const TTransRec* t : Window->Ledger().TransList.KeyList)
            last = std::max(last, DayOf(t->Date));
        return last;
    }

    // The notes of a debit of the first account, which the books' history files under a category.
    const TTransRec* KnownDebit() {
        const std::int32_t account = Window->Ledger().BookList.KeyList.front()->Number;
        for (const TTransRec* t : Window->Ledger().TransList.KeyList)
            if (t->Kind == TransDebit && t->Book == account && !MatchKey(t->Notes).empty())
                return t;
        return nullptr;
    }

    // The worksheet's Transactions tab as the window shows it.
    TWorksheetTable ShownTable(int tab = ViewTransactions) {
        TWorksheetTable table;
        ReadWorksheetTable(Window->Worksheet(), tab, table);
        return table;
    }

    std::string ReadAll(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

// The window's whole path: the open dialog, the preview with a suggestion from history and two
// lines for the chosen categories, one line unticked, "&Import", and the worksheet afterwards
// with its filters reset, the new rows shown and the totals grown by the imported lines alone.
TEST_F(MainImportTest, OfxThroughTheWindowWritesTheTickedLinesAndResetsTheFilters) {
    OpenExample();
    const TTransRec* known = KnownDebit();
    ASSERT_NE(known, nullptr);
    const TDateTime day = LastDate() + 1;
    const std::string ofx = WriteFile("june.ofx", OfxText({{day, "-42.10", "T1", Cp1252ToUtf8(known->Notes)},
                                                           {day + 1, "250.00", "T2", "CATERING DEPOSIT"},
                                                           {day + 2, "-9.95", "T3", "BANK FEE"}}));
    TLedger& books = Window->Ledger();
    const std::size_t before = books.TransList.KeyList.size();
    const Money creditsBefore = books.TransList.CreditTotal;
    const Money debitsBefore = books.TransList.DebitTotal;
    // A date range narrower than the new lines: the import resets it.
    Window->WorksheetFilters().PickRangeDate(2, LastDate() - 30);
    ASSERT_TRUE(books.Switches.DateRangeActive);

    DialogAnswers = {QString::fromStdString(ofx)};
    bool checked = false;
    TImportCategory suggested;
    WhenModal<TImportForm>([&](TImportForm& form) {
        checked = true;
        QTableWidget* table = form.Table();
        ASSERT_EQ(table->rowCount(), 3);
        EXPECT_EQ(table->item(0, TImportForm::PayeeColumn)->text(), FromDocument(known->Notes));
        // The known payee takes its category from the books' history.
        ASSERT_TRUE(form.Preview()[0].Suggested.has_value());
        suggested = *form.Preview()[0].Suggested;
        EXPECT_NE(table->item(0, TImportForm::CategoryColumn)->text(), QStringLiteral("(none chosen)"));
        for (int row = 0; row < 3; ++row)
            EXPECT_EQ(table->item(row, TImportForm::TickColumn)->checkState(), Qt::Checked) << row;
        // The deposit has no history: until a category is chosen for money in, it cannot go in.
        EXPECT_TRUE(form.StatusLabel()->text().contains(QStringLiteral("without a category")));
        form.FallbackBox(true)->setCurrentIndex(1);
        EXPECT_NE(form.Table()->item(1, TImportForm::CategoryColumn)->text(), QStringLiteral("(none chosen)"));
        // Untick the fee with the space bar.
        table->setFocus();
        table->setCurrentCell(2, TImportForm::TickColumn);
        QTest::keyClick(table, Qt::Key_Space);
        EXPECT_EQ(table->item(2, TImportForm::TickColumn)->checkState(), Qt::Unchecked);
        EXPECT_FALSE(form.StatusLabel()->text().contains(QStringLiteral("without a category")));
        QTest::mouseClick(form.ImportButton(), Qt::LeftButton);
    });
    Window->Action(QStringLiteral("ImportItem"))->trigger();
    ASSERT_TRUE(checked) << Prompts.LastText();
    ASSERT_EQ(Requests.size(), 1u);
    EXPECT_EQ(Requests[0].Title, QStringLiteral("Import"));
    EXPECT_TRUE(Requests[0].Filters.contains(QStringLiteral("OFX and QFX (*.ofx *.qfx)")));

    ASSERT_EQ(books.TransList.KeyList.size(), before + 2);
    EXPECT_FALSE(books.Switches.DateRangeActive);
    EXPECT_EQ(books.TransList.DebitTotal - debitsBefore, Money::FromCents(4210));
    EXPECT_EQ(books.TransList.CreditTotal - creditsBefore, Money::FromCents(25000));
    const TTransRec* added = books.TransList.KeyList.back();
    EXPECT_EQ(added->Kind, TransCredit);
    EXPECT_EQ(added->Notes, "CATERING DEPOSIT");
    const TTransRec* paid = books.TransList.KeyList[books.TransList.KeyList.size() - 2];
    EXPECT_EQ(paid->Amount, Money::FromCents(4210));
    EXPECT_EQ((TImportCategory{paid->MainAct, paid->SubAct, paid->Group}), suggested);
    // The worksheet shows the new rows and the new totals.
    const TWorksheetTable shown = ShownTable();
    const TDisplayFormats formats(Regional);
    bool rowShown = false;
    for (const auto& row : shown.Rows)
        rowShown = rowShown || std::find(row.begin(), row.end(), "CATERING DEPOSIT") != row.end();
    EXPECT_TRUE(rowShown);
    EXPECT_NE(std::find(shown.Totals.begin(), shown.Totals.end(), formats.MoneyText(books.TransList.DebitTotal)),
              shown.Totals.end());

    // The same statement again: every line is already in the account and starts unticked.
    DialogAnswers = {QString::fromStdString(ofx)};
    WhenModal<TImportForm>([](TImportForm& form) {
        ASSERT_EQ(form.Preview().size(), 3u);
        EXPECT_TRUE(form.Preview()[0].Duplicate());
        EXPECT_TRUE(form.Preview()[1].Duplicate());
        EXPECT_FALSE(form.Preview()[2].Duplicate()); // the fee was left out the first time
        EXPECT_EQ(form.Table()->item(0, TImportForm::TickColumn)->checkState(), Qt::Unchecked);
        form.reject();
    });
    Window->ImportCommand();
    EXPECT_EQ(books.TransList.KeyList.size(), before + 2);
}

// Files that cannot be imported say why, name the file, open no window and write nothing.
TEST_F(MainImportTest, UnreadableStatementsAreRefusedBeforeTheWindow) {
    OpenExample();
    const std::size_t before = Window->Ledger().TransList.KeyList.size();
    const std::pair<std::string, std::string> files[] = {
        {"garbage.csv", std::string("\x7F"
                                    "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0",
                                    16)},
        {"cut.ofx", OfxText({{LastDate() + 1, "-1.00", "X", "CUT"}}).substr(0, 400)},
        {"notype.qif", "D01/02/2026\nT-5.00\nPShop\n^\n"},
    };
    for (const auto& [name, text] : files) {
        Prompts.Messages.clear();
        DialogAnswers = {QString::fromStdString(WriteFile(name, text))};
        EXPECT_FALSE(OpensAWindow([this] { Window->ImportCommand(); })) << name;
        ASSERT_EQ(Prompts.Messages.size(), 1u) << name;
        EXPECT_EQ(Prompts.Messages[0].Text.rfind("The statement cannot be imported.\r" + Path(name) + ": ", 0), 0u)
            << Prompts.Messages[0].Text;
        EXPECT_NE(Prompts.Messages[0].Text.find("Nothing was imported."), std::string::npos);
    }
    EXPECT_EQ(Window->Ledger().TransList.KeyList.size(), before);
}

TEST_F(MainImportTest, AddingPasswordRefusedOpensNoDialog) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("locked.kqk", 50, 3, [](TFileSettings& s) {
        s.Password = "pw";
        s.ProtectAdd = 1;
    })));
    Questions.PasswordAccepted = false;
    Window->ImportCommand();
    EXPECT_TRUE(Requests.empty());
    EXPECT_EQ(Questions.PasswordQuestions, 1);
}

// "Save &As / Export": the document's own type first, then the export filters; each export
// writes its file and leaves the open document as it was.
TEST_F(MainImportTest, SaveAsExportsEachFormatAndKeepsTheDocument) {
    const std::string document = OpenExample();
    Window->SelectTab(ViewCategories);
    const TWorksheetTable categories = ShownTable(ViewCategories);
    const std::string csv = Path("categories.csv");
    const std::string qif = Path("books.qif");
    const std::string journal = Path("books.journal");
    DialogAnswers = {QString::fromStdString(csv), QString::fromStdString(qif), QString::fromStdString(journal)};
    FilterAnswers = {1, 2, 3};
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(Window->SaveAsCommand());
    ASSERT_EQ(Requests.size(), 3u);
    EXPECT_EQ(Requests[0].Filters.size(), 4);
    EXPECT_EQ(Requests[0].Filters[0], QStringLiteral("Quillmar Zudeduze file (*.kqk)"));
    EXPECT_EQ(Window->FileManager().Path, document);
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.LastText();

    // The tab shown: its titles, one line per row and the totals row.
    const std::string csvText = ReadAll(csv);
    std::string titles;
    for (const std::string& title : categories.Titles)
        titles += (titles.empty() ? "" : ",") + Cp1252ToUtf8(title);
    EXPECT_EQ(csvText.substr(0, csvText.find("\r\n")), titles);
    EXPECT_EQ(static_cast<std::size_t>(std::count(csvText.begin(), csvText.end(), '\n')), categories.Rows.size() + 2);
    EXPECT_NE(categories.Rows.size(), 0u);

    const std::string qifText = ReadAll(qif);
    EXPECT_NE(qifText.find("!Type:Bank"), std::string::npos);
    EXPECT_GE(static_cast<std::size_t>(std::count(qifText.begin(), qifText.end(), '^')),
              Window->Ledger().TransList.KeyList.size());

    const std::string journalText = ReadAll(journal);
    for (const TBookRec* book : Window->Ledger().BookList.KeyList)
        EXPECT_NE(journalText.find("Assets:" + JournalAccountName(book->Name.Str())), std::string::npos);
}

TEST_F(MainImportTest, ExportOntoTheDocumentItselfAsksAgain) {
    const std::string document = OpenExample();
    const std::string before = ReadAll(document);
    DialogAnswers = {QString::fromStdString(document)};
    FilterAnswers = {2};
    EXPECT_FALSE(Window->SaveAsCommand());
    EXPECT_TRUE(Shown("Can't save a file as its self!"));
    EXPECT_EQ(ReadAll(document), before);
}

// The read-only prompt's Yes saves the changes: it offers the document's type alone.
TEST_F(MainImportTest, ReadOnlyPromptOffersNoExport) {
    OpenExample();
    EXPECT_FALSE(Window->SaveAsCommand(true));
    ASSERT_EQ(Requests.size(), 1u);
    EXPECT_EQ(Requests[0].Filters, QStringList{QStringLiteral("Quillmar Zudeduze file (*.kqk)")});
}

} // namespace
} // namespace qz::gui::test
