// The page setup dialog: paper without a printer, margins that turn, reset and keep their limits,
// and the choice it hands back.

#include "reports/PageSetup.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace qz::gui::test {
namespace {

QStringList Texts(const std::array<QLineEdit*, 4>& boxes) {
    QStringList texts;
    for (const QLineEdit* box : boxes)
        texts << box->text();
    return texts;
}

QString PaperName(QPageSize::PageSizeId id) {
    return QPageSize(id).name();
}

void TypeInto(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Tab);
}

TEST(PageSetupTest, WithoutAPrinterPaperOrientationAndMarginsCanStillBeChosen) {
    TSpecPageSetup setup;
    setup.InchMode = false;
    setup.Margins = {10, 20, 30, 40};
    TPageSetup dialog(setup, {});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Print Setup & Margins"));
    EXPECT_EQ(dialog.PrinterList->count(), 1);
    EXPECT_EQ(dialog.MarginsBox->title(), QStringLiteral("Margins (millimeters)"));
    QStringList sizes;
    for (int i = 0; i < dialog.SizeList->count(); ++i)
        sizes << dialog.SizeList->itemText(i);
    for (QPageSize::PageSizeId paper :
         {QPageSize::A4, QPageSize::Letter, QPageSize::Legal, QPageSize::A3, QPageSize::A5})
        EXPECT_TRUE(sizes.contains(PaperName(paper))) << PaperName(paper).toStdString();
    EXPECT_EQ(dialog.SizeList->currentText(), PaperName(QPageSize::A4));
    EXPECT_EQ(Texts(dialog.MarginBoxes), QStringList({"10.00 mm", "20.00 mm", "30.00 mm", "40.00 mm"}));

    // Landscape turns the margins with the paper, portrait turns them back.
    QTest::mouseClick(dialog.LandscapeBtn, Qt::LeftButton);
    EXPECT_EQ(Texts(dialog.MarginBoxes), QStringList({"40.00 mm", "30.00 mm", "10.00 mm", "20.00 mm"}));
    QTest::mouseClick(dialog.PortraitBtn, Qt::LeftButton);
    EXPECT_EQ(Texts(dialog.MarginBoxes), QStringList({"10.00 mm", "20.00 mm", "30.00 mm", "40.00 mm"}));

    // Typed values keep to their limits; the buttons step by a millimetre.
    TypeInto(dialog.MarginBoxes[0], QStringLiteral("5"));
    EXPECT_EQ(dialog.MarginBoxes[0]->text(), QStringLiteral("10.00 mm"));
    TypeInto(dialog.MarginBoxes[1], QStringLiteral("300"));
    EXPECT_EQ(dialog.MarginBoxes[1]->text(), QStringLiteral("120.00 mm")); // 210 - 10 - 80
    QTest::mouseClick(dialog.IncreaseBtns[1], Qt::LeftButton);
    EXPECT_EQ(dialog.MarginBoxes[1]->text(), QStringLiteral("120.00 mm"));
    QTest::mouseClick(dialog.DecreaseBtns[1], Qt::LeftButton);
    EXPECT_EQ(dialog.MarginBoxes[1]->text(), QStringLiteral("119.00 mm"));
    QTest::mouseClick(dialog.ResetBtn, Qt::LeftButton);
    EXPECT_EQ(Texts(dialog.MarginBoxes), QStringList(4, QStringLiteral("15.00 mm")));

    // Another paper: the margins start again from 15 mm.
    TypeInto(dialog.MarginBoxes[2], QStringLiteral("25"));
    dialog.SizeList->setCurrentIndex(dialog.SizeList->findText(PaperName(QPageSize::Letter)));
    EXPECT_EQ(Texts(dialog.MarginBoxes), QStringList(4, QStringLiteral("15.00 mm")));
    EXPECT_EQ(dialog.Panel().PaperWidthTenths(), 2159);

    QTest::mouseClick(dialog.LandscapeBtn, Qt::LeftButton);
    TypeInto(dialog.MarginBoxes[0], QStringLiteral("12.5"));
    QTest::mouseClick(dialog.OKBtn, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(setup.Margins, (TPageMargins{12.5, 15, 15, 15}));
    EXPECT_EQ(setup.PaperOrientation, TPaperOrientation::Landscape);
    EXPECT_TRUE(setup.Paper.isEquivalentTo(QPageSize(QPageSize::Letter)));
    EXPECT_TRUE(setup.PrinterName.isEmpty());
    const QPageLayout layout = setup.PageLayout();
    EXPECT_EQ(layout.orientation(), QPageLayout::Landscape);
    EXPECT_DOUBLE_EQ(layout.margins(QPageLayout::Millimeter).left(), 12.5);
    // A portrait run on this setup turns the margins back with the paper.
    const QPageLayout upright = setup.PageLayout(TPaperOrientation::Portrait);
    EXPECT_EQ(upright.orientation(), QPageLayout::Portrait);
    EXPECT_DOUBLE_EQ(upright.margins(QPageLayout::Millimeter).top(), 15);
    EXPECT_DOUBLE_EQ(upright.margins(QPageLayout::Millimeter).right(), 15);
    EXPECT_DOUBLE_EQ(upright.margins(QPageLayout::Millimeter).bottom(), 12.5);
}

TEST(PageSetupTest, CancelChangesNothingAndInchesShowTheirUnit) {
    TSpecPageSetup setup;
    setup.InchMode = true;
    const TPageMargins before = setup.Margins;
    TPageSetup dialog(setup, {});
    EXPECT_EQ(dialog.MarginsBox->title(), QStringLiteral("Margins (inches)"));
    EXPECT_EQ(dialog.MarginBoxes[0]->text(), QStringLiteral("0.59\""));
    QTest::mouseClick(dialog.LandscapeBtn, Qt::LeftButton);
    QTest::mouseClick(dialog.IncreaseBtns[3], Qt::LeftButton);
    EXPECT_NEAR(dialog.Panel().Value(TMarginSide::Bottom), 0.691, 1e-9);
    dialog.reject();
    EXPECT_EQ(setup.Margins, before);
    EXPECT_EQ(setup.PaperOrientation, TPaperOrientation::Portrait);
}

TEST(PageSetupTest, AnotherPrinterBringsItsPapersAndResetsTheMargins) {
    const std::vector<TPrinterChoice> printers = {
        {"Office",
         "Ready",
         "Laser",
         "ipp://office",
         "Front desk",
         {QPageSize(QPageSize::A4), QPageSize(QPageSize::A5)}},
        {"Labels", "Printing", "Thermal", "usb://labels", "", {QPageSize(QPageSize::Letter)}},
    };
    TSpecPageSetup setup;
    setup.InchMode = false;
    setup.Margins = {20, 20, 20, 20};
    setup.PrinterName = QStringLiteral("Office");
    setup.Paper = QPageSize(QPageSize::A5);
    TPageSetup dialog(setup, printers);
    EXPECT_EQ(dialog.WhereLabel->text(), QStringLiteral("ipp://office"));
    EXPECT_EQ(dialog.SizeList->count(), 2);
    EXPECT_EQ(dialog.SizeList->currentText(), PaperName(QPageSize::A5));
    EXPECT_EQ(dialog.MarginBoxes[0]->text(), QStringLiteral("20.00 mm"));
    dialog.PrinterList->setCurrentIndex(1);
    EXPECT_EQ(dialog.StatusLabel->text(), QStringLiteral("Printing"));
    EXPECT_EQ(dialog.SizeList->count(), 1);
    EXPECT_EQ(dialog.SizeList->currentText(), PaperName(QPageSize::Letter));
    EXPECT_EQ(Texts(dialog.MarginBoxes), QStringList(4, QStringLiteral("15.00 mm")));
    QTest::mouseClick(dialog.OKBtn, Qt::LeftButton);
    EXPECT_EQ(setup.PrinterName, QStringLiteral("Labels"));
}

TEST(PageSetupTest, PicturePutsThePageAndItsMarginsInProportion) {
    TSpecPageSetup setup;
    setup.Margins = {40, 15, 15, 15};
    TPageSetup dialog(setup, {});
    // Counts the white pixels of the page along the middle row and column of the picture.
    const auto whiteRun = [](const QImage& image, bool across) {
        int run = 0;
        for (int i = 0; i < 130; ++i)
            run += image.pixel(across ? i : 60, across ? 60 : i) == qRgb(255, 255, 255) ? 1 : 0;
        return run;
    };
    const QImage portrait = dialog.Picture().toImage();
    EXPECT_EQ(portrait.size(), QSize(130, 130));
    EXPECT_LT(whiteRun(portrait, true), whiteRun(portrait, false));
    // The blue dotted frame lies 40 mm in from the left edge: 40 / 210 of the page's width.
    const int pageLeft = [&] {
        for (int x = 0; x < 130; ++x)
            if (portrait.pixel(x, 60) == qRgb(0, 0, 0))
                return x;
        return -1;
    }();
    const int pageWidth = static_cast<int>(std::lround(210 * 120 / 297.0));
    const int frame = pageLeft + static_cast<int>(std::lround(40.0 * pageWidth / 210));
    bool blue = false;
    for (int y = 20; y < 110; ++y)
        blue = blue || portrait.pixel(frame, y) == qRgb(0, 0, 255);
    EXPECT_TRUE(blue) << "page at " << pageLeft << ", frame expected at " << frame;
    QTest::mouseClick(dialog.LandscapeBtn, Qt::LeftButton);
    const QImage landscape = dialog.Picture().toImage();
    EXPECT_GT(whiteRun(landscape, true), whiteRun(landscape, false));
}

} // namespace
} // namespace qz::gui::test
