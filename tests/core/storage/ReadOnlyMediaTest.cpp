// A current document on media that cannot be written (a CD-ROM, a read-only mount or folder)
// opens read-only.

#include "DocumentFixture.h"

namespace qz::testing {
namespace {

// The machine's files, except that nothing can be opened for writing.
class ReadOnlyMedia : public cfb::TFileSystem {
public:
    int Open(const std::string& path, cfb::OpenKind kind, std::unique_ptr<cfb::TFile>& file) override {
        if (kind != cfb::OpenKind::ReadOnly)
            return EROFS;
        return Inner.Open(path, kind, file);
    }
    int Rename(const std::string&, const std::string&) override { return EROFS; }
    int Remove(const std::string&) override { return EROFS; }
    bool Exists(const std::string& path) override { return Inner.Exists(path); }
    int SyncFolderOf(const std::string&) override { return 0; }

private:
    cfb::TFileSystem& Inner = cfb::TFileSystem::Posix();
};

using ReadOnlyMediaTest = DocumentFixture;

TEST_F(ReadOnlyMediaTest, CurrentDocumentOpensReadOnlyFromACdRom) {
    NewDocument();
    AddSale(EncodeDate(2026, 7, 2), 42);
    const std::string path = Files.Path;
    ASSERT_TRUE(Files.Close(true, false));

    ReadOnlyMedia media;
    TLedger ledger;
    ScriptedPrompts prompts;
    FixedDrives cdRom;
    cdRom.Kind = TDriveKind::CdRom;
    TFileManager files(ledger, prompts, Questions, Clock, cdRom, media);
    TFileConvert convert(files, ledger, prompts, Questions, Clock, media);
    files.ConnectLists();
    ASSERT_TRUE(convert.OpenDocument(path).Opened) << prompts.LastText();
    EXPECT_EQ(files.ReadOnlyMode, 1);
    EXPECT_EQ(ledger.TransList.Count(), 2);
    ASSERT_FALSE(prompts.Messages.empty());
    EXPECT_EQ(prompts.Messages.front().Text,
              "This file can will be opened in read only mode because it is\rbeing opened from CDROM.  Use the Save "
              "As command to save any\rchanges made to this file.");
}

// A document the user may read but not change (a read-only mount, file or folder) opens
// read-only as well, says why, keeps changes in memory and offers them to a new file at close.
TEST_F(ReadOnlyMediaTest, ADocumentThatCannotBeWrittenOpensReadOnly) {
    NewDocument();
    const std::string path = Files.Path;
    ASSERT_TRUE(Files.Close(true, false));
    const std::string before = FileBytes(path);
    struct Case {
        const char* Name;
        bool ReadOnlyMount; // the file system refuses every write
        bool Writable;      // what the file's and folder's rights say
    } cases[] = {{"a read-only mount", true, true}, {"a file or folder the user may not write", false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ReadOnlyMedia media;
        TLedger ledger;
        ScriptedPrompts prompts;
        FixedDrives drive;
        drive.Writable = c.Writable;
        cfb::TFileSystem& fs = c.ReadOnlyMount ? static_cast<cfb::TFileSystem&>(media) : cfb::TFileSystem::Posix();
        TFileManager files(ledger, prompts, Questions, Clock, drive, fs);
        TFileConvert convert(files, ledger, prompts, Questions, Clock, fs);
        files.ConnectLists();
        ASSERT_TRUE(convert.OpenDocument(path).Opened) << prompts.LastText();
        EXPECT_EQ(files.ReadOnlyMode, 1);
        ASSERT_FALSE(prompts.Messages.empty());
        EXPECT_EQ(prompts.Messages.front().Text,
                  "This file will be opened in read only mode because it\rcannot be written to.  Use the Save As "
                  "command to save\rany changes made to this file.");
        ledger.GroupList.AddNamed("Markets");
        prompts.QueueAnswer(MsgResult::No);
        EXPECT_EQ(files.ReadOnlyClosePrompt(), 0);
        EXPECT_EQ(prompts.LastText(),
                  "Current file is in read only mode and has changed. Do you want to save the changes to a new file?");
        ASSERT_TRUE(files.Close(true, true));
        EXPECT_EQ(FileBytes(path), before);
    }
}

} // namespace
} // namespace qz::testing
