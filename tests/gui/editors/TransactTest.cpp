// The transaction editor on the café example, driven by keys and clicks: a credit with its GST
// worked out from the percentage, a debit with a GST amount typed in, a transaction split in
// three and one split deleted, a transaction deleted, the refusals of a save with the focus on
// the offending field, the locked fields and the password of "&Unlock", and a Cancel that leaves
// the document's bytes as they were.

#include "CategoryEditorFixture.h"
#include "TransactTestSupport.h"

#include "controls/DateBox.h"
#include "controls/EntryLook.h"
#include "controls/HelpContext.h"
#include "controls/PercentUpDown.h"
#include "editors/TransactBookCombo.h"

#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QToolButton>

#include <optional>

namespace qz::gui::test {
namespace {

class Transact : public CategoryEditorTest {
protected:
    std::unique_ptr<TTransact> MakeEditor() {
        TTransactContext context;
        context.Edit = &Edit;
        context.Formats = &Formats;
        context.Time = &Clock;
        context.Options = [this] { return Options; };
        context.ShowHelp = [this](int topic) { HelpTopics.push_back(topic); };
        context.OpenSearch = [this] {
            ++SearchesOpened;
            return SearchApplied;
        };
        return std::make_unique<TTransact>(std::move(context));
    }

    // The editor prepared and on show, active so that the focus moves as it does for the user.
    std::unique_ptr<TTransact> Open(TTransMode mode, std::int32_t index = -1) {
        auto editor = MakeEditor();
        EXPECT_TRUE(editor->Start(mode, index));
        editor->show();
        editor->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(editor.get()));
        return editor;
    }

    // A new credit (or debit) transaction, the kind answered in the chooser.
    std::unique_ptr<TTransact> OpenNew(bool debit) {
        AnswerKind(debit);
        return Open(TTransMode::New);
    }

    // The first stored unsplit credit transaction's key index.
    std::int32_t FirstUnsplitCredit() const {
        for (std::int32_t i = 0; i < Ledger.TransList.Count(); ++i)
            if (const TTransRec* t = Ledger.TransList.Items(i); t->Kind == TransCredit && t->Split == '0')
                return i;
        return -1;
    }

