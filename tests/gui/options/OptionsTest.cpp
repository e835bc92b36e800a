// The options window on real documents: each page filled from the document and written back
// by OK (read again after reopening), Cancel leaving the file as it was, the pages the password
// guards, the tabs' arrows, switching GST to VAT, the bulk tax percentages and the columns
// saved as the user's settings.

#include "options/Option.h"

#include "forms/ModalDriver.h"
#include "grid/ColumnProperties.h"
#include "mainwindow/MainFormFixture.h"
#include "options/GstPercentChange.h"
#include "options/NewPasswordDlg.h"
#include "options/PasswordDlg.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTest>

namespace qz::gui::test {
namespace {

class OptionsTest : public MainFormTest {
protected:
    // Opens the options window on `page` through the main window and acts on it while it is modal.
    int RunOptions(int page, std::function<void(TOptions&)> act) {
        WhenModal<TOptions>(std::move(act));
        return Window->OpenOptions(page);
    }

    void Reopen() {
        const std::string path = Window->FileManager().Path;
        ASSERT_TRUE(Window->CloseCommand());
        ASSERT_TRUE(Window->OpenFile(path));
    }

    QByteArray Bytes(const std::string& path) {
        QFile file(QString::fromStdString(path));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    template <class T> static T* Child(QWidget& window, const char* name) {
        T* child = window.findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    static void ClickTab(TOptions& window, int page) {
        auto* tabs = Child<QTabBar>(window, "PageControl");
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
    }
    static void Ok(QWidget& window) { Child<QPushButton>(window, "OKBtn")->click(); }
};

TEST_F(OptionsTest, FilePageFillsFromTheDocumentAndOkWritesIt) {
    const std::string path = WriteDocument("books.kqk", 40, 3, [](TFileSettings& settings) {
        settings.BusinessName = "Wattle Lane";
        settings.BusinessNumber = "ABN 1";
    });
    ASSERT_TRUE(Window->OpenFile(path));
    Window->FileManager().SetComment("First line\r\nSecond");
    EXPECT_EQ(RunOptions(TOptions::FilePage,
                         [](TOptions& window) {
                             auto* comments = Child<QPlainTextEdit>(window, "CommentsBox");
                             auto* name = Child<QLineEdit>(window, "BusinessNameEdit");
                             EXPECT_EQ(window.focusWidget(), comments);
                             EXPECT_EQ(comments->toPlainText(), QStringLiteral("First line\nSecond"));
                             EXPECT_EQ(name->text(), QStringLiteral("Wattle Lane"));
                             EXPECT_EQ(Child<QLineEdit>(window, "BusinessNumberEdit")->text(), QStringLiteral("ABN 1"));
                             comments->moveCursor(QTextCursor::End);
                             QTest::keyClicks(comments, QStringLiteral(" line"));
                             // Comments stop at 255 characters.
                             QTest::keyClicks(comments, QString(300, QLatin1Char('x')));
                             name->setText(QStringLiteral("Wattle Lane Cafe"));
                             Ok(window);
                         }),
              1);
    Reopen();
    TFileManager& files = Window->FileManager();
    const std::string comment = files.Comment();
    EXPECT_EQ(comment.size(), 255u);
    EXPECT_EQ(comment.substr(0, 24), "First line\r\nSecond linex");
    EXPECT_EQ(files.Settings.BusinessName, "Wattle Lane Cafe");
    EXPECT_EQ(files.Settings.BusinessNumber, "ABN 1");
}

TEST_F(OptionsTest, GeneralPageWritesTheOptionsAndTheOpeningBalanceSwitch) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk", 40)));
    TOptionsManager& options = Window->Options();
    ASSERT_FALSE(options.ReadOption(OptNewTransDate));
    ASSERT_TRUE(options.ReadOption(OptBalanceEndDay));
    ASSERT_TRUE(options.ReadOption(OptPrintDate));
    // The balance at the end of each day needs a recalculation (2); the opening-balance switch
    // resets the views as well (3).
    EXPECT_EQ(RunOptions(TOptions::GeneralPage,
                         [](TOptions& window) {
                             EXPECT_EQ(window.focusWidget(), Child<QCheckBox>(window, "OpeningBalancesBox"));
                             EXPECT_TRUE(Child<QCheckBox>(window, "BalanceEndDayBox")->isChecked());
                             EXPECT_FALSE(Child<QCheckBox>(window, "NewTransDateBox")->isChecked());
                             Child<QCheckBox>(window, "NewTransDateBox")->click();
                             Child<QCheckBox>(window, "BalanceEndDayBox")->click();
                             Child<QCheckBox>(window, "PrintDateBox")->click();
                             Ok(window);
                         }),
              2);
    EXPECT_TRUE(options.ReadOption(OptNewTransDate));
    EXPECT_FALSE(options.ReadOption(OptBalanceEndDay));
    EXPECT_FALSE(options.ReadOption(OptPrintDate));
    EXPECT_FALSE(Window->Worksheet().Options().BalanceEndDay);
    EXPECT_EQ(RunOptions(TOptions::GeneralPage,
                         [](TOptions& window) {
                             Child<QCheckBox>(window, "OpeningBalancesBox")->click();
                             Ok(window);
                         }),
              3);
    EXPECT_TRUE(Window->Ledger().Switches.UseOpeningBalancesInSelections);
}

TEST_F(OptionsTest, CancelLeavesTheDocumentAsItWas) {
    const std::string path = WriteDocument("books.kqk", 40);
    ASSERT_TRUE(Window->OpenFile(path));
    const QByteArray before = Bytes(path);
    const std::string name = Window->FileManager().Settings.BusinessName;
    EXPECT_EQ(RunOptions(TOptions::FilePage,
                         [](TOptions& window) {
                             Child<QLineEdit>(window, "BusinessNameEdit")->setText(QStringLiteral("Other"));
                             QTest::keyClicks(Child<QPlainTextEdit>(window, "CommentsBox"), QStringLiteral("note"));
                             ClickTab(window, TOptions::PasswordPage);
                             WhenModal<TNewPasswordDlg>([](TNewPasswordDlg& password) {
                                 QTest::keyClicks(password.findChild<QLineEdit*>("NewEdit"), QStringLiteral("pw"));
                                 QTest::keyClicks(password.findChild<QLineEdit*>("ConfirmEdit"), QStringLiteral("pw"));
                                 Ok(password);
                             });
                             Child<QPushButton>(window, "PasswordBtn")->click();
                             ClickTab(window, TOptions::TaxPage);
                             Child<QRadioButton>(window, "VatBtn")->click();
                             Child<QPushButton>(window, "CancelBtn")->click();
                         }),
              0);
    EXPECT_EQ(Bytes(path), before);
    EXPECT_EQ(Window->FileManager().Settings.BusinessName, name);
    EXPECT_TRUE(Window->FileManager().Settings.Password.empty());
    EXPECT_EQ(Window->FileManager().Settings.TaxName, "GST");
}

// A new password "Abc" confirmed as "abc" is stored as "abc", protects what was ticked, and
// the prompt then refuses "Abc".
TEST_F(OptionsTest, PasswordPageStoresTheConfirmationAndItsProtections) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk", 40)));
    EXPECT_EQ(RunOptions(TOptions::PasswordPage,
                         [](TOptions& window) {
                             auto* button = Child<QPushButton>(window, "PasswordBtn");
                             EXPECT_EQ(button->text(), QStringLiteral("Create a new Password"));
                             EXPECT_FALSE(Child<QWidget>(window, "ProtectGroup")->isEnabled());
                             EXPECT_FALSE(Child<QPushButton>(window, "ClearPasswordBtn")->isEnabled());
                             WhenModal<TNewPasswordDlg>([](TNewPasswordDlg& password) {
                                 QTest::keyClicks(password.findChild<QLineEdit*>("NewEdit"), QStringLiteral("Abc"));
                                 QTest::keyClicks(password.findChild<QLineEdit*>("ConfirmEdit"), QStringLiteral("abc"));
                                 Ok(password);
                             });
                             button->click();
                             EXPECT_EQ(button->text(), QStringLiteral("Change Password"));
                             EXPECT_TRUE(Child<QWidget>(window, "ProtectGroup")->isEnabled());
                             EXPECT_TRUE(Child<QPushButton>(window, "ClearPasswordBtn")->isEnabled());
                             Child<QCheckBox>(window, "ProtectDeleteBox")->click();
                             // A ticked protection keeps the password.
                             EXPECT_FALSE(Child<QPushButton>(window, "ClearPasswordBtn")->isEnabled());
                             Ok(window);
                         }),
              1);
    Reopen();
    const TFileSettings& settings = Window->FileManager().Settings;
    EXPECT_EQ(settings.Password, "abc");
    EXPECT_EQ(ProtectionsOf(settings), (TProtections{false, true, false, false, false, false, false}));
    ScriptedPrompts prompts;
    TPasswordDlg prompt(settings.Password, prompts);
    prompt.findChild<QLineEdit*>("PasswordEdit")->setText(QStringLiteral("Abc"));
    prompt.findChild<QPushButton*>("OKBtn")->click();
    EXPECT_NE(prompt.result(), QDialog::Accepted);
    EXPECT_EQ(prompts.LastText(), "Password incorrect");
}

TEST_F(OptionsTest, ThePasswordGuardsThePasswordAndWorksheetPages) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk", 40, 7, [](TFileSettings& settings) {
        settings.Password = "pw";
        settings.ProtectDelete = 1;
    })));
    // Opening on the Password page asks first; a wrong answer opens nothing.
    Questions.PasswordAccepted = false;
    EXPECT_EQ(Window->OpenOptions(TOptions::PasswordPage), 0);
    EXPECT_EQ(Questions.PasswordQuestions, 1);
    // The worksheet is not protected: its page opens without a question, and the Password tab asks.
    EXPECT_EQ(RunOptions(TOptions::WorksheetPage,
                         [this](TOptions& window) {
                             EXPECT_EQ(Questions.PasswordQuestions, 1);
                             ClickTab(window, TOptions::PasswordPage);
                             EXPECT_EQ(Questions.PasswordQuestions, 2);
                             EXPECT_EQ(window.Page(), TOptions::WorksheetPage);
                             Questions.PasswordAccepted = true;
                             ClickTab(window, TOptions::PasswordPage);
                             EXPECT_EQ(window.Page(), TOptions::PasswordPage);
                             EXPECT_EQ(window.focusWidget(), Child<QPushButton>(window, "PasswordBtn"));
                             EXPECT_EQ(Child<QPushButton>(window, "PasswordBtn")->text(),
                                       QStringLiteral("Change Password"));
                             // A protection ticked: the password cannot be cleared.
                             EXPECT_FALSE(Child<QPushButton>(window, "ClearPasswordBtn")->isEnabled());
                             Child<QPushButton>(window, "CancelBtn")->click();
                         }),
              0);
    EXPECT_EQ(Questions.PasswordQuestions, 3);
}

