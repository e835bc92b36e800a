#pragma once
// A Prompts double: records every message and answers from a prepared script.

#include "Prompts.h"

#include <deque>
#include <string>
#include <vector>

namespace qz {

class ScriptedPrompts : public Prompts {
public:
    struct Message {
        std::string Text;
        MsgKind Kind;
        MsgButtons Buttons;
    };
    struct Input {
        std::string Caption;
        std::string Prompt;
        std::string Default;
    };

    // Answers given in order; when the script runs out, a message box answers the first
    // button of its set (OK, Yes, Retry, Abort) and an input box cancels.
    void QueueAnswer(MsgResult answer) { Answers.push_back(answer); }
    void QueueInput(std::string text) { Inputs.emplace_back(std::move(text)); }

    MsgResult MessageBox(const std::string& text, MsgKind kind, MsgButtons buttons) override;
    bool InputBox(const std::string& caption, const std::string& prompt, std::string& value) override;

    std::vector<Message> Messages;
    std::vector<Input> InputsAsked;

    const std::string& LastText() const;

private:
    std::deque<MsgResult> Answers;
    std::deque<std::string> Inputs;
};

} // namespace qz
