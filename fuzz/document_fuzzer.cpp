// Opens arbitrary bytes as a document the way the main window opens one: the check before
// the open document is given up, the conversion of an older generation (on the file, which is
// our copy of the input), loading, linking, recalculating and the tax categories, then the
// close that saves what the opening changed. A document that opened and was closed must open
// again.
//
// Every question gets the answer that changes least: no retries after a storage error, no
// backup, closing goes on without the save it could not make, tax is not tracked. The password
// is taken as given and the conversion wizard goes on, so that the document behind them is
// read too. Each input gets a ledger and a file manager of its own.

#include "storage/FileConvert.h"

#include "ledger/DateTime.h"
#include "ledger/Ledger.h"
#include "platform/Clock.h"
#include "platform/Drives.h"
#include "storage/cfb/CompoundFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace qz;
namespace fs = std::filesystem;

class LeastChangePrompts : public Prompts {
public:
    MsgResult MessageBox(const std::string& text, MsgKind, MsgButtons buttons) override {
        if (Verbose)
            std::fprintf(stderr, "message: %s\n", text.c_str());
        switch (buttons) {
        case MsgButtons::Ok:
            return MsgResult::Ok;
        case MsgButtons::YesNo:
            return MsgResult::No;
        case MsgButtons::YesNoCancel:
        case MsgButtons::RetryCancel:
            return MsgResult::Cancel;
        case MsgButtons::AbortIgnore:
            return MsgResult::Ignore;
        }
        return MsgResult::Ok;
    }
    bool InputBox(const std::string&, const std::string&, std::string&) override { return false; }
    // QZ_FUZZ_VERBOSE=1 shows the messages, to see what an artifact does.
    const bool Verbose = std::getenv("QZ_FUZZ_VERBOSE") != nullptr;
};

// One folder per process, reused by every input; tmpfs when there is one, as opening writes.
const fs::path& Folder() {
    static const fs::path folder = [] {
        const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string pattern = (base / "qz-doc-fuzz-XXXXXX").string();
        static fs::path made = ::mkdtemp(pattern.data());
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(made, ignored);
        });
        return made;
    }();
    return folder;
}

// Whatever the last input left beside the document (journal, backup, set-aside journals) goes.
void EmptyFolder() {
    std::error_code ignored;
    for (const fs::directory_entry& entry : fs::directory_iterator(Folder(), ignored))
        fs::remove_all(entry.path(), ignored);
}

struct Opener {
    Opener() {
        Questions.Tax.Tracking = false;
        Questions.Tax.Name.clear();
        Files.ConnectLists();
        Files.SyncWrites = false;
    }
    ~Opener() {
        if (Files.IsOpen)
            Files.Close(true, false);
    }
    TLedger Ledger;
    LeastChangePrompts Prompts;
    PreparedQuestions Questions;
    FixedClock Clock{EncodeDate(2026, 7, 1)};
    FixedDrives Drive;
    TFileManager Files{Ledger, Prompts, Questions, Clock, Drive};
    TFileConvert Convert{Files, Ledger, Prompts, Questions, Clock};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    EmptyFolder();
    const std::string path = (Folder() / "Input.kqk").string();
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);
    bool opened = false;
    {
        Opener first;
        opened = first.Convert.OpenDocument(path).Opened;
        if (opened && !first.Files.Close(true, true))
            __builtin_trap(); // closing goes on whatever the save did
    }
    if (!opened)
        return 0;
    // QZ_FUZZ_KEEP=FILE keeps what the first opening and closing left, to see what an artifact does.
    if (const char* keep = std::getenv("QZ_FUZZ_KEEP"))
        fs::copy_file(path, keep, fs::copy_options::overwrite_existing);
    // What opening converted and closing saved is a document.
    Opener second;
    if (!second.Convert.OpenDocument(path).Opened)
        __builtin_trap();
    return 0;
}
