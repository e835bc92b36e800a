// Commits under faults. A crash after any write of a commit, and a write, sync or truncate that
// fails, must leave the file holding the state before the commit or the state after it, never a
// mixture; a failure reaches the caller, and a retry completes the commit.

#include "CfbTestSupport.h"

#include "storage/cfb/FaultyFileSystem.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

namespace qz::cfb::testing {
namespace {

namespace fs = std::filesystem;
using Tree = std::map<std::string, std::string>;

constexpr std::uint32_t RecordSize = 320;
constexpr int RecordCount = 40; // 12,800 bytes: in regular sectors
constexpr std::uint32_t BalancesSize = 5000;

std::string Record(int number) {
    return Bytes(RecordSize, 7000u + static_cast<unsigned>(number));
}

std::string RawFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The file every run starts from: records in regular sectors, a small stream in the mini
// stream, and a storage holding one stream of each kind.
Tree Prepared() {
    std::string transactions;
    for (int i = 0; i < RecordCount; ++i)
        transactions += Record(i);
    return {{"Transactions", transactions},
            {"Options", Bytes(180, 1)},
            {"Accounts/", ""},
            {"Accounts/Names", Bytes(900, 2)},
            {"Accounts/Balances", Bytes(BalancesSize, 3)}};
}

// Writes a tree of streams and storages one level deep.
void WriteTree(TStorage root, const Tree& tree) {
    for (const auto& [path, data] : tree) {
        const std::size_t slash = path.find('/');
        if (slash == std::string::npos) {
            PutStream(root, path, data);
            continue;
        }
        const std::string name = path.substr(0, slash);
        TStorage storage;
        if (Failed(root.OpenStorage(name, storage))) {
            ASSERT_S_OK(root.CreateStorage(name, storage));
        }
        if (slash + 1 < path.size())
            PutStream(storage, path.substr(slash + 1), data);
    }
}

// One run of an operation: the work copy of the prepared file opened through a file layer,
// and the file the operation makes, if any.
struct Session {
    Session(TFileSystem& layer, std::string newPath) : Layer(layer), NewPath(std::move(newPath)) {}
    TFileSystem& Layer;
    std::string NewPath;
    std::unique_ptr<TCompoundFile> File;
    std::unique_ptr<TCompoundFile> Created;
    // The file the operation commits.
    TCompoundFile* Target() const { return NewPath.empty() ? File.get() : Created.get(); }
};

struct Operation {
    const char* Name;
    bool MakesFile;              // the change goes to a new file; the work copy is only read
    HResult (*Change)(Session&); // everything but the final commit
    void (*Expect)(Tree&);       // turns the prepared tree into what the target holds after
};

void PrintTo(const Operation& operation, std::ostream* out) {
    *out << operation.Name;
}

HResult WriteRecord(Session& session, int number, const std::string& record) {
    TStream stream;
    if (HResult r = session.File->Root().OpenStream("Transactions", stream); Failed(r))
        return r;
    return stream.WriteAt(std::uint64_t(number) * RecordSize, record.data(), RecordSize);
}

HResult ResizeTransactions(Session& session, std::uint64_t size) {
    TStream stream;
    if (HResult r = session.File->Root().OpenStream("Transactions", stream); Failed(r))
        return r;
    return stream.SetSize(size);
}

// Records rewritten in runs of neighbouring pages with gaps between them: the commit writes
// each run in one gathered write.
constexpr int ScatteredRecords[] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 30, 31, 32, 33, 38};

// Reads each record before rewriting it, as the program does to keep what it replaces: the
// read brings its page and the neighbours, the write then starts from them.
constexpr int ReadRecords[] = {5, 6, 20, 21, 22, 39};

HResult ReadAndRewrite(Session& session, const int* numbers, std::size_t count, int seed) {
    TStream stream;
    if (HResult r = session.File->Root().OpenStream("Transactions", stream); Failed(r))
        return r;
    for (std::size_t i = 0; i < count; ++i) {
        std::string old(RecordSize, '\0');
        std::uint32_t read = 0;
        if (HResult r = stream.ReadAt(std::uint64_t(numbers[i]) * RecordSize, old.data(), RecordSize, &read); Failed(r))
            return r;
        if (read != RecordSize || old != Record(numbers[i]))
            return STG_E_DOCFILECORRUPT; // the read did not give the record as committed
        const std::string record = Record(seed + numbers[i]);
        if (HResult r = stream.WriteAt(std::uint64_t(numbers[i]) * RecordSize, record.data(), RecordSize); Failed(r))
            return r;
    }
    return S_OK;
}

const Operation Operations[] = {
    {"AppendRecord", false, [](Session& s) { return WriteRecord(s, RecordCount, Record(RecordCount)); },
     [](Tree& t) { t["Transactions"] += Record(RecordCount); }},
    {"RewriteRecord", false, [](Session& s) { return WriteRecord(s, 7, Record(99)); },
     [](Tree& t) { t["Transactions"].replace(7 * RecordSize, RecordSize, Record(99)); }},
    {"ShrinkToHalf", false, [](Session& s) { return ResizeTransactions(s, RecordCount / 2 * RecordSize); },
     [](Tree& t) { t["Transactions"].resize(RecordCount / 2 * RecordSize); }},
    {"ShrinkBelowTheCutoff", false, [](Session& s) { return ResizeTransactions(s, 12 * RecordSize); },
     [](Tree& t) { t["Transactions"].resize(12 * RecordSize); }},
    {"RewriteScatteredRecords", false,
     [](Session& s) -> HResult {
         for (int number : ScatteredRecords)
             if (HResult r = WriteRecord(s, number, Record(200 + number)); Failed(r))
                 return r;
         return S_OK;
     },
     [](Tree& t) {
         for (int number : ScatteredRecords)
             t["Transactions"].replace(number * RecordSize, RecordSize, Record(200 + number));
     }},
    {"ReadThenRewriteRecords", false,
     [](Session& s) { return ReadAndRewrite(s, ReadRecords, std::size(ReadRecords), 300); },
     [](Tree& t) {
         for (int number : ReadRecords)
             t["Transactions"].replace(number * RecordSize, RecordSize, Record(300 + number));
     }},
    {"CreateAndRename", false,
     [](Session& s) -> HResult {
         TStorage root = s.File->Root();
         TStream budget;
         const std::string data = Bytes(700, 4);
         if (HResult r = root.CreateStream("Budget", budget); Failed(r))
             return r;
         if (HResult r = budget.Write(data.data(), static_cast<std::uint32_t>(data.size())); Failed(r))
             return r;
         return root.RenameElement("Options", "Settings");
     },
     [](Tree& t) {
         t["Budget"] = Bytes(700, 4);
         t["Settings"] = t["Options"];
         t.erase("Options");
     }},
    {"CopyWithinTheFile", false,
     [](Session& s) -> HResult {
         TStorage root = s.File->Root(), accounts, archive;
         if (HResult r = root.OpenStorage("Accounts", accounts); Failed(r))
             return r;
         if (HResult r = root.CreateStorage("Archive", archive); Failed(r))
             return r;
         return accounts.CopyTo(archive);
     },
     [](Tree& t) {
         t["Archive/"] = "";
         t["Archive/Names"] = t["Accounts/Names"];
         t["Archive/Balances"] = t["Accounts/Balances"];
     }},
    {"CopyIntoANewFile", true,
     [](Session& s) -> HResult {
         if (HResult r = TCompoundFile::Create(s.NewPath, s.Created, s.Layer); Failed(r))
             return r;
         TStorage target = s.Created->Root();
         return s.File->Root().CopyTo(target);
     },
     [](Tree&) {}},
};

struct Kind {
    FaultOp Op;
    const char* Name;
};
// The container renames no files; were it to, its renames would be failed too.
const Kind Kinds[] = {
    {FaultOp::Write, "write"}, {FaultOp::Sync, "sync"}, {FaultOp::Truncate, "truncate"}, {FaultOp::Rename, "rename"}};

struct Error {
    int Number;
    HResult Code;
};
const Error Errors[] = {{ENOSPC, STG_E_MEDIUMFULL}, {EIO, STG_E_WRITEFAULT}, {EROFS, STG_E_DISKISWRITEPROTECTED}};

std::string Trace(const Kind& kind, int n, int count, const Error& error) {
    return std::string("failing ") + kind.Name + " " + std::to_string(n) + " of " + std::to_string(count) + " with " +
           ResultName(error.Code);
}

class CommitUnderFaults : public ::testing::TestWithParam<Operation> {
protected:
    void SetUp() override {
        {
            std::unique_ptr<TCompoundFile> file;
            ASSERT_S_OK(TCompoundFile::Create(PreparedPath(), file));
            WriteTree(file->Root(), Prepared());
            ASSERT_S_OK(file->Commit());
        }
        ASSERT_EQ(Differences(ContentsOf(PreparedPath()), Prepared()), "");
        Before = GetParam().MakesFile ? Tree{} : Prepared();
        After = Prepared();
        GetParam().Expect(After);
        ASSERT_NO_FATAL_FAILURE(ReferenceRun());
    }

