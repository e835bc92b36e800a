// The category editor on the café example, driven by clicks and keys: categories made,
// renamed, renumbered and deleted through the category dialog, sub categories in the detail
// panel, the questions on leaving an open edit, the refusals, the password of each area, a
// failed write, and what the document file holds afterwards.

#include "CategoryEditorFixture.h"

#include "editors/NewMainActForm.h"
#include "forms/ModalDriver.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <QFocusEvent>

#include <algorithm>
#include <cerrno>

namespace qz::gui::test {
namespace {

QStringList Column(QTreeWidget* list, int column) {
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column);
    return texts;
}

void Click(QWidget& window, const char* name) {
    auto* button = window.findChild<QAbstractButton*>(QLatin1String(name));
    ASSERT_NE(button, nullptr) << name;
    ASSERT_TRUE(button->isEnabled() && button->isVisible()) << name;
    button->click();
}

// Chooses the row of the list with that name, as a click on it does.
void ClickRow(QTreeWidget* list, const QString& name) {
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (QTreeWidgetItem* row = list->topLevelItem(i); row->text(1) == name) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(row).center());
            return;
        }
    ADD_FAILURE() << "no row " << name.toStdString();
}

void ChooseType(TNewMainActForm& dialog, const QString& name) {
    auto* types = dialog.findChild<QListWidget*>("CatListBox");
    const QList<QListWidgetItem*> found = types->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    types->setCurrentItem(found.front());
}

