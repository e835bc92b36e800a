// The conversion wizard of a first-generation document: pages, Kinds, Finish and Cancel.

#include "wizard/ConvertWizard.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace qz::gui::test {
namespace {

class ConvertWizardTest : public ::testing::Test {
protected:
    ConvertWizardTest() {
        Types.AddDefaults();
        Consulting = Types.AddType("Consulting", SideCredit, 0, 0);
        Vehicles = Types.AddType("Vehicles", SideDebit, 0, 0);
        Rental = Types.AddType("Rental", SideCredit, KindOther, 0);
    }

    template <class T> T* Child(TConvertWizard& wizard, const char* name) {
        T* child = wizard.findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    void Select(TConvertWizard& wizard, const char* name) {
        auto* list = Child<QListWidget>(wizard, "TypesList");
        const auto found = list->findItems(QLatin1String(name), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        list->setCurrentItem(found[0]);
    }
    static QStringList Captions(QGroupBox* box) {
        QStringList texts;
        for (QRadioButton* button : box->findChildren<QRadioButton*>())
            texts << button->text();
        return texts;
    }
    static QRadioButton* Item(QGroupBox* box, const QString& caption) {
        for (QRadioButton* button : box->findChildren<QRadioButton*>())
            if (button->text() == caption)
                return button;
        return nullptr;
    }
    static QRadioButton* Checked(QGroupBox* box) {
        for (QRadioButton* button : box->findChildren<QRadioButton*>())
            if (button->isChecked())
                return button;
        return nullptr;
    }

    TCatList Types;
    TCatRec* Consulting;
    TCatRec* Vehicles;
    TCatRec* Rental;
};

TEST_F(ConvertWizardTest, FinishWaitsForAKindForEveryOwnType) {
    TConvertWizard wizard(Types, "");
    auto* back = Child<QPushButton>(wizard, "BackBtn");
    auto* next = Child<QPushButton>(wizard, "NextBtn");
    EXPECT_EQ(wizard.windowTitle(), QStringLiteral("File Convert Wizard"));
    EXPECT_FALSE(back->isEnabled());
    next->click();
    EXPECT_EQ(wizard.Page(), TConvertWizard::PageAccount);
    EXPECT_EQ(next->text(), QStringLiteral("&Next"));
    Child<QLineEdit>(wizard, "AccountEdit")->setText(QStringLiteral("  Cheque Account "));
    next->click();
    ASSERT_EQ(wizard.Page(), TConvertWizard::PageTypes);
    EXPECT_EQ(next->text(), QStringLiteral("&Finish"));
    ASSERT_EQ(Child<QListWidget>(wizard, "TypesList")->count(), 3); // the default types are not listed
    EXPECT_FALSE(next->isEnabled());

    auto* income = Child<QGroupBox>(wizard, "IncomeBox");
    auto* expense = Child<QGroupBox>(wizard, "ExpenseBox");
    Select(wizard, "Consulting");
    EXPECT_EQ(Checked(income), nullptr);
    Item(income, QStringLiteral("Asset && Liability"))->click();
    EXPECT_FALSE(next->isEnabled());
    Select(wizard, "Vehicles");
    EXPECT_EQ(Checked(expense), nullptr);
    Item(expense, QStringLiteral("Company Tax"))->click();
    EXPECT_TRUE(next->isEnabled());

    // Nothing reaches the types before Finish.
    EXPECT_EQ(Consulting->Kind, 0);
    next->click();
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
    EXPECT_EQ(Consulting->Kind, KindAssets);
    EXPECT_EQ(Vehicles->Kind, KindCompanyTax);
    EXPECT_EQ(Rental->Kind, KindOther);
    EXPECT_EQ(wizard.AccountName(), "Cheque Account");
}

TEST_F(ConvertWizardTest, KindListFollowsTheSideOfTheSelectedType) {
    TConvertWizard wizard(Types, "");
    Child<QPushButton>(wizard, "NextBtn")->click();
    Child<QPushButton>(wizard, "NextBtn")->click();
    auto* income = Child<QGroupBox>(wizard, "IncomeBox");
    auto* expense = Child<QGroupBox>(wizard, "ExpenseBox");
    EXPECT_EQ(income->title(), QStringLiteral("Income Category Type"));
    EXPECT_EQ(expense->title(), QStringLiteral("Expense Category Type"));

    const struct {
        const char* Type;
        QGroupBox* Shown;
        QGroupBox* Hidden;
        QStringList Items;
        const char* Checked; // nullptr: none
    } cases[] = {
        {"Consulting", income, expense, {"Sales Income", "Other Income", "Asset && Liability", "Funds"}, nullptr},
        {"Rental", income, expense, {"Sales Income", "Other Income", "Asset && Liability", "Funds"}, "Other Income"},
        {"Vehicles",
         expense,
         income,
         {"Cost of Sales", "Normal Operating Expenses", "Other Expenses", "Company Tax", "Asset && Liability", "Funds"},
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Type);
        Select(wizard, c.Type);
        EXPECT_TRUE(c.Shown->isVisibleTo(&wizard));
        EXPECT_FALSE(c.Hidden->isVisibleTo(&wizard));
        EXPECT_EQ(Captions(c.Shown), c.Items);
        QRadioButton* checked = Checked(c.Shown);
        EXPECT_EQ(checked ? checked->text() : QString(), c.Checked ? QString::fromLatin1(c.Checked) : QString());
    }

    // The ids behind the items are the Kinds, credit items skipping the expense-only ones.
    const struct {
        const char* Type;
        QGroupBox* Box;
        const char* Item;
        std::int16_t Kind;
    } kinds[] = {{"Consulting", income, "Sales Income", 1},       {"Consulting", income, "Other Income", 3},
                 {"Consulting", income, "Asset && Liability", 5}, {"Consulting", income, "Funds", 6},
                 {"Vehicles", expense, "Cost of Sales", 1},       {"Vehicles", expense, "Normal Operating Expenses", 2},
                 {"Vehicles", expense, "Other Expenses", 3},      {"Vehicles", expense, "Company Tax", 4},
                 {"Vehicles", expense, "Asset && Liability", 5},  {"Vehicles", expense, "Funds", 6}};
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.Item);
        Select(wizard, k.Type);
        Item(k.Box, QString::fromLatin1(k.Item))->click();
        EXPECT_EQ(wizard.ChosenKind(k.Type == std::string("Consulting") ? Consulting : Vehicles), k.Kind);
    }
}

TEST_F(ConvertWizardTest, WithoutOwnTypesTheAccountPageFinishes) {
    TCatList defaults;
    defaults.AddDefaults();
    TConvertWizard wizard(defaults, "Old name");
    auto* next = Child<QPushButton>(wizard, "NextBtn");
    next->click();
    EXPECT_EQ(next->text(), QStringLiteral("&Finish"));
    EXPECT_EQ(Child<QLineEdit>(wizard, "AccountEdit")->text(), QStringLiteral("Old name"));
    next->click();
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
    EXPECT_EQ(wizard.Page(), TConvertWizard::PageAccount);
}

TEST_F(ConvertWizardTest, BackReturnsAndCancelChangesNothing) {
    TConvertWizard wizard(Types, "");
    auto* next = Child<QPushButton>(wizard, "NextBtn");
    next->click();
    next->click();
    Select(wizard, "Consulting");
    Item(Child<QGroupBox>(wizard, "IncomeBox"), QStringLiteral("Funds"))->click();
    Child<QPushButton>(wizard, "BackBtn")->click();
    EXPECT_EQ(wizard.Page(), TConvertWizard::PageAccount);
    EXPECT_EQ(next->text(), QStringLiteral("&Next"));
    EXPECT_TRUE(next->isEnabled());
    Child<QPushButton>(wizard, "CancelBtn")->click();
    EXPECT_EQ(wizard.result(), QDialog::Rejected);
    EXPECT_EQ(Consulting->Kind, 0);
}

} // namespace
} // namespace qz::gui::test
