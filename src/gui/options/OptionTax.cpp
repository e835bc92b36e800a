// The options window's "Password" and "GST / VAT" pages.

#include "Option.h"

#include "GstPercentChange.h"
#include "NewPasswordDlg.h"
#include "controls/PercentBox.h"
#include "platform/TextCodec.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

namespace qz::gui {

namespace {

// The picture beside the payments category: the tax's name on a tax-office stamp.
QPixmap TaxImage(const QString& name) {
    QPixmap picture(44, 44);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = name == QLatin1String("VAT") ? QColor(0x1F, 0x4E, 0x9A) : QColor(0x2E, 0x7D, 0x32);
    painter.setPen(QPen(ink, 2));
    painter.setBrush(ink.lighter(190));
    painter.drawEllipse(QRectF(2, 2, 40, 40));
    painter.setPen(QPen(ink, 1, Qt::DotLine));
    painter.drawEllipse(QRectF(6, 6, 32, 32));
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(12);
    painter.setFont(font);
    painter.setPen(ink.darker(130));
    painter.drawText(QRectF(0, 0, 44, 44), Qt::AlignCenter, name);
    return picture;
}

} // namespace

// ---- Password ----------------------------------------------------------------------------------

void TOptions::ShowPasswordState() {
    const bool password = !PasswordCopy.empty();
    PasswordBtn->setText(password ? QStringLiteral("Change Password") : QStringLiteral("Create a new Password"));
    ProtectGroup->setEnabled(password);
    TProtections protections{};
    for (std::size_t i = 0; i < ProtectBoxes.size(); ++i)
        protections[i] = ProtectBoxes[i]->isChecked();
    ClearPasswordBtn->setEnabled(CanClearPassword(PasswordCopy, protections));
}

void TOptions::PasswordBtnClick() {
    std::function<void()> help;
    if (Ctx.ShowHelp)
        help = [this] { Ctx.ShowHelp(26070); };
    if (const std::optional<std::string> password = TNewPasswordDlg::Ask(this, *Ctx.Ask, help)) {
        PasswordCopy = *password;
        ShowPasswordState();
    }
}

void TOptions::ClearPasswordClick() {
    if (Ctx.Ask->MessageBox("Clear the current password?", MsgKind::Warning, MsgButtons::YesNo) != MsgResult::Yes)
        return;
    PasswordCopy.clear();
    ShowPasswordState();
}

// ---- GST / VAT ---------------------------------------------------------------------------------

TTaxTracking TOptions::ChosenTracking() const {
    return VatBtn->isChecked() ? TTaxTracking::Vat : GstBtn->isChecked() ? TTaxTracking::Gst : TTaxTracking::Off;
}

void TOptions::SelectTracking(TTaxTracking tracking) {
    QRadioButton* button = tracking == TTaxTracking::Off ? NoTaxBtn : tracking == TTaxTracking::Vat ? VatBtn : GstBtn;
    button->setChecked(true);
    // Already chosen: the page still shows the tax's labels.
    RelabelTax(tracking);
}

void TOptions::RelabelTax(TTaxTracking tracking) {
    const bool tracked = tracking != TTaxTracking::Off;
    // While nothing is tracked the labels keep their last tax; they are hidden then anyway.
    const QString name = tracking == TTaxTracking::Vat ? QStringLiteral("VAT") : QStringLiteral("GST");
    PercentLabel->setText(name + QStringLiteral(" Percentage"));
    OpeningLabel->setText(name + QStringLiteral(" Opening Balance"));
    CategoryCaption->setText(QStringLiteral("Category used for %1 payments").arg(name));
    OptionBoxes[OptAutoCalcGST]->setText(QStringLiteral("Auto-calc %1 on Transactions by default").arg(name));
    TaxPicture->setPixmap(TaxImage(name));
    if (tracked)
        CategoryLabel->setText(name);
    TaxControls->setVisible(tracked);
}

void TOptions::TaxChosen(TTaxTracking tracking) {
    if (Loading || tracking != TTaxTracking::Off || !Ctx.Files->Settings.TaxOn) {
        RelabelTax(tracking);
        return;
    }
    // Switching the document's tax off: refused while transactions use the tax categories,
    // otherwise only when the user agrees.
    const std::string taxName = Ctx.Files->Settings.TaxName;
    const TTaxTracking documentTax = taxName == "VAT" ? TTaxTracking::Vat : TTaxTracking::Gst;
    bool agreed = false;
    if (TaxCategoriesInUse(*Ctx.Books, Ctx.Files->Settings))
        Ctx.Ask->MessageBox(TaxSwitchOffRefusedText(taxName), MsgKind::Warning, MsgButtons::Ok);
    else
        agreed = Ctx.Ask->MessageBox(TaxSwitchOffQuestionText(taxName), MsgKind::Warning, MsgButtons::YesNoCancel) ==
                 MsgResult::Yes;
    if (agreed) {
        TaxOffAgreed = true;
        RelabelTax(tracking);
        return;
    }
    // Back to the document's tax, keeping the category name the page showed.
    const QString category = CategoryLabel->text();
    Loading = true;
    SelectTracking(documentTax);
    Loading = false;
    CategoryLabel->setText(category);
}

void TOptions::ChangePercentClick() {
    const std::string taxName = ChosenTracking() == TTaxTracking::Vat ? "VAT" : "GST";
    if (const std::optional<Money> percent = TfmGstPercentChange::ChangeTaxPercent(
            this, *Ctx.Files, *Ctx.Books, *Ctx.Formats, *Ctx.Ask, PercentBox->Value(), taxName))
        PercentBox->SetValue(*percent);
}

void TOptions::RenameClick() {
    const std::string taxName = ChosenTracking() == TTaxTracking::Vat ? "VAT" : "GST";
    const std::string shown = ToDocument(CategoryLabel->text());
    std::string answer = shown;
    if (!Ctx.Ask->InputBox(taxName + " Payment Category", "Rename " + taxName + " payment Category", answer))
        return;
    const QString trimmed = FromDocument(answer).trimmed();
    if (ToDocument(trimmed) == shown)
        return;
    const std::string refusal = TaxCategoryRenameRefusal(ToDocument(trimmed), *Ctx.Books);
    if (!refusal.empty()) {
        Ctx.Ask->MessageBox(refusal, MsgKind::Warning, MsgButtons::Ok);
        return;
    }
    CategoryLabel->setText(trimmed);
}

} // namespace qz::gui
