// Failures while a document is open: a file layer that fails the n-th write, sync, truncate or
// rename under every write-through operation, the close, the backup and both kinds of Save As;
// drives that stop answering; a document on a CD-ROM. Each failure is told in its own words,
// retrying after it clears completes the work, giving up keeps every change in memory, and the
// file always holds every change that was reported written.

#include "DocumentFixture.h"

#include <filesystem>
#include <set>

namespace qz::testing {
namespace {

using cfb::FaultOp;

// The texts the user sees, written out once.
const std::string AutosaveOffText =
    "Unable to write to the file. The Autosave feature is now OFF.  Use the Save As command from the file menu to "
    "save this file or close current file and revert to backup file.";
const std::string CloseProblemText =
    "There has been a problem saving current file.  Click the 'Ignore' button\rto close anyway.  Click the 'Abort' "
    "button to keep the file open - You may\rbe able to save the file in a different location by using the 'Save "
    "As'\rcommand from the 'File' menu.";
const std::string BackupQuestionText = "The data in this file has changed.\rUpdate backup file?";
const std::string BackupFailedText = "Unable to save backup file.  Data from your main file has NOT been lost.\rIt is "
                                     "recommended you make a copy of you main file as a temporary backup.";
const std::string ReadOnlyQuestionText =
    "Current file is in read only mode and has changed. Do you want to save the changes to a new file?";
const std::string CdRomText = "This file can will be opened in read only mode because it is\rbeing opened from CDROM.  "
                              "Use the Save As command to save any\rchanges made to this file.";
const std::string DriveNotReadyText = "Unable to write to file: Drive not ready!";
const std::string NetworkLostText = "Unable to write to file: Lost network connection!";

// The storage-error dialog's text for an error of the file layer.
std::string Reason(int error) {
    switch (error) {
    case ENOSPC:
        return ": Disk is full!";
    case EIO:
        return ": There was a problem writing to the disk";
    case EROFS:
        return ": Disk is write protected";
    case ENOMEM:
        return ": There is insufficient memory available to complete the operation";
    default:
        return ": Unkown error";
    }
}
std::string StorageText(const std::string& what, int error) {
    return "Unable to save " + what + Reason(error) + "\rDo you want to retry?";
}

const int Errors[] = {ENOSPC, EIO, EROFS};

struct FaultPoint {
    FaultOp Op;
    int N;
    const char* Name;
};

TEST(StorageErrorDialog, TextsOfEveryError) {
    const std::pair<cfb::HResult, std::string> reasons[] = {
        {cfb::STG_E_INSUFFICIENTMEMORY,
         "Unable to save file: There is insufficient memory available to complete the operation"},
        {cfb::STG_E_DISKISWRITEPROTECTED, "Unable to save file: Disk is write protected"},
        {cfb::STG_E_WRITEFAULT, "Unable to save file: There was a problem writing to the disk"},
        {cfb::STG_E_MEDIUMFULL, "Unable to save file: Disk is full!"},
        {cfb::STG_E_CANTSAVE, "Unable to save file: Storage device error!"},
        {cfb::STG_E_ACCESSDENIED, "Unable to save file: Unkown error"},
        {cfb::STG_E_READFAULT, "A disk error occurred during a read operation"},
    };
    for (const auto& [result, text] : reasons)
        EXPECT_EQ(TFileManager::StorageErrorText(result, "file"), text) << cfb::ResultName(result);
    EXPECT_EQ(TFileManager::StorageErrorText(cfb::STG_E_MEDIUMFULL, "backup file"),
              "Unable to save backup file: Disk is full!");
}

class DocumentFault : public DocumentFixture {
protected:
    DocumentFault() { Files.SyncWrites = true; } // so that syncs happen, and can fail

    void OpenShop(const std::string& name = "Shop.kqk") {
        WriteDocument(PathOf(name), CurrentDocument());
        ASSERT_TRUE(Convert.OpenDocument(PathOf(name)).Opened) << Prompts.LastText();
        Prompts.Messages.clear();
    }

    // Records found by a text of their own: a transaction by its reference, the others by name.
    static std::string_view TextOf(const TTransRec& t) { return t.Reference.View(); }
    template <class Rec> static std::string_view TextOf(const Rec& r) { return r.Name.View(); }
    template <class List> static std::int32_t Find(const List& list, const std::string& text) {
        for (std::int32_t i = 0; i < list.Count(); ++i)
            if (TextOf(*list.Items(i)) == text)
                return i;
        return -1;
    }
    static std::int32_t IndexNamed(const TLedger& l, TRecordStream kind, const std::string& text) {
        switch (kind) {
        case StreamTrans:
            return Find(l.TransList, text);
        case StreamMainActs:
            return Find(l.MainActList, text);
        case StreamSubActs:
            return Find(l.SubActList, text);
        case StreamGroups:
            return Find(l.GroupList, text);
        case StreamCats:
            return Find(l.CatList, text);
        case StreamBooks:
        default:
            return Find(l.BookList, text);
        }
    }
    static TCounts ListCounts(const TLedger& l) {
        TCounts counts{};
        for (int i = 0; i < 6; ++i)
            counts[i] = FileOLE::CountOf(l, static_cast<TRecordStream>(i));
        return counts;
    }

