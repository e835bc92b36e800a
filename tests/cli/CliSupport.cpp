#include "CliSupport.h"

#include "ledger/DateTime.h"
#include "storage/cfb/CompoundFile.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

extern char** environ;

namespace qz::clitest {

std::vector<std::string> RunResult::ErrLines() const {
    std::vector<std::string> lines;
    std::istringstream in(Err);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

namespace {

// Reads both pipes to their end together, so that neither can fill up and stall the child.
// A child that has not finished within the deadline is killed: a command that blocks (on a
// FIFO, say) fails its test instead of hanging it.
void Drain(pid_t pid, int outFd, int errFd, std::string& out, std::string& err) {
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    std::string* sinks[2] = {&out, &err};
    int open = 2;
    char buffer[65536];
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    bool killed = false;
    while (open > 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        const int ready = poll(fds, 2, killed ? -1 : static_cast<int>(std::max<long long>(0, left.count())));
        if (ready < 0)
            break;
        if (ready == 0) {
            kill(pid, SIGKILL);
            killed = true;
            continue;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
}

RunResult Spawn(const std::vector<std::string>& argv, const std::map<std::string, std::string>& environment) {
    RunResult result;
    int out[2], err[2];
    if (pipe(out) != 0 || pipe(err) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, err[0]);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    std::map<std::string, std::string> env = {{"LANG", "C.UTF-8"}, {"TZ", "UTC"}};
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const auto equals = entry.find('=');
        if (equals != std::string::npos && entry.rfind("LC_", 0) != 0 && !env.count(entry.substr(0, equals)))
            env[entry.substr(0, equals)] = entry.substr(equals + 1);
    }
    for (const auto& [name, value] : environment)
        env[name] = value;
    std::vector<std::string> envText;
    for (const auto& [name, value] : env)
        envText.push_back(name + "=" + value);
    std::vector<char*> args, envp;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (std::string& e : envText)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0].c_str(), &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    if (spawned != 0) {
        close(out[0]);
        close(err[0]);
        result.Status = 127;
        return result;
    }
    Drain(pid, out[0], err[0], result.Out, result.Err);
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status))
        result.Status = WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        result.Signal = WTERMSIG(status);
    return result;
}

} // namespace

RunResult Cli(const std::vector<std::string>& args, const std::map<std::string, std::string>& environment) {
    std::vector<std::string> argv{ZUDEDUZE_CLI};
    argv.insert(argv.end(), args.begin(), args.end());
    return Spawn(argv, environment);
}

RunResult Program(const std::vector<std::string>& argv) {
    return Spawn(argv, {});
}

bool ProgramInstalled(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "/usr/bin:/bin");
    for (std::string folder; std::getline(folders, folder, ':');)
        if (!folder.empty() && access((folder + "/" + name).c_str(), X_OK) == 0)
            return true;
    return false;
}

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qz-cli-XXXXXX").string();
    Path = mkdtemp(pattern.data());
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(Path, ignored);
}

