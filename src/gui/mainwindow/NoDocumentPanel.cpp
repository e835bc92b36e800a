#include "NoDocumentPanel.h"

#include "wizard/Welcome.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

constexpr int CardMargin = 20;
constexpr int ButtonWidth = 260;

// The card in the middle: the page's base colour with a light edge and rounded corners.
class TCard : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(palette().color(QPalette::Mid));
        painter.setBrush(palette().color(QPalette::Base));
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    }
};

} // namespace

TNoDocumentPanel::TNoDocumentPanel(QWidget* parent) : QWidget(parent) {
    Card = new TCard(this);
    auto* title = new QLabel(QStringLiteral("No file is open"), Card);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    auto* line = new QLabel(QStringLiteral("Open your books, start new ones, or try the example."), Card);
    line->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(Card);
    layout->setContentsMargins(CardMargin, CardMargin - 6, CardMargin, CardMargin);
    layout->setSpacing(8);
    layout->addWidget(title);
    layout->addWidget(line);
    layout->addSpacing(6);
    layout->addWidget(
        AddChoice(QStringLiteral("Open an Existing file"), TWelcomeScreen::OpenExisting, "OpenExistingBtn"), 0,
        Qt::AlignHCenter);
    layout->addWidget(AddChoice(QStringLiteral("Create a New file"), TWelcomeScreen::CreateNew, "CreateNewBtn"), 0,
                      Qt::AlignHCenter);
    layout->addWidget(AddChoice(QStringLiteral("Open an Example file"), TWelcomeScreen::OpenExample, "OpenExampleBtn"),
                      0, Qt::AlignHCenter);
    LastUsedBtn = AddChoice(QString(), TWelcomeScreen::OpenLastUsed, "OpenLastUsedBtn");
    layout->addWidget(LastUsedBtn, 0, Qt::AlignHCenter);

    // The card stays in the middle of the area, whatever its size.
    auto* centre = new QGridLayout(this);
    centre->setContentsMargins(6, 6, 6, 6);
    centre->addWidget(Card, 1, 1);
    centre->setRowStretch(0, 1);
    centre->setRowStretch(2, 1);
    centre->setColumnStretch(0, 1);
    centre->setColumnStretch(2, 1);
    SetLastUsed(QString());
}

QPushButton* TNoDocumentPanel::AddChoice(const QString& caption, int choice, const char* name) {
    auto* button = new QPushButton(caption, Card);
    button->setObjectName(QLatin1String(name));
    button->setMinimumHeight(30);
    button->setFixedWidth(ButtonWidth);
    connect(button, &QPushButton::clicked, this, [this, choice] {
        if (OnChoice)
            OnChoice(choice);
    });
    return button;
}

void TNoDocumentPanel::SetLastUsed(const QString& path) {
    LastUsedBtn->setVisible(!path.isEmpty());
    // The size asked for changes with the button, also while the panel is not on the screen.
    Card->layout()->invalidate();
    Card->updateGeometry();
    layout()->invalidate();
    if (path.isEmpty())
        return;
    // "&" in a file name is a letter, not a short cut.
    const QString name = QFileInfo(path).completeBaseName().replace(QLatin1Char('&'), QStringLiteral("&&"));
    const QString caption = QStringLiteral("Open Last Used - '%1'").arg(name);
    LastUsedBtn->setText(LastUsedBtn->fontMetrics().elidedText(caption, Qt::ElideMiddle, ButtonWidth - 20));
    LastUsedBtn->setToolTip(path);
}

QPushButton* TNoDocumentPanel::ChoiceButton(int choice) const {
    switch (choice) {
    case TWelcomeScreen::OpenExisting:
        return findChild<QPushButton*>(QStringLiteral("OpenExistingBtn"));
    case TWelcomeScreen::CreateNew:
        return findChild<QPushButton*>(QStringLiteral("CreateNewBtn"));
    case TWelcomeScreen::OpenExample:
        return findChild<QPushButton*>(QStringLiteral("OpenExampleBtn"));
    case TWelcomeScreen::OpenLastUsed:
        return LastUsedBtn;
    default:
        return nullptr;
    }
}

void TNoDocumentPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
}

} // namespace qz::gui