void Retype(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

using MainActForm = CategoryEditorTest;

// A new debit category, two sub categories with their GST percentages, the second saved by the
// question that leaving the open panel asks; the file holds them.
TEST_F(MainActForm, NewCategoryWithTwoSubCategories) {
    auto window = OpenEditor();
    WhenModal<TNewMainActForm>([](TNewMainActForm& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("New Category"));
        // 100 to 1800 are taken.
        EXPECT_EQ(dialog.findChild<QLineEdit*>("NumberEdit")->text(), QStringLiteral("1900"));
        auto* credit = dialog.findChild<QPushButton*>("CreditBtn");
        EXPECT_TRUE(credit->isChecked());
        EXPECT_EQ(dialog.focusWidget(), credit);
        auto* types = dialog.findChild<QListWidget*>("CatListBox");
        EXPECT_EQ(types->currentRow(), -1);
        EXPECT_FALSE(types->findItems(QStringLiteral("General Income"), Qt::MatchExactly).isEmpty());
        dialog.findChild<QPushButton*>("DebitBtn")->click();
        EXPECT_FALSE(credit->isChecked());
        EXPECT_EQ(types->currentRow(), 0) << "a new side chooses its first type";
        EXPECT_TRUE(types->findItems(QStringLiteral("General Income"), Qt::MatchExactly).isEmpty());
        EXPECT_TRUE(types->findItems(QStringLiteral("GST"), Qt::MatchExactly).isEmpty()) << "no system type";
        ChooseType(dialog, QStringLiteral("Overheads"));
        EXPECT_EQ(dialog.findChild<QPlainTextEdit*>("DescriptionBox")->toPlainText(),
                  QStringLiteral("For any overhead related expenses."));
        QTest::keyClicks(dialog.findChild<QLineEdit*>("NameEdit"), QStringLiteral("  Market Stall "));
        dialog.findChild<QPushButton*>("OKBtn")->click();
    });
    Click(*window, "NewMainBtn");
    EXPECT_EQ(Child<QLabel>(*window, "NumberPanel")->text(), QStringLiteral("#1900"));
    EXPECT_EQ(Child<QLabel>(*window, "NamePanel")->text(), QStringLiteral("Market Stall"));
    EXPECT_EQ(Child<QLabel>(*window, "TypePanel")->text(), QStringLiteral("Overheads"));
    auto* subs = Child<QTreeWidget>(*window, "SubList");
    EXPECT_EQ(subs->topLevelItemCount(), 0);

    Click(*window, "NewSubBtn");
    auto* name = Child<QLineEdit>(*window, "NameEdit");
    EXPECT_EQ(window->focusWidget(), name);
    EXPECT_FALSE(window->Locked());
    EXPECT_EQ(Child<QLabel>(*window, "SubNumberLabel")->text(), QStringLiteral("1900\u20131"));
    EXPECT_EQ(Column(subs, 1), QStringList{QStringLiteral("<New Sub Category>")});
    EXPECT_EQ(Child<QLineEdit>(*window, "PercentEdit")->text(), QStringLiteral("10.00"));
    EXPECT_FALSE(Child<QPushButton>(*window, "EditSubBtn")->isEnabled());
    EXPECT_EQ(Child<QPushButton>(*window, "SubOKBtn")->text(), QStringLiteral("&Save New Sub Category"));
    QTest::keyClicks(name, QStringLiteral("Saturday "));
    EXPECT_EQ(Column(subs, 1), QStringList{QStringLiteral("Saturday")}) << "the row follows the name box";
    Click(*window, "PercentUpBtn");
    Click(*window, "PercentUpBtn");
    Click(*window, "PercentDownBtn");
    Click(*window, "PercentUpBtn");
    EXPECT_EQ(Column(subs, 2), QStringList{QStringLiteral("10.20%")});
    QTest::keyClicks(Child<QPlainTextEdit>(*window, "NotesMemo"), QStringLiteral("Farmers' market"));
    Click(*window, "SubOKBtn");
    EXPECT_TRUE(window->Locked());
    EXPECT_FALSE(Child<QPushButton>(*window, "SubOKBtn")->isVisible());

    Click(*window, "NewSubBtn");
    QTest::keyClicks(name, QStringLiteral("Sunday"));
    // A new sub category under way: the next one asks to save it first.
    Prompts.QueueAnswer(MsgResult::Yes);
    Click(*window, "NewSubBtn");
    EXPECT_EQ(Prompts.LastText(), "Save New Sub Category  - 'Sunday'");
    EXPECT_EQ(Column(subs, 0), (QStringList{"1900-1", "1900-2", "1900-3"}));
    EXPECT_EQ(Column(subs, 1), (QStringList{"Saturday", "Sunday", "<New Sub Category>"}));
    Click(*window, "SubCancelBtn");
    EXPECT_EQ(Column(subs, 1), (QStringList{"Saturday", "Sunday"}));
    EXPECT_EQ(window->ChosenSub(), TMainActForm::NoSub);

    Click(*window, "OKBtn");
    const TCategoryEditorOutcome& outcome = window->Outcome();
    EXPECT_TRUE(outcome.Changed);
    EXPECT_TRUE(outcome.Refresh & RefreshCategories);
    EXPECT_TRUE(outcome.Refresh & RefreshSubCategories);
    EXPECT_FALSE(outcome.Refresh & RefreshTotals);

    auto disk = Stored();
    const TMainActRec* stall = disk->Ledger.MainActList.FindByNumber(1900);
    ASSERT_NE(stall, nullptr);
    EXPECT_EQ(stall->Name, "Market Stall");
    EXPECT_EQ(stall->Side, SideDebit);
    EXPECT_EQ(disk->Ledger.CatList.Find(stall->CatType)->Name, "Overheads");
    const TSubActRec* saturday = disk->Ledger.SubActList.FindPair(1900, 1);
    const TSubActRec* sunday = disk->Ledger.SubActList.FindPair(1900, 2);
    ASSERT_TRUE(saturday && sunday);
    EXPECT_EQ(saturday->Name, "Saturday");
    EXPECT_EQ(saturday->GstPercent, Money::FromDouble(10.2));
    EXPECT_EQ(saturday->Notes, "Farmers' market");
    EXPECT_EQ(saturday->Side, SideDebit);
    EXPECT_EQ(sunday->Name, "Sunday");
    EXPECT_EQ(sunday->GstPercent, Money::FromUnits(10));
    EXPECT_EQ(disk->Ledger.SubActList.FindPair(1900, 3), nullptr);
}

