// The print preview window driven as a user drives it, and the print-range dialog's rules.

#include "reports/PrintPreview.h"
#include "SampleReport.h"
#include "reports/PrintDlg.h"

#include "platform/ScriptedPrompts.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPageSize>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace qz::gui::test {
namespace {

const std::string NoPrinter =
    "You do not have a default printer set.\r\rPlease select a printer before running a report.";

QPageLayout A4() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                       QPageLayout::Millimeter);
}

void ProcessEvents() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A preview on a report of several pages, with the printer and the dialogs scripted.
struct PreviewFixture {
    ScriptedPrompts Ask;
    TDefaultPrinter Printer{1, "Office", "ipp://office"};
    std::optional<TPrintRange> RangeAnswer; // empty: the print-range dialog is cancelled
    int RangeAsked = 0;
    std::vector<TPrintRange> Printed;
    bool PrintWorks = true;
    QString SavePath;
    QString SaveSuggested;
    QPointer<TQRSpecPreview> Window;

    explicit PreviewFixture(const TReport& report = SampleReport(300)) {
        TPreviewServices services;
        services.Ask = &Ask;
        services.Printer = [this] { return Printer; };
        services.PrintRange = [this](int, TPrintRange& range) {
            ++RangeAsked;
            if (RangeAnswer)
                range = *RangeAnswer;
            return RangeAnswer.has_value();
        };
        services.Print = [this](const TReport&, const QPageLayout&, const TPrintRange& range) {
            Printed.push_back(range);
            return PrintWorks;
        };
        services.SaveDialog = [this](const TFileDialogRequest& request) {
            SaveSuggested = request.Folder;
            return SavePath;
        };
        Window = new TQRSpecPreview(report, A4(), std::move(services));
        Window->show();
    }
    ~PreviewFixture() { delete Window.data(); }

    QString Status() const { return Window->StatusLabel->text(); }
};

TEST(QRSpecPreviewTest, OpensOnTheFirstPageAndTurnsPagesByButtonsAndKeys) {
    PreviewFixture preview;
    EXPECT_EQ(preview.Status(), QStringLiteral("Working..."));
    ProcessEvents();
    const int count = preview.Window->PageCount();
    ASSERT_GE(count, 4);
    EXPECT_EQ(preview.Status(), QStringLiteral("Page 1 of %1").arg(count));
    EXPECT_EQ(preview.Window->windowTitle(), QStringLiteral("Print Preview"));
    EXPECT_FALSE(preview.Window->FirstBtn->isEnabled());
    EXPECT_FALSE(preview.Window->PriorBtn->isEnabled());
    EXPECT_TRUE(preview.Window->NextBtn->isEnabled());

    QTest::mouseClick(preview.Window->NextBtn, Qt::LeftButton);
    EXPECT_EQ(preview.Status(), QStringLiteral("Page 2 of %1").arg(count));
    EXPECT_TRUE(preview.Window->PriorBtn->isEnabled());
    const QImage second = preview.Window->ShownPage().toImage();
    QTest::mouseClick(preview.Window->PriorBtn, Qt::LeftButton);
    EXPECT_NE(preview.Window->ShownPage().toImage(), second);

    const struct {
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
        int Page; // -1: the last page, -2: the one before it
    } keys[] = {
        {Qt::Key_PageDown, Qt::NoModifier, 2},    {Qt::Key_PageDown, Qt::NoModifier, 3},
        {Qt::Key_PageUp, Qt::NoModifier, 2},      {Qt::Key_PageDown, Qt::ControlModifier, -1},
        {Qt::Key_PageDown, Qt::NoModifier, -1},   {Qt::Key_PageUp, Qt::NoModifier, -2},
        {Qt::Key_PageUp, Qt::ControlModifier, 1}, {Qt::Key_PageUp, Qt::NoModifier, 1},
        {Qt::Key_End, Qt::NoModifier, -1},        {Qt::Key_Home, Qt::NoModifier, 1},
    };
    // The keys go where the user's keys go: to the widget with the focus.
    ASSERT_TRUE(QTest::qWaitForWindowActive(preview.Window));
    for (const auto& k : keys) {
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), k.Key, k.Modifiers);
        const int expected = k.Page > 0 ? k.Page : count + 1 + k.Page;
        EXPECT_EQ(preview.Window->CurrentPage(), expected) << "key " << k.Key;
    }
    QTest::keyClick(preview.Window, Qt::Key_End);
    EXPECT_FALSE(preview.Window->NextBtn->isEnabled());
    EXPECT_FALSE(preview.Window->LastBtn->isEnabled());
    EXPECT_TRUE(preview.Window->FirstBtn->isEnabled());
    EXPECT_EQ(preview.Status(), QStringLiteral("Page %1 of %1").arg(count));

    // Escape closes the window, which frees itself.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    ProcessEvents();
    EXPECT_TRUE(preview.Window.isNull());
}

