// The New File Wizard driven with keys and clicks from the main window's "Create a New file":
// the New File dialog's wizard choice, the six pages, and the document Finish makes, as the
// worksheet then shows it; and a wizard cancelled on any page, which leaves no file.

#include "wizard/FileWizard.h"

#include "editors/NewEditBookForm.h"
#include "forms/ModalDriver.h"
#include "mainwindow/MainFormFixture.h"
#include "wizard/NewFileDlg.h"
#include "wizard/Welcome.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

namespace qz::gui::test {
namespace {

// A small template of our own: two credit and two debit categories, then lines past the end.
const char* const Template = "*Sales,1,I,T,General Income\r\nCounter\r\nOnline\r\n"
                             "*Interest Received,2,I,T,Other Income\r\n"
                             "*Rent,3,E,T,Overheads\r\nShop\r\n"
                             "*Wages,4,E,T,Wages\r\nCasual staff\r\n"
                             "~\r\n*Never read,5,I,T,General Income\r\n";

template <class T> T* Child(QWidget& window, const char* name) {
    T* child = window.findChild<T*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

void Click(QWidget& window, const char* name) {
    auto* button = Child<QAbstractButton>(window, name);
    ASSERT_TRUE(button->isEnabled()) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

void ClickRow(QAbstractItemView* view, const QModelIndex& index, bool twice = false) {
    ASSERT_TRUE(index.isValid());
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}

void ClickListRow(QListWidget* list, const QString& text, bool twice = false) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    ClickRow(list, list->indexFromItem(found[0]), twice);
}

void ClickTreeRow(QTreeWidget* tree, const QString& text) {
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    ClickRow(tree, tree->indexFromItem(found[0]));
}

// The tree's texts, each indented by its depth.
QStringList TreeTexts(QTreeWidget* tree) {
    QStringList texts;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        int depth = 0;
        for (const QTreeWidgetItem* up = (*it)->parent(); up; up = up->parent())
            ++depth;
        texts << QString(depth * 2, QLatin1Char(' ')) + (*it)->text(0);
    }
    return texts;
}

QStringList ListTexts(QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

class FileWizardTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        const QString install = QString::fromStdString(Path("install"));
        ASSERT_TRUE(QDir().mkpath(install + QStringLiteral("/Wizard Files")));
        ASSERT_TRUE(QDir().mkpath(install + QStringLiteral("/Bookkeeping Files")));
        Write(install + QStringLiteral("/Wizard Files/Wizdata.dat"), Template);
        Write(install + QStringLiteral("/Wizard Files/pg2_1.htm"),
              "<html><body><p>Choosing categories</p></body></html>");
        // The New File dialog as the program runs it, with the wizard on offer.
        NewFileDialog = [this](const std::function<bool()>& closeCurrent,
                               const std::function<bool(const std::string&)>& createBlank) {
            TNewFileDlg dialog(
                Window.get(), [] { return QString(); }, closeCurrent,
                [&](const QString& path) { return createBlank(path.toStdString()); });
            dialog.SetWizard(
                [&] { return TFileWizard::Run(&dialog, FileWizardContext(*Window, Prompts, Time, Regional)); });
            return dialog.exec() == QDialog::Accepted;
        };
    }

