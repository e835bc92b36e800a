// The main window on generated documents, offscreen: opening a 100k-transaction document up to
// the painted worksheet; repainting one full screen of rows at the top, the middle and
// the end of a 1M-transaction ledger; and scrolling by one page. The window is 1280 x 800.

#include "filters/GeneratedDocument.h"
#include "grid/Grid3.h"
#include "mainwindow/MainForm.h"
#include "platform/Clock.h"
#include "platform/ScriptedPrompts.h"
#include "storage/DocumentQuestions.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

using namespace qz;
using namespace qz::gui;

QTemporaryDir& Folder() {
    static QTemporaryDir folder;
    return folder;
}

// Generated books written once per size and kept for the run.
std::string Document(std::int32_t transactions) {
    static std::map<std::int32_t, std::string> made;
    auto it = made.find(transactions);
    if (it != made.end())
        return it->second;
    const std::string path =
        QDir(Folder().path()).filePath(QStringLiteral("books%1.kqk").arg(transactions)).toStdString();
    TLedger ledger;
    TGeneratorOptions options;
    options.Transactions = transactions;
    options.Years = 10;
    TDocumentContent content;
    GenerateDocument(ledger, options, "GST", content);
    ScriptedPrompts prompts;
    if (!WriteGeneratedDocument(path, ledger, content, prompts))
        std::abort();
    return made[transactions] = path;
}

struct Window {
    ScriptedPrompts Prompts;
    PreparedQuestions Questions;
    MemoryRegistry Values;
    SystemClock Time;
    RegionalSettings Regional = RegionalSettings::Fixed();
    std::unique_ptr<TMain> Main;

    Window() {
        TMainServices services;
        services.Ask = &Prompts;
        services.Questions = &Questions;
        services.Values = &Values;
        services.Time = &Time;
        services.Regional = &Regional;
        services.InstallDir = QDir(Folder().path()).filePath(QStringLiteral("install")).toStdString();
        Main = std::make_unique<TMain>(services);
        Main->Grid()->SetAnimationOn(false);
        Main->resize(1280, 800);
        Main->show();
        QApplication::processEvents();
    }
};

// The second argument is the pause between the frames of the grid's slide-in, in milliseconds:
// 0 measures the work, 15 (the grid's own) what the user waits for the slide to end.
void BM_OpenToFirstPaint(benchmark::State& state) {
    const std::string path = Document(static_cast<std::int32_t>(state.range(0)));
    Window window;
    window.Main->Grid()->SetSlideDelay(static_cast<int>(state.range(1)));
    for (auto _ : state) {
        if (!window.Main->OpenFile(path))
            state.SkipWithError("the document did not open");
        window.Main->Grid()->repaint();
        state.PauseTiming();
        window.Main->CloseCommand();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenToFirstPaint)->Args({100'000, 0})->Args({100'000, 15})->Unit(benchmark::kMillisecond)->UseRealTime();

// The 1M window stays open for the repaint and scroll benchmarks.
Window& Million() {
    static Window* window = [] {
        auto* w = new Window;
        if (!w->Main->OpenFile(Document(1'000'000)))
            std::abort();
        return w;
    }();
    return *window;
}

// Where the screen starts: 0 the top, 1 the middle, 2 the last screen (row 999,999 at its foot).
void BM_RepaintScreen(benchmark::State& state) {
    TGrid3& grid = *Million().Main->Grid();
    const int rows = grid.RowCount();
    const int top = state.range(0) == 0 ? 0 : state.range(0) == 1 ? rows / 2 : rows - grid.RowsThatFit();
    grid.GridInfo()->ScrollBarPos = top;
    grid.RefreshGrid(false);
    for (auto _ : state) {
        grid.RefreshGrid(false);
        grid.repaint();
    }
    state.counters["rows"] = grid.RowsThatFit();
    state.counters["top"] = grid.TopRow();
}
BENCHMARK(BM_RepaintScreen)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ScrollOnePage(benchmark::State& state) {
    TGrid3& grid = *Million().Main->Grid();
    const int page = grid.RowsThatFit() - 1;
    grid.GridInfo()->ScrollBarPos = 0;
    grid.RefreshGrid(false);
    for (auto _ : state) {
        if (grid.TopRow() + 2 * page >= grid.RowCount())
            grid.ScrollRows(-grid.TopRow());
        grid.ScrollRows(page);
        grid.repaint();
    }
}
BENCHMARK(BM_ScrollOnePage)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
