#pragma once
// What the core asks of its host when it must tell the user something or ask a question.
// The windows implement this with real dialogs; tests and the command-line tool with doubles.

#include <string>

namespace qz {

enum class MsgKind { Warning, Error, Information, Confirmation };
enum class MsgButtons { Ok, YesNo, YesNoCancel, RetryCancel, AbortIgnore };
enum class MsgResult { Ok, Yes, No, Cancel, Retry, Abort, Ignore };

class Prompts {
public:
    virtual ~Prompts() = default;
    // Shows a modal message box and answers the button pressed. Line breaks in `text` are '\r'.
    virtual MsgResult MessageBox(const std::string& text, MsgKind kind, MsgButtons buttons) = 0;
    // Asks for one line of text; `value` holds the default and receives the answer.
    // Returns false when the user cancels.
    virtual bool InputBox(const std::string& caption, const std::string& prompt, std::string& value) = 0;
};

} // namespace qz
