// The accounts window and the account dialog on a real document, driven by keys and clicks: new
// accounts with their opening balances, changes of name, colour, balance and date, the order of
// the accounts, deletions with their questions and refusals, the password of a protected
// document, and a commit the user gives up. What is stored is read back by opening the document
// again.

#include "editors/BooksForm.h"
#include "editors/DeleteDialog.h"
#include "editors/NewEditBookForm.h"

#include "GeneratedBooksFixture.h"
#include "controls/DateBox.h"
#include "controls/NumberPad.h"
#include "controls/PercentBox.h"
#include "engine/Engine.h"
#include "filters/GeneratedDocument.h"
#include "forms/ModalDriver.h"
#include "grid/WinColour.h"
#include "platform/Drives.h"
#include "platform/ScriptedPrompts.h"
#include "platform/TextCodec.h"
#include "storage/FileConvert.h"
#include "storage/cfb/FaultyFileSystem.h"

#include <QColorDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace qz::gui::test {
namespace {

const TDateTime Today = EncodeDate(2026, 5, 4);

// Three generated accounts, then three of the test's own: "Float" with ordinary transactions,
// "Till" with a transfer as well, and "Cash Tin" with a transfer and a split whose other part
// lies in "Savings Account".
class BooksFormTest : public GeneratedBooksFixture {
protected:
    BooksFormTest() : GeneratedBooksFixture(Today) {}

    void OpenBooks(const std::function<void(TFileSettings&)>& adjust = {}) {
        WriteBooks(5, 40, [&](TLedger& books, TFileSettings& settings) {
            AddOwnAccounts(books);
            if (adjust)
                adjust(settings);
        });
    }

    static void AddOwnAccounts(TLedger& books) {
        const TTransRec* sale = nullptr;
        for (const TTransRec* t : books.TransList.KeyList)
            if (t->IsOrdinary() && t->Split == '0')
                sale = t;
        ASSERT_NE(sale, nullptr);
        std::int32_t number = books.TransList.NewNumber();
        auto add = [&](TTransRec* t) {
            books.TransList.Add(t);
            return t;
        };
        auto ordinary = [&](std::int16_t book, char split = '0', std::int32_t at = 0) {
            auto* t = new TTransRec(*sale);
            t->Number = at ? at : number++;
            t->Book = book;
            t->Split = split;
            return add(t);
        };
        auto transfer = [&](std::int16_t from, std::int16_t to) {
            const std::int32_t out = number++, in = number++;
            for (auto [kind, book, partner, self, other] :
                 {std::tuple{TransTo, from, to, out, in}, std::tuple{TransFrom, to, from, in, out}}) {
                auto* t = new TTransRec;
                t->Number = self;
                t->Kind = kind;
                t->Date = sale->Date;
                t->Book = book;
                t->Group = static_cast<std::uint16_t>(partner);
                t->MainAct = other;
                t->Amount = Money::FromUnits(300);
                add(t);
            }
        };
        const char* names[] = {"Float", "Till", "Cash Tin"};
        for (std::int16_t i = 0; i < 3; ++i) {
            auto* account = new TBookRec;
            account->Number = 3 + i;
            account->Name = names[i];
            account->Colour = RGBColour(10, 20, 30 + i);
            auto* opening = new TTransRec;
            opening->Number = number++;
            opening->Kind = TransOpening;
            opening->Date = EncodeDate(2021, 7, 1);
            opening->Book = account->Number;
            opening->Amount = Money::FromUnits(100 * (i + 1));
            add(opening);
            account->OpeningTransNo = opening->Number;
            books.BookList.Add(account);
            ordinary(account->Number);
        }
        ordinary(3);
        transfer(4, 0);
        transfer(0, 5);
        const std::int32_t split = number++;
        ordinary(5, 'A', split);
        ordinary(1, 'B', split);
        books.TransList.SortByKey();
    }

    // Opens the window with the account at key index `index` chosen and acts on it while it is
    // modal; answers what the window answered.
    bool Run(std::int32_t index, std::function<void(TBooksForm&)> act) {
        WhenModal<TBooksForm>(std::move(act));
        Refresh = RefreshNone;
        return TBooksForm::OpenAccounts(nullptr, {&Edit, &Formats, Today, {}}, index, Refresh);
    }

