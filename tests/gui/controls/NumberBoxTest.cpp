// The number box: what typing and pasting leave in it, the text and value on leaving, the number
// pad that opens above it and the one exit it raises when the pad closes, and its fill colours.

#include "controls/NumberBox.h"
#include "controls/EntryLook.h"
#include "controls/NumberPad.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace qz::gui::test {

namespace {

// The offscreen platform may place a pop-up up to two pixels off the point it was moved to.
constexpr int Slack = 2;

} // namespace

namespace {

class NumberBoxTest : public ::testing::Test {
protected:
    QWidget Window;
    QLineEdit* Other = nullptr;
    int Exits = 0;

    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    // A box in a window beside another box to leave it for.
    TNumberBox* Make(TNumberKind kind) {
        auto* box = new TNumberBox(kind, &Window);
        box->setObjectName(QStringLiteral("Box"));
        box->SetButtonVisible(true);
        box->OnExit = [this] { ++Exits; };
        Other = new QLineEdit(&Window);
        auto* layout = new QHBoxLayout(&Window);
        layout->addWidget(box);
        layout->addWidget(Other);
        Window.move(200, 300);
        Window.show();
        Window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Window));
        box->setFocus();
        return box;
    }

    void Leave() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }
};

QColor FillOf(QWidget* box) {
    return box->grab().toImage().pixelColor(6, box->height() / 2);
}

} // namespace

TEST_F(NumberBoxTest, TypingKeepsOnlyWhatTheBoxCanHold) {
    struct Case {
        TNumberKind Kind;
        const char* Typed;
        const char* Left;
    };
    const Case cases[] = {
        {TNumberKind::Currency, "12a3b", "123"},
        {TNumberKind::Currency, "1.2.3", "1.23"},
        {TNumberKind::Currency, "-5", "5"},
        {TNumberKind::Currency, "(7)", "7"},
        {TNumberKind::Currency, "12.345", "12.34"},
        // Nine whole digits leave room for ".00": the amount shown on leaving fits the twelve.
        {TNumberKind::Currency, "1234567890", "123456789"},
        {TNumberKind::Currency, "123456789.999", "123456789.99"},
        {TNumberKind::Digits, "12.5x-", "125"},
        {TNumberKind::Digits, "1234567890", "123456789"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed);
        TNumberBox box(c.Kind);
        QTest::keyClicks(&box, QString::fromLatin1(c.Typed));
        EXPECT_EQ(box.text(), QString::fromLatin1(c.Left));
    }
}

TEST_F(NumberBoxTest, ARefusedKeyLeavesTheTextUntouched) {
    TNumberBox box;
    QTest::keyClicks(&box, QStringLiteral("12"));
    QSignalSpy changes(&box, &QLineEdit::textChanged);
    QTest::keyClick(&box, Qt::Key_Home);
    QTest::keyClicks(&box, QStringLiteral("x-.."));
    // One separator at the front is taken ("0.12" reads as such); nothing else changed the text.
    EXPECT_EQ(box.text(), QStringLiteral(".12"));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(box.cursorPosition(), 1);
}

// Clicking into a box that shows "0.00" and typing 110 must not make 1100.00.
TEST_F(NumberBoxTest, AClickThatBringsTheFocusSelectsTheAmountAndALaterClickPlacesTheCursor) {
    TNumberBox* box = Make(TNumberKind::Currency);
    box->SetValue(Money());
    Other->setFocus();
    const QPoint left(4, box->height() / 2);
    QTest::mouseClick(box, Qt::LeftButton, {}, left);
    ASSERT_EQ(QApplication::focusWidget(), box);
    QTest::keyClicks(box, QStringLiteral("110"));
    EXPECT_EQ(box->text(), QStringLiteral("110"));

    QTest::mouseClick(box, Qt::LeftButton, {}, left);
    QTest::keyClicks(box, QStringLiteral("2"));
    EXPECT_EQ(box->text(), QStringLiteral("2110"));
}

TEST_F(NumberBoxTest, APasteKeepsWhatFitsFromItsStart) {
    struct Case {
        TNumberKind Kind;
        const char* Before;
        int Cursor;
        const char* Pasted;
        const char* After;
    };
    const Case cases[] = {
        {TNumberKind::Currency, "", 0, "$1,234.567", "1234.56"},
        {TNumberKind::Currency, "", 0, "1234567890123.5", "123456789"},
        {TNumberKind::Currency, "5", 0, "12.5", "12.55"},
        {TNumberKind::Currency, "7", 1, "abc", "7"},
        {TNumberKind::Currency, "12.5", 4, "1.2", "12.51"},
        {TNumberKind::Digits, "", 0, "0012345678999", "001234567"},
        {TNumberKind::Digits, "12345678", 4, "987", "123495678"},
        {TNumberKind::Digits, "123456789", 4, "5", "123456789"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Pasted);
        TNumberBox box(c.Kind);
        box.setText(QString::fromLatin1(c.Before));
        box.setCursorPosition(c.Cursor);
        QApplication::clipboard()->setText(QString::fromLatin1(c.Pasted));
        QTest::keySequence(&box, QKeySequence::Paste);
        EXPECT_EQ(box.text(), QString::fromLatin1(c.After));
    }
}

