// The main window and the reconcile window: the Tools menu's "&Reconcile", and the worksheet
// recalculated after the window reconciled anything.

#include "MainForm.h"

#include "editors/ReconcileForm.h"

#include <QAction>

namespace qz::gui {

void TMain::ConnectReconcile() {
    connect(Action(QStringLiteral("ReconcileItem")), &QAction::triggered, this, [this] { ReconcileCommand(); });
}

bool TMain::ReconcileCommand() {
    if (!Files.IsOpen)
        return false;
    // Asked once, before the window opens: its "&Reconcile Now" does not ask again.
    const TAccessScope access(Edit, TAccessArea::Editing);
    if (!access)
        return false;
    std::uint16_t refresh = RefreshNone;
    const bool reconciled =
        TReconcile::OpenReconcile(this, {&Edit, &Formats, [this](int topic) { ShowHelp(topic); }}, &refresh);
    if (refresh == RefreshNone)
        return false;
    // The search's "Unreconciled" criteria read the flags just changed.
    if (Books.Switches.SearchActive)
        ReapplySearch();
    ShowProgress(90);
    AfterEdit(refresh);
    ShowProgress(99);
    Sheet.Refresh();
    ShowProgress(100);
    return reconciled;
}

} // namespace qz::gui
