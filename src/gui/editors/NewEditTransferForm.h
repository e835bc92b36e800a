#pragma once
// TNewEditTransfer, the transfer dialog ("New Transfer" / "Edit Transfer"): the account the money
// leaves and the one it enters (each drawn in its colour, the second list without the first
// choice), the date, the amount with the number pad, the reference with the on-screen keyboard
// and the notes, under a line that says the transfer in words. "&OK" runs the core's checks and
// puts the focus on the field a refusal names.

#include "edit/TransferEdit.h"

#include <QDialog>
#include <QWidget>

#include <functional>
#include <vector>

class QPlainTextEdit;
class QPushButton;

namespace qz::gui {

class TBookCombo;
class TDateBox;
class TNumberBox;
class TTextBox;

// What the transfer window and its dialog work with.
struct TTransferContext {
    TEditContext* Edit = nullptr;
    const TDisplayFormats* Formats = nullptr;
    // The date a new transfer is offered.
    TDateTime Today = 0;
    std::function<void(int topic)> ShowHelp;
};

// The description line: plain pieces in black, the amount in blue, each account's name in white
// on the account's colour, all in bold Arial 9 points. Account names are shortened when the line
// would not fit.
class TTransferDescription : public QWidget {
    Q_OBJECT
public:
    explicit TTransferDescription(QWidget* parent = nullptr);
    void SetPieces(std::vector<TDescriptionPiece> pieces);
    const std::vector<TDescriptionPiece>& Pieces() const { return Shown; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<TDescriptionPiece> Shown;
};

class TNewEditTransfer : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 12000;
    static constexpr int AmountLength = 12;

    TNewEditTransfer(const TTransferContext& context, bool isNew, const TTransferFields& fields,
                     QWidget* parent = nullptr);

    // Runs the dialog modally. On "&OK" `fields` takes what the dialog holds (the date as a whole
    // day) and the answer is true; after "&Cancel" `fields` is as it was.
    static bool EditTransfer(QWidget* parent, const TTransferContext& context, bool isNew, TTransferFields& fields);

    // What the controls hold now.
    TTransferFields Fields() const;

public slots:
    void OKBtnClick();

private:
    void CreateControls();
    void LayOut();
    // The To list: every account but the From choice, keeping `chosen` when it is there.
    void FillToList(std::optional<std::int32_t> chosen);
    void FromChanged();
    // The description line and "&OK" follow the fields.
    void ShowDescription();
    void LimitNotes();
    void Focus(const TTransferRefusal& refusal);

    TTransferContext Ctx;
    TBookCombo* ComboFrom = nullptr;
    TBookCombo* ComboTo = nullptr;
    TDateBox* DateEditBtn = nullptr;
    TNumberBox* NbrBoxAmount = nullptr;
    TTextBox* EditReference = nullptr;
    QPlainTextEdit* MemoNotes = nullptr;
    TTransferDescription* Description = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
};

} // namespace qz::gui
