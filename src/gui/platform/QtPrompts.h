#pragma once
// Message and input boxes as Qt dialogs, with the kinds, buttons and texts the core asks for.

#include "platform/Prompts.h"

class QWidget;

namespace qz::gui {

class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : Parent(parent) {}
    void SetParent(QWidget* parent) { Parent = parent; }

    MsgResult MessageBox(const std::string& text, MsgKind kind, MsgButtons buttons) override;
    bool InputBox(const std::string& caption, const std::string& prompt, std::string& value) override;

private:
    QWidget* Parent;
};

} // namespace qz::gui
