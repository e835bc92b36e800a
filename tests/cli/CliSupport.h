#pragma once
// Running the built zudeduze-cli as a process, and the documents its tests feed it: written
// stream by stream, so that each can carry exactly the fault a test needs.

#include "storage/FileOLE.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace qz::clitest {

struct RunResult {
    int Status = -1; // the exit status; -1 when the program did not exit by itself
    int Signal = 0;  // the signal that ended it, 0 for none
    std::string Out;
    std::string Err;
    std::vector<std::string> ErrLines() const;
};

// Runs zudeduze-cli with these arguments, LANG=C.UTF-8 and TZ=UTC unless `environment` says otherwise.
RunResult Cli(const std::vector<std::string>& args, const std::map<std::string, std::string>& environment = {});
// Runs any program found on the PATH; Status 127 when it is not there.
RunResult Program(const std::vector<std::string>& argv);
bool ProgramInstalled(const std::string& name);

// A folder of its own, removed at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    std::string File(const std::string& name) const { return (Path / name).string(); }
    std::filesystem::path Path;
};

std::string FileBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// Stream name → bytes.
using StreamMap = std::map<std::string, std::string>;
void WriteStreams(const std::string& path, const StreamMap& streams);

// Record images.
std::string Image(const TTransRec& t);
std::string Image(const TMainActRec& c);
std::string Image(const TSubActRec& s);
std::string Image(const TGroupRec& g);
std::string Image(const TCatRec& c);
std::string Image(const TBookRec& b);
template <class Rec> std::string Deleted(TRecordStream kind, const Rec& record) {
    std::string image = Image(record);
    MarkTombstone(kind, reinterpret_cast<std::uint8_t*>(image.data()));
    return image;
}
std::string CountsImage(const TCounts& counts);
std::string SettingsImage(const TFileSettings& settings);
// The counts block that matches the live records of the streams.
TCounts CountsOf(const StreamMap& streams);

TTransRec Trans(std::int32_t number, int day, std::uint8_t kind, double amount, std::int32_t mainAct = 0,
                std::int32_t subAct = 0, std::uint16_t group = 0, std::int16_t book = 0);

// A small current document: accounts 0 "Cheque" (opening 1000) and 1 "Cash" (opening 250);
// categories 100 "Sales" (credit, sub 1 "Counter" at 10 %), 200 "Rent" (debit, sub 1
// "Office"), 300 and 400 the tax payments and refunds; group 0 "General". Transactions, all
// in March 2026: 2 a sale of 110 with 10 tax, 3 rent of 500 (unreconciled) from Cash, 4/5 a
// transfer of 50 from Cheque to Cash, 6A/6B a split sale of 30 + 20; one deleted record in
// the transactions, categories and accounts. The counts block matches.
StreamMap SmallDocument();
// Its streams under the counts stream of an older generation ("KQ21FileInfo", "KQ2FileInfo").
StreamMap OlderDocument(const std::string& countsName);

// The account balances `info` prints, by account name.
std::map<std::string, std::string> InfoBalances(const std::string& infoOutput);

} // namespace qz::clitest
