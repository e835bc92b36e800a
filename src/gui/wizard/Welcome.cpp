#include "Welcome.h"


#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

// The band across the top: an open cash book on a deep green ground, and the program's name.
class TWelcomeHeader : public QWidget {
public:
    explicit TWelcomeHeader(QWidget* parent) : QWidget(parent) { setFixedHeight(96); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QLinearGradient ground(0, 0, width(), height());
        ground.setColorAt(0, QColor(0x1D, 0x5C, 0x4B));
        ground.setColorAt(1, QColor(0x2F, 0x8F, 0x6F));
        painter.fillRect(rect(), ground);
        DrawBook(painter, QRectF(22, 20, 64, 56));

        QFont title = font();
        title.setPointSizeF(title.pointSizeF() * 1.9);
        title.setBold(true);
        painter.setFont(title);
        painter.setPen(Qt::white);
        painter.drawText(QRectF(104, 14, width() - 116, 44), Qt::AlignLeft | Qt::AlignBottom,
                         QStringLiteral("Quillmar Zudeduze"));
        QFont subtitle = font();
        subtitle.setPointSizeF(subtitle.pointSizeF() * 1.1);
        painter.setFont(subtitle);
        painter.setPen(QColor(0xDD, 0xF2, 0xE9));
        painter.drawText(QRectF(104, 60, width() - 116, 24), Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("Your cash book. What would you like to do?"));
    }

private:
    static void DrawBook(QPainter& painter, const QRectF& area) {
        const qreal half = area.width() / 2;
        const QColor paper(0xFB, 0xF8, 0xEE);
        painter.setPen(QPen(QColor(0x12, 0x3A, 0x30), 1.5));
        painter.setBrush(paper);
        for (int side = 0; side < 2; ++side) {
            const qreal left = area.left() + side * half;
            QPainterPath page;
            page.moveTo(left, area.top() + (side ? 6 : 0));
            page.lineTo(left + half, area.top() + (side ? 0 : 6));
            page.lineTo(left + half, area.bottom());
            page.lineTo(left, area.bottom() - 6);
            page.closeSubpath();
            painter.drawPath(page);
        }
        painter.setPen(QPen(QColor(0x5B, 0x9B, 0xD5), 1));
        for (int line = 1; line <= 5; ++line) {
            const qreal y = area.top() + 8 + line * 7;
            painter.drawLine(QPointF(area.left() + 5, y), QPointF(area.left() + half - 5, y + 1));
            painter.drawLine(QPointF(area.left() + half + 5, y + 1), QPointF(area.right() - 5, y));
        }
        painter.setPen(QPen(QColor(0xC0, 0x39, 0x2B), 1));
        painter.drawLine(QPointF(area.right() - 14, area.top() + 4), QPointF(area.right() - 14, area.bottom() - 4));
    }
};

QString ShortName(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

} // namespace

TWelcomeScreen::TWelcomeScreen(QWidget* parent, Registry& registry, TOptionsManager& options)
    : QDialog(parent), Options(options) {
    setWindowTitle(QStringLiteral("Welcome"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->addWidget(new TWelcomeHeader(this));

    auto* choices = new QVBoxLayout;
    choices->setContentsMargins(24, 14, 24, 6);
    choices->setSpacing(8);
    choices->addWidget(AddChoice(QStringLiteral("Open an Existing file"), OpenExisting, "OpenExistingBtn"));
    choices->addWidget(AddChoice(QStringLiteral("Create a New file"), CreateNew, "CreateNewBtn"));
    choices->addWidget(AddChoice(QStringLiteral("Open an Example file"), OpenExample, "OpenExampleBtn"));
    auto* lastRow = new QHBoxLayout;
    LastFileBtn = AddChoice(QStringLiteral("Open Last Used -"), OpenLastUsed, "OpenLastUsedBtn");
    LastFileLabel = new QLabel(this);
    LastFileLabel->setObjectName(QStringLiteral("LastFileLabel"));
    LastFileLabel->setTextFormat(Qt::PlainText);
    lastRow->addWidget(LastFileBtn);
    lastRow->addWidget(LastFileLabel, 1);
    choices->addLayout(lastRow);
    layout->addLayout(choices);
    layout->addSpacing(10);
    layout->addStretch();

    ShowWelcomeBox = new QCheckBox(QStringLiteral("Show welcome screen"), this);
    ShowWelcomeBox->setObjectName(QStringLiteral("ShowWelcomeBox"));
    ShowWelcomeBox->setChecked(true);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("CloseBtn"));
    connect(close, &QPushButton::clicked, this, [this] { done(Closed); });
    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(24, 0, 24, 0);
    bottom->addWidget(ShowWelcomeBox);
    bottom->addStretch();
    bottom->addWidget(close);
    layout->addLayout(bottom);

    ShowLastFile(registry);
    setMinimumWidth(460);
}

QPushButton* TWelcomeScreen::AddChoice(const QString& caption, int code, const char* name) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    button->setMinimumHeight(34);
    button->setMinimumWidth(200);
    button->setAutoDefault(false);
    button->setStyleSheet(QStringLiteral("text-align: left; padding-left: 12px; padding-right: 12px;"));
    connect(button, &QPushButton::clicked, this, [this, code] { done(code); });
    return button;
}

void TWelcomeScreen::ShowLastFile(Registry& registry) {
    // Recent files are kept as the file system spells their names (UTF-8).
    std::string stored;
    const QString path = registry.ReadText(LastUsedValue, stored) ? QString::fromStdString(stored) : QString();
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        LastFileLabel->setText(QStringLiteral("<nothing to open>"));
        LastFileBtn->hide();
        return;
    }
    Last = path;
    LastFileLabel->setText(QLatin1Char('\'') + ShortName(path) + QLatin1Char('\''));
    LastFileLabel->setToolTip(path);
}

int TWelcomeScreen::Run() {
    return exec();
}

void TWelcomeScreen::done(int result) {
    Options.WriteOption(OptShowWelcome, ShowWelcomeBox->isChecked());
    QDialog::done(result);
}

} // namespace qz::gui
