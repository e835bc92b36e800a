#include "DeleteDialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>

namespace qz::gui {

namespace {

// The red mark beside "Delete" while it may be clicked.
QPixmap RedMark() {
    QPixmap picture(14, 14);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0x80, 0, 0));
    painter.setBrush(QColor(0xE0, 0x10, 0x10));
    painter.drawEllipse(QRectF(1, 1, 12, 12));
    return picture;
}

QPixmap BlankMark() {
    QPixmap picture(14, 14);
    picture.fill(Qt::transparent);
    return picture;
}

} // namespace

TDeleteDialog::TDeleteDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Confirmation"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setObjectName(QStringLiteral("DeleteDialog"));

    auto* sign = new QLabel(this);
    sign->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(40, 40));
    auto* warning = new QLabel(QStringLiteral("WARNING: DELETION IS PERMANENT"), this);
    QFont bold = warning->font();
    bold.setBold(true);
    warning->setFont(bold);
    auto* how = new QLabel(QStringLiteral("To delete: Hold down the <Ctrl> key and click Delete"), this);
    how->setTextFormat(Qt::PlainText);

    DeleteBtn = new QPushButton(QStringLiteral("Delete"), this);
    DeleteBtn->setObjectName(QStringLiteral("DeleteBtn"));
    DeleteBtn->setAutoDefault(false);
    CancelBtn = new QPushButton(QStringLiteral("&Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setDefault(true);
    Mark = new QLabel(this);
    Mark->setObjectName(QStringLiteral("CtrlMark"));
    Mark->setPixmap(RedMark());
    Mark->setFixedSize(14, 14);
    connect(DeleteBtn, &QPushButton::clicked, this, [this] {
        if (Held)
            accept();
    });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* texts = new QGridLayout;
    texts->addWidget(sign, 0, 0, 2, 1, Qt::AlignTop);
    texts->addWidget(warning, 0, 1);
    texts->addWidget(how, 1, 1);
    texts->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Mark);
    buttons->addWidget(DeleteBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(texts);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    setMouseTracking(true);
    DeleteBtn->setMouseTracking(true);
    SetHeld(false);
    // The Ctrl key counts wherever the focus is in the dialog.
    qApp->installEventFilter(this);
}

TDeleteDialog::~TDeleteDialog() {
    qApp->removeEventFilter(this);
}

void TDeleteDialog::SetHeld(bool held) {
    Held = held;
    DeleteBtn->setEnabled(held);
    // The mark keeps its room while hidden, so the buttons do not move.
    Mark->setPixmap(held ? RedMark() : BlankMark());
}

void TDeleteDialog::showEvent(QShowEvent* event) {
    // Each showing starts with "Delete" disabled, whatever the key did before.
    SetHeld(false);
    QDialog::showEvent(event);
}

bool TDeleteDialog::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget->window() == this) {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Control)
                SetHeld(event->type() == QEvent::KeyPress);
            break;
        }
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress: {
            // Ctrl pressed while another window had the keyboard still counts once the mouse
            // moves over the dialog; a press carries the key's state as it is.
            const bool held = static_cast<QMouseEvent*>(event)->modifiers() & Qt::ControlModifier;
            if (held != Held)
                SetHeld(held);
            break;
        }
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool TDeleteDialog::ConfirmDelete(QWidget* parent) {
    TDeleteDialog dialog(parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace qz::gui