// A changed number asks; Yes moves the sub categories and the transactions along, No keeps the
// number and still saves the new name.
TEST_F(MainActForm, RenumberingAndRenaming) {
    struct Case {
        MsgResult Answer;
        std::int32_t Number;
    } cases[] = {{MsgResult::Yes, 250}, {MsgResult::No, 200}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Number);
        TearDown();
        SetUp();
        std::vector<std::pair<std::int32_t, char>> used;
        for (const TTransRec* t : Ledger.TransList.KeyList)
            if (t->IsOrdinary() && t->MainAct == 200)
                used.emplace_back(t->Number, t->Split);
        ASSERT_FALSE(used.empty());
        auto window = OpenEditor(200);
        ClickRow(Child<QTreeWidget>(*window, "SubList"), QStringLiteral("Outgoings"));
        WhenModal<TNewMainActForm>([](TNewMainActForm& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Edit Category"));
            EXPECT_FALSE(dialog.findChild<QPushButton*>("CreditBtn")->isEnabled());
            EXPECT_TRUE(dialog.findChild<QPushButton*>("DebitBtn")->isChecked());
            EXPECT_EQ(dialog.findChild<QListWidget*>("CatListBox")->currentItem()->text(), QStringLiteral("Overheads"));
            auto* name = dialog.findChild<QLineEdit*>("NameEdit");
            EXPECT_EQ(dialog.focusWidget(), name);
            EXPECT_EQ(name->text(), QStringLiteral("Shop Rent"));
            Retype(dialog.findChild<QLineEdit*>("NumberEdit"), QStringLiteral("250"));
            Retype(name, QStringLiteral("Shop Lease"));
            dialog.findChild<QPushButton*>("OKBtn")->click();
        });
        Prompts.QueueAnswer(c.Answer);
        Click(*window, "EditMainBtn");
        EXPECT_EQ(Prompts.LastText(),
                  "The Category Number has been changed.  Do you want to save the changes to the Category Number?");
        EXPECT_EQ(Child<QLabel>(*window, "NumberPanel")->text(), QStringLiteral("#%1").arg(c.Number));
        EXPECT_EQ(Child<QLabel>(*window, "NamePanel")->text(), QStringLiteral("Shop Lease"));
        EXPECT_EQ(Ledger.MainActList.Items(window->Position())->Number, c.Number);
        // The sub category chosen before stays chosen under the new number.
        ASSERT_GE(window->ChosenSub(), 0);
        EXPECT_EQ(Ledger.SubActList.Items(window->ChosenSub())->NumberText(), std::to_string(c.Number) + "-2");
        EXPECT_EQ(Column(Child<QTreeWidget>(*window, "SubList"), 0).front(), QString::number(c.Number) + "-1");
        EXPECT_TRUE(window->Outcome().Refresh & RefreshTransactions);
        window.reset();

        auto disk = Stored();
        const TLedger& stored = disk->Ledger;
        ASSERT_NE(stored.MainActList.FindByNumber(c.Number), nullptr);
        EXPECT_EQ(stored.MainActList.FindByNumber(c.Number)->Name, "Shop Lease");
        EXPECT_EQ(stored.MainActList.FindByNumber(c.Number == 250 ? 200 : 250), nullptr);
        for (std::int32_t sub = 1; sub <= 3; ++sub)
            EXPECT_NE(stored.SubActList.FindPair(c.Number, sub), nullptr) << sub;
        for (const auto& [number, split] : used)
            for (const TTransRec* t : stored.TransList.KeyList)
                if (t->Number == number && t->Split == split)
                    EXPECT_EQ(t->MainAct, c.Number) << "transaction " << number << split;
    }
}

