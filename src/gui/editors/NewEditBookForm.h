#pragma once
// TNewEditBookForm, the account dialog ("New Account" / "Edit Account"): the account's name and
// colour, its opening balance (with the number pad) and its starting date. The dialog only
// gathers the fields; the caller hands them to the core, which checks the name and the amount.

#include "edit/AccountEdit.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QToolButton;

namespace qz::gui {

class TDateBox;
class TPercentBox;

class TNewEditBookForm : public QDialog {
    Q_OBJECT
public:
    // The most characters the opening balance box takes.
    static constexpr int OpeningBalanceLength = 12;

    TNewEditBookForm(bool isNew, const TAccountFields& fields, QWidget* parent = nullptr);

    // Runs the dialog modally. On "&OK" `fields` takes the name as typed (the core trims it),
    // the colour, the opening balance and the starting date as a whole day, and the answer is
    // true; after "&Cancel" `fields` is as it was.
    static bool EditAccount(QWidget* parent, bool isNew, TAccountFields& fields);

    // What the controls hold now.
    TAccountFields Fields() const;
    TColour Colour() const { return Chosen; }

public slots:
    void ColourBtnClick();
    void NumberPadBtnClick();

private:
    void NameChanged();
    void ShowColour();

    TColour Chosen;
    QLineEdit* NameEdit;
    QToolButton* ColourBtn;
    TPercentBox* OpeningBox;
    QToolButton* NumberPadBtn;
    TDateBox* DateBox;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
};

} // namespace qz::gui
