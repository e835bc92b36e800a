// The child of the kill test: opens a document as the window does and runs a fixed, seeded
// script of edits through the operations the windows call, then closes the document with its
// compaction and backup. After each edit has committed it says so on one line, flushed:
//
//   opened <digest>                      the document as opened
//   begin <index> <kind> <file ops>      an edit starts (file ops: the count so far)
//   committed <index> <digest>           it is on disk; the digest of what memory holds
//   done <file ops>
//
// With QZ_KILL_AT_OP=n in the environment the child kills itself with SIGKILL just before its
// n-th file operation (write, sync, truncate, rename or remove), counted from the start: a
// crash at an exact place inside a commit.
//
// With QZ_OPEN_ONLY=1 it only opens the document (playing back a journal a kill left) and
// closes it again without saving.
//
// Usage: kill_child DOCUMENT SEED

#include "LedgerDigest.h"

#include "edit/AccessCheck.h"
#include "edit/CategoryEdit.h"
#include "edit/Reconcile.h"
#include "edit/StatementImport.h"
#include "edit/TransactionSession.h"
#include "edit/TransferEdit.h"
#include "engine/Engine.h"
#include "ledger/DateTime.h"
#include "platform/ScriptedPrompts.h"
#include "storage/FileConvert.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>
#include <vector>

namespace qz::crash {
namespace {

// ---- The file layer that kills at a chosen operation ------------------------------------------

class TKillingFileSystem : public cfb::TFileSystem {
public:
    explicit TKillingFileSystem(long long killAt) : KillAt(killAt) {}

    // Counts an operation; at the chosen one the process dies before doing it.
    void Step() {
        if (++Ops == KillAt)
            std::raise(SIGKILL);
    }
    long long Ops = 0;

    int Open(const std::string& path, cfb::OpenKind kind, std::unique_ptr<cfb::TFile>& file) override;
    int Rename(const std::string& from, const std::string& to) override {
        Step();
        return Inner.Rename(from, to);
    }
    int Remove(const std::string& path) override {
        Step();
        return Inner.Remove(path);
    }
    bool Exists(const std::string& path) override { return Inner.Exists(path); }
    int SyncFolderOf(const std::string& path) override {
        Step();
        return Inner.SyncFolderOf(path);
    }

private:
    cfb::TFileSystem& Inner = cfb::TFileSystem::Posix();
    long long KillAt;
};

class TKillingFile : public cfb::TFile {
public:
    TKillingFile(std::unique_ptr<cfb::TFile> inner, TKillingFileSystem& fs) : Inner(std::move(inner)), Fs(fs) {}
    int PRead(void* buffer, std::size_t size, std::uint64_t offset, std::size_t& got) override {
        return Inner->PRead(buffer, size, offset, got);
    }
    int PWrite(const void* buffer, std::size_t size, std::uint64_t offset) override {
        Fs.Step();
        return Inner->PWrite(buffer, size, offset);
    }
    int PWriteV(const cfb::TWritePiece* pieces, std::size_t count, std::uint64_t offset) override {
        Fs.Step();
        return Inner->PWriteV(pieces, count, offset);
    }
    int Sync() override {
        Fs.Step();
        return Inner->Sync();
    }
    int Truncate(std::uint64_t size) override {
        Fs.Step();
        return Inner->Truncate(size);
    }
    int Size(std::uint64_t& size) override { return Inner->Size(size); }
    int LockExclusive() override { return Inner->LockExclusive(); }
    int LockShared() override { return Inner->LockShared(); }

private:
    std::unique_ptr<cfb::TFile> Inner;
    TKillingFileSystem& Fs;
};

int TKillingFileSystem::Open(const std::string& path, cfb::OpenKind kind, std::unique_ptr<cfb::TFile>& file) {
    std::unique_ptr<cfb::TFile> inner;
    const int error = Inner.Open(path, kind, inner);
    if (error == 0)
        file = std::make_unique<TKillingFile>(std::move(inner), *this);
    return error;
}

// ---- The document and the user's answers ------------------------------------------------------

// The user asked for every change: the deletion confirmation is answered "Delete".
class TConfirmingDialogs : public TEditDialogs {
public:
    bool ConfirmDelete() override { return true; }
};

// The kind chooser answers with the kind the script wants; no name is given.
class TKindAnswer : public TTransactionDialogs {
public:
    std::uint8_t Kind = TransCredit;
    int ChooseKind(const std::string&, const std::string&) override { return Kind == TransDebit ? 1 : 0; }
    bool InputName(const std::string&, const std::string&, std::string&, Money&,
                   const std::function<bool(std::string&)>&) override {
        return false;
    }
};

enum class TEditKind { Add, Change, Delete, Split, Transfer, Reconcile, Renumber, Import };
constexpr const char* KindNames[] = {"add", "change", "delete", "split", "transfer", "reconcile", "renumber", "import"};

class TScript {
public:
    TScript(const std::string& path, std::uint64_t seed, long long killAt)
        : Path(path), Random(seed), Fs(killAt), Files(Ledger, Ask, Questions, Time, Drives::System(), Fs),
          Convert(Files, Ledger, Ask, Questions, Time, Fs),
          Access(Files.Settings, [](const std::string&) { return false; }), Edit{Files, Ledger, Access, Ask, Dialogs} {
        Files.ConnectLists();
    }

