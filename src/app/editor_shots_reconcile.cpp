// editor_shots_reconcile: pictures of the reconcile window, saved as reconcile.png (a split, some
// rows ticked, a statement balance the ticks do not reach yet) and reconcile-empty.png.
//   xvfb-run -a editor_shots_reconcile [document.kqk] [output-folder]
// The transactions are made unreconciled in memory only: the scratch copy is never written.

#include "EditorShots.h"
#include "editors/ReconcileForm.h"
#include "engine/Engine.h"

#include "controls/NumberBox.h"
#include "controls/NumberPad.h"

#include <QApplication>
#include <QTreeWidget>

#include <cstdio>

using namespace qz;
using namespace qz::gui;
using namespace qz::gui::shots;

namespace {

// The month of the book's last transaction (split ones among them) unreconciled, as if its
// statement had just come.
bool UnreconcileLastMonth(TLedger& ledger) {
    const TTransList& list = ledger.TransList;
    if (list.Count() == 0)
        return false;
    const TDateTime last = DayOf(list.Items(list.Count() - 1)->Date);
    bool split = false;
    for (TTransRec* t : list.KeyList)
        if (t->Kind != TransOpening && DayOf(t->Date) > last - 31) {
            t->Reconciled = 0;
            split |= t->Split != '0';
        }
    Recalculate(ledger);
    return split;
}

// Ticks the two rows above the first split, the split (through its last part) and the third
// row below it, and shows them in the middle of the list with no row chosen.
void TickSome(TReconcile& window) {
    auto* list = window.findChild<QTreeWidget*>(QStringLiteral("ListView"));
    const auto& rows = window.Reconciliation().Rows();
    std::size_t summary = 0;
    while (summary < rows.size() && rows[summary].Kind != TReconcileRowKind::Summary)
        ++summary;
    if (summary == rows.size())
        return;
    std::size_t last = summary + 1;
    while (last + 1 < rows.size() && rows[last + 1].Kind == TReconcileRowKind::Part)
        ++last;
    for (std::size_t i : {summary - 2, summary - 1, last, last + 3})
        if (i < rows.size())
            window.ToggleRow(static_cast<int>(i));
    list->scrollToItem(list->topLevelItem(static_cast<int>(summary)), QAbstractItemView::PositionAtCenter);
    list->clearSelection();
}

bool Shoot(TShotDocument& document, const QString& folder) {
    if (!UnreconcileLastMonth(document.Ledger)) {
        std::fprintf(stderr, "the document's last month holds no split transaction\n");
        return false;
    }
    bool saved = true;
    {
        TReconcile window({&document.Edit, &document.Formats, {}});
        // Shown first: the list scrolls only once it is laid out.
        window.show();
        QApplication::processEvents();
        TickSome(window);
        const TReconcileSums& sums = window.Reconciliation().Sums();
        // A statement that ends 125.40 above what is ticked so far.
        auto* statement = window.findChild<TNumberBox*>(QStringLiteral("StatementBox"));
        statement->setText(
            QString::number((sums.Reconciled + sums.Ticked + Money::FromCents(12540)).ToDouble(), 'f', 2));
        saved &= SaveShot(window, folder, "reconcile");
    }
    {
        for (TTransRec* t : document.Ledger.TransList.KeyList)
            t->Reconciled = 1;
        Recalculate(document.Ledger);
        TReconcile window({&document.Edit, &document.Formats, {}});
        saved &= SaveShot(window, folder, "reconcile-empty");
    }
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    return RunShots(argc, argv, Shoot);
}