    template <class T> static T* Child(QWidget& window, const char* name) {
        T* child = window.findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    static QTreeWidget* List(TBooksForm& form) { return Child<QTreeWidget>(form, "BookListView"); }
    static void Click(QWidget& window, const char* name) { Child<QAbstractButton>(window, name)->click(); }
    // The space bar on a button, as the user presses it after tabbing to it.
    static void PressSpace(QWidget& window, const char* name) {
        QTest::keyClick(Child<QAbstractButton>(window, name), Qt::Key_Space);
    }
    static void ChooseRow(TBooksForm& form, int row) {
        QTreeWidget* list = List(form);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(row)).center());
    }
    // The rows as shown: name and opening balance, in order.
    static std::vector<std::pair<QString, QString>> Rows(TBooksForm& form) {
        std::vector<std::pair<QString, QString>> rows;
        QTreeWidget* list = List(form);
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            rows.emplace_back(list->topLevelItem(i)->text(0), list->topLevelItem(i)->text(1));
        return rows;
    }
    static QString ChosenName(TBooksForm& form) {
        const auto chosen = List(form)->selectedItems();
        return chosen.isEmpty() ? QString() : chosen.front()->text(0);
    }

    // Fails the test and closes the dialog if one of type T opens before the window returns.
    template <class T> static void ExpectNoDialog() {
        QTimer::singleShot(0, [] {
            if (auto* opened = qobject_cast<T*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "a dialog opened";
                opened->reject();
            }
        });
    }

    std::vector<std::string> AccountNames() const {
        std::vector<std::string> names;
        for (const TBookRec* account : Ledger.BookList.KeyList)
            names.push_back(account->Name.Str());
        return names;
    }
    const TBookRec* Account(const std::string& name) const {
        for (const TBookRec* account : Ledger.BookList.KeyList)
            if (account->Name == name)
                return account;
        return nullptr;
    }
    std::int32_t TransactionsIn(std::int32_t book) const {
        std::int32_t count = 0;
        for (const TTransRec* t : Ledger.TransList.KeyList)
            count += t->Book == book;
        return count;
    }
    QString MoneyText(Money amount) const { return FromDocument(Formats.MoneyText(amount)); }

    std::uint16_t Refresh = RefreshNone;
};

const std::vector<std::string> OwnOrder = {"Cheque Account", "Savings Account", "Credit Card", "Float",
                                           "Till",           "Cash Tin"};

TEST_F(BooksFormTest, ListsTheAccountsInTheirOrderWithTheirOpeningBalances) {
    OpenBooks();
    ASSERT_EQ(AccountNames(), OwnOrder);
    EXPECT_FALSE(Run(-1, [this](TBooksForm& form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Accounts"));
        QTreeWidget* list = List(form);
        EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Account Name"));
        EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("Opening Balance"));
        EXPECT_EQ(list->header()->sectionSize(1), TBooksForm::OpeningColumnWidth);
        const auto rows = Rows(form);
        ASSERT_EQ(rows.size(), OwnOrder.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].first, QString::fromStdString(OwnOrder[i]));
            EXPECT_EQ(rows[i].second, MoneyText(Ledger.BookList.Items(static_cast<std::int32_t>(i))->OpeningBalance()));
        }
        EXPECT_EQ(rows[4].second, MoneyText(Money::FromUnits(200)));
        // Nothing chosen: only New and the closing buttons work.
        EXPECT_TRUE(ChosenName(form).isEmpty());
        for (const char* name : {"EditBtn", "DeleteBtn", "UpBtn", "DownBtn"})
            EXPECT_FALSE(Child<QWidget>(form, name)->isEnabled()) << name;
        EXPECT_EQ(Child<QToolButton>(form, "UpBtn")->toolTip(), QStringLiteral("Move Book up"));
        EXPECT_EQ(Child<QToolButton>(form, "DownBtn")->toolTip(), QStringLiteral("Move Book down"));
        ChooseRow(form, 2);
        EXPECT_EQ(ChosenName(form), QStringLiteral("Credit Card"));
        for (const char* name : {"EditBtn", "DeleteBtn", "UpBtn", "DownBtn"})
            EXPECT_TRUE(Child<QWidget>(form, name)->isEnabled()) << name;
        // The chosen row is drawn in the account's colour.
        const QRect row = list->visualItemRect(list->topLevelItem(2));
        const QImage shot = list->viewport()->grab().toImage();
        EXPECT_EQ(shot.pixelColor(row.center().x(), row.top() + 1), ToQColor(Ledger.BookList.Items(2)->Colour));
        Click(form, "OKBtn");
    }));
    EXPECT_EQ(Refresh, RefreshNone);

    // Opened on an account (an opening-balance row of the worksheet), that one is chosen. From
    // ten accounts on the balance column makes room for the scroll bar.
    for (const char* name : {"A", "B", "C", "D"}) {
        TAccountFields fields = NewAccountFields(Ledger, Today);
        fields.Name = name;
        ASSERT_TRUE(AddAccount(Edit, fields).Done());
    }
    Run(4, [](TBooksForm& form) {
        EXPECT_EQ(ChosenName(form), QStringLiteral("Till"));
        EXPECT_EQ(List(form)->header()->sectionSize(1),
                  TBooksForm::OpeningColumnWidth - form.style()->pixelMetric(QStyle::PM_ScrollBarExtent));
        Click(form, "CancelBtn");
    });
}

