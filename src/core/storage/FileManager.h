#pragma once
// The open document: creating, checking, opening, writing every change through at once,
// compacting and backing up at close, and copying with Save As. Every message goes through
// Prompts; every storage call runs under the storage-error dialog with its retries.

#include "DocumentQuestions.h"
#include "FileOLE.h"
#include "ledger/Ledger.h"
#include "platform/Clock.h"
#include "platform/Drives.h"
#include "platform/Prompts.h"
#include "storage/cfb/CompoundFile.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qz {

class TFileManager {
public:
    TFileManager(TLedger& ledger, Prompts& prompts, DocumentQuestions& questions, const Clock& clock,
                 Drives& drives = Drives::System(), cfb::TFileSystem& fs = cfb::TFileSystem::Posix());
    ~TFileManager();

    // Wires the six lists' storage hooks to the write-through operations.
    void ConnectLists();

    bool CreateNew(const std::string& path, const std::string& businessName, const std::string& businessNumber);
    // 0 may be opened; 1 the password was not given; 2 not a document; 3 already open or in use.
    int CheckFile(const std::string& path);
    bool Open(const std::string& path, bool load);
    // False when the user chose to keep the document open after a failed save.
    bool Close(bool clearLists, bool save);
    // 0 nothing to do or "No"; 1 "Yes" (save to a new file); 2 "Cancel".
    int ReadOnlyClosePrompt();
    bool SaveAsNew(const std::string& path);
    // Writes the lists, settings and comment as a complete new document at `path` and keeps
    // it open as the document (Save As from read-only mode, and writing generated books).
    bool WriteDocument(const std::string& path);
    // 0 saved and reopened; 1 not saved; 2 saved, but the new file could not be opened.
    int SaveCopyAs(const std::string& path);
    bool Backup();

    std::string Comment();
    void SetComment(const std::string& text);
    bool WriteSettings();
    bool WriteCounts();
    std::string DocumentName() const;
    static std::string DocumentNameOf(const std::string& path);
    static std::string BackupPathOf(const std::string& path);
    void MarkAccountsChanged();

    // One user action's changes reach the disk in one commit: between BeginChanges and the
    // matching EndChanges (groups nest; the outermost one counts) every write-through goes into
    // the storage and waits; EndChanges commits them all, under the storage-error dialog, or
    // none of them. False when the commit was given up: the autosave is then off and the
    // changes are kept in memory only.
    void BeginChanges();
    bool EndChanges();

    // What the last group of changes replaced, in the order of its changes: a record's old
    // bytes at its place in its stream (Stream is the index of Streams: 0..5 record streams,
    // 7 the settings, 8 the comment, whose old text Bytes then holds), or a record it added.
    // The base of an undo of recent actions.
    struct TBeforeImage {
        std::size_t Stream = 0;
        std::int64_t FilePos = 0;
        bool Added = false;
        std::string Bytes;
    };
    const std::vector<TBeforeImage>& LastChange() const { return LastChangeBefore; }

    // The write-through operations, one per list action.
    void TransAdded(std::int32_t index);
    void TransChanged(std::int32_t index);
    void TransDeleted(std::int32_t index);
    void RecordAdded(TRecordStream stream, std::int32_t index);
    void RecordChanged(TRecordStream stream, std::int32_t index);
    void RecordDeleted(TRecordStream stream, std::int32_t index);

    // The storage-error dialog around one storage call: retries while the user asks to, and,
    // when `reopen` is allowed, reopens the document before each retry. False when given up.
    bool StorageCall(const std::string& what, bool reopen, const std::function<cfb::HResult()>& call);
    static std::string StorageErrorText(cfb::HResult result, const std::string& what);
    // Rewrites a whole record stream without its deleted records and commits it, under the
    // storage-error dialog (what = "file"). Given up, the rewrite waits for the next commit.
    bool RewriteWholeStream(TRecordStream stream);

    // The file's storage and streams while it is held (conversions work through these).
    cfb::TCompoundFile* Storage() { return File.get(); }
    cfb::TStream& RecordStream(TRecordStream stream) { return Streams[stream]; }