TEST_F(OptionsTest, TheRightArrowNeverReachesTheTaxPage) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk", 40)));
    RunOptions(TOptions::WorksheetPage, [](TOptions& window) {
        auto* tabs = Child<QTabBar>(window, "PageControl");
        tabs->setFocus();
        std::vector<int> pages;
        for (int press = 0; press < 6; ++press) {
            QTest::keyClick(tabs, Qt::Key_Right);
            pages.push_back(window.Page());
        }
        EXPECT_EQ(pages, (std::vector<int>{1, 2, 3, 3, 3, 3}));
        ClickTab(window, TOptions::TaxPage);
        EXPECT_EQ(window.Page(), TOptions::TaxPage);
        tabs->setFocus();
        QTest::keyClick(tabs, Qt::Key_Left);
        EXPECT_EQ(window.Page(), TOptions::GeneralPage);
        for (int press = 0; press < 5; ++press)
            QTest::keyClick(tabs, Qt::Key_Left);
        EXPECT_EQ(window.Page(), TOptions::WorksheetPage);
        Child<QPushButton>(window, "CancelBtn")->click();
    });
}

TEST_F(OptionsTest, SwitchingGstToVatRenamesTheTaxCategories) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk", 40)));
    Prompts.QueueAnswer(MsgResult::Yes);
    bool taxChanged = false;
    WhenModal<TOptions>([](TOptions& window) {
        EXPECT_TRUE(Child<QRadioButton>(window, "GstBtn")->isChecked());
        EXPECT_EQ(Child<QLabel>(window, "PercentLabel")->text(), QStringLiteral("GST Percentage"));
        EXPECT_EQ(Child<QLabel>(window, "CategoryLabel")->text(), QStringLiteral("GST"));
        QTest::mouseClick(Child<QRadioButton>(window, "VatBtn"), Qt::LeftButton);
        EXPECT_EQ(Child<QLabel>(window, "PercentLabel")->text(), QStringLiteral("VAT Percentage"));
        EXPECT_EQ(Child<QLabel>(window, "OpeningLabel")->text(), QStringLiteral("VAT Opening Balance"));
        EXPECT_EQ(Child<QLabel>(window, "CategoryCaption")->text(), QStringLiteral("Category used for VAT payments"));
        EXPECT_EQ(Child<QCheckBox>(window, "AutoCalcGSTBox")->text(),
                  QStringLiteral("Auto-calc VAT on Transactions by default"));
        EXPECT_EQ(Child<QLabel>(window, "CategoryLabel")->text(), QStringLiteral("VAT"));
        Ok(window);
    });
    EXPECT_EQ(Window->OpenOptions(TOptions::TaxPage, &taxChanged), 1);
    EXPECT_TRUE(taxChanged);
    EXPECT_TRUE(Shown("The GST/VAT settings have changed.  Do you want to keep the new settings?"));
    // The window's captions follow at once.
    EXPECT_EQ(Window->TabControl()->tabText(4).contains(QStringLiteral("VAT")),
              Window->TabControl()->tabText(4).contains(QStringLiteral("GST")) == false);
    Reopen();
    const TFileSettings& settings = Window->FileManager().Settings;
    EXPECT_EQ(settings.TaxName, "VAT");
    TMainActList& categories = Window->Ledger().MainActList;
    EXPECT_EQ(categories.FindByNumber(settings.GstPaymentCat)->Name.Str(), "VAT");
    EXPECT_EQ(categories.FindByNumber(settings.GstRefundCat)->Name.Str(), "VAT");
}

