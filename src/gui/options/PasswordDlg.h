#pragma once
// The password prompt, and the access check every protected command runs before it starts.

#include "platform/Prompts.h"
#include "storage/FileOLE.h"
#include "worksheet/WorksheetHost.h"

#include <QDialog>
#include <QPoint>

#include <functional>
#include <optional>
#include <string>

class QLineEdit;

namespace qz::gui {

class TPasswordDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int FixedWidth = 258;
    static constexpr int FixedHeight = 235;

    // `password` is the document's, as stored (Windows-1252).
    TPasswordDlg(std::string password, Prompts& prompts, QWidget* parent = nullptr);

    // Runs the prompt modally, its top left corner at `topLeft` when given (the grid's lock
    // symbol); true when the password was typed.
    static bool Ask(QWidget* parent, const std::string& password, Prompts& prompts,
                    std::optional<QPoint> topLeft = std::nullopt);

public slots:
    void OKBtnClick();

private:
    std::string Password;
    Prompts& Messages;
    QLineEdit* PasswordEdit;
};

// The access check with the password prompt, its top left corner at `topLeft` when given.
bool CheckAccess(QWidget* parent, const TFileSettings& settings, TAccessArea area,
                 std::optional<QPoint> topLeft = std::nullopt);

} // namespace qz::gui