    // State.
    std::uint8_t IsOpen = 0;
    std::array<std::uint8_t, 6> StreamWritten{};
    std::uint8_t ReadOnlyMode = 0;
    std::uint8_t Dirty = 0;
    std::uint8_t CheckDrive = 1;
    TDriveKind DriveKind = TDriveKind::Fixed;
    std::uint8_t Saving = 0;
    std::string Path;
    TFileSettings Settings;
    std::uint8_t ConvertNotes = 0;
    // The option "AutoBak": refresh the backup at close without asking.
    bool AutoBackup = false;
    // The main window's progress bar: a position 0..100 (100 hides it) and a caption.
    std::function<void(int position, const std::string& caption)> Progress;
    // Syncing off is for benchmarks only.
    bool SyncWrites = true;

private:
    bool CreateStreams(const char* countsName);
    bool OpenStreams();
    void Release();
    // Drops the storage with its uncommitted changes and opens it again from Path, redoing the
    // pending rewrites.
    bool Reopen();
    bool LoadLists();
    bool DriveReady();
    void AutosaveOff();
    void EnterReadOnlyMode(bool keepDirty);
    TCounts Counts(TRecordStream deleting = StreamTrans, bool isDeleting = false) const;
    bool WriteThrough(TRecordStream stream, const std::function<cfb::HResult()>& write);
    bool WriteInGroup(std::size_t stream, const std::function<cfb::HResult()>& write);
    void NoteBefore(std::size_t stream, std::int64_t position);
    void NoteAdded(std::size_t stream, std::int64_t position);
    cfb::HResult RewriteTouched();
    bool RewriteWrittenStreams();
    bool WriteAllStreams();
    bool CopyInto(const std::string& path, const std::string& what, bool& created);
    void ShowProgress(int position, const std::string& caption = {});
    std::int64_t NextTransPosition(std::int32_t adding);
    cfb::HResult CommitAll();
    // A storage call followed by a commit, under the storage-error dialog.
    bool WriteAndCommit(const std::string& what, const std::function<cfb::HResult()>& write);
    cfb::HResult RenameIntoPlace(const std::string& temporary, const std::string& path);

    TLedger& Ledger;
    Prompts& Ask;
    DocumentQuestions& Questions;
    const Clock& Time;
    Drives& DriveInfo;
    cfb::TFileSystem& Fs;
    std::unique_ptr<cfb::TCompoundFile> File;
    // The six record streams, then counts, settings and comments.
    std::array<cfb::TStream, 9> Streams;
    std::string CommentText;
    // Where the next transaction goes: after the highest record position; -1 until worked out.
    std::int64_t TransEnd = -1;
    // Rewrites of whole streams that were given up and are still to be committed.
    std::array<std::uint8_t, 6> RewritePending{};
    // The open group of changes: its depth, the streams it wrote (by Streams index), and
    // whether one of its writes failed before the commit.
    int GroupDepth = 0;
    std::array<std::uint8_t, 9> GroupTouched{};
    bool GroupFailed = false;
    std::vector<TBeforeImage> GroupBefore;
    std::vector<TBeforeImage> LastChangeBefore;
};

// Groups the changes of one user action for as long as it lives (see BeginChanges).
class TChangeGroup {
public:
    explicit TChangeGroup(TFileManager& files) : Files(files) { Files.BeginChanges(); }
    ~TChangeGroup() {
        if (!Ended)
            Files.EndChanges();
    }
    TChangeGroup(const TChangeGroup&) = delete;
    TChangeGroup& operator=(const TChangeGroup&) = delete;
    // Commits the group; false when that was given up.
    bool End() {
        Ended = true;
        return Files.EndChanges();
    }

private:
    TFileManager& Files;
    bool Ended = false;
};

// What the user is told when a journal of other contents was found beside a document (and,
// unless it was only left where it is, the name it was kept under).
std::string StrayJournalMessage(const std::string& path, const std::string& journal);

inline constexpr const char* TaxOpeningBalanceDamagedText =
    "The GST/VAT opening balance of this file is beyond the largest amount a document may hold "
    "(10,000,000.00): the file is damaged there. It is taken as 0 in every figure.";

inline constexpr std::size_t CountsStreamIndex = 6;
inline constexpr std::size_t SettingsStreamIndex = 7;
inline constexpr std::size_t CommentsStreamIndex = 8;

} // namespace qz
