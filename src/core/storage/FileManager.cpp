#include "FileManager.h"

#include <algorithm>
#include <cerrno>
#include <optional>

namespace qz {

using cfb::HResult;
using cfb::S_OK;

namespace {

const char* const AutosaveOffText =
    "Unable to write to the file. The Autosave feature is now OFF.  Use the Save As command from the file menu to "
    "save this file or close current file and revert to backup file.";
const char* const CloseProblemText =
    "There has been a problem saving current file.  Click the 'Ignore' button\rto close anyway.  Click the 'Abort' "
    "button to keep the file open - You may\rbe able to save the file in a different location by using the 'Save "
    "As'\rcommand from the 'File' menu.";
const char* const BackupFailedText = "Unable to save backup file.  Data from your main file has NOT been lost.\rIt is "
                                     "recommended you make a copy of you main file as a temporary backup.";

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FileNameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Progress positions of the streams as they are written at close and in Save As.
constexpr int StreamProgress[6] = {60, 65, 70, 80, 90, 100};

} // namespace

std::string StrayJournalMessage(const std::string& path, const std::string& journal) {
    const bool kept = journal != cfb::TCompoundFile::JournalPath(path);
    return "A journal left beside this file belongs to another file, and was not applied to it." +
           std::string(kept ? "\rIt has been kept as \"" + FileNameOf(journal) + "\"." : "");
}

TFileManager::TFileManager(TLedger& ledger, Prompts& prompts, DocumentQuestions& questions, const Clock& clock,
                           Drives& drives, cfb::TFileSystem& fs)
    : Ledger(ledger), Ask(prompts), Questions(questions), Time(clock), DriveInfo(drives), Fs(fs) {}

TFileManager::~TFileManager() {
    Release();
}

void TFileManager::ConnectLists() {
    auto hook = [this](TRecordStream stream) {
        return [this, stream](std::uint8_t action, std::int32_t index) {
            if (stream == StreamTrans) {
                if (action == ActionAdd)
                    TransAdded(index);
                else if (action == ActionChange)
                    TransChanged(index);
                else
                    TransDeleted(index);
            } else if (action == ActionAdd) {
                RecordAdded(stream, index);
            } else if (action == ActionChange) {
                RecordChanged(stream, index);
            } else {
                RecordDeleted(stream, index);
            }
        };
    };
    Ledger.TransList.OnChange = hook(StreamTrans);
    Ledger.MainActList.OnChange = hook(StreamMainActs);
    Ledger.SubActList.OnChange = hook(StreamSubActs);
    Ledger.GroupList.OnChange = hook(StreamGroups);
    Ledger.CatList.OnChange = hook(StreamCats);
    Ledger.BookList.OnChange = hook(StreamBooks);
}

void TFileManager::ShowProgress(int position, const std::string& caption) {
    if (Progress)
        Progress(position, caption);
}

// ---- The storage-error dialog -------------------------------------------------------------

std::string TFileManager::StorageErrorText(HResult result, const std::string& what) {
    if (result == cfb::STG_E_READFAULT)
        return "A disk error occurred during a read operation";
    std::string reason = ": Unkown error";
    if (result == cfb::STG_E_INSUFFICIENTMEMORY)
        reason = ": There is insufficient memory available to complete the operation";
    else if (result == cfb::STG_E_DISKISWRITEPROTECTED)
        reason = ": Disk is write protected";
    else if (result == cfb::STG_E_WRITEFAULT)
        reason = ": There was a problem writing to the disk";
    else if (result == cfb::STG_E_MEDIUMFULL)
        reason = ": Disk is full!";
    else if (result == cfb::STG_E_CANTSAVE)
        reason = ": Storage device error!";
    return "Unable to save " + what + reason;
}

bool TFileManager::StorageCall(const std::string& what, bool reopen, const std::function<HResult()>& call) {
    for (;;) {
        const HResult result = call();
        if (cfb::Succeeded(result))
            return true;
        const std::string text = StorageErrorText(result, what) + "\rDo you want to retry?";
        if (Ask.MessageBox(text, MsgKind::Confirmation, MsgButtons::RetryCancel) != MsgResult::Retry)
            return false;
        if (reopen && !Path.empty()) {
            // Dropping the storage plays back whatever the failed commit left half written;
            // the lists stay in memory and the change is written again.
            if (!Reopen())
                return false;
            Dirty = 0;
            StreamWritten.fill(0);
        }
    }
}

bool TFileManager::Reopen() {
    Release();
    if (cfb::Failed(cfb::TCompoundFile::Open(Path, cfb::StgAccess::ReadWrite, File, Fs)) || !OpenStreams()) {
        Release();
        return false;
    }
    File->SetSync(SyncWrites);
    // A rewrite that was given up moved the records in memory; the file may not have it.
    for (int i = 0; i < 6; ++i)
        if (RewritePending[i] &&
            cfb::Failed(FileOLE::RewriteStream(Streams[i], Ledger, static_cast<TRecordStream>(i)))) {
            Release();
            return false;
        }
    return true;
}

// ---- Opening and creating -----------------------------------------------------------------

bool TFileManager::CreateStreams(const char* countsName) {
    const char* names[9] = {RecordStreamNames[0], RecordStreamNames[1], RecordStreamNames[2],
                            RecordStreamNames[3], RecordStreamNames[4], RecordStreamNames[5],
                            countsName,           SettingsStreamName,   CommentsStreamName};
    for (std::size_t i = 0; i < 9; ++i) {
        if (!StorageCall("new file", false, [&] { return File->Root().CreateStream(names[i], Streams[i]); }))
            return false;
    }
    return StorageCall("new file", false, [&] { return FileOLE::WriteComment(Streams[CommentsStreamIndex], ""); });
}

bool TFileManager::OpenStreams() {
    const char* names[9] = {RecordStreamNames[0], RecordStreamNames[1], RecordStreamNames[2],
                            RecordStreamNames[3], RecordStreamNames[4], RecordStreamNames[5],
                            CountsStreamName,     SettingsStreamName,   CommentsStreamName};
    cfb::TStorage root = File->Root();
    for (std::size_t i = 0; i < 9; ++i)
        if (cfb::Failed(root.OpenStream(names[i], Streams[i])))
            return false;
    return true;
}

void TFileManager::Release() {
    Streams = {};
    File.reset();
    TransEnd = -1;
}

bool TFileManager::CreateNew(const std::string& path, const std::string& businessName,
                             const std::string& businessNumber) {
    Settings = TFileSettings{};
    Settings.BusinessName = businessName;
    Settings.BusinessNumber = businessNumber;
    ReadOnlyMode = 0;
    CheckDrive = 0;
    DriveKind = DriveInfo.KindOf(path);
    if (!StorageCall("new file", false, [&] { return cfb::TCompoundFile::Create(path, File, Fs); })) {
        CheckDrive = 1;
        return false;
    }
    File->SetSync(SyncWrites);
    Path = path;
    IsOpen = 1;
    bool ok = CreateStreams(Version20CountsName);
    if (ok) {
        Ledger.GroupList.AddNamed("General");
        Ledger.CatList.AddDefaults();
        auto* account = new TBookRec;
        account->Number = 0;
        account->Name = "Zudeduze 1";
        account->Colour = RGBColour(0, 0, 255);
        account->OpeningTransNo = 0;
        Ledger.BookList.Add(account);
        auto* opening = new TTransRec;
        opening->Number = 0;
        opening->Kind = TransOpening;
        opening->Date = Time.Today();
        opening->Book = 0;
        Ledger.TransList.Add(opening);
        Settings.IsExample = 0;
        Settings.ExampleDescFile.clear();
        ok = !ReadOnlyMode && WriteCounts() && WriteSettings();
    }
    if (!ok) {
        Ledger.Clear();
        Release();
        IsOpen = 0;
        ReadOnlyMode = 0;
        Path.clear();
        CheckDrive = 1;
        return false;
    }
    const bool autoBackup = AutoBackup;
    AutoBackup = true;
    Close(true, true);
    AutoBackup = autoBackup;
    CheckDrive = 1;
    return true;
}

int TFileManager::CheckFile(const std::string& path) {
    if (IsOpen && path == Path) {
        Ask.MessageBox("File already open", MsgKind::Information, MsgButtons::Ok);
        return 3;
    }
    std::unique_ptr<cfb::TCompoundFile> file;
    // Exclusive, to find out now whether another program holds the file.
    const HResult result = cfb::TCompoundFile::Open(path, cfb::StgAccess::ReadOnly, file, Fs, cfb::StgLock::Exclusive);
    if (result == cfb::STG_E_ACCESSDENIED || result == cfb::STG_E_SHAREVIOLATION ||
        result == cfb::STG_E_LOCKVIOLATION) {
        Ask.MessageBox("Unable to access this file.  It may be in use by another application.", MsgKind::Information,
                       MsgButtons::Ok);
        return 3;
    }
    if (cfb::Failed(result))
        return 2;
    cfb::TStream transactions, settingsStream;
    TFileSettings settings;
    if (cfb::Failed(file->Root().OpenStream(RecordStreamNames[StreamTrans], transactions)) ||
        cfb::Failed(file->Root().OpenStream(SettingsStreamName, settingsStream)) ||
        cfb::Failed(FileOLE::ReadSettings(settingsStream, settings)))
        return 2;
    if (settings.ProtectOpen)
        return Questions.AskPassword(settings.Password) ? 0 : 1;
    return 0;
}

bool TFileManager::Open(const std::string& path, bool load) {
    if (Fs.Exists(path)) {
        if (!DriveInfo.HasRoot(path))
            return false;
        DriveKind = DriveInfo.KindOf(path);
    }
    const bool cdRom = DriveKind == TDriveKind::CdRom;
    // A document the user may read but not change (a read-only file, folder or mount) opens
    // read-only, as one on a CD-ROM does.
    bool readOnly = cdRom || !DriveInfo.CanWrite(path);
    HResult opened = cfb::TCompoundFile::Open(path, readOnly ? cfb::StgAccess::ReadOnly : cfb::StgAccess::ReadWrite,
                                              File, Fs, cfb::StgLock::Exclusive);
    if (!readOnly && (opened == cfb::STG_E_ACCESSDENIED || opened == cfb::STG_E_DISKISWRITEPROTECTED)) {
        readOnly = true;
        opened = cfb::TCompoundFile::Open(path, cfb::StgAccess::ReadOnly, File, Fs, cfb::StgLock::Exclusive);
    }
    if (cfb::Failed(opened))
        return false;
    File->SetSync(SyncWrites);
    if (!OpenStreams() || cfb::Failed(FileOLE::ReadComment(Streams[CommentsStreamIndex], CommentText))) {
        Release();
        return false;
    }
    Path = path;
    const std::string strayJournal = File->StrayJournal();
    if (readOnly) {
        EnterReadOnlyMode(false);
        if (!Saving)
            Ask.MessageBox(cdRom ? "This file can will be opened in read only mode because it is\rbeing opened from "
                                   "CDROM.  Use the Save As command to save any\rchanges made to this file."
                                 : "This file will be opened in read only mode because it\rcannot be written to.  Use "
                                   "the Save As command to save\rany changes made to this file.",
                           MsgKind::Information, MsgButtons::Ok);
    } else {
        ReadOnlyMode = 0;
    }
    bool ok = true;
    if (load && !LoadLists()) {
        ok = false;
        Release();
        Ledger.Clear();
        Path.clear();
    }
    if (ok && !strayJournal.empty())
        Ask.MessageBox(StrayJournalMessage(path, strayJournal), MsgKind::Warning, MsgButtons::Ok);
    if (ok && load && !Ledger.DamagedTrans.empty())
        Ask.MessageBox(DamagedTransMessage(Ledger.DamagedTrans), MsgKind::Warning, MsgButtons::Ok);
    if (ok && load && !WithinMaxAmount(Settings.GstOpeningBalance))
        Ask.MessageBox(TaxOpeningBalanceDamagedText, MsgKind::Warning, MsgButtons::Ok);
    Ledger.TransferList.Build(Ledger.TransList);
    IsOpen = ok ? 1 : 0;
    StreamWritten.fill(0);
    RewritePending.fill(0);
    Dirty = 0;
    CheckDrive = 1;
    if (ReadOnlyMode)
        Release();
    return ok;
}

bool TFileManager::LoadLists() {
    TCounts counts{};
    if (cfb::Failed(FileOLE::ReadSettings(Streams[SettingsStreamIndex], Settings)) ||
        cfb::Failed(FileOLE::ReadCounts(Streams[CountsStreamIndex], counts)))
        return false;
    ShowProgress(10, "Loading File...");
    const bool ok =
        cfb::Succeeded(FileOLE::LoadTransactions(Streams[StreamTrans], counts[StreamTrans], Ledger, TTaxField::Amount,
                                                 [this](double share) { ShowProgress(10 + int(share * 60)); })) &&
        (ShowProgress(70), true) &&
        cfb::Succeeded(FileOLE::LoadMainActs(Streams[StreamMainActs], counts[StreamMainActs], Ledger.MainActList)) &&
        (ShowProgress(80), true) &&
        cfb::Succeeded(
            FileOLE::LoadSubActs(Streams[StreamSubActs], counts[StreamSubActs], Ledger.SubActList, ConvertNotes)) &&
        (ShowProgress(90), true) &&
        cfb::Succeeded(FileOLE::LoadGroups(Streams[StreamGroups], counts[StreamGroups], Ledger.GroupList)) &&
        cfb::Succeeded(FileOLE::LoadCats(Streams[StreamCats], counts[StreamCats], Ledger.CatList)) &&
        cfb::Succeeded(FileOLE::LoadBooks(Streams[StreamBooks], counts[StreamBooks], Ledger.BookList));
    if (!ok)
        return false;
    Ledger.BookList.NumberRows();
    Ledger.GstOpeningBalance = UsableAmount(Settings.GstOpeningBalance);
    Ledger.GstPaymentCat = Settings.GstPaymentCat;
    Ledger.GstRefundCat = Settings.GstRefundCat;
    return true;
}

// ---- Writing through ---------------------------------------------------------------------

bool TFileManager::DriveReady() {
    if (ReadOnlyMode || !CheckDrive)
        return true;
    if (!IsOpen)
        return false;
    if (DriveKind == TDriveKind::Network) {
        while (DriveInfo.KindOf(Path) != TDriveKind::Network)
            if (Ask.MessageBox("Unable to write to file: Lost network connection!", MsgKind::Warning,
                               MsgButtons::RetryCancel) != MsgResult::Retry)
                return false;
        return true;
    }
    while (!DriveInfo.IsReady(Path))
        if (Ask.MessageBox("Unable to write to file: Drive not ready!", MsgKind::Warning, MsgButtons::RetryCancel) !=
            MsgResult::Retry)
            return false;
    return true;
}

// Read-only after a failed write keeps `Dirty`: the change that could not be written is only
// in memory, and closing must still offer to save it to a new file.
void TFileManager::EnterReadOnlyMode(bool keepDirty) {
    ReadOnlyMode = 1;
    if (!keepDirty)
        Dirty = 0;
    StreamWritten.fill(0);
}

void TFileManager::AutosaveOff() {
    Ask.MessageBox(AutosaveOffText, MsgKind::Warning, MsgButtons::Ok);
    EnterReadOnlyMode(true);
}

TCounts TFileManager::Counts(TRecordStream deleting, bool isDeleting) const {
    TCounts counts{};
    for (int i = 0; i < 6; ++i)
        counts[i] = FileOLE::StoredCountOf(Ledger, static_cast<TRecordStream>(i));
    // A list reports a delete while the record is still in it.
    if (isDeleting)
        --counts[deleting];
    return counts;
}

HResult TFileManager::CommitAll() {
    const HResult result = File ? File->Commit() : cfb::STG_E_REVERTED;
    if (cfb::Succeeded(result))
        RewritePending.fill(0);
    return result;
}

bool TFileManager::WriteAndCommit(const std::string& what, const std::function<HResult()>& write) {
    return StorageCall(what, false, [&] {
        const HResult result = write();
        return cfb::Succeeded(result) ? CommitAll() : result;
    });
}

// A finished copy takes the final name in one step, and the name is made durable.
HResult TFileManager::RenameIntoPlace(const std::string& temporary, const std::string& path) {
    const int error = Fs.Rename(temporary, path);
    if (error == 0)
        Fs.SyncFolderOf(path);
    return cfb::ResultFromErrno(error);
}

bool TFileManager::WriteThrough(TRecordStream stream, const std::function<HResult()>& write) {
    Dirty = 1;
    if (ReadOnlyMode)
        return false;
    if (GroupDepth > 0)
        return WriteInGroup(stream, write);
    if (!DriveReady()) {
        AutosaveOff();
        return false;
    }
    const bool ok = StorageCall("changes", true, [&] {
        if (!File)
            return cfb::STG_E_REVERTED;
        HResult result = write();
        return cfb::Succeeded(result) ? CommitAll() : result;
    });
    if (ok) {
        StreamWritten[stream] = 1;
        return true;
    }
    StreamWritten[stream] = 0;
    AutosaveOff();
    return false;
}

// ---- Grouped changes ------------------------------------------------------------------------

void TFileManager::BeginChanges() {
    if (GroupDepth++ == 0) {
        GroupTouched.fill(0);
        GroupFailed = false;
        GroupBefore.clear();
    }
}

// What stood in the file before a change of the open group: kept for the caller (undo).
void TFileManager::NoteBefore(std::size_t stream, std::int64_t position) {
    if (GroupDepth == 0 || ReadOnlyMode || !File)
        return;
    TBeforeImage before{stream, position, false, {}};
    if (stream < 6) {
        before.Bytes.resize(RecordSizes[stream]);
        std::uint32_t read = 0;
        if (cfb::Failed(Streams[stream].ReadAt(static_cast<std::uint64_t>(position), before.Bytes.data(),
                                               RecordSizes[stream], &read)))
            read = 0;
        before.Bytes.resize(read);
    } else if (stream == SettingsStreamIndex) {
        Streams[stream].ReadAll(before.Bytes);
    } else if (stream == CommentsStreamIndex) {
        before.Bytes = CommentText;
    }
    GroupBefore.push_back(std::move(before));
}

void TFileManager::NoteAdded(std::size_t stream, std::int64_t position) {
    if (GroupDepth > 0)
        GroupBefore.push_back({stream, position, true, {}});
}

// In a group a write goes into the storage at once and waits there for the group's one commit.
bool TFileManager::WriteInGroup(std::size_t stream, const std::function<HResult()>& write) {
    GroupTouched[stream] = 1;
    if (!GroupFailed && (!File || cfb::Failed(write())))
        GroupFailed = true;
    return !GroupFailed;
}

// Writes again, whole, everything the group touched, from the lists in memory: after the
// storage was dropped and opened again for a retry, none of the group's writes is in it.
HResult TFileManager::RewriteTouched() {
    TransEnd = -1;
    for (int i = 0; i < 6; ++i)
        if (GroupTouched[i])
            if (HResult r = FileOLE::RewriteStream(Streams[i], Ledger, static_cast<TRecordStream>(i)); cfb::Failed(r))
                return r;
    if (HResult r = FileOLE::WriteCounts(Streams[CountsStreamIndex], Counts()); cfb::Failed(r))
        return r;
    if (GroupTouched[SettingsStreamIndex])
        if (HResult r = FileOLE::WriteSettings(Streams[SettingsStreamIndex], Settings); cfb::Failed(r))
            return r;
    if (GroupTouched[CommentsStreamIndex])
        return FileOLE::WriteComment(Streams[CommentsStreamIndex], CommentText);
    return S_OK;
}

bool TFileManager::EndChanges() {
    if (GroupDepth == 0 || --GroupDepth > 0)
        return true;
    const bool touched = std::any_of(GroupTouched.begin(), GroupTouched.end(), [](std::uint8_t t) { return t != 0; });
    if (ReadOnlyMode || !touched)
        return true;
    if (!DriveReady()) {
        AutosaveOff();
        return false;
    }
    bool redo = GroupFailed;
    const bool ok = StorageCall("changes", true, [&] {
        if (!File)
            return cfb::STG_E_REVERTED;
        HResult result = redo ? RewriteTouched() : S_OK;
        if (cfb::Succeeded(result))
            result = CommitAll();
        // A retry drops the storage first: the next attempt writes everything again.
        redo = cfb::Failed(result);
        return result;
    });
    LastChangeBefore = std::move(GroupBefore);
    GroupBefore.clear();
    if (!ok) {
        AutosaveOff();
        return false;
    }
    for (int i = 0; i < 6; ++i)
        if (GroupTouched[i])
            StreamWritten[i] = 1;
    return true;
}

std::int64_t TFileManager::NextTransPosition(std::int32_t adding) {
    // After the last record written; the first record of an empty stream goes at 0. Worked
    // out once, then kept up to date, so an add does not walk every transaction.
    if (TransEnd < 0) {
        TransEnd = 0;
        for (std::int32_t i = 0; i < Ledger.TransList.Count(); ++i)
            if (i != adding)
                TransEnd = std::max<std::int64_t>(
                    TransEnd, Ledger.TransList.KeyList[static_cast<std::size_t>(i)]->FilePos + TransRecordSize);
        for (const TDamagedTrans& damaged : Ledger.DamagedTrans)
            TransEnd = std::max<std::int64_t>(TransEnd, damaged.FilePos + TransRecordSize);
    }
    return TransEnd;
}

void TFileManager::TransAdded(std::int32_t index) {
    WriteThrough(StreamTrans, [&] {
        const std::int64_t position = NextTransPosition(index);
        HResult result = FileOLE::WriteRecord(Streams[StreamTrans], Ledger, StreamTrans, index, position);
        if (cfb::Failed(result))
            return result;
        Ledger.TransList.Items(index)->FilePos = position;
        TransEnd = position + TransRecordSize;
        NoteAdded(StreamTrans, position);
        return FileOLE::WriteCounts(Streams[CountsStreamIndex], Counts());
    });
}

void TFileManager::TransChanged(std::int32_t index) {
    RecordChanged(StreamTrans, index);
}
void TFileManager::TransDeleted(std::int32_t index) {
    RecordDeleted(StreamTrans, index);
}

void TFileManager::RecordAdded(TRecordStream stream, std::int32_t index) {
    if (stream == StreamTrans)
        return TransAdded(index);
    // The end of the stream is taken once: a commit that failed after reaching the file leaves
    // the record there, and the retry must write it in the same place, not append a copy that
    // later in-place writes would go to while the load reads the first.
    std::optional<std::uint64_t> end;
    WriteThrough(stream, [&] {
        if (!end) {
            std::uint64_t size = 0;
            if (HResult result = Streams[stream].Size(size); cfb::Failed(result))
                return result;
            end = size;
        }
        HResult result = FileOLE::WriteRecord(Streams[stream], Ledger, stream, index, static_cast<std::int64_t>(*end));
        if (cfb::Failed(result))
            return result;
        FileOLE::FilePosOf(Ledger, stream, index) = static_cast<std::int64_t>(*end);
        NoteAdded(stream, static_cast<std::int64_t>(*end));
        return FileOLE::WriteCounts(Streams[CountsStreamIndex], Counts());
    });
}

void TFileManager::RecordChanged(TRecordStream stream, std::int32_t index) {
    NoteBefore(stream, FileOLE::FilePosOf(Ledger, stream, index));
    WriteThrough(stream, [&] {
        return FileOLE::WriteRecord(Streams[stream], Ledger, stream, index, FileOLE::FilePosOf(Ledger, stream, index));
    });
}

void TFileManager::RecordDeleted(TRecordStream stream, std::int32_t index) {
    if (stream == StreamTrans)
        TransEnd = -1; // the highest record may be the one leaving
    NoteBefore(stream, FileOLE::FilePosOf(Ledger, stream, index));
    WriteThrough(stream, [&] {
        HResult result =
            FileOLE::WriteTombstone(Streams[stream], Ledger, stream, index, FileOLE::FilePosOf(Ledger, stream, index));
        if (cfb::Failed(result))
            return result;
        return FileOLE::WriteCounts(Streams[CountsStreamIndex], Counts(stream, true));
    });
}

void TFileManager::MarkAccountsChanged() {
    Dirty = 1;
    StreamWritten[StreamBooks] = 1;
}

bool TFileManager::WriteSettings() {
    Ledger.GstOpeningBalance = UsableAmount(Settings.GstOpeningBalance);
    Ledger.GstPaymentCat = Settings.GstPaymentCat;
    Ledger.GstRefundCat = Settings.GstRefundCat;
    // Read-only (also after the autosave went off, with the file still held) keeps it in memory.
    if (ReadOnlyMode || !File) {
        if (ReadOnlyMode)
            Dirty = 1;
        return ReadOnlyMode != 0;
    }
    auto write = [&] { return FileOLE::WriteSettings(Streams[SettingsStreamIndex], Settings); };
    if (GroupDepth > 0) {
        NoteBefore(SettingsStreamIndex, 0);
        return WriteInGroup(SettingsStreamIndex, write);
    }
    return WriteAndCommit("file", write);
}

bool TFileManager::WriteCounts() {
    if (!File || ReadOnlyMode)
        return false;
    auto write = [&] { return FileOLE::WriteCounts(Streams[CountsStreamIndex], Counts()); };
    if (GroupDepth > 0)
        return WriteInGroup(CountsStreamIndex, write);
    return WriteAndCommit("file", write);
}

std::string TFileManager::Comment() {
    if (ReadOnlyMode || !File)
        return CommentText;
    std::string text;
    if (cfb::Succeeded(FileOLE::ReadComment(Streams[CommentsStreamIndex], text)))
        CommentText = text;
    return CommentText;
}

void TFileManager::SetComment(const std::string& text) {
    NoteBefore(CommentsStreamIndex, 0);
    CommentText = text;
    if (ReadOnlyMode)
        Dirty = 1;
    if (ReadOnlyMode || !File)
        return;
    auto write = [&] { return FileOLE::WriteComment(Streams[CommentsStreamIndex], text); };
    if (GroupDepth > 0)
        WriteInGroup(CommentsStreamIndex, write);
    else
        WriteAndCommit("file", write);
}

// ---- Closing, backing up, copying ----------------------------------------------------------

bool TFileManager::RewriteWholeStream(TRecordStream stream) {
    if (GroupDepth > 0 && !ReadOnlyMode)
        return WriteInGroup(stream, [&] {
            TransEnd = -1;
            return FileOLE::RewriteStream(Streams[stream], Ledger, stream);
        });
    const bool written = StorageCall("file", false, [&] {
        if (!File)
            return cfb::STG_E_REVERTED;
        TransEnd = -1;
        HResult result = FileOLE::RewriteStream(Streams[stream], Ledger, stream);
        return cfb::Succeeded(result) ? CommitAll() : result;
    });
    // Given up, the records keep the positions the rewrite gave them, and the rewrite stays in
    // the storage to go with the next commit; should the storage be dropped and opened again
    // from the file before that, it is done again there, so that in-place writes still land on
    // their own records.
    if (!written)
        RewritePending[stream] = 1;
    return written;
}

bool TFileManager::RewriteWrittenStreams() {
    for (int i = 0; i < 6; ++i) {
        const auto stream = static_cast<TRecordStream>(i);
        if (StreamWritten[i] && !RewriteWholeStream(stream))
            return false;
        ShowProgress(StreamProgress[i]);
    }
    return true;
}

bool TFileManager::Close(bool clearLists, bool save) {
    if (!IsOpen)
        return true;
    if (!ReadOnlyMode && Dirty && save && DriveReady()) {
        ShowProgress(10, "Saving File...");
        const bool written = WriteCounts() && (ShowProgress(20), true) && RewriteWrittenStreams();
        if (!written) {
            if (Ask.MessageBox(CloseProblemText, MsgKind::Warning, MsgButtons::AbortIgnore) == MsgResult::Abort)
                return false;
        } else if (!EndsWith(Path, "~bk")) {
            if (AutoBackup || Ask.MessageBox("The data in this file has changed.\rUpdate backup file?",
                                             MsgKind::Confirmation, MsgButtons::YesNo) == MsgResult::Yes)
                Backup();
        }
    }
    if (clearLists)
        Ledger.Clear();
    Release();
    IsOpen = 0;
    Path.clear();
    StreamWritten.fill(0);
    RewritePending.fill(0);
    Dirty = 0;
    ShowProgress(100);
    return true;
}

std::string TFileManager::DocumentNameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name.substr(0, name.find('.'));
}

