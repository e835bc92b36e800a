// Crash safety on a real document: a child process (kill_child) runs a seeded script of edits
// of every kind through the core's operations, then closes with compaction and a backup. Run
// once whole, it tells the digest of the document after each edit. Then, for each kind of
// edit, it is started again and again on a fresh copy and killed with SIGKILL inside an edit
// of that kind: at an exact file operation of its commit, or after a random delay. Each time
// the document it leaves must load (its journal played back), pass the document check, and
// hold exactly the edits the child reported committed, or those and the one in flight.

#include "LedgerDigest.h"

#include "engine/Generator.h"
#include "filters/GeneratedDocument.h"
#include "platform/ScriptedPrompts.h"
#include "storage/DocumentCheck.h"
#include "storage/FileConvert.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <poll.h>
#include <random>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace qz::crash {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// ---- A folder of its own ---------------------------------------------------------------------

struct TScratch {
    TScratch() {
        std::string pattern = (fs::temp_directory_path() / "qz-kill-XXXXXX").string();
        Path = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TScratch() {
        std::error_code ignored;
        fs::remove_all(Path, ignored);
    }
    fs::path Path;
};

// ---- The child -------------------------------------------------------------------------------

// What the child said, line by line, and how it ended.
struct TChildRun {
    std::vector<std::string> Digests;     // [0] as opened, [i] after edit i
    std::vector<std::string> Kinds;       // [i] the kind of edit i ([0] "open")
    std::vector<long long> OpsAtBegin;    // [i] the file operations before edit i
    std::vector<double> BeginSeconds;     // [i] when edit i began, from the start
    std::vector<double> CommittedSeconds; // [i] when it was reported committed
    long long OpsAtEnd = 0;
    bool Done = false;
    int Status = 0;
    std::string Output;

    // The last edit reported committed: 0 for the document as opened, -1 for not even that.
    int LastCommitted() const { return static_cast<int>(Digests.size()) - 1; }
    // The edit under way when the child stopped (its "begin" came, its "committed" did not).
    std::optional<int> InFlight() const {
        const int begun = static_cast<int>(Kinds.size()) - 1;
        return begun > LastCommitted() ? std::optional<int>(begun) : std::nullopt;
    }
    bool Killed() const { return WIFSIGNALED(Status) && WTERMSIG(Status) == SIGKILL; }
};

class TChild {
public:
    // Starts the child on `document`; `killAtOp` > 0 makes it kill itself before that file operation.
    TChild(const fs::path& document, long long killAtOp, bool openOnly = false) {
        int pipeEnds[2];
        if (::pipe(pipeEnds) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
        std::vector<std::string> environment;
        for (char** e = environ; *e; ++e)
            if (std::strncmp(*e, "QZ_KILL_AT_OP=", 14) != 0 && std::strncmp(*e, "QZ_OPEN_ONLY=", 13) != 0)
                environment.emplace_back(*e);
        if (killAtOp > 0)
            environment.push_back("QZ_KILL_AT_OP=" + std::to_string(killAtOp));
        if (openOnly)
            environment.push_back("QZ_OPEN_ONLY=1");
        std::vector<char*> envp;
        for (std::string& e : environment)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        std::string program = QZ_KILL_CHILD;
        std::string path = document.string();
        std::string seed = "20261211";
        char* argv[] = {program.data(), path.data(), seed.data(), nullptr};
        Started = Clock::now();
        if (posix_spawn(&Pid, program.c_str(), &actions, nullptr, argv, envp.data()) != 0)
            Pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipeEnds[1]);
        Fd = pipeEnds[0];
    }
    ~TChild() {
        if (Pid > 0) {
            ::kill(Pid, SIGKILL);
            ::waitpid(Pid, nullptr, 0);
        }
        if (Fd >= 0)
            ::close(Fd);
    }
    TChild(const TChild&) = delete;
    TChild& operator=(const TChild&) = delete;

    bool Running() const { return Pid > 0; }

