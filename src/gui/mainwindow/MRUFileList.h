#pragma once
// The most recently used files: at most four, newest first, kept under "MRU Items" in the
// per-user settings ("F0" is the newest). The open file is taken out of the list and goes back
// to the top when it is closed.

#include "platform/Registry.h"

#include <functional>
#include <string>
#include <vector>

namespace qz::gui {

class TMRUFileList {
public:
    static constexpr int MaxItems = 4;

    explicit TMRUFileList(Registry& registry);

    const std::vector<std::string>& Items() const { return Files; }
    std::string Newest() const { return Files.empty() ? std::string() : Files.front(); }
    void Load();
    void AddToTop(const std::string& path);
    void Remove(const std::string& path);
    // The name a value of the list is stored under.
    static std::string ValueName(int index);

    // After every change (the Reopen menu is rebuilt from it).
    std::function<void()> OnChange;

private:
    void Save();

    Registry& Values;
    std::vector<std::string> Files;
};

} // namespace qz::gui
