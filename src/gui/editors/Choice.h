#pragma once
// TChoice, the credit or debit question before a new record of either kind: two toggles, one
// excluding the other, "&Credit" down at first.

#include <QDialog>

class QPushButton;

namespace qz::gui {

class TChoice : public QDialog {
    Q_OBJECT
public:
    TChoice(const QString& caption, const QString& label, QWidget* parent = nullptr);

    // Runs the question modally: -1 after "C&ancel", 0 for credit, 1 for debit.
    static int ChooseKind(QWidget* parent, const QString& caption, const QString& label);

    // 0 while "&Credit" is down, 1 while "&Debit" is.
    int Kind() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowToggles();

    QPushButton* CreditBtn;
    QPushButton* DebitBtn;
};

} // namespace qz::gui