// The number box steps in hundreds to free numbers; "0" becomes the first free number of
// 101, 201...; the checks on OK keep the dialog open with the focus on the field at fault.
TEST_F(MainActForm, CategoryDialogNumbersAndChecks) {
    TCategoryFields fields;
    TEditOutcome outcome;
    WhenModal<TNewMainActForm>([this](TNewMainActForm& dialog) {
        auto* number = dialog.findChild<QLineEdit*>("NumberEdit");
        auto* name = dialog.findChild<QLineEdit*>("NameEdit");
        auto* ok = dialog.findChild<QPushButton*>("OKBtn");
        Retype(number, QStringLiteral("250"));
        dialog.findChild<QToolButton*>("NumberDownBtn")->click();
        EXPECT_EQ(number->text(), QStringLiteral("1900")) << "200 is taken: the number moves up";
        QTest::keyClick(number, Qt::Key_Up);
        EXPECT_EQ(number->text(), QStringLiteral("2000"));
        QTest::keyClick(number, Qt::Key_Down);
        EXPECT_EQ(number->text(), QStringLiteral("1900"));
        Retype(number, QStringLiteral("0"));
        QFocusEvent leave(QEvent::FocusOut);
        QApplication::sendEvent(number, &leave);
        EXPECT_EQ(number->text(), QStringLiteral("101"));

        Retype(number, QStringLiteral("300"));
        ok->click();
        EXPECT_EQ(Prompts.LastText(), "The Category number you have entered already in use.");
        EXPECT_EQ(dialog.focusWidget(), number);
        Retype(number, QStringLiteral("1950"));
        Retype(name, QStringLiteral("shop rent"));
        ok->click();
        EXPECT_EQ(Prompts.LastText(), "The name 'shop rent' is already being used.");
        EXPECT_EQ(dialog.focusWidget(), name);
        Retype(name, QStringLiteral("Tips"));
        ok->click();
        EXPECT_EQ(Prompts.LastText(), "You Must Select a Category Type");
        EXPECT_TRUE(dialog.isVisible());
        ChooseType(dialog, QStringLiteral("Other Income"));
        ok->click();
    });
    ASSERT_TRUE(TNewMainActForm::EditCategory(nullptr, Edit, TNewMainActForm::TMode::New, -1, fields, outcome));
    EXPECT_EQ(fields.Number, 1950);
    EXPECT_EQ(fields.Name, "Tips");
    EXPECT_EQ(fields.Side, SideCredit);
    EXPECT_EQ(Ledger.CatList.Find(fields.CatType)->Name, "Other Income");
    EXPECT_EQ(Ledger.MainActList.FindByNumber(1950), nullptr) << "the editor adds it, not the dialog";
}

// Leaving an open edit by another command asks to save it: Cancel stays, No drops the edit,
// Yes saves it; either way the command then runs.
TEST_F(MainActForm, LeavingAnOpenEditAsks) {
    struct Case {
        MsgResult Answer;
        bool Moved;
        const char* Stored;
    } cases[] = {
        {MsgResult::Cancel, false, "Takeaway"}, {MsgResult::No, true, "Takeaway"}, {MsgResult::Yes, true, "Take Away"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Stored);
        auto window = OpenEditor(100);
        auto* subs = Child<QTreeWidget>(*window, "SubList");
        ClickRow(subs, QStringLiteral("Takeaway"));
        Click(*window, "EditSubBtn");
        EXPECT_EQ(Child<QPushButton>(*window, "SubOKBtn")->text(), QStringLiteral("&Save Changes"));
        EXPECT_FALSE(Child<QPushButton>(*window, "NewSubBtn")->isEnabled());
        EXPECT_FALSE(Child<QPushButton>(*window, "DelSubBtn")->isEnabled());
        Retype(Child<QLineEdit>(*window, "NameEdit"), QStringLiteral("Take Away"));
        Prompts.QueueAnswer(c.Answer);
        Click(*window, "ForwardBtn");
        EXPECT_EQ(Prompts.LastText(), "Save changes to Sub Category  - 'Take Away'");
        EXPECT_EQ(Ledger.MainActList.Items(window->Position())->Number, c.Moved ? 200 : 100);
        EXPECT_EQ(window->Locked(), c.Moved);
        EXPECT_EQ(Ledger.SubActList.FindPair(100, 2)->Name, c.Stored);
        if (!c.Moved) {
            // The list choice is refused too, and the open edit stays.
            Prompts.QueueAnswer(MsgResult::Cancel);
            ClickRow(subs, QStringLiteral("Counter"));
            EXPECT_EQ(Ledger.SubActList.Items(window->ChosenSub())->Number, 2);
            EXPECT_EQ(Child<QLineEdit>(*window, "NameEdit")->text(), QStringLiteral("Take Away"));
            Click(*window, "SubCancelBtn");
            EXPECT_EQ(Column(subs, 1)[1], QStringLiteral("Takeaway"));
        }
    }
    // An unchanged open panel closes without a question; a change in letter case only needs no
    // name check.
    auto window = OpenEditor(100);
    ClickRow(Child<QTreeWidget>(*window, "SubList"), QStringLiteral("Counter"));
    Click(*window, "EditSubBtn");
    const std::size_t asked = Prompts.Messages.size();
    Click(*window, "ForwardBtn");
    EXPECT_EQ(Prompts.Messages.size(), asked);
    Click(*window, "BackBtn");
    ClickRow(Child<QTreeWidget>(*window, "SubList"), QStringLiteral("Counter"));
    Click(*window, "EditSubBtn");
    Retype(Child<QLineEdit>(*window, "NameEdit"), QStringLiteral("COUNTER"));
    Click(*window, "SubOKBtn");
    EXPECT_EQ(Prompts.Messages.size(), asked);
    EXPECT_EQ(Ledger.SubActList.FindPair(100, 1)->Name, "COUNTER");
}

