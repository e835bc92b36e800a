#include "NewEditCat.h"

#include "edit/CategoryTypeEdit.h"
#include "platform/TextCodec.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qz::gui {

TNewEditCat::TNewEditCat(const TCatList& types, Prompts& prompts, const std::string& name, std::int16_t kind,
                         bool isCredit, bool isNew, QWidget* parent)
    : QDialog(parent), Types(types), Messages(prompts), OpenedWith(isNew ? std::string() : name),
      Side(isCredit ? SideCredit : SideDebit) {
    setWindowTitle(isNew ? QStringLiteral("New Category Type") : QStringLiteral("Edit Category Type"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* nameLabel = new QLabel(QStringLiteral("Category Type Name"), this);
    NameEdit = new QLineEdit(FromDocument(name), this);
    NameEdit->setObjectName(QStringLiteral("NameEdit"));
    NameEdit->setMaxLength(static_cast<int>(decltype(TCatRec::Name)::Capacity));
    NameEdit->setMinimumWidth(280);
    nameLabel->setBuddy(NameEdit);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    connect(ok, &QPushButton::clicked, this, &TNewEditCat::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(nameLabel);
    layout->addWidget(NameEdit);
    layout->addSpacing(4);
    layout->addWidget(MakeTypeGroup(Side, isNew ? 0 : kind));
    layout->addSpacing(6);
    layout->addWidget(buttons);
    NameEdit->selectAll();
    NameEdit->setFocus();
}

// The radio group of the side: each report section the side offers, the given one chosen.
QGroupBox* TNewEditCat::MakeTypeGroup(std::uint8_t side, std::int16_t kind) {
    auto* group = new QGroupBox(QStringLiteral("Type"), this);
    group->setObjectName(side == SideCredit ? QStringLiteral("CreditTypeGroup") : QStringLiteral("DebitTypeGroup"));
    auto* column = new QVBoxLayout(group);
    for (const TKindChoice& choice : KindChoices(side)) {
        auto* button = new QRadioButton(QString::fromLatin1(choice.Caption), group);
        button->setObjectName(QStringLiteral("Kind%1").arg(choice.Kind));
        button->setChecked(choice.Kind == kind);
        column->addWidget(button);
        Kinds.emplace_back(button, choice.Kind);
    }
    return group;
}

std::string TNewEditCat::Name() const {
    return ToDocument(NameEdit->text());
}

std::int16_t TNewEditCat::Kind() const {
    for (const auto& [button, kind] : Kinds)
        if (button->isChecked())
            return kind;
    return 0;
}

void TNewEditCat::OKBtnClick() {
    const std::string refusal = CategoryTypeRefusal(Types, Name(), Side, Kind(), OpenedWith);
    if (refusal.empty()) {
        accept();
        return;
    }
    Messages.MessageBox(refusal, MsgKind::Information, MsgButtons::Ok);
    // A name refused puts the focus back in the name box; a missing section leaves it where it is.
    if (refusal != "You must select a Type")
        NameEdit->setFocus();
}

bool TNewEditCat::EditCategoryType(QWidget* parent, const TCatList& types, Prompts& prompts, std::string& name,
                                   std::int16_t& kind, bool isCredit, bool isNew) {
    TNewEditCat dialog(types, prompts, name, kind, isCredit, isNew, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    name = dialog.Name();
    kind = dialog.Kind();
    return true;
}

} // namespace qz::gui
