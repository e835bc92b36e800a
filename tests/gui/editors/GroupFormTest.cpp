// The groups editor on a real document: a group made, renamed and deleted through the window
// reaches the file; refusals show their message and change nothing; the default group stays;
// a protected document asks for the password of each area; the count of deleted groups above
// the worksheet's first visible row.

#include "editors/GroupForm.h"
#include "editors/TextInputForm.h"

#include "CatFormFixture.h"
#include "forms/ModalDriver.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace qz::gui::test {
namespace {

class GroupFormTest : public ClassificationWindowTest {
protected:
    bool RunGroups(std::int32_t index, std::function<void(TGroup&)> act) {
        WhenModalClosing<TGroup>(std::move(act));
        const TListEditorOutcome outcome = TGroup::OpenGroups(Window.get(), Edit(), index);
        Refresh = outcome.Refresh;
        DeletedRows = outcome.DeletedRows;
        return outcome.Changed;
    }
    std::int32_t IndexOf(const std::string& name) { return Books().GroupList.IndexOf(GroupNamed(name)); }

    static QTreeWidget* List(TGroup& form) { return Child<QTreeWidget>(form, "GroupList"); }
    static QStringList Row(TGroup& form, int row) {
        const QTreeWidgetItem* item = List(form)->topLevelItem(row);
        return item ? QStringList{item->text(0), item->text(1)} : QStringList{};
    }
    static QString Chosen(TGroup& form) {
        const QTreeWidgetItem* item = List(form)->currentItem();
        return item && item->isSelected() ? item->text(1) : QString();
    }
    static void Choose(TGroup& form, const QString& name) {
        List(form)->setCurrentItem(List(form)->findItems(name, Qt::MatchExactly, 1).value(0));
    }
    static void AnswerName(const QString& text, const std::function<void(TTextInputForm&)>& check = {}) {
        WhenModal<TTextInputForm>([=](TTextInputForm& box) {
            if (check)
                check(box);
            auto* edit = Child<QLineEdit>(box, "TextEdit");
            edit->selectAll();
            QTest::keyClicks(edit, text);
            Child<QPushButton>(box, "OKBtn")->click();
            if (box.isVisible()) // refused: leave it
                Child<QPushButton>(box, "CancelBtn")->click();
        });
    }
    static void FailIfBoxOpens() {
        QTimer::singleShot(0, [] {
            if (auto* box = qobject_cast<TTextInputForm*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "the name box opened";
                box->reject();
            }
        });
    }

    std::uint16_t Refresh = RefreshNone;
    std::vector<std::int32_t> DeletedRows;
};

TEST_F(GroupFormTest, MakesRenamesAndDeletesAGroupInTheDocument) {
    OpenBooks();
    EXPECT_TRUE(RunGroups(-1, [this](TGroup& form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Groups"));
        EXPECT_EQ(List(form)->headerItem()->text(0), QStringLiteral("No."));
        EXPECT_EQ(Row(form, 0), (QStringList{"G0", "General"}));
        EXPECT_EQ(Row(form, 1), (QStringList{"G1", "Shop"}));
        EXPECT_EQ(Chosen(form), QString()); // none chosen
        EXPECT_FALSE(Child<QPushButton>(form, "EditBtn")->isEnabled());

        AnswerName(QStringLiteral("  Catering "),
                   [](TTextInputForm& box) { EXPECT_EQ(box.windowTitle(), QStringLiteral("New Group")); });
        Child<QPushButton>(form, "NewBtn")->click();
        EXPECT_EQ(Chosen(form), QStringLiteral("Catering"));
        EXPECT_EQ(List(form)->currentItem()->text(0), QStringLiteral("G4"));

        AnswerName(QStringLiteral("Catering Hire"), [](TTextInputForm& box) {
            EXPECT_EQ(box.windowTitle(), QStringLiteral("Edit Group Name"));
            EXPECT_EQ(Child<QLineEdit>(box, "TextEdit")->text(), QStringLiteral("Catering"));
        });
        Child<QPushButton>(form, "EditBtn")->click();
        EXPECT_EQ(Chosen(form), QStringLiteral("Catering Hire"));
        Child<QPushButton>(form, "CloseBtn")->click();
    }));
    EXPECT_TRUE(Refresh & RefreshGroups);
    Reopen();
    const TGroupRec* made = GroupNamed("Catering Hire");
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->Number, 4);

    EXPECT_TRUE(RunGroups(IndexOf("Catering Hire"), [this](TGroup& form) {
        EXPECT_EQ(Chosen(form), QStringLiteral("Catering Hire"));
        Child<QPushButton>(form, "DeleteBtn")->click();
        EXPECT_EQ(Prompts.LastText(), "Delete Group - 'Catering Hire'?");
        EXPECT_TRUE(List(form)->findItems(QStringLiteral("Catering Hire"), Qt::MatchExactly, 1).isEmpty());
        EXPECT_EQ(Chosen(form), QStringLiteral("General")); // the first row
        form.reject();
    }));
    Reopen();
    EXPECT_EQ(GroupNamed("Catering Hire"), nullptr);
}

