#pragma once
// The command line of zudeduze-cli: a command, its positional arguments and its options
// ("--name value", "--name=value", or a flag "--name").

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace qz::cli {

struct OptionSpec {
    const char* Name; // without the dashes
    bool TakesValue;
};

struct Arguments {
    std::vector<std::string> Positional;
    std::map<std::string, std::string> Values;                // a flag holds ""; a repeated option its last value
    std::vector<std::pair<std::string, std::string>> Ordered; // every option as given, in order
    bool Help = false;

    bool Has(const std::string& name) const { return Values.count(name) != 0; }
    std::string Value(const std::string& name, const std::string& fallback = {}) const {
        auto it = Values.find(name);
        return it == Values.end() ? fallback : it->second;
    }
};

// Reads argv[first..argc). False with one line in `error` for an unknown option, an option
// without its value, or a count of positional arguments outside minPositional..maxPositional.
bool ParseArguments(const std::vector<OptionSpec>& options, int minPositional, int maxPositional, int argc, char** argv,
                    int first, Arguments& parsed, std::string& error);

// Numbers and choices in option values; false with one line in `error`.
bool ParseInteger(const std::string& option, const std::string& text, long long low, long long high, long long& value,
                  std::string& error);
bool ParseChoice(const std::string& option, const std::string& text, const std::vector<std::string>& choices,
                 std::size_t& index, std::string& error);

} // namespace qz::cli
