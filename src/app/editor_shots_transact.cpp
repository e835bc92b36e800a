// editor_shots_transact: pictures of the transaction editor on a document (the example by
// default): a new credit with its GST from the percentage, a new debit with a GST amount typed
// in, a split transaction, and a stored transaction locked and unlocked, saved as
// transact-credit.png, transact-debit.png, transact-split.png, transact-locked.png and
// transact-unlocked.png. The document is copied first, so the pictures never change it.
//   editor_shots_transact [document] [output folder]

#include "controls/NumberBox.h"
#include "controls/NumberPad.h"
#include "controls/PercentUpDown.h"
#include "editors/Choice.h"
#include "editors/DeleteDialog.h"
#include "editors/Transact.h"
#include "options/QtDocumentQuestions.h"
#include "platform/LocaleSettings.h"
#include "platform/QtPrompts.h"
#include "platform/TextCodec.h"
#include "storage/FileConvert.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

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

template <class T> T* Child(QWidget& window, const char* name) {
    return window.findChild<T*>(QLatin1String(name));
}

// The kind chooser, answered as soon as it shows.
void AnswerKind(bool debit) {
    QTimer::singleShot(0, [debit] {
        if (auto* choice = qobject_cast<TChoice*>(QApplication::activeModalWidget())) {
            Child<QPushButton>(*choice, debit ? "DebitBtn" : "CreditBtn")->click();
            Child<QPushButton>(*choice, "OKBtn")->click();
        }
    });
}

// Chooses the item of `list` whose text starts with `start`, as the user's choice.
void Choose(QComboBox* list, const QString& start) {
    for (int i = 0; i < list->count(); ++i)
        if (list->itemText(i).startsWith(start)) {
            list->setCurrentIndex(i);
            emit list->activated(i);
            list->hidePopup();
            return;
        }
}

void Type(TNumberBox* box, const QString& text) {
    box->setText(text);
    emit box->textEdited(text);
    box->OnExit();
}

// The first stored unsplit transaction of `kind`.
std::int32_t FirstUnsplit(const TLedger& ledger, std::uint8_t kind) {
    for (std::int32_t i = 0; i < ledger.TransList.Count(); ++i)
        if (const TTransRec* t = ledger.TransList.Items(i); t->Kind == kind && t->Split == '0')
            return i;
    return -1;
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

    TTransactContext context;
    context.Edit = &edit;
    context.Formats = &formats;
    context.Time = &clock;
    context.Options = [] { return TTransactionOptions{true, false, true, false}; };
    TTransact editor(context);
    bool saved = true;

    AnswerKind(false);
    if (editor.Start(TTransMode::New, -1)) {
        Choose(Child<QComboBox>(editor, "ComboMainName"), QStringLiteral("Caf"));
        Choose(Child<QComboBox>(editor, "ComboSubName"), QStringLiteral("Counter"));
        Child<QLineEdit>(editor, "EditReference")->setText(QStringLiteral("INV-1042"));
        emit Child<QLineEdit>(editor, "EditReference")->textEdited(QStringLiteral("INV-1042"));
        Type(Child<TNumberBox>(editor, "NbrBoxAmount"), QStringLiteral("110"));
        Child<QPlainTextEdit>(editor, "MemoMemo")->setPlainText(QStringLiteral("Saturday market stall"));
        saved &= Save(editor, out + QStringLiteral("/transact-credit.png"));
        editor.hide();
    }

    AnswerKind(true);
    if (editor.Start(TTransMode::New, -1)) {
        Choose(Child<QComboBox>(editor, "ComboMainName"), QStringLiteral("Shop"));
        Choose(Child<QComboBox>(editor, "ComboSubName"), QStringLiteral("Rent"));
        Choose(Child<QComboBox>(editor, "ComboGrpName"), QStringLiteral("Mark"));
        Child<QToolButton>(editor, "GstAmountToggle")->click();
        Type(Child<TNumberBox>(editor, "NbrBoxAmount"), QStringLiteral("1540"));
        Type(Child<TNumberBox>(editor, "NbrBoxGstAmount"), QStringLiteral("140"));
        saved &= Save(editor, out + QStringLiteral("/transact-debit.png"));
        editor.hide();
    }

    const std::int32_t sale = FirstUnsplit(ledger, TransCredit);
    if (sale >= 0 && editor.Start(TTransMode::Index, sale)) {
        saved &= Save(editor, out + QStringLiteral("/transact-locked.png"));
        editor.EditBtnClick();
        saved &= Save(editor, out + QStringLiteral("/transact-unlocked.png"));
        editor.SplitBtnClick();
        Choose(Child<QComboBox>(editor, "ComboMainName"), QStringLiteral("Cat"));
        Choose(Child<QComboBox>(editor, "ComboSubName"), QStringLiteral("Functions"));
        Type(Child<TNumberBox>(editor, "NbrBoxAmount"), QStringLiteral("85.50"));
        editor.AddSplitBtnClick();
        Choose(Child<QComboBox>(editor, "ComboMainName"), QStringLiteral("Caf"));
        Choose(Child<QComboBox>(editor, "ComboSubName"), QStringLiteral("Takeaway"));
        Type(Child<TNumberBox>(editor, "NbrBoxAmount"), QStringLiteral("42"));
        saved &= Save(editor, out + QStringLiteral("/transact-split.png"));
        editor.hide();
    }
    files.Close(true, false);
    return saved ? 0 : 1;
}