    QByteArray FileBytes() const {
        QFile file(QString::fromStdString(Path));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    static void EnterSale(TTransact& editor) {
        Choose(ChildOf<QComboBox>(editor, "ComboMainName"), QStringLiteral("Caf"));
        Choose(ChildOf<QComboBox>(editor, "ComboSubName"), QStringLiteral("Take"));
    }

    // New transactions take today and are reconciled; the GST is worked out by default.
    TTransactionOptions Options{true, false, true, false};
    std::vector<int> HelpTopics;
    int SearchesOpened = 0;
    bool SearchApplied = false;
};

const TTransRec* StoredRecord(const TLedger& ledger, std::int32_t number, char split = '0') {
    for (const TTransRec* t : ledger.TransList.KeyList)
        if (t->Number == number && t->Split == split)
            return t;
    return nullptr;
}

TEST_F(Transact, CreditWithGstFromThePercentage) {
    const std::int32_t number = Ledger.TransList.NewNumber();
    const std::int32_t firstAccount = Ledger.BookList.Items(0)->Number;
    const QString firstAccountName = FromDocument(Ledger.BookList.Items(0)->Name.Str());
    auto editor = OpenNew(false);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("New Transaction"));
    auto* kind = ChildOf<QLabel>(*editor, "TransKindPanel");
    EXPECT_EQ(kind->text(), QStringLiteral("Credit Transaction"));
    EXPECT_EQ(kind->palette().color(QPalette::Window), QColor(0, 255, 0));
    EXPECT_EQ(kind->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_EQ(ChildOf<QLabel>(*editor, "TransNoPanel")->text(), QString::number(number));
    EXPECT_EQ(editor->focusWidget(), ChildOf<QComboBox>(*editor, "ComboMainName"));
    EXPECT_FALSE(ChildOf<QComboBox>(*editor, "ComboSubName")->isEnabled()) << "no category yet";
    EXPECT_EQ(ChildOf<QComboBox>(*editor, "ComboGrpName")->currentText(), QStringLiteral("General <default>"));
    EXPECT_EQ(ChildOf<TBookCombo>(*editor, "BookCombo")->currentText(), firstAccountName);
    EXPECT_FALSE(ChildOf<QTabBar>(*editor, "TabControl")->isVisible());

    // The category has three sub categories: its list drops open for the user to choose.
    auto* subs = ChildOf<QComboBox>(*editor, "ComboSubName");
    Choose(ChildOf<QComboBox>(*editor, "ComboMainName"), QStringLiteral("Caf"));
    EXPECT_TRUE(subs->view()->isVisible());
    Choose(subs, QStringLiteral("Take"));
    EXPECT_FALSE(subs->view()->isVisible());
    EXPECT_EQ(ChildOf<QLabel>(*editor, "DetailLabel")->text(), QStringLiteral("Caf\u00E9 Takings, Takeaway"));

    auto* percentMode = ChildOf<QToolButton>(*editor, "GstPercentToggle");
    EXPECT_TRUE(percentMode->isChecked());
    EXPECT_EQ(percentMode->toolTip(), QStringLiteral("Auto calculate GST"));
    EXPECT_EQ(ChildOf<QToolButton>(*editor, "GstAmountToggle")->toolTip(),
              QStringLiteral("Enter a specific GST amount"));
    EXPECT_EQ(ChildOf<QLabel>(*editor, "BeforeGstLabel")->text(), QStringLiteral("Before GST"));
    QTest::keyClicks(ChildOf<QLineEdit>(*editor, "EditReference"), QStringLiteral("INV-77"));
    TypeAndLeave(ChildOf<QLineEdit>(*editor, "NbrBoxAmount"), QStringLiteral("110"));
    EXPECT_EQ(ChildOf<QLineEdit>(*editor, "GstPercentEdit")->text(), QStringLiteral("10.00"));
    EXPECT_EQ(ChildOf<QLineEdit>(*editor, "NbrBoxBeforeGst")->text(), QStringLiteral("100.00"));
    EXPECT_EQ(ChildOf<QLineEdit>(*editor, "NbrBoxGstAmount")->text(), QStringLiteral("10.00"));
    EXPECT_FALSE(ChildOf<QLineEdit>(*editor, "NbrBoxGstAmount")->isEnabled());
    // Two tenths up: 110 at 10.2 % holds 10.18 of GST.
    auto* arrows = ChildOf<TPercentUpDown>(*editor, "UpDown1");
    QTest::mouseClick(arrows->UpButton(), Qt::LeftButton);
    QTest::mouseClick(arrows->UpButton(), Qt::LeftButton);
    EXPECT_EQ(ChildOf<QLineEdit>(*editor, "GstPercentEdit")->text(), QStringLiteral("10.20"));
    EXPECT_EQ(ChildOf<QLineEdit>(*editor, "NbrBoxGstAmount")->text(), QStringLiteral("10.18"));
    EXPECT_EQ(ChildOf<QLineEdit>(*editor, "NbrBoxBeforeGst")->text(), QStringLiteral("99.82"));
    // The amount before GST, typed, gives the total.
    TypeAndLeave(ChildOf<QLineEdit>(*editor, "NbrBoxBeforeGst"), QStringLiteral("200"));
    EXPECT_EQ(ChildOf<QLineEdit>(*editor, "NbrBoxAmount")->text(), QStringLiteral("220.40"));
    EXPECT_EQ(ChildOf<QLineEdit>(*editor, "NbrBoxGstAmount")->text(), QStringLiteral("20.40"));
    QTest::keyClicks(ChildOf<QPlainTextEdit>(*editor, "MemoMemo"), QStringLiteral("Market day"));

    Press(*editor, "OKBtn");
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(editor->result(), QDialog::Accepted);
    const TTransactionEditorResult result = editor->Result();
    EXPECT_TRUE(result.ClosedWithOK && result.Saved && result.NewRecordsAdded);

    auto disk = Stored();
    const TTransRec* stored = StoredRecord(disk->Ledger, number);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->Kind, TransCredit);
    EXPECT_EQ(stored->MainAct, 100);
    EXPECT_EQ(stored->SubAct, 2);
    EXPECT_EQ(stored->Group, 0);
    EXPECT_EQ(stored->Book, firstAccount);
    EXPECT_EQ(stored->Amount, Money::FromDouble(220.40));
    EXPECT_EQ(stored->Gst, Money::FromDouble(20.40));
    EXPECT_EQ(stored->Reference.Str(), "INV-77");
    EXPECT_EQ(stored->Notes, "Market day");
    EXPECT_EQ(stored->Date, EncodeDate(2026, 7, 1));
    EXPECT_EQ(stored->Reconciled, 1);
}

TEST_F(Transact, DebitWithAGstAmountTypedIn) {
    const std::int32_t number = Ledger.TransList.NewNumber();
    const std::int32_t secondAccount = Ledger.BookList.Items(1)->Number;
    Options.NewTransDisabled = true;
    auto editor = OpenNew(true);
    auto* kind = ChildOf<QLabel>(*editor, "TransKindPanel");
    EXPECT_EQ(kind->text(), QStringLiteral("Debit Transaction"));
    EXPECT_EQ(kind->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(kind->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_FALSE(ChildOf<QCheckBox>(*editor, "DisableCheck")->isChecked());
    Choose(ChildOf<QComboBox>(*editor, "ComboMainName"), QStringLiteral("Shop"));
    Choose(ChildOf<QComboBox>(*editor, "ComboSubName"), QStringLiteral("Rent"));
    Choose(ChildOf<QComboBox>(*editor, "ComboGrpName"), QStringLiteral("Mark"));
    Choose(ChildOf<TBookCombo>(*editor, "BookCombo"), FromDocument(Ledger.BookList.Items(1)->Name.Str()).left(4));

    Press(*editor, "GstAmountToggle");
    auto* before = ChildOf<QLineEdit>(*editor, "NbrBoxBeforeGst");
    auto* gst = ChildOf<QLineEdit>(*editor, "NbrBoxGstAmount");
    EXPECT_FALSE(ChildOf<QWidget>(*editor, "PercentPart")->isVisible());
    EXPECT_FALSE(before->isEnabled());
    EXPECT_TRUE(gst->isEnabled());
    EXPECT_EQ(before->palette().color(QPalette::Disabled, QPalette::Base), DisabledFill()) << "disabled boxes are pale";
    TypeAndLeave(ChildOf<QLineEdit>(*editor, "NbrBoxAmount"), QStringLiteral("55"));
    TypeAndLeave(gst, QStringLiteral("3.21"));
    EXPECT_EQ(before->text(), QStringLiteral("51.79"));
    // Back to the percentage and again to the amount: the typed GST comes back.
    Press(*editor, "GstPercentToggle");
    EXPECT_EQ(gst->text(), QStringLiteral("5.00"));
    Press(*editor, "GstAmountToggle");
    EXPECT_EQ(gst->text(), QStringLiteral("3.21"));
    EXPECT_EQ(before->text(), QStringLiteral("51.79"));

    Press(*editor, "OKBtn");
    ASSERT_FALSE(editor->isVisible()) << Prompts.LastText();
    auto disk = Stored();
    const TTransRec* stored = StoredRecord(disk->Ledger, number);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->Kind, TransDebit);
    EXPECT_EQ(stored->MainAct, 200);
    EXPECT_EQ(stored->SubAct, 1);
    EXPECT_EQ(stored->Group, 3);
    EXPECT_EQ(stored->Book, secondAccount);
    EXPECT_EQ(stored->Amount, Money::FromUnits(55));
    EXPECT_EQ(stored->Gst, Money::FromDouble(3.21));
    EXPECT_EQ(stored->Reconciled, 0);
}

// An unsplit sale split into A, B and C; B deleted before the save leaves A and B (the old C)
// on disk. Then "&Delete" takes the whole transaction away.
TEST_F(Transact, SplitInThreeDeleteASplitThenTheTransaction) {
    const std::int32_t index = FirstUnsplitCredit();
    ASSERT_GE(index, 0);
    const TTransRec original = *Ledger.TransList.Items(index);
    auto editor = Open(TTransMode::Index, index);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Transactions"));
    EXPECT_FALSE(ChildOf<QPushButton>(*editor, "SplitBtn")->isEnabled()) << "locked";
    Press(*editor, "EditBtn");
    Press(*editor, "SplitBtn");
    auto* tabs = ChildOf<QTabBar>(*editor, "TabControl");
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("A"));
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(ChildOf<QLabel>(*editor, "TransKindPanel")->text(), QStringLiteral("Split Credit Transaction"));
    EXPECT_EQ(ChildOf<QLabel>(*editor, "TransNoPanel")->text(), QString::number(original.Number) + QLatin1Char('B'));
    EXPECT_EQ(editor->focusWidget(), ChildOf<QWidget>(*editor, "ComboMainName"));
    EnterSale(*editor);
    TypeAndLeave(ChildOf<QLineEdit>(*editor, "NbrBoxAmount"), QStringLiteral("20"));
    Press(*editor, "AddSplitBtn");
    EXPECT_EQ(tabs->count(), 3);
    Choose(ChildOf<QComboBox>(*editor, "ComboMainName"), QStringLiteral("Cat"));
    Choose(ChildOf<QComboBox>(*editor, "ComboSubName"), QStringLiteral("Func"));
    TypeAndLeave(ChildOf<QLineEdit>(*editor, "NbrBoxAmount"), QStringLiteral("30"));
    auto* total = ChildOf<QLabel>(*editor, "TotalLabel");
    EXPECT_TRUE(total->isVisible());
    EXPECT_EQ(total->text(), FromDocument(Formats.MoneyText(original.Amount + Money::FromUnits(50))));

    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(ChildOf<QLineEdit>(*editor, "NbrBoxAmount")->text(), QStringLiteral("20.00"));
    Prompts.QueueAnswer(MsgResult::Yes);
    Press(*editor, "DeleteSplitBtn");
    EXPECT_EQ(Prompts.LastText(), "Delete Split B.");
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("B"));
    EXPECT_EQ(total->text(), FromDocument(Formats.MoneyText(original.Amount + Money::FromUnits(30))));
    Press(*editor, "OKBtn");
    ASSERT_FALSE(editor->isVisible()) << Prompts.LastText();
    {
        const auto stored = Stored();
        const TLedger& disk = stored->Ledger;
        const TTransRec* a = StoredRecord(disk, original.Number, 'A');
        const TTransRec* b = StoredRecord(disk, original.Number, 'B');
        ASSERT_TRUE(a && b);
        EXPECT_EQ(a->Amount, original.Amount);
        EXPECT_EQ(b->Amount, Money::FromUnits(30));
        EXPECT_EQ(b->MainAct, 500);
        EXPECT_EQ(StoredRecord(disk, original.Number, '0'), nullptr);
        EXPECT_EQ(StoredRecord(disk, original.Number, 'C'), nullptr);
    }

