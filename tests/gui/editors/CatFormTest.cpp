// The category types editor on a real document: a type made, renamed and deleted through the
// window reaches the file; refusals show their message and change nothing; a protected
// document asks for the password of each area; the count of deleted types above the
// worksheet's first visible row.

#include "editors/CatForm.h"
#include "editors/NewEditCat.h"

#include "CatFormFixture.h"
#include "forms/ModalDriver.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace qz::gui::test {
namespace {

class CatFormTest : public ClassificationWindowTest {
protected:
    // Runs the editor on the type at `index` and acts on it while it is modal.
    bool RunTypes(std::int32_t index, std::function<void(TCatForm&)> act) {
        WhenModalClosing<TCatForm>(std::move(act));
        const TListEditorOutcome outcome = TCatForm::OpenCategoryTypes(Window.get(), Edit(), index);
        Refresh = outcome.Refresh;
        DeletedRows = outcome.DeletedRows;
        return outcome.Changed;
    }
    std::int32_t IndexOf(const std::string& name) { return Books().CatList.IndexOf(TypeNamed(name)); }

    static QStringList Names(TCatForm& form) {
        QStringList names;
        auto* list = Child<QListWidget>(form, "TypeList");
        for (int row = 0; row < list->count(); ++row)
            names << list->item(row)->text();
        return names;
    }
    static QString Chosen(TCatForm& form) {
        const QListWidgetItem* item = Child<QListWidget>(form, "TypeList")->currentItem();
        return item ? item->text() : QString();
    }
    // Fails the test, and closes it, when the type dialog opens.
    static void FailIfDialogOpens() {
        QTimer::singleShot(0, [] {
            if (auto* dialog = qobject_cast<TNewEditCat*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "the type dialog opened";
                dialog->reject();
            }
        });
    }
    // The type dialog: types `name` (when given), chooses the section `kind` (when not 0), then OK.
    static void AnswerDialog(const QString& name, int kind, const std::function<void(TNewEditCat&)>& check = {}) {
        WhenModal<TNewEditCat>([=](TNewEditCat& dialog) {
            if (check)
                check(dialog);
            auto* edit = Child<QLineEdit>(dialog, "NameEdit");
            if (!name.isNull()) {
                edit->selectAll();
                QTest::keyClicks(edit, name);
            }
            if (kind != 0)
                Child<QRadioButton>(dialog, QStringLiteral("Kind%1").arg(kind).toLatin1().constData())->click();
            Child<QPushButton>(dialog, "OKBtn")->click();
        });
    }

    std::uint16_t Refresh = RefreshNone;
    std::vector<std::int32_t> DeletedRows;
};

TEST_F(CatFormTest, MakesRenamesAndDeletesATypeInTheDocument) {
    OpenBooks();
    EXPECT_TRUE(RunTypes(-1, [](TCatForm& form) {
        // The credit side by name, its first type chosen, default types fixed.
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Category Types"));
        EXPECT_EQ(Names(form),
                  (QStringList{"Assets Sold", "Funds Injection", "General Income", "Other Income", "Spare"}));
        EXPECT_EQ(Chosen(form), QStringLiteral("Assets Sold"));
        EXPECT_FALSE(Child<QPushButton>(form, "EditBtn")->isEnabled());
        EXPECT_FALSE(Child<QPushButton>(form, "DeleteBtn")->isEnabled());

        Child<QPushButton>(form, "DebitBtn")->click();
        EXPECT_EQ(form.Side(), SideDebit);
        EXPECT_TRUE(Names(form).contains(QStringLiteral("Rent")));
        AnswerDialog(QStringLiteral("Premises"), KindOperating, [](TNewEditCat& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("New Category Type"));
            // The debit side's sections, none chosen.
            EXPECT_EQ(Child<QRadioButton>(dialog, "Kind4")->text(), QStringLiteral("Company Tax"));
            EXPECT_EQ(dialog.Kind(), 0);
            EXPECT_EQ(dialog.findChild<QWidget*>(QStringLiteral("CreditTypeGroup")), nullptr);
        });
        Child<QPushButton>(form, "NewBtn")->click();
        EXPECT_EQ(Chosen(form), QStringLiteral("Premises"));

        // Enter acts as Edit.
        AnswerDialog(QStringLiteral("Shop Premises"), KindOther, [](TNewEditCat& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Edit Category Type"));
            EXPECT_EQ(Child<QLineEdit>(dialog, "NameEdit")->text(), QStringLiteral("Premises"));
            EXPECT_TRUE(Child<QRadioButton>(dialog, "Kind2")->isChecked());
        });
        QTest::keyClick(Child<QListWidget>(form, "TypeList"), Qt::Key_Return);
        EXPECT_EQ(Chosen(form), QStringLiteral("Shop Premises"));
        EXPECT_FALSE(Names(form).contains(QStringLiteral("Premises")));
        Child<QPushButton>(form, "CloseBtn")->click();
    }));
    EXPECT_TRUE(Refresh & RefreshTypes);
    EXPECT_TRUE(DeletedRows.empty());

