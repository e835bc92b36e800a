#pragma once
// A current document open in the file manager, with the user's options in memory, for the
// operations that change the books.

#include "storage/DocumentFixture.h"
#include "storage/OptionsFileOLE.h"

namespace qz::testing {

class EditFixture : public DocumentFixture {
protected:
    EditFixture() : Options(Values, Prompts, Sets, Grid, Folder.Path.string()) {
        for (int view = 0; view < ViewCount; ++view)
            Sets[static_cast<std::size_t>(view)] = DefaultColumnSet(view);
    }

    // The corner shop of CurrentDocument: GST at 10 %, payments category 300, refunds 400.
    void OpenShop(const StreamMap& streams = CurrentDocument()) {
        WriteDocument(PathOf("Shop.kqk"), streams);
        ASSERT_TRUE(Convert.OpenDocument(PathOf("Shop.kqk")).Opened) << Prompts.LastText();
        Prompts.Messages.clear();
    }
    // Closes without compacting, as a crash would, and reads the file back.
    std::unique_ptr<DocumentOnDisk> Reopened() {
        Files.Close(true, false);
        auto disk = std::make_unique<DocumentOnDisk>(PathOf("Shop.kqk"));
        EXPECT_TRUE(disk->Opened);
        return disk;
    }

    MemoryRegistry Values;
    std::array<TGridInfo, 5> Sets;
    TGridProperties Grid;
    TOptionsManager Options;
};

} // namespace qz::testing