// Refusals show their message and change nothing.
TEST_F(MainActForm, RefusalsChangeNothing) {
    auto window = OpenEditor(200);
    const std::string before = Files.Settings.BusinessName + std::to_string(Ledger.MainActList.Count()) +
                               std::to_string(Ledger.SubActList.Count());
    Prompts.QueueAnswer(MsgResult::Yes);
    Click(*window, "DelMainBtn");
    EXPECT_EQ(Prompts.Messages.at(Prompts.Messages.size() - 2).Text, "Delete Category - Shop Rent");
    EXPECT_EQ(Prompts.LastText(),
              "Category - Shop Rent - can't be deleted because its being used by one or more transactions.");
    auto* subs = Child<QTreeWidget>(*window, "SubList");
    ClickRow(subs, QStringLiteral("Rent"));
    Prompts.QueueAnswer(MsgResult::Yes);
    Click(*window, "DelSubBtn");
    EXPECT_EQ(Prompts.LastText(),
              "Sub Category - Rent - can't be deleted because its being used by one or more transactions.");
    Click(*window, "NewSubBtn");
    QTest::keyClicks(Child<QLineEdit>(*window, "NameEdit"), QStringLiteral(" storage"));
    Click(*window, "SubOKBtn");
    EXPECT_EQ(Prompts.LastText(), "The Sub Category name 'storage' is already in use.");
    EXPECT_FALSE(window->Locked());
    EXPECT_EQ(window->focusWidget(), Child<QLineEdit>(*window, "NameEdit"));
    EXPECT_TRUE(Child<QLineEdit>(*window, "NameEdit")->hasSelectedText());
    Click(*window, "CancelBtn");
    EXPECT_FALSE(window->Outcome().Changed);
    EXPECT_EQ(Files.Settings.BusinessName + std::to_string(Ledger.MainActList.Count()) +
                  std::to_string(Ledger.SubActList.Count()),
              before);
}

// Deleting a sub category, then a category no transaction uses with its sub categories; the
// editor then shows the category before it. The tax categories can be neither changed nor
// deleted, and their sub categories keep their percentage.
TEST_F(MainActForm, DeletionsAndTheTaxCategories) {
    TCategoryFields fields{1900, "Market Stall", SideDebit, -1};
    for (const TCatRec* type : Ledger.CatList.KeyList)
        if (type->Name == "Overheads")
            fields.CatType = type->Number;
    ASSERT_TRUE(AddCategory(Edit, fields).Done());
    const std::int32_t stall = Ledger.MainActList.IndexOfNumber(1900);
    for (const char* name : {"Saturday", "Sunday"})
        ASSERT_TRUE(AddSubCategory(Edit, stall, {name, Money(), ""}).Done());
    Ledger.SubActList.FindPair(1900, 1)->Row = 40;
    Ledger.SubActList.FindPair(1900, 2)->Row = 41;
    Ledger.MainActList.FindByNumber(1900)->Row = 12;

    auto window = OpenEditor(1900);
    auto* subs = Child<QTreeWidget>(*window, "SubList");
    ClickRow(subs, QStringLiteral("Saturday"));
    Prompts.QueueAnswer(MsgResult::Yes);
    Click(*window, "DelSubBtn");
    EXPECT_EQ(Prompts.LastText(), "Delete Sub Category - 'Saturday'");
    EXPECT_EQ(Column(subs, 1), QStringList{QStringLiteral("Sunday")});
    Prompts.QueueAnswer(MsgResult::Yes);
    Click(*window, "DelMainBtn");
    EXPECT_EQ(Prompts.LastText(), "Delete Category - Market Stall");
    EXPECT_EQ(Ledger.MainActList.FindByNumber(1900), nullptr);
    EXPECT_EQ(Ledger.SubActList.FindPair(1900, 2), nullptr);
    EXPECT_EQ(Ledger.MainActList.Items(window->Position())->Number, 1800);
    EXPECT_EQ(window->Outcome().DeletedCategoryRows, std::vector<std::int32_t>{12});
    EXPECT_EQ(window->Outcome().DeletedSubRows, (std::vector<std::int32_t>{40, 41}));

    // 1800 is the refunds category.
    EXPECT_FALSE(Child<QPushButton>(*window, "EditMainBtn")->isEnabled());
    EXPECT_FALSE(Child<QPushButton>(*window, "DelMainBtn")->isEnabled());
    EXPECT_TRUE(Child<QLabel>(*window, "TaxPicture")->isVisible());
    EXPECT_FALSE(Child<QToolButton>(*window, "PercentUpBtn")->isVisible());
    ClickRow(subs, QStringLiteral("Refunds"));
    Click(*window, "EditSubBtn");
    EXPECT_TRUE(Child<QLineEdit>(*window, "PercentEdit")->isReadOnly());
    Click(*window, "SubCancelBtn");
    Click(*window, "BackBtn"); // the payments category
    EXPECT_TRUE(Child<QLabel>(*window, "TaxPicture")->isVisible());
    EXPECT_FALSE(Child<QPushButton>(*window, "DelMainBtn")->isEnabled());
    Click(*window, "BackBtn");
    EXPECT_TRUE(Child<QToolButton>(*window, "PercentUpBtn")->isVisible());
    EXPECT_FALSE(Child<QLabel>(*window, "TaxPicture")->isVisible());

    auto disk = Stored();
    EXPECT_EQ(disk->Ledger.MainActList.FindByNumber(1900), nullptr);
    EXPECT_EQ(disk->Ledger.SubActList.FindPair(1900, 2), nullptr);
}

