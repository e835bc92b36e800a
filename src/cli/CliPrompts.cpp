#include "CliPrompts.h"

#include "ledger/Cp1252.h"

#include <algorithm>
#include <iostream>

namespace qz::cli {

MsgResult CliPrompts::MessageBox(const std::string& text, MsgKind, MsgButtons buttons) {
    std::string lines = Cp1252ToUtf8(text);
    std::replace(lines.begin(), lines.end(), '\r', '\n');
    std::cerr << "zudeduze-cli: " << lines << '\n';
    ++Shown;
    const MsgResult answer = Answer(buttons);
    if (answer != MsgResult::Ok)
        std::cerr << "zudeduze-cli: (answered " << AnswerText(answer) << ")\n";
    return answer;
}

MsgResult CliPrompts::Answer(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgResult::Ok;
    case MsgButtons::YesNo:
        return MsgResult::No;
    case MsgButtons::YesNoCancel:
    case MsgButtons::RetryCancel:
        return MsgResult::Cancel;
    case MsgButtons::AbortIgnore:
    default:
        return MsgResult::Abort;
    }
}

const char* CliPrompts::AnswerText(MsgResult answer) {
    switch (answer) {
    case MsgResult::No:
        return "No";
    case MsgResult::Cancel:
        return "Cancel";
    case MsgResult::Abort:
        return "Abort";
    default:
        return "OK";
    }
}

bool CliPrompts::InputBox(const std::string&, const std::string&, std::string&) {
    return false;
}

} // namespace qz::cli
