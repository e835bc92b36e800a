#include "PasswordDlg.h"

#include "edit/AccessCheck.h"

#include "platform/QtPrompts.h"
#include "platform/TextCodec.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

// A padlock drawn in the window's own colours.
class TLockPicture : public QWidget {
public:
    explicit TLockPicture(QWidget* parent) : QWidget(parent) { setFixedSize(64, 72); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor metal(0xB0, 0x8A, 0x2E);
        painter.setPen(QPen(QColor(0x70, 0x70, 0x78), 7, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(16, 6, 32, 40), 0, 180 * 16);
        painter.drawLine(QPointF(16, 26), QPointF(16, 34));
        painter.drawLine(QPointF(48, 26), QPointF(48, 34));
        QLinearGradient body(0, 32, 0, 70);
        body.setColorAt(0, metal.lighter(140));
        body.setColorAt(1, metal);
        painter.setPen(QPen(metal.darker(150), 1.5));
        painter.setBrush(body);
        painter.drawRoundedRect(QRectF(6, 32, 52, 38), 6, 6);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x40, 0x30, 0x10));
        painter.drawEllipse(QPointF(32, 47), 5, 5);
        painter.drawRect(QRectF(30, 49, 4, 11));
    }
};

} // namespace

TPasswordDlg::TPasswordDlg(std::string password, Prompts& prompts, QWidget* parent)
    : QDialog(parent), Password(std::move(password)), Messages(prompts) {
    setWindowTitle(QStringLiteral("Password"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setFixedSize(FixedWidth, FixedHeight);

    auto* label = new QLabel(QStringLiteral("Enter password:"), this);
    PasswordEdit = new QLineEdit(this);
    PasswordEdit->setObjectName(QStringLiteral("PasswordEdit"));
    PasswordEdit->setEchoMode(QLineEdit::Password);
    PasswordEdit->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    label->setBuddy(PasswordEdit);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    connect(ok, &QPushButton::clicked, this, &TPasswordDlg::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 14);
    layout->addWidget(new TLockPicture(this), 0, Qt::AlignHCenter);
    layout->addStretch();
    layout->addWidget(label);
    layout->addWidget(PasswordEdit);
    layout->addStretch();
    layout->addWidget(buttons);
    PasswordEdit->setFocus();
}

bool TPasswordDlg::Ask(QWidget* parent, const std::string& password, Prompts& prompts, std::optional<QPoint> topLeft) {
    TPasswordDlg window(password, prompts, parent);
    if (topLeft)
        window.move(*topLeft);
    return window.exec() == QDialog::Accepted;
}

void TPasswordDlg::OKBtnClick() {
    // Letter case counts.
    if (ToDocument(PasswordEdit->text()) == Password) {
        accept();
        return;
    }
    Messages.MessageBox("Password incorrect", MsgKind::Warning, MsgButtons::Ok);
    PasswordEdit->setFocus();
}

bool CheckAccess(QWidget* parent, const TFileSettings& settings, TAccessArea area, std::optional<QPoint> topLeft) {
    QtPrompts prompts(parent);
    return TAccessCheck(
               settings,
               [&](const std::string& password) { return TPasswordDlg::Ask(parent, password, prompts, topLeft); })
        .Check(area);
}

} // namespace qz::gui