TEST_F(OptionsTest, SwitchingTaxOffIsRefusedWhileTaxTransactionsExist) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk", 300)));
    const TFileSettings& settings = Window->FileManager().Settings;
    ASSERT_TRUE(TaxCategoriesInUse(Window->Ledger(), settings));
    RunOptions(TOptions::TaxPage, [](TOptions& window) {
        Child<QLabel>(window, "CategoryLabel")->setText(QStringLiteral("Tax paid"));
        Child<QRadioButton>(window, "NoTaxBtn")->click();
        EXPECT_TRUE(Child<QRadioButton>(window, "GstBtn")->isChecked());
        EXPECT_EQ(Child<QLabel>(window, "CategoryLabel")->text(), QStringLiteral("Tax paid"));
        Child<QPushButton>(window, "CancelBtn")->click();
    });
    EXPECT_EQ(Prompts.LastText(), TaxSwitchOffRefusedText("GST"));
}

TEST_F(OptionsTest, RenameOfThePaymentsCategoryChecksTheName) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk", 40)));
    TLedger& books = Window->Ledger();
    // A debit category's name is taken.
    std::string taken;
    for (const TMainActRec* category : books.MainActList.KeyList)
        if (category->Side == SideDebit && category->Number != Window->FileManager().Settings.GstPaymentCat) {
            taken = category->Name.Str();
            break;
        }
    ASSERT_FALSE(taken.empty());
    Prompts.QueueInput("   ");
    Prompts.QueueInput(taken);
    Prompts.QueueInput("  Tax Office  ");
    Prompts.QueueAnswer(MsgResult::Ok);
    Prompts.QueueAnswer(MsgResult::Ok);
    Prompts.QueueAnswer(MsgResult::Yes);
    RunOptions(TOptions::TaxPage, [](TOptions& window) {
        auto* rename = Child<QPushButton>(window, "RenameBtn");
        for (int i = 0; i < 3; ++i)
            rename->click();
        EXPECT_EQ(Child<QLabel>(window, "CategoryLabel")->text(), QStringLiteral("Tax Office"));
        Ok(window);
    });
    ASSERT_EQ(Prompts.InputsAsked.size(), 3u);
    EXPECT_EQ(Prompts.InputsAsked[0].Caption, "GST Payment Category");
    EXPECT_EQ(Prompts.InputsAsked[0].Prompt, "Rename GST payment Category");
    EXPECT_EQ(Prompts.InputsAsked[0].Default, "GST");
    EXPECT_TRUE(Shown("The name you have entered is not valid"));
    EXPECT_TRUE(Shown(TaxCategoryRenameRefusal(taken, books)));
    EXPECT_EQ(books.MainActList.FindByNumber(Window->FileManager().Settings.GstRefundCat)->Name.Str(), "Tax Office");
}

