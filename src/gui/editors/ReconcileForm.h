#pragma once
// TReconcile, "Reconcile Transactions": the unreconciled transactions the worksheet shows, to be
// ticked and reconciled against a statement. A mouse press or the space bar ticks a row (every
// row of a split together); "&Reconcile Now" marks the ticked ones reconciled. The list, its
// sums and the texts of the labels are the core's (TReconciliation); this window draws them.

#include "edit/Reconcile.h"

#include <QDialog>

#include <functional>
#include <memory>

class QLabel;
class QPushButton;

namespace qz::gui {

class TNumberBox;
class TReconcileList;

struct TReconcileContext {
    TEditContext* Edit = nullptr;
    const TDisplayFormats* Formats = nullptr;
    std::function<void(int topic)> ShowHelp;
};

class TReconcile : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 13000;
    // The "Category" column, less a scroll bar's width while the rows do not all fit.
    static constexpr int CategoryColumnWidth = 130;

    TReconcile(TReconcileContext context, QWidget* parent = nullptr);
    ~TReconcile() override;

    // Shows the window modally; true when at least one "&Reconcile Now" was carried out. The
    // caller has passed the access check for Editing. `refresh` takes, ORed in, what the caller
    // must recalculate and redraw (TRefresh flags; see RefreshAfterEdit).
    static bool OpenReconcile(QWidget* parent, const TReconcileContext& context, std::uint16_t* refresh = nullptr);

    const TReconciliation& Reconciliation() const { return *Model; }
    bool AnyReconciled() const { return Model->AnyReconciled(); }
    std::uint16_t RefreshNeeded() const { return Refresh; }

    // What a mouse press or the space bar on the row at `row` does: ticks or unticks it, with
    // every row of its split.
    void ToggleRow(int row);

public slots:
    // "&Select All" (true) and "&Unselect All" (false).
    void SelAllBtnClick(bool ticked);
    void ReconcileBtnClick();

private:
    void CreateControls();
    QWidget* CreateBalances();
    void FillList();
    void FitColumns();
    void TickChanged();
    void StatementChanged();

    TReconcileContext Ctx;
    std::unique_ptr<TReconciliation> Model;
    // What the commits so far ask the caller to do; a commit given up asks for everything.
    std::uint16_t Refresh = RefreshNone;
    TReconcileList* ListView = nullptr;
    QLabel* HintLabel = nullptr;
    QLabel* BalLabel = nullptr;
    QLabel* UnclearedLabel = nullptr;
    QLabel* TotalDisLabel = nullptr;
    QLabel* AllLabel = nullptr;
    TNumberBox* StatementBox = nullptr;
    QLabel* DifferenceLabel = nullptr;
    QPushButton* SelAllBtn = nullptr;
    QPushButton* UnselAllBtn = nullptr;
    QPushButton* ReconcileBtn = nullptr;
    QPushButton* CloseBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
};

} // namespace qz::gui
