// The main window's layout: the tool bar in its wide or narrow form, the filter bar on one row or
// two, the tabs and the tab page with the grid, the panels below it and the account bar, and the
// window's minimum size, at which every control shows whole.

#include "MainForm.h"
#include "NoDocumentPanel.h"
#include "TaxSummaryPanel.h"
#include "controls/DatePanel.h"
#include "controls/KQBookBar.h"
#include "controls/KQButton2.h"
#include "controls/ToggleSwitches.h"
#include "controls/ToolGlyphs.h"
#include "grid/Grid3.h"

#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QTabBar>

#include <algorithm>

namespace qz::gui {

namespace {

// The tool bar's places: left and width on a screen 800 pixels wide or more, then on a narrower one
// ("&Categories" and "&Groups" one pixel narrower there, so that they end where the next begins).
struct TToolPlace {
    int WideLeft, WideWidth, NarrowLeft, NarrowWidth, WideFont;
};
constexpr TToolPlace ToolPlaces[8] = {
    {2, 152, 2, 114, 9},    {161, 96, 122, 75, 9},  {257, 90, 197, 75, 9},  {347, 90, 272, 76, 9},
    {444, 98, 354, 75, 10}, {542, 70, 429, 59, 10}, {619, 98, 494, 74, 10}, {724, 74, 574, 64, 10},
};
constexpr int SeparatorPlaces[4][2] = {{156, 118}, {439, 350}, {614, 490}, {719, 570}};
constexpr int WideScreen = 800;
// The tool bar's right edge and margin in each layout: the narrowest window for each.
constexpr int WideToolBarWidth = 724 + 74 + 2;
constexpr int NarrowToolBarWidth = 574 + 64 + 2;
constexpr int WideFilterTop = 36;
constexpr int NarrowFilterTop = 43;
constexpr int MinimumGridRows = 5;
constexpr int ToggleHeight = 26;
constexpr int PageMargin = 4;
constexpr int SelectionButtonMinWidth = 132;
constexpr int ResetButtonWidth = 70;
constexpr int SelectionGap = 4;

} // namespace

void TMain::LayoutToolBar() {
    const QScreen* screen = this->screen();
    // The wide tool bar on a screen 800 pixels wide or more, while the window is wide enough for it;
    // a narrower window takes the narrow one rather than losing its last buttons.
    Wide = (!screen || screen->geometry().width() >= WideScreen) && Client->width() >= WideToolBarWidth;
    const int height = Wide ? 32 : 40;
    TKQButton2* buttons[8] = {TransBtn, ActBtn, GrpBtn, ToolsBtn, GraphBtn, PrintBtn, OptionBtn, HelpBtn};
    for (int i = 0; i < 8; ++i) {
        const TToolPlace& place = ToolPlaces[i];
        TKQButton2* button = buttons[i];
        button->SetGlyphPlace(Wide ? TKQButton2::TGlyphPlace::Left : TKQButton2::TGlyphPlace::Top);
        button->SetGlyph(ToolGlyph(static_cast<TToolGlyph>(button->property("glyph").toInt()), Wide ? 20 : 18));
        QFont font = button->font();
        font.setPointSize(Wide ? place.WideFont : 9);
        button->setFont(font);
        button->setGeometry(Wide ? place.WideLeft : place.NarrowLeft, 2, Wide ? place.WideWidth : place.NarrowWidth,
                            height);
    }
    for (int i = 0; i < 4; ++i)
        Separators[i]->setGeometry(Wide ? SeparatorPlaces[i][0] : SeparatorPlaces[i][1], 2, 4, height);
}

int TMain::SelectionButtonWidth(QPushButton* button, bool compact) const {
    const int least = compact ? 0 : button == ResetSelBtn ? ResetButtonWidth : SelectionButtonMinWidth;
    return std::max(least, button->sizeHint().width());
}

int TMain::SelectionRowWidth(bool compact) const {
    int width = -SelectionGap;
    for (QPushButton* button : {ActSelBtn, GrpSelBtn, FindSelBtn, ResetSelBtn})
        width += SelectionButtonWidth(button, compact) + SelectionGap;
    return width;
}

int TMain::LayoutFilterBar(int top) {
    DatePanelCtl->setGeometry(2, top, DatePanelCtl->sizeHint().width(), TDatePanel::PanelHeight);
    const int besideDates = DatePanelCtl->geometry().right() + 1 + 6;
    const int right = Client->width() - 2;
    // The selection buttons and "R&eset" beside the dates, as wide as their captions need when the
    // roomier widths do not fit there; on a row of their own below them when neither does.
    bool compact = false;
    int x = besideDates;
    int rowTop = top;
    if (x + SelectionRowWidth(false) > right) {
        compact = x + SelectionRowWidth(true) <= right;
        if (!compact) {
            x = 2;
            rowTop += TDatePanel::PanelHeight;
        }
    }
    for (QPushButton* button : {ActSelBtn, GrpSelBtn, FindSelBtn, ResetSelBtn}) {
        const int width = SelectionButtonWidth(button, compact);
        button->setGeometry(x, rowTop + 4, width, 26);
        x += width + SelectionGap;
    }
    return rowTop + TDatePanel::PanelHeight - top;
}

QSize TMain::MinimumClientSize() const {
    // The narrow tool bar, the filter bar on two rows, the tabs, and a page with a few rows of the
    // grid above the toggle switches and the account bar.
    const int width =
        std::max({NarrowToolBarWidth, DatePanelCtl->sizeHint().width() + 4, SelectionRowWidth(false) + 4,
                  TGrid3::ScrollBarSize + GridB1->BtnWidth() + KQBookBar->minimumSizeHint().width() + 2 * PageMargin,
                  NoDocPanel->sizeHint().width() + 6});
    const int tabTop = NarrowFilterTop + 2 * TDatePanel::PanelHeight + 1;
    const int grid =
        GridB1->TitleHeight() + GridB1->TotalsHeight() + MinimumGridRows * GridB1->RowHeight() + TGrid3::ScrollBarSize;
    // Without a document the page holds the panel of choices instead.
    const int page = std::max(2 * PageMargin + grid + ToggleHeight + KQBookBar->sizeHint().height() + 4,
                              NoDocPanel->sizeHint().height() + 2);
    // The page starts one pixel up, under the tabs' lower edge.
    return {width, tabTop + TabControl1->sizeHint().height() + page + 1};
}

void TMain::LayoutClient() {
    if (Closing)
        return;
    LayoutToolBar();
    const int filterTop = Wide ? WideFilterTop : NarrowFilterTop;
    const int tabTop = filterTop + LayoutFilterBar(filterTop) + (Wide ? 0 : 1);

    const int width = Client->width() - 4;
    const int barHeight = TabControl1->sizeHint().height();
    TabControl1->setGeometry(2, tabTop, width, barHeight);
    TabPage->setGeometry(2, tabTop + barHeight - 1, width, std::max(0, Client->height() - tabTop - barHeight - 1));
    LayoutTabPage();
    const QRect tabs(2, tabTop, width, Client->height() - tabTop);
    const int progressHeight = 16;
    Progress->setGeometry(tabs.left() + 59, tabs.bottom() - 2 - progressHeight, std::max(10, tabs.width() - 137),
                          progressHeight);
}

void TMain::LayoutTabPage() {
    const int inner = TabPage->width() - 2 * PageMargin;
    TTabPageMeasures measures;
    measures.PageHeight = TabPage->height() - PageMargin;
    measures.GridTop = PageMargin;
    measures.TaxPanelHeight = GstPanel->PreferredHeight();
    measures.TogglePanelHeight = ToggleHeight;
    measures.AccountBarHeight = KQBookBar->sizeHint().height();
    const TTabPageLayout layout = Sheet.Layout(measures);
    int y = PageMargin;
    GridB1->setGeometry(PageMargin, y, inner, std::max(0, layout.GridHeight));
    y += std::max(0, layout.GridHeight);
    BtnPanel->setVisible(layout.TogglePanelVisible && DocumentOpen());
    if (layout.TogglePanelVisible) {
        BtnPanel->setGeometry(PageMargin, y, inner, ToggleHeight);
        y += ToggleHeight;
    }
    GstPanel->setVisible(layout.TaxPanelVisible);
    if (layout.TaxPanelVisible) {
        const int panelWidth = std::min(inner, GstPanel->LabelColumnWidth() + GstPanel->ValueColumnWidth() + 16);
        GstPanel->setGeometry(PageMargin, y, panelWidth, layout.TaxPanelHeight);
        y += layout.TaxPanelHeight;
    }
    NoDocPanel->setGeometry(TabPage->rect().adjusted(1, 1, -1, -1));
    // The account bar is 4 pixels narrower than the tab control, at the page's foot.
    KQBookBar->setGeometry(2, TabPage->height() - measures.AccountBarHeight - 2, TabPage->width() - 4,
                           measures.AccountBarHeight);
}

void TMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    LayoutClient();
}

} // namespace qz::gui
