// The main window and the options window: opening it on a page behind its access check, and
// what its changes call for afterwards (a recalculation, the tax captions, the worksheet's
// column pictures).

#include "MainForm.h"

#include "TaxSummaryPanel.h"
#include "controls/ToggleSwitches.h"
#include "engine/Engine.h"
#include "grid/Grid3.h"
#include "grid/WinColour.h"
#include "options/Option.h"
#include "platform/TextCodec.h"

#include <algorithm>

namespace qz::gui {

namespace {

constexpr const char* SixteenColoursText =
    "This option is only available when your display is set for 256 or more colours.  To change the number of "
    "display colours use the 'Display Properties' in the Windows Control Panel.";

} // namespace

void TMain::ApplyGridProperties() {
    const QFont font = GridFontOf(GridProps);
    // A font of other measures lays the grid out anew (the grid follows its font change).
    GridB1->setFont(font);
    if (GstPanel)
        GstPanel->setFont(font);
    GridB1->SetGridColor(GridProps.GridColor);
}

TOptionsContext TMain::OptionsContext() {
    TOptionsContext context;
    context.Books = &Books;
    context.Files = &Files;
    context.Options = OptionsStore.get();
    context.Ask = &Ask;
    context.Formats = &Formats;
    context.Colours = Services.Colours;
    context.CheckAccess = [this](TAccessArea area) { return CheckAccess(area); };
    context.Sets = &Sheet.GridInfo;
    context.GridProps = &GridProps;
    context.Customised = &Sheet.Customised;
    context.ActiveTab = Sheet.ActiveTab();
    context.ApplyGridProperties = [this] {
        // The grid does not repaint while the settings are applied.
        GridB1->setUpdatesEnabled(false);
        ApplyGridProperties();
        for (TGridInfo& set : Sheet.GridInfo)
            set.SizePicture();
        GridB1->SetGridInfo(&Sheet.ActiveGridInfo());
        Sheet.Refresh();
        GridB1->setUpdatesEnabled(true);
    };
    context.SetGradients = [this](bool on) {
        GridB1->SetGradients(on);
        Sheet.Refresh();
    };
    context.RepaintWorksheet = [this] {
        for (TGridInfo& set : Sheet.GridInfo)
            set.SizePicture();
        GridB1->RefreshGrid(true);
        Sheet.Refresh();
    };
    context.ShowHelp = [this](int topic) { ShowHelp(topic); };
    return context;
}

std::unique_ptr<TOptions> TMain::MakeOptionsWindow(int page) {
    return std::make_unique<TOptions>(OptionsContext(), page, this);
}

void TMain::OptionsMenuClick(int page) {
    if (!Files.IsOpen)
        return;
    if (page == TOptions::TaxPage && Services.Colours == TColourClass::Colours16) {
        Ask.MessageBox(SixteenColoursText, MsgKind::Information, MsgButtons::Ok);
        return;
    }
    OpenOptions(page);
}

int TMain::OpenOptions(int page, bool* taxChanged) {
    if (taxChanged)
        *taxChanged = false;
    if (!Files.IsOpen)
        return 0;
    if ((page == TOptions::PasswordPage && !CheckAccess(TAccessArea::PasswordPage)) ||
        (page == TOptions::WorksheetPage && !CheckAccess(TAccessArea::Worksheet)))
        return 0;
    std::unique_ptr<TOptions> window = MakeOptionsWindow(page);
    const int result = window->Run();
    const bool tax = result != 0 && window->Outcome().TaxChanged;
    AfterOptions(result, tax, window->WorksheetChanged());
    if (taxChanged)
        *taxChanged = tax;
    return result;
}

void TMain::AfterOptions(int result, bool taxChanged, bool worksheetChanged) {
    if (worksheetChanged) {
        for (TGridInfo& set : Sheet.GridInfo)
            set.SizePicture();
        GridB1->RefreshGrid(true);
    }
    if (result == 0) {
        if (worksheetChanged)
            Sheet.Refresh();
        return;
    }
    // The options the worksheet reads (the balance at the end of each day) may have changed.
    ReadStoredOptions();
    if (taxChanged) {
        Sheet.SetTax(Files.Settings.TaxOn != 0, Files.Settings.TaxName);
        UpdateTaxCaptions();
        BtnPanel->SetSwitches(Sheet.ToggleSwitches());
    }
    if (result >= 2) {
        if (result == 3)
            Sheet.ResetViewPositions(false);
        Recalculate(Books);
        ToolButtonsChanged();
    }
    Sheet.Refresh();
}

} // namespace qz::gui
