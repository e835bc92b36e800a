#pragma once
// The core's messages on the command line: each goes to stderr (carriage returns as line
// breaks), and every question gets the answer that changes least: No, Cancel or Abort.
// Nothing waits for a person, nothing loops and nothing is destroyed on the user's behalf.

#include "platform/Prompts.h"

namespace qz::cli {

class CliPrompts : public Prompts {
public:
    MsgResult MessageBox(const std::string& text, MsgKind kind, MsgButtons buttons) override;
    bool InputBox(const std::string& caption, const std::string& prompt, std::string& value) override;

    int Shown = 0; // messages written so far

    // The answer that changes least: No, Cancel or Abort; OK where it is the only button.
    static MsgResult Answer(MsgButtons buttons);
    static const char* AnswerText(MsgResult answer);
};

} // namespace qz::cli