    ASSERT_TRUE(Convert.OpenDocument(Path).Opened);
    std::int32_t at = -1;
    for (std::int32_t i = 0; i < Ledger.TransList.Count() && at < 0; ++i)
        if (Ledger.TransList.Items(i)->Number == original.Number)
            at = i;
    auto again = Open(TTransMode::Index, at);
    Prompts.QueueAnswer(MsgResult::Yes);
    Press(*again, "DeleteBtn");
    EXPECT_EQ(Prompts.LastText(), "Delete this Transaction.");
    EXPECT_EQ(again->Result().Deleted, 2);
    EXPECT_NE(ChildOf<QLabel>(*again, "TransNoPanel")->text(), QString::number(original.Number));
    Press(*again, "CancelBtn");
    const auto stored = Stored();
    const TLedger& disk = stored->Ledger;
    EXPECT_EQ(StoredRecord(disk, original.Number, 'A'), nullptr);
    EXPECT_EQ(StoredRecord(disk, original.Number, 'B'), nullptr);
}

// Each refusal names its field: the warning, the focus on that field, nothing written.
TEST_F(Transact, ARefusedSaveFocusesTheOffendingField) {
    const TBookRec* account = Ledger.BookList.Items(0);
    ASSERT_NE(account->OpeningTrans, nullptr);
    const CalendarDate opening = DecodeDate(account->OpeningTrans->Date);
    const QDate openingDay(opening.Year, opening.Month, opening.Day);
    const QDate dayBefore = openingDay.addDays(-1);
    struct Case {
        const char* Name;
        std::function<void(TTransact&)> Fill;
        std::string Message;
        const char* Focus;
        bool NoAccountSelected = false;
    };
    const Case cases[] = {
        {"no category", [](TTransact&) {}, "Category not valid!", "ComboMainName"},
        {"no account",
         [](TTransact& e) {
             EnterSale(e);
             TypeAndLeave(ChildOf<QLineEdit>(e, "NbrBoxAmount"), QStringLiteral("10"));
         },
         "You must select an Account for this Transaction", "BookCombo", true},
        {"no amount", [](TTransact& e) { EnterSale(e); }, "Amount not valid!", "NbrBoxAmount"},
        {"GST as large as the amount",
         [](TTransact& e) {
             EnterSale(e);
             Press(e, "GstAmountToggle");
             TypeAndLeave(ChildOf<QLineEdit>(e, "NbrBoxAmount"), QStringLiteral("10"));
             TypeAndLeave(ChildOf<QLineEdit>(e, "NbrBoxGstAmount"), QStringLiteral("10"));
         },
         "The GST amount cannot be greater than the total amount of the Transaction", "NbrBoxAmount"},
        {"a day before the opening balance",
         [&](TTransact& e) {
             EnterSale(e);
             TypeAndLeave(ChildOf<QLineEdit>(e, "NbrBoxAmount"), QStringLiteral("10"));
             TypeDate(ChildOf<TDateBox>(e, "DateEditBtn"), dayBefore);
         },
         "The date you have entered is less than the Opening Balance date for the Account you have selected.  If "
         "you want this Transaction to be in this Account you must enter a date greater than or equal to '" +
             Formats.DateText(DayOf(account->OpeningTrans->Date)) + "'",
         "DateEditBtn"},
    };
    const QByteArray before = FileBytes();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        // No account chosen in the account bar: a new transaction starts without one.
        for (TBookRec* book : Ledger.BookList.KeyList)
            book->Selected = c.NoAccountSelected ? 0 : 1;
        auto editor = OpenNew(false);
        c.Fill(*editor);
        Prompts.Messages.clear();
        Press(*editor, "OKBtn");
        EXPECT_TRUE(editor->isVisible());
        ASSERT_EQ(Prompts.Messages.size(), 1u);
        EXPECT_EQ(Prompts.Messages[0].Text, c.Message);
        EXPECT_EQ(Prompts.Messages[0].Kind, MsgKind::Warning);
        QWidget* focus = QApplication::focusWidget();
        QWidget* expected = ChildOf<QWidget>(*editor, c.Focus);
        EXPECT_TRUE(focus == expected || (focus && expected->isAncestorOf(focus)))
            << (focus ? focus->objectName().toStdString() : "nothing");
        if (std::string(c.Name) == "a day before the opening balance")
            EXPECT_EQ(ChildOf<TDateBox>(*editor, "DateEditBtn")->date(), openingDay);
        editor->reject();
    }
    EXPECT_EQ(FileBytes(), before);
}

