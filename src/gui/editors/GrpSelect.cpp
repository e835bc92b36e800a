#include "GrpSelect.h"

#include <QTreeWidget>
#include <QVBoxLayout>

namespace qz::gui {

TGrpSelect::TGrpSelect(TLedger& ledger, bool newSelection, bool showNumbers, ShowHelpFn showHelp, QWidget* parent)
    : TSelectionDialog(QStringLiteral("Group Selection"), HelpTopic, std::move(showHelp), parent, QStringLiteral("OK"),
                       QStringLiteral("Cancel")),
      Ledger(ledger), Selection(ledger, newSelection) {
    GroupBox = new TActSelectBox(QStringLiteral("Selected Groups"), QStringLiteral("Group Name"), showNumbers, this);
    GroupBox->setObjectName(QStringLiteral("GroupBox"));
    connect(GroupBox, &TActSelectBox::TickChanged, this, [this](int row, bool on) {
        if (row >= 0 && row < Ledger.GroupList.Count())
            Selection.Tick(*Ledger.GroupList.Items(row), on);
        ShowTicks();
    });
    connect(GroupBox, &TActSelectBox::AllTicked, this, [this](bool on) {
        Selection.TickAll(on);
        ShowTicks();
    });
    auto* box = new QVBoxLayout;
    box->addWidget(GroupBox);
    LayOut(box);
    resize(400, 380);
    Fill();
    GroupBox->Rows()->setFocus();
}

bool TGrpSelect::SelectGroups(QWidget* parent, TLedger& ledger, bool newSelection, bool showNumbers,
                              const ShowHelpFn& showHelp) {
    TGrpSelect dialog(ledger, newSelection, showNumbers, showHelp, parent);
    return dialog.exec() == QDialog::Accepted;
}

// One row per group in list order.
void TGrpSelect::Fill() {
    GroupBox->SetRows(
        SelectRows(Ledger.GroupList.KeyList, [](const TGroupRec& group) { return FromDocument(group.NumberText()); }));
    ShowTicks();
}

void TGrpSelect::ShowTicks() {
    GroupBox->SetTicks(PickedTicks(Ledger.GroupList.KeyList));
    OfferOK(Selection.CanApply());
}

void TGrpSelect::ResetBtnClick() {
    Selection.Reset();
    Fill();
}

void TGrpSelect::OKBtnClick() {
    if (!Selection.CanApply())
        return;
    Selection.Apply();
    accept();
}

} // namespace qz::gui
