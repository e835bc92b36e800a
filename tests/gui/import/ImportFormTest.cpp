// The import window on its own: a CSV statement through the column-mapping panel with its live
// preview and the mapping remembered for the next file of that layout, the account chooser
// re-running the preview, and the refusal of ticked lines without a category.

#include "../mainwindow/MainFormFixture.h"

#include "filters/ExportText.h"
#include "import/CsvMappingPanel.h"
#include "import/ImportForm.h"
#include "ledger/Cp1252.h"
#include "platform/TextCodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <fstream>

namespace qz::gui::test {
namespace {

class ImportFormTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        TLedger ledger;
        TDocumentContent content;
        ExampleDocument(ledger, content);
        const std::string path = Path("cafe.kqk");
        ScriptedPrompts quiet;
        ASSERT_TRUE(WriteGeneratedDocument(path, ledger, content, quiet));
        ASSERT_TRUE(Window->OpenFile(path));
    }

    std::unique_ptr<TImportForm> Form(const std::string& name, const std::string& text) {
        const std::string path = Path(name);
        std::ofstream(path, std::ios::binary) << text;
        auto form = std::make_unique<TImportForm>(TImportContext{&Window->EditContext(), &Formats, &Values}, path);
        EXPECT_TRUE(form->Load()) << Prompts.LastText();
        return form;
    }

    static void Choose(TImportForm& form, const char* chooser, int data) {
        QComboBox* box = form.MappingPanel()->Chooser(QString::fromLatin1(chooser));
        ASSERT_NE(box, nullptr) << chooser;
        const int at = box->findData(data);
        ASSERT_GE(at, 0) << chooser << ' ' << data;
        box->setCurrentIndex(at);
    }

    std::size_t TransactionCount() { return Window->Ledger().TransList.KeyList.size(); }

    TDisplayFormats Formats{RegionalSettings::Fixed()};
};

// A file without a header names no columns: the window says what to choose, and each choice
// in the panel re-reads the file at once.
TEST_F(ImportFormTest, CsvColumnsChosenInThePanelAndRememberedForTheLayout) {
    const std::string rows = "05.07.2025;Corner Bakery;-12,50;R1\n06.07.2025;Market stall;1.234,00;R2\n";
    auto form = Form("bank.csv", rows);
    EXPECT_TRUE(form->MappingPanel()->isVisibleTo(form.get()));
    EXPECT_EQ(form->Table()->rowCount(), 0);
    EXPECT_FALSE(form->ImportButton()->isEnabled());
    EXPECT_TRUE(form->StatusLabel()->text().contains(QStringLiteral("Choose the columns")));
    // The separator the file shows, its columns offered by their first row's texts.
    EXPECT_EQ(form->MappingPanel()->Chooser(QStringLiteral("Separator"))->currentText(), QStringLiteral("Semicolon"));
    EXPECT_EQ(form->MappingPanel()->Chooser(QStringLiteral("Payee"))->itemText(2), QStringLiteral("2: Corner Bakery"));

    Choose(*form, "Date", 1);
    Choose(*form, "Amount", 3);
    Choose(*form, "Payee", 2);
    Choose(*form, "Reference", 4);
    // Both dates read day first and month first.
    EXPECT_TRUE(form->StatusLabel()->text().contains(QStringLiteral("give the date order")))
        << form->StatusLabel()->text().toStdString();
    Choose(*form, "DateOrder", static_cast<int>(TDateOrder::DayMonthYear));
    ASSERT_EQ(form->Table()->rowCount(), 2);
    EXPECT_EQ(form->Table()->item(0, TImportForm::DateColumn)->text().toStdString(),
              Formats.DateText(EncodeDate(2025, 7, 5)));
    EXPECT_EQ(form->Table()->item(1, TImportForm::AmountColumn)->text().toStdString(),
              Formats.MoneyText(Money::FromCents(123400)));
    EXPECT_EQ(form->Table()->item(0, TImportForm::ReferenceColumn)->text(), QStringLiteral("R1"));

    form->FallbackBox(true)->setCurrentIndex(1);
    form->FallbackBox(false)->setCurrentIndex(1);
    const std::size_t before = TransactionCount();
    // Enter on a chooser writes nothing: only "&Import" does.
    form->show();
    QTest::keyClick(form->MappingPanel()->Chooser(QStringLiteral("Memo")), Qt::Key_Return);
    EXPECT_FALSE(form->Outcome().has_value());
    EXPECT_TRUE(form->isVisible());
    QTest::mouseClick(form->ImportButton(), Qt::LeftButton);
    ASSERT_TRUE(form->Outcome().has_value());
    EXPECT_EQ(TransactionCount(), before + 2);

    // Another statement of the same bank: four columns, no header; the mapping is back.
    auto next = Form("bank-august.csv", "03.08.2025;Corner Bakery;-7,20;R9\n");
    ASSERT_EQ(next->Table()->rowCount(), 1);
    EXPECT_EQ(next->Table()->item(0, TImportForm::AmountColumn)->text().toStdString(),
              Formats.MoneyText(Money::FromCents(-720)));
    EXPECT_EQ(next->MappingPanel()->Chooser(QStringLiteral("DateOrder"))->currentData().toInt(),
              static_cast<int>(TDateOrder::DayMonthYear));
    // A file of another layout starts from its own header.
    auto other = Form("other.csv", "Date,Amount,Description\n2025-08-03,-7.20,Corner Bakery\n");
    EXPECT_EQ(other->Table()->rowCount(), 1);
    EXPECT_EQ(other->MappingPanel()->Chooser(QStringLiteral("Reference"))->currentData().toInt(), 0);
}

