#pragma once
// An editor's window on a real document: generated books, changed by the test before they are
// written, opened as the program opens documents, with a fixed clock, a fixed drive and a file
// system that can be made to fail. Reopen() closes without compacting, as a crash would, so that
// what a test reads back is what the commits left in the file.

#include "editors/DeleteDialog.h"

#include "edit/EditContext.h"
#include "filters/GeneratedDocument.h"
#include "ledger/DisplayFormats.h"
#include "platform/Clock.h"
#include "platform/Drives.h"
#include "platform/ScriptedPrompts.h"
#include "storage/FileConvert.h"
#include "storage/cfb/FaultyFileSystem.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace qz::gui::test {

class GeneratedBooksFixture : public ::testing::Test {
protected:
    explicit GeneratedBooksFixture(TDateTime today)
        : Time(today), Files(Ledger, Prompts, Questions, Time, Drive, Faults),
          Convert(Files, Ledger, Prompts, Questions, Time, Faults),
          Access(Files.Settings, [this](const std::string& password) { return Questions.AskPassword(password); }),
          Edit{Files, Ledger, Access, Prompts, Dialogs} {
        Files.ConnectLists();
        Files.SyncWrites = false;
    }

    void SetUp() override {
        ASSERT_TRUE(Folder.isValid());
        Path = (Folder.path() + QStringLiteral("/books.kqk")).toStdString();
    }

    void TearDown() override { Files.Close(true, false); }

    // Generates one year of books with `transactions` transactions from `seed`, lets `change`
    // alter them and their settings, writes them and opens the file.
    void WriteBooks(std::uint32_t seed, int transactions,
                    const std::function<void(TLedger& books, TFileSettings& settings)>& change = {}) {
        TLedger books;
        TGeneratorOptions options;
        options.Seed = seed;
        options.Transactions = transactions;
        options.Years = 1;
        TDocumentContent content;
        GenerateDocument(books, options, "GST", content);
        if (change)
            change(books, content.Settings);
        ScriptedPrompts quiet;
        ASSERT_TRUE(WriteGeneratedDocument(Path, books, content, quiet)) << quiet.LastText();
        Reopen();
    }

    void Reopen() {
        Files.Close(true, false);
        ASSERT_TRUE(Convert.OpenDocument(Path).Opened) << Prompts.LastText();
        Prompts.Messages.clear();
    }

    QTemporaryDir Folder;
    std::string Path;
    TLedger Ledger;
    ScriptedPrompts Prompts;
    PreparedQuestions Questions;
    FixedClock Time;
    FixedDrives Drive;
    cfb::TFaultyFileSystem Faults;
    TFileManager Files;
    TFileConvert Convert;
    TAccessCheck Access;
    TQtEditDialogs Dialogs;
    TEditContext Edit;
    TDisplayFormats Formats;
};

} // namespace qz::gui::test