    static void Write(const QString& path, const char* text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QStringList Bookkeeping() const {
        return QDir(QString::fromStdString(Path("install/Bookkeeping Files")))
            .entryList(QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    // "Create a New file" on the welcome screen, then the New File dialog's "&File Wizard";
    // `drive` works the wizard once it shows. A New File dialog left open is closed.
    void CreateNew(const std::function<void(TFileWizard&)>& drive) {
        WhenModal<TNewFileDlg>([drive](TNewFileDlg& dialog) {
            WhenModal<TFileWizard>(drive);
            Click(dialog, "FileWizardBtn");
            if (dialog.isVisible())
                dialog.reject();
        });
        Window->RunWelcomeChoice(TWelcomeScreen::CreateNew);
    }

    // The account editor: a name, an opening balance, OK.
    static void NewAccount(TFileWizard& w, const QString& name, const QString& balance) {
        WhenModal<TNewEditBookForm>([name, balance](TNewEditBookForm& editor) {
            QTest::keyClicks(Child<QLineEdit>(editor, "NameEdit"), name);
            QLineEdit* opening = Child<QLineEdit>(editor, "OpeningBox");
            opening->selectAll();
            QTest::keyClicks(opening, balance);
            Click(editor, "OKBtn");
        });
        Click(w, "NewAccountBtn");
    }

    // The pages up to `last` (0-based), as a user fills them.
    void WalkTo(TFileWizard& w, int last) {
        ASSERT_EQ(w.Page(), 0);
        QTest::keyClicks(Child<QLineEdit>(w, "NameEdit"), QStringLiteral("  Wattle Plumbing "));
        QTest::keyClicks(Child<QLineEdit>(w, "NumberEdit"), QStringLiteral("51 824"));
        if (last == 0)
            return;
        // Page 2: two template categories of each side, one of the user's own.
        Click(w, "NextBtn");
        ASSERT_EQ(w.Page(), 1);
        EXPECT_EQ(Child<QLineEdit>(w, "NameEdit")->text(), QStringLiteral("Wattle Plumbing"));
        EXPECT_FALSE(Child<QPushButton>(w, "NextBtn")->isEnabled());
        EXPECT_TRUE(Child<QTextBrowser>(w, "HelpPanel")->toPlainText().contains(QStringLiteral("Choosing categories")));
        auto* list = Child<QListWidget>(w, "TemplateList");
        auto* tree = Child<QTreeWidget>(w, "SelectedTree");
        EXPECT_EQ(ListTexts(list), (QStringList{"Interest Received", "Sales"}));
        ClickListRow(list, QStringLiteral("Sales"));
        EXPECT_EQ(
            Child<QLabel>(w, "DescriptionLabel")->text(),
            QStringLiteral("<b>Sales</b><br>&nbsp;&nbsp;&nbsp;&nbsp;-Counter<br>&nbsp;&nbsp;&nbsp;&nbsp;-Online"));
        ClickListRow(list, QStringLiteral("Sales"), true);
        ClickListRow(list, QStringLiteral("Interest Received"), true);
        Click(w, "DebitBtn");
        ASSERT_TRUE(Child<QRadioButton>(w, "DebitBtn")->isChecked());
        ClickListRow(list, QStringLiteral("Wages"), true);
        ClickListRow(list, QStringLiteral("Rent"), true);
        // A template category goes back to the list with Remove.
        ClickTreeRow(tree, QStringLiteral("Wages"));
        Click(w, "RemoveCategoryBtn");
        EXPECT_EQ(ListTexts(list), QStringList{"Wages"});
        ClickListRow(list, QStringLiteral("Wages"), true);
        // The user's own: a duplicate of the side refused, then a new one, renamed with F2.
        Prompts.QueueInput("rent");
        Click(w, "NewCategoryBtn");
        EXPECT_EQ(Prompts.LastText(), "The name 'Rent' is already being used");
        Prompts.QueueInput("fuel");
        Click(w, "NewCategoryBtn");
        ClickTreeRow(tree, QStringLiteral("Fuel"));
        QTest::keyClick(tree, Qt::Key_F2);
        auto* editor = tree->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral(" vehicle costs "));
        QTest::keyClick(editor, Qt::Key_Return);
        // The tree is refilled once the editor has gone.
        QApplication::processEvents();
        QApplication::processEvents();
        EXPECT_EQ(TreeTexts(tree), (QStringList{"WATTLE PLUMBING", "  Interest Received", "  Sales", "  Rent",
                                                "  Vehicle costs", "  Wages"}));
        if (last == 1)
            return;
        // Page 3: the user's category takes a type.
        Click(w, "NextBtn");
        ASSERT_EQ(w.Page(), 2);
        EXPECT_FALSE(Child<QRadioButton>(w, "TypesCreditBtn")->isEnabled());
        EXPECT_TRUE(Child<QRadioButton>(w, "TypesDebitBtn")->isChecked());
        EXPECT_FALSE(Child<QPushButton>(w, "NextBtn")->isEnabled());
        ClickListRow(Child<QListWidget>(w, "UntypedList"), QStringLiteral("Vehicle costs"));
        ClickListRow(Child<QListWidget>(w, "TypeList"), QStringLiteral("Overheads"));
        Click(w, "AddTypeBtn");
        EXPECT_EQ(Child<QListWidget>(w, "UntypedList")->count(), 0);
        if (last == 2)
            return;
        // Page 4: a sub category for the user's category; Interest Received keeps none.
        Click(w, "NextBtn");
        ASSERT_EQ(w.Page(), 3);
        auto* subs = Child<QTreeWidget>(w, "SubTree");
        ClickTreeRow(subs, QStringLiteral("Vehicle costs"));
        Prompts.QueueInput("fuel");
        Click(w, "NewSubBtn");
        EXPECT_EQ(TreeTexts(subs),
                  (QStringList{"WATTLE PLUMBING", "  Interest Received", "  Sales", "    Counter", "    Online",
                               "  Rent", "    Shop", "  Vehicle costs", "    Fuel", "  Wages", "    Casual staff"}));
        Prompts.QueueAnswer(MsgResult::Yes);
        if (last == 3)
            return;
        Click(w, "NextBtn");
        EXPECT_EQ(Prompts.LastText(),
                  "Some of your Categories don't have Sub Categories.  This is OK, its easy to create "
                  "new Sub Categories later as you enter your transactions.\r\rDo you want to "
                  "continue without creating Sub Categories for each Category?");
        // Page 5: two accounts; a name already listed is refused.
        ASSERT_EQ(w.Page(), 4);
        EXPECT_FALSE(Child<QPushButton>(w, "NextBtn")->isEnabled());
        NewAccount(w, QStringLiteral("Business Cheque"), QStringLiteral("1520.50"));
        NewAccount(w, QStringLiteral("Cash Tin"), QStringLiteral("200"));
        auto* accounts = Child<QTreeWidget>(w, "AccountList");
        ASSERT_EQ(accounts->topLevelItemCount(), 2);
        EXPECT_EQ(accounts->topLevelItem(0)->text(1), QStringLiteral("$1,520.50"));
        WhenModal<TNewEditBookForm>([](TNewEditBookForm& editor) {
            QTest::keyClicks(Child<QLineEdit>(editor, "NameEdit"), QStringLiteral("cash tin"));
            WhenModal<TNewEditBookForm>([](TNewEditBookForm& again) { Click(again, "CancelBtn"); });
            Click(editor, "OKBtn");
        });
        Click(w, "NewAccountBtn");
        EXPECT_EQ(Prompts.LastText(),
                  "The Account name 'cash tin' is already in use.  Please choose a different Account name.");
        EXPECT_EQ(accounts->topLevelItemCount(), 2);
        if (last == 4)
            return;
        Click(w, "NextBtn");
        ASSERT_EQ(w.Page(), 5);
        EXPECT_EQ(Child<QPushButton>(w, "NextBtn")->text(), QStringLiteral("&Finish"));
        EXPECT_FALSE(Child<QPushButton>(w, "NextBtn")->isEnabled());
    }
};

TEST_F(FileWizardTest, WalksFromCreateANewFileToTheNewDocumentsWorksheet) {
    Write(QString::fromStdString(Path("install/Bookkeeping Files/Taken.kqk")), "someone else's");
    CreateNew([this](TFileWizard& w) {
        WalkTo(w, 5);
        auto* name = Child<QLineEdit>(w, "FileNameEdit");
        QTest::keyClicks(name, QStringLiteral("Tak:en"));
        EXPECT_EQ(name->text(), QStringLiteral("Taken"));
        Click(w, "NextBtn");
        EXPECT_EQ(Prompts.LastText(),
                  "The filename 'Taken' is already being used.  Please choose a different file name.");
        EXPECT_EQ(w.Page(), 5);
        name->clear();
        QTest::keyClicks(name, QStringLiteral("Plumbing */2026?"));
        EXPECT_EQ(name->text(), QStringLiteral("Plumbing 2026"));
        Click(w, "NextBtn");
    });
    ASSERT_TRUE(Window->FileManager().IsOpen) << Prompts.LastText();
    EXPECT_EQ(Window->FileManager().Path, Path("install/Bookkeeping Files/Plumbing 2026.kqk"));
    EXPECT_EQ(Window->FileManager().Settings.BusinessName, "Wattle Plumbing");
    EXPECT_EQ(Bookkeeping(), (QStringList{"Plumbing 2026.kqk", "Plumbing 2026.~bk", "Taken.kqk"}));

    // The worksheet's categories view, every category shown.
    TWorksheet& sheet = Window->Worksheet();
    Window->Ledger().MainActList.ShowZeroRows = true;
    Window->Ledger().MainActList.Recount();
    std::vector<std::string> rows;
    for (std::int32_t line = 0; line < sheet.RowCount(ViewCategories); ++line) {
        std::vector<std::string> cells;
        bool enabled = true;
        std::uint8_t rowType = 0;
        Window->SelectTab(ViewCategories);
        sheet.GridB1GetText(line, cells, enabled, rowType);
        std::string row;
        for (const std::string& cell : cells)
            if (!cell.empty())
                row += (row.empty() ? "" : "|") + cell;
        rows.push_back(row);
    }
    const auto has = [&rows](const std::string& part) {
        return std::any_of(rows.begin(), rows.end(),
                           [&](const std::string& r) { return r.find(part) != std::string::npos; });
    };
    for (const char* part : {"100|Interest Received", "200|Sales", "2000|Rent", "2100|Vehicle costs", "2200|Wages",
                             "2300|GST", "2400|GST"})
        EXPECT_TRUE(has(part)) << part;
    std::vector<std::string> accounts;
    for (const TBookRec* b : Window->Ledger().BookList.KeyList)
        accounts.push_back(b->Name.Str() + " " + std::to_string(b->OpeningBalance().Raw()));
    EXPECT_EQ(accounts, (std::vector<std::string>{"Business Cheque 15205000", "Cash Tin 2000000"}));
}

// A template that is missing or damaged is told about; the wizard still runs, with the user's
// own categories only (or, without the end mark, with what was read).
TEST(FileWizardTemplate, AMissingOrDamagedTemplateIsToldAndTheWizardRuns) {
    const struct {
        const char* Name;
        QByteArray Content; // empty: no file
        std::string Message;
        QStringList Templates;
    } cases[] = {
        {"missing", {}, "could not be used: The file \"", {}},
        {"binary",
         QByteArray("*Sales,1,I\n\x01\x02\x03\x00\n~\n", 17),
         "could not be used: Line 2 holds characters that are not text.",
         {}},
        {"no end mark",
         "*Sales,1,I,T,General Income\nCounter\n",
         "may be incomplete: The file has no end mark",
         {"Sales"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        QTemporaryDir folder;
        if (!c.Content.isEmpty()) {
            QFile file(folder.filePath(QStringLiteral("Wizdata.dat")));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.Content);
        }
        ScriptedPrompts prompts;
        TFileWizardContext context;
        context.Ask = &prompts;
        context.InstallDir = folder.path().toStdString();
        context.WizardFilesDir = folder.path().toStdString();
        TFileWizard wizard(context);
        wizard.show();
        ASSERT_EQ(prompts.Messages.size(), 1u);
        EXPECT_NE(prompts.Messages[0].Text.find(c.Message), std::string::npos) << prompts.Messages[0].Text;
        wizard.ShowPage(1);
        EXPECT_EQ(ListTexts(Child<QListWidget>(wizard, "TemplateList")), c.Templates);
        // The help pages are missing too: the panel says so.
        EXPECT_TRUE(Child<QTextBrowser>(wizard, "HelpPanel")->toPlainText().contains(QStringLiteral("pg2_1.htm")));
        prompts.QueueInput("Takings");
        Click(wizard, "NewCategoryBtn");
        EXPECT_TRUE(Child<QPushButton>(wizard, "NextBtn")->isEnabled());
    }
}

// The New File dialog closes the open document before the wizard shows, and only then.
TEST(NewFileDlgWizard, ClosesTheOpenDocumentFirstThenRunsTheWizard) {
    const struct {
        const char* Name;
        bool CloseSucceeds;
        QString WizardPath;
        QStringList Log;
        bool Accepted;
    } cases[] = {
        {"close abandoned", false, QStringLiteral("/books/New.kqk"), {"close"}, false},
        {"wizard cancelled", true, QString(), {"close", "wizard"}, false},
        {"wizard finished", true, QStringLiteral("/books/New.kqk"), {"close", "wizard"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        QStringList log;
        TNewFileDlg dialog(
            nullptr, [] { return QString(); },
            [&] {
                log << QStringLiteral("close");
                return c.CloseSucceeds;
            },
            [&](const QString&) {
                log << QStringLiteral("create");
                return true;
            });
        auto* wizard = Child<QPushButton>(dialog, "FileWizardBtn");
        EXPECT_FALSE(wizard->isEnabled());
        dialog.SetWizard([&] {
            log << QStringLiteral("wizard");
            return c.WizardPath;
        });
        ASSERT_TRUE(wizard->isEnabled());
        wizard->click();
        EXPECT_EQ(log, c.Log);
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.Accepted);
        EXPECT_EQ(dialog.FileName(), c.Accepted ? c.WizardPath : QString());
    }
}

// Cancelled on any page, after the open document was closed for it: no file, no document.
TEST_F(FileWizardTest, CancelledOnAnyPageLeavesNoFile) {
    for (int page = 0; page < TFileWizard::PageCount; ++page) {
        SCOPED_TRACE(page);
        ASSERT_TRUE(Window->OpenFile(WriteDocument("open.kqk", 20)));
        CreateNew([this, page](TFileWizard& w) {
            WalkTo(w, page);
            if (page == 5)
                QTest::keyClicks(Child<QLineEdit>(w, "FileNameEdit"), QStringLiteral("Never"));
            EXPECT_EQ(w.Page(), page);
            Click(w, "CancelBtn");
        });
        EXPECT_FALSE(Window->FileManager().IsOpen);
        EXPECT_TRUE(Bookkeeping().isEmpty()) << Bookkeeping().join(QLatin1Char(',')).toStdString();
        Prompts = ScriptedPrompts();
    }
}

} // namespace
} // namespace qz::gui::test