    int Run();

private:
    bool Fail(const std::string& what) {
        std::cerr << "kill_child: " << what << ": " << Ask.LastText() << std::endl;
        return false;
    }
    bool RunEdit(TEditKind kind);
    bool Committed(const TEditOutcome& outcome, const char* what) {
        if (!outcome.Done())
            return Fail(what);
        Recalculate(Ledger);
        return true;
    }

    // ---- Choices ----
    std::int32_t Pick(std::int32_t count) {
        return static_cast<std::int32_t>(std::uniform_int_distribution<std::int32_t>(0, count - 1)(Random));
    }
    TDateTime Day() { return EncodeDate(2024, 1, 1) + Pick(180); }
    Money Amount() { return Money::FromCents(1 + Pick(250000)); }
    std::int32_t Account() { return Ledger.BookList.Items(Pick(Ledger.BookList.Count()))->Number; }
    std::int32_t OtherAccount(std::int32_t account) {
        std::int32_t other = account;
        while (other == account)
            other = Account();
        return other;
    }
    // A category of that side, not a tax one, with its first sub category.
    TImportCategory Category(std::uint8_t side);
    // The key index of an unsplit credit or debit transaction.
    std::int32_t OrdinaryTransaction();

    // ---- The edits ----
    bool Add();
    bool Change();
    bool Delete();
    bool Split();
    bool Transfer();
    bool Reconcile();
    bool Renumber();
    bool Import();
    bool CloseWithBackup();
    void EnterSplit(TTransactionSession& s, std::uint8_t side, std::int32_t account, TDateTime date);

