// The description page of an example document.

#include "wizard/ExampleDesc.h"

#include "ModalDriver.h"
#include "platform/ScriptedPrompts.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace qz::gui::test {
namespace {

class ExampleDescTest : public ::testing::Test {
protected:
    ExampleDescTest() {
        QFile page(Folder.filePath(QStringLiteral("Corner Shop.htm")));
        EXPECT_TRUE(page.open(QIODevice::WriteOnly));
        page.write("<html><body><h2>Corner Shop</h2><p>Read <a href=\"Recurring.htm\">about repeats</a>.</p>"
                   "</body></html>");
    }

    QTemporaryDir Folder;
    ScriptedPrompts Prompts;
};

TEST_F(ExampleDescTest, FindsThePageTheDocumentNames) {
    const struct {
        std::string Named;
        const char* Expected;
    } cases[] = {{"Corner Shop.htm", "Corner Shop.htm"},
                 {"\\Corner Shop.htm", "Corner Shop.htm"},
                 {"Pages\\Corner Shop.htm", "Pages/Corner Shop.htm"},
                 {"Caf\xE9.htm", "Caf\u00e9.htm"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Named);
        EXPECT_EQ(TfmExampleDesc::PagePath(Folder.path(), c.Named), Folder.filePath(QString::fromUtf8(c.Expected)));
    }
}

TEST_F(ExampleDescTest, ShowsAnExistingPageOnly) {
    bool shown = false;
    const auto watch = [&] {
        WhenModal<TfmExampleDesc>([&](TfmExampleDesc& window) {
            shown = true;
            EXPECT_EQ(window.windowTitle(), QStringLiteral("Welcome"));
            EXPECT_TRUE(
                window.findChild<QTextBrowser*>("Browser")->toPlainText().contains(QStringLiteral("Corner Shop")));
            window.reject();
        });
    };
    for (const std::string missing : {"", "Other Shop.htm"}) {
        TfmExampleDesc::ShowIfPresent(nullptr, Folder.path(), missing, Prompts);
        EXPECT_FALSE(shown) << missing;
    }
    watch();
    TfmExampleDesc::ShowIfPresent(nullptr, Folder.path(), "Corner Shop.htm", Prompts);
    EXPECT_TRUE(shown);
}

TEST_F(ExampleDescTest, ClickingALinkNamesItsTarget) {
    TfmExampleDesc window(nullptr, Folder.filePath(QStringLiteral("Corner Shop.htm")), Prompts);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* browser = window.findChild<QTextBrowser*>("Browser");
    QTextCursor cursor = browser->document()->find(QStringLiteral("about repeats"));
    ASSERT_FALSE(cursor.isNull());
    cursor.setPosition(cursor.selectionStart() + 2);
    const QPoint inLink = browser->cursorRect(cursor).center();
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, inLink);

    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_EQ(Prompts.Messages[0].Text, "Recurring.htm");
    EXPECT_EQ(Prompts.Messages[0].Kind, MsgKind::Information);
    EXPECT_TRUE(browser->toPlainText().startsWith(QStringLiteral("Corner Shop"))); // it did not follow the link
}

} // namespace
} // namespace qz::gui::test
