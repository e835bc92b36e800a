#pragma once
// What needs Qt's drawing (a chart's PNG or PDF, a report's PDF) is drawn by the renderer beside
// zudeduze-cli, which itself does without Qt: the command line goes on to it unchanged.

#include "Arguments.h"

#include <string>
#include <vector>

namespace qz::cli {

// Runs the renderer in place of this program with `command` and the options of `args` (read
// with `options`); answers only when it cannot, with the error told (`drawn` names what the
// renderer draws, for the message).
int RunRenderer(const std::string& command, const Arguments& args, const std::vector<OptionSpec>& options,
                const std::string& drawn);

} // namespace qz::cli
