#include "ListEditor.h"

#include "controls/HelpContext.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

QPushButton* Button(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

TListEditor::TListEditor(TEditContext& edit, const QString& caption, int helpTopic, ShowHelpFn showHelp,
                         QWidget* parent)
    : QDialog(parent), Edit(edit), Topic(helpTopic), Help(std::move(showHelp)) {
    setWindowTitle(caption);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    SetHelpContext(this, helpTopic);
}

TListEditorOutcome TListEditor::Run() {
    exec();
    return Result;
}

// The buttons are made after the list, so that Tab reaches them after it.
void TListEditor::LayOut(QLayout* list) {
    NewBtn = Button(QStringLiteral("&New"), "NewBtn", this);
    EditBtn = Button(QStringLiteral("&Edit"), "EditBtn", this);
    DeleteBtn = Button(QStringLiteral("&Delete"), "DeleteBtn", this);
    CloseBtn = Button(QStringLiteral("&Close"), "CloseBtn", this);
    HelpBtn = Button(QStringLiteral("&Help"), "HelpBtn", this);
    connect(NewBtn, &QPushButton::clicked, this, &TListEditor::NewBtnClick);
    connect(EditBtn, &QPushButton::clicked, this, &TListEditor::EditBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TListEditor::DeleteBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(HelpBtn, &QPushButton::clicked, this, [this] {
        if (Help)
            Help(Topic);
    });
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {NewBtn, EditBtn, DeleteBtn})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(CloseBtn);
    buttons->addWidget(HelpBtn);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(list, 1);
    layout->addLayout(buttons);
}

void TListEditor::OfferEditing(bool editable) {
    if (!EditBtn)
        return;
    EditBtn->setEnabled(editable);
    DeleteBtn->setEnabled(editable);
}

void TListEditor::EditIfOffered() {
    if (EditBtn && EditBtn->isEnabled())
        EditBtnClick();
}

void TListEditor::Note(const TEditOutcome& outcome, std::int32_t deletedRow) {
    Result.Refresh |= outcome.Refresh;
    if (!outcome.Done())
        return;
    Result.Changed = true;
    if (deletedRow >= 0)
        Result.DeletedRows.push_back(deletedRow);
}

} // namespace qz::gui