    // Reads and takes in the child's lines until `stop` says so or the output ends. False on
    // a child that says nothing for a long time (it is killed then).
    bool ReadUntil(TChildRun& run, const std::function<bool(const TChildRun&)>& stop) {
        while (!stop(run)) {
            const std::size_t newline = Pending.find('\n');
            if (newline != std::string::npos) {
                TakeLine(run, Pending.substr(0, newline));
                Pending.erase(0, newline + 1);
                continue;
            }
            pollfd p{Fd, POLLIN, 0};
            if (::poll(&p, 1, 60'000) <= 0) {
                run.Output += "(the child hung)\n";
                return false;
            }
            char buffer[4096];
            const ssize_t got = ::read(Fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return true;
            Pending.append(buffer, static_cast<std::size_t>(got));
        }
        return true;
    }

    void Kill() { ::kill(Pid, SIGKILL); }

    // Reads the rest of the output and waits for the child's end.
    bool Finish(TChildRun& run) {
        const bool read = ReadUntil(run, [](const TChildRun&) { return false; });
        if (!read)
            Kill();
        ::waitpid(Pid, &run.Status, 0);
        Pid = -1;
        return read;
    }

private:
    double Seconds() const { return std::chrono::duration<double>(Clock::now() - Started).count(); }

    void TakeLine(TChildRun& run, const std::string& line) {
        run.Output += line + '\n';
        std::istringstream in(line);
        std::string word;
        in >> word;
        if (word == "opened") {
            run.Digests.emplace_back();
            in >> run.Digests.back();
            run.Kinds = {"open"};
            run.OpsAtBegin = {0};
            run.BeginSeconds = {0};
            run.CommittedSeconds = {Seconds()};
        } else if (word == "begin") {
            int index = 0;
            run.Kinds.emplace_back();
            run.OpsAtBegin.emplace_back();
            in >> index >> run.Kinds.back() >> run.OpsAtBegin.back();
            run.BeginSeconds.push_back(Seconds());
        } else if (word == "committed") {
            int index = 0;
            run.Digests.emplace_back();
            in >> index >> run.Digests.back();
            run.CommittedSeconds.push_back(Seconds());
        } else if (word == "done") {
            in >> run.OpsAtEnd;
            run.Done = true;
        }
    }

    pid_t Pid = -1;
    int Fd = -1;
    std::string Pending;
    Clock::time_point Started;
};

// ---- The document as a new program run finds it ----------------------------------------------

// Opened as the window opens it (a journal left by the crash is played back first), its digest;
// the messages shown go to `messages`. Empty when it did not open.
std::string ReopenedDigest(const fs::path& path, std::vector<std::string>& messages) {
    TLedger ledger;
    ScriptedPrompts prompts;
    PreparedQuestions questions;
    FixedClock clock(EncodeDate(2026, 12, 11));
    FixedDrives drive;
    TFileManager files(ledger, prompts, questions, clock, drive);
    TFileConvert convert(files, ledger, prompts, questions, clock);
    files.ConnectLists();
    std::string digest;
    if (convert.OpenDocument(path.string()).Opened && !files.ReadOnlyMode)
        digest = DocumentDigest(files, ledger);
    files.Close(true, false);
    for (const auto& m : prompts.Messages)
        messages.push_back(m.Text);
    return digest;
}

// The document check's problems, one per line; "" for a clean file.
std::string CheckProblems(const fs::path& path) {
    TDocumentCheck check;
    if (check.Run(path.string()))
        return "";
    std::string problems = "unreadable: " + std::to_string(check.Unreadable) + "\n";
    for (const std::string& p : check.Problems)
        problems += p + '\n';
    return problems;
}

// The deleted records the record streams of a document still hold.
int Tombstones(const fs::path& path) {
    std::unique_ptr<cfb::TCompoundFile> file;
    if (cfb::Failed(cfb::TCompoundFile::Open(path.string(), cfb::StgAccess::ReadOnly, file)))
        return -1;
    int tombstones = 0;
    for (int i = 0; i < 6; ++i) {
        const auto kind = static_cast<TRecordStream>(i);
        cfb::TStream stream;
        std::string data;
        if (cfb::Failed(file->Root().OpenStream(RecordStreamNames[i], stream)) || cfb::Failed(stream.ReadAll(data)))
            return -1;
        for (std::size_t at = 0; at + RecordSizes[kind] <= data.size(); at += RecordSizes[kind])
            tombstones += IsTombstone(kind, reinterpret_cast<const std::uint8_t*>(data.data() + at)) ? 1 : 0;
    }
    return tombstones;
}

fs::path BackupOf(const fs::path& document) {
    return TFileManager::BackupPathOf(document.string());
}

// ---- The fixture: a generated document and the uninterrupted run --------------------------------

class KillTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Pristine = new TScratch;
        Reference = new TChildRun;
        TLedger ledger;
        TDocumentContent content;
        TGeneratorOptions options;
        options.Seed = 19;
        options.Transactions = 600;
        GenerateDocument(ledger, options, "GST", content);
        ScriptedPrompts prompts;
        ASSERT_TRUE(WriteGeneratedDocument(PristinePath().string(), ledger, content, prompts));
        TScratch scratch;
        const fs::path document = CopyOfPristine(scratch);
        TChild child(document, 0);
        ASSERT_TRUE(child.Running());
        ASSERT_TRUE(child.Finish(*Reference)) << Reference->Output;
    }
    static void TearDownTestSuite() {
        delete Reference;
        delete Pristine;
    }

