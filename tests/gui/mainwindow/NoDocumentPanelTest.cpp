// The worksheet area without a document: a neutral area with the welcome screen's choices in its
// middle, no coloured row of empty cells; each choice runs the command the welcome screen runs.

#include "MainFormFixture.h"

#include "controls/KQBookBar.h"
#include "grid/WinColour.h"
#include "mainwindow/NoDocumentPanel.h"
#include "wizard/Welcome.h"

#include <QFile>
#include <QPushButton>
#include <QTest>

#include <set>

namespace qz::gui::test {

namespace {

// The colours the Transactions columns paint their cells with, as they are and as a disabled grid
// darkens them; the white and grey ones are left out, as a neutral area may show them.
std::set<QRgb> ColumnColours(TMain& window) {
    std::set<QRgb> colours;
    for (const TColProperty& column : window.Worksheet().GridInfo[ViewTransactions].ColInfo.Items) {
        const TColour colour = ResolveColour(column.Color);
        if (RedOf(colour) == GreenOf(colour) && GreenOf(colour) == BlueOf(colour))
            continue;
        for (const TColour shade : {colour, DarkenColour(colour, 30)})
            colours.insert(ToQColor(shade).rgb());
    }
    return colours;
}

// The pixels of the worksheet area (the page below the tabs) that show a column's colour.
int ColouredPixels(TMain& window) {
    const std::set<QRgb> colours = ColumnColours(window);
    QWidget* page = window.NoDocumentPanel()->parentWidget();
    const QImage shot = page->grab().toImage();
    int coloured = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            coloured += colours.count(shot.pixel(x, y)) != 0;
    return coloured;
}

void ExpectEmptyArea(TMain& window) {
    EXPECT_TRUE(window.NoDocumentPanel()->isVisible());
    EXPECT_FALSE(window.Grid()->isVisible());
    EXPECT_FALSE(window.AccountBar()->isVisible());
    EXPECT_EQ(ColouredPixels(window), 0);
}

} // namespace

TEST_F(MainFormTest, WithoutADocumentTheWorksheetAreaIsEmptyAndOffersTheWelcomeChoices) {
    ExpectEmptyArea(*Window);
    TNoDocumentPanel& panel = *Window->NoDocumentPanel();
    for (const int choice : {TWelcomeScreen::OpenExisting, TWelcomeScreen::CreateNew, TWelcomeScreen::OpenExample}) {
        ASSERT_NE(panel.ChoiceButton(choice), nullptr);
        EXPECT_TRUE(panel.ChoiceButton(choice)->isVisible());
    }
    // Nothing used before: no "Open Last Used".
    EXPECT_FALSE(panel.ChoiceButton(TWelcomeScreen::OpenLastUsed)->isVisible());

    // An open document shows its worksheet in place of the panel, with its coloured cells.
    const std::string path = WriteDocument("books.kqk");
    DialogAnswers.push_back(QString::fromStdString(path));
    QTest::mouseClick(panel.ChoiceButton(TWelcomeScreen::OpenExisting), Qt::LeftButton);
    ASSERT_EQ(Requests.size(), 1u);
    EXPECT_EQ(Requests.back().Title, QStringLiteral("Open file"));
    EXPECT_TRUE(Requests.back().Folder.endsWith(QStringLiteral("/Bookkeeping Files")));
    ASSERT_TRUE(Window->DocumentOpen());
    EXPECT_FALSE(panel.isVisible());
    EXPECT_TRUE(Window->Grid()->isVisible());
    EXPECT_GT(ColouredPixels(*Window), 1000);

    // Closed: the panel comes back, now offering the file just closed.
    ASSERT_TRUE(Window->CloseCommand());
    ExpectEmptyArea(*Window);
    QPushButton* lastUsed = panel.ChoiceButton(TWelcomeScreen::OpenLastUsed);
    EXPECT_TRUE(lastUsed->isVisible());
    EXPECT_EQ(lastUsed->text(), QStringLiteral("Open Last Used - 'books'"));
    QTest::mouseClick(lastUsed, Qt::LeftButton);
    EXPECT_EQ(Window->FileManager().Path, path);
}

// The other choices reach the commands the welcome screen's choices run; a cancelled dialog or a
// failed open leaves the empty area as it was.
TEST_F(MainFormTest, TheEmptyAreasChoicesRunTheWelcomeScreensCommands) {
    TNoDocumentPanel& panel = *Window->NoDocumentPanel();
    struct Case {
        int Choice;
        QString Title;
        QString FolderEnd;
    };
    const Case cases[] = {
        {TWelcomeScreen::CreateNew, QStringLiteral("Create New File"), QString()},
        {TWelcomeScreen::OpenExample, QStringLiteral("Open file"), QStringLiteral("/Bookkeeping Files/Example Files")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Title.toStdString());
        Requests.clear();
        QTest::mouseClick(panel.ChoiceButton(c.Choice), Qt::LeftButton);
        ASSERT_EQ(Requests.size(), 1u);
        EXPECT_EQ(Requests.back().Title, c.Title);
        EXPECT_TRUE(Requests.back().Folder.endsWith(c.FolderEnd));
        ExpectEmptyArea(*Window);
    }
    // A file that is no document.
    const std::string damaged = Path("damaged.kqk");
    {
        QFile file(QString::fromStdString(damaged));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a compound file");
    }
    DialogAnswers.push_back(QString::fromStdString(damaged));
    QTest::mouseClick(panel.ChoiceButton(TWelcomeScreen::OpenExisting), Qt::LeftButton);
    EXPECT_TRUE(Shown(NotADocumentText));
    ExpectEmptyArea(*Window);
}

// Down to the window's minimum size the choices show whole, one below the other: in the window
// where a file was just closed, and in a new window that starts with a file used before.
TEST_F(MainFormTest, TheEmptyAreasChoicesFitTheSmallestWindow) {
    ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk")));
    ASSERT_TRUE(Window->CloseCommand());
    for (const char* window : {"after Close", "started anew"}) {
        SCOPED_TRACE(window);
        if (window == std::string("started anew")) {
            Window->close();
            Window.reset();
            Window = MakeWindow();
        }
        Window->resize(Window->minimumSize());
        QApplication::processEvents();
        TNoDocumentPanel& panel = *Window->NoDocumentPanel();
        std::vector<QRect> places;
        for (const int choice : {TWelcomeScreen::OpenExisting, TWelcomeScreen::CreateNew, TWelcomeScreen::OpenExample,
                                 TWelcomeScreen::OpenLastUsed}) {
            SCOPED_TRACE(choice);
            QPushButton* button = panel.ChoiceButton(choice);
            ASSERT_TRUE(button->isVisible());
            const QRect place(button->mapTo(&panel, QPoint(0, 0)), button->size());
            EXPECT_TRUE(panel.rect().contains(place));
            EXPECT_GE(button->height(), button->minimumHeight());
            // Apart, not merely not overlapping.
            for (const QRect& other : places)
                EXPECT_FALSE(place.adjusted(0, -2, 0, 2).intersects(other));
            places.push_back(place);
        }
    }
}

} // namespace qz::gui::test
