#include "CompDetails.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

QLineEdit* DetailEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(TfmCompDetails::MaxLength);
    edit->setMinimumWidth(260);
    return edit;
}

} // namespace

TfmCompDetails::TfmCompDetails(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Company / Business Details"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* text = new QLabel(
        QStringLiteral(
            "Please enter the following details for the Company or Busines using this Quillmar Zudeduze file."),
        this);
    text->setWordWrap(true);
    NameEdit = DetailEdit("NameEdit", this);
    NumberEdit = DetailEdit("NumberEdit", this);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Company or Business Name"), NameEdit);
    fields->addRow(QStringLiteral("Company or Business Number"), NumberEdit);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addSpacing(6);
    layout->addLayout(fields);
    layout->addStretch();
    layout->addWidget(buttons);
}

bool TfmCompDetails::Ask(QWidget* parent, QString& name, QString& number) {
    TfmCompDetails window(parent);
    if (window.exec() != QDialog::Accepted)
        return false;
    name = window.BusinessName();
    number = window.BusinessNumber();
    return true;
}

QString TfmCompDetails::BusinessName() const {
    return NameEdit->text();
}
QString TfmCompDetails::BusinessNumber() const {
    return NumberEdit->text();
}

} // namespace qz::gui
