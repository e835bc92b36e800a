#include "SelectionDialog.h"

#include "controls/HelpContext.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace qz::gui {

TSelectionDialog::TSelectionDialog(const QString& caption, int helpTopic, ShowHelpFn showHelp, QWidget* parent,
                                   const QString& okText, const QString& cancelText)
    : QDialog(parent), Help(std::move(showHelp)), Topic(helpTopic), OKText(okText), CancelText(cancelText) {
    setWindowTitle(caption);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    SetHelpContext(this, helpTopic);
}

void TSelectionDialog::OKBtnClick() {
    accept();
}

// The buttons are made after the boxes, so that Tab reaches them after the boxes.
void TSelectionDialog::LayOut(QLayout* boxes, QPushButton* first) {
    auto* resetBtn = new QPushButton(QStringLiteral("&Reset"), this);
    resetBtn->setObjectName(QStringLiteral("ResetBtn"));
    OKBtn = new QPushButton(OKText, this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    auto* cancelBtn = new QPushButton(CancelText, this);
    cancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    auto* helpBtn = new QPushButton(QStringLiteral("&Help"), this);
    helpBtn->setObjectName(QStringLiteral("HelpBtn"));
    // Enter in a box presses "&OK".
    for (QPushButton* button : {first, resetBtn, cancelBtn, helpBtn})
        if (button)
            button->setAutoDefault(false);
    connect(resetBtn, &QPushButton::clicked, this, &TSelectionDialog::ResetBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &TSelectionDialog::OKBtnClick);
    connect(cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpBtn, &QPushButton::clicked, this, [this] {
        if (Help)
            Help(Topic);
    });

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(OKBtn, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancelBtn, QDialogButtonBox::RejectRole);
    buttons->addButton(helpBtn, QDialogButtonBox::HelpRole);
    auto* bottom = new QHBoxLayout;
    if (first)
        bottom->addWidget(first);
    bottom->addWidget(resetBtn);
    bottom->addStretch();
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes, 1);
    layout->addLayout(bottom);
}

void TSelectionDialog::OfferOK(bool on) {
    if (OKBtn)
        OKBtn->setEnabled(on);
}

} // namespace qz::gui