    static fs::path PristinePath() { return Pristine->Path / "Generated Books.kqk"; }
    static fs::path CopyOfPristine(const TScratch& scratch) {
        const fs::path copy = scratch.Path / "Books.kqk";
        fs::copy_file(PristinePath(), copy, fs::copy_options::overwrite_existing);
        return copy;
    }

    static inline TScratch* Pristine = nullptr;
    static inline TChildRun* Reference = nullptr;
};

TEST_F(KillTest, AnUninterruptedRunStoresEveryEditAndAFreshBackup) {
    const TChildRun& run = *Reference;
    ASSERT_TRUE(run.Done && WIFEXITED(run.Status) && WEXITSTATUS(run.Status) == 0) << run.Output;
    const std::vector<std::string> kinds{"add",      "change",    "delete",   "split",
                                         "transfer", "reconcile", "renumber", "import"};
    // Two rounds of every kind, then the close; every edit changes the document, the close does not.
    ASSERT_EQ(run.Kinds.size(), 2 * kinds.size() + 2) << run.Output;
    for (const std::string& kind : kinds)
        EXPECT_EQ(std::count(run.Kinds.begin(), run.Kinds.end(), kind), 2) << kind;
    ASSERT_EQ(run.Digests.size(), run.Kinds.size());
    for (std::size_t i = 1; i + 1 < run.Digests.size(); ++i)
        EXPECT_NE(run.Digests[i], run.Digests[i - 1]) << "edit " << i << " (" << run.Kinds[i] << ") changed nothing";
    EXPECT_EQ(run.Digests.back(), run.Digests[run.Digests.size() - 2]);
    // Opening writes nothing; every edit and the close write.
    EXPECT_EQ(run.OpsAtBegin[1], 0);
    for (std::size_t i = 2; i < run.OpsAtBegin.size(); ++i)
        EXPECT_LT(run.OpsAtBegin[i - 1], run.OpsAtBegin[i]) << "edit " << i - 1 << " wrote nothing";
    EXPECT_LT(run.OpsAtBegin.back(), run.OpsAtEnd);

    // Do it again to look at the files it leaves: the deletions left records marked deleted,
    // which the close compacted away.
    TScratch scratch;
    const fs::path beforeClose = CopyOfPristine(scratch);
    TChildRun stopped;
    TChild stopping(beforeClose, run.OpsAtBegin.back() + 1);
    ASSERT_TRUE(stopping.Finish(stopped));
    ASSERT_TRUE(stopped.Killed()) << stopped.Output;
    EXPECT_GT(Tombstones(beforeClose), 0);
    TScratch another;
    const fs::path document = CopyOfPristine(another);
    TChildRun again;
    TChild child(document, 0);
    ASSERT_TRUE(child.Finish(again));
    EXPECT_EQ(Tombstones(document), 0);
    EXPECT_EQ(again.Digests, run.Digests) << "the script is not the same every time";
    EXPECT_EQ(again.OpsAtEnd, run.OpsAtEnd);
    for (const fs::path& file : {document, BackupOf(document)}) {
        SCOPED_TRACE(file.string());
        EXPECT_EQ(CheckProblems(file), "");
        std::vector<std::string> messages;
        EXPECT_EQ(ReopenedDigest(file, messages), run.Digests.back());
        EXPECT_EQ(messages, std::vector<std::string>());
    }
    EXPECT_FALSE(fs::exists(fs::path(document.string() + "-journal")));
}

// ---- Kills ---------------------------------------------------------------------------------------

struct TKillCase {
    const char* Kind;
    std::uint64_t Seed;
};
void PrintTo(const TKillCase& c, std::ostream* out) {
    *out << c.Kind;
}

// A journal with contents beside the document: a commit was under way.
bool HotJournal(const fs::path& document) {
    std::error_code error;
    const auto size = fs::file_size(document.string() + "-journal", error);
    return !error && size > 0;
}

// What the kills of one kind came to.
struct TKillFigures {
    int Runs = 0;
    int Killed = 0;
    int HotJournals = 0;    // kills that left a commit half done, for the reopening to undo
    int PlaybackKills = 0;  // kills of a second run while it played such a journal back
    int HotAtOperation = 0; // of the hot journals, those of kills at a file operation
};

class KillsInside : public KillTest, public ::testing::WithParamInterface<TKillCase> {
protected:
    // Kills per kind: half at a file operation, half after a random delay.
    static constexpr int Kills = 24;

