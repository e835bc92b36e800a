#include "ExampleDesc.h"

#include "platform/TextCodec.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace qz::gui {

TfmExampleDesc::TfmExampleDesc(QWidget* parent, const QString& path, Prompts& prompts)
    : QDialog(parent), Messages(prompts) {
    setWindowTitle(QStringLiteral("Welcome"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    Browser = new QTextBrowser(this);
    Browser->setObjectName(QStringLiteral("Browser"));
    Browser->setOpenLinks(false);
    ShowPage(path);
    connect(Browser, &QTextBrowser::anchorClicked, this, &TfmExampleDesc::LinkClicked);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("&Close"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("CloseBtn"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Browser, 1);
    layout->addWidget(buttons);
    resize(560, 460);
}

void TfmExampleDesc::ShowPage(const QString& path) {
    // The page is shown as text rather than as the browser's source, so that a link reports
    // its target as written instead of resolved against the page; pictures are still found
    // beside the page.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder(QStringConverter::encodingForHtml(bytes).value_or(QStringConverter::Utf8));
    Browser->setSearchPaths({QFileInfo(path).absolutePath()});
    Browser->setHtml(decoder.decode(bytes));
}

QString TfmExampleDesc::PagePath(const QString& folder, const std::string& fileName) {
    // Names written on the original platform may carry its separators.
    QString name = FromDocument(fileName);
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (name.startsWith(QLatin1Char('/')))
        name.remove(0, 1);
    return QDir(folder).filePath(name);
}

void TfmExampleDesc::ShowIfPresent(QWidget* parent, const QString& folder, const std::string& fileName,
                                   Prompts& prompts) {
    const QString path = PagePath(folder, fileName);
    if (fileName.empty() || !QFileInfo(path).isFile())
        return;
    TfmExampleDesc window(parent, path, prompts);
    window.exec();
}

void TfmExampleDesc::LinkClicked(const QUrl& link) {
    Messages.MessageBox(ToDocument(link.toString()), MsgKind::Information, MsgButtons::Ok);
}

} // namespace qz::gui
