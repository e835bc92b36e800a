#pragma once
// The worksheet over the small hand-made books of the engine tests, with a window that
// records what it is told and dialogs that answer as scripted.

#include "engine/EngineFixture.h"
#include "worksheet/Worksheet.h"
#include "worksheet/WorksheetFilters.h"
#include "worksheet/WorksheetMenus.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qz::testing {

class RecordingWindow : public TWorksheetWindow {
public:
    const TWorksheet* Sheet = nullptr;
    std::vector<std::string> Calls;
    std::optional<TTaxSummary> Tax;
    std::vector<std::pair<TWorksheetOption, bool>> Stored;

    void ShowColumnSet(TGridInfo& columns) override {
        for (int view = 0; view < ViewCount; ++view)
            if (&Sheet->GridInfo[view] == &columns)
                Calls.push_back("columns " + std::to_string(view));
    }
    void ShowViewPanels() override { Calls.push_back("panels"); }
    void RefreshGrid(std::int32_t rows) override { Calls.push_back("refresh " + std::to_string(rows)); }
    void RepaintGrid() override { Calls.push_back("repaint"); }
    void ScrollGridToTop(bool) override { Calls.push_back("top"); }
    void ShowTaxSummary(const TTaxSummary& summary) override {
        Tax = summary;
        Calls.push_back("tax");
    }
    void FiltersChanged() override { Calls.push_back("filters"); }
    void ToolButtonsChanged() override { Calls.push_back("tools"); }
    void AccountBarChanged() override { Calls.push_back("bar"); }
    void ShowProgress(int position) override { Calls.push_back("progress " + std::to_string(position)); }
    void StoreOption(TWorksheetOption option, bool value) override {
        Stored.emplace_back(option, value);
        Calls.push_back("store");
    }

    bool Called(const std::string& call) const { return std::find(Calls.begin(), Calls.end(), call) != Calls.end(); }
};

// Every dialog answers `Ok` (or `Access` for the password check) and records its call; the
// hooks do what the real dialog would do to the records before answering.
class ScriptedDialogs : public TWorksheetDialogs {
public:
    bool Ok = true;
    bool Access = true;
    bool Commits = true; // false: a grouped change is given up
    std::vector<std::string> Calls;
    std::function<void()> Hook; // runs inside whichever dialog is opened, before it answers
    TMonth First, Last;
    TCategoryFound Found;
    // The records the editors were opened on.
    const void* OpenedOn = nullptr;
    const void* OpenedWith = nullptr;

    bool CheckAccess(TAccessArea area) override {
        Calls.push_back(area == TAccessArea::Editing ? "access editing" : "access");
        return Access;
    }
    bool EditAccounts(TBookRec* account) override { return Opened("accounts", account); }
    bool EditTransactionOfRow(std::int32_t row, TTransRec& t) override {
        return Opened("transaction row " + std::to_string(row), &t);
    }
    bool EditTransfer(TTransRec& t) override { return Opened("transfer", &t); }
    bool EditCategory(TMainActRec* category, TSubActRec* sub) override { return Opened("category", category, sub); }
    bool EditGroups(TGroupRec* group) override { return Opened("groups", group); }
    bool EditCategoryTypes(TCatRec* type) override { return Opened("types", type); }
    bool FindCategory(bool subCategories, TCategoryFound& found) override {
        found = Found;
        return Opened(subCategories ? "find sub" : "find category", nullptr);
    }
    bool SelectCategories(bool newSelection) override {
        return Opened(newSelection ? "categories new" : "categories edit", nullptr);
    }
    bool SelectGroups(bool newSelection) override {
        return Opened(newSelection ? "groups new" : "groups edit", nullptr);
    }
    bool OpenSearch(bool newSearch) override { return Opened(newSearch ? "search new" : "search edit", nullptr); }
    void ReapplySearch() override { Calls.push_back("reapply"); }
    bool PickMonths(TMonth& first, TMonth& last) override {
        first = First;
        last = Last;
        return Opened("months", nullptr);
    }
    void NewTransaction() override { Calls.push_back("new transaction"); }
    void BeginChanges() override { Calls.push_back("begin"); }
    bool EndChanges() override {
        Calls.push_back("end");
        return Commits;
    }

private:
    bool Opened(const std::string& what, const void* record, const void* with = nullptr) {
        Calls.push_back(what);
        OpenedOn = record;
        OpenedWith = with;
        if (Ok && Hook)
            Hook();
        return Ok;
    }
};

class WorksheetFixture : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        Window.Sheet = &Sheet;
    }

    // Links and recalculates the books as a freshly opened document, every view in its
    // default order, then forgets what the window was told so far.
    void Open() {
        Finish();
        Recalculate(L);
        for (int view = 0; view < ViewCount; ++view)
            Sheet.SortView(view);
        Sheet.Refresh();
        Window.Calls.clear();
        Dialogs.Calls.clear();
    }

    // The slots of one grid line of the active view.
    std::vector<std::string> Line(std::int32_t line) const {
        std::vector<std::string> slots;
        bool enabled = true;
        std::uint8_t rowType = 0;
        Sheet.GridB1GetText(line, slots, enabled, rowType);
        return slots;
    }
    std::string Cell(std::int32_t line, int slot) const { return Line(line)[static_cast<std::size_t>(slot)]; }
    // One slot of every line of the active view.
    std::vector<std::string> Column(int slot) const {
        std::vector<std::string> cells;
        for (std::int32_t line = 0; line < Sheet.RowCount(); ++line)
            cells.push_back(Cell(line, slot));
        return cells;
    }
    std::string Total(int view, int slot) const {
        for (const TColProperty& column : Sheet.GridInfo[view].ColInfo.Items)
            if (column.LinkIndex == slot)
                return column.TotalText;
        return "<no column>";
    }

    TDisplayFormats Formats;
    RecordingWindow Window;
    ScriptedDialogs Dialogs;
    TWorksheet Sheet{L, Formats, Window};
    TWorksheetFilters Filters{Sheet, Dialogs};
    TWorksheetMenus Menus{Sheet, Filters, Dialogs};
};

} // namespace qz::testing