    // Runs the child on a fresh copy and kills it inside edit `edit`, then checks what it left.
    // A kill at a file operation that leaves a half-done commit is followed, every other time,
    // by a second run that only opens the document and is killed while it plays the journal back.
    void KillOnce(int edit, bool atOperation, std::mt19937_64& random, TKillFigures& figures) {
        const TChildRun& ref = *Reference;
        TScratch scratch;
        const fs::path document = CopyOfPristine(scratch);
        TChildRun run;
        std::ostringstream how;
        const long long lastOp = static_cast<std::size_t>(edit) + 1 < ref.OpsAtBegin.size()
                                     ? ref.OpsAtBegin[static_cast<std::size_t>(edit) + 1]
                                     : ref.OpsAtEnd;
        if (atOperation) {
            const long long op = std::uniform_int_distribution<long long>(
                ref.OpsAtBegin[static_cast<std::size_t>(edit)] + 1, lastOp)(random);
            how << "killed before file operation " << op;
            TChild child(document, op);
            EXPECT_TRUE(child.Finish(run)) << run.Output;
            // Playing back writes the old pages, cuts the file, syncs and removes the journal.
            const long long playbackOp = std::uniform_int_distribution<long long>(1, 4)(random);
            const bool hot = run.Killed() && HotJournal(document);
            figures.HotJournals += hot ? 1 : 0;
            if (hot && figures.HotAtOperation++ % 2 == 0) {
                how << ", then killed again before file operation " << playbackOp << " of opening";
                TChildRun second;
                TChild opening(document, playbackOp, true);
                EXPECT_TRUE(opening.Finish(second)) << second.Output;
                EXPECT_TRUE(second.Killed() || second.Digests.size() == 1) << second.Output;
                figures.PlaybackKills += second.Killed() && second.Digests.empty() ? 1 : 0;
            }
        } else {
            // From the moment the edit begins until a little after its commit was reported.
            const double took =
                ref.CommittedSeconds[static_cast<std::size_t>(edit)] - ref.BeginSeconds[static_cast<std::size_t>(edit)];
            const auto delay = std::chrono::microseconds(
                std::uniform_int_distribution<long long>(0, static_cast<long long>(took * 1.25e6) + 200)(random));
            how << "killed " << delay.count() << " us after edit " << edit << " began";
            TChild child(document, 0);
            const bool begun =
                child.ReadUntil(run, [&](const TChildRun& r) { return static_cast<int>(r.Kinds.size()) > edit; });
            EXPECT_TRUE(begun) << run.Output;
            std::this_thread::sleep_for(delay);
            child.Kill();
            EXPECT_TRUE(child.Finish(run)) << run.Output;
        }
        if (!atOperation && run.Killed() && HotJournal(document))
            ++figures.HotJournals;
        ExpectAPrefix(document, run, how.str());
        ++figures.Runs;
        figures.Killed += run.Killed() ? 1 : 0;
    }

