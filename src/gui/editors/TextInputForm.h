#pragma once
// TTextInputForm, the one-line name box the editors share (a group's name, a tax category's
// name): OK is offered only for a text that differs from the one given, and a text other than
// the given one must pass the caller's check, which shows its own message.

#include "platform/Prompts.h"

#include <QDialog>

#include <functional>
#include <string>

class QLineEdit;
class QPushButton;

namespace qz::gui {

class TTextInputForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxLength = 40;
    // True when the name may be kept; shows its own message otherwise.
    using Check = std::function<bool(const std::string& name)>;

    TTextInputForm(const QString& caption, const QString& prompt, const std::string& text, Check check,
                   Prompts& prompts, QWidget* parent = nullptr);

    // Runs the box modally. On OK `text` takes the trimmed answer (Windows-1252) and the answer
    // is true.
    static bool InputText(QWidget* parent, Prompts& prompts, const QString& caption, const QString& prompt,
                          std::string& text, const Check& check);

    std::string Answer() const { return Result; }

public slots:
    void OKBtnClick();

private:
    void TextChanged();

    std::string Given;
    Check Validate;
    Prompts& Messages;
    QLineEdit* Edit;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    std::string Result;
};

} // namespace qz::gui
