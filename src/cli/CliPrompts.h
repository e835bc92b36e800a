#pragma once
// The core's messages on the command line, with carriage returns as line breaks: held back,
// and written to stderr only when the command fails (PrintHeld) or at once with --verbose.
// Every question gets the answer that changes least: No, Cancel or Abort. Nothing waits for
// a person, nothing loops and nothing is destroyed on the user's behalf.

#include "platform/Prompts.h"

#include <string>

namespace qz::cli {

class CliPrompts : public Prompts {
public:
    explicit CliPrompts(bool verbose = false) : Verbose(verbose) {}
    MsgResult MessageBox(const std::string& text, MsgKind kind, MsgButtons buttons) override;
    bool InputBox(const std::string& caption, const std::string& prompt, std::string& value) override;

    int Shown = 0; // messages so far
    // Writes the messages held back so far, and then writes each at once.
    void PrintHeld();

    // The answer that changes least: No, Cancel or Abort; OK where it is the only button.
    static MsgResult Answer(MsgButtons buttons);
    static const char* AnswerText(MsgResult answer);

private:
    void Say(const std::string& line);
    bool Verbose;
    std::string Held;
};

} // namespace qz::cli