    // The document holds the edits reported committed, or those and the one in flight; it passes
    // the check before and after its journal is played back; a backup, if made, is whole.
    void ExpectAPrefix(const fs::path& document, const TChildRun& run, const std::string& how) {
        const TChildRun& ref = *Reference;
        SCOPED_TRACE(how + "; the child said:\n" + run.Output);
        ASSERT_FALSE(WIFEXITED(run.Status) && WEXITSTATUS(run.Status) != 0) << "the child failed";
        const int committed = std::max(run.LastCommitted(), 0);
        EXPECT_EQ(CheckProblems(document), "") << "as the kill left it";
        std::vector<std::string> messages;
        const std::string digest = ReopenedDigest(document, messages);
        const std::size_t at = static_cast<std::size_t>(committed);
        const bool prefix = digest == ref.Digests[at] || (at + 1 < ref.Digests.size() && digest == ref.Digests[at + 1]);
        EXPECT_TRUE(prefix) << "the document holds " << (digest.empty() ? "nothing it could open" : digest)
                            << ", not the edits up to " << committed << " or " << committed + 1;
        EXPECT_EQ(messages, std::vector<std::string>()) << "opening after the kill";
        EXPECT_EQ(CheckProblems(document), "") << "after the journal was played back";
        EXPECT_FALSE(fs::exists(fs::path(document.string() + "-journal")));
        if (fs::exists(BackupOf(document))) {
            std::vector<std::string> backupMessages;
            EXPECT_EQ(CheckProblems(BackupOf(document)), "") << "the backup";
            EXPECT_EQ(ReopenedDigest(BackupOf(document), backupMessages), ref.Digests.back()) << "the backup";
        }
    }
};

TEST_P(KillsInside, EveryKillLeavesAPrefixOfTheCommittedEdits) {
    const TChildRun& ref = *Reference;
    ASSERT_TRUE(ref.Done) << ref.Output;
    std::vector<int> edits;
    for (std::size_t i = 1; i < ref.Kinds.size(); ++i)
        if (ref.Kinds[i] == GetParam().Kind)
            edits.push_back(static_cast<int>(i));
    ASSERT_FALSE(edits.empty());
    std::mt19937_64 random(GetParam().Seed);
    TKillFigures figures;
    // A delay past the end of the run lets the child finish: runs go on until enough died of
    // the kill (the kills at a file operation alone would be enough).
    for (int k = 0; figures.Killed < Kills && k < 2 * Kills && !HasFailure(); ++k) {
        const int edit = edits[static_cast<std::size_t>(k) % edits.size()];
        KillOnce(edit, k % 2 == 0, random, figures);
    }
    EXPECT_EQ(figures.Killed, Kills);
    EXPECT_GT(figures.HotJournals, 0) << "no kill landed inside a commit";
    std::cout << "[ kills    ] " << GetParam().Kind << ": " << figures.Killed << " of " << figures.Runs
              << " runs killed, " << figures.HotJournals << " inside a commit, " << figures.PlaybackKills
              << " more while the journal was played back\n";
}

INSTANTIATE_TEST_SUITE_P(EveryKind, KillsInside,
                         ::testing::Values(TKillCase{"add", 1}, TKillCase{"change", 2}, TKillCase{"delete", 3},
                                           TKillCase{"split", 4}, TKillCase{"transfer", 5}, TKillCase{"reconcile", 6},
                                           TKillCase{"renumber", 7}, TKillCase{"import", 8}, TKillCase{"close", 9}),
                         [](const ::testing::TestParamInfo<TKillCase>& info) { return info.param.Kind; });

} // namespace
} // namespace qz::crash
