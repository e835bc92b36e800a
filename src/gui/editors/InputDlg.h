#pragma once
// TInputDlg, the name dialog: a name of at most 40 characters and, when the caller asks for one,
// a percentage (a new sub category's tax percentage). The caller's check decides whether OK
// may close it; the transaction editor makes sub categories and groups on the fly with it.

#include <QDialog>

#include "ledger/Money.h"

#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qz::gui {

class TPercentBox;

class TInputDlg : public QDialog {
    Q_OBJECT
public:
    // A percentage below 0 (NoPercent) asks for none: the box and its label are hidden.
    static constexpr Money NoPercent = Money::FromUnits(-1);
    // Answers false to refuse the name, having said why; it may change the name (trimmed).
    using TNameCheck = std::function<bool(std::string& name)>;

    TInputDlg(const std::string& caption, const std::string& prompt, Money percent, const std::string& taxName,
              TNameCheck check, QWidget* parent = nullptr);

    // Runs the dialog modally. On OK: true, `name` the name as the check returned it and
    // `percent` the percentage box's value (unchanged when there is no box).
    static bool InputName(QWidget* parent, const std::string& caption, const std::string& prompt, std::string& name,
                          Money& percent, const TNameCheck& check, const std::string& taxName);

    std::string Name() const { return Accepted; }
    Money Percent() const;

public slots:
    void OKBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    TNameCheck Check;
    Money Given;
    std::string Accepted;
    QLabel* PromptLabel = nullptr;
    QLineEdit* NameEdit = nullptr;
    QLabel* PercentLabel = nullptr;
    TPercentBox* PercentEdit = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

} // namespace qz::gui
