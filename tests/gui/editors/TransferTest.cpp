// The transfer window and the transfer dialog on a real document, driven by keys and clicks:
// the list with its columns and swatches, a new transfer entered through the dialog, a change,
// a deletion with its question, the refusals that put the focus on their field (the date picker
// moved to the opening date), and the password of a protected document. What is stored is read
// back by opening the document again.

#include "editors/DeleteDialog.h"
#include "editors/NewEditTransferForm.h"
#include "editors/TransactBookCombo.h"
#include "editors/TransferForm.h"

#include "GeneratedBooksFixture.h"
#include "controls/DateBox.h"
#include "controls/Keyboard.h"
#include "controls/NumberBox.h"
#include "controls/NumberPad.h"
#include "controls/TextBox.h"
#include "edit/AccountEdit.h"
#include "engine/Engine.h"
#include "filters/GeneratedDocument.h"
#include "forms/ModalDriver.h"
#include "grid/WinColour.h"
#include "platform/Drives.h"
#include "platform/ScriptedPrompts.h"
#include "platform/TextCodec.h"
#include "storage/FileConvert.h"
#include "storage/cfb/FaultyFileSystem.h"

#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace qz::gui::test {
namespace {

const TDateTime Today = EncodeDate(2022, 5, 4);
const TDateTime DepositOpened = EncodeDate(2022, 3, 1);

// Generated books (three accounts opened on 1 July 2021, with their transfers) and a fourth
// account, "Deposit", opened on 1 March 2022.
class TransferTest : public GeneratedBooksFixture {
protected:
    TransferTest() : GeneratedBooksFixture(Today) {}

    void OpenBooks(const std::function<void(TFileSettings&)>& adjust = {}) {
        WriteBooks(5, 60, [&](TLedger&, TFileSettings& settings) {
            if (adjust)
                adjust(settings);
        });
        const std::optional<TAccessArea> granted = Edit.Granted;
        Edit.Granted = TAccessArea::Adding;
        TAccountFields deposit = NewAccountFields(Ledger, DepositOpened);
        deposit.Name = "Deposit";
        ASSERT_TRUE(AddAccount(Edit, deposit).Done());
        Edit.Granted = granted;
        ASSERT_GE(Ledger.TransferList.Count(), 2) << "the generated books hold transfers";
    }

    TTransferContext Context() {
        return {&Edit, &Formats, Today, [this](int topic) { HelpTopics.push_back(topic); }};
    }

    // Opens the window with the transfer of `record` chosen and acts on it while it is modal.
    bool Run(const TTransRec* record, std::function<void(TTransfer&)> act) {
        WhenModal<TTransfer>(std::move(act));
        return TTransfer::OpenTransfers(nullptr, Context(), record);
    }

    template <class T> static T* Child(QWidget& window, const char* name) {
        T* child = window.findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    static QTreeWidget* List(TTransfer& form) { return Child<QTreeWidget>(form, "TransferListView"); }
    static void Click(QWidget& window, const char* name) { Child<QAbstractButton>(window, name)->click(); }
    static void ChooseRow(TTransfer& form, int row) {
        QTreeWidget* list = List(form);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(row)).center());
    }
    static QStringList Row(TTransfer& form, int row) {
        QStringList texts;
        for (int column = 0; column < 4; ++column)
            texts << List(form)->topLevelItem(row)->text(column);
        return texts;
    }
    // Chooses the account `name` in an account list by keys, as the user does with the list focused.
    static void ChooseAccount(TBookCombo* list, const QString& name) {
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < list->count() && list->currentText() != name; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        EXPECT_EQ(list->currentText(), name);
    }
    static QStringList Items(TBookCombo* list) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        return items;
    }
    // Types over the whole amount box.
    static void TypeAmount(TNewEditTransfer& dialog, const QString& text) {
        auto* amount = Child<TNumberBox>(dialog, "NbrBoxAmount");
        amount->setFocus();
        amount->selectAll();
        QTest::keyClicks(amount, text);
    }
    static QString DescriptionText(TNewEditTransfer& dialog) {
        QString text;
        for (const TDescriptionPiece& piece : Child<TTransferDescription>(dialog, "Description")->Pieces())
            text += FromDocument(piece.Text);
        return text;
    }

    const TBookRec& Account(const std::string& name) const {
        for (const TBookRec* account : Ledger.BookList.KeyList)
            if (account->Name == name)
                return *account;
        ADD_FAILURE() << name;
        return *Ledger.BookList.Items(0);
    }
    // The pair whose "Transfer To" half has `number`, in the lists as they are now.
    const TTransferRec* Pair(std::int32_t number) const {
        for (std::int32_t i = 0; i < Ledger.TransferList.Count(); ++i)
            if (Ledger.TransferList.Item(i)->ToTrans->Number == number)
                return Ledger.TransferList.Item(i);
        return nullptr;
    }
    QString Name(std::int32_t account) const { return FromDocument(Ledger.BookList.Find(account)->Name.View()); }

    std::vector<int> HelpTopics;
};

