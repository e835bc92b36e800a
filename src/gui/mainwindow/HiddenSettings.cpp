#include "HiddenSettings.h"

#include "platform/TextCodec.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qz::gui {

namespace {
// The settings block keeps at most this many characters of the name.
constexpr int DescFileCapacity = 252;
} // namespace

THiddenSettings::THiddenSettings(QWidget* parent, bool example, const std::string& descFile,
                                 std::function<bool(bool, const std::string&)> apply)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Hidden Settings"));
    Example = new QCheckBox(QStringLiteral("Example file"), this);
    Example->setObjectName(QStringLiteral("ExampleBox"));
    Example->setChecked(example);
    DescFile = new QLineEdit(FromDocument(descFile), this);
    DescFile->setObjectName(QStringLiteral("DescFileEdit"));
    DescFile->setMaxLength(DescFileCapacity);
    Apply = new QPushButton(QStringLiteral("&Apply"), this);
    Apply->setObjectName(QStringLiteral("ApplyBtn"));
    Apply->setEnabled(static_cast<bool>(apply));
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(Apply, &QPushButton::clicked, this, [this, apply] {
        if (apply)
            apply(Example->isChecked(), ToDocument(DescFile->text().trimmed()));
    });

    auto* form = new QFormLayout;
    form->addRow(Example);
    form->addRow(new QLabel(QStringLiteral("Example description file name"), this));
    form->addRow(DescFile);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Apply);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(380, 160);
}

} // namespace qz::gui
