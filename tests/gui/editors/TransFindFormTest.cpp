// The transaction search's window, by keys and clicks: the quick and detailed searches marking
// the transactions, the boxes and their toggles, the refusals that keep the window open,
// Cancel, and "Edit Search" showing the criteria last accepted.

#include "editors/TransFindForm.h"

#include "controls/NumberPad.h"
#include "forms/ModalDriver.h"
#include "platform/ScriptedPrompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace qz::gui::test {
namespace {

class TransFindFormTest : public ::testing::Test {
protected:
    // One account: its opening balance 1; 10 a sale (A1, 100); 20 an expense (B2, 55.50,
    // unreconciled); 30A/30B a split sale; 40/41 a transfer of 100 out and back in.
    void SetUp() override {
        auto* book = new TBookRec;
        book->Number = 0;
        book->Name = "Cheque";
        Books.BookList.Add(book);
        Add(TransOpening, 1, '0', "", 500);
        Add(TransCredit, 10, '0', "A1", 100);
        Add(TransDebit, 20, '0', "B2", 55.5)->Reconciled = 0;
        Add(TransCredit, 30, 'A', "C3", 40);
        Add(TransCredit, 30, 'B', "C3", 60);
        Add(TransTo, 40, '0', "X", 100);
        Add(TransFrom, 41, '0', "X", 100);
        for (TTransRec* t : Books.TransList.KeyList)
            t->InSelection = 1;
        Books.TransList.RowList = Books.TransList.KeyList;
    }

    TTransRec* Add(std::uint8_t kind, std::int32_t number, char split, const char* reference, double amount) {
        auto* t = new TTransRec;
        t->Kind = kind;
        t->Number = number;
        t->Split = split;
        t->Reference = reference;
        t->Amount = Money::FromDouble(amount);
        t->Date = 45000 + Books.TransList.Count();
        Books.TransList.Add(t);
        return t;
    }

    // The transactions marked InSearch, as their numbers and split letters, in key order.
    std::string Marked() const {
        std::string marked;
        for (const TTransRec* t : Books.TransList.KeyList)
            if (t->InSearch)
                marked += (marked.empty() ? "" : " ") + std::to_string(t->Number) +
                          (t->Split == '0' ? std::string() : std::string(1, t->Split));
        return marked;
    }

    // Runs OpenSearch with `act` working the modal window; fails when `act` leaves it open.
    bool Open(bool newSearch, std::function<void(TTransFindForm&)> act) {
        WhenModal<TTransFindForm>([act](TTransFindForm& form) {
            act(form);
            if (form.isVisible()) {
                ADD_FAILURE() << "the window is still open";
                form.reject();
            }
        });
        return Form.OpenSearch(newSearch);
    }

