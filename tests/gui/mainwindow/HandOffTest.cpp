// A second start hands its file to the first over the local socket; the first window opens it.

#include "MainFormFixture.h"

#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDialog>
#include <QTest>

namespace qz::gui::test {

TEST_F(MainFormTest, SecondStartHandsItsFileToTheFirstWindow) {
    const QString name = QStringLiteral("zudeduze-test-%1").arg(QCoreApplication::applicationPid());
    SingleInstance first(name);
    ASSERT_TRUE(first.BecomeFirst());
    first.OnFileMessage = [this](const QString& file) { Window->OpenFromAnotherInstance(file.toStdString()); };

    const std::string path = WriteDocument("handed over.kqk");
    SingleInstance second(name);
    EXPECT_FALSE(second.BecomeFirst());
    ASSERT_TRUE(second.HandOver(QString::fromStdString(path)));
    QTRY_VERIFY_WITH_TIMEOUT(Window->DocumentOpen(), 5000);
    EXPECT_EQ(Window->FileManager().Path, path);

    // A start without a file only brings the window to the front.
    SingleInstance third(name);
    ASSERT_TRUE(third.HandOver(QString()));
    QTest::qWait(200);
    EXPECT_EQ(Window->FileManager().Path, path);
}

// A file handed over while a dialog of the window is up waits for the dialog to close.
TEST_F(MainFormTest, HandedOverFileWaitsForTheOpenDialog) {
    const std::string path = WriteDocument("later.kqk");
    QDialog dialog(Window.get());
    dialog.setModal(true);
    dialog.show();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
    Window->OpenFromAnotherInstance(path);
    QTest::qWait(400);
    EXPECT_FALSE(Window->DocumentOpen());
    dialog.hide();
    QTRY_VERIFY_WITH_TIMEOUT(Window->DocumentOpen(), 3000);
    EXPECT_EQ(Window->FileManager().Path, path);
}

// The command line may split a name with blanks into several arguments.
TEST_F(MainFormTest, CommandLineArgumentsFormOneFileName) {
    const std::string path = WriteDocument("two words.kqk");
    const QString folder = QString::fromStdString(Path(""));
    Window->OpenFromCommandLine({folder + QStringLiteral("two"), QStringLiteral("words.kqk")});
    EXPECT_EQ(Window->FileManager().Path, path);
}

} // namespace qz::gui::test