TEST_F(NumberBoxTest, LeavingShowsTheValueAndRaisesTheExit) {
    struct Case {
        TNumberKind Kind;
        const char* Typed;
        const char* Shown;
        Money Value;
        const char* Locale = "C";
    };
    const Case cases[] = {
        {TNumberKind::Currency, "110", "110.00", Money::FromUnits(110)},
        {TNumberKind::Currency, "12.5", "12.50", Money::FromCents(1250)},
        {TNumberKind::Currency, ".5", "0.50", Money::FromCents(50)},
        {TNumberKind::Currency, "", "", Money()},
        {TNumberKind::Currency, "12,5.3", "12,53", Money::FromCents(1253), "de_DE"},
        {TNumberKind::Digits, "007", "7", Money::FromUnits(7)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed);
        QLocale::setDefault(QLocale(QString::fromLatin1(c.Locale)));
        QWidget window;
        auto* box = new TNumberBox(c.Kind, &window);
        auto* other = new QLineEdit(&window);
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(box);
        layout->addWidget(other);
        int exits = 0;
        box->OnExit = [&exits] { ++exits; };
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        box->setFocus();
        QTest::keyClicks(box, QString::fromLatin1(c.Typed));
        EXPECT_EQ(exits, 0);
        QTest::keyClick(box, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), other);
        EXPECT_EQ(box->text(), QString::fromLatin1(c.Shown));
        EXPECT_EQ(box->Value(), c.Value);
        EXPECT_EQ(exits, 1);
    }
}

TEST_F(NumberBoxTest, AValueSetReadsBackExactlyUntilTheUserTypes) {
    TNumberBox* box = Make(TNumberKind::Currency);
    box->SetValue(Money::FromRaw(123456));
    EXPECT_EQ(box->text(), QStringLiteral("12.35"));
    Leave();
    EXPECT_EQ(box->Value(), Money::FromRaw(123456)) << "leaving without typing keeps the value";
    EXPECT_EQ(Exits, 1);
    // A value longer than the box takes is still shown whole.
    box->SetValue(Money::FromUnits(12345678901));
    EXPECT_EQ(box->text(), QStringLiteral("12345678901.00"));
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("9"));
    EXPECT_EQ(box->Value(), Money::FromUnits(9));
}

TEST_F(NumberBoxTest, ThePadOpensAboveTheBoxAndItsClosingIsOneExit) {
    TNumberBox* box = Make(TNumberKind::Currency);
    box->SetValue(Money::FromUnits(5));
    QTest::mouseClick(box->Button(), Qt::LeftButton);
    TNumberPad* pad = box->Pad();
    ASSERT_NE(pad, nullptr);
    ASSERT_TRUE(pad->isVisible());
    EXPECT_NEAR(pad->frameGeometry().bottom() + 1, box->mapToGlobal(QPoint(0, 0)).y(), Slack) << "above the box";
    EXPECT_NEAR(pad->frameGeometry().left(), box->mapToGlobal(QPoint(0, 0)).x(), Slack);
    EXPECT_FALSE(pad->findChild<QToolButton*>(QStringLiteral("Key-"))->isEnabled()) << "amounts are positive";
    EXPECT_TRUE(pad->findChild<QToolButton*>(QStringLiteral("Key."))->isEnabled());
    EXPECT_EQ(Exits, 0) << "opening the pad is no leaving";

    // The first key replaces the amount shown.
    for (const char* key : {"Key1", "Key1", "Key0", "Key.", "Key.", "Key5"})
        QTest::mouseClick(pad->findChild<QToolButton*>(QLatin1String(key)), Qt::LeftButton);
    EXPECT_EQ(box->text(), QStringLiteral("110.5"));
    EXPECT_EQ(Exits, 0);
    QTest::mouseClick(pad->findChild<QToolButton*>(QStringLiteral("Key=")), Qt::LeftButton);
    EXPECT_FALSE(box->Pad() && box->Pad()->isVisible());
    EXPECT_EQ(box->text(), QStringLiteral("110.50"));
    EXPECT_EQ(box->Value(), Money::FromCents(11050));
    EXPECT_EQ(Exits, 1);
    EXPECT_EQ(QApplication::focusWidget(), box) << "the focus is back in the box";

    // The keyboard types into the box while the pad is open; Escape closes it, one exit again.
    pad = box->OpenPad();
    QTest::keyClicks(pad, QStringLiteral("7a"));
    QTest::keyClick(pad, Qt::Key_Escape);
    EXPECT_EQ(box->text(), QStringLiteral("7.00"));
    EXPECT_EQ(Exits, 2);
    Leave();
    EXPECT_EQ(Exits, 3);
}

TEST_F(NumberBoxTest, AWholeNumberPadHasNoSeparator) {
    TNumberBox* box = Make(TNumberKind::Digits);
    TNumberPad* pad = box->OpenPad();
    EXPECT_FALSE(pad->findChild<QToolButton*>(QStringLiteral("Key."))->isEnabled());
    for (const char* key : {"Key4", "Key00", "Key<", "Key2"})
        QTest::mouseClick(pad->findChild<QToolButton*>(QLatin1String(key)), Qt::LeftButton);
    QTest::keyClick(pad, Qt::Key_Return);
    EXPECT_EQ(box->text(), QStringLiteral("402"));
    EXPECT_EQ(box->Number(), 402);
    EXPECT_EQ(Exits, 1);
}

TEST_F(NumberBoxTest, DisabledBoxesArePaleAndLockedOnesTakeTheOwnersFill) {
    TNumberBox* box = Make(TNumberKind::Currency);
    const QColor base = box->palette().color(QPalette::Active, QPalette::Base);
    const QColor yellow(255, 255, 200);
    ASSERT_NE(DisabledFill(), base);
    EXPECT_EQ(FillOf(box), base);
    box->setEnabled(false);
    EXPECT_EQ(FillOf(box), DisabledFill());
    box->SetLockedLook(true, yellow);
    EXPECT_EQ(FillOf(box), yellow) << "locked and disabled";
    box->setEnabled(true);
    EXPECT_EQ(FillOf(box), yellow);
    box->SetLockedLook(false);
    EXPECT_EQ(FillOf(box), base);
}

} // namespace qz::gui::test