// Sub categories at 10 % and at 10.0 % are one line; the tax categories' are never listed;
// Apply moves the whole line, and "&Close" hands back the new default percentage.
TEST_F(OptionsTest, BulkPercentagesListOneLinePerPercentageAndChangeIt) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk", 40)));
    TLedger& books = Window->Ledger();
    const TFileSettings& settings = Window->FileManager().Settings;
    auto outsideTax = [&](const TSubActRec* sub) {
        return sub->MainAct != settings.GstPaymentCat && sub->MainAct != settings.GstRefundCat;
    };
    std::vector<TSubActRec*> ordinary;
    for (TSubActRec* sub : books.SubActList.KeyList)
        if (outsideTax(sub))
            ordinary.push_back(sub);
    ASSERT_GE(ordinary.size(), 3u);
    ordinary[0]->GstPercent = Money::FromUnits(10);
    ordinary[1]->GstPercent = Money::FromDouble(10.0);
    for (std::size_t i = 2; i < ordinary.size(); ++i)
        ordinary[i]->GstPercent = Money::FromUnits(15);
    const std::int32_t atTen = 2;
    Prompts.QueueAnswer(MsgResult::Yes); // the bulk change
    Prompts.QueueAnswer(MsgResult::Yes); // keep the new tax settings
    RunOptions(TOptions::TaxPage, [&](TOptions& window) {
        WhenModal<TfmGstPercentChange>([&](TfmGstPercentChange& bulk) {
            auto* list = bulk.findChild<QListWidget*>("GroupList");
            ASSERT_EQ(list->count(), 2);
            EXPECT_EQ(list->item(0)->text(), QStringLiteral("%1 Sub Categories @ 10.00%").arg(atTen));
            EXPECT_EQ(list->currentRow(), 0);
            auto* apply = bulk.findChild<QPushButton*>("ApplyBtn");
            auto* to = bulk.findChild<QLineEdit*>("ChangeToBox");
            EXPECT_FALSE(apply->isEnabled());
            to->selectAll();
            QTest::keyClicks(to, QStringLiteral("12.5"));
            EXPECT_TRUE(apply->isEnabled());
            apply->click();
            EXPECT_EQ(list->count(), 2);
            EXPECT_EQ(list->item(0)->text(), QStringLiteral("%1 Sub Categories @ 12.50%").arg(atTen));
            auto* defaults = bulk.findChild<QLineEdit*>("DefaultBox");
            defaults->selectAll();
            QTest::keyClicks(defaults, QStringLiteral("12.5"));
            bulk.findChild<QPushButton*>("CloseBtn")->click();
        });
        Child<QPushButton>(window, "ChangePercentBtn")->click();
        EXPECT_EQ(Child<QLineEdit>(window, "PercentBox")->text(), QStringLiteral("12.50"));
        Ok(window);
    });
    EXPECT_TRUE(Shown("Are you sure you want the these changes applied?"));
    Reopen();
    std::vector<Money> percents;
    for (const TSubActRec* sub : Window->Ledger().SubActList.KeyList)
        if (outsideTax(sub) && sub->GstPercent == Money::FromRaw(125000))
            percents.push_back(sub->GstPercent);
    EXPECT_EQ(percents.size(), static_cast<std::size_t>(atTen));
    EXPECT_EQ(Window->FileManager().Settings.GstPercent, Money::FromRaw(125000));
}