    // Adds, renames and deletes through the lists, so that each reaches the file manager.
    void AddNamed(TRecordStream kind, const std::string& text) {
        switch (kind) {
        case StreamTrans: {
            auto* t =
                new TTransRec(Trans(Ledger.TransList.NewNumber(), EncodeDate(2026, 3, 9), TransCredit, 12.5, 100, 1));
            t->Reference = text;
            LinkTransaction(Ledger, *t);
            Ledger.TransList.Add(t);
            break;
        }
        case StreamMainActs:
            Ledger.MainActList.Add(new TMainActRec(Category(900, text, SideDebit, 6)));
            break;
        case StreamSubActs:
            Ledger.SubActList.Add(new TSubActRec(SubCategory(400, 2, text, SideCredit)));
            break;
        case StreamGroups:
            Ledger.GroupList.AddNamed(text);
            break;
        case StreamCats:
            Ledger.CatList.AddType(text, SideDebit, KindOther, 0);
            break;
        case StreamBooks:
            Ledger.BookList.Add(new TBookRec(Account(Ledger.BookList.NewNumber(), text, -1)));
            break;
        }
    }
    void Rename(TRecordStream kind, const std::string& from, const std::string& to) {
        const std::int32_t i = IndexNamed(Ledger, kind, from);
        ASSERT_GE(i, 0) << from;
        switch (kind) {
        case StreamTrans:
            Ledger.TransList.Items(i)->Reference = to;
            return Ledger.TransList.Changed(i);
        case StreamMainActs:
            Ledger.MainActList.Items(i)->Name = to;
            return Ledger.MainActList.Changed(i);
        case StreamSubActs:
            Ledger.SubActList.Items(i)->Name = to;
            return Ledger.SubActList.Changed(i);
        case StreamGroups:
            Ledger.GroupList.Items(i)->Name = to;
            return Ledger.GroupList.Changed(i);
        case StreamCats:
            Ledger.CatList.Items(i)->Name = to;
            return Ledger.CatList.Changed(i);
        case StreamBooks:
            Ledger.BookList.Items(i)->Name = to;
            return Ledger.BookList.Changed(i);
        }
    }
    void DeleteNamed(TRecordStream kind, const std::string& text) {
        const std::int32_t i = IndexNamed(Ledger, kind, text);
        ASSERT_GE(i, 0) << text;
        switch (kind) {
        case StreamTrans:
            return Ledger.TransList.Delete(i);
        case StreamMainActs:
            return Ledger.MainActList.Delete(i);
        case StreamSubActs:
            return Ledger.SubActList.Delete(i);
        case StreamGroups:
            return Ledger.GroupList.Delete(i);
        case StreamCats:
            return Ledger.CatList.Delete(i);
        case StreamBooks:
            return Ledger.BookList.Delete(i);
        }
    }
};

// ---- Every write-through operation ------------------------------------------------------------

enum class Action { Add, Change, Delete };

struct Operation {
    TRecordStream Kind;
    Action Do;
};

std::vector<Operation> AllOperations() {
    std::vector<Operation> ops;
    for (int kind = 0; kind < 6; ++kind)
        for (Action a : {Action::Add, Action::Change, Action::Delete})
            ops.push_back({static_cast<TRecordStream>(kind), a});
    return ops;
}

std::string NameOf(const Operation& op) {
    const char* actions[] = {"Add", "Change", "Delete"};
    return std::string(RecordStreamNames[op.Kind]) + actions[static_cast<int>(op.Do)];
}
std::string OperationName(const ::testing::TestParamInfo<Operation>& info) {
    return NameOf(info.param);
}
void PrintTo(const Operation& op, std::ostream* out) {
    *out << NameOf(op);
}

class WriteThroughFaults : public DocumentFault, public ::testing::WithParamInterface<Operation> {
protected:
    // The record the operation works on exists first (for a change or a delete).
    void Prepare() {
        if (GetParam().Do != Action::Add)
            AddNamed(GetParam().Kind, "Fault");
        ASSERT_TRUE(Prompts.Messages.empty()) << Prompts.LastText();
    }
    void Act() {
        switch (GetParam().Do) {
        case Action::Add:
            return AddNamed(GetParam().Kind, "Fault");
        case Action::Change:
            return Rename(GetParam().Kind, "Fault", "Changed");
        case Action::Delete:
            return DeleteNamed(GetParam().Kind, "Fault");
        }
    }
    // Whether the lists hold the operation's change, or still the state before it.
    bool HasChange(const TLedger& l) const {
        const bool fault = IndexNamed(l, GetParam().Kind, "Fault") >= 0;
        const bool changed = IndexNamed(l, GetParam().Kind, "Changed") >= 0;
        switch (GetParam().Do) {
        case Action::Add:
            return fault;
        case Action::Change:
            return changed && !fault;
        case Action::Delete:
        default:
            return !fault;
        }
    }
    bool HasStateBefore(const TLedger& l) const {
        const bool fault = IndexNamed(l, GetParam().Kind, "Fault") >= 0;
        const bool changed = IndexNamed(l, GetParam().Kind, "Changed") >= 0;
        return GetParam().Do == Action::Add ? !fault : fault && !changed;
    }
};

// One failure of the layer, anywhere in the commit (past its commit point too); Retry, the
// dialog's first button, writes the change. A further change is written in place without a
// close that would compact the streams: the file must hold exactly the lists.
TEST_P(WriteThroughFaults, RetryAfterTheFaultClearsWritesTheChange) {
    const FaultPoint points[] = {{FaultOp::Write, 2, "a page write: the file half written"},
                                 {FaultOp::Truncate, 1, "the journal's truncation, the commit point"},
                                 {FaultOp::Sync, 3, "the last sync, past the commit point"}};
    int n = GetParam().Kind;
    for (const FaultPoint& point : points) {
        const int error = Errors[n++ % 3];
        SCOPED_TRACE(std::string(point.Name) + ", " + Reason(error));
        Ledger.Clear();
        Files.SyncWrites = point.Op == FaultOp::Sync; // syncs are slow: only where they fail
        OpenShop();
        Prepare();
        Faults.FailAt(point.Op, point.N, error);
        Act();
        EXPECT_EQ(Texts(), std::vector<std::string>{StorageText("changes", error)});
        ASSERT_FALSE(Prompts.Messages.empty());
        EXPECT_EQ(Prompts.Messages[0].Kind, MsgKind::Confirmation);
        EXPECT_EQ(Prompts.Messages[0].Buttons, MsgButtons::RetryCancel);
        EXPECT_EQ(Files.ReadOnlyMode, 0);
        EXPECT_EQ(Files.StreamWritten[GetParam().Kind], 1);
        EXPECT_TRUE(HasChange(Ledger));

        if (GetParam().Do != Action::Delete)
            Rename(GetParam().Kind, GetParam().Do == Action::Add ? "Fault" : "Changed", "After");
        const TCounts counts = ListCounts(Ledger);
        Prompts.Messages.clear();
        ASSERT_TRUE(Files.Close(true, false)); // as a crash would: no compaction
        DocumentOnDisk disk(PathOf("Shop.kqk"));
        ASSERT_TRUE(disk.Opened);
        EXPECT_EQ(ListCounts(disk.Ledger), counts);
        if (GetParam().Do == Action::Delete)
            EXPECT_TRUE(HasChange(disk.Ledger));
        else
            EXPECT_GE(IndexNamed(disk.Ledger, GetParam().Kind, "After"), 0) << "the change after the retry";
        EXPECT_LT(IndexNamed(disk.Ledger, GetParam().Kind, "Fault"), 0);
    }
}

// A layer that keeps failing before the commit point; Cancel gives up: the autosave goes off,
// the change stays in memory, the file keeps what was written before, and Save As writes all.
TEST_P(WriteThroughFaults, CancelSwitchesTheAutosaveOffAndKeepsTheChangeInMemory) {
    const FaultPoint points[] = {{FaultOp::Write, 1, "the journal write"},
                                 {FaultOp::Write, 2, "a page write: the file half written"},
                                 {FaultOp::Sync, 2, "the file's sync: the file written, the journal hot"}};
    int n = GetParam().Kind + 1;
    for (const FaultPoint& point : points) {
        const int error = Errors[n++ % 3];
        SCOPED_TRACE(std::string(point.Name) + ", " + Reason(error));
        Ledger.Clear();
        Files.SyncWrites = point.Op == FaultOp::Sync;
        OpenShop();
        Prepare();
        const TCounts before = ListCounts(Ledger);
        Faults.FailAt(point.Op, point.N, error, true);
        Prompts.QueueAnswer(MsgResult::Cancel);
        Act();
        EXPECT_EQ(Texts(), (std::vector<std::string>{StorageText("changes", error), AutosaveOffText}));
        ASSERT_EQ(Prompts.Messages.size(), 2u);
        EXPECT_EQ(Prompts.Messages[1].Kind, MsgKind::Warning);
        EXPECT_EQ(Files.ReadOnlyMode, 1);
        EXPECT_EQ(Files.Dirty, 1) << "the change is only in memory";
        EXPECT_EQ(Files.StreamWritten, (std::array<std::uint8_t, 6>{}));
        EXPECT_TRUE(HasChange(Ledger));

        // From now on changes stay in memory, without a word.
        AddNamed(StreamGroups, "Later");
        EXPECT_EQ(Prompts.Messages.size(), 2u) << Prompts.LastText();
        Prompts.QueueAnswer(MsgResult::No);
        EXPECT_EQ(Files.ReadOnlyClosePrompt(), 0);
        EXPECT_EQ(Prompts.LastText(), ReadOnlyQuestionText);
        EXPECT_EQ(Prompts.Messages.back().Buttons, MsgButtons::YesNoCancel);

        Faults.Clear();
        const TCounts inMemory = ListCounts(Ledger);
        ASSERT_TRUE(Files.SaveAsNew(PathOf("Saved.kqk")));
        EXPECT_EQ(Files.ReadOnlyMode, 0);
        EXPECT_EQ(Files.Path, PathOf("Saved.kqk"));
        Prompts.Messages.clear();
        ASSERT_TRUE(Files.Close(true, true));
        EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.LastText();

        // The document opens as the main window opens it, as it was before the failed change.
        ASSERT_TRUE(Convert.OpenDocument(PathOf("Shop.kqk")).Opened) << Prompts.LastText();
        EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.LastText();
        EXPECT_EQ(ListCounts(Ledger), before);
        EXPECT_TRUE(HasStateBefore(Ledger));
        ASSERT_TRUE(Files.Close(true, true));
        DocumentOnDisk saved(PathOf("Saved.kqk"));
        ASSERT_TRUE(saved.Opened);
        EXPECT_EQ(ListCounts(saved.Ledger), inMemory);
        EXPECT_TRUE(HasChange(saved.Ledger));
        EXPECT_GE(IndexNamed(saved.Ledger, StreamGroups, "Later"), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryRecordKind, WriteThroughFaults, ::testing::ValuesIn(AllOperations()), OperationName);

// ---- The drive ------------------------------------------------------------------------------

// ---- A group of changes -------------------------------------------------------------------------

// One user action's changes: records added, changed and deleted in several lists and the
// settings, written between BeginChanges and EndChanges.
class ChangeGroup : public DocumentFault {
protected:
    void Change() {
        Files.BeginChanges();
        AddNamed(StreamTrans, "Grouped");
        AddNamed(StreamGroups, "Markets");
        Rename(StreamMainActs, "Rent", "Lease");
        DeleteNamed(StreamSubActs, "Office");
        Files.Settings.BusinessName = "Renamed Shop";
        Files.WriteSettings();
    }
    static bool HasAll(TLedger& l, const TFileSettings& settings) {
        return IndexNamed(l, StreamTrans, "Grouped") >= 0 && IndexNamed(l, StreamGroups, "Markets") >= 0 &&
               IndexNamed(l, StreamMainActs, "Lease") >= 0 && IndexNamed(l, StreamSubActs, "Office") < 0 &&
               settings.BusinessName == std::string_view("Renamed Shop");
    }
    static bool HasNone(TLedger& l, const TFileSettings& settings) {
        return IndexNamed(l, StreamTrans, "Grouped") < 0 && IndexNamed(l, StreamGroups, "Markets") < 0 &&
               IndexNamed(l, StreamMainActs, "Rent") >= 0 && IndexNamed(l, StreamSubActs, "Office") >= 0 &&
               settings.BusinessName == std::string_view("Corner Shop");
    }
};

// The group keeps what it replaced, in the order of its changes: the base of an undo.
TEST_F(ChangeGroup, KeepsWhatItReplaced) {
    Files.SyncWrites = false;
    OpenShop();
    Change();
    ASSERT_TRUE(Files.EndChanges());
    const auto& before = Files.LastChange();
    ASSERT_EQ(before.size(), 5u);
    EXPECT_TRUE(before[0].Added && before[0].Stream == StreamTrans);
    EXPECT_TRUE(before[1].Added && before[1].Stream == StreamGroups);
    TMainActRec rent;
    DecodeMainAct(reinterpret_cast<const std::uint8_t*>(before[2].Bytes.data()), rent);
    EXPECT_EQ(before[2].Stream, StreamMainActs);
    EXPECT_EQ(rent.Name, "Rent");
    TSubActRec office;
    DecodeSubAct(reinterpret_cast<const std::uint8_t*>(before[3].Bytes.data()), office);
    EXPECT_EQ(office.Name, "Office");
    TFileSettings settings;
    ASSERT_EQ(before[4].Stream, SettingsStreamIndex);
    DecodeSettings(reinterpret_cast<const std::uint8_t*>(before[4].Bytes.data()), settings);
    EXPECT_EQ(settings.BusinessName, "Corner Shop");
}

// A crash at any write of the group's commit leaves the file with all of the changes or none.
TEST_F(ChangeGroup, ACrashAnywhereLeavesAllOrNone) {
    Files.SyncWrites = false;
    int crashes = 0;
    for (int n = 1;; ++n) {
        SCOPED_TRACE(n);
        Ledger.Clear();
        OpenShop();
        Change();
        Faults.CrashAfterWrite(n);
        EXPECT_TRUE(Files.EndChanges());
        const bool crashed = Faults.Crashed();
        Files.Close(true, false);
        Faults.Clear();
        DocumentOnDisk disk(PathOf("Shop.kqk"));
        ASSERT_TRUE(disk.Opened);
        EXPECT_TRUE(HasAll(disk.Ledger, disk.Files.Settings) || HasNone(disk.Ledger, disk.Files.Settings));
        if (!crashed) {
            EXPECT_TRUE(HasAll(disk.Ledger, disk.Files.Settings));
            break;
        }
        ++crashes;
    }
    EXPECT_GT(crashes, 2);
}

// A failed commit is retried after the storage was opened again: the whole group is written
// again from the lists. Given up, none of it reaches the file; it stays in memory and the
// autosave goes off.
TEST_F(ChangeGroup, AFailedCommitIsRetriedWholeOrGivenUpWhole) {
    Files.SyncWrites = false;
    OpenShop();
    Change();
    Faults.FailAt(FaultOp::Write, 2, ENOSPC);
    EXPECT_TRUE(Files.EndChanges());
    EXPECT_EQ(Texts(), std::vector<std::string>{StorageText("changes", ENOSPC)});
    EXPECT_EQ(Files.ReadOnlyMode, 0);
    Files.Close(true, false);
    {
        DocumentOnDisk disk(PathOf("Shop.kqk"));
        ASSERT_TRUE(disk.Opened);
        EXPECT_TRUE(HasAll(disk.Ledger, disk.Files.Settings));
    }

    Ledger.Clear();
    OpenShop();
    Change();
    Faults.FailAt(FaultOp::Write, 1, ENOSPC, true);
    Prompts.QueueAnswer(MsgResult::Cancel);
    EXPECT_FALSE(Files.EndChanges());
    EXPECT_EQ(Texts(), (std::vector<std::string>{StorageText("changes", ENOSPC), AutosaveOffText}));
    EXPECT_EQ(Files.ReadOnlyMode, 1);
    EXPECT_TRUE(HasAll(Ledger, Files.Settings)) << "kept in memory";
    Faults.Clear();
    Files.Close(true, false);
    DocumentOnDisk disk(PathOf("Shop.kqk"));
    ASSERT_TRUE(disk.Opened);
    EXPECT_TRUE(HasNone(disk.Ledger, disk.Files.Settings));
}

TEST_F(DocumentFault, DriveChecksBeforeWriting) {
    struct Case {
        const char* Name;
        TDriveKind Kind;
        int NotReady;    // checks the drive fails
        int NetworkLost; // checks the network is missing
        bool GiveUp;
        std::vector<std::string> Texts;
    };
    const Case cases[] = {
        {"drive back after two retries", TDriveKind::Fixed, 2, 0, false, {DriveNotReadyText, DriveNotReadyText}},
        {"drive not ready, cancelled", TDriveKind::Removable, 1000, 0, true, {DriveNotReadyText, AutosaveOffText}},
        {"network back after a retry", TDriveKind::Network, 0, 1, false, {NetworkLostText}},
        {"network lost, cancelled", TDriveKind::Network, 0, 1000, true, {NetworkLostText, AutosaveOffText}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Ledger.Clear();
        Drive.Kind = c.Kind;
        Drive.NotReadyFor = Drive.NetworkLostFor = 0;
        OpenShop();
        Drive.NotReadyFor = c.NotReady;
        Drive.NetworkLostFor = c.NetworkLost;
        if (c.GiveUp)
            Prompts.QueueAnswer(MsgResult::Cancel);
        AddNamed(StreamGroups, "Branch");
        EXPECT_EQ(Texts(), c.Texts);
        EXPECT_EQ(Prompts.Messages[0].Kind, MsgKind::Warning);
        EXPECT_EQ(Prompts.Messages[0].Buttons, MsgButtons::RetryCancel);
        EXPECT_EQ(Files.ReadOnlyMode, c.GiveUp ? 1 : 0);
        EXPECT_GE(IndexNamed(Ledger, StreamGroups, "Branch"), 0);
        Drive.NotReadyFor = Drive.NetworkLostFor = 0;
        if (!c.GiveUp)
            Prompts.QueueAnswer(MsgResult::No); // the backup question
        Prompts.Messages.clear();
        ASSERT_TRUE(Files.Close(true, true));
        EXPECT_EQ(Texts(), c.GiveUp ? std::vector<std::string>{} : std::vector<std::string>{BackupQuestionText});
        DocumentOnDisk disk(PathOf("Shop.kqk"));
        EXPECT_EQ(IndexNamed(disk.Ledger, StreamGroups, "Branch") >= 0, !c.GiveUp);
    }
    Drive.Kind = TDriveKind::Fixed;
}

// A new blank document whose writing fails anywhere and is given up: it is not created, and no
// file of it is left; once no write fails, it opens with both tax categories.
TEST_F(DocumentFault, ANewDocumentIsMadeWholeOrNotAtAll) {
    Questions.Tax = TTaxChoice{};
    const std::string path = PathOf("New.kqk");
    for (int n = 1;; ++n) {
        SCOPED_TRACE(n);
        Ledger.Clear();
        Faults.Clear();
        Faults.FailAt(cfb::FaultOp::Write, n, ENOSPC, true);
        for (int i = 0; i < 20; ++i)
            Prompts.QueueAnswer(MsgResult::Cancel);
        const bool created = Convert.CreateNewDocument(path, "Shop Pty Ltd", "123", false);
        Faults.Clear();
        Prompts = ScriptedPrompts();
        Files.Close(true, false);
        if (!created) {
            std::vector<std::string> left;
            for (const auto& entry : std::filesystem::directory_iterator(Folder.Path))
                left.push_back(entry.path().filename().string());
            EXPECT_EQ(left, std::vector<std::string>{});
            continue;
        }
        DocumentOnDisk disk(path);
        ASSERT_TRUE(disk.Opened);
        EXPECT_GE(disk.Files.Settings.GstRefundCat, 1);
        EXPECT_NE(disk.Ledger.MainActList.FindByNumber(disk.Files.Settings.GstRefundCat), nullptr);
        break;
    }
}

TEST_F(DocumentFault, CopiesNeedTheDriveToo) {
    OpenShop();
    Drive.NotReadyFor = 1000;
    Prompts.QueueAnswer(MsgResult::Cancel);
    EXPECT_FALSE(Files.Backup());
    Prompts.QueueAnswer(MsgResult::Cancel);
    EXPECT_EQ(Files.SaveCopyAs(PathOf("Copy.kqk")), 1);
    EXPECT_EQ(Texts(), (std::vector<std::string>{DriveNotReadyText, "Unable to save backup file: Drive not ready",
                                                 DriveNotReadyText, "Unable to save file: Drive not ready"}));
    EXPECT_EQ(Prompts.Messages[1].Kind, MsgKind::Error);
    EXPECT_FALSE(std::filesystem::exists(PathOf("Shop.~bk")));
    EXPECT_FALSE(std::filesystem::exists(PathOf("Copy.kqk")));
    EXPECT_EQ(Files.ReadOnlyMode, 0) << "a copy that was not made leaves the autosave on";
    Drive.NotReadyFor = 0;
}

// Opened from a CD-ROM: read-only at once; edits stay in memory; nothing is ever written;
// Save As writes a new document that is autosaved from then on.
TEST_F(DocumentFault, DocumentOnACdRom) {
    WriteDocument(PathOf("Shop.kqk"), CurrentDocument());
    const std::string before = FileBytes(PathOf("Shop.kqk"));
    Drive.Kind = TDriveKind::CdRom;
    ASSERT_TRUE(Convert.OpenDocument(PathOf("Shop.kqk")).Opened);
    EXPECT_EQ(Texts(), std::vector<std::string>{CdRomText});
    EXPECT_EQ(Prompts.Messages[0].Kind, MsgKind::Information);
    EXPECT_EQ(Files.ReadOnlyMode, 1);
    EXPECT_EQ(Files.Storage(), nullptr) << "the data is in memory; the file is not held";
    const int writes = Faults.Count(FaultOp::Write);

    Prompts.Messages.clear();
    EXPECT_EQ(Files.ReadOnlyClosePrompt(), 0) << "nothing changed yet";
    EXPECT_TRUE(Prompts.Messages.empty());
    AddNamed(StreamTrans, "Sale");
    Rename(StreamMainActs, "Rent", "Lease");
    DeleteNamed(StreamCats, "Funds Repayment");
    Files.SetComment("edited");
    EXPECT_EQ(Files.Comment(), "edited");
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.LastText();
    EXPECT_EQ(Files.Dirty, 1);
    const std::pair<MsgResult, int> answers[] = {{MsgResult::Cancel, 2}, {MsgResult::No, 0}, {MsgResult::Yes, 1}};
    for (const auto& [answer, result] : answers) {
        Prompts.QueueAnswer(answer);
        EXPECT_EQ(Files.ReadOnlyClosePrompt(), result);
        EXPECT_EQ(Prompts.LastText(), ReadOnlyQuestionText);
    }
    EXPECT_EQ(Faults.Count(FaultOp::Write), writes);
    EXPECT_EQ(FileBytes(PathOf("Shop.kqk")), before);

    Drive.Kind = TDriveKind::Fixed; // the copy goes to the hard disk
    Prompts.Messages.clear();
    ASSERT_TRUE(Files.SaveAsNew(PathOf("Mine.kqk")));
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.LastText();
    EXPECT_EQ(Files.ReadOnlyMode, 0);
    AddNamed(StreamTrans, "After");
    ASSERT_TRUE(Files.Close(true, false));
    EXPECT_EQ(FileBytes(PathOf("Shop.kqk")), before);
    DocumentOnDisk mine(PathOf("Mine.kqk"));
    ASSERT_TRUE(mine.Opened);
    EXPECT_GE(IndexNamed(mine.Ledger, StreamTrans, "Sale"), 0);
    EXPECT_GE(IndexNamed(mine.Ledger, StreamTrans, "After"), 0) << "autosaved on the new file";
    EXPECT_GE(IndexNamed(mine.Ledger, StreamMainActs, "Lease"), 0);
    EXPECT_LT(IndexNamed(mine.Ledger, StreamCats, "Funds Repayment"), 0);
    EXPECT_EQ(mine.Files.Comment(), "edited");
}

// ---- Closing ---------------------------------------------------------------------------------

TEST_F(DocumentFault, CloseCompactsAndFailuresOfferAbortOrIgnore) {
    struct Case {
        const char* Name;
        bool Persistent;
        std::vector<MsgResult> Answers;
        std::vector<std::string> Texts;
        bool Closed;
        bool Compacted;
    };
    const Case cases[] = {
        {"retried",
         false,
         {MsgResult::Retry, MsgResult::No},
         {StorageText("file", ENOSPC), BackupQuestionText},
         true,
         true},
        {"abort",
         true,
         {MsgResult::Cancel, MsgResult::Abort},
         {StorageText("file", ENOSPC), CloseProblemText},
         false,
         false},
        {"ignore",
         true,
         {MsgResult::Cancel, MsgResult::Ignore},
         {StorageText("file", ENOSPC), CloseProblemText},
         true,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Ledger.Clear();
        OpenShop();
        AddNamed(StreamTrans, "Short lived");
        DeleteNamed(StreamTrans, "Short lived");
        AddNamed(StreamGroups, "Branch");
        const TCounts counts = ListCounts(Ledger);
        Faults.FailAt(FaultOp::Write, 1, ENOSPC, c.Persistent);
        for (MsgResult answer : c.Answers)
            Prompts.QueueAnswer(answer);
        EXPECT_EQ(Files.Close(true, true), c.Closed);
        EXPECT_EQ(Texts(), c.Texts);
        if (c.Texts.size() > 1 && c.Texts[1] == CloseProblemText) {
            EXPECT_EQ(Prompts.Messages[1].Buttons, MsgButtons::AbortIgnore);
        }
        Faults.Clear();
        if (!c.Closed) {
            EXPECT_EQ(Files.IsOpen, 1) << "Abort keeps the document open as it was";
            EXPECT_EQ(Files.Path, PathOf("Shop.kqk"));
            EXPECT_EQ(ListCounts(Ledger), counts);
            Prompts.Messages.clear();
            Prompts.QueueAnswer(MsgResult::No);
            ASSERT_TRUE(Files.Close(true, true));
            EXPECT_EQ(Texts(), std::vector<std::string>{BackupQuestionText});
        }
        EXPECT_EQ(Files.IsOpen, 0);
        EXPECT_EQ(Ledger.TransList.Count(), 0);
        const auto contents = cfb::testing::ContentsOf(PathOf("Shop.kqk"));
        const bool compacted = !c.Closed || c.Compacted;
        EXPECT_EQ(contents.at("Transactions").size(), (compacted ? 8u : 11u) * TransRecordSize);
        DocumentOnDisk disk(PathOf("Shop.kqk"));
        ASSERT_TRUE(disk.Opened);
        EXPECT_EQ(ListCounts(disk.Ledger), counts);
        EXPECT_GE(IndexNamed(disk.Ledger, StreamGroups, "Branch"), 0);
    }
}

// The close's compaction fails and the user keeps the document open; then an edit fails and is
// retried. The retry starts again from the file, where the records still stand uncompacted:
// the edit must land on its own record, and no other record may be lost.
TEST_F(DocumentFault, EditAfterAnAbortedCloseLandsOnItsRecord) {
    // The counts block's commit makes two writes and three syncs; the compaction's come next.
    const FaultPoint points[] = {{FaultOp::Write, 3, "the compaction's journal: the file uncompacted"},
                                 {FaultOp::Sync, 6, "the compaction's last sync: the file compacted"}};
    for (const auto& [kind, point] : {std::pair{StreamTrans, points[0]}, std::pair{StreamMainActs, points[0]},
                                      std::pair{StreamTrans, points[1]}, std::pair{StreamGroups, points[1]}}) {
        SCOPED_TRACE(std::string(RecordStreamNames[kind]) + ", " + point.Name);
        Ledger.Clear();
        OpenShop();
        AddNamed(kind, "Doomed"); // deleted below: the compaction moves the records after it
        AddNamed(kind, "Last");
        DeleteNamed(kind, "Doomed");
        const std::int32_t count = FileOLE::CountOf(Ledger, kind);
        Faults.FailAt(point.Op, point.N, ENOSPC, true);
        Prompts.QueueAnswer(MsgResult::Cancel);
        Prompts.QueueAnswer(MsgResult::Abort);
        ASSERT_FALSE(Files.Close(true, true));
        EXPECT_EQ(Texts(), (std::vector<std::string>{StorageText("file", ENOSPC), CloseProblemText}));
        Faults.Clear();

        Faults.FailAt(FaultOp::Write, 2, EIO);
        Prompts.Messages.clear();
        Rename(kind, "Last", "Renamed");
        EXPECT_EQ(Texts(), std::vector<std::string>{StorageText("changes", EIO)});
        const TCounts counts = ListCounts(Ledger);
        ASSERT_TRUE(Files.Close(true, false));

        DocumentOnDisk disk(PathOf("Shop.kqk"));
        ASSERT_TRUE(disk.Opened);
        EXPECT_EQ(ListCounts(disk.Ledger), counts);
        EXPECT_EQ(FileOLE::CountOf(disk.Ledger, kind), count);
        EXPECT_GE(IndexNamed(disk.Ledger, kind, "Renamed"), 0);
        EXPECT_LT(IndexNamed(disk.Ledger, kind, "Last"), 0);
        const std::string untouched = kind == StreamTrans ? "INV-1" : kind == StreamGroups ? "General" : "Rent";
        EXPECT_GE(IndexNamed(disk.Ledger, kind, untouched), 0);
        if (kind == StreamTrans) {
            std::set<std::pair<std::int32_t, char>> numbers;
            for (const TTransRec* t : disk.Ledger.TransList.KeyList)
                numbers.insert({t->Number, t->Split});
            EXPECT_EQ(numbers.size(), static_cast<std::size_t>(count)) << "every transaction once";
        }
    }
}

TEST_F(DocumentFault, BackupsAtClose) {
    std::vector<std::string> captions;
    Files.Progress = [&](int, const std::string& caption) {
        if (!caption.empty())
            captions.push_back(caption);
    };
    OpenShop();
    EXPECT_EQ(captions, std::vector<std::string>{"Loading File..."});
    // Closing after no change writes nothing and asks nothing.
    const int writes = Faults.Count(FaultOp::Write);
    ASSERT_TRUE(Files.Close(true, true));
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.LastText();
    EXPECT_EQ(Faults.Count(FaultOp::Write), writes);
    EXPECT_FALSE(std::filesystem::exists(PathOf("Shop.~bk")));

    // A change: the question, and on Yes the backup beside the document.
    captions.clear();
    ASSERT_TRUE(Convert.OpenDocument(PathOf("Shop.kqk")).Opened);
    AddNamed(StreamGroups, "Branch");
    Prompts.QueueAnswer(MsgResult::Yes);
    ASSERT_TRUE(Files.Close(true, true));
    EXPECT_EQ(Texts(), std::vector<std::string>{BackupQuestionText});
    EXPECT_EQ(Prompts.Messages[0].Buttons, MsgButtons::YesNo);
    EXPECT_EQ(captions, (std::vector<std::string>{"Loading File...", "Saving File...", "Saving Backup File..."}));
    ASSERT_TRUE(std::filesystem::exists(PathOf("Shop.~bk")));
    EXPECT_EQ(cfb::testing::Differences(cfb::testing::ContentsOf(PathOf("Shop.~bk")),
                                        cfb::testing::ContentsOf(PathOf("Shop.kqk"))),
              "");

    // With the option on, no question.
    Prompts.Messages.clear();
    ASSERT_TRUE(Convert.OpenDocument(PathOf("Shop.kqk")).Opened);
    AddNamed(StreamGroups, "Second");
    Files.AutoBackup = true;
    ASSERT_TRUE(Files.Close(true, true));
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.LastText();
    DocumentOnDisk backup(PathOf("Shop.~bk"));
    EXPECT_GE(IndexNamed(backup.Ledger, StreamGroups, "Second"), 0);
}

// A document whose name ends in "~bk" is a backup: closing it never makes a backup of it.
TEST_F(DocumentFault, ABackupIsNeverBackedUp) {
    for (bool autoBackup : {false, true}) {
        SCOPED_TRACE(autoBackup);
        WriteDocument(PathOf("x.~bk"), CurrentDocument());
        Files.AutoBackup = autoBackup;
        ASSERT_TRUE(Convert.OpenDocument(PathOf("x.~bk")).Opened);
        AddNamed(StreamGroups, "Branch");
        Prompts.Messages.clear();
        const int renames = Faults.Count(FaultOp::Rename);
        Prompts.QueueAnswer(MsgResult::Cancel); // should any dialog come, it must not retry forever
        ASSERT_TRUE(Files.Close(true, true));
        EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.LastText();
        EXPECT_EQ(Faults.Count(FaultOp::Rename), renames) << "no copy was put in place";
        DocumentOnDisk disk(PathOf("x.~bk"));
        EXPECT_GE(IndexNamed(disk.Ledger, StreamGroups, "Branch"), 0);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Folder.Path), {}), 1);
}

TEST_F(DocumentFault, BackupNamesAreCutAtTheFirstFullStop) {
    EXPECT_EQ(TFileManager::BackupPathOf("/books/My.Shop.kqk"), "/books/My.~bk");
    EXPECT_EQ(TFileManager::BackupPathOf("/books/Shop.kqk"), "/books/Shop.~bk");
    EXPECT_EQ(TFileManager::BackupPathOf("Plain"), "Plain.~bk");
    EXPECT_EQ(TFileManager::DocumentNameOf("/a.b/My.Shop.kqk"), "My");
    Files.AutoBackup = false;
    NewDocument("My.Shop.kqk");
    EXPECT_TRUE(std::filesystem::exists(PathOf("My.~bk"))) << "a new document is backed up at once";
    EXPECT_FALSE(Files.AutoBackup) << "the option is put back after the creation";
    EXPECT_FALSE(std::filesystem::exists(PathOf("My.Shop.~bk")));
    EXPECT_EQ(Files.DocumentName(), "My");
}

// ---- Copies: the backup and both kinds of Save As -----------------------------------------------

// Where a copy can fail: making the new file, copying into it, putting it in place.
const FaultPoint CopyPoints[] = {{FaultOp::Truncate, 1, "creating"},
                                 {FaultOp::Write, 1, "creating"},
                                 {FaultOp::Write, 2, "copying"},
                                 {FaultOp::Sync, 3, "copying"},
                                 {FaultOp::Rename, 1, "putting in place"}};

// The files of the folder but the open document's own journal: a failed copy must leave no
// half-made file behind.
std::vector<std::string> FolderListing(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename() != "Shop.kqk-journal")
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(DocumentFault, FailedBackupLeavesTheDocumentAndTheOldBackup) {
    OpenShop();
    ASSERT_TRUE(Files.Backup());
    const std::string oldBackup = FileBytes(PathOf("Shop.~bk"));
    int n = 0;
    for (const FaultPoint& point : CopyPoints) {
        const int error = Errors[n++ % 3];
        SCOPED_TRACE(std::string(point.Name) + ", " + Reason(error));
        AddNamed(StreamGroups, "Group " + std::to_string(n));
        Prompts.Messages.clear();
        Faults.FailAt(point.Op, point.N, error, true);
        Prompts.QueueAnswer(MsgResult::Cancel);
        EXPECT_FALSE(Files.Backup());
        EXPECT_EQ(Texts(), (std::vector<std::string>{StorageText("backup file", error), BackupFailedText}));
        EXPECT_EQ(Prompts.Messages.back().Kind, MsgKind::Error);
        Faults.Clear();
        EXPECT_EQ(FileBytes(PathOf("Shop.~bk")), oldBackup);
        EXPECT_EQ(FolderListing(Folder.Path), (std::vector<std::string>{"Shop.kqk", "Shop.~bk"}));
        EXPECT_EQ(Files.ReadOnlyMode, 0) << "the document is not touched";
    }
    // Retried: the backup is the document.
    Faults.FailAt(FaultOp::Write, 2, EIO);
    Prompts.Messages.clear();
    EXPECT_TRUE(Files.Backup());
    EXPECT_EQ(Texts(), std::vector<std::string>{StorageText("backup file", EIO)});
    ASSERT_TRUE(Files.Close(true, false));
    EXPECT_EQ(cfb::testing::Differences(cfb::testing::ContentsOf(PathOf("Shop.~bk")),
                                        cfb::testing::ContentsOf(PathOf("Shop.kqk"))),
              "");
}

TEST_F(DocumentFault, SaveCopyAsFailuresLeaveNoCopyAndKeepAutosaving) {
    OpenShop();
    int n = 0;
    for (const FaultPoint& point : CopyPoints) {
        const int error = Errors[n++ % 3];
        SCOPED_TRACE(std::string(point.Name) + ", " + Reason(error));
        Prompts.Messages.clear();
        Faults.FailAt(point.Op, point.N, error, true);
        Prompts.QueueAnswer(MsgResult::Cancel);
        EXPECT_EQ(Files.SaveCopyAs(PathOf("Copy.kqk")), 1);
        const std::string what = std::string(point.Name) == "copying" ? "backup file" : "file";
        std::vector<std::string> texts = {StorageText(what, error)};
        if (std::string(point.Name) == "creating")
            texts.push_back("Unable to save file");
        EXPECT_EQ(Texts(), texts);
        Faults.Clear();
        EXPECT_EQ(FolderListing(Folder.Path), std::vector<std::string>{"Shop.kqk"});
        EXPECT_EQ(Files.Path, PathOf("Shop.kqk"));
        EXPECT_EQ(Files.ReadOnlyMode, 0);
        AddNamed(StreamGroups, "Group " + std::to_string(n));
        EXPECT_EQ(Files.StreamWritten[StreamGroups], 1) << "still autosaving the document";
    }
    EXPECT_EQ(Files.SaveCopyAs(PathOf("Shop.kqk")), 0) << "its own name: nothing to do";

    // Retried: the copy becomes the document, and changes go to it from then on.
    Faults.FailAt(FaultOp::Write, 2, ENOSPC);
    Prompts.Messages.clear();
    EXPECT_EQ(Files.SaveCopyAs(PathOf("Copy.kqk")), 0);
    EXPECT_EQ(Texts(), std::vector<std::string>{StorageText("backup file", ENOSPC)});
    EXPECT_EQ(Files.Path, PathOf("Copy.kqk"));
    EXPECT_EQ(Files.ReadOnlyMode, 0);
    AddNamed(StreamGroups, "On the copy");
    ASSERT_TRUE(Files.Close(true, false));
    DocumentOnDisk original(PathOf("Shop.kqk"));
    DocumentOnDisk copy(PathOf("Copy.kqk"));
    ASSERT_TRUE(original.Opened && copy.Opened);
    EXPECT_GE(IndexNamed(original.Ledger, StreamGroups, "Group 5"), 0);
    EXPECT_LT(IndexNamed(original.Ledger, StreamGroups, "On the copy"), 0);
    EXPECT_GE(IndexNamed(copy.Ledger, StreamGroups, "Group 5"), 0);
    EXPECT_GE(IndexNamed(copy.Ledger, StreamGroups, "On the copy"), 0);
}

// The copy is made, but cannot be opened: the window tells the user to restart.
TEST_F(DocumentFault, SaveCopyAsThatCannotOpenTheCopy) {
    OpenShop();
    Drive.Root = false;
    EXPECT_EQ(Files.SaveCopyAs(PathOf("Copy.kqk")), 2);
    Drive.Root = true;
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.LastText();
    EXPECT_EQ(cfb::testing::Differences(cfb::testing::ContentsOf(PathOf("Copy.kqk")),
                                        cfb::testing::ContentsOf(PathOf("Shop.kqk"))),
              "");
}

TEST_F(DocumentFault, SaveAsNewFromReadOnlyMode) {
    WriteDocument(PathOf("Shop.kqk"), CurrentDocument());
    Drive.Kind = TDriveKind::CdRom;
    ASSERT_TRUE(Convert.OpenDocument(PathOf("Shop.kqk")).Opened);
    Drive.Kind = TDriveKind::Fixed;
    AddNamed(StreamTrans, "Edited");
    struct Case {
        FaultPoint Point;
        std::string What;
    };
    const Case cases[] = {{{FaultOp::Write, 1, "creating"}, "new file"},
                          {{FaultOp::Write, 2, "writing the streams"}, "file"},
                          {{FaultOp::Sync, 4, "writing the streams"}, "file"},
                          {{FaultOp::Rename, 1, "putting in place"}, "file"}};
    int n = 0;
    for (const Case& c : cases) {
        const int error = Errors[n++ % 3];
        SCOPED_TRACE(std::string(c.Point.Name) + ", " + Reason(error));
        Prompts.Messages.clear();
        Faults.FailAt(c.Point.Op, c.Point.N, error, true);
        Prompts.QueueAnswer(MsgResult::Cancel);
        EXPECT_FALSE(Files.SaveAsNew(PathOf("Mine.kqk")));
        EXPECT_EQ(Texts(), std::vector<std::string>{StorageText(c.What, error)});
        Faults.Clear();
        EXPECT_EQ(FolderListing(Folder.Path), std::vector<std::string>{"Shop.kqk"});
        EXPECT_EQ(Files.ReadOnlyMode, 1);
        EXPECT_EQ(Files.Dirty, 1);
        EXPECT_GE(IndexNamed(Ledger, StreamTrans, "Edited"), 0);
        Prompts.QueueAnswer(MsgResult::Cancel);
        EXPECT_EQ(Files.ReadOnlyClosePrompt(), 2) << "the changes are still to be saved";
    }
    Faults.FailAt(FaultOp::Write, 2, EROFS);
    Prompts.Messages.clear();
    ASSERT_TRUE(Files.SaveAsNew(PathOf("Mine.kqk")));
    EXPECT_EQ(Texts(), std::vector<std::string>{StorageText("file", EROFS)});
    EXPECT_EQ(Files.Path, PathOf("Mine.kqk"));
    EXPECT_EQ(Files.ReadOnlyMode, 0);
    EXPECT_EQ(Files.Dirty, 0);
    AddNamed(StreamTrans, "Autosaved");
    ASSERT_TRUE(Files.Close(true, false));
    DocumentOnDisk mine(PathOf("Mine.kqk"));
    ASSERT_TRUE(mine.Opened);
    EXPECT_GE(IndexNamed(mine.Ledger, StreamTrans, "Edited"), 0);
    EXPECT_GE(IndexNamed(mine.Ledger, StreamTrans, "Autosaved"), 0);
    EXPECT_EQ(mine.Ledger.TransList.Count(), 10);
}

} // namespace
} // namespace qz::testing