TEST(QRSpecPreviewTest, AClickOnThePageSwapsBetweenFitAndRealSize) {
    PreviewFixture preview;
    ProcessEvents();
    TQRSpecPreview& window = *preview.Window;
    const double fit = window.ZoomPercent();
    ASSERT_LT(fit, 100);
    auto* page = window.findChild<QScrollArea*>()->widget();
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_DOUBLE_EQ(window.ZoomPercent(), 100);
    // At 100 percent an A4 page is 210 mm at 96 dots to the inch.
    EXPECT_NEAR(window.ShownPage().width(), 210 / 25.4 * 96, 1.5);
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_DOUBLE_EQ(window.ZoomPercent(), fit);
    // The whole page fits the window, the width fills it.
    QTest::mouseClick(window.ZoomWidthBtn, Qt::LeftButton);
    EXPECT_GT(window.ZoomPercent(), fit);
    EXPECT_LE(window.ShownPage().width(), page->parentWidget()->width());
    EXPECT_GT(window.ShownPage().width(), page->parentWidget()->width() - 40);
    window.resize(window.width() + 200, window.height());
    ProcessEvents();
    EXPECT_GT(window.ShownPage().width(), page->parentWidget()->width() - 40);
    QTest::mouseClick(window.Zoom100Btn, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(window.ZoomPercent(), 100);
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_LT(window.ZoomPercent(), 100);
}

TEST(QRSpecPreviewTest, PrintAsksForTheRangeAndPrintsAfterTheClick) {
    {
        // No printer: the user is told, nothing is asked or printed, the window stays.
        PreviewFixture preview;
        preview.Printer = {};
        ProcessEvents();
        QTest::mouseClick(preview.Window->PrintBtn, Qt::LeftButton);
        ProcessEvents();
        ASSERT_EQ(preview.Ask.Messages.size(), 1u);
        EXPECT_EQ(preview.Ask.Messages[0].Text, NoPrinter);
        EXPECT_EQ(preview.RangeAsked, 0);
        EXPECT_TRUE(preview.Printed.empty());
        ASSERT_FALSE(preview.Window.isNull());
        EXPECT_TRUE(preview.Window->PrintBtn->isEnabled());
    }
    {
        // The range dialog cancelled: Print and Close work again.
        PreviewFixture preview;
        ProcessEvents();
        QTest::mouseClick(preview.Window->PrintBtn, Qt::LeftButton);
        ProcessEvents();
        EXPECT_EQ(preview.RangeAsked, 1);
        EXPECT_TRUE(preview.Printed.empty());
        EXPECT_TRUE(preview.Window->PrintBtn->isEnabled());
        EXPECT_TRUE(preview.Window->CloseBtn->isEnabled());
    }
    for (const bool works : {true, false}) {
        // Confirmed: the buttons are off until the printing, after the click, closes the window.
        PreviewFixture preview;
        preview.PrintWorks = works;
        preview.RangeAnswer = TPrintRange{2, 3, 2};
        ProcessEvents();
        preview.Window->PrintBtnClick();
        EXPECT_TRUE(preview.Printed.empty());
        EXPECT_FALSE(preview.Window->PrintBtn->isEnabled());
        EXPECT_FALSE(preview.Window->CloseBtn->isEnabled());
        ProcessEvents();
        ASSERT_EQ(preview.Printed.size(), 1u);
        EXPECT_EQ(preview.Printed[0].FirstPage, 2);
        EXPECT_EQ(preview.Printed[0].LastPage, 3);
        EXPECT_EQ(preview.Printed[0].Copies, 2);
        EXPECT_TRUE(preview.Window.isNull());
        EXPECT_EQ(preview.Ask.Messages.size(), works ? 0u : 1u);
    }
}

TEST(QRSpecPreviewTest, SaveAsPdfWritesTheReport) {
    QTemporaryDir folder;
    PreviewFixture preview;
    ProcessEvents();
    preview.SavePath = folder.filePath(QStringLiteral("cash flow.pdf"));
    QTest::mouseClick(preview.Window->SavePdfBtn, Qt::LeftButton);
    QFile file(preview.SavePath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF-"));
    EXPECT_TRUE(preview.Ask.Messages.empty());
    EXPECT_TRUE(preview.SaveSuggested.endsWith(QStringLiteral("/Cash Flow Statement - Wattle Lane Café.pdf")))
        << preview.SaveSuggested.toStdString();
    // A folder that cannot be written: the user is told.
    preview.SavePath = folder.filePath(QStringLiteral("missing/report.pdf"));
    QTest::mouseClick(preview.Window->SavePdfBtn, Qt::LeftButton);
    ASSERT_EQ(preview.Ask.Messages.size(), 1u);
    EXPECT_NE(preview.Ask.Messages[0].Text.find("could not be saved"), std::string::npos);
    EXPECT_FALSE(preview.Window.isNull());
}

TEST(QRSpecPreviewTest, PrintingWithoutAPrinterTellsTheUser) {
    if (CurrentDefaultPrinter().Installed > 0)
        GTEST_SKIP() << "this machine has a printer";
    ScriptedPrompts ask;
    EXPECT_FALSE(PrintDirect(SampleReport(5), A4(), 1, ask));
    ASSERT_EQ(ask.Messages.size(), 1u);
    EXPECT_EQ(ask.Messages[0].Text, NoPrinter);
}

// Types `text` into a spin box as the user would, over what it holds.
void Type(QSpinBox* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

TEST(PrintDlgTest, RangeAndCopiesFollowTheDialogsRules) {
    TPrintDlg dialog(5);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Print"));
    EXPECT_TRUE(dialog.AllBtn->isChecked());
    EXPECT_FALSE(dialog.FromBox->isEnabled());
    EXPECT_EQ(dialog.FromBox->value(), 1);
    EXPECT_EQ(dialog.ToBox->value(), 5);
    EXPECT_EQ(dialog.ToBox->maximum(), 5);

    dialog.SelectionBtn->setChecked(true);
    EXPECT_TRUE(dialog.FromBox->isEnabled());
    const struct {
        int From;
        int To;
        bool ToTypedLast;
        QWidget* FocusNext;
        int FromAfter;
    } cases[] = {
        {4, 2, false, dialog.CopiesBox, 2}, // "From" left for copies
        {5, 3, false, dialog.PrintBtn, 3},  // "From" left for a button
        {5, 3, true, dialog.FromBox, 3},    // "To" left
        {2, 4, false, dialog.CopiesBox, 2}, // already in order
    };
    for (const auto& c : cases) {
        if (c.ToTypedLast) {
            Type(dialog.FromBox, QString::number(c.From));
            Type(dialog.ToBox, QString::number(c.To));
        } else {
            Type(dialog.ToBox, QString::number(c.To));
            Type(dialog.FromBox, QString::number(c.From));
        }
        c.FocusNext->setFocus();
        EXPECT_EQ(dialog.FromBox->value(), c.FromAfter) << c.From << "-" << c.To;
    }
    // Copies: 0 becomes 1 on leaving the box.
    Type(dialog.CopiesBox, QStringLiteral("0"));
    dialog.FromBox->setFocus();
    EXPECT_EQ(dialog.CopiesBox->value(), 1);
    Type(dialog.CopiesBox, QStringLiteral("3"));
    const TPrintRange chosen = dialog.Range();
    EXPECT_EQ(chosen.FirstPage, 2);
    EXPECT_EQ(chosen.LastPage, 4);
    EXPECT_EQ(chosen.Copies, 3);
    dialog.AllBtn->setChecked(true);
    EXPECT_FALSE(dialog.ToBox->isEnabled());
    EXPECT_EQ(dialog.Range().FirstPage, 1);
    EXPECT_EQ(dialog.Range().LastPage, 5);
}

} // namespace
} // namespace qz::gui::test