std::string FileBytes(const std::string& path) {
    if (std::filesystem::is_directory(path))
        return "(a folder)";
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void WriteStreams(const std::string& path, const StreamMap& streams) {
    std::unique_ptr<cfb::TCompoundFile> file;
    ASSERT_EQ(cfb::TCompoundFile::Create(path, file), cfb::S_OK);
    cfb::TStorage root = file->Root();
    for (const auto& [name, data] : streams) {
        cfb::TStream stream;
        ASSERT_EQ(root.CreateStream(name, stream), cfb::S_OK);
        if (!data.empty()) {
            ASSERT_EQ(stream.WriteAt(0, data.data(), static_cast<std::uint32_t>(data.size())), cfb::S_OK);
        }
    }
    ASSERT_EQ(file->Commit(), cfb::S_OK);
}

namespace {
template <class Rec>
std::string ImageOf(const Rec& record, void (*encode)(const Rec&, std::uint8_t*), std::size_t size) {
    std::string image(size, '\0');
    encode(record, reinterpret_cast<std::uint8_t*>(image.data()));
    return image;
}
} // namespace

std::string Image(const TTransRec& t) {
    return ImageOf(t, EncodeTrans, TransRecordSize);
}
std::string Image(const TMainActRec& c) {
    return ImageOf(c, EncodeMainAct, MainActRecordSize);
}
std::string Image(const TSubActRec& s) {
    return ImageOf(s, EncodeSubAct, SubActRecordSize);
}
std::string Image(const TGroupRec& g) {
    return ImageOf(g, EncodeGroup, GroupRecordSize);
}
std::string Image(const TCatRec& c) {
    return ImageOf(c, EncodeCat, CatRecordSize);
}
std::string Image(const TBookRec& b) {
    return ImageOf(b, EncodeBook, BookRecordSize);
}

std::string CountsImage(const TCounts& counts) {
    std::string image(CountsSize, '\0');
    EncodeCounts(counts, reinterpret_cast<std::uint8_t*>(image.data()));
    return image;
}

std::string SettingsImage(const TFileSettings& settings) {
    std::string image(SettingsSize, '\0');
    EncodeSettings(settings, reinterpret_cast<std::uint8_t*>(image.data()));
    return image;
}

TCounts CountsOf(const StreamMap& streams) {
    TCounts counts{};
    for (int i = 0; i < 6; ++i) {
        auto it = streams.find(RecordStreamNames[i]);
        if (it == streams.end())
            continue;
        for (std::size_t at = 0; at + RecordSizes[i] <= it->second.size(); at += RecordSizes[i])
            counts[i] += IsTombstone(static_cast<TRecordStream>(i),
                                     reinterpret_cast<const std::uint8_t*>(it->second.data() + at))
                             ? 0
                             : 1;
    }
    return counts;
}

TTransRec Trans(std::int32_t number, int day, std::uint8_t kind, double amount, std::int32_t mainAct,
                std::int32_t subAct, std::uint16_t group, std::int16_t book) {
    TTransRec t;
    t.Number = number;
    t.Date = EncodeDate(2026, 3, day);
    t.Kind = kind;
    t.Amount = Money::FromDouble(amount);
    t.MainAct = mainAct;
    t.SubAct = subAct;
    t.Group = group;
    t.Book = book;
    return t;
}

namespace {

TMainActRec Category(std::int32_t number, const std::string& name, std::uint8_t side, std::int32_t type) {
    TMainActRec c;
    c.Number = number;
    c.Name = name;
    c.Side = side;
    c.CatType = type;
    return c;
}

TSubActRec Sub(std::int32_t mainAct, std::int32_t number, const std::string& name, std::uint8_t side,
               double percent = 0) {
    TSubActRec s;
    s.MainAct = mainAct;
    s.Number = number;
    s.Name = name;
    s.Side = side;
    s.GstPercent = Money::FromDouble(percent);
    return s;
}

TBookRec Account(std::int32_t number, const std::string& name, std::int32_t opening) {
    TBookRec b;
    b.Number = number;
    b.Name = name;
    b.OpeningTransNo = opening;
    return b;
}

std::string Types() {
    const char* names[] = {"General Income",   "Other Income",    "Assets Sold",    "Funds Injection",
                           "Assets Purchased", "Stock Purchased", "Overheads",      "Wages",
                           "Company Tax",      "Other Expenses",  "Funds Repayment"};
    const std::uint8_t sides[] = {1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 2};
    const std::int16_t kinds[] = {1, 3, 5, 6, 5, 1, 2, 2, 4, 3, 6};
    std::string types;
    for (std::int16_t i = 0; i < 11; ++i) {
        TCatRec type;
        type.Number = i;
        type.Name = names[i];
        type.Side = sides[i];
        type.Kind = kinds[i];
        type.IsDefault = 1;
        types += Image(type);
    }
    TCatRec tax;
    tax.Number = 11;
    tax.Name = "GST";
    tax.Side = SideDebit;
    tax.Kind = KindGstSystem;
    return types + Image(tax);
}

} // namespace

StreamMap SmallDocument() {
    StreamMap s;
    TTransRec sale = Trans(2, 2, TransCredit, 110, 100, 1, 0, 0);
    sale.Gst = Money::FromUnits(10);
    sale.Reference = "INV-1";
    sale.Notes = "first sale, \"cash\"";
    TTransRec rent = Trans(3, 3, TransDebit, 500, 200, 1, 0, 1);
    rent.Reconciled = 0;
    TTransRec out = Trans(4, 4, TransTo, 50, 5, 0, 1, 0);
    out.Notes = "float for the till";
    TTransRec in = Trans(5, 4, TransFrom, 50, 4, 0, 0, 1);
    TTransRec splitA = Trans(6, 5, TransCredit, 30, 100, 1, 0, 0);
    splitA.Split = 'A';
    TTransRec splitB = Trans(6, 5, TransCredit, 20, 100, 1, 0, 0);
    splitB.Split = 'B';
    s["Transactions"] = Image(Trans(0, 1, TransOpening, 1000, 0, 0, 0, 0)) +
                        Deleted(StreamTrans, Trans(9, 1, TransCredit, 1)) +
                        Image(Trans(1, 1, TransOpening, 250, 0, 0, 0, 1)) + Image(sale) + Image(rent) + Image(out) +
                        Image(in) + Image(splitA) + Image(splitB);
    s["MainActs"] = Image(Category(100, "Sales", SideCredit, 0)) +
                    Deleted(StreamMainActs, Category(150, "Gone", SideCredit, 0)) +
                    Image(Category(200, "Rent", SideDebit, 6)) + Image(Category(300, "GST", SideDebit, 11)) +
                    Image(Category(400, "GST", SideCredit, 11));
    s["SubActs"] = Image(Sub(100, 1, "Counter", SideCredit, 10)) + Image(Sub(200, 1, "Office", SideDebit)) +
                   Image(Sub(300, 1, "Payment", SideDebit)) + Image(Sub(400, 1, "Refund", SideCredit));
    TGroupRec general;
    general.Number = 0;
    general.Name = "General";
    s["Groups"] = Image(general);
    s["Categories"] = Types();
    s["Books"] =
        Image(Account(0, "Cheque", 0)) + Deleted(StreamBooks, Account(7, "Gone", -1)) + Image(Account(1, "Cash", 1));
    TFileSettings settings;
    settings.TaxOn = 1;
    settings.TaxName = "GST";
    settings.GstPercent = Money::FromUnits(10);
    settings.GstPaymentCat = 300;
    settings.GstRefundCat = 400;
    settings.BusinessName = "Corner Caf\xE9";
    settings.BusinessNumber = "42";
    s["FileSettings"] = SettingsImage(settings);
    s["Comments"] = std::string("books of the corner shop") + '\0';
    s["KQ22FileInfo"] = CountsImage(CountsOf(s));
    return s;
}

StreamMap OlderDocument(const std::string& countsName) {
    StreamMap s = SmallDocument();
    s[countsName] = s["KQ22FileInfo"];
    s.erase("KQ22FileInfo");
    // Generation 2.1 keeps a tax rate where the tax amount is now: the sale's is 10 %, its tax 10.00.
    // Generation 2.0 documents keep no tax amounts and no tax settings yet.
    if (countsName == "KQ2FileInfo")
        s["FileSettings"] = SettingsImage(TFileSettings{});
    return s;
}

std::map<std::string, std::string> InfoBalances(const std::string& infoOutput) {
    std::map<std::string, std::string> balances;
    static const std::regex line(R"(^\s+\d+\s+(.+?)\s+(-?\$[\d,]+\.\d\d)\s+(-?\$[\d,]+\.\d\d)$)");
    std::istringstream in(infoOutput);
    for (std::string text; std::getline(in, text);) {
        std::smatch m;
        if (std::regex_match(text, m, line))
            balances[m[1]] = m[3];
    }
    return balances;
}

} // namespace qz::clitest
