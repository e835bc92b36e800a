#pragma once
// TImportForm, "Import Statement": the lines of a bank statement (OFX/QFX, QIF or CSV) before
// anything is written. Each line shows its date, reference, payee and memo, amount, the
// category suggested from the books' history and whether the account already holds it; good
// lines that are no duplicates start ticked, bad lines show their reason and cannot be ticked.
// The account chooser re-runs the preview; for a CSV file the column-mapping panel re-reads
// the file at each change. A line's Category cell chooses its own category; lines without a
// suggestion take the category chosen for money in or money out; lines the file files under
// another account of the document can come in as transfers with it. A ticked line without any
// category is not imported until the user chooses one or unticks it. "&Import" writes every
// ticked line in one commit (ImportStatement).

#include "CsvMapping.h"

#include "edit/StatementImport.h"
#include "filters/StatementFile.h"
#include "ledger/DisplayFormats.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace qz::gui {

class TCsvMappingPanel;

// What a line is imported as: a credit or debit in a category, or a transfer with another
// account of the document.
struct TLineChoice {
    TImportCategory Category;
    std::optional<std::int32_t> TransferAccount;
    bool operator==(const TLineChoice&) const = default;
};

struct TImportContext {
    TEditContext* Edit = nullptr;
    const TDisplayFormats* Formats = nullptr;
    Registry* Values = nullptr; // the remembered CSV mappings
};

class TImportForm : public QDialog {
    Q_OBJECT
public:
    enum TColumn { TickColumn, DateColumn, ReferenceColumn, PayeeColumn, AmountColumn, CategoryColumn, NoteColumn };

    TImportForm(TImportContext context, std::string path, QWidget* parent = nullptr);
    ~TImportForm() override;

    // Reads the statement; false, after saying why, when the file cannot be imported at all
    // (a CSV file whose columns are not yet chosen still opens, for the mapping panel).
    bool Load();

    // Load, then the window modally. Answers the outcome of the import, when one was written.
    static std::optional<TEditOutcome> OpenImport(QWidget* parent, const TImportContext& context,
                                                  const std::string& path);

    // ---- For the tests and the pictures --------------------------------------------------
    QTableWidget* Table() const { return Lines; }
    TEditContext& EditContext() const { return *Ctx.Edit; }
    QComboBox* AccountBox() const { return Account; }
    // The categories for lines without a suggestion: money in (true) and money out.
    QComboBox* FallbackBox(bool credit) const { return credit ? CreditFallback : DebitFallback; }
    TCsvMappingPanel* MappingPanel() const { return Mapping; }
    QLabel* StatusLabel() const { return Status; }
    QPushButton* ImportButton() const { return ImportBtn; }
    const std::vector<TImportLine>& Preview() const { return Preview_; }
    std::optional<TEditOutcome> Outcome() const { return Written; }
    void SetTicked(int row, bool ticked);
    // A category or transfer chosen for the line of `row` in its Category cell; none: as
    // suggested or as chosen for its side.
    void ChooseCategory(int row, std::optional<TLineChoice> choice);
    // "Lines the file files under another account of this file come in as transfers."
    QCheckBox* TransfersBox() const { return Transfers; }
    // The line's choice: chosen for it, else a transfer with the account the file names when
    // the user said so, else suggested, else the one chosen for its side.
    std::optional<TLineChoice> ChoiceOf(std::size_t index) const;

public slots:
    void ImportBtnClick();

protected:
    // The table's columns follow its width.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    void FillAccounts();
    void FillFallbacks();
    bool ReadStatement();
    void ShowLayout(char separator);
    void MappingChanged();
    void RunPreview();
    void FillLines();
    void FitColumns();
    void UpdateStatus();
    QString CategoryText(const TImportCategory& category) const;
    QString ChoiceText(const TLineChoice& choice, bool credit) const;
    std::int32_t ChosenAccount() const;

    TImportContext Ctx;
    std::string Path;
    TStatementType Type = TStatementType::Detect;
    std::string Bytes;                 // a CSV file's bytes, read once
    TCsvLayout Layout;                 // as the file was first read: its key names the remembered mapping
    TStatement Statement;              // as last read
    std::vector<TImportLine> Preview_; // against the chosen account
    std::vector<bool> Ticks;
    std::vector<std::optional<TLineChoice>> Chosen; // per line, over its suggestion
    std::optional<TEditOutcome> Written;
    bool Filling = false;
    char PanelSeparator = 0; // the separator the panel's columns were split at

    QLabel* FileLabel = nullptr;
    QComboBox* Account = nullptr;
    TCsvMappingPanel* Mapping = nullptr;
    QTableWidget* Lines = nullptr;
    QComboBox* CreditFallback = nullptr;
    QComboBox* DebitFallback = nullptr;
    QCheckBox* Transfers = nullptr;
    QLabel* Status = nullptr;
    QPushButton* ImportBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

} // namespace qz::gui