TEST_F(BooksFormTest, NewAccountComesWithItsOpeningBalance) {
    OpenBooks();
    EXPECT_TRUE(Run(-1, [this](TBooksForm& form) {
        WhenModal<TNewEditBookForm>([this](TNewEditBookForm& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("New Account"));
            auto* name = Child<QLineEdit>(dialog, "NameEdit");
            auto* ok = Child<QPushButton>(dialog, "OKBtn");
            EXPECT_EQ(dialog.focusWidget(), name);
            EXPECT_TRUE(name->text().isEmpty());
            EXPECT_FALSE(ok->isEnabled());
            // Six accounts: the seventh default colour; today; nothing yet.
            EXPECT_EQ(dialog.Colour(), RGBColour(0, 128, 192));
            EXPECT_EQ(Child<TDateBox>(dialog, "DateBox")->date(), QDate(2026, 5, 4));
            EXPECT_EQ(Child<TPercentBox>(dialog, "OpeningBox")->Value(), Money());
            EXPECT_EQ(Child<QToolButton>(dialog, "ColourBtn")->toolTip(),
                      QStringLiteral("Change the colour of the Book"));
            QTest::keyClicks(name, QStringLiteral("   "));
            EXPECT_FALSE(ok->isEnabled()) << "blanks are no name";
            QTest::keyClicks(name, QStringLiteral("Deposit "));
            EXPECT_TRUE(ok->isEnabled());
            // The opening balance typed on the number pad, below its box.
            auto* opening = Child<TPercentBox>(dialog, "OpeningBox");
            Click(dialog, "NumberPadBtn");
            auto* pad = dialog.findChild<TNumberPad*>();
            ASSERT_NE(pad, nullptr);
            EXPECT_NEAR(pad->frameGeometry().top(), opening->mapToGlobal(QPoint(0, opening->height())).y(), 2)
                << "below the box";
            for (const char* key : {"KeyC", "Key2", "Key5", "Key0", "Key-", "Key="})
                Child<QToolButton>(*pad, key)->click();
            EXPECT_EQ(opening->text(), QStringLiteral("-250"));
            Child<TDateBox>(dialog, "DateBox")->setDate(QDate(2025, 7, 1));
            QTest::keyClick(&dialog, Qt::Key_Return);
        });
        PressSpace(form, "NewBtn");
        const auto rows = Rows(form);
        ASSERT_EQ(rows.size(), 7u);
        EXPECT_EQ(rows.back(), std::pair(QStringLiteral("Deposit"), MoneyText(Money::FromUnits(-250))));
        EXPECT_EQ(ChosenName(form), QStringLiteral("Deposit"));
        Click(form, "OKBtn");
    }));
    EXPECT_TRUE(Refresh & RefreshAccounts && Refresh & RefreshTotals);

    Reopen();
    const TBookRec* deposit = Account("Deposit");
    ASSERT_NE(deposit, nullptr);
    EXPECT_EQ(Ledger.BookList.IndexOf(deposit), 6);
    EXPECT_EQ(deposit->Colour, RGBColour(0, 128, 192));
    ASSERT_NE(deposit->OpeningTrans, nullptr);
    EXPECT_EQ(deposit->OpeningTrans->Kind, TransOpening);
    EXPECT_EQ(deposit->OpeningTrans->Amount, Money::FromUnits(-250));
    EXPECT_EQ(deposit->OpeningTrans->Date, EncodeDate(2025, 7, 1));
    EXPECT_EQ(TransactionsIn(deposit->Number), 1);
}

