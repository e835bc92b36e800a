// The percentage arrows: a step of 0.1 per click, down only above 0 and up only below 99.9, and
// the owner's rule raised after each step and never at a bound.

#include "controls/PercentUpDown.h"
#include "controls/PercentBox.h"

#include <QHBoxLayout>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace qz::gui::test {

namespace {

class PercentUpDownTest : public ::testing::Test {
protected:
    QWidget Window;
    TPercentBox* Box = new TPercentBox(Money::FromUnits(100), &Window);
    TPercentUpDown* Arrows = new TPercentUpDown(Box, &Window);
    int Clicks = 0;

    void SetUp() override {
        auto* layout = new QHBoxLayout(&Window);
        layout->addWidget(Box);
        layout->addWidget(Arrows);
        Arrows->OnClick = [this] { ++Clicks; };
        Window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window));
    }

    void Click(int direction, int times) {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(direction > 0 ? Arrows->UpButton() : Arrows->DownButton(), Qt::LeftButton);
    }
};

} // namespace

TEST_F(PercentUpDownTest, ArrowsStepByATenthWithinTheBounds) {
    struct Case {
        Money Start;
        int Direction;
        int Times;
        Money End;
        const char* Shown;
        int Clicks;
    };
    const Case cases[] = {
        {Money::FromUnits(10), +1, 3, Money::FromCents(1030), "10.30", 3},
        {Money::FromUnits(10), -1, 2, Money::FromCents(980), "9.80", 2},
        {Money::FromCents(20), -1, 4, Money(), "0.00", 2},
        {Money(), -1, 1, Money(), "0.00", 0},
        // Not quite 0: one step down lands on 0, not below.
        {Money::FromCents(5), -1, 2, Money(), "0.00", 1},
        {Money::FromCents(9980), +1, 3, Money::FromCents(9990), "99.90", 1},
        {Money::FromCents(9985), +1, 2, Money::FromCents(9995), "99.95", 1},
        {Money::FromUnits(100), +1, 1, Money::FromUnits(100), "100.00", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.Start << " by " << c.Direction);
        Box->SetValue(c.Start);
        Clicks = 0;
        Click(c.Direction, c.Times);
        EXPECT_EQ(Box->Value(), c.End);
        EXPECT_EQ(Box->text(), QString::fromLatin1(c.Shown));
        EXPECT_EQ(Clicks, c.Clicks);
    }
}

TEST_F(PercentUpDownTest, TheUpAndDownKeysStepTheBoxAndADisabledBoxStaysPut) {
    Box->SetValue(Money::FromUnits(10));
    Box->setFocus();
    QTest::keyClick(Box, Qt::Key_Up);
    QTest::keyClick(Box, Qt::Key_Up);
    QTest::keyClick(Box, Qt::Key_Down);
    EXPECT_EQ(Box->Value(), Money::FromCents(1010));
    EXPECT_EQ(Clicks, 3);
    // A typed value steps from what was typed.
    Box->selectAll();
    QTest::keyClicks(Box, QStringLiteral("12.5"));
    QTest::keyClick(Box, Qt::Key_Up);
    EXPECT_EQ(Box->Value(), Money::FromCents(1260));

    Box->setEnabled(false);
    Click(+1, 1);
    EXPECT_EQ(Box->Value(), Money::FromCents(1260));
    EXPECT_EQ(Clicks, 4);
}

} // namespace qz::gui::test
