// The category search on a real document: by name and by number, main categories and sub
// categories of either side; the text box follows the mode; Reset; the record displayed.

#include "editors/ActSearchForm.h"

#include "CatFormFixture.h"
#include "forms/ModalDriver.h"
#include "platform/TextCodec.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

namespace qz::gui::test {
namespace {

class ActSearchFormTest : public ClassificationWindowTest {
protected:
    std::optional<TCategoryHit> RunSearch(bool subCategories, std::function<void(TActSearchForm&)> act) {
        WhenModalClosing<TActSearchForm>(std::move(act));
        return TActSearchForm::FindCategory(Window.get(), Books(), subCategories);
    }
    static QStringList Column(TActSearchForm& form, int column) {
        QStringList texts;
        auto* list = Child<QTreeWidget>(form, "FoundList");
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            texts << list->topLevelItem(row)->text(column);
        return texts;
    }
};

TEST_F(ActSearchFormTest, FindsByNameAndByNumber) {
    OpenBooks();
    // A name prefix of a debit sub category, and one that only appears inside names.
    const TSubActRec* target = nullptr;
    for (const TSubActRec* s : Books().SubActList.KeyList)
        if (s->Side == SideDebit && s->Name.View().size() > 3) {
            target = s;
            break;
        }
    ASSERT_NE(target, nullptr);
    const QString name = FromDocument(target->Name.View());
    const QString prefix = name.left(3).toLower();

    const auto found = RunSearch(true, [&](TActSearchForm& form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Find a Category"));
        EXPECT_TRUE(Child<QRadioButton>(form, "SubBtn")->isChecked());
        EXPECT_TRUE(Child<QRadioButton>(form, "CreditBtn")->isChecked());
        auto* text = Child<QLineEdit>(form, "SearchSrc");
        auto* list = Child<QTreeWidget>(form, "FoundList");
        auto* display = Child<QPushButton>(form, "DisplayBtn");
        EXPECT_EQ(form.focusWidget(), text);
        EXPECT_FALSE(display->isEnabled());

        // By name, ignoring letter case: each result's name begins with the text.
        Child<QRadioButton>(form, "DebitBtn")->click();
        const int all = list->topLevelItemCount();
        QTest::keyClicks(text, prefix);
        const QStringList names = Column(form, 1);
        EXPECT_TRUE(names.contains(name));
        EXPECT_LT(names.size(), all);
        for (const QString& n : names)
            EXPECT_TRUE(n.startsWith(prefix, Qt::CaseInsensitive)) << n.toStdString();
        QTest::keyClicks(text, QStringLiteral("zzz"));
        EXPECT_EQ(list->topLevelItemCount(), 0);

        // By number: the box empties, takes digits only, and matches a sub category's own number.
        Child<QRadioButton>(form, "NumberBtn")->click();
        EXPECT_TRUE(text->text().isEmpty());
        EXPECT_TRUE(text->alignment() & Qt::AlignRight);
        QTest::keyClicks(text, QStringLiteral("a1"));
        EXPECT_EQ(text->text(), QStringLiteral("1"));
        const QStringList numbers = Column(form, 0);
        EXPECT_FALSE(numbers.isEmpty());
        for (const QString& n : numbers)
            EXPECT_TRUE(n.section(QLatin1Char('-'), 1).startsWith(QLatin1Char('1'))) << n.toStdString();

        // Reset: main categories, credit, by name, empty text.
        Child<QPushButton>(form, "ResetBtn")->click();
        EXPECT_TRUE(Child<QRadioButton>(form, "MainBtn")->isChecked());
        EXPECT_TRUE(Child<QRadioButton>(form, "CreditBtn")->isChecked());
        EXPECT_TRUE(Child<QRadioButton>(form, "NameBtn")->isChecked());
        EXPECT_TRUE(text->text().isEmpty());
        EXPECT_FALSE(Column(form, 0).contains(QStringLiteral("-"), Qt::CaseSensitive));

        // Back to the debit sub category, chosen and displayed with Enter.
        Child<QRadioButton>(form, "SubBtn")->click();
        Child<QRadioButton>(form, "DebitBtn")->click();
        QTest::keyClicks(text, name);
        const auto rows = list->findItems(name, Qt::MatchExactly, 1);
        ASSERT_FALSE(rows.isEmpty());
        list->setCurrentItem(rows.front());
        EXPECT_TRUE(display->isEnabled());
        QTest::keyClick(list, Qt::Key_Return);
    });
    ASSERT_TRUE(found.has_value());
    EXPECT_FALSE(found->IsCategory);
    const TSubActRec* sub = Books().SubActList.Items(found->Index);
    EXPECT_EQ(FromDocument(sub->Name.View()), name);

    // A main category by its number, by double-click; Close answers nothing.
    const TMainActRec* category = Books().MainActList.Items(0);
    const auto byNumber = RunSearch(false, [&](TActSearchForm& form) {
        if (category->Side != SideCredit)
            Child<QRadioButton>(form, "DebitBtn")->click();
        Child<QRadioButton>(form, "NumberBtn")->click();
        QTest::keyClicks(Child<QLineEdit>(form, "SearchSrc"), QString::number(category->Number));
        auto* list = Child<QTreeWidget>(form, "FoundList");
        const auto rows = list->findItems(QString::number(category->Number), Qt::MatchExactly, 0);
        ASSERT_EQ(rows.size(), 1);
        const QPoint at = list->visualItemRect(rows.front()).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    });
    ASSERT_TRUE(byNumber.has_value());
    EXPECT_TRUE(byNumber->IsCategory);
    EXPECT_EQ(byNumber->Index, 0);
    EXPECT_FALSE(
        RunSearch(false, [](TActSearchForm& form) { Child<QPushButton>(form, "CloseBtn")->click(); }).has_value());
}

} // namespace
} // namespace qz::gui::test