    Reopen();
    const TCatRec* made = TypeNamed("Shop Premises");
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->Side, SideDebit);
    EXPECT_EQ(made->Kind, KindOther);
    EXPECT_EQ(made->IsDefault, 0);

    // Opened on the type, on its side; Delete asks, then deletes.
    const auto count = Books().CatList.Count();
    EXPECT_TRUE(RunTypes(IndexOf("Shop Premises"), [this](TCatForm& form) {
        EXPECT_EQ(form.Side(), SideDebit);
        EXPECT_EQ(Chosen(form), QStringLiteral("Shop Premises"));
        Child<QPushButton>(form, "DeleteBtn")->click();
        EXPECT_EQ(Prompts.LastText(), "Do you really want to delete Category Type 'Shop Premises'?");
        EXPECT_FALSE(Names(form).contains(QStringLiteral("Shop Premises")));
        EXPECT_EQ(Child<QListWidget>(form, "TypeList")->currentRow(), 0);
        form.reject();
    }));
    Reopen();
    EXPECT_EQ(TypeNamed("Shop Premises"), nullptr);
    EXPECT_EQ(Books().CatList.Count(), count - 1);
}

TEST_F(CatFormTest, RefusalsShowTheirMessageAndChangeNothing) {
    OpenBooks();
    const auto count = Books().CatList.Count();
    struct Case {
        const char* Name;
        int Kind;
        std::string Message;
    };
    const Case cases[] = {
        {"general income", KindSales, "The name 'general income' is already being used"},
        {"   ", KindSales, "The name you have entered is not valid"},
        {"Catering", 0, "You must select a Type"},
    };
    EXPECT_FALSE(RunTypes(-1, [&](TCatForm& form) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.Name);
            WhenModal<TNewEditCat>([&](TNewEditCat& dialog) {
                auto* edit = Child<QLineEdit>(dialog, "NameEdit");
                QTest::keyClicks(edit, QString::fromLatin1(c.Name));
                if (c.Kind)
                    Child<QRadioButton>(dialog, QStringLiteral("Kind%1").arg(c.Kind).toLatin1().constData())->click();
                Child<QPushButton>(dialog, "OKBtn")->click();
                EXPECT_EQ(Prompts.LastText(), c.Message);
                EXPECT_TRUE(dialog.isVisible());
                Child<QPushButton>(dialog, "CancelBtn")->click();
            });
            Child<QPushButton>(form, "NewBtn")->click();
        }
        // The system type and the default types: neither Edit nor Delete, not even by Enter.
        Child<QPushButton>(form, "DebitBtn")->click();
        auto* list = Child<QListWidget>(form, "TypeList");
        list->setCurrentItem(list->findItems(QStringLiteral("GST"), Qt::MatchExactly).value(0));
        ASSERT_EQ(Chosen(form), QStringLiteral("GST"));
        EXPECT_FALSE(Child<QPushButton>(form, "EditBtn")->isEnabled());
        EXPECT_FALSE(Child<QPushButton>(form, "DeleteBtn")->isEnabled());
        FailIfDialogOpens();
        QTest::keyClick(list, Qt::Key_Space);
        const QPoint at = list->visualItemRect(list->currentItem()).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QApplication::processEvents();
        // A type a category uses stays.
        list->setCurrentItem(list->findItems(QStringLiteral("Rent"), Qt::MatchExactly).value(0));
        Child<QPushButton>(form, "DeleteBtn")->click();
        EXPECT_EQ(Prompts.LastText(),
                  "Category Type 'Rent' can't be deleted because it is being used by Category '" + RentUser + "'");
        EXPECT_TRUE(Names(form).contains(QStringLiteral("Rent")));
        form.reject();
    }));
    EXPECT_EQ(Books().CatList.Count(), count);
    Reopen();
    EXPECT_EQ(Books().CatList.Count(), count);

    // The type's own name in other letter case passes the duplicate check.
    EXPECT_TRUE(RunTypes(IndexOf("Rent"), [](TCatForm& form) {
        AnswerDialog(QStringLiteral("RENT"), 0);
        Child<QPushButton>(form, "EditBtn")->click();
        EXPECT_EQ(Chosen(form), QStringLiteral("RENT"));
        form.reject();
    }));
    Reopen();
    EXPECT_NE(TypeNamed("RENT"), nullptr);
}