// A protected document asks for the password once for each action of its area; a refused
// password opens nothing and changes nothing.
TEST_F(MainActForm, ThePasswordGuardsEachArea) {
    struct Case {
        TAccessArea Area;
        const char* Button;
        bool NeedsSub;
    } cases[] = {
        {TAccessArea::Adding, "NewMainBtn", false},   {TAccessArea::Adding, "NewSubBtn", false},
        {TAccessArea::Editing, "EditMainBtn", false}, {TAccessArea::Editing, "EditSubBtn", true},
        {TAccessArea::Deleting, "DelMainBtn", false}, {TAccessArea::Deleting, "DelSubBtn", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Button);
        TearDown();
        SetUp();
        PasswordsAsked = 0;
        Protect(c.Area, false);
        auto window = OpenEditor(1000);
        if (c.NeedsSub)
            ClickRow(Child<QTreeWidget>(*window, "SubList"), QStringLiteral("Term Deposit"));
        const std::size_t messages = Prompts.Messages.size();
        NoModalExpected();
        Click(*window, c.Button);
        QApplication::processEvents();
        EXPECT_EQ(PasswordsAsked, 1);
        EXPECT_EQ(Prompts.Messages.size(), messages) << "no confirmation after a refused password";
        EXPECT_TRUE(window->Locked());
        EXPECT_FALSE(window->Outcome().Changed);
        EXPECT_EQ(Ledger.MainActList.FindByNumber(1000)->Name, "Interest Received");
        EXPECT_EQ(Ledger.SubActList.FindPair(1000, 2)->Name, "Term Deposit");
        EXPECT_EQ(Ledger.SubActList.FindPair(1000, 4), nullptr);
    }
    // The password given once lets a new sub category be entered and saved.
    PasswordGiven = true;
    PasswordsAsked = 0;
    Files.Settings.ProtectAdd = 1;
    auto window = OpenEditor(1000);
    Click(*window, "NewSubBtn");
    QTest::keyClicks(Child<QLineEdit>(*window, "NameEdit"), QStringLiteral("Bonds"));
    Click(*window, "SubOKBtn");
    EXPECT_EQ(PasswordsAsked, 1);
    ASSERT_NE(Ledger.SubActList.FindPair(1000, 4), nullptr);
    EXPECT_EQ(Ledger.SubActList.FindPair(1000, 4)->Name, "Bonds");
    // ... and the grant ends with that edit.
    Click(*window, "NewSubBtn");
    EXPECT_EQ(PasswordsAsked, 2);
}