    static void TearDownTestSuite() {
        std::cout << "[ crash points ] " << SweepCrashPoints + LaterCrashPoints
                  << " crash points tested: " << SweepCrashPoints << " in the sweeps, " << LaterCrashPoints
                  << " after a failed commit\n";
    }

    std::string PreparedPath() const { return Folder.File("prepared.kqk"); }
    std::string WorkPath() const { return Folder.File("work.kqk"); }
    std::string TargetPath() const { return GetParam().MakesFile ? Folder.File("new.kqk") : WorkPath(); }
    std::string NewPath() const { return GetParam().MakesFile ? Folder.File("new.kqk") : ""; }

    // A fresh copy of the prepared file, opened through the session's layer; no new file.
    void OpenWork(Session& session) {
        for (const std::string& path : {WorkPath(), Folder.File("new.kqk")}) {
            fs::remove(path);
            fs::remove(TCompoundFile::JournalPath(path));
        }
        fs::copy_file(PreparedPath(), WorkPath());
        ASSERT_S_OK(TCompoundFile::Open(WorkPath(), StgAccess::ReadWrite, session.File, session.Layer));
    }

    // Runs the operation through a counting layer: how many writes it makes, how many
    // operations of each kind its final commit makes, and whether it gives the state after.
    void ReferenceRun() {
        TFaultyFileSystem layer;
        {
            Session session(layer, NewPath());
            ASSERT_NO_FATAL_FAILURE(OpenWork(session));
            const int writesBefore = layer.Count(FaultOp::Write);
            ASSERT_S_OK(GetParam().Change(session));
            int counts[4];
            for (const Kind& kind : Kinds)
                counts[static_cast<int>(kind.Op)] = layer.Count(kind.Op);
            ASSERT_S_OK(session.Target()->Commit());
            for (const Kind& kind : Kinds)
                CommitCounts[static_cast<int>(kind.Op)] = layer.Count(kind.Op) - counts[static_cast<int>(kind.Op)];
            Writes = layer.Count(FaultOp::Write) - writesBefore;
        }
        Tree contents;
        ASSERT_EQ(ReopenedState(contents), "after");
        ASSERT_GT(CommitCounts[static_cast<int>(FaultOp::Truncate)], 0) << "the commit went through the journal";
    }

