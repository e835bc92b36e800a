// The gathered write of the file layers: every piece lands in its place, on the machine's own
// layer and through the test layer, and the test layer's torn write keeps exactly the share
// of bytes it was told to.

#include "CfbTestSupport.h"

#include "storage/cfb/FaultyFileSystem.h"

#include <fstream>
#include <iterator>

namespace qz::cfb::testing {
namespace {

std::string RawFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Pieces of uneven sizes, empty ones among them, more than one system call takes.
std::vector<std::string> Pieces() {
    std::vector<std::string> pieces;
    for (unsigned i = 0; i < 700; ++i)
        pieces.push_back(Bytes(i % 7 == 3 ? 0 : 1 + (i * 37) % 900, i));
    return pieces;
}

std::string GatheredWrite(TFileSystem& layer, const std::string& path, std::uint64_t offset) {
    const std::vector<std::string> pieces = Pieces();
    std::vector<TWritePiece> vector;
    std::string joined;
    for (const std::string& piece : pieces) {
        vector.push_back({piece.data(), piece.size()});
        joined += piece;
    }
    std::unique_ptr<TFile> file;
    EXPECT_EQ(layer.Open(path, OpenKind::CreateReadWrite, file), 0);
    EXPECT_EQ(file->PWriteV(vector.data(), vector.size(), offset), 0);
    return joined;
}

TEST(FileLayer, AGatheredWriteLandsEveryPieceInItsPlace) {
    TempFolder folder;
    TFaultyFileSystem counting;
    struct Case {
        const char* Name;
        TFileSystem& Layer;
    } cases[] = {{"posix", TFileSystem::Posix()}, {"faulty", counting}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string path = folder.File(std::string(c.Name) + ".bin");
        const std::string joined = GatheredWrite(c.Layer, path, 1000);
        EXPECT_TRUE(RawFile(path) == std::string(1000, '\0') + joined);
    }
    EXPECT_EQ(counting.Count(FaultOp::Write), 1) << "one gathered write counts as one";
}

TEST(FileLayer, ATornWriteKeepsItsShareOfBytes) {
    TempFolder folder;
    const std::string whole = GatheredWrite(TFileSystem::Posix(), folder.File("whole.bin"), 0);
    const std::string before(whole.size(), 'x');
    struct Case {
        double Share;
        bool Front;
    } cases[] = {{0.5, true}, {0.5, false}, {0.3, true}, {0.0, true}, {1.0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.Share) + (c.Front ? " at the front" : " at the back"));
        const std::string path = folder.File("torn.bin");
        std::ofstream(path, std::ios::binary | std::ios::trunc) << before;
        TFaultyFileSystem layer;
        layer.CrashInWrite(1, c.Share, c.Front);
        GatheredWrite(layer, path, 0);
        EXPECT_TRUE(layer.Crashed());
        const auto kept = static_cast<std::size_t>(static_cast<double>(whole.size()) * c.Share);
        const std::string expected = c.Front
                                         ? whole.substr(0, kept) + before.substr(kept)
                                         : before.substr(0, whole.size() - kept) + whole.substr(whole.size() - kept);
        EXPECT_TRUE(RawFile(path) == expected);
    }
}

} // namespace
} // namespace qz::cfb::testing
