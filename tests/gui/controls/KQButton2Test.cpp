// The tool bar button: its frame follows the mouse, and its drop-down menu shows below it after
// the click, unless the owner says no.

#include "controls/KQButton2.h"
#include "controls/ToolGlyphs.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

namespace qz::gui::test {

namespace {

class KQButton2Test : public ::testing::Test {
protected:
    QWidget Bar;
    TKQButton2* Button = new TKQButton2(&Bar);
    QMenu Menu;

    void SetUp() override {
        Menu.addAction(QStringLiteral("&Transfers"));
        Menu.addAction(QStringLiteral("&Reconcile"));
        Button->setText(QStringLiteral("&Tools"));
        Button->SetGlyph(ToolGlyph(TToolGlyph::Tools, 24));
        Button->setGeometry(20, 2, 90, 32);
        Bar.resize(200, 40);
        Bar.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Bar));
    }
    void TearDown() override { Menu.hide(); }

    QRgb Corner() { return Button->grab().toImage().pixel(0, 0); }
    void Enter() {
        QEnterEvent enter(QPointF(5, 5), Button->mapTo(&Bar, QPointF(5, 5)), Button->mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(Button, &enter);
    }
    void Leave() {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(Button, &leave);
    }
};

} // namespace

TEST_F(KQButton2Test, FlatUntilHoveredRaisedWhenHotSunkenWhenPressed) {
    const QPalette& palette = Button->palette();
    EXPECT_EQ(Corner(), palette.color(QPalette::Button).rgb());
    Enter();
    EXPECT_TRUE(Button->IsHot());
    EXPECT_EQ(Corner(), palette.color(QPalette::Light).rgb());
    QTest::mousePress(Button, Qt::LeftButton);
    EXPECT_EQ(Corner(), palette.color(QPalette::Dark).rgb());
    QTest::mouseRelease(Button, Qt::LeftButton);
    Leave();
    EXPECT_FALSE(Button->IsHot());
    EXPECT_EQ(Corner(), palette.color(QPalette::Button).rgb());
}

TEST_F(KQButton2Test, TheCaptionShowsNoAmpersandButADoubledOneShowsOne) {
    // The drawn caption is as wide as the text without its mnemonic mark.
    const QFontMetrics metrics(Button->font());
    Button->SetGlyph(QPixmap());
    Button->setText(QStringLiteral("&Tools"));
    EXPECT_EQ(Button->sizeHint().width() - 6, metrics.horizontalAdvance(QStringLiteral("Tools")));
    Button->setText(QStringLiteral("A && B"));
    EXPECT_EQ(Button->sizeHint().width() - 6, metrics.horizontalAdvance(QStringLiteral("A & B")));
}

TEST_F(KQButton2Test, TheMenuDropsDownBelowTheButtonAfterTheClick) {
    Button->SetDropDown(&Menu);
    bool visibleDuringClick = true;
    QObject::connect(Button, &QAbstractButton::clicked, [&] { visibleDuringClick = Menu.isVisible(); });
    QTest::mouseClick(Button, Qt::LeftButton);
    EXPECT_FALSE(visibleDuringClick);
    QTRY_VERIFY(Menu.isVisible());
    EXPECT_EQ(Menu.pos(), Button->mapToGlobal(QPoint(0, Button->height())));
}

TEST_F(KQButton2Test, TheOwnerCanKeepTheMenuUp) {
    Button->SetDropDown(&Menu);
    int asked = 0;
    Button->OnBeforeDropDown = [&] {
        ++asked;
        return false;
    };
    QTest::mouseClick(Button, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(Menu.isVisible());

    // No menu at all: a plain button that never asks.
    Button->SetDropDown(nullptr);
    QTest::mouseClick(Button, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(asked, 1);
}

} // namespace qz::gui::test