TEST_F(TransferTest, ListsEveryTransferWithItsAccountsDateAndAmount) {
    OpenBooks();
    const TTransferList& transfers = Ledger.TransferList;
    EXPECT_FALSE(Run(nullptr, [&](TTransfer& form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Transfer"));
        QTreeWidget* list = List(form);
        EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("From"));
        EXPECT_EQ(list->headerItem()->text(3), QStringLiteral("Amount"));
        ASSERT_EQ(list->topLevelItemCount(), transfers.Count());
        for (int i = 0; i < transfers.Count(); ++i) {
            const TTransferRec& pair = *transfers.Item(i);
            EXPECT_EQ(Row(form, i), (QStringList{Name(pair.ToTrans->Book), Name(pair.FromTrans->Book),
                                                 FromDocument(Formats.DateText(pair.ToTrans->Date)),
                                                 FromDocument(Formats.MoneyText(pair.ToTrans->Amount))}));
        }
        EXPECT_EQ(list->header()->sectionSize(TTransfer::AmountColumn),
                  TTransfer::AmountColumnWidth -
                      (transfers.Count() >= 10 ? form.style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0));
        // Each account cell ends with a swatch of the account's colour.
        const QRect cell = list->visualRect(list->model()->index(0, TTransfer::FromColumn));
        const QImage shot = list->viewport()->grab().toImage();
        EXPECT_EQ(shot.pixelColor(cell.right() - 8, cell.center().y()),
                  ToQColor(transfers.Item(0)->ToTrans->BookRec->Colour));
        // Nothing chosen: "&New" has the focus, "&Edit" and "&Delete" wait for a row.
        EXPECT_EQ(form.focusWidget(), Child<QWidget>(form, "NewBtn"));
        EXPECT_FALSE(Child<QWidget>(form, "EditBtn")->isEnabled());
        EXPECT_FALSE(Child<QWidget>(form, "DeleteBtn")->isEnabled());
        ChooseRow(form, 1);
        EXPECT_EQ(form.ChosenIndex(), 1);
        EXPECT_TRUE(Child<QWidget>(form, "EditBtn")->isEnabled());
        EXPECT_TRUE(Child<QWidget>(form, "DeleteBtn")->isEnabled());
        Click(form, "HelpBtn");
        Click(form, "CancelBtn");
    }));
    EXPECT_EQ(HelpTopics, std::vector<int>{12000});

    // Opened on the "Transfer From" half of a transfer (a worksheet row), its pair is chosen and
    // the list has the focus.
    const TTransRec* in = transfers.Item(1)->FromTrans;
    EXPECT_TRUE(Run(in, [](TTransfer& form) {
        EXPECT_EQ(form.ChosenIndex(), 1);
        EXPECT_EQ(form.focusWidget(), List(form));
        Click(form, "OKBtn");
    })) << "left with OK";
}