TEST_F(CatFormTest, ProtectedDocumentAsksThePasswordOfEachArea) {
    OpenBooks([](TFileSettings& settings) {
        settings.Password = "pw";
        settings.ProtectAdd = settings.ProtectEdit = settings.ProtectDelete = 1;
    });
    Questions.PasswordAccepted = false;
    EXPECT_TRUE(RunTypes(IndexOf("Spare"), [this](TCatForm& form) {
        FailIfDialogOpens();
        Child<QPushButton>(form, "NewBtn")->click();
        EXPECT_EQ(Questions.PasswordQuestions, 1);
        FailIfDialogOpens();
        QTest::keyClick(Child<QListWidget>(form, "TypeList"), Qt::Key_Return);
        EXPECT_EQ(Questions.PasswordQuestions, 2);
        Child<QPushButton>(form, "DeleteBtn")->click();
        EXPECT_EQ(Questions.PasswordQuestions, 3);
        EXPECT_TRUE(Prompts.Messages.empty()); // no confirmation asked
        EXPECT_EQ(Chosen(form), QStringLiteral("Spare"));
        QApplication::processEvents(); // the checks above find no dialog

        // With the password given, the dialog's OK does not ask again.
        Questions.PasswordAccepted = true;
        AnswerDialog(QStringLiteral("Spare Parts"), 0);
        Child<QPushButton>(form, "EditBtn")->click();
        EXPECT_EQ(Questions.PasswordQuestions, 4);
        Child<QPushButton>(form, "DeleteBtn")->click();
        EXPECT_EQ(Questions.PasswordQuestions, 5);
        EXPECT_FALSE(Names(form).contains(QStringLiteral("Spare Parts")));
        form.reject();
    }));
    Reopen();
    EXPECT_EQ(TypeNamed("Spare"), nullptr);
    EXPECT_EQ(TypeNamed("Spare Parts"), nullptr);
}

TEST_F(CatFormTest, ReportsTheWorksheetRowsOfTheDeletedTypes) {
    OpenBooks();
    // "Spare" shows on row 1 of the worksheet, "Rent" on row 5; a type made in the editor shows
    // nowhere yet.
    for (TCatRec* type : Books().CatList.KeyList)
        type->Row = type->Name == "Spare" ? 1 : 5;
    Books()
        .MainActList.Items(Books().MainActList.IndexOfNumber(Books().MainActList.NumberOfName(RentUser, SideDebit)))
        ->CatType = TypeNamed("General Income")->Number; // frees "Rent" for deletion, in memory only
    EXPECT_TRUE(RunTypes(IndexOf("Spare"), [](TCatForm& form) {
        Child<QPushButton>(form, "DeleteBtn")->click();
        AnswerDialog(QStringLiteral("Fresh"), KindSales);
        Child<QPushButton>(form, "NewBtn")->click();
        Child<QPushButton>(form, "DeleteBtn")->click();
        Child<QPushButton>(form, "DebitBtn")->click();
        auto* list = Child<QListWidget>(form, "TypeList");
        list->setCurrentItem(list->findItems(QStringLiteral("Rent"), Qt::MatchExactly).value(0));
        Child<QPushButton>(form, "DeleteBtn")->click();
        EXPECT_FALSE(Names(form).contains(QStringLiteral("Rent")));
        form.reject();
    }));
    EXPECT_EQ(DeletedRows, (std::vector<std::int32_t>{1, 5}));
}

} // namespace
} // namespace qz::gui::test