    // "before", "after", "later" (when given: the state after a further change), or how the
    // contents differ from each.
    std::string Which(const Tree& contents, const Tree* later = nullptr) const {
        const std::string fromBefore = Differences(contents, Before);
        if (fromBefore.empty())
            return "before";
        const std::string fromAfter = Differences(contents, After);
        if (fromAfter.empty())
            return "after";
        const std::string fromLater = later ? Differences(contents, *later) : "";
        if (later && fromLater.empty())
            return "later";
        return "none of them; against before: " + fromBefore + " against after: " + fromAfter +
               (later ? " against later: " + fromLater : "");
    }

    // What the target holds once reopened through the machine's own file layer, which plays
    // back what a crash left behind: "before", "after", or what is wrong.
    std::string ReopenedState(Tree& contents, const Tree* later = nullptr) {
        const std::string journal = TCompoundFile::JournalPath(TargetPath());
        if (GetParam().MakesFile) {
            if (Differences(ContentsOf(WorkPath()), Prepared()) != "" ||
                fs::exists(TCompoundFile::JournalPath(WorkPath())))
                return "the file copied from was changed";
            // A crash before the new file got its first write leaves no file: nothing was made.
            if (!fs::exists(TargetPath()))
                return fs::exists(journal) ? "a journal without its file" : "before";
        }
        std::unique_ptr<TCompoundFile> file;
        if (HResult r = TCompoundFile::Open(TargetPath(), StgAccess::ReadWrite, file); Failed(r))
            return "does not open: " + ResultName(r);
        contents = Contents(file->Root());
        file.reset();
        if (fs::exists(journal))
            return "a journal remains after reopening";
        return Which(contents, later);
    }

