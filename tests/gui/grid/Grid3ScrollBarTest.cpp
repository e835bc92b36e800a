// The grid's scroll bar: its parts, the repeat while a button is held, and the thumb drag.

#include "grid/Grid3ScrollBar.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

namespace qz::gui::test {

namespace {

using TPart = TGrid3ScrollBar::TPart;

class ScrollBarTest : public ::testing::Test {
protected:
    TGrid3ScrollBar Bar{Qt::Vertical};
    std::vector<int> Changes;
    std::vector<int> Releases;

    void SetUp() override {
        Bar.resize(TGrid3ScrollBar::ButtonSize, 300);
        Bar.SetRange(100);
        Bar.SetPageSize(10);
        Bar.OnChange = [this](int position) { Changes.push_back(position); };
        Bar.OnRelease = [this](int position) { Releases.push_back(position); };
        Bar.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Bar));
    }
    QPoint On(TPart part) const { return Bar.PartRect(part).center(); }
};

} // namespace

TEST_F(ScrollBarTest, EachPartMovesAsItShould) {
    struct Case {
        int From;
        TPart Part;
        int To;
    };
    const Case cases[] = {
        {50, TPart::Forward, 51},     {50, TPart::Back, 49},   {50, TPart::TrackAfter, 60},
        {50, TPart::TrackBefore, 40}, {50, TPart::ToEnd, 100}, {50, TPart::ToStart, 0},
        {95, TPart::TrackAfter, 100}, {0, TPart::Back, 0},     {100, TPart::Forward, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.From << " part " << static_cast<int>(c.Part));
        Bar.SetPosition(c.From);
        Changes.clear();
        Releases.clear();
        QTest::mouseClick(&Bar, Qt::LeftButton, {}, On(c.Part));
        EXPECT_EQ(Bar.Position(), c.To);
        const std::vector<int> told = c.From == c.To ? std::vector<int>{} : std::vector<int>{c.To};
        EXPECT_EQ(Changes, told);
        EXPECT_EQ(Releases, told);
    }
}

TEST_F(ScrollBarTest, AHeldButtonRepeatsAfter400AndThenEvery100Milliseconds) {
    QElapsedTimer clock;
    clock.start();
    QTest::mousePress(&Bar, Qt::LeftButton, {}, On(TPart::Forward));
    EXPECT_EQ(Bar.Position(), 1);
    QTest::qWait(250);
    if (clock.elapsed() < 380) { // a loaded machine may oversleep; only then is the check unfair
        EXPECT_EQ(Bar.Position(), 1) << "no repeat before 400 ms";
    }
    QTRY_COMPARE_WITH_TIMEOUT(Bar.Position(), 2, 2000);
    const qint64 firstRepeat = clock.elapsed();
    EXPECT_GE(firstRepeat, 400);
    QTRY_COMPARE_WITH_TIMEOUT(Bar.Position(), 4, 2000);
    const qint64 twoMore = clock.elapsed() - firstRepeat;
    EXPECT_GE(twoMore, 190);
    EXPECT_LT(twoMore, 400) << "repeats come every 100 ms, not every 400";
    QTest::mouseRelease(&Bar, Qt::LeftButton, {}, On(TPart::Forward));
    const int released = Bar.Position();
    QTest::qWait(250);
    EXPECT_EQ(Bar.Position(), released);
    EXPECT_EQ(Releases, std::vector<int>{released});
}

TEST_F(ScrollBarTest, TheThumbFollowsTheMouseAndSnapsBackWhenItStrays) {
    Bar.SetPosition(0);
    const QPoint grip = On(TPart::Thumb);
    const QRect before = Bar.PartRect(TPart::TrackAfter);
    QTest::mousePress(&Bar, Qt::LeftButton, {}, grip);
    const QPoint end(grip.x(), before.bottom() + 50);
    QTest::mouseMove(&Bar, end);
    EXPECT_EQ(Bar.Position(), 100);
    QTest::mouseMove(&Bar, QPoint(grip.x(), grip.y() + (before.bottom() - grip.y()) / 2));
    const int middle = Bar.Position();
    EXPECT_GT(middle, 30);
    EXPECT_LT(middle, 70);
    QTest::mouseMove(&Bar, QPoint(Bar.width() + 45, grip.y() + 100)); // more than 40 pixels off the bar
    EXPECT_EQ(Bar.Position(), 0);
    QTest::mouseMove(&Bar, QPoint(Bar.width() + 35, end.y())); // within 40: follows again
    EXPECT_EQ(Bar.Position(), 100);
    QTest::mouseMove(&Bar, QPoint(-45, grip.y()));
    QTest::mouseRelease(&Bar, Qt::LeftButton, {}, QPoint(-45, grip.y()));
    EXPECT_EQ(Bar.Position(), 0);
    EXPECT_TRUE(Releases.empty()) << "released where it started";
    EXPECT_EQ(Changes, (std::vector<int>{100, middle, 0, 100, 0}));
}

} // namespace qz::gui::test
