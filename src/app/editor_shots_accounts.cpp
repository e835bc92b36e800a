// editor_shots_accounts: pictures of the accounts window and the account dialog on a document
// (the example by default), saved as accounts.png and newaccount.png. The document is copied
// first, so the pictures never change it.
//   editor_shots_accounts [document] [output folder]

#include "editors/BooksForm.h"
#include "editors/DeleteDialog.h"
#include "editors/NewEditBookForm.h"
#include "options/QtDocumentQuestions.h"
#include "platform/LocaleSettings.h"
#include "platform/QtPrompts.h"
#include "storage/FileConvert.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstdio>

using namespace qz;
using namespace qz::gui;

namespace {

bool Save(QWidget& window, const QString& path) {
    window.show();
    QApplication::processEvents();
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    const QString document =
        arguments.value(0, QStringLiteral(ZUDEDUZE_BUILD_DIR "/data/Example Files/Wattle Lane Cafe.kqk"));
    const QString out = arguments.value(1, QStringLiteral("docs/editors"));
    QDir().mkpath(out);

    QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("books.kqk"));
    if (!scratch.isValid() || !QFile::copy(document, copy)) {
        std::fprintf(stderr, "could not copy %s\n", qPrintable(document));
        return 1;
    }

    QtPrompts prompts;
    QtDocumentQuestions questions;
    SystemClock clock;
    TLedger ledger;
    TFileManager files(ledger, prompts, questions, clock);
    files.ConnectLists();
    TFileConvert convert(files, ledger, prompts, questions, clock);
    if (!convert.OpenDocument(copy.toStdString()).Opened)
        return 1;
    TAccessCheck access(files.Settings, [&](const std::string& password) { return questions.AskPassword(password); });
    TQtEditDialogs dialogs;
    TEditContext edit{files, ledger, access, prompts, dialogs};
    const TDisplayFormats formats(RegionalSettingsOf());

    bool saved = true;
    {
        TBooksForm accounts({&edit, &formats, clock.Today(), {}}, 0);
        saved &= Save(accounts, out + QStringLiteral("/accounts.png"));
    }
    {
        TAccountFields fields = NewAccountFields(ledger, clock.Today());
        fields.Name = "Term Deposit";
        fields.OpeningBalance = Money::FromUnits(5000);
        TNewEditBookForm account(true, fields);
        saved &= Save(account, out + QStringLiteral("/newaccount.png"));
    }
    files.Close(true, false);
    return saved ? 0 : 1;
}
