// The options window's "Worksheet" page: outline colour and font, the settings sets, the
// columns, and the gradient fill.

#include "Option.h"

#include "FontPick.h"
#include "grid/ColumnProperties.h"
#include "grid/WinColour.h"
#include "platform/TextCodec.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace qz::gui {

namespace {

constexpr int LargestFontSize = 80;

constexpr const char* SixteenColoursText =
    "This option is only available when your display is set for 256 or more colours.  To change the number of "
    "display colours use the 'Display Properties' in the Windows Control Panel.";

QIcon Swatch(const QColor& colour) {
    QPixmap picture(28, 14);
    picture.fill(colour);
    QPainter painter(&picture);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 27, 13);
    return QIcon(picture);
}

} // namespace

void TOptions::ShowWorksheetLook() {
    OutlineColourBtn->setIcon(Swatch(ToQColor(OutlineColour)));
    FontBox->setText(QStringLiteral("%1, %2").arg(GridFont.family()).arg(GridFont.pointSize()));
    FontBox->setFont(GridFont);
}

// The outline colour and font as the grid has them.
void TOptions::ReloadWorksheetLook() {
    const TGridProperties& grid = *Ctx.GridProps;
    OutlineColour = grid.GridColor;
    GridFont = QFont(FromDocument(grid.FontName), std::max(1, grid.FontSize));
    GridFont.setBold(grid.FontStyle & 1);
    GridFont.setItalic(grid.FontStyle & 2);
    ShowWorksheetLook();
}

// The radio group shows `set`, or no choice for -1.
void TOptions::ShowChosenSet(int set) {
    SettingsButtons->setExclusive(false);
    DefaultSetBtn->setChecked(set == 0);
    UserSetBtn->setChecked(set == 1);
    SettingsButtons->setExclusive(true);
}

int TOptions::ChosenSet() const {
    return SettingsButtons->checkedId();
}

void TOptions::BecomeCustomised() {
    ShowChosenSet(-1);
    SaveUserBtn->setEnabled(true);
    ApplySettingsBtn->setEnabled(true);
    *Ctx.Customised = true;
}

void TOptions::OutlineColourClick() {
    const QColor chosen = QColorDialog::getColor(ToQColor(OutlineColour), this, QStringLiteral("Outline Colour"));
    if (!chosen.isValid())
        return;
    OutlineColour = FromQColor(chosen);
    ShowWorksheetLook();
    BecomeCustomised();
}

void TOptions::ChangeFontClick() {
    std::optional<QFont> chosen = TFontPick::Pick(this, GridFont);
    if (!chosen)
        return;
    chosen->setPointSize(std::min(chosen->pointSize(), LargestFontSize));
    GridFont = *chosen;
    ShowWorksheetLook();
    BecomeCustomised();
}

void TOptions::WorksheetSetChosen() {
    if (Loading)
        return;
    SaveUserBtn->setEnabled(false);
    ApplySettingsBtn->setEnabled(*Ctx.Customised || ChosenSet() != CurrentSet);
}

// The apply button, the save button and OK: the grid takes the page's look, or the chosen set.
void TOptions::ApplyWorksheetSettings() {
    const int chosen = ChosenSet();
    TGridProperties& grid = *Ctx.GridProps;
    if (chosen < 0) {
        const std::string name = ToDocument(GridFont.family());
        const std::uint8_t style =
            static_cast<std::uint8_t>((grid.FontStyle & ~3) | (GridFont.bold() ? 1 : 0) | (GridFont.italic() ? 2 : 0));
        const bool changed = grid.GridColor != OutlineColour || grid.FontName != name ||
                             grid.FontSize != GridFont.pointSize() || grid.FontStyle != style;
        grid.GridColor = OutlineColour;
        grid.FontName = name;
        grid.FontSize = GridFont.pointSize();
        grid.FontStyle = style;
        if (changed) {
            WorksheetTouched = true;
            Ctx.ApplyGridProperties();
        } else {
            Ctx.RepaintWorksheet();
        }
    } else {
        CurrentSet = chosen;
        Ctx.Options->LoadSet(chosen);
        WorksheetTouched = true;
        Ctx.ApplyGridProperties();
        ReloadWorksheetLook();
    }
    Ctx.Options->SetInUse(CurrentSet);
    *Ctx.Customised = chosen < 0;
    ApplySettingsBtn->setEnabled(false);
}

void TOptions::SaveUserSettingsClick() {
    if (Ctx.Options->Faulty) {
        Ctx.Ask->MessageBox("Unable to save options due to an error in the worksheet option file.  Make sure your "
                            "hard drive is free of errors.  You may need to re-install Quillmar Zudeduze to correct "
                            "this error.",
                            MsgKind::Warning, MsgButtons::Ok);
        return;
    }
    CurrentSet = 1;
    ApplyWorksheetSettings();
    Ctx.Options->SaveSet(1);
    ShowChosenSet(1);
    // The worksheet is now the user settings.
    *Ctx.Customised = false;
    SaveUserBtn->setEnabled(false);
}

void TOptions::SaveDefaultSettingsClick() {
    Ctx.Options->SaveSet(0);
    Ctx.Ask->MessageBox("Deault Options saved.", MsgKind::Information, MsgButtons::Ok);
    ReloadWorksheetLook();
}

void TOptions::GradientsClick(bool on) {
    Ctx.SetGradients(on);
    Ctx.Options->WriteOption(OptGradients, on);
}

void TOptions::EditColumnsClick() {
    if (Ctx.Colours == TColourClass::Colours16) {
        Ctx.Ask->MessageBox(SixteenColoursText, MsgKind::Information, MsgButtons::Ok);
        return;
    }
    if (TColumnProperties::Edit(this, *Ctx.Sets, *Ctx.Customised, Ctx.ActiveTab, Ctx.Colours, Ctx.RepaintWorksheet)) {
        WorksheetTouched = true;
        BecomeCustomised();
    }
}

} // namespace qz::gui
