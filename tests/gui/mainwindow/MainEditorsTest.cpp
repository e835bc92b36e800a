// The main window's way into the editors of the books' structure: the tool button and a
// double-click on a row open them behind the password of their area, and what they change
// reaches the worksheet's views at once.

#include "MainFormFixture.h"

#include "controls/KQButton2.h"
#include "editors/MainActForm.h"
#include "forms/ModalDriver.h"
#include "grid/Grid3.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace qz::gui::test {
namespace {

using MainEditorsTest = MainFormTest;

void Click(QWidget& window, const char* name) {
    auto* button = window.findChild<QAbstractButton*>(QLatin1String(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

TEST_F(MainEditorsTest, TheCategoriesButtonAddsASubCategoryTheWorksheetShows) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk", 40)));
    TWorksheet& sheet = Window->Worksheet();
    // A new sub category has no total yet: the view shows rows without one.
    Window->Ledger().SubActList.ShowZeroRows = true;
    Window->Ledger().SubActList.Recount();
    const std::int32_t rowsBefore = sheet.RowCount(ViewSubCategories);
    auto* categories = Window->ToolButton(QStringLiteral("ActBtn"));
    ASSERT_TRUE(categories->isEnabled());
    WhenModal<TMainActForm>([](TMainActForm& editor) {
        Click(editor, "NewSubBtn");
        QTest::keyClicks(editor.findChild<QLineEdit*>("NameEdit"), QStringLiteral("Night Market"));
        Click(editor, "SubOKBtn");
        Click(editor, "OKBtn");
    });
    categories->click();
    EXPECT_EQ(sheet.RowCount(ViewSubCategories), rowsBefore + 1);
    const auto& subs = Window->Ledger().SubActList.KeyList;
    EXPECT_TRUE(
        std::any_of(subs.begin(), subs.end(), [](const TSubActRec* sub) { return sub->Name.Str() == "Night Market"; }));
}

// With Adding protected, the button asks first; a wrong answer opens nothing.
TEST_F(MainEditorsTest, TheCategoriesButtonAsksForThePasswordOfAdding) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk", 40, 3, [](TFileSettings& settings) {
        settings.Password = "pw";
        settings.ProtectAdd = 1;
    })));
    Questions.PasswordAccepted = false;
    bool opened = false;
    // Should the editor open after all, close it rather than wait on it.
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = true;
            modal->close();
        }
    });
    Window->ToolButton(QStringLiteral("ActBtn"))->click();
    QApplication::processEvents();
    EXPECT_EQ(Questions.PasswordQuestions, 1);
    EXPECT_FALSE(opened);
}

} // namespace
} // namespace qz::gui::test
