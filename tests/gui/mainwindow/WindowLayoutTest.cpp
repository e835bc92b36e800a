// The main window at small sizes: down to its minimum size every control shows whole, inside the
// window and clear of the others; the tool bar takes its narrow layout and the filter bar a second
// row when the window is too narrow for them.

#include "MainFormFixture.h"

#include "controls/DatePanel.h"
#include "controls/KQBookBar.h"
#include "controls/KQButton2.h"
#include "controls/ToggleSwitches.h"

#include <QAbstractButton>
#include <QDateEdit>
#include <QPushButton>
#include <QTabBar>

namespace qz::gui::test {

namespace {

struct TNamedControl {
    const char* Name;
    QWidget* Widget;
};

std::vector<TNamedControl> Controls(TMain& window) {
    std::vector<TNamedControl> controls;
    for (const char* name :
         {"TransBtn", "ActBtn", "GrpBtn", "ToolsBtn", "GraphBtn", "PrintBtn", "OptionBtn", "HelpBtn"})
        controls.push_back({name, window.ToolButton(QLatin1String(name))});
    for (const char* name : {"ActSelBtn", "GrpSelBtn", "FindSelBtn", "ResetSelBtn"})
        controls.push_back({name, window.findChild<QPushButton*>(QLatin1String(name))});
    controls.push_back({"DatePanel", window.DatePanel()});
    controls.push_back({"TabControl1", window.TabControl()});
    controls.push_back({"GridB1", window.Grid()});
    controls.push_back({"BtnPanel", window.TogglePanel()});
    controls.push_back({"KQBookBar", window.AccountBar()});
    return controls;
}

// The control's place in the window.
QRect InWindow(const TMain& window, const QWidget* widget) {
    return QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size());
}

// A window size; empty for the window's minimum size.
struct WindowSize {
    const char* Name;
    QSize Size;
};

void PrintTo(const WindowSize& size, std::ostream* out) {
    *out << size.Name;
}

class WindowLayoutTest : public MainFormTest, public ::testing::WithParamInterface<WindowSize> {};

} // namespace

TEST_F(MainFormTest, TheMinimumSizeFitsA640By480Screen) {
    EXPECT_LE(Window->minimumWidth(), 640);
    EXPECT_LE(Window->minimumHeight(), 480 - 40); // room for a window frame and a panel
    Window->resize(100, 100);
    EXPECT_EQ(Window->size(), Window->minimumSize());
}

TEST_P(WindowLayoutTest, EveryControlShowsWholeInsideTheWindowAndClearOfTheOthers) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk")));
    const QSize size = GetParam().Size.isEmpty() ? Window->minimumSize() : GetParam().Size;
    Window->resize(size);
    QApplication::processEvents();
    ASSERT_EQ(Window->size(), size);
    const std::vector<TNamedControl> controls = Controls(*Window);
    for (const TNamedControl& control : controls) {
        SCOPED_TRACE(control.Name);
        ASSERT_NE(control.Widget, nullptr);
        EXPECT_TRUE(control.Widget->isVisible());
        const QRect place = InWindow(*Window, control.Widget);
        EXPECT_TRUE(Window->rect().contains(place))
            << place.x() << "," << place.y() << " " << place.width() << "x" << place.height();
        // Nothing is squeezed below the size it asks for (a cut caption, a cut picker).
        if (qobject_cast<QAbstractButton*>(control.Widget) || control.Widget == Window->DatePanel()) {
            EXPECT_GE(control.Widget->width(), control.Widget->sizeHint().width());
        }
    }
    // Tool bar, filter bar and tabs: each control clear of the others.
    for (std::size_t a = 0; a < controls.size(); ++a)
        for (std::size_t b = a + 1; b < controls.size(); ++b)
            if (controls[a].Widget->parentWidget() == controls[b].Widget->parentWidget()) {
                EXPECT_FALSE(InWindow(*Window, controls[a].Widget).intersects(InWindow(*Window, controls[b].Widget)))
                    << controls[a].Name << " and " << controls[b].Name;
            }
    // The grid shows rows.
    EXPECT_GE(Window->Grid()->RowsThatFit(), 5);
    // The wide tool bar only where all of it fits.
    EXPECT_EQ(Window->WideToolBar(), size.width() >= 800);
}

// The window's minimum size (empty), the sizes a user tried, and a roomy one.
INSTANTIATE_TEST_SUITE_P(Sizes, WindowLayoutTest,
                         ::testing::Values(WindowSize{"Minimum", QSize()}, WindowSize{"640x480", QSize(640, 480)},
                                           WindowSize{"800x600", QSize(800, 600)},
                                           WindowSize{"1000x700", QSize(1000, 700)}),
                         [](const ::testing::TestParamInfo<WindowSize>& size) { return std::string(size.param.Name); });

} // namespace qz::gui::test
