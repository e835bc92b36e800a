#include "HelpViewer.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace qz::gui {

THelpViewer::THelpViewer(QWidget* parent, QString helpFolder) : QDialog(parent), Folder(std::move(helpFolder)) {
    setWindowTitle(QStringLiteral("Quillmar Zudeduze Help"));
    Page = new QTextBrowser(this);
    Page->setObjectName(QStringLiteral("HelpPage"));
    Page->setOpenExternalLinks(true);
    Page->setSearchPaths({Folder});
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("&Close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Page);
    layout->addWidget(buttons);
    resize(620, 560);
}

QString THelpViewer::TopicPath(const QString& helpFolder, int topic) {
    return helpFolder + QStringLiteral("/%1.htm").arg(topic);
}

void THelpViewer::ShowTopic(int topic) {
    const QString path = TopicPath(Folder, topic);
    if (QFileInfo::exists(path))
        Page->setSource(QUrl::fromLocalFile(path));
    else
        Page->setHtml(
            QStringLiteral("<p>There is no help page for topic %1 in %2.</p>").arg(topic).arg(Folder.toHtmlEscaped()));
}

} // namespace qz::gui
