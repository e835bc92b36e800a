#include "ScriptedPrompts.h"

namespace qz {

namespace {
MsgResult FirstButton(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgResult::Ok;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
        return MsgResult::Yes;
    case MsgButtons::RetryCancel:
        return MsgResult::Retry;
    case MsgButtons::AbortIgnore:
        return MsgResult::Abort;
    }
    return MsgResult::Ok;
}
} // namespace

MsgResult ScriptedPrompts::MessageBox(const std::string& text, MsgKind kind, MsgButtons buttons) {
    Messages.push_back({text, kind, buttons});
    if (Answers.empty())
        return FirstButton(buttons);
    MsgResult answer = Answers.front();
    Answers.pop_front();
    return answer;
}

bool ScriptedPrompts::InputBox(const std::string& caption, const std::string& prompt, std::string& value) {
    InputsAsked.push_back({caption, prompt, value});
    if (Inputs.empty())
        return false;
    value = Inputs.front();
    Inputs.pop_front();
    return true;
}

const std::string& ScriptedPrompts::LastText() const {
    static const std::string none;
    return Messages.empty() ? none : Messages.back().Text;
}

} // namespace qz
