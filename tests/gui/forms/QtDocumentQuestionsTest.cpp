// The document questions answered through the windows.

#include "options/QtDocumentQuestions.h"

#include "ModalDriver.h"
#include "options/CompDetails.h"
#include "options/GstPercentName.h"
#include "wizard/ConvertWizard.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace qz::gui::test {
namespace {

TEST(QtDocumentQuestions, CompanyDetailsComeBackAsDocumentText) {
    QtDocumentQuestions questions;
    WhenModal<TfmCompDetails>([](TfmCompDetails& window) {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Company / Business Details"));
        window.findChild<QLineEdit*>("NameEdit")->setText(QStringLiteral("Caf\u00e9 R\u00f6ssli"));
        window.findChild<QLineEdit*>("NumberEdit")->setText(QStringLiteral("ABN 12 345"));
        window.findChild<QPushButton*>("OKBtn")->click();
    });
    std::string name = "old";
    std::string number = "old";
    EXPECT_TRUE(questions.AskCompanyDetails(name, number));
    EXPECT_EQ(name, "Caf\xE9 R\xF6ssli");
    EXPECT_EQ(number, "ABN 12 345");

    WhenModal<TfmCompDetails>([](TfmCompDetails& window) { QTest::keyClick(&window, Qt::Key_Escape); });
    EXPECT_FALSE(questions.AskCompanyDetails(name, number));
    EXPECT_EQ(name, "Caf\xE9 R\xF6ssli");
}

TEST(QtDocumentQuestions, CompanyDetailsHold255Characters) {
    TfmCompDetails window;
    for (const char* edit : {"NameEdit", "NumberEdit"}) {
        auto* field = window.findChild<QLineEdit*>(edit);
        QTest::keyClicks(field, QString(300, QLatin1Char('x')));
        EXPECT_EQ(field->text().size(), 255) << edit;
    }
}

TEST(QtDocumentQuestions, TaxChoiceAndWizardOpenTheirWindows) {
    QtDocumentQuestions questions;
    WhenModal<TfmGstPercentName>([](TfmGstPercentName& window) {
        window.findChild<QRadioButton*>("VatBtn")->click();
        window.findChild<QLineEdit*>("PercentEdit")->setText(QStringLiteral("17.5"));
        window.findChild<QPushButton*>("OKBtn")->click();
    });
    const TTaxChoice tax = questions.AskTaxChoice();
    EXPECT_TRUE(tax.Tracking);
    EXPECT_EQ(tax.Percent, Money::FromRaw(175000));
    EXPECT_EQ(tax.Name, "VAT");

    TCatList types;
    types.AddDefaults();
    std::string account;
    WhenModal<TConvertWizard>([](TConvertWizard& wizard) {
        wizard.findChild<QPushButton*>("NextBtn")->click();
        wizard.findChild<QLineEdit*>("AccountEdit")->setText(QStringLiteral(" Savings "));
        wizard.findChild<QPushButton*>("NextBtn")->click();
    });
    EXPECT_TRUE(questions.ConvertWizard(types, account));
    EXPECT_EQ(account, "Savings");

    WhenModal<TConvertWizard>([](TConvertWizard& wizard) { wizard.findChild<QPushButton*>("CancelBtn")->click(); });
    account = "kept";
    EXPECT_FALSE(questions.ConvertWizard(types, account));
    EXPECT_EQ(account, "kept");
}

} // namespace
} // namespace qz::gui::test
