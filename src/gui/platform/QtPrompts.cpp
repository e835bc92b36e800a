#include "QtPrompts.h"

#include "TextCodec.h"

#include <QInputDialog>
#include <QMessageBox>

namespace qz::gui {

namespace {

QMessageBox::Icon IconOf(MsgKind kind) {
    switch (kind) {
    case MsgKind::Warning:
        return QMessageBox::Warning;
    case MsgKind::Error:
        return QMessageBox::Critical;
    case MsgKind::Information:
        return QMessageBox::Information;
    case MsgKind::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        return QMessageBox::Ok;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    case MsgButtons::AbortIgnore:
        return QMessageBox::Abort | QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

MsgResult ResultOf(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return MsgResult::Yes;
    case QMessageBox::No:
        return MsgResult::No;
    case QMessageBox::Retry:
        return MsgResult::Retry;
    case QMessageBox::Abort:
        return MsgResult::Abort;
    case QMessageBox::Ignore:
        return MsgResult::Ignore;
    case QMessageBox::Cancel:
        return MsgResult::Cancel;
    default:
        return MsgResult::Ok;
    }
}

} // namespace

MsgResult QtPrompts::MessageBox(const std::string& text, MsgKind kind, MsgButtons buttons) {
    // Line breaks in the program's messages are carriage returns.
    QString shown = FromDocument(text);
    shown.replace(QChar('\r'), QChar('\n'));
    QMessageBox box(IconOf(kind), QStringLiteral("Quillmar Zudeduze"), shown, ButtonsOf(buttons), Parent);
    return ResultOf(box.exec());
}

bool QtPrompts::InputBox(const std::string& caption, const std::string& prompt, std::string& value) {
    bool ok = false;
    const QString answer = QInputDialog::getText(Parent, FromDocument(caption), FromDocument(prompt), QLineEdit::Normal,
                                                 FromDocument(value), &ok);
    if (ok)
        value = ToDocument(answer);
    return ok;
}

} // namespace qz::gui
