#include "RunRenderer.h"

#include "ChartRequest.h"
#include "Commands.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>

namespace qz::cli {

int RunRenderer(const std::string& command, const Arguments& args, const std::vector<OptionSpec>& options,
                const std::string& drawn) {
    const std::string renderer = RendererPath();
    if (renderer.empty())
        return Fail(drawn + " are drawn by " + RendererName + ", which is not installed beside this program");
    std::vector<std::string> words = {renderer, command};
    words.insert(words.end(), args.Positional.begin(), args.Positional.end());
    for (const auto& [name, value] : args.Ordered) {
        words.push_back("--" + name);
        for (const OptionSpec& option : options)
            if (name == option.Name && option.TakesValue)
                words.push_back(value);
    }
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    std::cout.flush();
    ::execv(renderer.c_str(), argv.data());
    return Fail(renderer + ": cannot be started: " + std::strerror(errno));
}

} // namespace qz::cli
