#include "CliPrompts.h"

#include "ledger/Cp1252.h"

#include <algorithm>
#include <iostream>

namespace qz::cli {

void CliPrompts::Say(const std::string& line) {
    if (Verbose)
        std::cerr << "zudeduze-cli: " << line << '\n';
    else
        Held += "zudeduze-cli: " + line + '\n';
}

void CliPrompts::PrintHeld() {
    std::cerr << Held;
    Held.clear();
    Verbose = true;
}

MsgResult CliPrompts::MessageBox(const std::string& text, MsgKind, MsgButtons buttons) {
    std::string lines = Cp1252ToUtf8(text);
    std::replace(lines.begin(), lines.end(), '\r', '\n');
    Say(lines);
    ++Shown;
    const MsgResult answer = Answer(buttons);
    if (answer != MsgResult::Ok)
        Say(std::string("(answered ") + AnswerText(answer) + ")");
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