// Another separator splits the file into other columns: the panel offers those, and the
// columns the file no longer has are no longer chosen.
TEST_F(ImportFormTest, AnotherSeparatorOffersOtherColumns) {
    auto form = Form("plain.csv", "Date,Amount,Payee\n2025-08-03,-7.20,Corner Bakery\n");
    ASSERT_EQ(form->Table()->rowCount(), 1);
    Choose(*form, "Separator", ';');
    EXPECT_EQ(form->MappingPanel()->Chooser(QStringLiteral("Amount"))->count(), 2); // "(none)" and the one column
    EXPECT_EQ(form->MappingPanel()->Mapping().Columns.Amount, 0);
    EXPECT_EQ(form->Table()->rowCount(), 0);
    EXPECT_FALSE(form->ImportButton()->isEnabled());
}

TEST_F(ImportFormTest, AccountChangeRunsThePreviewAgainstTheOtherAccount) {
    TLedger& books = Window->Ledger();
    ASSERT_GE(books.BookList.KeyList.size(), 2u);
    const TTransRec* existing = nullptr;
    for (const TTransRec* t : books.TransList.KeyList)
        if (t->Kind == TransDebit && t->Book == books.BookList.KeyList.front()->Number && !t->Notes.empty())
            existing = t;
    ASSERT_NE(existing, nullptr);
    const std::string date = IsoDateText(existing->Date);
    const std::string csv = "Date,Amount,Payee\n" + date + ",-" + PlainAmount(existing->Amount) + ",\"" +
                            Cp1252ToUtf8(existing->Notes) + "\"\n";
    auto form = Form("again.csv", csv);
    ASSERT_EQ(form->Preview().size(), 1u);
    EXPECT_TRUE(form->Preview()[0].Duplicate());
    EXPECT_EQ(form->Table()->item(0, TImportForm::TickColumn)->checkState(), Qt::Unchecked);
    form->AccountBox()->setCurrentIndex(1);
    ASSERT_EQ(form->Preview().size(), 1u);
    EXPECT_FALSE(form->Preview()[0].Duplicate());
    EXPECT_EQ(form->Table()->item(0, TImportForm::TickColumn)->checkState(), Qt::Checked);
}

