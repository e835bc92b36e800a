// The name dialog: emptied and focused when shown, closed by OK only when the caller's check
// passes, the name handed back as the check left it, the percentage box only when asked for.

#include "editors/InputDlg.h"

#include "forms/ModalDriver.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace qz::gui::test {
namespace {

TEST(InputDlg, CheckDecidesAndTheNameComesBackChecked) {
    int checks = 0;
    const auto check = [&checks](std::string& name) {
        ++checks;
        const std::string trimmed = name.substr(name.find_first_not_of(' '));
        if (trimmed == "Rent ")
            return false; // the caller has said why
        name = trimmed;
        return true;
    };
    std::string name = "left over";
    Money percent = Money::FromUnits(10);
    WhenModal<TInputDlg>([](TInputDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("New Sub Category"));
        EXPECT_EQ(dialog.findChild<QLabel*>("PromptLabel")->text(), QStringLiteral("Enter a name"));
        EXPECT_EQ(dialog.findChild<QLabel*>("PercentLabel")->text(), QStringLiteral("Default VAT percentage"));
        EXPECT_EQ(dialog.height(), 167);
        auto* box = dialog.findChild<QLineEdit*>("NameEdit");
        EXPECT_TRUE(box->text().isEmpty());
        EXPECT_EQ(dialog.focusWidget(), box);
        QTest::keyClicks(box, QStringLiteral("  Rent "));
        dialog.findChild<QPushButton*>("OKBtn")->click();
        EXPECT_TRUE(dialog.isVisible()) << "refused by the check";
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral(" Rental "));
        auto* percent = dialog.findChild<QLineEdit*>("PercentEdit");
        percent->selectAll();
        QTest::keyClicks(percent, QStringLiteral("12.5"));
        dialog.findChild<QPushButton*>("OKBtn")->click();
        EXPECT_EQ(box->text(), QStringLiteral("Rental"));
    });
    ASSERT_TRUE(TInputDlg::InputName(nullptr, "New Sub Category", "Enter a name", name, percent, check, "VAT"));
    EXPECT_EQ(checks, 2);
    EXPECT_EQ(name, "Rental");
    EXPECT_EQ(percent, Money::FromDouble(12.5));
}

TEST(InputDlg, WithoutPercentageAndCancelled) {
    std::string name = "kept";
    Money percent = TInputDlg::NoPercent;
    WhenModal<TInputDlg>([](TInputDlg& dialog) {
        EXPECT_FALSE(dialog.findChild<QLineEdit*>("PercentEdit")->isVisible());
        EXPECT_FALSE(dialog.findChild<QLabel*>("PercentLabel")->isVisible());
        EXPECT_EQ(dialog.height(), 146);
        QTest::keyClicks(dialog.findChild<QLineEdit*>("NameEdit"), QStringLiteral("Office"));
        dialog.findChild<QPushButton*>("CancelBtn")->click();
    });
    EXPECT_FALSE(TInputDlg::InputName(
        nullptr, "New Group", "Enter the name", name, percent, [](std::string&) { return true; }, "GST"));
    EXPECT_EQ(name, "kept");
    EXPECT_EQ(percent, TInputDlg::NoPercent);
    WhenModal<TInputDlg>([](TInputDlg& dialog) {
        QTest::keyClicks(dialog.findChild<QLineEdit*>("NameEdit"), QStringLiteral("Office"));
        dialog.findChild<QPushButton*>("OKBtn")->click();
    });
    EXPECT_TRUE(TInputDlg::InputName(
        nullptr, "New Group", "Enter the name", name, percent, [](std::string&) { return true; }, "GST"));
    EXPECT_EQ(name, "Office");
    EXPECT_EQ(percent, TInputDlg::NoPercent);
}

} // namespace
} // namespace qz::gui::test
