#pragma once
// The new-password window of the options window's "Password" page: the password typed twice,
// checked by the core's rules, and the confirmation as typed when they pass.

#include "platform/Prompts.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class QLineEdit;

namespace qz::gui {

class TNewPasswordDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxLength = 8;

    explicit TNewPasswordDlg(Prompts& prompts, QWidget* parent = nullptr);

    // Runs the window modally: the new password (Windows-1252) after "&OK", nothing after "&Cancel".
    static std::optional<std::string> Ask(QWidget* parent, Prompts& prompts, const std::function<void()>& help = {});

    // The confirmation as typed; meaningful after "&OK".
    const std::string& Password() const { return Result; }
    std::function<void()> OnHelp;

public slots:
    void OKBtnClick();

private:
    Prompts& Messages;
    QLineEdit* NewEdit;
    QLineEdit* ConfirmEdit;
    std::string Result;
};

} // namespace qz::gui