std::string TFileManager::DocumentName() const {
    return DocumentNameOf(Path);
}

std::string TFileManager::BackupPathOf(const std::string& path) {
    return FolderOf(path) + DocumentNameOf(path) + ".~bk";
}

// Copies the open storage into a new file at `path`: written under a temporary name beside
// it and renamed into place only when complete, so a failure never leaves a half-written file
// where a good one was. `created` tells whether the failure came after the file was made.
bool TFileManager::CopyInto(const std::string& path, const std::string& what, bool& created) {
    created = false;
    if (!File)
        return false;
    const std::string temporary = path + ".tmp~";
    std::unique_ptr<cfb::TCompoundFile> copy;
    // A file of that name that someone holds open is not replaced behind their back.
    std::unique_ptr<cfb::TFile> holder;
    auto create = [&]() -> HResult {
        if (Fs.Exists(path)) {
            if (int error = Fs.Open(path, cfb::OpenKind::ReadOnly, holder); error != 0)
                return cfb::ResultFromErrno(error);
            if (int error = holder->LockExclusive(); error != 0)
                return error == EWOULDBLOCK ? cfb::STG_E_SHAREVIOLATION : cfb::ResultFromErrno(error);
        }
        return cfb::TCompoundFile::Create(temporary, copy, Fs);
    };
    if (!StorageCall(what, false, create)) {
        Fs.Remove(temporary);
        return false;
    }
    created = true;
    copy->SetSync(SyncWrites);
    ShowProgress(50);
    const bool copied = StorageCall(what == "file" ? "backup file" : what, false, [&] {
        cfb::TStorage target = copy->Root();
        HResult result = File->Root().CopyTo(target);
        return cfb::Succeeded(result) ? copy->Commit() : result;
    });
    ShowProgress(80);
    copy.reset();
    if (copied && StorageCall(what, false, [&] { return RenameIntoPlace(temporary, path); }))
        return true;
    Fs.Remove(temporary);
    Fs.Remove(cfb::TCompoundFile::JournalPath(temporary));
    return false;
}

