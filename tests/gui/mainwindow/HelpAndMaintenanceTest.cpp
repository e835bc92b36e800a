// The help window, the maintenance dialog that makes a document an example, and the seeding of
// the installation folder from the shipped data.

#include "MainFormFixture.h"

#include "controls/HelpContext.h"

#include "controls/DatePanel.h"
#include "controls/KQBookBar.h"
#include "controls/KQButton2.h"
#include "controls/ToggleSwitches.h"
#include "mainwindow/HelpViewer.h"
#include "mainwindow/HiddenSettings.h"
#include "platform/InstallFolder.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTextBrowser>

namespace qz::gui::test {

namespace {

void WriteText(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QByteArray ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST_F(MainFormTest, HelpShowsTheTopicsPageOrSaysThereIsNone) {
    Window->Action(QStringLiteral("ContentsItem"))->trigger();
    ASSERT_NE(Window->HelpWindow(), nullptr);
    EXPECT_TRUE(Window->HelpWindow()->isVisible());
    EXPECT_TRUE(
        Window->HelpWindow()->Browser()->toPlainText().contains(QStringLiteral("no help page for topic 26000")));

    WriteText(QString::fromStdString(Path("install/Help/26000.htm")),
              "<html><body><h2>The worksheet</h2></body></html>");
    Window->HelpWindow()->hide();
    Window->ToolButton(QStringLiteral("HelpBtn"))->click();
    EXPECT_TRUE(Window->HelpWindow()->isVisible());
    EXPECT_EQ(Window->HelpWindow()->Browser()->toPlainText().trimmed(), QStringLiteral("The worksheet"));
}

// F1 opens the help on the topic of the control with the focus, or, where that has no page
// yet, of the window around it.
TEST_F(MainFormTest, F1OpensTheHelpOnTheTopicOfTheFocusedControl) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk")));
    QTest::mouseClick(Window->DatePanel()->DayButton(), Qt::LeftButton);
    WriteText(QString::fromStdString(Path("install/Help/26170.htm")),
              "<html><body><h2>The worksheet grid</h2></body></html>");
    WriteText(QString::fromStdString(Path("install/Help/26000.htm")),
              "<html><body><h2>The worksheet</h2></body></html>");
    struct Case {
        QWidget* Focused;
        int Topic;
    };
    const Case cases[] = {
        {Window->Grid(), 26170},
        {Window->AccountBar(), 26180},
        {Window->TabControl(), 26190},
        {Window->ToolButton(QStringLiteral("ToolsBtn")), 26040},
        {Window->ToolButton(QStringLiteral("OptionBtn")), 26070},
        {Window->ToolButton(QStringLiteral("HelpBtn")), 40},
        {Window->DatePanel()->DayButton(), 26080},
        {Window->DatePanel()->Picker(1), 26100},
        {Window->DatePanel()->Picker(2), 26110},
        {Window->TogglePanel()->Switch(0), 26000}, // no topic of its own: the window's
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Topic);
        if (Window->HelpWindow())
            Window->HelpWindow()->hide();
        Window->activateWindow();
        c.Focused->setFocus();
        ASSERT_TRUE(c.Focused->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        ASSERT_NE(Window->HelpWindow(), nullptr);
        EXPECT_TRUE(Window->HelpWindow()->isVisible());
        const QString shown = Window->HelpWindow()->Browser()->toPlainText();
        EXPECT_EQ(shown.trimmed(),
                  c.Topic == 26170 ? QStringLiteral("The worksheet grid") : QStringLiteral("The worksheet"))
            << c.Topic;
        EXPECT_EQ(HelpContextOf(c.Focused, 26000), c.Topic) << "each control's own topic";
    }
}

// "Hidden Settings" is how a document becomes an example: its description then shows on opening.
TEST_F(MainFormTest, HiddenSettingsMakeTheDocumentAnExample) {
    const std::string path = WriteDocument("books.kqk");
    // The Help button with Ctrl and the keypad's plus held down opens it.
    QTest::keyPress(Window.get(), Qt::Key_Control, Qt::ControlModifier);
    QTest::keyPress(Window.get(), Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    Window->ToolButton(QStringLiteral("HelpBtn"))->click();
    QTest::keyRelease(Window.get(), Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    QTest::keyRelease(Window.get(), Qt::Key_Control, Qt::NoModifier);
    ASSERT_NE(Window->HiddenSettingsWindow(), nullptr);
    EXPECT_TRUE(Window->HiddenSettingsWindow()->isVisible());
    EXPECT_EQ(Window->HelpWindow(), nullptr);
    EXPECT_FALSE(Window->HiddenSettingsWindow()->ApplyButton()->isEnabled());

    ASSERT_TRUE(Window->OpenFile(path));
    EXPECT_EQ(ExampleShown, "");
    Window->ShowHiddenSettings();
    THiddenSettings& dialog = *Window->HiddenSettingsWindow();
    EXPECT_FALSE(dialog.ExampleBox()->isChecked());
    dialog.ExampleBox()->setChecked(true);
    dialog.DescFileEdit()->setText(QStringLiteral("Corner Shop.htm"));
    dialog.ApplyButton()->click();
    ASSERT_TRUE(Window->CloseCommand());
    ASSERT_TRUE(Window->OpenFile(path));
    EXPECT_EQ(ExampleShown, "Corner Shop.htm");
}

TEST(InstallFolderTest, SeedingCopiesWhatIsMissingAndNeverReplacesTheUsersFiles) {
    QTemporaryDir folder;
    const QString shipped = folder.path() + QStringLiteral("/shipped");
    const QString install = folder.path() + QStringLiteral("/install");
    WriteText(shipped + QStringLiteral("/Example Files/Cafe.kqk"), "example document");
    WriteText(shipped + QStringLiteral("/ExampleDesc/Cafe.htm"), "shipped page");
    WriteText(shipped + QStringLiteral("/Help/26000.htm"), "help page");
    WriteText(shipped + QStringLiteral("/desktop/icon.svg"), "icon");
    // The user changed the example and its page already.
    WriteText(install + QStringLiteral("/Bookkeeping Files/Example Files/Cafe.kqk"), "the user's own changes");

    ASSERT_TRUE(SeedInstallationFolder(install, {shipped}));
    EXPECT_EQ(ReadText(install + QStringLiteral("/Bookkeeping Files/Example Files/Cafe.kqk")),
              "the user's own changes");
    EXPECT_EQ(ReadText(install + QStringLiteral("/ExampleDesc/Cafe.htm")), "shipped page");
    EXPECT_EQ(ReadText(install + QStringLiteral("/Help/26000.htm")), "help page");
    EXPECT_FALSE(QFileInfo::exists(install + QStringLiteral("/desktop/icon.svg")));
    EXPECT_FALSE(QFileInfo::exists(install + QStringLiteral("/ExampleDesc/Cafe.htm.tmp~")));

    // A second start changes nothing.
    WriteText(install + QStringLiteral("/ExampleDesc/Cafe.htm"), "edited page");
    ASSERT_TRUE(SeedInstallationFolder(install, {shipped}));
    EXPECT_EQ(ReadText(install + QStringLiteral("/ExampleDesc/Cafe.htm")), "edited page");
}

} // namespace qz::gui::test
