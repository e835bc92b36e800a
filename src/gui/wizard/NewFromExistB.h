#pragma once
// The second step of a new file from an existing one: the new file's starting date and what
// it takes over from the existing file.

#include <QDate>
#include <QDialog>

class QRadioButton;

namespace qz::gui {

class TDateBox;

class TfmNewFromExistB : public QDialog {
    Q_OBJECT
public:
    TfmNewFromExistB(QDate today, QWidget* parent = nullptr);

    QDate StartDate() const;
    bool TransferGst() const;
    bool TransferBalances() const;
    bool CopyUnreconciled() const;

private:
    // A question with Yes and No beside it, Yes chosen; answers the Yes button.
    QRadioButton* AddQuestion(const QString& text, const char* name);

    TDateBox* DateBox;
    QRadioButton* GstYes;
    QRadioButton* BalancesYes;
    QRadioButton* UnreconciledYes;
};

} // namespace qz::gui
