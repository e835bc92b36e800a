#include "TextInputForm.h"

#include "platform/TextCodec.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qz::gui {

TTextInputForm::TTextInputForm(const QString& caption, const QString& prompt, const std::string& text, Check check,
                               Prompts& prompts, QWidget* parent)
    : QDialog(parent), Given(text), Validate(std::move(check)), Messages(prompts) {
    setWindowTitle(caption);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* label = new QLabel(prompt, this);
    label->setAlignment(Qt::AlignCenter);
    Edit = new QLineEdit(FromDocument(text), this);
    Edit->setObjectName(QStringLiteral("TextEdit"));
    Edit->setMaxLength(MaxLength);
    Edit->setMinimumWidth(260);
    label->setBuddy(Edit);

    auto* buttons = new QDialogButtonBox(this);
    OKBtn = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    CancelBtn = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    connect(OKBtn, &QPushButton::clicked, this, &TTextInputForm::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(Edit, &QLineEdit::textChanged, this, [this] { TextChanged(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(Edit);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    Edit->selectAll();
    Edit->setFocus();
    TextChanged();
}

// OK, the default button, only for a text worth checking; Cancel is the default otherwise.
void TTextInputForm::TextChanged() {
    const QString text = Edit->text();
    const bool offered = !text.isEmpty() && ToDocument(text.trimmed()) != Given;
    OKBtn->setEnabled(offered);
    OKBtn->setDefault(offered);
    CancelBtn->setDefault(!offered);
}

void TTextInputForm::OKBtnClick() {
    const QString trimmed = Edit->text().trimmed();
    if (trimmed.isEmpty()) {
        Messages.MessageBox("'' is not a valid name", MsgKind::Information, MsgButtons::Ok);
        Edit->clear();
        Edit->setFocus();
        return;
    }
    const std::string answer = ToDocument(trimmed);
    // The given name in other letter case needs no check: it is the record's own.
    if (FromDocument(answer).compare(FromDocument(Given), Qt::CaseInsensitive) != 0 && Validate && !Validate(answer)) {
        Edit->setFocus();
        return;
    }
    Edit->setText(trimmed);
    Result = answer;
    accept();
}

bool TTextInputForm::InputText(QWidget* parent, Prompts& prompts, const QString& caption, const QString& prompt,
                               std::string& text, const Check& check) {
    TTextInputForm form(caption, prompt, text, check, prompts, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    text = form.Answer();
    return true;
}

} // namespace qz::gui
