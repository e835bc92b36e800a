#include "NewPasswordDlg.h"

#include "edit/OptionsApply.h"
#include "platform/TextCodec.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

QLineEdit* PasswordEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setEchoMode(QLineEdit::Password);
    edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    edit->setMaxLength(TNewPasswordDlg::MaxLength);
    edit->setMinimumWidth(140);
    return edit;
}

} // namespace

TNewPasswordDlg::TNewPasswordDlg(Prompts& prompts, QWidget* parent) : QDialog(parent), Messages(prompts) {
    setWindowTitle(QStringLiteral("New Password"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    NewEdit = PasswordEdit("NewEdit", this);
    ConfirmEdit = PasswordEdit("ConfirmEdit", this);
    auto* newLabel = new QLabel(QStringLiteral("New Password"), this);
    auto* confirmLabel = new QLabel(QStringLiteral("Confirm New Password"), this);
    newLabel->setBuddy(NewEdit);
    confirmLabel->setBuddy(ConfirmEdit);
    auto* note = new QLabel(QStringLiteral("Password max length is 8 characters"), this);

    auto* fields = new QGridLayout;
    fields->addWidget(newLabel, 0, 0);
    fields->addWidget(NewEdit, 0, 1);
    fields->addWidget(confirmLabel, 1, 0);
    fields->addWidget(ConfirmEdit, 1, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    QPushButton* help = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("HelpBtn"));
    connect(ok, &QPushButton::clicked, this, &TNewPasswordDlg::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] {
        if (OnHelp)
            OnHelp();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(note);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    NewEdit->setFocus();
}

std::optional<std::string> TNewPasswordDlg::Ask(QWidget* parent, Prompts& prompts, const std::function<void()>& help) {
    TNewPasswordDlg window(prompts, parent);
    window.OnHelp = help;
    if (window.exec() != QDialog::Accepted)
        return std::nullopt;
    return window.Password();
}

void TNewPasswordDlg::OKBtnClick() {
    const std::string typed = ToDocument(NewEdit->text());
    const std::string confirmed = ToDocument(ConfirmEdit->text());
    const std::string refusal = NewPasswordRefusal(typed, confirmed);
    if (refusal.empty()) {
        Result = confirmed;
        accept();
        return;
    }
    Messages.MessageBox(refusal, MsgKind::Warning, MsgButtons::Ok);
    ConfirmEdit->clear();
    NewEdit->setFocus();
}

} // namespace qz::gui
