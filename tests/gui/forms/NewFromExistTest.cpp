// The new-from-existing dialogs on their own: the checks of the existing file and the new name,
// in their order, each keeping the dialog open; a cancelled second step or a failed write
// leaving no file behind.

#include "wizard/NewFromExist.h"
#include "wizard/NewFromExistB.h"

#include "ModalDriver.h"

#include "filters/GeneratedDocument.h"
#include "ledger/DateTime.h"
#include "platform/ScriptedPrompts.h"
#include "storage/FileConvert.h"
#include "storage/cfb/FaultyFileSystem.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

namespace qz::gui::test {
namespace {

class NewFromExist : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Folder.isValid());
        TLedger ledger;
        TGeneratorOptions options;
        options.Transactions = 120;
        options.Years = 1;
        TDocumentContent content;
        GenerateDocument(ledger, options, "GST", content);
        ScriptedPrompts quiet;
        ASSERT_TRUE(WriteGeneratedDocument(PathOf("Old.kqk").toStdString(), ledger, content, quiet));
        std::ofstream(PathOf("Garbage.kqk").toStdString(), std::ios::binary) << std::string(2048, 'G');
        Files.SyncWrites = false;
    }

    QString PathOf(const QString& name) const { return Folder.filePath(name); }

    std::unique_ptr<TNewFromExDlg> Dialog() {
        TNewFromExistingServices services;
        services.Ask = &Prompts;
        services.Questions = &Questions;
        services.Time = &Time;
        services.DriveInfo = &Drive;
        services.Convert = &Convert;
        services.OpenDialog = [this](const TFileDialogRequest& request) {
            Requests.push_back(request);
            return Chosen;
        };
        services.ShowHelp = [this](int topic) { Topics.push_back(topic); };
        auto dialog = std::make_unique<TNewFromExDlg>(std::move(services), Folder.path());
        dialog->show();
        return dialog;
    }

    // The kqk files in the folder.
    QStringList Documents() const { return QDir(Folder.path()).entryList({QStringLiteral("*.kqk*")}, QDir::Files); }

    QTemporaryDir Folder;
    ScriptedPrompts Prompts;
    PreparedQuestions Questions;
    FixedClock Time{EncodeDate(2026, 12, 10)};
    FixedDrives Drive;
    cfb::TFaultyFileSystem Faults;
    TLedger Ledger;
    TFileManager Files{Ledger, Prompts, Questions, Time, Drive, Faults};
    TFileConvert Convert{Files, Ledger, Prompts, Questions, Time, Faults};
    QString Chosen;
    std::vector<TFileDialogRequest> Requests;
    std::vector<int> Topics;
};

TEST_F(NewFromExist, NamesDropWhatAFileNameCannotHold) {
    const auto dialog = Dialog();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("New File from Exitsing File"));
    auto* name = dialog->findChild<QLineEdit*>("NameEdit");
    QTest::keyClicks(name, QStringLiteral("Books \"2027\": a*b/c.d<e>f?g\\h|i"));
    EXPECT_EQ(name->text(), QStringLiteral("Books 2027 abcdefghi"));

    QTest::mouseClick(dialog->findChild<QPushButton*>("HelpBtn"), Qt::LeftButton);
    EXPECT_EQ(Topics, std::vector<int>{TNewFromExDlg::HelpTopic});
}

TEST_F(NewFromExist, EachRefusalKeepsTheDialogOpenAndMakesNothing) {
    const QString missing = QStringLiteral("Unable to find the Existing file you have chosen.  Use the 'Browse...' "
                                           "button to help you locate a file.");
    const struct {
        const char* Name;
        QString Existing; // empty: Browse is not used
        QString NewName;
        std::string Message;
    } cases[] = {
        {"nothing chosen", QString(), QStringLiteral("New"), missing.toStdString()},
        {"chosen file gone", PathOf("Gone.kqk"), QStringLiteral("New"), missing.toStdString()},
        {"blank name", PathOf("Old.kqk"), QStringLiteral("   "),
         "The New filename you have chosen is not valid.  Please enter a new filename."},
        {"the existing file's own name", PathOf("Old.kqk"), QStringLiteral("Old"),
         "The New filename you have chosen is already in use.  Please enter a different new filename."},
        {"another file's name", PathOf("Old.kqk"), QStringLiteral("Garbage"),
         "The New filename you have chosen is already in use.  Please enter a different new filename."},
        {"no document", PathOf("Garbage.kqk"), QStringLiteral("New"),
         "The existing file you have selected is not a valid Quillmar Zudeduze file"},
    };
    const QStringList before = Documents();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Prompts.Messages.clear();
        Chosen = c.Existing;
        const auto dialog = Dialog();
        if (!c.Existing.isEmpty())
            QTest::mouseClick(dialog->findChild<QPushButton*>("BrowseBtn"), Qt::LeftButton);
        QTest::keyClicks(dialog->findChild<QLineEdit*>("NameEdit"), c.NewName);
        QTest::mouseClick(dialog->findChild<QPushButton*>("MakeBtn"), Qt::LeftButton);
        ASSERT_EQ(Prompts.Messages.size(), 1u);
        EXPECT_EQ(Prompts.LastText(), c.Message);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->NewPath(), QString());
        EXPECT_EQ(Documents(), before);
    }
}

TEST_F(NewFromExist, CancelledDetailsOrAFailedWriteLeaveNoFile) {
    const QStringList before = Documents();
    for (const bool diskFails : {false, true}) {
        SCOPED_TRACE(diskFails ? "the disk fails" : "the details are cancelled");
        Prompts.Messages.clear();
        Chosen = PathOf("Old.kqk");
        const auto dialog = Dialog();
        QTest::mouseClick(dialog->findChild<QPushButton*>("BrowseBtn"), Qt::LeftButton);
        QTest::keyClicks(dialog->findChild<QLineEdit*>("NameEdit"), QStringLiteral("Next Year"));
        WhenModal<TfmNewFromExistB>([&](TfmNewFromExistB& details) {
            if (!diskFails) {
                QTest::mouseClick(details.findChild<QPushButton*>("CancelBtn"), Qt::LeftButton);
                return;
            }
            // Every write fails from here on; the storage-error dialog is answered Cancel.
            Faults.FailAt(cfb::FaultOp::Write, 1, ENOSPC, true);
            Prompts.QueueAnswer(MsgResult::Cancel);
            QTest::mouseClick(details.findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
        });
        QTest::mouseClick(dialog->findChild<QPushButton*>("MakeBtn"), Qt::LeftButton);
        Faults.Clear();
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_EQ(dialog->NewPath(), QString());
        EXPECT_EQ(Documents(), before) << "no new file, no journal";
        if (diskFails) {
            EXPECT_FALSE(Prompts.Messages.empty()) << "the failure was told";
        }
    }
}

} // namespace
} // namespace qz::gui::test
