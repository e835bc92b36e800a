#include "Choice.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qz::gui {

TChoice::TChoice(const QString& caption, const QString& label, QWidget* parent) : QDialog(parent) {
    setWindowTitle(caption);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* text = new QLabel(label, this);
    text->setAlignment(Qt::AlignCenter);
    CreditBtn = new QPushButton(QStringLiteral("&Credit"), this);
    CreditBtn->setObjectName(QStringLiteral("CreditBtn"));
    DebitBtn = new QPushButton(QStringLiteral("&Debit"), this);
    DebitBtn->setObjectName(QStringLiteral("DebitBtn"));
    auto* toggles = new QButtonGroup(this);
    for (QPushButton* toggle : {CreditBtn, DebitBtn}) {
        toggle->setCheckable(true);
        toggle->setAutoDefault(false);
        toggle->setMinimumSize(90, 32);
        toggles->addButton(toggle);
        // A double-click on a toggle answers at once.
        toggle->installEventFilter(this);
    }
    CreditBtn->setChecked(true);
    CreditBtn->setFocus();
    connect(toggles, &QButtonGroup::buttonToggled, this, [this] { ShowToggles(); });

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("C&ancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(CreditBtn);
    row->addWidget(DebitBtn);
    row->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(row);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    ShowToggles();
}

int TChoice::Kind() const {
    return DebitBtn->isChecked() ? 1 : 0;
}

// Lime for credit and red with white text for debit, while down.
void TChoice::ShowToggles() {
    CreditBtn->setStyleSheet(CreditBtn->isChecked() ? QStringLiteral("background: #00FF00; color: black;") : QString());
    DebitBtn->setStyleSheet(DebitBtn->isChecked() ? QStringLiteral("background: #FF0000; color: white;") : QString());
}

bool TChoice::eventFilter(QObject* watched, QEvent* event) {
    if (watched != CreditBtn && watched != DebitBtn)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonDblClick) {
        static_cast<QPushButton*>(watched)->setChecked(true);
        accept();
        return true;
    }
    // The arrows move the choice from one toggle to the other, as between option buttons.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down) {
            QPushButton* other = watched == CreditBtn ? DebitBtn : CreditBtn;
            other->setChecked(true);
            other->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

int TChoice::ChooseKind(QWidget* parent, const QString& caption, const QString& label) {
    TChoice choice(caption, label, parent);
    return choice.exec() == QDialog::Accepted ? choice.Kind() : -1;
}

} // namespace qz::gui
