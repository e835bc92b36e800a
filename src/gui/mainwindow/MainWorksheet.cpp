// The main window as the worksheet's host: the grid, the panels, the indicators and the
// progress bar show what the worksheet computed; the transaction search it asks for opens
// here, and the editors of later versions answer Cancel until then.

#include "MainForm.h"

#include "TaxSummaryPanel.h"
#include "controls/DatePanel.h"
#include "controls/KQBookBar.h"
#include "controls/KQButton2.h"
#include "controls/ToggleSwitches.h"
#include "edit/AccessCheck.h"
#include "editors/TransFindForm.h"
#include "grid/Grid3.h"
#include "grid/WinColour.h"
#include "options/PasswordDlg.h"
#include "platform/TextCodec.h"
#include "reports/MonthSelector.h"

#include <QAbstractButton>
#include <QAction>
#include <QDate>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>

#include <algorithm>

namespace qz::gui {

namespace {

QDate ToQDate(TDateTime date) {
    const CalendarDate d = DecodeDate(date);
    return QDate(d.Year, d.Month, d.Day);
}

} // namespace

void TMain::ShowColumnSet(TGridInfo& columns) {
    GridB1->SetGridInfo(&columns);
}

void TMain::ShowViewPanels() {
    if (TabControl1->currentIndex() != Sheet.ActiveTab()) {
        const QSignalBlocker quiet(TabControl1);
        TabControl1->setCurrentIndex(Sheet.ActiveTab());
    }
    BtnPanel->SetSwitches(Sheet.ToggleSwitches());
    LayoutTabPage();
}

void TMain::RefreshGrid(std::int32_t rowCount) {
    // Without a document the grid stays disabled and empty.
    if (!Files.IsOpen) {
        if (GridB1->RowCount() != 0 || GridB1->GridEnabled())
            GridB1->ClearGrid(true);
        else
            GridB1->RefreshGrid(false);
        return;
    }
    GridB1->SetRowCount(rowCount);
}

void TMain::RepaintGrid() {
    GridB1->RefreshGrid(false);
}

void TMain::ScrollGridToTop(bool everyView) {
    if (TGridInfo* info = GridB1->GridInfo())
        info->ScrollBarPos = 0;
    // Every view back at its top: what the views show changed, so their current rows go to the top too.
    if (everyView)
        GridB1->ForgetPlaces();
    else
        GridB1->SetCurrentRow(0);
    GridB1->RefreshGrid(false);
}

void TMain::ShowTaxSummary(const TTaxSummary& summary) {
    const bool resized = GstPanel->Summary().LabelWidthSample != summary.LabelWidthSample ||
                         GstPanel->Summary().ValueWidthSample != summary.ValueWidthSample;
    GstPanel->SetSummary(summary);
    if (resized)
        LayoutTabPage();
}

void TMain::FiltersChanged() {
    // Without a document the pickers show today.
    const TDateTime today = Services.Time->Today();
    DatePanelCtl->SetState(Filters.DaySwitchDown(), ToQDate(Files.IsOpen ? Filters.DateFrom() : today),
                           ToQDate(Files.IsOpen ? Filters.DateTo() : today), ToQColor(Filters.DatePanelColour()),
                           ToQColor(Filters.DateLabelColour()));
    DatePanelCtl->SetDatesEnabled(Files.IsOpen && Books.TransList.Count() > 0);
    const std::pair<QPushButton*, TSelectionKind> buttons[] = {{ActSelBtn, TSelectionKind::Categories},
                                                               {GrpSelBtn, TSelectionKind::Groups},
                                                               {FindSelBtn, TSelectionKind::Transactions}};
    for (const auto& [button, kind] : buttons) {
        const TSelectionButton state = Filters.SelectionButton(kind);
        button->setText(FromDocument(state.Caption));
        button->setToolTip(FromDocument(state.Hint));
        button->setEnabled(Files.IsOpen && state.Enabled);
        // The disabled look stays the style's own.
        QPalette palette = button->palette();
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, QPalette::Button, ToQColor(state.Colour));
            palette.setColor(group, QPalette::ButtonText, ToQColor(state.FontColour));
        }
        button->setPalette(palette);
    }
    ResetSelBtn->setEnabled(Files.IsOpen && Filters.ResetSelEnabled());
}

void TMain::ToolButtonsChanged() {
    GraphBtn->setEnabled(Files.IsOpen && Sheet.ReportsEnabled());
    PrintBtn->setEnabled(Files.IsOpen && Sheet.ReportsEnabled());
    if (QAction* transfers = Action(QStringLiteral("TransfersItem")))
        transfers->setEnabled(Files.IsOpen && Books.BookList.Count() > 1);
}

void TMain::AccountBarChanged() {
    KQBookBar->SetButtons(Filters.AccountButtons());
    KQBookBar->SetAllEnabled(Filters.AllAccountsEnabled());
}

void TMain::ShowProgress(int position) {
    if (position >= 100) {
        Progress->hide();
        return;
    }
    Progress->setValue(position);
    Progress->raise();
    Progress->show();
    // The work goes on without returning to the event loop: paint now.
    Progress->repaint();
}

void TMain::StoreOption(TWorksheetOption option, bool value) {
    OptionsStore->WriteOption(
        option == TWorksheetOption::IncludeDisabledInCalc ? OptIncludeDisabledInCalc : OptGSTinTotals, value);
}

// ---- The document's password areas -----------------------------------------------------------

bool TMain::CheckAccess(TAccessArea area) {
    return Access.Check(area);
}

// ---- Changes of several records, written as one commit -----------------------------------------

void TMain::BeginChanges() {
    Files.BeginChanges();
}

bool TMain::EndChanges() {
    return Files.EndChanges();
}

// ---- The transaction search -------------------------------------------------------------------

// Created on first use and then only hidden, so that it keeps the criteria last accepted.
TTransFindForm& TMain::SearchWindow() {
    if (!TransFind)
        TransFind = new TTransFindForm(
            Books, Ask, [this](int position) { ShowProgress(position); }, [this](int topic) { ShowHelp(topic); }, this);
    return *TransFind;
}

bool TMain::OpenSearch(bool newSearch) {
    return Files.IsOpen && SearchWindow().OpenSearch(newSearch);
}

void TMain::ReapplySearch() {
    if (Files.IsOpen && TransFind)
        TransFind->ReapplySearch();
}

// The month selector opens just below the "Select a Date Range by month" button.
bool TMain::PickMonths(TMonth& first, TMonth& last) {
    const QAbstractButton* button = DatePanelCtl->PeriodButton();
    const QPoint below = button->mapToGlobal(QPoint(0, button->height()));
    const TMonthPeriod period = TMonthSelector::SelectMonths(below, Books.TransList, this);
    if (!period.Ok)
        return false;
    first = {period.Start.year(), period.Start.month()};
    last = {period.End.year(), period.End.month()};
    return true;
}

} // namespace qz::gui