    std::string Path;
    std::mt19937_64 Random;
    TLedger Ledger;
    ScriptedPrompts Ask; // the first button: OK, Yes, Retry
    PreparedQuestions Questions;
    SystemClock Time;
    TKillingFileSystem Fs;
    TFileManager Files;
    TFileConvert Convert;
    TAccessCheck Access;
    TConfirmingDialogs Dialogs;
    TEditContext Edit;
    TDisplayFormats Formats;
    TKindAnswer KindAnswer;
};

TImportCategory TScript::Category(std::uint8_t side) {
    std::vector<TImportCategory> choices;
    for (const TSubActRec* sub : Ledger.SubActList.KeyList) {
        const TMainActRec* category = Ledger.MainActList.FindByNumber(sub->MainAct);
        if (category && category->Side == side && !IsTaxCategory(Ledger, category->Number))
            choices.push_back({sub->MainAct, sub->Number, 0});
    }
    TImportCategory chosen = choices.at(static_cast<std::size_t>(Pick(static_cast<std::int32_t>(choices.size()))));
    chosen.Group = static_cast<std::uint16_t>(Ledger.GroupList.Items(Pick(Ledger.GroupList.Count()))->Number);
    return chosen;
}

std::int32_t TScript::OrdinaryTransaction() {
    std::vector<std::int32_t> indices;
    for (std::int32_t i = 0; i < Ledger.TransList.Count(); ++i)
        if (const TTransRec* t = Ledger.TransList.Items(i); t->IsOrdinary() && t->Split == '0')
            indices.push_back(i);
    return indices.at(static_cast<std::size_t>(Pick(static_cast<std::int32_t>(indices.size()))));
}

void TScript::EnterSplit(TTransactionSession& s, std::uint8_t side, std::int32_t account, TDateTime date) {
    const TImportCategory category = Category(side);
    s.SetCategory(category.MainAct, false);
    s.SetSubCategory(category.SubAct);
    s.SetGroup(category.Group);
    s.SetAccount(account);
    s.SetDate(date);
    s.SetPercentMode(true);
    s.SetAmount(Amount());
    s.AmountExit();
}

// New transactions are left unreconciled, for the reconciling to find.
bool TScript::Add() {
    KindAnswer.Kind = Pick(2) ? TransDebit : TransCredit;
    TTransactionSession s(Edit, KindAnswer, Formats, Time, {false, true, true, false});
    if (!s.Open(TTransMode::New, -1))
        return Fail("add: the editor did not open");
    const std::uint8_t side = KindAnswer.Kind == TransDebit ? SideDebit : SideCredit;
    EnterSplit(s, side, Account(), Day());
    s.SetReference("ADD-" + std::to_string(Pick(10000)));
    if (!s.OK() || !s.Result().Saved)
        return Fail("add");
    Recalculate(Ledger);
    return true;
}

bool TScript::Change() {
    TTransactionSession s(Edit, KindAnswer, Formats, Time);
    s.Open(TTransMode::Index, OrdinaryTransaction());
    if (!s.Unlock())
        return Fail("change: unlock");
    s.SetNotes("changed " + std::to_string(Pick(10000)));
    s.SetDate(Day());
    s.SetAmount(Amount());
    s.AmountExit();
    if (!s.OK() || !s.Result().Saved)
        return Fail("change");
    Recalculate(Ledger);
    return true;
}

bool TScript::Delete() {
    TTransactionSession s(Edit, KindAnswer, Formats, Time);
    s.Open(TTransMode::Index, OrdinaryTransaction());
    if (!s.DeleteTransaction())
        return Fail("delete");
    Recalculate(Ledger);
    return true;
}

// An unsplit transaction becomes three splits, the new ones on the same side.
bool TScript::Split() {
    TTransactionSession s(Edit, KindAnswer, Formats, Time);
    s.Open(TTransMode::Index, OrdinaryTransaction());
    if (!s.Unlock())
        return Fail("split: unlock");
    const std::uint8_t side = s.Kind() == TransDebit ? SideDebit : SideCredit;
    const std::int32_t account = *s.Fields().Account;
    const TDateTime date = s.Fields().Date;
    s.Split();
    EnterSplit(s, side, account, date);
    s.AddSplit();
    EnterSplit(s, side, OtherAccount(account), date);
    if (s.Tabs().size() != 3)
        return Fail("split: the tabs");
    if (!s.OK() || !s.Result().Saved)
        return Fail("split");
    Recalculate(Ledger);
    return true;
}

bool TScript::Transfer() {
    TTransferFields fields;
    fields.FromAccount = Account();
    fields.ToAccount = OtherAccount(*fields.FromAccount);
    fields.Date = Day();
    fields.Amount = Amount();
    fields.Reference = "TR-" + std::to_string(Pick(1000));
    fields.Notes = "moved";
    return Committed(AddTransfer(Edit, fields, Formats), "transfer");
}

// About half the unreconciled rows ticked (a split follows its row), reconciled in one commit.
bool TScript::Reconcile() {
    Recalculate(Ledger);
    TReconciliation r(Edit, Formats);
    if (r.Empty())
        return Fail("reconcile: nothing to reconcile");
    for (std::size_t row = 0; row < r.Rows().size(); ++row)
        if (r.Rows()[row].Kind != TReconcileRowKind::Part && Pick(2))
            r.Toggle(row);
    if (!r.CanReconcile())
        r.Toggle(0);
    return Committed(r.ReconcileNow(), "reconcile");
}

// A category in use takes the next free number: it, its sub categories and its transactions.
bool TScript::Renumber() {
    std::vector<std::int32_t> used;
    for (const TTransRec* t : Ledger.TransList.KeyList)
        if (t->IsOrdinary() && !IsTaxCategory(Ledger, t->MainAct))
            used.push_back(t->MainAct);
    const std::int32_t number = used.at(static_cast<std::size_t>(Pick(static_cast<std::int32_t>(used.size()))));
    const std::int32_t index = Ledger.MainActList.IndexOfNumber(number);
    const TMainActRec& category = *Ledger.MainActList.Items(index);
    TCategoryFields fields{number, std::string(category.Name.View()), category.Side, category.CatType};
    do
        ++fields.Number;
    while (!CategoryRefusal(Ledger, fields, &category).Text.empty());
    TCategoryChanges changes;
    if (!Committed(ChangeCategory(Edit, index, fields, &changes), "renumber"))
        return false;
    return changes.Number || Fail("renumber: not renumbered");
}

// A statement of a few lines into one account, one of them a transfer to another.
bool TScript::Import() {
    const std::int32_t account = Account();
    std::vector<TImportEntry> entries;
    const int lines = 3 + Pick(4);
    for (int line = 1; line <= lines; ++line) {
        TImportEntry entry;
        entry.Line.Line = line;
        entry.Line.Date = Day();
        const std::int64_t cents = Amount().Raw() / 100;
        entry.Line.Cents = Pick(2) ? cents : -cents;
        entry.Line.Reference = "ST-" + std::to_string(line);
        entry.Line.Payee = "Payee " + std::to_string(Pick(50));
        entry.Line.Cleared = Pick(4) != 0;
        entry.Category = Category(entry.Line.Cents > 0 ? SideCredit : SideDebit);
        if (line == 2)
            entry.TransferAccount = OtherAccount(account);
        entries.push_back(entry);
    }
    return Committed(ImportStatement(Edit, account, entries), "import");
}

bool TScript::CloseWithBackup() {
    Files.AutoBackup = true;
    if (!Files.Close(true, true))
        return Fail("close");
    if (!Ask.Messages.empty() && Ask.Messages.back().Kind == MsgKind::Error)
        return Fail("close: an error was shown");
    return true;
}

bool TScript::RunEdit(TEditKind kind) {
    switch (kind) {
    case TEditKind::Add:
        return Add();
    case TEditKind::Change:
        return Change();
    case TEditKind::Delete:
        return Delete();
    case TEditKind::Split:
        return Split();
    case TEditKind::Transfer:
        return Transfer();
    case TEditKind::Reconcile:
        return Reconcile();
    case TEditKind::Renumber:
        return Renumber();
    case TEditKind::Import:
        return Import();
    }
    return false;
}

// Two rounds of every kind of edit, each round in its own seeded order, then the close.
int TScript::Run() {
    Questions.PasswordAccepted = true;
    if (!Convert.OpenDocument(Path).Opened || Files.ReadOnlyMode)
        return Fail("open"), 2;
    Recalculate(Ledger);
    std::cout << "opened " << DocumentDigest(Files, Ledger) << std::endl;
    if (const char* openOnly = std::getenv("QZ_OPEN_ONLY"); openOnly && std::string(openOnly) == "1") {
        Files.Close(true, false);
        return 0;
    }
    std::vector<TEditKind> script;
    for (int round = 0; round < 2; ++round) {
        std::vector<TEditKind> kinds{TEditKind::Add,      TEditKind::Change,    TEditKind::Delete,   TEditKind::Split,
                                     TEditKind::Transfer, TEditKind::Reconcile, TEditKind::Renumber, TEditKind::Import};
        std::shuffle(kinds.begin(), kinds.end(), Random);
        script.insert(script.end(), kinds.begin(), kinds.end());
    }
    int index = 0;
    for (const TEditKind kind : script) {
        ++index;
        std::cout << "begin " << index << ' ' << KindNames[static_cast<int>(kind)] << ' ' << Fs.Ops << std::endl;
        if (!RunEdit(kind))
            return 2;
        std::cout << "committed " << index << ' ' << DocumentDigest(Files, Ledger) << std::endl;
    }
    // The close changes no record: it compacts the streams and refreshes the backup.
    const std::string digest = DocumentDigest(Files, Ledger);
    std::cout << "begin " << ++index << " close " << Fs.Ops << std::endl;
    if (!CloseWithBackup())
        return 2;
    std::cout << "committed " << index << ' ' << digest << std::endl;
    std::cout << "done " << Fs.Ops << std::endl;
    return 0;
}

} // namespace
} // namespace qz::crash

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: kill_child DOCUMENT SEED\n";
        return 1;
    }
    const char* killAt = std::getenv("QZ_KILL_AT_OP");
    qz::crash::TScript script(argv[1], std::stoull(argv[2]), killAt ? std::atoll(killAt) : -1);
    return script.Run();
}