    template <class T> static T* Child(QWidget& window, const char* name) {
        T* child = window.findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    static void Choose(QWidget& form, const char* list, int index) {
        auto* combo = Child<QComboBox>(form, list);
        combo->setFocus();
        combo->setCurrentIndex(index);
    }

    TLedger Books;
    ScriptedPrompts Prompts;
    std::vector<int> Progress;
    std::vector<int> HelpTopics;
    TTransFindForm Form{Books, Prompts, [this](int position) { Progress.push_back(position); },
                        [this](int topic) { HelpTopics.push_back(topic); }};
};

TEST_F(TransFindFormTest, AQuickNumberSearchMarksBothPartsOfTheSplit) {
    EXPECT_TRUE(Open(true, [](TTransFindForm& form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Transaction Selection"));
        auto* pages = Child<QTabWidget>(form, "Pages");
        EXPECT_EQ(pages->tabText(0), QStringLiteral("&Quick Selection"));
        EXPECT_EQ(pages->tabText(1), QStringLiteral("&Detailed Selection"));
        EXPECT_EQ(pages->currentIndex(), 0);
        auto* toggle = Child<QCheckBox>(form, "NumberBtn");
        auto* box = Child<QLineEdit>(form, "NumberBox");
        auto* ok = Child<QPushButton>(form, "OKBtn");
        EXPECT_EQ(form.focusWidget(), toggle);
        EXPECT_FALSE(ok->isEnabled());
        EXPECT_FALSE(Child<QPushButton>(form, "ResetBtn")->isEnabled());
        EXPECT_FALSE(box->isEnabled());
        EXPECT_EQ(box->text(), QStringLiteral("All"));
        EXPECT_EQ(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        EXPECT_FALSE(toggle->font().bold());

        QTest::keyClick(toggle, Qt::Key_Space);
        EXPECT_TRUE(box->isEnabled());
        EXPECT_EQ(box->text(), QString());
        EXPECT_EQ(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        EXPECT_EQ(form.focusWidget(), box);
        EXPECT_TRUE(toggle->font().bold());
        EXPECT_EQ(toggle->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        EXPECT_TRUE(ok->isEnabled());
        EXPECT_TRUE(Child<QPushButton>(form, "ResetBtn")->isEnabled());
        QTest::keyClicks(box, QStringLiteral("30"));
        QTest::keyClick(box, Qt::Key_Return); // the default button
    }));
    EXPECT_EQ(Marked(), "30A 30B");
    EXPECT_EQ(Books.TransList.SearchIncludesUnreconciled, 0);
    ASSERT_FALSE(Progress.empty());
    EXPECT_EQ(Progress.front(), 5);
    EXPECT_EQ(Progress.back(), 70);
    // The window is only hidden, with the criteria it accepted.
    EXPECT_FALSE(Form.isVisible());
    EXPECT_EQ(Child<QLineEdit>(Form, "NumberBox")->text(), QStringLiteral("30"));
}

TEST_F(TransFindFormTest, ADetailedBetweenIncludesBothEnds) {
    EXPECT_TRUE(Open(true, [](TTransFindForm& form) {
        Child<QTabWidget>(form, "Pages")->setCurrentIndex(1);
        auto* first = Child<QLineEdit>(form, "NumberBox1");
        auto* second = Child<QLineEdit>(form, "NumberBox2");
        EXPECT_FALSE(first->isEnabled());
        EXPECT_FALSE(second->isEnabled());
        EXPECT_FALSE(Child<QPushButton>(form, "OKBtn")->isEnabled());
        Choose(form, "NumberList", 1); // "Equal To": the first box alone
        EXPECT_TRUE(first->isEnabled());
        EXPECT_FALSE(second->isEnabled());
        EXPECT_EQ(form.focusWidget(), first);
        Choose(form, "NumberList", 4); // "Between"
        EXPECT_EQ(Child<QComboBox>(form, "NumberList")->currentText(), QStringLiteral("Between"));
        EXPECT_TRUE(second->isEnabled());
        QTest::keyClicks(first, QStringLiteral("10"));
        QTest::keyClicks(second, QStringLiteral("30"));
        Child<QPushButton>(form, "OKBtn")->click();
    }));
    // With nothing else in force, the detailed page keeps the opening balance marked.
    EXPECT_EQ(Marked(), "1 10 20 30A 30B");
}

TEST_F(TransFindFormTest, DetailedUnreconciledRowsCountInTheTotals) {
    EXPECT_TRUE(Open(true, [](TTransFindForm& form) {
        Child<QTabWidget>(form, "Pages")->setCurrentIndex(1);
        Child<QRadioButton>(form, "StateUnreconciledBtn")->click();
        Child<QPushButton>(form, "OKBtn")->click();
    }));
    EXPECT_EQ(Marked(), "20");
    EXPECT_EQ(Books.TransList.SearchIncludesUnreconciled, 1);
    EXPECT_EQ(Books.TransList.DebitTotal, Money::FromDouble(55.5));
}

TEST_F(TransFindFormTest, ARefusalKeepsTheWindowOpenWithTheFocusInTheBox) {
    EXPECT_FALSE(Open(true, [this](TTransFindForm& form) {
        QTest::keyClick(Child<QCheckBox>(form, "AmountBtn"), Qt::Key_Space);
        Child<QPushButton>(form, "OKBtn")->click();
        EXPECT_TRUE(form.isVisible());
        ASSERT_EQ(Prompts.Messages.size(), 1u);
        EXPECT_EQ(Prompts.Messages[0].Text, "Amount not valid");
        EXPECT_EQ(Prompts.Messages[0].Kind, MsgKind::Information);
        EXPECT_EQ(form.focusWidget(), Child<QLineEdit>(form, "AmountBox"));

        // The detailed page: the second box of an amount "Between".
        Child<QTabWidget>(form, "Pages")->setCurrentIndex(1);
        Choose(form, "AmountList", 4);
        QTest::keyClicks(Child<QLineEdit>(form, "AmountBox1"), QStringLiteral("5"));
        Child<QPushButton>(form, "OKBtn")->click();
        EXPECT_TRUE(form.isVisible());
        ASSERT_EQ(Prompts.Messages.size(), 2u);
        EXPECT_EQ(Prompts.Messages[1].Text, "Amount not valid");
        EXPECT_EQ(form.focusWidget(), Child<QLineEdit>(form, "AmountBox2"));
        Child<QPushButton>(form, "CancelBtn")->click();
    }));
    EXPECT_EQ(Marked(), "1 10 20 30A 30B 40 41");
    EXPECT_FALSE(Form.Search().Saved());
}

TEST_F(TransFindFormTest, CancelChangesNothingAndResetsTheControls) {
    ASSERT_TRUE(Open(true, [](TTransFindForm& form) {
        QTest::keyClick(Child<QCheckBox>(form, "TransfersBtn"), Qt::Key_Space);
        Child<QPushButton>(form, "OKBtn")->click();
    }));
    ASSERT_EQ(Marked(), "40 41");
    Books.TransList.SearchIncludesUnreconciled = 0;
    const TSearchCriteria saved = *Form.Search().Saved();
    Progress.clear();

    EXPECT_FALSE(Open(false, [](TTransFindForm& form) {
        auto* transfers = Child<QCheckBox>(form, "TransfersBtn");
        EXPECT_TRUE(transfers->isChecked());
        // "Unreconciled Only" and "Transfers Only" exclude each other.
        QTest::keyClick(Child<QCheckBox>(form, "UnreconciledBtn"), Qt::Key_Space);
        EXPECT_FALSE(transfers->isChecked());
        EXPECT_FALSE(transfers->font().bold());
        EXPECT_TRUE(Child<QCheckBox>(form, "UnreconciledBtn")->font().bold());
        QTest::keyClick(&form, Qt::Key_Escape);
    }));
    EXPECT_EQ(Marked(), "40 41");
    EXPECT_EQ(Books.TransList.SearchIncludesUnreconciled, 0);
    EXPECT_EQ(*Form.Search().Saved(), saved);
    EXPECT_TRUE(Progress.empty());
    // The controls are back at their defaults; a re-application still uses the search in force.
    EXPECT_FALSE(Child<QCheckBox>(Form, "UnreconciledBtn")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(Form, "TransfersBtn")->isChecked());
    Books.TransList.KeyList[1]->InSearch = 1;
    Form.ReapplySearch();
    EXPECT_EQ(Marked(), "40 41");
}

TEST_F(TransFindFormTest, EditSearchShowsTheCriteriaLastAcceptedOnTheirPage) {
    ASSERT_TRUE(Open(true, [](TTransFindForm& form) {
        Child<QTabWidget>(form, "Pages")->setCurrentIndex(1);
        QTest::mouseClick(Child<QRadioButton>(form, "KindDebitBtn"), Qt::LeftButton);
        Choose(form, "AmountList", 2); // "Greater than"
        QTest::keyClicks(Child<QLineEdit>(form, "AmountBox1"), QStringLiteral("50.25"));
        Choose(form, "ReferenceList", 3); // "Less Than"
        QTest::keyClicks(Child<QLineEdit>(form, "ReferenceBox1"), QStringLiteral("b"));
        Child<QPushButton>(form, "OKBtn")->click();
    }));
    EXPECT_EQ(Marked(), "1 20 40");

    // Meanwhile the controls are changed and the search cancelled: editing starts again from the saved copy.
    EXPECT_FALSE(Open(false, [](TTransFindForm& form) {
        Child<QPushButton>(form, "ResetBtn")->click();
        EXPECT_FALSE(Child<QRadioButton>(form, "KindDebitBtn")->isChecked());
        EXPECT_EQ(Child<QComboBox>(form, "AmountList")->currentIndex(), 0);
        EXPECT_FALSE(Child<QPushButton>(form, "OKBtn")->isEnabled());
        Child<QPushButton>(form, "CancelBtn")->click();
    }));
    EXPECT_TRUE(Open(false, [](TTransFindForm& form) {
        EXPECT_EQ(Child<QTabWidget>(form, "Pages")->currentIndex(), 1);
        EXPECT_EQ(form.focusWidget(), Child<QRadioButton>(form, "KindAllBtn"));
        EXPECT_TRUE(Child<QRadioButton>(form, "KindDebitBtn")->isChecked());
        EXPECT_TRUE(Child<QRadioButton>(form, "StateAllBtn")->isChecked());
        EXPECT_EQ(Child<QComboBox>(form, "AmountList")->currentText(), QStringLiteral("Greater than"));
        EXPECT_EQ(Child<QLineEdit>(form, "AmountBox1")->text(), QStringLiteral("50.25"));
        EXPECT_FALSE(Child<QLineEdit>(form, "AmountBox2")->isEnabled());
        EXPECT_EQ(Child<QComboBox>(form, "ReferenceList")->currentText(), QStringLiteral("Less Than"));
        EXPECT_EQ(Child<QLineEdit>(form, "ReferenceBox1")->text(), QStringLiteral("b"));
        EXPECT_EQ(Child<QComboBox>(form, "NumberList")->currentIndex(), 0);
        Child<QPushButton>(form, "OKBtn")->click();
    }));
    EXPECT_EQ(Marked(), "1 20 40");

    // A new search starts from the defaults on the quick page.
    EXPECT_FALSE(Open(true, [](TTransFindForm& form) {
        EXPECT_EQ(Child<QTabWidget>(form, "Pages")->currentIndex(), 0);
        EXPECT_FALSE(Child<QRadioButton>(form, "KindDebitBtn")->isChecked());
        EXPECT_EQ(Child<QComboBox>(form, "AmountList")->currentIndex(), 0);
        EXPECT_FALSE(Child<QLineEdit>(form, "AmountBox1")->isEnabled());
        form.reject();
    }));
}

TEST_F(TransFindFormTest, BoxesTakeWhatTheirFieldsHold) {
    QApplication::clipboard()->setText(QStringLiteral("1234567890123456789012345"));
    EXPECT_FALSE(Open(true, [](TTransFindForm& form) {
        for (const char* toggle : {"NumberBtn", "ReferenceBtn", "AmountBtn"})
            QTest::keyClick(Child<QCheckBox>(form, toggle), Qt::Key_Space);
        auto* number = Child<QLineEdit>(form, "NumberBox");
        QTest::keyClicks(number, QStringLiteral("4a-2"));
        EXPECT_EQ(number->text(), QStringLiteral("42"));
        number->clear();
        number->paste();
        EXPECT_EQ(number->text(), QStringLiteral("123456789"));

        auto* reference = Child<QLineEdit>(form, "ReferenceBox");
        reference->paste();
        EXPECT_EQ(reference->text(), QStringLiteral("12345678901234567890"));
        EXPECT_FALSE(Child<QToolButton>(form, "KeyboardBtn")->isEnabled());

        auto* amount = Child<QLineEdit>(form, "AmountBox");
        QTest::keyClicks(amount, QStringLiteral("$1x2.5"));
        EXPECT_EQ(amount->text(), QStringLiteral("$12.5"));
        amount->clear();
        amount->paste();
        EXPECT_EQ(amount->text(), QStringLiteral("123456789012"));

        // The number pad types into the amount box.
        amount->clear();
        auto* pad = Child<QToolButton>(form, "PadBtn");
        ASSERT_TRUE(pad->isEnabled());
        pad->click();
        auto* popup = qobject_cast<TNumberPad*>(QApplication::activePopupWidget());
        ASSERT_NE(popup, nullptr);
        popup->Press(QStringLiteral("7"));
        popup->Press(QStringLiteral("="));
        EXPECT_EQ(amount->text(), QStringLiteral("7"));

        // Up again: the box disabled, "All", and the pad with it.
        QTest::keyClick(Child<QCheckBox>(form, "AmountBtn"), Qt::Key_Space);
        EXPECT_EQ(amount->text(), QStringLiteral("All"));
        EXPECT_FALSE(amount->isEnabled());
        EXPECT_FALSE(pad->isEnabled());
        form.reject();
    }));
}

TEST_F(TransFindFormTest, HelpOpensTheTopicOfThePageShown) {
    EXPECT_FALSE(Open(true, [](TTransFindForm& form) {
        auto* help = Child<QPushButton>(form, "HelpBtn");
        help->click();
        Child<QTabWidget>(form, "Pages")->setCurrentIndex(1);
        help->click();
        form.reject();
    }));
    EXPECT_EQ(HelpTopics, (std::vector<int>{22000, 22001}));
}

} // namespace
} // namespace qz::gui::test
