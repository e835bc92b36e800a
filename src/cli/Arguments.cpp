#include "Arguments.h"

#include <charconv>

namespace qz::cli {

bool ParseArguments(const std::vector<OptionSpec>& options, int minPositional, int maxPositional, int argc, char** argv,
                    int first, Arguments& parsed, std::string& error) {
    bool onlyPositional = false;
    for (int i = first; i < argc; ++i) {
        const std::string arg = argv[i];
        if (onlyPositional || arg.size() < 2 || arg[0] != '-' || arg == "-") {
            parsed.Positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            onlyPositional = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            parsed.Help = true;
            continue;
        }
        // "-o" is the one short option: the output file.
        std::string name = arg == "-o" ? "output" : arg.substr(arg.rfind("--", 0) == 0 ? 2 : 1);
        std::string value;
        const auto equals = name.find('=');
        const bool inline_ = equals != std::string::npos;
        if (inline_) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        const OptionSpec* known = nullptr;
        for (const OptionSpec& option : options)
            if (name == option.Name)
                known = &option;
        if (!known) {
            error = "unknown option " + arg;
            return false;
        }
        if (known->TakesValue && !inline_) {
            if (i + 1 >= argc) {
                error = "option --" + name + " needs a value";
                return false;
            }
            value = argv[++i];
        } else if (!known->TakesValue && inline_) {
            error = "option --" + name + " takes no value";
            return false;
        }
        parsed.Values[name] = value;
        parsed.Ordered.emplace_back(name, value);
    }
    if (parsed.Help)
        return true;
    const int count = static_cast<int>(parsed.Positional.size());
    if (count < minPositional) {
        error = minPositional == 1 ? "a file name is missing" : "arguments are missing";
        return false;
    }
    if (count > maxPositional) {
        error = "unexpected argument \"" + parsed.Positional[static_cast<std::size_t>(maxPositional)] + "\"";
        return false;
    }
    return true;
}

bool ParseInteger(const std::string& option, const std::string& text, long long low, long long high, long long& value,
                  std::string& error) {
    const char* end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, value);
    if (text.empty() || failure != std::errc() || stop != end || value < low || value > high) {
        error = "--" + option + " takes a whole number from " + std::to_string(low) + " to " + std::to_string(high) +
                ", not \"" + text + "\"";
        return false;
    }
    return true;
}

bool ParseChoice(const std::string& option, const std::string& text, const std::vector<std::string>& choices,
                 std::size_t& index, std::string& error) {
    for (index = 0; index < choices.size(); ++index)
        if (text == choices[index])
            return true;
    std::string list;
    for (const std::string& choice : choices)
        list += (list.empty() ? "" : "|") + choice;
    error = "--" + option + " takes " + list + ", not \"" + text + "\"";
    return false;
}

} // namespace qz::cli
