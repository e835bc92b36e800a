#include "MRUFileList.h"

#include <algorithm>

namespace qz::gui {

TMRUFileList::TMRUFileList(Registry& registry) : Values(registry) {}

std::string TMRUFileList::ValueName(int index) {
    return "MRU Items/F" + std::to_string(index);
}

void TMRUFileList::Load() {
    Files.clear();
    for (int i = 0; i < MaxItems; ++i) {
        std::string path;
        if (Values.ReadText(ValueName(i), path) && !path.empty() &&
            std::find(Files.begin(), Files.end(), path) == Files.end())
            Files.push_back(path);
    }
    if (OnChange)
        OnChange();
}

void TMRUFileList::AddToTop(const std::string& path) {
    if (path.empty())
        return;
    std::erase(Files, path);
    Files.insert(Files.begin(), path);
    if (Files.size() > static_cast<std::size_t>(MaxItems))
        Files.resize(MaxItems);
    Save();
}

void TMRUFileList::Remove(const std::string& path) {
    if (std::erase(Files, path) > 0)
        Save();
}

void TMRUFileList::Save() {
    // An emptied place is written as an empty text: the store has no way to delete a value.
    for (int i = 0; i < MaxItems; ++i)
        Values.WriteText(ValueName(i), i < static_cast<int>(Files.size()) ? Files[static_cast<std::size_t>(i)] : "");
    if (OnChange)
        OnChange();
}

} // namespace qz::gui
