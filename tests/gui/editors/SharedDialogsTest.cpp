// The small dialogs the editors share: the name box with its check, the deletion confirmation
// that needs the Ctrl key, and the credit or debit question.

#include "editors/Choice.h"
#include "editors/DeleteDialog.h"
#include "editors/TextInputForm.h"

#include "forms/ModalDriver.h"
#include "platform/ScriptedPrompts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace qz::gui::test {
namespace {

template <class T> T* Child(QWidget& window, const char* name) {
    T* child = window.findChild<T*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

TEST(TextInputForm, OffersOkOnlyForANewTextAndChecksAllButTheOwnName) {
    ScriptedPrompts prompts;
    std::vector<std::string> checked;
    const TTextInputForm::Check check = [&](const std::string& name) {
        checked.push_back(name);
        if (name == "Office")
            return true;
        prompts.MessageBox("taken", MsgKind::Information, MsgButtons::Ok);
        return false;
    };
    std::string text = "office";
    WhenModal<TTextInputForm>([&](TTextInputForm& form) {
        auto* edit = Child<QLineEdit>(form, "TextEdit");
        auto* ok = Child<QPushButton>(form, "OKBtn");
        EXPECT_EQ(edit->text(), QStringLiteral("office"));
        EXPECT_FALSE(ok->isEnabled()); // the given text
        EXPECT_TRUE(Child<QPushButton>(form, "CancelBtn")->isDefault());
        edit->setText(QStringLiteral("office  "));
        EXPECT_FALSE(ok->isEnabled()); // the same once trimmed
        edit->setText(QStringLiteral("Rent"));
        EXPECT_TRUE(ok->isEnabled());
        EXPECT_TRUE(ok->isDefault());
        ok->click(); // refused by the caller's check: the box stays open
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(prompts.LastText(), "taken");
        // The own name in other letter case passes without the check.
        edit->setText(QStringLiteral("  OFFICE "));
        ok->click();
    });
    ASSERT_TRUE(TTextInputForm::InputText(nullptr, prompts, QStringLiteral("Edit Group Name"),
                                          QStringLiteral("Enter the new Name for the Group"), text, check));
    EXPECT_EQ(text, "OFFICE");
    EXPECT_EQ(checked, (std::vector<std::string>{"Rent"}));

    // Blanks only: the box is emptied and stays; Cancel leaves the text as it was.
    WhenModal<TTextInputForm>([&](TTextInputForm& form) {
        auto* edit = Child<QLineEdit>(form, "TextEdit");
        edit->setText(QStringLiteral("   "));
        Child<QPushButton>(form, "OKBtn")->click();
        EXPECT_EQ(prompts.LastText(), "'' is not a valid name");
        EXPECT_TRUE(edit->text().isEmpty());
        EXPECT_TRUE(form.isVisible());
        QTest::keyClicks(edit, QString(50, QLatin1Char('x')));
        EXPECT_EQ(edit->text().size(), TTextInputForm::MaxLength);
        Child<QPushButton>(form, "CancelBtn")->click();
    });
    EXPECT_FALSE(TTextInputForm::InputText(nullptr, prompts, QStringLiteral("New Group"),
                                           QStringLiteral("Enter the Name of the new Group"), text, check));
    EXPECT_EQ(text, "OFFICE");
}

TEST(DeleteDialog, DeletesOnlyWhileCtrlIsHeld) {
    WhenModal<TDeleteDialog>([](TDeleteDialog& dialog) {
        auto* del = Child<QPushButton>(dialog, "DeleteBtn");
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Confirmation"));
        EXPECT_FALSE(del->isEnabled());
        QTest::mouseClick(del, Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible());
        // Enter goes to Cancel, never to Delete.
        QTest::keyPress(&dialog, Qt::Key_Control);
        EXPECT_TRUE(del->isEnabled());
        QTest::keyRelease(&dialog, Qt::Key_Control);
        EXPECT_FALSE(del->isEnabled());
        QTest::keyPress(&dialog, Qt::Key_Control);
        QTest::mouseClick(del, Qt::LeftButton, Qt::ControlModifier);
    });
    EXPECT_TRUE(TDeleteDialog::ConfirmDelete(nullptr));

    // Each showing starts disabled; Enter answers Cancel.
    WhenModal<TDeleteDialog>([](TDeleteDialog& dialog) {
        EXPECT_FALSE(Child<QPushButton>(dialog, "DeleteBtn")->isEnabled());
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    EXPECT_FALSE(TDeleteDialog::ConfirmDelete(nullptr));
}

TEST(Choice, AnswersTheKindOrCancel) {
    struct Case {
        const char* Name;
        std::function<void(TChoice&)> Act;
        int Kind;
    };
    const Case cases[] = {
        {"credit at first", [](TChoice& c) { Child<QPushButton>(c, "OKBtn")->click(); }, 0},
        {"debit chosen",
         [](TChoice& c) {
             Child<QPushButton>(c, "DebitBtn")->click();
             EXPECT_FALSE(Child<QPushButton>(c, "CreditBtn")->isChecked());
             Child<QPushButton>(c, "OKBtn")->click();
         },
         1},
        {"double-click on debit",
         [](TChoice& c) { QTest::mouseDClick(Child<QPushButton>(c, "DebitBtn"), Qt::LeftButton); }, 1},
        {"cancel", [](TChoice& c) { Child<QPushButton>(c, "CancelBtn")->click(); }, -1},
        // By keys: the arrows move the choice between the toggles, Enter answers it.
        {"Enter at once", [](TChoice& c) { QTest::keyClick(c.focusWidget(), Qt::Key_Return); }, 0},
        {"right arrow and Enter",
         [](TChoice& c) {
             QTest::keyClick(c.focusWidget(), Qt::Key_Right);
             EXPECT_EQ(c.focusWidget(), Child<QPushButton>(c, "DebitBtn"));
             QTest::keyClick(c.focusWidget(), Qt::Key_Return);
         },
         1},
        {"right and left arrows",
         [](TChoice& c) {
             QTest::keyClick(c.focusWidget(), Qt::Key_Right);
             QTest::keyClick(c.focusWidget(), Qt::Key_Left);
             QTest::keyClick(c.focusWidget(), Qt::Key_Return);
         },
         0},
        {"Escape", [](TChoice& c) { QTest::keyClick(c.focusWidget(), Qt::Key_Escape); }, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        WhenModal<TChoice>([&](TChoice& choice) {
            EXPECT_TRUE(Child<QPushButton>(choice, "CreditBtn")->isChecked());
            c.Act(choice);
        });
        EXPECT_EQ(
            TChoice::ChooseKind(nullptr, QStringLiteral("New Transaction"), QStringLiteral("Select Transaction Kind")),
            c.Kind);
    }
}

} // namespace
} // namespace qz::gui::test