bool TFileManager::Backup() {
    if (!DriveReady()) {
        Ask.MessageBox("Unable to save backup file: Drive not ready", MsgKind::Error, MsgButtons::Ok);
        return false;
    }
    ShowProgress(10, "Saving Backup File...");
    ShowProgress(20);
    bool created = false;
    const bool ok = CopyInto(BackupPathOf(Path), "backup file", created);
    if (!ok)
        Ask.MessageBox(BackupFailedText, MsgKind::Error, MsgButtons::Ok);
    ShowProgress(100);
    return ok;
}

int TFileManager::SaveCopyAs(const std::string& path) {
    if (path == Path)
        return 0;
    if (!DriveReady()) {
        Ask.MessageBox("Unable to save file: Drive not ready", MsgKind::Error, MsgButtons::Ok);
        return 1;
    }
    Saving = 1;
    ShowProgress(10, "Saving File...");
    ShowProgress(20);
    bool created = false;
    if (!CopyInto(path, "file", created)) {
        if (!created)
            Ask.MessageBox("Unable to save file", MsgKind::Error, MsgButtons::Ok);
        Saving = 0;
        ShowProgress(100);
        return 1;
    }
    Release();
    const bool opened = Open(path, false);
    Saving = 0;
    ShowProgress(100);
    return opened ? 0 : 2;
}

