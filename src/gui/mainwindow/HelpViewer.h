#pragma once
// The help window: the program's HTML help pages, one per topic number ("26000.htm"), from the
// "Help" folder of the installation folder.

#include <QDialog>

class QTextBrowser;

namespace qz::gui {

class THelpViewer : public QDialog {
    Q_OBJECT
public:
    THelpViewer(QWidget* parent, QString helpFolder);

    // Shows the page of `topic`, or says that there is none.
    void ShowTopic(int topic);
    static QString TopicPath(const QString& helpFolder, int topic);
    QTextBrowser* Browser() const { return Page; }

private:
    QString Folder;
    QTextBrowser* Page = nullptr;
};

} // namespace qz::gui
