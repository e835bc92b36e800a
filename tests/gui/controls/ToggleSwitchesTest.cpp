// The two toggle switches: setting them raises nothing; only pressing the switch that is up does.

#include "controls/ToggleSwitches.h"
#include "grid/WinColour.h"

#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace qz::gui::test {

namespace {

class ToggleSwitchesTest : public ::testing::Test {
protected:
    TToggleSwitchPanel Panel;
    std::vector<int> Raised;

    void SetUp() override {
        Panel.OnSwitchDown = [this](int which) { Raised.push_back(which); };
        Panel.SetSwitches({{"Include unreconciled", "Exclude unreconciled"}, 1, 148, 154, RGBColour(0, 0, 255)});
        Panel.resize(320, TToggleSwitchPanel::PanelHeight);
        Panel.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Panel));
    }

    void Press(int which) { QTest::mouseClick(Panel.Switch(which), Qt::LeftButton); }
    QRgb FaceOf(int which) { return Panel.Switch(which)->grab().toImage().pixel(4, 4); }
};

} // namespace

TEST_F(ToggleSwitchesTest, SettingTheSwitchesPlacesThemAndRaisesNothing) {
    EXPECT_EQ(Panel.Switch(0)->text(), QStringLiteral("Include unreconciled"));
    EXPECT_EQ(Panel.Switch(1)->text(), QStringLiteral("Exclude unreconciled"));
    EXPECT_EQ(Panel.Switch(0)->geometry().left(), 2);
    EXPECT_EQ(Panel.Switch(1)->geometry().left(), 154);
    EXPECT_EQ(Panel.Switch(1)->width(), 148);
    EXPECT_EQ(Panel.Down(), 1);
    EXPECT_EQ(FaceOf(1), QColor(0, 0, 255).rgb());
    EXPECT_EQ(FaceOf(0), Panel.palette().color(QPalette::Button).rgb());

    // Another tab: other captions, the other switch down, in dark red; still no event.
    Panel.SetSwitches({{"Excluding GST", "Including \xA3"}, 0, 120, 126, RGBColour(128, 0, 0)});
    EXPECT_EQ(Panel.Switch(1)->text(), QStringLiteral("Including \u00A3"));
    EXPECT_EQ(Panel.Switch(1)->geometry(), QRect(126, 2, 120, Panel.Switch(0)->height()));
    EXPECT_EQ(FaceOf(0), QColor(128, 0, 0).rgb());
    EXPECT_EQ(FaceOf(1), Panel.palette().color(QPalette::Button).rgb());
    EXPECT_TRUE(Raised.empty());
}

TEST_F(ToggleSwitchesTest, OnlyPressingTheSwitchThatIsUpRaisesTheEvent) {
    struct Step {
        int Pressed;
        std::vector<int> Raised;
        int Down;
    };
    const Step steps[] = {{1, {}, 1}, {0, {0}, 0}, {0, {0}, 0}, {1, {0, 1}, 1}};
    for (const Step& step : steps) {
        Press(step.Pressed);
        EXPECT_EQ(Raised, step.Raised);
        EXPECT_EQ(Panel.Down(), step.Down);
    }
    EXPECT_EQ(FaceOf(1), QColor(0, 0, 255).rgb());
    EXPECT_EQ(FaceOf(0), Panel.palette().color(QPalette::Button).rgb());
}

} // namespace qz::gui::test
