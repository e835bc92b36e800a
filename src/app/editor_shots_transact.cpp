// editor_shots_transact: pictures of the transaction editor on a document (the example by
// default): a new credit with its GST from the percentage, a new debit with a GST amount typed
// in, a split transaction, and a stored transaction locked and unlocked, saved as
// transact-credit.png, transact-debit.png, transact-split.png, transact-locked.png and
// transact-unlocked.png. The document is copied first, so the pictures never change it.
//   editor_shots_transact [document] [output folder]

#include "EditorShots.h"
#include "controls/NumberBox.h"
#include "controls/NumberPad.h"
#include "controls/PercentUpDown.h"
#include "editors/Choice.h"
#include "editors/DeleteDialog.h"
#include "editors/Transact.h"
#include "platform/TextCodec.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <cstdio>

using namespace qz;
using namespace qz::gui;

namespace {

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
    return shots::RunShots(argc, argv, [](shots::TShotDocument& document, const QString& out) {
        TLedger& ledger = document.Ledger;
        TTransactContext context;
        context.Edit = &document.Edit;
        context.Formats = &document.Formats;
        context.Time = &document.Clock;
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
            saved &= shots::SaveShot(editor, out, "transact-credit");
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
            saved &= shots::SaveShot(editor, out, "transact-debit");
            editor.hide();
        }

        const std::int32_t sale = FirstUnsplit(ledger, TransCredit);
        if (sale >= 0 && editor.Start(TTransMode::Index, sale)) {
            saved &= shots::SaveShot(editor, out, "transact-locked");
            editor.EditBtnClick();
            saved &= shots::SaveShot(editor, out, "transact-unlocked");
            editor.SplitBtnClick();
            Choose(Child<QComboBox>(editor, "ComboMainName"), QStringLiteral("Cat"));
            Choose(Child<QComboBox>(editor, "ComboSubName"), QStringLiteral("Functions"));
            Type(Child<TNumberBox>(editor, "NbrBoxAmount"), QStringLiteral("85.50"));
            editor.AddSplitBtnClick();
            Choose(Child<QComboBox>(editor, "ComboMainName"), QStringLiteral("Caf"));
            Choose(Child<QComboBox>(editor, "ComboSubName"), QStringLiteral("Takeaway"));
            Type(Child<TNumberBox>(editor, "NbrBoxAmount"), QStringLiteral("42"));
            saved &= shots::SaveShot(editor, out, "transact-split");
            editor.hide();
        }
        return saved;
    });
}
