#include "PrintDlg.h"

#include "controls/HelpContext.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace qz::gui {

TPrintDlg::TPrintDlg(int pageCount, QWidget* parent, std::function<void(int topic)> showHelp)
    : QDialog(parent), Pages(std::max(1, pageCount)), Help(std::move(showHelp)) {
    setWindowTitle(QStringLiteral("Print"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    SetHelpContext(this, HelpTopic);
    auto* range = new QGroupBox(QStringLiteral("Print Range"), this);
    AllBtn = new QRadioButton(QStringLiteral("All pages"), range);
    SelectionBtn = new QRadioButton(QStringLiteral("Selection of pages"), range);
    AllBtn->setChecked(true);
    FromBox = new QSpinBox(range);
    ToBox = new QSpinBox(range);
    for (QSpinBox* box : {FromBox, ToBox}) {
        box->setRange(1, Pages);
        box->setEnabled(false);
    }
    FromBox->setValue(1);
    ToBox->setValue(Pages);
    auto* rangeLayout = new QFormLayout(range);
    rangeLayout->addRow(AllBtn);
    rangeLayout->addRow(SelectionBtn);
    rangeLayout->addRow(QStringLiteral("From"), FromBox);
    rangeLayout->addRow(QStringLiteral("To"), ToBox);
    auto* copies = new QGroupBox(QStringLiteral("Copies"), this);
    CopiesBox = new QSpinBox(copies);
    // 0 can be typed; it becomes 1 when the box is left.
    CopiesBox->setRange(0, 999);
    CopiesBox->setValue(1);
    auto* copiesLayout = new QFormLayout(copies);
    copiesLayout->addRow(QStringLiteral("Number of copies"), CopiesBox);
    auto* buttons = new QDialogButtonBox(this);
    PrintBtn = buttons->addButton(QStringLiteral("&Print"), QDialogButtonBox::AcceptRole);
    PrintBtn->setDefault(true);
    CancelBtn = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    HelpBtn = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(range);
    layout->addWidget(copies);
    layout->addWidget(buttons);
    connect(SelectionBtn, &QRadioButton::toggled, this, [this](bool on) {
        FromBox->setEnabled(on);
        ToBox->setEnabled(on);
    });
    connect(ToBox, &QSpinBox::editingFinished, this, &TPrintDlg::LowerFromToTo);
    connect(CopiesBox, &QSpinBox::editingFinished, this, &TPrintDlg::CopiesBoxExit);
    // A "From" past "To" comes down to "To" as soon as the focus moves on to copies or the buttons.
    for (QWidget* next : std::initializer_list<QWidget*>{CopiesBox, PrintBtn, CancelBtn, HelpBtn})
        next->installEventFilter(this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        LowerFromToTo();
        CopiesBoxExit();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
        if (Help)
            Help(HelpTopic);
    });
}

TPrintDlg::~TPrintDlg() {
    // The boxes lose the focus while they are destroyed, after this dialog's own part is gone.
    for (QWidget* watched : std::initializer_list<QWidget*>{FromBox, ToBox, CopiesBox, PrintBtn, CancelBtn, HelpBtn}) {
        watched->removeEventFilter(this);
        watched->disconnect(this);
    }
}

bool TPrintDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        LowerFromToTo();
    return QDialog::eventFilter(watched, event);
}

void TPrintDlg::LowerFromToTo() {
    if (FromBox->value() > ToBox->value())
        FromBox->setValue(ToBox->value());
}

void TPrintDlg::CopiesBoxExit() {
    if (CopiesBox->value() < 1)
        CopiesBox->setValue(1);
}

TPrintRange TPrintDlg::Range() const {
    TPrintRange range;
    range.Copies = std::max(1, CopiesBox->value());
    if (SelectionBtn->isChecked()) {
        range.FirstPage = std::min(FromBox->value(), ToBox->value());
        range.LastPage = ToBox->value();
    } else {
        range.FirstPage = 1;
        range.LastPage = Pages;
    }
    return range;
}

} // namespace qz::gui