TEST_F(TransferTest, TheAmountColumnMakesRoomForTheScrollBarFromTenRows) {
    OpenBooks();
    TTransferFields fields = NewTransferFields(Ledger, Today);
    fields.ToAccount = Ledger.BookList.Items(1)->Number;
    fields.Amount = Money::FromUnits(5);
    while (Ledger.TransferList.Count() < 9) {
        ASSERT_TRUE(AddTransfer(Edit, fields, Formats).Done());
    }
    for (int rows : {9, 10}) {
        if (rows == 10) {
            ASSERT_TRUE(AddTransfer(Edit, fields, Formats).Done());
        }
        Run(nullptr, [rows](TTransfer& form) {
            EXPECT_EQ(List(form)->topLevelItemCount(), rows);
            EXPECT_EQ(List(form)->header()->sectionSize(TTransfer::AmountColumn),
                      TTransfer::AmountColumnWidth -
                          (rows == 10 ? form.style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0));
            Click(form, "CancelBtn");
        });
    }
}

TEST_F(TransferTest, ANewTransferEnteredInTheDialogIsListedAndStored) {
    OpenBooks();
    const std::int32_t count = Ledger.TransferList.Count();
    const std::int32_t number = Ledger.TransList.NewNumber();
    EXPECT_TRUE(Run(nullptr, [&](TTransfer& form) {
        WhenModal<TNewEditTransfer>([&](TNewEditTransfer& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("New Transfer"));
            auto* from = Child<TBookCombo>(dialog, "ComboFrom");
            auto* to = Child<TBookCombo>(dialog, "ComboTo");
            auto* ok = Child<QPushButton>(dialog, "OKBtn");
            auto* description = Child<TTransferDescription>(dialog, "Description");
            // The first account, no To account yet; today, no amount.
            EXPECT_EQ(from->currentText(), QStringLiteral("Cheque Account"));
            EXPECT_EQ(to->currentIndex(), -1);
            EXPECT_EQ(Items(to), (QStringList{"Savings Account", "Credit Card", "Deposit"}));
            EXPECT_EQ(Child<TDateBox>(dialog, "DateEditBtn")->date(), QDate(2022, 5, 4));
            EXPECT_EQ(Child<TNumberBox>(dialog, "NbrBoxAmount")->Value(), Money());
            EXPECT_FALSE(ok->isEnabled());
            EXPECT_TRUE(description->isHidden());

            ChooseAccount(to, QStringLiteral("Credit Card"));
            EXPECT_TRUE(ok->isEnabled());
            EXPECT_FALSE(description->isHidden());
            // The To list refills without the From choice, keeping its own choice.
            ChooseAccount(from, QStringLiteral("Savings Account"));
            EXPECT_EQ(Items(to), (QStringList{"Cheque Account", "Credit Card", "Deposit"}));
            EXPECT_EQ(to->currentText(), QStringLiteral("Credit Card"));
            // Choosing the To account as From leaves no To account.
            ChooseAccount(from, QStringLiteral("Credit Card"));
            EXPECT_EQ(to->currentIndex(), -1);
            EXPECT_FALSE(ok->isEnabled());
            EXPECT_TRUE(description->isHidden());
            ChooseAccount(from, QStringLiteral("Savings Account"));
            ChooseAccount(to, QStringLiteral("Deposit"));

            TypeAmount(dialog, QStringLiteral("250.75"));
            Child<TDateBox>(dialog, "DateEditBtn")->setDate(QDate(2022, 4, 20));
            EXPECT_EQ(DescriptionText(dialog), QStringLiteral("Transfer $250.75 from  Savings Account  to  Deposit  on "
                                                              "20/04/2022"));
            QTest::keyClicks(Child<TTextBox>(dialog, "EditReference"), QStringLiteral("DEP-7"));
            QTest::keyClicks(Child<QPlainTextEdit>(dialog, "MemoNotes"), QStringLiteral("rainy day"));
            QTest::keyClick(ok, Qt::Key_Space);
        });
        Click(form, "NewBtn");
        ASSERT_EQ(List(form)->topLevelItemCount(), count + 1);
        const int chosen = form.ChosenIndex();
        ASSERT_GE(chosen, 0);
        EXPECT_EQ(Row(form, chosen), (QStringList{"Savings Account", "Deposit", "20/04/2022", "$250.75"}));
        Click(form, "CancelBtn"); // what was confirmed stays
    })) << "changed";

    Reopen();
    LinkRecords(Ledger);
    const TTransferRec* pair = Pair(number);
    ASSERT_NE(pair, nullptr);
    ASSERT_NE(pair->FromTrans, nullptr);
    EXPECT_EQ(pair->FromTrans->Number, number + 1);
    EXPECT_EQ(pair->ToTrans->Book, Account("Savings Account").Number);
    EXPECT_EQ(pair->FromTrans->Book, Account("Deposit").Number);
    EXPECT_EQ(pair->ToTrans->Group, pair->FromTrans->Book);
    EXPECT_EQ(pair->FromTrans->MainAct, number);
    for (const TTransRec* half : {pair->ToTrans, pair->FromTrans}) {
        EXPECT_EQ(half->Date, EncodeDate(2022, 4, 20));
        EXPECT_EQ(half->Amount, Money::FromCents(25075));
        EXPECT_EQ(half->Reference, "DEP-7");
    }
    EXPECT_EQ(pair->ToTrans->Notes, "rainy day");
    EXPECT_EQ(pair->FromTrans->Notes, "");
}