    // With a journal left by a crash, a read-only open must show the state the journal guards
    // and change neither the file nor the journal.
    void CheckReadOnlyOpen() {
        const std::string journal = TCompoundFile::JournalPath(TargetPath());
        if (!fs::exists(journal) || fs::file_size(journal) == 0)
            return;
        const std::string fileBytes = RawFile(TargetPath());
        const std::string journalBytes = RawFile(journal);
        {
            std::unique_ptr<TCompoundFile> file;
            ASSERT_S_OK(TCompoundFile::Open(TargetPath(), StgAccess::ReadOnly, file));
            EXPECT_EQ(Which(Contents(file->Root())), "before") << "read-only, over a hot journal";
        }
        EXPECT_TRUE(RawFile(TargetPath()) == fileBytes) << "a read-only open changed the file";
        EXPECT_TRUE(fs::exists(journal) && RawFile(journal) == journalBytes) << "a read-only open changed the journal";
        ++ReadOnlyChecks;
    }

    TempFolder Folder;
    Tree Before;
    Tree After;
    int Writes = 0;           // by the change and its commit
    int CommitCounts[4] = {}; // by the final commit, by kind
    int ReadOnlyChecks = 0;
    static int SweepCrashPoints;
    static int LaterCrashPoints;
};

int CommitUnderFaults::SweepCrashPoints = 0;
int CommitUnderFaults::LaterCrashPoints = 0;

// A power loss after each write of the operation, the new file's creation included. Past the
// last write (n = Writes + 1) nothing fails, and the file holds the state after.
TEST_P(CommitUnderFaults, CrashAfterEveryWrite) {
    for (int n = 0; n <= Writes + 1; ++n) {
        SCOPED_TRACE("crash after write " + std::to_string(n) + " of " + std::to_string(Writes));
        const bool crashes = n <= Writes;
        {
            TFaultyFileSystem layer;
            Session session(layer, NewPath());
            ASSERT_NO_FATAL_FAILURE(OpenWork(session));
            layer.CrashAfterWrite(n);
            GetParam().Change(session);
            if (TCompoundFile* target = session.Target())
                target->Commit();
            ASSERT_EQ(layer.Crashed(), crashes);
            // The session ends here as a dying process would: what it still does is dropped.
        }
        SweepCrashPoints += crashes;
        ASSERT_NO_FATAL_FAILURE(CheckReadOnlyOpen());
        Tree contents;
        const std::string state = ReopenedState(contents);
        if (crashes) {
            EXPECT_TRUE(state == "before" || state == "after") << state;
        } else {
            EXPECT_EQ(state, "after");
        }
        // The independent reader too: the sweeps are short enough for its pace.
        if (fs::exists(TargetPath())) {
            EXPECT_EQ(OleCheck(TargetPath(), contents), "OK");
        }
        if (HasFailure())
            break; // the first failing crash point says enough
    }
    EXPECT_GT(ReadOnlyChecks, 0) << "no crash left a journal for the read-only open to face";
    RecordProperty("crash_points", Writes + 1);
}

// Each write, sync and truncate of the commit failing once: the caller gets the error, and a
// second commit completes the change.
TEST_P(CommitUnderFaults, FailedCommitReportsTheErrorAndARetryCompletesIt) {
    for (const Kind& kind : Kinds) {
        const int count = CommitCounts[static_cast<int>(kind.Op)];
        for (int n = 1; n <= count; ++n) {
            for (const Error& error : Errors) {
                SCOPED_TRACE(Trace(kind, n, count, error));
                {
                    TFaultyFileSystem layer;
                    Session session(layer, NewPath());
                    ASSERT_NO_FATAL_FAILURE(OpenWork(session));
                    ASSERT_S_OK(GetParam().Change(session));
                    layer.FailAt(kind.Op, n, error.Number);
                    EXPECT_EQ(ResultName(session.Target()->Commit()), ResultName(error.Code));
                    layer.Clear();
                    EXPECT_S_OK(session.Target()->Commit()) << "the retry";
                }
                Tree contents;
                EXPECT_EQ(ReopenedState(contents), "after");
            }
        }
    }
}

// A layer that keeps failing: the caller gives up and closes the file. Up to the journal's
// truncation, the commit point, the file holds the state before; the commit's last sync comes
// after it, so when that one fails the change is already in the file.
TEST_P(CommitUnderFaults, GivingUpAfterPersistentFailuresLeavesOneState) {
    for (const Kind& kind : Kinds) {
        const int count = CommitCounts[static_cast<int>(kind.Op)];
        for (int n = 1; n <= count; ++n) {
            for (const Error& error : Errors) {
                SCOPED_TRACE(Trace(kind, n, count, error) + ", persistently");
                {
                    TFaultyFileSystem layer;
                    Session session(layer, NewPath());
                    ASSERT_NO_FATAL_FAILURE(OpenWork(session));
                    ASSERT_S_OK(GetParam().Change(session));
                    layer.FailAt(kind.Op, n, error.Number, true);
                    EXPECT_EQ(ResultName(session.Target()->Commit()), ResultName(error.Code));
                    EXPECT_EQ(ResultName(session.Target()->Commit()), ResultName(error.Code)) << "the retry";
                }
                const bool pastCommitPoint = kind.Op == FaultOp::Sync && n == count;
                Tree contents;
                EXPECT_EQ(ReopenedState(contents), pastCommitPoint ? "after" : "before");
            }
        }
    }
}

// A change made after a failed commit: a stream that no operation touches grows by a record.
HResult GrowBalances(TCompoundFile& file) {
    TStorage root = file.Root(), accounts;
    TStream balances;
    const std::string record = Record(500);
    if (HResult r = root.OpenStorage("Accounts", accounts); Failed(r))
        return r;
    if (HResult r = accounts.OpenStream("Balances", balances); Failed(r))
        return r;
    return balances.WriteAt(BalancesSize, record.data(), RecordSize);
}

// After a failed commit the program carries on: a further change, then a commit that a crash
// interrupts. The journal must still guard the file: the state is the one before both changes
// or the one after both; or the first change alone when its commit failed past the commit
// point, which left it in the file.
TEST_P(CommitUnderFaults, CommitAfterAFailedOneStaysAtomic) {
    Tree later = After;
    later["Accounts/Balances"] += Record(500);
    const Error error = Errors[1];
    for (const Kind& kind : Kinds) {
        const int count = CommitCounts[static_cast<int>(kind.Op)];
        for (int n = 1; n <= count; ++n) {
            const bool pastCommitPoint = kind.Op == FaultOp::Sync && n == count;
            bool crashed = true;
            for (int k = 0; crashed && k < 100; ++k) {
                SCOPED_TRACE(Trace(kind, n, count, error) + ", then a crash after write " + std::to_string(k) +
                             " of the next commit");
                {
                    TFaultyFileSystem layer;
                    Session session(layer, NewPath());
                    ASSERT_NO_FATAL_FAILURE(OpenWork(session));
                    ASSERT_S_OK(GetParam().Change(session));
                    layer.FailAt(kind.Op, n, error.Number);
                    ASSERT_EQ(ResultName(session.Target()->Commit()), ResultName(error.Code));
                    layer.Clear();
                    ASSERT_S_OK(GrowBalances(*session.Target()));
                    layer.CrashAfterWrite(k);
                    session.Target()->Commit();
                    crashed = layer.Crashed();
                }
                LaterCrashPoints += crashed;
                ASSERT_NO_FATAL_FAILURE(CheckReadOnlyOpen());
                Tree contents;
                const std::string state = ReopenedState(contents, &later);
                if (crashed) {
                    EXPECT_TRUE(state == "before" || state == "later" || (pastCommitPoint && state == "after"))
                        << state;
                } else {
                    EXPECT_EQ(state, "later");
                }
                if (HasFailure())
                    return;
            }
        }
    }
}

// A power loss in the middle of each write of the commit: only the first or the last part of
// its bytes reaches the file (a gathered run of pages torn between two of them or inside one,
// a journal cut short). The file holds the state before or the state after.
TEST_P(CommitUnderFaults, CrashTearingEveryWrite) {
    struct Tear {
        double Share;
        bool Front;
    };
    const Tear tears[] = {{0.5, true}, {0.5, false}, {0.1, true}, {0.9, false}};
    // A new file torn in its very first write never held a document to keep: new files are
    // written under a name of their own and take the final name only once complete.
    for (int n = GetParam().MakesFile ? 2 : 1; n <= Writes; ++n) {
        for (const Tear& tear : tears) {
            SCOPED_TRACE("crash tearing write " + std::to_string(n) + " of " + std::to_string(Writes) + ", " +
                         std::to_string(tear.Share) + (tear.Front ? " of it at the front" : " of it at the back"));
            {
                TFaultyFileSystem layer;
                Session session(layer, NewPath());
                ASSERT_NO_FATAL_FAILURE(OpenWork(session));
                layer.CrashInWrite(n, tear.Share, tear.Front);
                GetParam().Change(session);
                if (TCompoundFile* target = session.Target())
                    target->Commit();
                ASSERT_TRUE(layer.Crashed());
            }
            SweepCrashPoints += 1;
            ASSERT_NO_FATAL_FAILURE(CheckReadOnlyOpen());
            Tree contents;
            const std::string state = ReopenedState(contents);
            EXPECT_TRUE(state == "before" || state == "after") << state;
            if (HasFailure())
                return;
        }
    }
}

// Rewrites records 6 and 8 of the target, reading each first: next to the pages of a commit
// that failed half-way, whose new contents are in the file but not committed. The reads must
// give the records as the failed change left them, and the journal of the next commit the
// committed old contents.
HResult ReadAndRewriteNeighbours(TCompoundFile& file, const std::string& expected) {
    TStream stream;
    if (HResult r = file.Root().OpenStream("Transactions", stream); Failed(r))
        return r;
    for (int number : {6, 8}) {
        std::string old(RecordSize, '\0');
        std::uint32_t read = 0;
        if (HResult r = stream.ReadAt(std::uint64_t(number) * RecordSize, old.data(), RecordSize, &read); Failed(r))
            return r;
        if (old != expected.substr(std::size_t(number) * RecordSize, RecordSize))
            return STG_E_DOCFILECORRUPT;
        const std::string record = Record(600 + number);
        if (HResult r = stream.WriteAt(std::uint64_t(number) * RecordSize, record.data(), RecordSize); Failed(r))
            return r;
    }
    return S_OK;
}

TEST_P(CommitUnderFaults, ReadingNextToAFailedCommitStaysAtomic) {
    Tree later = After;
    for (int number : {6, 8})
        later["Transactions"].replace(number * RecordSize, RecordSize, Record(600 + number));
    const int count = CommitCounts[static_cast<int>(FaultOp::Write)];
    for (int n = 1; n <= count; ++n) {
        bool crashed = true;
        for (int k = 0; crashed && k < 100; ++k) {
            SCOPED_TRACE("failing write " + std::to_string(n) + " of " + std::to_string(count) +
                         ", then a crash after write " + std::to_string(k) + " of the next commit");
            {
                TFaultyFileSystem layer;
                Session session(layer, NewPath());
                ASSERT_NO_FATAL_FAILURE(OpenWork(session));
                ASSERT_S_OK(GetParam().Change(session));
                layer.FailAt(FaultOp::Write, n, EIO);
                ASSERT_EQ(ResultName(session.Target()->Commit()), ResultName(STG_E_WRITEFAULT));
                layer.Clear();
                ASSERT_S_OK(ReadAndRewriteNeighbours(*session.Target(), After.at("Transactions")));
                layer.CrashAfterWrite(k);
                session.Target()->Commit();
                crashed = layer.Crashed();
            }
            LaterCrashPoints += crashed;
            Tree contents;
            const std::string state = ReopenedState(contents, &later);
            if (crashed) {
                EXPECT_TRUE(state == "before" || state == "later") << state;
            } else {
                EXPECT_EQ(state, "later");
            }
            if (HasFailure())
                return;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(FaultInjection, CommitUnderFaults, ::testing::ValuesIn(Operations),
                         [](const ::testing::TestParamInfo<Operation>& info) { return std::string(info.param.Name); });

} // namespace
} // namespace qz::cfb::testing
