#pragma once
// The per-user settings store (the registry key SOFTWARE\Quillmar\Quillmar Zudeduze on the
// original platform; QSettings in the windows; memory in tests).

#include <map>
#include <string>

namespace qz {

class Registry {
public:
    virtual ~Registry() = default;
    // False when the value does not exist.
    virtual bool ReadInteger(const std::string& name, int& value) = 0;
    virtual void WriteInteger(const std::string& name, int value) = 0;
    virtual bool ReadText(const std::string& name, std::string& value) = 0;
    virtual void WriteText(const std::string& name, const std::string& value) = 0;
};

class MemoryRegistry : public Registry {
public:
    bool ReadInteger(const std::string& name, int& value) override {
        auto it = Integers.find(name);
        if (it == Integers.end())
            return false;
        value = it->second;
        return true;
    }
    void WriteInteger(const std::string& name, int value) override { Integers[name] = value; }
    bool ReadText(const std::string& name, std::string& value) override {
        auto it = Texts.find(name);
        if (it == Texts.end())
            return false;
        value = it->second;
        return true;
    }
    void WriteText(const std::string& name, const std::string& value) override { Texts[name] = value; }

    std::map<std::string, int> Integers;
    std::map<std::string, std::string> Texts;
};

} // namespace qz
