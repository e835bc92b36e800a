#include "GrpSelect.h"

#include "ActSelectBox.h"
#include "controls/HelpContext.h"
#include "platform/TextCodec.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qz::gui {

TGrpSelect::TGrpSelect(TLedger& ledger, bool newSelection, bool showNumbers, ShowHelpFn showHelp, QWidget* parent)
    : QDialog(parent), Ledger(ledger), Selection(ledger, newSelection), Help(std::move(showHelp)) {
    setWindowTitle(QStringLiteral("Group Selection"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    SetHelpContext(this, HelpTopic);
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

    auto* resetBtn = new QPushButton(QStringLiteral("&Reset"), this);
    resetBtn->setObjectName(QStringLiteral("ResetBtn"));
    resetBtn->setAutoDefault(false);
    auto* buttons = new QDialogButtonBox(this);
    OKBtn = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    QPushButton* help = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("HelpBtn"));
    connect(resetBtn, &QPushButton::clicked, this, &TGrpSelect::ResetBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &TGrpSelect::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] {
        if (Help)
            Help(HelpTopic);
    });

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(resetBtn);
    bottom->addStretch();
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox, 1);
    layout->addLayout(bottom);
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
    std::vector<TActSelectBox::TRow> rows;
    for (const TGroupRec* group : Ledger.GroupList.KeyList)
        rows.push_back({FromDocument(group->NumberText()), FromDocument(group->Name.View()), group->Picked != 0});
    GroupBox->SetRows(rows);
    ShowTicks();
}

void TGrpSelect::ShowTicks() {
    std::vector<bool> ticks;
    for (const TGroupRec* group : Ledger.GroupList.KeyList)
        ticks.push_back(group->Picked != 0);
    GroupBox->SetTicks(ticks);
    OKBtn->setEnabled(Selection.CanApply());
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
