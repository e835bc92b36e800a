// The New File dialog: its choices, and the order of asking, closing and creating a blank file.

#include "wizard/NewFileDlg.h"

#include "ModalDriver.h"

#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace qz::gui::test {
namespace {

// The three steps the dialog is given, each recording its call in one shared log.
struct Steps {
    QString SavePath;
    bool CloseSucceeds = true;
    bool CreateSucceeds = true;
    QStringList Log;
};

std::unique_ptr<TNewFileDlg> DialogOver(Steps& steps) {
    return std::make_unique<TNewFileDlg>(
        nullptr,
        [&steps] {
            steps.Log << QStringLiteral("ask");
            return steps.SavePath;
        },
        [&steps] {
            steps.Log << QStringLiteral("close");
            return steps.CloseSucceeds;
        },
        [&steps](const QString& path) {
            steps.Log << QStringLiteral("create ") + path;
            return steps.CreateSucceeds;
        });
}

TEST(NewFileDlg, BlankFileAsksFirstThenClosesThenCreates) {
    const QString path = QStringLiteral("/books/Shop.kqk");
    const struct {
        const char* Name;
        QString SavePath;
        bool CloseSucceeds;
        bool CreateSucceeds;
        QStringList Log;
        bool Accepted;
    } cases[] = {
        {"save dialog cancelled", QString(), true, true, {"ask"}, false},
        {"close abandoned", path, false, true, {"ask", "close"}, false},
        {"creation failed", path, true, false, {"ask", "close", "create " + path}, false},
        {"created", path, true, true, {"ask", "close", "create " + path}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Steps steps{c.SavePath, c.CloseSucceeds, c.CreateSucceeds, {}};
        const auto dialog = DialogOver(steps);
        dialog->findChild<QPushButton*>("BlankFileBtn")->click();
        EXPECT_EQ(steps.Log, c.Log);
        EXPECT_EQ(dialog->result() == QDialog::Accepted, c.Accepted);
        EXPECT_EQ(dialog->FileName(), c.Accepted ? path : QString());
        EXPECT_FALSE(dialog->FromExisting());
    }
}

TEST(NewFileDlg, FromExistingClosesFirstThenRunsItsDialogs) {
    const QString path = QStringLiteral("/books/Next Year.kqk");
    const struct {
        const char* Name;
        bool CloseSucceeds;
        QString Made;
        QStringList Log;
        bool Accepted;
    } cases[] = {
        {"close abandoned", false, path, {"close"}, false},
        {"dialogs cancelled", true, QString(), {"close", "make"}, false},
        {"made", true, path, {"close", "make"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Steps steps{QString(), c.CloseSucceeds, true, {}};
        const auto dialog = DialogOver(steps);
        auto* button = dialog->findChild<QPushButton*>("FromExistingBtn");
        EXPECT_FALSE(button->isEnabled()) << "offered only with its dialogs";
        dialog->SetFromExisting([&] {
            steps.Log << QStringLiteral("make");
            return c.Made;
        });
        ASSERT_TRUE(button->isEnabled());
        button->click();
        EXPECT_EQ(steps.Log, c.Log);
        EXPECT_EQ(dialog->result() == QDialog::Accepted, c.Accepted);
        EXPECT_EQ(dialog->FileName(), c.Accepted ? path : QString());
        EXPECT_EQ(dialog->FromExisting(), c.Accepted);
    }
}

TEST(NewFileDlg, OnlyBlankFileIsOfferedForNow) {
    TNewFileDlg dialog(
        nullptr, [] { return QString(); }, [] { return true; }, [](const QString&) { return true; });
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("New File"));
    const struct {
        const char* Button;
        const char* Caption;
        const char* Hint;
        bool Enabled;
    } choices[] = {
        {"FileWizardBtn", "&File Wizard",
         "Let the Quillmar Zudeduze file Wizard guide you through the setup of your file.  (recommended)", false},
        {"BlankFileBtn", "&Blank File", "Create a file from scratch", true},
        {"FromExistingBtn", "&From Existing File",
         "Create a new file based on the account structure of an existing Quillmar Zudeduze file.", false},
    };
    for (const auto& c : choices) {
        SCOPED_TRACE(c.Button);
        auto* button = dialog.findChild<QPushButton*>(c.Button);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QString::fromLatin1(c.Caption));
        EXPECT_EQ(button->isEnabled(), c.Enabled);
        EXPECT_FALSE(button->isHidden());
        bool hinted = false;
        for (QLabel* label : dialog.findChildren<QLabel*>())
            hinted = hinted || (label->buddy() == button && label->text() == QString::fromLatin1(c.Hint));
        EXPECT_TRUE(hinted);
    }
    dialog.findChild<QPushButton*>("CloseBtn")->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(NewFileDlg, SaveDialogAddsTheDocumentExtension) {
    QTemporaryDir folder;
    const struct {
        const char* Typed;
        const char* Answer;
    } cases[] = {{"Shop", "Shop.kqk"}, {"Shop.kqk", "Shop.kqk"}, {"My.Shop", "My.Shop"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        WhenModal<QFileDialog>([&](QFileDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Create New File"));
            EXPECT_EQ(dialog.nameFilters(), QStringList{QStringLiteral("Quillmar Zudeduze file (*.kqk)")});
            dialog.selectFile(folder.filePath(QString::fromLatin1(c.Typed)));
            static_cast<QDialog&>(dialog).accept();
        });
        EXPECT_EQ(TNewFileDlg::DefaultAskSavePath(nullptr, folder.path()),
                  folder.filePath(QString::fromLatin1(c.Answer)));
    }
    WhenModal<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(TNewFileDlg::DefaultAskSavePath(nullptr, folder.path()), QString());
}

} // namespace
} // namespace qz::gui::test
