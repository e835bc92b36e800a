// Writes the seed corpus of the document fuzzer: small documents of every generation, written
// stream by stream as the conversion tests write them, and damaged ones the opening must refuse
// or repair. Usage: document_seed_maker FOLDER

#include "storage/DocumentFixture.h"

#include <cstdio>
#include <filesystem>

namespace {

using namespace qz;
using namespace qz::testing;

struct Seed {
    const char* Name;
    StreamMap Streams;
};

std::vector<Seed> Seeds() {
    std::vector<Seed> seeds = {
        {"generation1.kqk", Version1Document(true)}, {"generation1-no-transactions.kqk", Version1Document(false)},
        {"generation20.kqk", Version20Document()},   {"generation21.kqk", Version21Document()},
        {"current.kqk", CurrentDocument()},
    };
    // Damaged: counts that promise more transactions than the stream holds.
    StreamMap counts = CurrentDocument();
    TCounts more = CountsOf(counts);
    more[StreamTrans] += 3;
    counts["KQ22FileInfo"] = CountsImage(more);
    seeds.push_back({"damaged-counts-beyond-records.kqk", counts});
    // A transaction filed under a category the document does not have.
    StreamMap orphan = CurrentDocument();
    orphan["Transactions"] += Image(Trans(20, OlderDocumentsDay, TransDebit, 5, 999, 1));
    orphan["KQ22FileInfo"] = CountsImage(CountsOf(orphan));
    seeds.push_back({"damaged-unknown-category.kqk", orphan});
    // The last transaction cut in half.
    StreamMap cut = CurrentDocument();
    cut["Transactions"].resize(cut["Transactions"].size() - TransRecordSize / 2);
    seeds.push_back({"damaged-transaction-cut.kqk", cut});
    // A 2.0 document without its settings.
    StreamMap settings = Version20Document();
    settings.erase("FileSettings");
    seeds.push_back({"damaged-generation20-no-settings.kqk", settings});
    // A first-generation counts block cut before the opening balance.
    StreamMap info = Version1Document(true);
    info["FileInfo"].resize(22);
    seeds.push_back({"damaged-generation1-info-cut.kqk", info});
    return seeds;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: document_seed_maker FOLDER\n");
        return 2;
    }
    std::filesystem::create_directories(argv[1]);
    for (const Seed& seed : Seeds()) {
        const std::string path = (std::filesystem::path(argv[1]) / seed.Name).string();
        WriteDocument(path, seed.Streams);
        if (::testing::Test::HasFatalFailure() || !std::filesystem::exists(path)) {
            std::fprintf(stderr, "document_seed_maker: could not write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