TEST_F(GroupFormTest, RefusalsShowTheirMessageAndChangeNothing) {
    OpenBooks();
    const auto count = Books().GroupList.Count();
    // The first transaction of group "Shop" in key order.
    std::int32_t firstUser = -1;
    for (const TTransRec* t : Books().TransList.KeyList)
        if (t->IsOrdinary() && t->Group == GroupNamed("Shop")->Number) {
            firstUser = t->Number;
            break;
        }
    ASSERT_GE(firstUser, 0);
    EXPECT_FALSE(RunGroups(IndexOf("Shop"), [&](TGroup& form) {
        AnswerName(QStringLiteral("online"));
        Child<QPushButton>(form, "NewBtn")->click();
        EXPECT_EQ(Prompts.LastText(), "Group name 'online' is already in use.");

        Child<QPushButton>(form, "DeleteBtn")->click();
        ASSERT_GE(Prompts.Messages.size(), 2u);
        EXPECT_EQ(Prompts.Messages[Prompts.Messages.size() - 2].Text,
                  "Group - 'Shop' can't be deleted because it is being used by one or more Transactions.");
        EXPECT_EQ(Prompts.LastText(), std::to_string(firstUser));

        // The default group keeps its name and stays.
        Choose(form, QStringLiteral("General"));
        EXPECT_FALSE(Child<QPushButton>(form, "EditBtn")->isEnabled());
        EXPECT_FALSE(Child<QPushButton>(form, "DeleteBtn")->isEnabled());
        FailIfBoxOpens();
        const QPoint at = List(form)->visualItemRect(List(form)->currentItem()).center();
        QTest::mouseClick(List(form)->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(List(form)->viewport(), Qt::LeftButton, {}, at);
        QApplication::processEvents();
        form.reject();
    }));
    EXPECT_EQ(Books().GroupList.Count(), count);

    // Letter case only: accepted without the duplicate check.
    EXPECT_TRUE(RunGroups(IndexOf("Shop"), [](TGroup& form) {
        AnswerName(QStringLiteral("SHOP"));
        Child<QPushButton>(form, "EditBtn")->click();
        EXPECT_EQ(Chosen(form), QStringLiteral("SHOP"));
        form.reject();
    }));
    Reopen();
    EXPECT_NE(GroupNamed("SHOP"), nullptr);
    EXPECT_EQ(Books().GroupList.Count(), count);
}

TEST_F(GroupFormTest, ProtectedDocumentAsksThePasswordOfEachArea) {
    OpenBooks([](TFileSettings& settings) {
        settings.Password = "pw";
        settings.ProtectAdd = settings.ProtectEdit = settings.ProtectDelete = 1;
    });
    Questions.PasswordAccepted = false;
    EXPECT_TRUE(RunGroups(IndexOf("Projects"), [this](TGroup& form) {
        FailIfBoxOpens();
        Child<QPushButton>(form, "NewBtn")->click();
        FailIfBoxOpens();
        Child<QPushButton>(form, "EditBtn")->click();
        Child<QPushButton>(form, "DeleteBtn")->click();
        EXPECT_EQ(Questions.PasswordQuestions, 3);
        EXPECT_TRUE(Prompts.Messages.empty());
        QApplication::processEvents(); // the checks above find no name box

        Questions.PasswordAccepted = true;
        AnswerName(QStringLiteral("Spare"));
        Child<QPushButton>(form, "NewBtn")->click();
        EXPECT_EQ(Questions.PasswordQuestions, 4); // asked once for the box and its OK
        EXPECT_EQ(Chosen(form), QStringLiteral("Spare"));
        AnswerName(QStringLiteral("Spare Room"));
        Child<QPushButton>(form, "EditBtn")->click();
        EXPECT_EQ(Questions.PasswordQuestions, 5);
        form.reject();
    }));
    Reopen();
    EXPECT_NE(GroupNamed("Spare Room"), nullptr);
    EXPECT_NE(GroupNamed("Projects"), nullptr);
}

TEST_F(GroupFormTest, ReportsTheWorksheetRowsOfTheDeletedGroups) {
    OpenBooks();
    // Groups nobody uses, on rows 0 and 4 of the worksheet.
    ScriptedPrompts quiet;
    for (const char* name : {"Above", "Below"}) {
        std::string text = name;
        ASSERT_TRUE(Books().GroupList.ValidateName(text, quiet));
        Books().GroupList.AddNamed(text);
    }
    for (TGroupRec* group : Books().GroupList.KeyList)
        group->Row = group->Name == "Above" ? 0 : 4;
    EXPECT_TRUE(RunGroups(IndexOf("Above"), [](TGroup& form) {
        Child<QPushButton>(form, "DeleteBtn")->click();
        Choose(form, QStringLiteral("Below"));
        Child<QPushButton>(form, "DeleteBtn")->click();
        EXPECT_EQ(List(form)->topLevelItemCount(), 4);
        form.reject();
    }));
    EXPECT_EQ(DeletedRows, (std::vector<std::int32_t>{0, 4}));
}

} // namespace
} // namespace qz::gui::test