TEST_F(Transact, LockedUntilUnlockedWithTheEditingPassword) {
    const std::int32_t index = FirstUnsplitCredit();
    auto editor = Open(TTransMode::Index, index);
    auto* panel = ChildOf<QFrame>(*editor, "DetailPanel");
    auto* categories = ChildOf<QComboBox>(*editor, "ComboMainName");
    auto* reference = ChildOf<QLineEdit>(*editor, "EditReference");
    EXPECT_FALSE(panel->isEnabled());
    EXPECT_EQ(categories->palette().color(QPalette::Disabled, QPalette::Base), QColor(0xD4, 0xF5, 0xD4));
    EXPECT_EQ(reference->palette().color(QPalette::Disabled, QPalette::Base), QColor(0xFF, 0xFF, 0xD8));
    EXPECT_EQ(categories->currentData().toInt(), Ledger.TransList.Items(index)->MainAct);
    EXPECT_FALSE(ChildOf<QPushButton>(*editor, "AddSplitBtn")->isEnabled());
    EXPECT_TRUE(ChildOf<QPushButton>(*editor, "DeleteBtn")->isEnabled());

    Protect(TAccessArea::Editing, false);
    Press(*editor, "EditBtn");
    EXPECT_EQ(PasswordsAsked, 1);
    EXPECT_FALSE(panel->isEnabled()) << "a wrong password leaves it locked";
    EXPECT_TRUE(ChildOf<QPushButton>(*editor, "EditBtn")->isEnabled());
    PasswordGiven = true;
    Press(*editor, "EditBtn");
    EXPECT_EQ(PasswordsAsked, 2);
    EXPECT_TRUE(panel->isEnabled());
    EXPECT_FALSE(ChildOf<QPushButton>(*editor, "EditBtn")->isEnabled());
    EXPECT_EQ(editor->focusWidget(), categories);
    EXPECT_EQ(reference->palette().color(QPalette::Active, QPalette::Base),
              QApplication::palette().color(QPalette::Active, QPalette::Base));
    EXPECT_TRUE(ChildOf<QPushButton>(*editor, "SplitBtn")->isEnabled());
}

