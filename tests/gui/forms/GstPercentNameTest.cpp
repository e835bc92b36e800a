// The tax question of a converted document: its choices, the percentage check and the answer.

#include "options/GstPercentName.h"

#include "ModalDriver.h"
#include "platform/ScriptedPrompts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace qz::gui::test {
namespace {

struct TaxCase {
    const char* Button;
    const char* Percent;
    bool Accepted;
    std::string Message; // empty: none
    TTaxChoice Expected;
};

const std::string GstMessage = "You must enter a GST Percentage that is greater than 0 and less than 100";
const std::string VatMessage = "You must enter a VAT Percentage that is greater than 0 and less than 100";

TEST(GstPercentName, PercentageMustLieStrictlyBetween0And100) {
    const TaxCase cases[] = {
        {"GstBtn", "10", true, "", {true, Money::FromUnits(10), "GST"}},
        {"VatBtn", "12.5", true, "", {true, Money::FromRaw(125000), "VAT"}},
        {"GstBtn", "99.9", true, "", {true, Money::FromRaw(999000), "GST"}},
        {"GstBtn", "0", false, GstMessage, {}},
        {"GstBtn", "", false, GstMessage, {}},
        {"VatBtn", "100", false, VatMessage, {}},
        {"VatBtn", "0.0", false, VatMessage, {}},
        // Without tracking the percentage box does not matter.
        {"NoTaxBtn", "0", true, "", {false, Money::FromUnits(10), ""}},
        {"NoTaxBtn", "37", true, "", {false, Money::FromUnits(10), ""}},
    };
    for (const TaxCase& c : cases) {
        SCOPED_TRACE(std::string(c.Button) + " " + c.Percent);
        ScriptedPrompts prompts;
        TfmGstPercentName window(prompts);
        window.findChild<QRadioButton*>(c.Button)->click();
        window.findChild<QLineEdit*>("PercentEdit")->setText(QString::fromLatin1(c.Percent));
        window.findChild<QPushButton*>("OKBtn")->click();

        EXPECT_EQ(window.result() == QDialog::Accepted, c.Accepted);
        if (c.Message.empty()) {
            EXPECT_TRUE(prompts.Messages.empty());
        } else {
            ASSERT_EQ(prompts.Messages.size(), 1u);
            EXPECT_EQ(prompts.Messages[0].Text, c.Message);
            EXPECT_EQ(prompts.Messages[0].Kind, MsgKind::Information);
        }
        if (c.Accepted) {
            EXPECT_EQ(window.Choice().Tracking, c.Expected.Tracking);
            EXPECT_EQ(window.Choice().Percent, c.Expected.Percent);
            EXPECT_EQ(window.Choice().Name, c.Expected.Name);
        }
    }
}

TEST(GstPercentName, PercentageBoxFollowsTheTaxChosen) {
    ScriptedPrompts prompts;
    TfmGstPercentName window(prompts);
    auto* label = window.findChild<QLabel*>("PercentLabel");
    auto* edit = window.findChild<QLineEdit*>("PercentEdit");
    EXPECT_EQ(edit->text(), QStringLiteral("10"));
    EXPECT_TRUE(window.findChild<QRadioButton*>("NoTaxBtn")->isChecked());

    const struct {
        const char* Button;
        bool Shown;
        const char* Label;
    } steps[] = {{"NoTaxBtn", false, nullptr},
                 {"VatBtn", true, "VAT Percentage"},
                 {"GstBtn", true, "GST Percentage"},
                 {"NoTaxBtn", false, nullptr}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.Button);
        window.findChild<QRadioButton*>(step.Button)->click();
        EXPECT_EQ(label->isVisibleTo(&window), step.Shown);
        EXPECT_EQ(edit->isVisibleTo(&window), step.Shown);
        if (step.Label) {
            EXPECT_EQ(label->text(), QString::fromLatin1(step.Label));
        }
    }
}

TEST(GstPercentName, HasNoWayOutButOk) {
    ScriptedPrompts prompts;
    WhenModal<TfmGstPercentName>([](TfmGstPercentName& window) {
        QTest::keyClick(&window, Qt::Key_Escape);
        EXPECT_TRUE(window.isVisible());
        window.findChild<QRadioButton*>("VatBtn")->click();
        window.findChild<QLineEdit*>("PercentEdit")->setText(QStringLiteral("20"));
        window.findChild<QPushButton*>("OKBtn")->click();
    });
    const TTaxChoice choice = TfmGstPercentName::Ask(nullptr, prompts);
    EXPECT_TRUE(choice.Tracking);
    EXPECT_EQ(choice.Percent, Money::FromUnits(20));
    EXPECT_EQ(choice.Name, "VAT");
}

} // namespace
} // namespace qz::gui::test
