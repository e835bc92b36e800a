#pragma once
// The café example open for the category editor: a file manager over a file layer that can
// fail, an access check whose password prompt is scripted and counted, a scripted deletion
// confirmation, and the document read back from disk by a file manager of its own.

#include "edit/EditContext.h"
#include "editors/MainActForm.h"
#include "engine/Engine.h"
#include "filters/GeneratedDocument.h"
#include "platform/Clock.h"
#include "platform/Drives.h"
#include "platform/ScriptedPrompts.h"
#include "storage/DocumentQuestions.h"
#include "storage/FileConvert.h"
#include "storage/cfb/FaultyFileSystem.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <memory>

namespace qz::gui::test {

class ScriptedDeleteDialog : public TEditDialogs {
public:
    bool ConfirmDelete() override { return true; }
};

// The document as a file manager of its own reads it from disk, linked.
struct StoredDocument {
    explicit StoredDocument(const std::string& path) {
        Opened = Files.Open(path, true);
        if (Opened)
            LinkRecords(Ledger);
    }
    ~StoredDocument() { Files.Close(true, false); }
    TLedger Ledger;
    ScriptedPrompts Prompts;
    PreparedQuestions Questions;
    FixedClock Clock{0};
    FixedDrives Drive;
    TFileManager Files{Ledger, Prompts, Questions, Clock, Drive};
    bool Opened = false;
};

class CategoryEditorTest : public ::testing::Test {
protected:
    CategoryEditorTest()
        : Clock(EncodeDate(2026, 7, 1)), Files(Ledger, Prompts, Questions, Clock, Drive, Faults),
          Convert(Files, Ledger, Prompts, Questions, Clock, Faults), Access(Files.Settings,
                                                                            [this](const std::string&) {
                                                                                ++PasswordsAsked;
                                                                                return PasswordGiven;
                                                                            }),
          Edit{Files, Ledger, Access, Prompts, Dialogs} {
        Files.ConnectLists();
        Files.SyncWrites = false;
    }

    void SetUp() override {
        ASSERT_TRUE(Folder.isValid());
        Path = (Folder.path() + QStringLiteral("/Cafe.kqk")).toStdString();
        TLedger example;
        TDocumentContent content;
        ExampleDocument(example, content);
        ScriptedPrompts quiet;
        ASSERT_TRUE(WriteGeneratedDocument(Path, example, content, quiet));
        ASSERT_TRUE(Convert.OpenDocument(Path).Opened) << Prompts.LastText();
        Prompts.Messages.clear();
    }

    void TearDown() override { Files.Close(true, false); }

    // The editor on the category numbered `number` (the first when 0), shown but not modal.
    std::unique_ptr<TMainActForm> OpenEditor(std::int32_t number = 0, TCategoryEditorHooks hooks = {}) {
        auto window = std::make_unique<TMainActForm>(Edit, Formats, std::move(hooks));
        window->Start(number ? Ledger.MainActList.IndexOfNumber(number) : -1, -1);
        window->show();
        QApplication::processEvents();
        return window;
    }

    // Closes the document as a crash would and reads it back.
    std::unique_ptr<StoredDocument> Stored() {
        Files.Close(true, false);
        auto disk = std::make_unique<StoredDocument>(Path);
        EXPECT_TRUE(disk->Opened);
        return disk;
    }

    // Protects `area` with a password.
    void Protect(TAccessArea area, bool given) {
        Files.Settings.Password = "pw";
        (area == TAccessArea::Adding    ? Files.Settings.ProtectAdd
         : area == TAccessArea::Editing ? Files.Settings.ProtectEdit
                                        : Files.Settings.ProtectDelete) = 1;
        PasswordGiven = given;
    }

    bool Shown(const std::string& text) const {
        for (const ScriptedPrompts::Message& message : Prompts.Messages)
            if (message.Text == text)
                return true;
        return false;
    }

    template <class T> static T* Child(QWidget& window, const char* name) {
        T* child = window.findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    // A modal window that should not have opened is closed again, and the test fails.
    static void NoModalExpected() {
        QTimer::singleShot(0, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ADD_FAILURE() << "unexpected window " << modal->objectName().toStdString();
                modal->close();
            }
        });
    }

    QTemporaryDir Folder;
    std::string Path;
    TLedger Ledger;
    ScriptedPrompts Prompts;
    PreparedQuestions Questions;
    FixedClock Clock;
    FixedDrives Drive;
    cfb::TFaultyFileSystem Faults;
    TFileManager Files;
    TFileConvert Convert;
    bool PasswordGiven = true;
    int PasswordsAsked = 0;
    ScriptedDeleteDialog Dialogs;
    TAccessCheck Access;
    TEditContext Edit;
    TDisplayFormats Formats;
};

} // namespace qz::gui::test