// The arrows step over the other splits of a transaction and load the next one locked.
TEST_F(Transact, ArrowsMoveBetweenTransactions) {
    const std::int32_t index = FirstUnsplitCredit();
    auto editor = Open(TTransMode::Index, index);
    auto* number = ChildOf<QLabel>(*editor, "TransNoPanel");
    const QString first = number->text();
    Press(*editor, "ForwardBtn");
    EXPECT_NE(number->text(), first);
    EXPECT_FALSE(ChildOf<QFrame>(*editor, "DetailPanel")->isEnabled());
    Press(*editor, "BackBtn");
    EXPECT_EQ(number->text(), first);
    EXPECT_TRUE(Prompts.Messages.empty()) << "nothing changed: nothing asked";
}

// Cancel drops what was typed: the file's bytes stay as they were, and nothing is asked.
TEST_F(Transact, CancelLeavesTheFileAsItWas) {
    const QByteArray before = FileBytes();
    const std::int32_t index = FirstUnsplitCredit();
    const Money amount = Ledger.TransList.Items(index)->Amount;
    {
        auto editor = Open(TTransMode::Index, index);
        Press(*editor, "EditBtn");
        TypeAndLeave(ChildOf<QLineEdit>(*editor, "NbrBoxAmount"), QStringLiteral("999"));
        Press(*editor, "CancelBtn");
        EXPECT_FALSE(editor->isVisible());
        EXPECT_FALSE(editor->Result().Changed());
    }
    {
        auto editor = OpenNew(false);
        EnterSale(*editor);
        TypeAndLeave(ChildOf<QLineEdit>(*editor, "NbrBoxAmount"), QStringLiteral("12"));
        Press(*editor, "CancelBtn");
    }
    EXPECT_TRUE(Prompts.Messages.empty());
    EXPECT_EQ(Ledger.TransList.Items(index)->Amount, amount);
    EXPECT_EQ(FileBytes(), before);
}

