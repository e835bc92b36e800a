#include "CatSelection.h"

#include "ActSelectBox.h"
#include "controls/HelpContext.h"
#include "platform/TextCodec.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace qz::gui {

TCatSelection::TCatSelection(TCatList& types, ShowHelpFn showHelp, QWidget* parent)
    : QDialog(parent), Selection(types), Help(std::move(showHelp)) {
    setWindowTitle(QStringLiteral("Category Type Selection"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    SetHelpContext(this, HelpTopic);
    CreditBox = new TActSelectBox(QStringLiteral("Credit"), QStringLiteral("Category Type"), false, this);
    CreditBox->setObjectName(QStringLiteral("CreditBox"));
    DebitBox = new TActSelectBox(QStringLiteral("Debit"), QStringLiteral("Category Type"), false, this);
    DebitBox->setObjectName(QStringLiteral("DebitBox"));
    DebitBox->SetColours(QColor(0xFF, 0x00, 0x00), Qt::white);
    for (auto [box, side] : {std::pair{CreditBox, SideCredit}, std::pair{DebitBox, SideDebit}}) {
        const std::uint8_t s = side;
        connect(box, &TActSelectBox::TickChanged, this, [this, s](int row, bool on) { Tick(s, row, on); });
        connect(box, &TActSelectBox::AllTicked, this, [this, s](bool on) { TickAll(s, on); });
    }

    auto* resetBtn = new QPushButton(QStringLiteral("&Reset"), this);
    resetBtn->setObjectName(QStringLiteral("ResetBtn"));
    resetBtn->setAutoDefault(false);
    auto* buttons = new QDialogButtonBox(this);
    OKBtn = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    QPushButton* cancel = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    QPushButton* help = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("HelpBtn"));
    connect(resetBtn, &QPushButton::clicked, this, &TCatSelection::ResetBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] {
        if (Help)
            Help(HelpTopic);
    });

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(CreditBox);
    boxes->addWidget(DebitBox);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(resetBtn);
    bottom->addStretch();
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes, 1);
    layout->addLayout(bottom);
    resize(520, 360);
    Fill();
}

bool TCatSelection::SelectCategoryTypes(QWidget* parent, TCatList& types, const ShowHelpFn& showHelp) {
    TCatSelection dialog(types, showHelp, parent);
    return dialog.exec() == QDialog::Accepted;
}

void TCatSelection::Fill() {
    for (auto [box, side] : {std::pair{CreditBox, SideCredit}, std::pair{DebitBox, SideDebit}}) {
        std::vector<TActSelectBox::TRow> rows;
        for (const TCatRec* type : Selection.TypesOfSide(side))
            rows.push_back({QString(), FromDocument(type->Name.View()), type->Picked != 0});
        box->SetRows(rows);
    }
    Ticks();
}

void TCatSelection::Tick(std::uint8_t side, int row, bool on) {
    const auto types = Selection.TypesOfSide(side);
    if (row >= 0 && row < static_cast<int>(types.size()))
        Selection.Tick(*types[static_cast<std::size_t>(row)], on);
    Ticks();
}

void TCatSelection::TickAll(std::uint8_t side, bool on) {
    Selection.TickAll(side, on);
    Ticks();
}

// The boxes show the types' ticks; OK is offered while any is ticked.
void TCatSelection::Ticks() {
    for (auto [box, side] : {std::pair{CreditBox, SideCredit}, std::pair{DebitBox, SideDebit}}) {
        std::vector<bool> ticks;
        for (const TCatRec* type : Selection.TypesOfSide(side))
            ticks.push_back(type->Picked != 0);
        box->SetTicks(ticks);
    }
    OKBtn->setEnabled(Selection.CanApply());
}

void TCatSelection::ResetBtnClick() {
    Selection.Reset();
    Ticks();
}

} // namespace qz::gui
