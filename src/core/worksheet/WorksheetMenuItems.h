#pragma once
// Menu items as data: the window builds its context menus and drop-downs from these and
// hands the chosen command back.

#include <cstdint>
#include <string>
#include <vector>

namespace qz {

enum class TMenuCommand : std::uint8_t {
    None, // a separator
    EditRecord,
    Reconcile,
    NewTransaction,
    FindTransactions,
    FindCategory,
    ZeroTotals,
    ClearAllSelections,
    NewSelection,
    EditSelection,
    ClearSelection,
};

struct TMenuItem {
    std::string Caption; // "-" for a separator
    TMenuCommand Command = TMenuCommand::None;
    bool Enabled = true;
    bool Visible = true;
};

struct TPopupMenu {
    std::string Name;
    std::vector<TMenuItem> Items;
    std::int32_t Tag = -1; // the grid row the menu was opened on, -1 for none

    const TMenuItem* Find(TMenuCommand command) const {
        for (const TMenuItem& item : Items)
            if (item.Command == command)
                return &item;
        return nullptr;
    }
};

} // namespace qz