TEST_F(TransferTest, EditChangesBothHalvesAndCancelKeepsThem) {
    OpenBooks();
    const TTransferRec first = *Ledger.TransferList.Item(0);
    const std::int32_t number = first.ToTrans->Number;
    const std::string fromName = first.ToTrans->BookRec->Name.Str();
    const std::string toName = first.FromTrans->BookRec->Name.Str();
    EXPECT_TRUE(Run(nullptr, [&](TTransfer& form) {
        // Cancel in the dialog changes nothing.
        WhenModal<TNewEditTransfer>([](TNewEditTransfer& dialog) {
            TypeAmount(dialog, QStringLiteral("1"));
            Click(dialog, "CancelBtn");
        });
        ChooseRow(form, 0);
        Click(form, "EditBtn");
        // A double-click edits: the accounts swap ends, the amount and the notes change.
        WhenModal<TNewEditTransfer>([&](TNewEditTransfer& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Edit Transfer"));
            auto* from = Child<TBookCombo>(dialog, "ComboFrom");
            auto* to = Child<TBookCombo>(dialog, "ComboTo");
            EXPECT_EQ(from->currentText(), FromDocument(fromName));
            EXPECT_EQ(to->currentText(), FromDocument(toName));
            EXPECT_EQ(Child<TNumberBox>(dialog, "NbrBoxAmount")->Value(), first.ToTrans->Amount);
            EXPECT_EQ(Child<QPlainTextEdit>(dialog, "MemoNotes")->toPlainText(), FromDocument(first.ToTrans->Notes));
            ChooseAccount(from, FromDocument(toName));
            ChooseAccount(to, FromDocument(fromName));
            TypeAmount(dialog, QStringLiteral("99"));
            Child<QPlainTextEdit>(dialog, "MemoNotes")->setPlainText(QStringLiteral("reversed"));
            Click(dialog, "OKBtn");
        });
        QTreeWidget* list = List(form);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(0)).center());
        EXPECT_EQ(Row(form, form.ChosenIndex()).mid(0, 2), (QStringList{FromDocument(toName), FromDocument(fromName)}));
        Click(form, "CancelBtn");
    }));
    Reopen();
    LinkRecords(Ledger);
    const TTransferRec* pair = Pair(number);
    ASSERT_TRUE(pair && pair->FromTrans);
    EXPECT_EQ(pair->ToTrans->Book, Account(toName).Number);
    EXPECT_EQ(pair->ToTrans->Group, Account(fromName).Number);
    EXPECT_EQ(pair->FromTrans->Book, Account(fromName).Number);
    EXPECT_EQ(pair->FromTrans->Group, Account(toName).Number);
    EXPECT_EQ(pair->ToTrans->Amount, Money::FromUnits(99));
    EXPECT_EQ(pair->FromTrans->Amount, Money::FromUnits(99));
    EXPECT_EQ(pair->ToTrans->Notes, "reversed");
}