// "&Find" asks about the new transaction first; a search given up leaves the window open, an
// applied one closes it with OK. "&Help" opens topic 5000, which F1 finds as well.
TEST_F(Transact, FindAndHelp) {
    auto editor = OpenNew(false);
    EXPECT_EQ(HelpContextOf(editor.get(), 0), TTransact::HelpTopic);
    Press(*editor, "HelpBtn");
    EXPECT_EQ(HelpTopics, std::vector<int>{5000});
    EnterSale(*editor);
    Prompts.QueueAnswer(MsgResult::Cancel);
    Press(*editor, "FindBtn");
    EXPECT_EQ(Prompts.LastText(), "Save new Transaction?");
    EXPECT_EQ(SearchesOpened, 0) << "Cancel stops before the search";
    Prompts.QueueAnswer(MsgResult::No);
    Press(*editor, "FindBtn");
    EXPECT_EQ(SearchesOpened, 1);
    EXPECT_TRUE(editor->isVisible());
    SearchApplied = true;
    Prompts.QueueAnswer(MsgResult::No);
    Press(*editor, "FindBtn");
    EXPECT_FALSE(editor->isVisible());
    EXPECT_TRUE(editor->SearchApplied());
    EXPECT_TRUE(editor->Result().ClosedWithOK);
    EXPECT_FALSE(editor->Result().Saved);
}

} // namespace
} // namespace qz::gui::test
