// A current document on media that cannot be written (a CD-ROM) opens read-only.

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

} // namespace
} // namespace qz::testing
