#pragma once
// The description page of an example document, shown after the example is opened.

#include "platform/Prompts.h"

#include <QDialog>

#include <string>

class QTextBrowser;
class QUrl;

namespace qz::gui {

class TfmExampleDesc : public QDialog {
    Q_OBJECT
public:
    TfmExampleDesc(QWidget* parent, const QString& path, Prompts& prompts);

    // Shows `fileName` (as the document names it) from `folder` modally; nothing when the
    // file is not there.
    static void ShowIfPresent(QWidget* parent, const QString& folder, const std::string& fileName, Prompts& prompts);
    // Where ShowIfPresent looks for the page.
    static QString PagePath(const QString& folder, const std::string& fileName);

public slots:
    // A link names its target in a message instead of following it.
    void LinkClicked(const QUrl& link);

private:
    void ShowPage(const QString& path);

    Prompts& Messages;
    QTextBrowser* Browser;
};

} // namespace qz::gui