TEST_F(TransferTest, DeleteAsksFirst) {
    OpenBooks();
    const std::int32_t count = Ledger.TransferList.Count();
    const std::int32_t number = Ledger.TransferList.Item(1)->ToTrans->Number;
    const std::int32_t partner = Ledger.TransferList.Item(1)->FromTrans->Number;
    EXPECT_TRUE(Run(nullptr, [&](TTransfer& form) {
        ChooseRow(form, 1);
        Prompts.QueueAnswer(MsgResult::No);
        Click(form, "DeleteBtn");
        EXPECT_EQ(Prompts.LastText(), "Are you sure you want to delete this Transfer?");
        EXPECT_EQ(List(form)->topLevelItemCount(), count);
        Prompts.QueueAnswer(MsgResult::Yes);
        Click(form, "DeleteBtn");
        EXPECT_EQ(List(form)->topLevelItemCount(), count - 1);
        EXPECT_EQ(form.ChosenIndex(), -1);
        EXPECT_FALSE(Child<QWidget>(form, "DeleteBtn")->isEnabled());
        Click(form, "OKBtn");
    }));
    Reopen();
    EXPECT_EQ(Ledger.TransferList.Count(), count - 1);
    for (const TTransRec* t : Ledger.TransList.KeyList)
        EXPECT_TRUE(t->Number != number && t->Number != partner) << t->Number;
}

// A date before the Deposit account opened: the message names it and the picker moves to its
// opening day with the focus. Then no amount: the amount box takes the focus. Then Enter goes through.
TEST_F(TransferTest, ARefusalKeepsTheDialogOpenOnTheField) {
    OpenBooks();
    const std::int32_t count = Ledger.TransferList.Count();
    Run(nullptr, [&](TTransfer& form) {
        WhenModal<TNewEditTransfer>([&](TNewEditTransfer& dialog) {
            ChooseAccount(Child<TBookCombo>(dialog, "ComboTo"), QStringLiteral("Deposit"));
            auto* date = Child<TDateBox>(dialog, "DateEditBtn");
            auto* amount = Child<TNumberBox>(dialog, "NbrBoxAmount");
            date->setDate(QDate(2022, 1, 15));
            Click(dialog, "OKBtn");
            EXPECT_EQ(Prompts.LastText(),
                      "The Transfer Date you have entered is less than the Opening Balance Date for the 'Deposit' "
                      "Account.  You must use a date greater than or equal to 01/03/2022.");
            EXPECT_EQ(Prompts.Messages.back().Kind, MsgKind::Information);
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(date->date(), QDate(2022, 3, 1));
            EXPECT_EQ(dialog.focusWidget(), date);
            Click(dialog, "OKBtn");
            EXPECT_EQ(Prompts.LastText(), "You must enter an amount grater than $0.00 for a Transfer");
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(dialog.focusWidget(), amount);
            TypeAmount(dialog, QStringLiteral("40"));
            QTest::keyClick(amount, Qt::Key_Return);
            EXPECT_FALSE(dialog.isVisible()) << "Enter is the dialog's OK";
        });
        Click(form, "NewBtn");
        EXPECT_EQ(List(form)->topLevelItemCount(), count + 1);
        Click(form, "OKBtn");
    });
    Reopen();
    LinkRecords(Ledger);
    const TTransferRec* added = Pair(Ledger.TransList.NewNumber() - 2);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->ToTrans->Date, DepositOpened);
    EXPECT_EQ(added->FromTrans->BookRec->Name, "Deposit");
}

