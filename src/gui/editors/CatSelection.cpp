#include "CatSelection.h"

#include <QHBoxLayout>

namespace qz::gui {

namespace {

constexpr std::uint8_t Sides[] = {SideCredit, SideDebit};

} // namespace

TCatSelection::TCatSelection(TCatList& types, ShowHelpFn showHelp, QWidget* parent)
    : TSelectionDialog(QStringLiteral("Category Type Selection"), HelpTopic, std::move(showHelp), parent),
      Selection(types) {
    CreditBox = new TActSelectBox(QStringLiteral("Credit"), QStringLiteral("Category Type"), false, this);
    CreditBox->setObjectName(QStringLiteral("CreditBox"));
    DebitBox = new TActSelectBox(QStringLiteral("Debit"), QStringLiteral("Category Type"), false, this);
    DebitBox->setObjectName(QStringLiteral("DebitBox"));
    DebitBox->SetColours(QColor(0xFF, 0x00, 0x00), Qt::white);
    for (const std::uint8_t side : Sides) {
        connect(BoxOf(side), &TActSelectBox::TickChanged, this,
                [this, side](int row, bool on) { Tick(side, row, on); });
        connect(BoxOf(side), &TActSelectBox::AllTicked, this, [this, side](bool on) { TickAll(side, on); });
    }
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(CreditBox);
    boxes->addWidget(DebitBox);
    LayOut(boxes);
    resize(520, 360);
    Fill();
}

bool TCatSelection::SelectCategoryTypes(QWidget* parent, TCatList& types, const ShowHelpFn& showHelp) {
    TCatSelection dialog(types, showHelp, parent);
    return dialog.exec() == QDialog::Accepted;
}

TActSelectBox* TCatSelection::BoxOf(std::uint8_t side) const {
    return side == SideCredit ? CreditBox : DebitBox;
}

void TCatSelection::Fill() {
    for (const std::uint8_t side : Sides)
        BoxOf(side)->SetRows(SelectRows(Selection.TypesOfSide(side), [](const TCatRec&) { return QString(); }));
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
    for (const std::uint8_t side : Sides)
        BoxOf(side)->SetTicks(PickedTicks(Selection.TypesOfSide(side)));
    OfferOK(Selection.CanApply());
}

void TCatSelection::ResetBtnClick() {
    Selection.Reset();
    Ticks();
}

} // namespace qz::gui