// "&Edit Columns...": a column hidden and narrowed reaches the grid at once and, saved as the
// user's settings, comes back with the next start.
TEST_F(OptionsTest, ColumnChangesReachTheGridAndSurviveARestartAsUserSettings) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk", 40)));
    const TColumns& shown = Window->Worksheet().GridInfo[ViewTransactions].ColInfo;
    const int hidden = 2;
    const int narrowed = 3;
    const std::string hiddenTitle = shown[hidden].Title;
    ASSERT_TRUE(shown[hidden].Visible);
    const int width = std::max(TColumnProperties::NarrowestWidth, shown[narrowed].Width - 7);
    ASSERT_NE(width, shown[narrowed].Width);
    EXPECT_EQ(RunOptions(TOptions::WorksheetPage,
                         [&](TOptions& window) {
                             auto* save = Child<QPushButton>(window, "SaveUserBtn");
                             EXPECT_FALSE(save->isEnabled());
                             WhenModal<TColumnProperties>([&](TColumnProperties& columns) {
                                 EXPECT_EQ(columns.windowTitle(), QStringLiteral("Column Properties"));
                                 columns.SelectColumn(hidden);
                                 columns.findChild<QCheckBox*>("VisibleBox")->click();
                                 EXPECT_FALSE(columns.findChild<QSpinBox*>("WidthBox")->isEnabled());
                                 columns.SelectColumn(narrowed);
                                 columns.findChild<QSpinBox*>("WidthBox")->setValue(width);
                                 // Nothing reaches the worksheet before OK.
                                 EXPECT_TRUE(Window->Worksheet().GridInfo[ViewTransactions].ColInfo[hidden].Visible);
                                 Ok(columns);
                             });
                             Child<QPushButton>(window, "EditColumnsBtn")->click();
                             EXPECT_FALSE(Child<QRadioButton>(window, "DefaultSetBtn")->isChecked());
                             EXPECT_FALSE(Child<QRadioButton>(window, "UserSetBtn")->isChecked());
                             EXPECT_TRUE(save->isEnabled());
                             save->click();
                             EXPECT_TRUE(Child<QRadioButton>(window, "UserSetBtn")->isChecked());
                             Ok(window);
                         }),
              1);
    auto check = [&](const TMain& window) {
        TGrid3* grid = window.Grid();
        const TColumns& columns = grid->GridInfo()->ColInfo;
        EXPECT_FALSE(columns[hidden].Visible);
        EXPECT_EQ(columns[hidden].Title, hiddenTitle);
        EXPECT_EQ(columns[narrowed].Width, width);
    };
    check(*Window);
    EXPECT_EQ(Window->Options().InUse(), 1);
    Window.reset();
    Window = MakeWindow();
    check(*Window);
}

} // namespace
} // namespace qz::gui::test