// A write that fails for good, given up in the storage-error dialog: the pair stays, the window
// lists the records brought back from the document and goes on working with them.
TEST_F(TransferTest, AGivenUpDeletionKeepsThePairListed) {
    OpenBooks();
    const std::int32_t count = Ledger.TransferList.Count();
    const std::int32_t number = Ledger.TransferList.Item(0)->ToTrans->Number;
    EXPECT_TRUE(Run(nullptr, [&](TTransfer& form) {
        ChooseRow(form, 0);
        Faults.FailAt(cfb::FaultOp::Write, 1, EIO, true);
        Prompts.QueueAnswer(MsgResult::Yes);
        Prompts.QueueAnswer(MsgResult::Cancel);
        Click(form, "DeleteBtn");
        EXPECT_TRUE(std::any_of(Prompts.Messages.begin(), Prompts.Messages.end(),
                                [](const auto& m) { return m.Buttons == MsgButtons::RetryCancel; }));
        ASSERT_EQ(List(form)->topLevelItemCount(), count);
        EXPECT_EQ(form.ChosenIndex(), 0) << "still chosen";
        ASSERT_NE(Pair(number), nullptr);
        EXPECT_NE(Pair(number)->FromTrans, nullptr) << "both halves back";
        Faults.Clear();
        // In memory only now (the document went read-only), the window still works on the pair.
        WhenModal<TNewEditTransfer>([](TNewEditTransfer& dialog) {
            TypeAmount(dialog, QStringLiteral("7"));
            Click(dialog, "OKBtn");
        });
        Click(form, "EditBtn");
        EXPECT_EQ(Row(form, 0)[3], QStringLiteral("$7.00"));
        Click(form, "CancelBtn");
    })) << "the records came back: the worksheet must catch up";
}

// Each action asks for the password of its own area once; refused, no dialog opens and nothing changes.
TEST_F(TransferTest, AProtectedDocumentAsksForThePasswordOfEachArea) {
    OpenBooks([](TFileSettings& settings) {
        settings.Password = "pw";
        settings.ProtectAdd = settings.ProtectEdit = settings.ProtectDelete = 1;
    });
    const std::int32_t count = Ledger.TransferList.Count();
    for (bool accepted : {false, true}) {
        SCOPED_TRACE(accepted ? "password given" : "password refused");
        Questions.PasswordAccepted = accepted;
        Questions.PasswordQuestions = 0;
        Prompts.Messages.clear();
        const bool changed = Run(nullptr, [&](TTransfer& form) {
            auto noDialog = [] {
                QTimer::singleShot(0, [] {
                    if (auto* opened = qobject_cast<TNewEditTransfer*>(QApplication::activeModalWidget())) {
                        ADD_FAILURE() << "a dialog opened";
                        opened->reject();
                    }
                });
            };
            if (accepted)
                WhenModal<TNewEditTransfer>([](TNewEditTransfer& dialog) {
                    ChooseAccount(Child<TBookCombo>(dialog, "ComboTo"), QStringLiteral("Savings Account"));
                    TypeAmount(dialog, QStringLiteral("12"));
                    Click(dialog, "OKBtn");
                });
            else
                noDialog();
            Click(form, "NewBtn");
            EXPECT_EQ(Questions.PasswordQuestions, 1);
            ChooseRow(form, 0);
            if (accepted)
                WhenModal<TNewEditTransfer>([](TNewEditTransfer& dialog) {
                    TypeAmount(dialog, QStringLiteral("13"));
                    Click(dialog, "OKBtn");
                });
            else
                noDialog();
            Click(form, "EditBtn");
            EXPECT_EQ(Questions.PasswordQuestions, 2) << "the dialog's OK asks no more";
            ChooseRow(form, 1);
            if (accepted)
                Prompts.QueueAnswer(MsgResult::Yes);
            Click(form, "DeleteBtn");
            EXPECT_EQ(Questions.PasswordQuestions, 3);
            Click(form, "CancelBtn");
        });
        EXPECT_EQ(changed, accepted);
        if (!accepted) {
            EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.LastText();
            Reopen();
            EXPECT_EQ(Ledger.TransferList.Count(), count);
        }
    }
    Reopen();
    EXPECT_EQ(Ledger.TransferList.Count(), count) << "one added, one deleted";
    EXPECT_EQ(Ledger.TransferList.Item(0)->ToTrans->Amount, Money::FromUnits(13));
}

} // namespace
} // namespace qz::gui::test
