#pragma once
// A main window on the offscreen platform with scripted dialogs, an in-memory settings store
// and a scratch installation folder, and generated documents to open in it.

#include "filters/GeneratedDocument.h"
#include "grid/Grid3.h"
#include "mainwindow/MainForm.h"
#include "platform/Clock.h"
#include "platform/Drives.h"
#include "platform/ScriptedPrompts.h"
#include "storage/DocumentQuestions.h"
#include "wizard/NewFileDlg.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>

namespace qz::gui::test {

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Folder.isValid());
        // The program's folder, where the worksheet options file lives.
        ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Path("install"))));
        Regional = RegionalSettings::Fixed();
        Window = MakeWindow();
    }

    std::unique_ptr<TMain> MakeWindow() {
        TMainServices services;
        services.Ask = &Prompts;
        services.Questions = &Questions;
        services.Values = &Values;
        services.Time = &Time;
        services.Regional = &Regional;
        services.InstallDir = Path("install");
        services.OpenDialog = [this](const TFileDialogRequest& request) { return Answer(request); };
        services.SaveDialog = [this](const TFileDialogRequest& request) { return Answer(request); };
        services.Welcome = [this] { return WelcomeChoice; };
        services.NewFileDialog = [this](const std::function<bool()>& closeCurrent,
                                        const std::function<bool(const std::string&)>& createBlank,
                                        const std::function<std::string()>& makeFromExisting) {
            if (NewFileDialog)
                return NewFileDialog(closeCurrent, createBlank);
            if (RealNewFileDialog) {
                TNewFileDlg dialog(
                    Window.get(), [] { return QString(); }, closeCurrent,
                    [&](const QString& path) { return createBlank(path.toStdString()); });
                dialog.SetFromExisting([&] { return QString::fromStdString(makeFromExisting()); });
                return dialog.exec() == QDialog::Accepted;
            }
            const QString path = Answer({QStringLiteral("Create New File"), {}, {}});
            return !path.isEmpty() && closeCurrent() && createBlank(path.toStdString());
        };
        services.ExampleDescription = [this](const std::string& file) { ExampleShown = file; };
        services.DriveInfo = &Drive;
        auto window = std::make_unique<TMain>(services);
        window->PopupsModal = false;
        window->Grid()->SetAnimationOn(false);
        window->Grid()->SetSlideDelay(0);
        window->resize(1000, 700);
        window->show();
        QApplication::processEvents();
        return window;
    }

    QString Answer(const TFileDialogRequest& request) {
        Requests.push_back(request);
        if (request.ChosenFilter && !FilterAnswers.empty()) {
            *request.ChosenFilter = FilterAnswers.front();
            FilterAnswers.pop_front();
        }
        if (DialogAnswers.empty())
            return {};
        QString answer = DialogAnswers.front();
        DialogAnswers.pop_front();
        return answer;
    }

    std::string Path(const std::string& name) const { return (Folder.path() + QLatin1Char('/')).toStdString() + name; }

    // Writes generated books as a document and answers its path; `adjust` may change its settings.
    std::string WriteDocument(const std::string& name, int transactions = 300, std::uint64_t seed = 7,
                              const std::function<void(TFileSettings&)>& adjust = {}) {
        TLedger ledger;
        TGeneratorOptions options;
        options.Seed = seed;
        options.Transactions = transactions;
        options.Years = 2;
        TDocumentContent content;
        GenerateDocument(ledger, options, "GST", content);
        if (adjust)
            adjust(content.Settings);
        const std::string path = Path(name);
        ScriptedPrompts quiet;
        EXPECT_TRUE(WriteGeneratedDocument(path, ledger, content, quiet));
        return path;
    }

    // Runs `command` and answers whether it opened a modal window; one that opened is closed at
    // once rather than waited on.
    static bool OpensAWindow(const std::function<void()>& command) {
        bool opened = false;
        QTimer::singleShot(0, [&opened] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = true;
                modal->close();
            }
        });
        command();
        QApplication::processEvents();
        return opened;
    }

    bool Shown(const std::string& text) const {
        for (const ScriptedPrompts::Message& message : Prompts.Messages)
            if (message.Text == text)
                return true;
        return false;
    }

    QTemporaryDir Folder;
    ScriptedPrompts Prompts;
    PreparedQuestions Questions;
    FixedDrives Drive; // a fixed drive the user may write, unless a test says otherwise
    MemoryRegistry Values;
    FixedClock Time{EncodeDate(2026, 12, 10)};
    RegionalSettings Regional;
    std::deque<QString> DialogAnswers;
    std::deque<int> FilterAnswers; // the filter a file dialog is left with, when it asks
    std::vector<TFileDialogRequest> Requests;
    int WelcomeChoice = -1;
    // The New File dialog, when a test runs a real one; otherwise a blank file at the next answer.
    std::function<bool(const std::function<bool()>&, const std::function<bool(const std::string&)>&)> NewFileDialog;
    // New runs the real New File dialog (with no save dialog behind "&Blank File").
    bool RealNewFileDialog = false;
    std::string ExampleShown;
    std::unique_ptr<TMain> Window;
};

} // namespace qz::gui::test