// A write that fails and is given up leaves memory as the file holds it, and the editor shows
// that, not what was typed.
TEST_F(MainActForm, AGivenUpWriteShowsWhatIsStored) {
    auto window = OpenEditor(100);
    auto* subs = Child<QTreeWidget>(*window, "SubList");
    ClickRow(subs, QStringLiteral("Counter"));
    Click(*window, "EditSubBtn");
    Retype(Child<QLineEdit>(*window, "NameEdit"), QStringLiteral("Front Counter"));
    Faults.FailAt(cfb::FaultOp::Write, 1, ENOSPC, true);
    Prompts.QueueAnswer(MsgResult::Cancel);
    Click(*window, "SubOKBtn");
    Faults.Clear();
    EXPECT_TRUE(std::any_of(Prompts.Messages.begin(), Prompts.Messages.end(),
                            [](const auto& message) { return message.Buttons == MsgButtons::RetryCancel; }));
    EXPECT_TRUE(window->Locked());
    EXPECT_EQ(Column(subs, 1), (QStringList{"Counter", "Takeaway", "Catering Orders"}));
    EXPECT_EQ(Ledger.SubActList.FindPair(100, 1)->Name, "Counter");
    EXPECT_TRUE(window->Outcome().Refresh & RefreshTotals) << "memory was read back: everything again";
    // The editor goes on with the records read back.
    ClickRow(subs, QStringLiteral("Takeaway"));
    EXPECT_EQ(Child<QLineEdit>(*window, "NameEdit")->text(), QStringLiteral("Takeaway"));
    Click(*window, "EditSubBtn");
    Retype(Child<QLineEdit>(*window, "NameEdit"), QStringLiteral("Take Away"));
    Click(*window, "SubOKBtn");
    EXPECT_EQ(Ledger.SubActList.FindPair(100, 2)->Name, "Take Away");
    // The file manager writes no more after a write given up: the file holds the old names.
    EXPECT_TRUE(Shown("Unable to write to the file. The Autosave feature is now OFF.  Use the Save As command from "
                      "the file menu to save this file or close current file and revert to backup file."));
    auto disk = Stored();
    EXPECT_EQ(disk->Ledger.SubActList.FindPair(100, 1)->Name, "Counter");
    EXPECT_EQ(disk->Ledger.SubActList.FindPair(100, 2)->Name, "Takeaway");
}

// The windows of others: the search shows what it found, the category types editor's changes
// count as changes of this window.
TEST_F(MainActForm, FindAndCategoryTypesHooks) {
    TCategoryEditorHooks hooks;
    hooks.FindCategory = [this](TCategoryFound& found) {
        found.Sub = Ledger.SubActList.FindPair(600, 3);
        return true;
    };
    int typesOpened = 0;
    hooks.OpenCategoryTypes = [&typesOpened] {
        ++typesOpened;
        return std::uint16_t(RefreshTypes);
    };
    auto window = OpenEditor(100, hooks);
    Click(*window, "FindBtn");
    EXPECT_EQ(Ledger.MainActList.Items(window->Position())->Number, 600);
    ASSERT_GE(window->ChosenSub(), 0);
    EXPECT_EQ(Child<QLineEdit>(*window, "NameEdit")->text(), QStringLiteral("Registration"));
    Click(*window, "CatBtn");
    EXPECT_EQ(typesOpened, 1);
    EXPECT_TRUE(window->Outcome().Changed);
    EXPECT_EQ(window->Outcome().Refresh, RefreshTypes);
}

// Without tax tracking the percentage column and box are hidden, and a new sub category keeps
// the percentage it was given.
TEST_F(MainActForm, WithoutTaxNoPercentages) {
    Files.Settings.TaxOn = 0;
    auto window = OpenEditor(200);
    auto* subs = Child<QTreeWidget>(*window, "SubList");
    EXPECT_TRUE(subs->isColumnHidden(2));
    EXPECT_FALSE(Child<QLineEdit>(*window, "PercentEdit")->isVisible());
    EXPECT_FALSE(Child<QToolButton>(*window, "PercentUpBtn")->isVisible());
    Click(*window, "NewSubBtn");
    QTest::keyClicks(Child<QLineEdit>(*window, "NameEdit"), QStringLiteral("Bond"));
    Click(*window, "SubOKBtn");
    EXPECT_EQ(Ledger.SubActList.FindPair(200, 4)->GstPercent, Money());
}

} // namespace
} // namespace qz::gui::test
