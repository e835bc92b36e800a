// The tool bar's drop-down menus: item sizes from the bold caption and the text height, the
// caption 20 pixels in, the chosen item in the highlight colour.

#include "controls/OwnerDrawMenu.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace qz::gui::test {

namespace {

class OwnerDrawMenuTest : public ::testing::Test {
protected:
    TOwnerDrawMenu Menu;
    QAction* Worksheet = Menu.addAction(QStringLiteral("&Worksheet..."));
    QAction* Separator = Menu.addSeparator();
    QAction* Reports = Menu.addAction(QStringLiteral("Cash &Flow, GST && Asset Reports"));
    QAction* Transfers = Menu.addAction(QStringLiteral("&Transfers"));

    void SetUp() override {
        Menu.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
        Transfers->setEnabled(false);
    }
    void TearDown() override { Menu.hide(); }

    int BoldWidth(const QString& text) const {
        QFont bold = Menu.font();
        bold.setBold(true);
        return QFontMetrics(bold).horizontalAdvance(text);
    }
};

} // namespace

TEST_F(OwnerDrawMenuTest, ItemsAreAsWideAsTheBoldCaptionPlus20AndTheTextHeightPlus6High) {
    const int textHeight = QFontMetrics(Menu.font()).height();
    // "&&" is one literal ampersand; "&F" only underlines.
    const int widest = std::max(BoldWidth(QStringLiteral("Worksheet...")),
                                BoldWidth(QStringLiteral("Cash Flow, GST & Asset Reports")));
    for (QAction* item : {Worksheet, Reports, Transfers}) {
        SCOPED_TRACE(item->text().toStdString());
        EXPECT_EQ(Menu.actionGeometry(item).height(), textHeight + 6);
        EXPECT_EQ(Menu.actionGeometry(item).width(), widest + 20);
    }
    EXPECT_EQ(Menu.actionGeometry(Separator).height(), textHeight / 2);
    EXPECT_EQ(TOwnerDrawMenu::ItemSize(QStringLiteral("&Worksheet..."), false, Menu.font()),
              QSize(BoldWidth(QStringLiteral("Worksheet...")) + 20, textHeight + 6));
}

TEST_F(OwnerDrawMenuTest, TheChosenItemIsHighlightedAndCaptionsStart20PixelsIn) {
    Menu.popup(QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Menu));
    Menu.setActiveAction(Reports);
    const QImage shot = Menu.grab().toImage();
    const QPalette& palette = Menu.palette();
    // The ink is the darkest pixel of the caption; on the highlight, the lightest.
    struct Case {
        QAction* Item;
        QColor Background;
        QColor Ink;
        bool LightInk;
    };
    const Case cases[] = {
        {Worksheet, palette.color(QPalette::Button), palette.color(QPalette::WindowText), false},
        {Reports, palette.color(QPalette::Highlight), palette.color(QPalette::HighlightedText), true},
        {Transfers, palette.color(QPalette::Button), palette.color(QPalette::Dark), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Item->text().toStdString());
        const QRect item = Menu.actionGeometry(c.Item);
        const QRgb background = c.Background.rgb();
        bool markedBeforeCaption = false;
        QRgb ink = background;
        for (int x = item.left(); x <= item.right(); ++x) {
            for (int y = item.top(); y <= item.bottom(); ++y) {
                const QRgb pixel = shot.pixel(x, y);
                // Anti-aliasing may tint the column just before the caption.
                if (x < item.left() + 19)
                    markedBeforeCaption = markedBeforeCaption || pixel != background;
                else if (x >= item.left() + 20 && (c.LightInk ? qGray(pixel) > qGray(ink) : qGray(pixel) < qGray(ink)))
                    ink = pixel;
            }
        }
        EXPECT_EQ(shot.pixel(item.left() + 2, item.top() + 1), background);
        EXPECT_FALSE(markedBeforeCaption);
        EXPECT_EQ(ink, c.Ink.rgb());
    }
}

// The menu drops over the tool bar of its own colour: a dark line and a raised edge frame it, and
// it casts a shadow below and right on what lies under it, a band's width in from its corners.
TEST_F(OwnerDrawMenuTest, TheMenuIsFramedAndCastsAShadow) {
    // A light window for the shadow to fall on.
    QWidget under;
    under.setGeometry(0, 0, 400, 300);
    under.setAutoFillBackground(true);
    QPalette ground = under.palette();
    ground.setColor(QPalette::Window, QColor(0xF0, 0xF0, 0xE0));
    under.setPalette(ground);
    under.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&under));
    Menu.popup(QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Menu));
    const QImage shot = Menu.grab().toImage();
    const QImage beneath = Menu.Beneath().toImage();
    ASSERT_EQ(beneath.size(), shot.size());
    const QRect frame = Menu.FrameRect();
    ASSERT_EQ(frame, Menu.rect().adjusted(0, 0, -TOwnerDrawMenu::ShadowWidth, -TOwnerDrawMenu::ShadowWidth));
    // Every item lies inside the frame.
    for (QAction* item : Menu.actions())
        EXPECT_TRUE(frame.adjusted(2, 2, -2, -2).contains(Menu.actionGeometry(item)));

    const QPalette& palette = Menu.palette();
    const QRgb line = palette.color(QPalette::Shadow).darker(150).rgb();
    const QRgb light = palette.color(QPalette::Light).rgb();
    const QRgb dark = palette.color(QPalette::Dark).rgb();
    const int x = frame.center().x();
    const int y = frame.center().y();
    struct Edge {
        const char* Name;
        QPoint Outer, Inner;
        QRgb InnerColour;
    };
    const Edge edges[] = {
        {"top", {x, frame.top()}, {x, frame.top() + 1}, light},
        {"left", {frame.left(), y}, {frame.left() + 1, y}, light},
        {"bottom", {x, frame.bottom()}, {x, frame.bottom() - 1}, dark},
        {"right", {frame.right(), y}, {frame.right() - 1, y}, dark},
    };
    for (const Edge& edge : edges) {
        SCOPED_TRACE(edge.Name);
        EXPECT_EQ(shot.pixel(edge.Outer), line);
        EXPECT_EQ(shot.pixel(edge.Inner), edge.InnerColour);
    }
    EXPECT_NE(line, palette.color(QPalette::Button).rgb());

    // The shadow: darker than what lies beneath next to the frame, fading outwards; none beside the
    // corners where it has not started.
    const auto darkness = [&](QPoint point) { return qGray(beneath.pixel(point)) - qGray(shot.pixel(point)); };
    for (const QPoint step : {QPoint(1, 0), QPoint(0, 1)}) {
        const QPoint first = step.x() ? QPoint(frame.right() + 1, y) : QPoint(x, frame.bottom() + 1);
        SCOPED_TRACE(step.x() ? "right" : "below");
        EXPECT_GT(darkness(first), 20);
        EXPECT_GT(darkness(first), darkness(first + 3 * step));
        const QPoint corner = step.x() ? QPoint(frame.right() + 1, 1) : QPoint(1, frame.bottom() + 1);
        EXPECT_EQ(shot.pixel(corner), beneath.pixel(corner));
    }
}

} // namespace qz::gui::test