TEST_F(BooksFormTest, RefusedNewAccountsShowWhyAndChangeNothing) {
    OpenBooks();
    struct Case {
        const char* Name;
        const char* Opening;
        const char* Message;
    } cases[] = {
        {"cash tin", "10", "Account name 'cash tin' is already in use."},
        {"Overdrawn", "-20000000",
         "The opening balance is beyond the largest amount a document may hold (10,000,000.00)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Prompts.Messages.clear();
        EXPECT_FALSE(Run(-1, [&](TBooksForm& form) {
            WhenModal<TNewEditBookForm>([&](TNewEditBookForm& dialog) {
                QTest::keyClicks(Child<QLineEdit>(dialog, "NameEdit"), QString::fromLatin1(c.Name));
                auto* opening = Child<TPercentBox>(dialog, "OpeningBox");
                opening->selectAll();
                QTest::keyClicks(opening, QString::fromLatin1(c.Opening));
                Click(dialog, "OKBtn");
            });
            Click(form, "NewBtn");
            EXPECT_EQ(Rows(form).size(), OwnOrder.size());
            Click(form, "OKBtn");
        }));
        EXPECT_EQ(Prompts.LastText(), c.Message);
    }
    Reopen();
    EXPECT_EQ(AccountNames(), OwnOrder);
}

TEST_F(BooksFormTest, EditChangesNameColourAndOpeningBalance) {
    OpenBooks();
    const std::int32_t openingNumber = Account("Float")->OpeningTransNo;
    EXPECT_TRUE(Run(-1, [this](TBooksForm& form) {
        QTreeWidget* list = List(form);
        WhenModal<TNewEditBookForm>([this](TNewEditBookForm& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Edit Account"));
            auto* name = Child<QLineEdit>(dialog, "NameEdit");
            EXPECT_EQ(name->text(), QStringLiteral("Float"));
            EXPECT_EQ(Child<TPercentBox>(dialog, "OpeningBox")->Value(), Money::FromUnits(100));
            EXPECT_EQ(Child<TDateBox>(dialog, "DateBox")->date(), QDate(2021, 7, 1));
            EXPECT_EQ(dialog.Colour(), RGBColour(10, 20, 30));
            // The colour dialog starts at the account's colour and offers the default colours.
            WhenModal<QColorDialog>([](QColorDialog& colours) {
                EXPECT_EQ(colours.currentColor(), QColor(10, 20, 30));
                EXPECT_EQ(QColorDialog::customColor(0), QColor(0, 128, 0));
                EXPECT_EQ(QColorDialog::customColor(9), QColor(231, 1, 133));
                colours.setCurrentColor(QColor(200, 100, 50));
                colours.accept();
            });
            Click(dialog, "ColourBtn");
            EXPECT_EQ(dialog.Colour(), RGBColour(200, 100, 50));
            name->selectAll();
            QTest::keyClicks(name, QStringLiteral("Change Float"));
            auto* opening = Child<TPercentBox>(dialog, "OpeningBox");
            opening->selectAll();
            QTest::keyClicks(opening, QStringLiteral("75.5"));
            Child<TDateBox>(dialog, "DateBox")->setDate(QDate(2021, 6, 30));
            Click(dialog, "OKBtn");
        });
        // A double-click on a row edits it.
        const QPoint at = list->visualItemRect(list->topLevelItem(3)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        EXPECT_EQ(Rows(form)[3], std::pair(QStringLiteral("Change Float"), MoneyText(Money::FromCents(7550))));
        EXPECT_EQ(ChosenName(form), QStringLiteral("Change Float"));

        // Another account's name, in other letters, is refused and changes nothing.
        WhenModal<TNewEditBookForm>([](TNewEditBookForm& dialog) {
            auto* name = Child<QLineEdit>(dialog, "NameEdit");
            name->selectAll();
            QTest::keyClicks(name, QStringLiteral("TILL"));
            Child<TPercentBox>(dialog, "OpeningBox")->SetValue(Money::FromUnits(1));
            Click(dialog, "OKBtn");
        });
        Click(form, "EditBtn");
        EXPECT_EQ(Prompts.LastText(), "Account name 'TILL' is already in use.");
        EXPECT_EQ(Rows(form)[3].first, QStringLiteral("Change Float"));
        // Cancel leaves the account as it is.
        WhenModal<TNewEditBookForm>([](TNewEditBookForm& dialog) {
            Child<QLineEdit>(dialog, "NameEdit")->setText(QStringLiteral("Other"));
            Click(dialog, "CancelBtn");
        });
        Click(form, "EditBtn");
        // The closing Cancel keeps what OK in the dialog stored.
        Click(form, "CancelBtn");
    }));

    Reopen();
    const TBookRec* renamed = Account("Change Float");
    ASSERT_NE(renamed, nullptr);
    EXPECT_EQ(Ledger.BookList.IndexOf(renamed), 3);
    EXPECT_EQ(renamed->Colour, RGBColour(200, 100, 50));
    ASSERT_NE(renamed->OpeningTrans, nullptr);
    EXPECT_EQ(renamed->OpeningTrans->Number, openingNumber) << "the same opening balance, changed";
    EXPECT_EQ(renamed->OpeningTrans->Amount, Money::FromCents(7550));
    EXPECT_EQ(renamed->OpeningTrans->Date, EncodeDate(2021, 6, 30));
    EXPECT_EQ(Account("Till")->OpeningBalance(), Money::FromUnits(200));
}

TEST_F(BooksFormTest, ArrowsMoveTheChosenAccountWithinTheStoredOrder) {
    OpenBooks();
    EXPECT_TRUE(Run(5, [](TBooksForm& form) {
        // The last one cannot go further down.
        Click(form, "DownBtn");
        EXPECT_EQ(Rows(form).back().first, QStringLiteral("Cash Tin"));
        Click(form, "UpBtn");
        Click(form, "UpBtn");
        EXPECT_EQ(ChosenName(form), QStringLiteral("Cash Tin"));
        EXPECT_EQ(Rows(form)[3].first, QStringLiteral("Cash Tin"));
        ChooseRow(form, 0);
        Click(form, "UpBtn");
        EXPECT_EQ(Rows(form)[0].first, QStringLiteral("Cheque Account"));
        Click(form, "DownBtn");
        EXPECT_EQ(ChosenName(form), QStringLiteral("Cheque Account"));
        // Cancel keeps the new order as well.
        Click(form, "CancelBtn");
    }));
    EXPECT_TRUE(Refresh & RefreshAccounts);
    const std::vector<std::string> moved = {"Savings Account", "Cheque Account", "Credit Card",
                                            "Cash Tin",        "Float",          "Till"};
    EXPECT_EQ(AccountNames(), moved);
    Reopen();
    EXPECT_EQ(AccountNames(), moved);
}

TEST_F(BooksFormTest, DeletingAskedAndRefused) {
    OpenBooks();
    const std::string twoQuestions = "The Account 'Float' is currently in use by one or more Transactions.  Deleting "
                                     "this Account will also delete these Transactions.\r\rAre you sure you want to "
                                     "delete this Account?";
    struct Case {
        const char* Account;
        std::vector<MsgResult> Answers;
        // -1: the Ctrl-held confirmation is not shown; 0: it is cancelled; 1: Delete with Ctrl.
        int Confirmation;
        std::vector<std::string> Messages;
        bool Deleted;
    } cases[] = {
        {"Float", {MsgResult::No}, -1, {"Are you sure you want to delete Account 'Float'?"}, false},
        {"Float",
         {MsgResult::Yes, MsgResult::Cancel},
         -1,
         {"Are you sure you want to delete Account 'Float'?", twoQuestions},
         false},
        {"Float",
         {MsgResult::Yes, MsgResult::Yes},
         0,
         {"Are you sure you want to delete Account 'Float'?", twoQuestions},
         false},
        {"Till",
         {MsgResult::Yes},
         -1,
         {"Are you sure you want to delete Account 'Till'?",
          "The Account 'Till' is currently being used in a Transfer.  Before you can delete this Account you must "
          "delete all Transfers it is used in."},
         false},
        // A split shared with another account is refused before the transfer.
        {"Cash Tin",
         {MsgResult::Yes},
         -1,
         {"Are you sure you want to delete Account 'Cash Tin'?",
          "The Account 'Cash Tin' is currently being used in one or more split Transactions which are split between "
          "different Books.  You must remove or change all split Transactions that involve other Accounts before you "
          "can delete this Account."},
         false},
        {"Float",
         {MsgResult::Yes, MsgResult::Yes},
         1,
         {"Are you sure you want to delete Account 'Float'?", twoQuestions},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Account) + " after " + std::to_string(c.Messages.size()) + " messages");
        Prompts.Messages.clear();
        for (MsgResult answer : c.Answers)
            Prompts.QueueAnswer(answer);
        const std::int32_t index = Ledger.BookList.IndexOf(Account(c.Account));
        const std::int32_t number = Account(c.Account)->Number;
        bool confirmationShown = false;
        const bool changed = Run(index, [&](TBooksForm& form) {
            if (c.Confirmation >= 0)
                WhenModal<TDeleteDialog>([&](TDeleteDialog& dialog) {
                    confirmationShown = true;
                    if (c.Confirmation == 0) {
                        QTest::keyClick(&dialog, Qt::Key_Return);
                        return;
                    }
                    QTest::keyPress(&dialog, Qt::Key_Control);
                    QTest::mouseClick(Child<QPushButton>(dialog, "DeleteBtn"), Qt::LeftButton, Qt::ControlModifier);
                });
            else
                ExpectNoDialog<TDeleteDialog>();
            PressSpace(form, "DeleteBtn");
            EXPECT_EQ(Rows(form).size(), OwnOrder.size() - (c.Deleted ? 1 : 0));
            EXPECT_EQ(ChosenName(form).isEmpty(), c.Deleted);
            Click(form, "OKBtn");
        });
        EXPECT_EQ(changed, c.Deleted);
        EXPECT_EQ(confirmationShown, c.Confirmation >= 0);
        std::vector<std::string> texts;
        for (const auto& message : Prompts.Messages)
            texts.push_back(message.Text);
        EXPECT_EQ(texts, c.Messages);
        Reopen();
        EXPECT_EQ(Account(c.Account) == nullptr, c.Deleted);
        EXPECT_EQ(TransactionsIn(number) == 0, c.Deleted) << "its transactions, the opening balance too";
    }
}

TEST_F(BooksFormTest, AnAccountWithOnlyItsOpeningBalanceIsDeletedAfterOneQuestion) {
    OpenBooks();
    TAccountFields fields = NewAccountFields(Ledger, Today);
    fields.Name = "Spare";
    ASSERT_TRUE(AddAccount(Edit, fields).Done());
    const std::int32_t number = Account("Spare")->Number;
    EXPECT_TRUE(Run(6, [](TBooksForm& form) {
        ExpectNoDialog<TDeleteDialog>();
        Click(form, "DeleteBtn");
        EXPECT_EQ(Rows(form).size(), OwnOrder.size());
        Click(form, "OKBtn");
    }));
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_EQ(Prompts.LastText(), "Are you sure you want to delete Account 'Spare'?");
    Reopen();
    EXPECT_EQ(AccountNames(), OwnOrder);
    EXPECT_EQ(TransactionsIn(number), 0);
}

// Each action asks for the password of its own area once; refused, nothing opens or changes.
TEST_F(BooksFormTest, AProtectedDocumentAsksForThePasswordOfEachArea) {
    OpenBooks([](TFileSettings& settings) {
        settings.Password = "pw";
        settings.ProtectAdd = settings.ProtectEdit = settings.ProtectDelete = 1;
    });
    for (bool accepted : {false, true}) {
        SCOPED_TRACE(accepted ? "password given" : "password refused");
        Questions.PasswordAccepted = accepted;
        Questions.PasswordQuestions = 0;
        Run(0, [&](TBooksForm& form) {
            // Adding.
            if (accepted)
                WhenModal<TNewEditBookForm>([](TNewEditBookForm& dialog) {
                    Child<QLineEdit>(dialog, "NameEdit")->setText(QStringLiteral("Guarded"));
                    Click(dialog, "OKBtn");
                });
            else
                ExpectNoDialog<TNewEditBookForm>();
            Click(form, "NewBtn");
            EXPECT_EQ(Questions.PasswordQuestions, 1);
            // Editing.
            ChooseRow(form, 1);
            if (accepted)
                WhenModal<TNewEditBookForm>([](TNewEditBookForm& dialog) {
                    Child<QLineEdit>(dialog, "NameEdit")->setText(QStringLiteral("Renamed"));
                    Click(dialog, "OKBtn");
                });
            else
                ExpectNoDialog<TNewEditBookForm>();
            Click(form, "EditBtn");
            EXPECT_EQ(Questions.PasswordQuestions, 2);
            // Rearranging, under the editing password, asked once in the window.
            Click(form, "UpBtn");
            Click(form, "DownBtn");
            EXPECT_EQ(Questions.PasswordQuestions, accepted ? 3 : 4);
            // Deleting "Float", after its two questions (Yes) and the Ctrl-held confirmation.
            ChooseRow(form, 3);
            if (accepted)
                WhenModal<TDeleteDialog>([](TDeleteDialog& dialog) {
                    QTest::keyPress(&dialog, Qt::Key_Control);
                    QTest::mouseClick(Child<QPushButton>(dialog, "DeleteBtn"), Qt::LeftButton, Qt::ControlModifier);
                });
            Click(form, "DeleteBtn");
            EXPECT_EQ(Questions.PasswordQuestions, accepted ? 4 : 5);
            Click(form, "OKBtn");
        });
        if (!accepted) {
            EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.LastText();
            Reopen();
            EXPECT_EQ(AccountNames(), OwnOrder);
        }
    }
    Reopen();
    EXPECT_EQ(AccountNames(),
              (std::vector<std::string>{"Cheque Account", "Renamed", "Credit Card", "Till", "Cash Tin", "Guarded"}));
}

// A write that fails for good, given up in the storage-error dialog: nothing is added, the
// window shows what the lists hold again (records brought back from the document) and goes on
// working with them, in memory only, as the document now is.
TEST_F(BooksFormTest, AGivenUpCommitShowsWhatIsStored) {
    OpenBooks();
    EXPECT_TRUE(Run(1, [this](TBooksForm& form) {
        Faults.FailAt(cfb::FaultOp::Write, 1, EIO, true);
        Prompts.QueueAnswer(MsgResult::Cancel);
        WhenModal<TNewEditBookForm>([](TNewEditBookForm& dialog) {
            Child<QLineEdit>(dialog, "NameEdit")->setText(QStringLiteral("Lost"));
            Click(dialog, "OKBtn");
        });
        Click(form, "NewBtn");
        EXPECT_TRUE(std::any_of(Prompts.Messages.begin(), Prompts.Messages.end(),
                                [](const auto& m) { return m.Buttons == MsgButtons::RetryCancel; }));
        EXPECT_EQ(Rows(form).size(), OwnOrder.size());
        EXPECT_EQ(ChosenName(form), QStringLiteral("Savings Account"));

        Faults.Clear();
        WhenModal<TNewEditBookForm>([](TNewEditBookForm& dialog) {
            EXPECT_EQ(Child<QLineEdit>(dialog, "NameEdit")->text(), QStringLiteral("Savings Account"));
            Child<QLineEdit>(dialog, "NameEdit")->setText(QStringLiteral("Savings"));
            Click(dialog, "OKBtn");
        });
        Click(form, "EditBtn");
        EXPECT_EQ(Rows(form)[1].first, QStringLiteral("Savings"));
        EXPECT_EQ(Ledger.BookList.Items(1)->Name, "Savings");
        Click(form, "OKBtn");
    }));
    EXPECT_EQ(Refresh & RefreshAll, RefreshAll) << "memory came back from the document";
    Reopen();
    EXPECT_EQ(AccountNames(), OwnOrder);
}

} // namespace
} // namespace qz::gui::test