// No silent default: a ticked line without a category stops the import, which says so; a
// category chosen in the line's own cell lets it in.
TEST_F(ImportFormTest, TickedLineWithoutCategoryIsRefused) {
    auto form = Form("new.csv", "Date,Amount,Payee\n2025-08-03,-7.20,Nobody Known\n2025-08-04,bad,Shop\n");
    ASSERT_EQ(form->Table()->rowCount(), 2);
    // The bad line shows why, and cannot be ticked.
    EXPECT_FALSE(form->Table()->item(1, TImportForm::TickColumn)->flags() & Qt::ItemIsUserCheckable);
    EXPECT_TRUE(form->Table()->item(1, TImportForm::NoteColumn)->text().startsWith(QStringLiteral("line 3: ")));
    EXPECT_EQ(form->Table()->item(0, TImportForm::CategoryColumn)->text(), QStringLiteral("(none chosen)"));
    const std::size_t before = TransactionCount();
    Prompts.Messages.clear();
    QTest::mouseClick(form->ImportButton(), Qt::LeftButton);
    EXPECT_EQ(Prompts.LastText(), "1 ticked line has no category. Choose the category for money in or money out, or "
                                  "untick it. Nothing was imported.");
    EXPECT_FALSE(form->Outcome().has_value());
    EXPECT_EQ(TransactionCount(), before);
    // Unticked, there is nothing left to import.
    form->SetTicked(0, false);
    EXPECT_FALSE(form->ImportButton()->isEnabled());
    form->SetTicked(0, true);

    // The line's own Category cell offers the categories of money out.
    form->Table()->editItem(form->Table()->item(0, TImportForm::CategoryColumn));
    auto* box = form->Table()->findChild<QComboBox*>(QStringLiteral("LineCategoryBox"));
    ASSERT_NE(box, nullptr);
    ASSERT_GT(box->count(), 2);
    box->setCurrentIndex(2);
    emit box->activated(2);
    QApplication::processEvents();
    const QString chosen = box->itemText(2);
    const TImportCategory category{box->itemData(2).toInt(), box->itemData(2, Qt::UserRole + 1).toInt(), 0};
    EXPECT_EQ(form->Table()->item(0, TImportForm::CategoryColumn)->text(), chosen);
    QTest::mouseClick(form->ImportButton(), Qt::LeftButton);
    ASSERT_TRUE(form->Outcome().has_value()) << Prompts.LastText();
    ASSERT_EQ(TransactionCount(), before + 1);
    const TTransRec* added = Window->Ledger().TransList.KeyList.back();
    EXPECT_EQ((TImportCategory{added->MainAct, added->SubAct, added->Group}), category);
}

// A QIF line filed under another account of the document: a credit or debit unless the user
// says it is a transfer, then the two halves of one.
TEST_F(ImportFormTest, LineFiledUnderAnotherAccountComesInAsATransferWhenTicked) {
    TLedger& books = Window->Ledger();
    ASSERT_GE(books.BookList.KeyList.size(), 2u);
    const TBookRec* other = books.BookList.KeyList[1];
    auto form = Form("moves.qif",
                     "!Type:Bank\nD08/03/2025\nT-300.00\nPTo savings\nL[" + Cp1252ToUtf8(other->Name.Str()) + "]\n^\n");
    ASSERT_EQ(form->Preview().size(), 1u);
    ASSERT_EQ(form->Preview()[0].TransferAccount, other->Number);
    EXPECT_TRUE(form->TransfersBox()->isVisibleTo(form.get()));
    EXPECT_EQ(form->Table()->item(0, TImportForm::CategoryColumn)->text(), QStringLiteral("(none chosen)"));
    form->TransfersBox()->setChecked(true);
    EXPECT_EQ(form->Table()->item(0, TImportForm::CategoryColumn)->text(),
              QStringLiteral("Transfer to ") + FromDocument(other->Name.Str()));
    const std::size_t before = TransactionCount();
    QTest::mouseClick(form->ImportButton(), Qt::LeftButton);
    ASSERT_TRUE(form->Outcome().has_value()) << Prompts.LastText();
    ASSERT_EQ(TransactionCount(), before + 2);
    int to = 0, from = 0;
    for (const TTransRec* t : books.TransList.KeyList)
        if (DayOf(t->Date) == EncodeDate(2025, 8, 3) && t->Amount == Money::FromCents(30000)) {
            to += t->Kind == TransTo && t->Book == books.BookList.KeyList[0]->Number;
            from += t->Kind == TransFrom && t->Book == other->Number;
        }
    EXPECT_EQ(to, 1);
    EXPECT_EQ(from, 1);
}

} // namespace
} // namespace qz::gui::test