bool TFileManager::WriteAllStreams() {
    const bool head = StorageCall("file", false, [&] {
        HResult result = FileOLE::WriteCounts(Streams[CountsStreamIndex], Counts());
        if (cfb::Succeeded(result))
            result = FileOLE::WriteSettings(Streams[SettingsStreamIndex], Settings);
        if (cfb::Succeeded(result))
            result = FileOLE::WriteComment(Streams[CommentsStreamIndex], CommentText);
        return cfb::Succeeded(result) ? CommitAll() : result;
    });
    if (!head)
        return false;
    ShowProgress(30);
    for (int i = 0; i < 6; ++i) {
        const auto stream = static_cast<TRecordStream>(i);
        if (!WriteAndCommit("file", [&] { return FileOLE::RewriteStream(Streams[stream], Ledger, stream); }))
            return false;
        ShowProgress(StreamProgress[i]);
    }
    return true;
}

bool TFileManager::SaveAsNew(const std::string& path) {
    if (!DriveReady()) {
        Ask.MessageBox("Unable to save file: Drive not ready", MsgKind::Error, MsgButtons::Ok);
        return false;
    }
    return WriteDocument(path);
}

bool TFileManager::WriteDocument(const std::string& path) {
    ShowProgress(10, "Saving File...");
    if (CommentText.empty() && File)
        FileOLE::ReadComment(Streams[CommentsStreamIndex], CommentText);
    // The document is written whole under a temporary name, then renamed into place.
    Release();
    const std::string temporary = path + ".tmp~";
    const std::uint8_t oldCheck = CheckDrive;
    bool ok = StorageCall("new file", false, [&] { return cfb::TCompoundFile::Create(temporary, File, Fs); });
    if (ok) {
        File->SetSync(SyncWrites);
        ok = CreateStreams(CountsStreamName);
    }
    if (ok) {
        CheckDrive = 0;
        Saving = 1;
        ReadOnlyMode = 0;
        ShowProgress(25);
        ok = WriteAllStreams();
    }
    Release();
    if (ok)
        ok = StorageCall("file", false, [&] { return RenameIntoPlace(temporary, path); });
    Saving = 0;
    CheckDrive = oldCheck;
    if (ok && cfb::Succeeded(cfb::TCompoundFile::Open(path, cfb::StgAccess::ReadWrite, File, Fs)) && OpenStreams()) {
        File->SetSync(SyncWrites);
        DriveKind = DriveInfo.KindOf(path);
        Path = path;
        IsOpen = 1;
        StreamWritten.fill(0);
        Dirty = 0;
        ReadOnlyMode = 0;
        ShowProgress(100);
        return true;
    }
    Release();
    Fs.Remove(temporary);
    Fs.Remove(cfb::TCompoundFile::JournalPath(temporary));
    EnterReadOnlyMode(true);
    ShowProgress(100);
    return false;
}

int TFileManager::ReadOnlyClosePrompt() {
    if (!ReadOnlyMode || !Dirty)
        return 0;
    switch (Ask.MessageBox("Current file is in read only mode and has changed. Do you want to save the changes to a "
                           "new file?",
                           MsgKind::Confirmation, MsgButtons::YesNoCancel)) {
    case MsgResult::Yes:
        return 1;
    case MsgResult::Cancel:
        return 2;
    default:
        return 0;
    }
}

} // namespace qz
