// A second start hands its file to the first over the local socket; the first window opens it.

#include "MainFormFixture.h"

#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLocalServer>
#include <QTest>

#include <chrono>
#include <future>

namespace qz::gui::test {

namespace {

// A later start, as another process would be: its hand-over blocks its own thread while this
// thread's event loop lets the first instance answer.
bool HandOverFromAnotherStart(const QString& name, const QString& file, int timeoutMs = 2000) {
    std::future<bool> handed = std::async(std::launch::async, [&] {
        SingleInstance later(name);
        return later.HandOver(file, timeoutMs);
    });
    while (handed.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
        QCoreApplication::processEvents();
    return handed.get();
}

QString TestName(const char* what) {
    return QStringLiteral("zudeduze-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(QLatin1String(what));
}

} // namespace

TEST_F(MainFormTest, SecondStartHandsItsFileToTheFirstWindow) {
    const QString name = TestName("first");
    SingleInstance first(name);
    ASSERT_TRUE(first.BecomeFirst());
    first.OnFileMessage = [this](const QString& file) { Window->OpenFromAnotherInstance(file.toStdString()); };

    const std::string path = WriteDocument("handed over.kqk");
    SingleInstance second(name);
    EXPECT_FALSE(second.BecomeFirst());
    ASSERT_TRUE(HandOverFromAnotherStart(name, QString::fromStdString(path)));
    QTRY_VERIFY_WITH_TIMEOUT(Window->DocumentOpen(), 5000);
    EXPECT_EQ(Window->FileManager().Path, path);

    // A start without a file only brings the window to the front.
    ASSERT_TRUE(HandOverFromAnotherStart(name, QString()));
    QTest::qWait(200);
    EXPECT_EQ(Window->FileManager().Path, path);
}

// A hand-over counts only when the first instance answers that it took the file: nobody
// listening, or a listener that never answers, leaves the later start to run on its own.
TEST_F(MainFormTest, AHandOverWithoutAnAnswerFails) {
    EXPECT_FALSE(HandOverFromAnotherStart(TestName("nobody"), QStringLiteral("/tmp/a.kqk"), 300));

    const QString name = TestName("mute");
    QLocalServer mute;
    ASSERT_TRUE(mute.listen(name));
    EXPECT_FALSE(HandOverFromAnotherStart(name, QStringLiteral("/tmp/a.kqk"), 300));
}

// The program is one per user, settings folder, installation folder and display: a start
// under another HOME or on another display finds nobody to hand its file to.
TEST(SingleInstanceName, EachUserSettingsInstallationAndDisplayHasItsOwn) {
    const QString settings = QStringLiteral("/home/ann/.config/Quillmar");
    const QString install = QStringLiteral("/home/ann/.local/share/Quillmar/Quillmar Zudeduze");
    const QString display = QStringLiteral("xcb||:0");
    const QString name = SingleInstance::NameFor(1000, settings, install, display);
    EXPECT_EQ(SingleInstance::NameFor(1000, settings, install, display), name);
    const QString others[] = {
        SingleInstance::NameFor(1001, settings, install, display),
        SingleInstance::NameFor(1000, QStringLiteral("/tmp/home/.config/Quillmar"), install, display),
        SingleInstance::NameFor(1000, settings, QStringLiteral("/tmp/zudeduze"), display),
        SingleInstance::NameFor(1000, settings, install, QStringLiteral("xcb||:77")),
        SingleInstance::NameFor(1000, settings, install, QStringLiteral("offscreen||:0")),
    };
    for (const QString& other : others)
        EXPECT_NE(other, name);
    // A socket name stays well inside the length a local socket's path may have.
    EXPECT_LT(name.size(), 60);
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
