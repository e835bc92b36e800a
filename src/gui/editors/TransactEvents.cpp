// The transaction editor's events: every edit of the user handed to the session, the boxes'
// exit rules, the split tabs and the buttons; after each, the controls show the session again.

#include "Transact.h"

#include "TransactBookCombo.h"
#include "controls/DateBox.h"
#include "controls/Keyboard.h"
#include "controls/NumberBox.h"
#include "controls/NumberPad.h"
#include "controls/PercentBox.h"
#include "controls/PercentUpDown.h"
#include "controls/TextBox.h"
#include "platform/TextCodec.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTextCursor>
#include <QToolButton>

namespace qz::gui {

namespace {

constexpr int NotesLength = 243;

std::optional<std::int32_t> ChosenNumber(const QComboBox* list) {
    if (list->currentIndex() < 0)
        return std::nullopt;
    return list->currentData().toInt();
}

} // namespace

void TTransact::ConnectFields() {
    connect(ComboMainName, &QComboBox::activated, this, &TTransact::ComboMainChange);
    connect(ComboSubName, &QComboBox::activated, this, &TTransact::ComboSubChange);
    connect(ComboGrpName, &QComboBox::activated, this, &TTransact::ComboGrpChange);
    connect(BookCombo, &QComboBox::activated, this, &TTransact::BookComboChange);
    DateEditBtn->OnDatePicked = [this] { DateEditBtnChange(); };
    connect(EditReference, &QLineEdit::textEdited, this, [this] { DataChange(EditReference); });
    connect(NbrBoxAmount, &QLineEdit::textEdited, this, [this] { DataChange(NbrBoxAmount); });
    connect(NbrBoxBeforeGst, &QLineEdit::textEdited, this, [this] { DataChange(NbrBoxBeforeGst); });
    connect(NbrBoxGstAmount, &QLineEdit::textEdited, this, [this] { DataChange(NbrBoxGstAmount); });
    GstPercentEdit->OnChange = [this] { DataChange(GstPercentEdit); };
    connect(MemoMemo, &QPlainTextEdit::textChanged, this, [this] { DataChange(MemoMemo); });
    connect(DisableCheck, &QCheckBox::clicked, this, [this] { DataChange(DisableCheck); });
    NbrBoxAmount->OnExit = [this] { NbrBoxAmountExit(); };
    NbrBoxBeforeGst->OnExit = [this] { NbrBoxBeforeGstExit(); };
    NbrBoxGstAmount->OnExit = [this] { NbrBoxGstAmountExit(); };
    GstPercentEdit->installEventFilter(this);
    UpDown1->OnClick = [this] { UpDown1Click(); };
    connect(GstPercentToggle, &QToolButton::clicked, this, [this] { GstAmountToggleChange(true); });
    connect(GstAmountToggle, &QToolButton::clicked, this, [this] { GstAmountToggleChange(false); });
    connect(TabControl, &QTabBar::currentChanged, this, &TTransact::TabControlChange);
}

bool TTransact::eventFilter(QObject* watched, QEvent* event) {
    if (watched == GstPercentEdit && event->type() == QEvent::FocusOut)
        GstPercentEditExit();
    return QDialog::eventFilter(watched, event);
}

// ---- The lists ----------------------------------------------------------------------------------

void TTransact::ComboMainChange() {
    if (Loading)
        return;
    const bool dropSubList = S->SetCategory(ChosenNumber(ComboMainName), true);
    ShowSession();
    if (dropSubList && ComboSubName->isEnabled()) {
        ComboSubName->setFocus();
        ComboSubName->showPopup();
    }
}

void TTransact::ComboSubChange() {
    if (Loading)
        return;
    S->SetSubCategory(ChosenNumber(ComboSubName));
    ShowSession();
}

void TTransact::ComboGrpChange() {
    if (Loading)
        return;
    S->SetGroup(ChosenNumber(ComboGrpName));
    ShowSession();
}

void TTransact::BookComboChange() {
    if (Loading)
        return;
    S->SetAccount(BookCombo->ChosenNumber());
    ShowSession();
}

void TTransact::DateEditBtnChange() {
    if (Loading)
        return;
    const QDate date = DateEditBtn->date();
    S->SetDate(EncodeDate(date.year(), date.month(), date.day()));
    ShowEditState();
}

// ---- Typed values ----------------------------------------------------------------------------------

void TTransact::DataChange(QWidget* source) {
    if (Loading)
        return;
    if (source == EditReference) {
        S->SetReference(ToDocument(EditReference->text()));
    } else if (source == NbrBoxAmount) {
        S->SetAmount(NbrBoxAmount->Value());
    } else if (source == NbrBoxBeforeGst) {
        S->SetBeforeGst(NbrBoxBeforeGst->Value());
    } else if (source == NbrBoxGstAmount) {
        S->SetGst(NbrBoxGstAmount->Value());
    } else if (source == GstPercentEdit) {
        S->SetPercent(GstPercentEdit->Value());
    } else if (source == MemoMemo) {
        // The notes hold as many characters as the record does.
        std::string notes = ToDocument(MemoMemo->toPlainText());
        if (notes.size() > static_cast<std::size_t>(NotesLength)) {
            notes.resize(NotesLength);
            Loading = true;
            MemoMemo->setPlainText(FromDocument(notes));
            MemoMemo->moveCursor(QTextCursor::End);
            Loading = false;
        }
        S->SetNotes(notes);
    } else if (source == DisableCheck) {
        S->SetReconciled(DisableCheck->isChecked());
    }
    ShowEditState();
}

// ---- The boxes' exit rules --------------------------------------------------------------------------

void TTransact::NbrBoxAmountExit() {
    if (Loading)
        return;
    S->SetAmount(NbrBoxAmount->Value());
    S->AmountExit();
    ShowSession();
}

void TTransact::NbrBoxBeforeGstExit() {
    if (Loading)
        return;
    S->SetBeforeGst(NbrBoxBeforeGst->Value());
    S->BeforeGstExit();
    ShowSession();
}

void TTransact::GstPercentEditExit() {
    if (Loading)
        return;
    S->SetPercent(GstPercentEdit->Value());
    S->PercentExit();
    ShowSession();
}

void TTransact::NbrBoxGstAmountExit() {
    if (Loading)
        return;
    S->SetGst(NbrBoxGstAmount->Value());
    S->GstAmountExit();
    ShowSession();
}

// The arrows stepped the box (its change reached the session); the percentage rule follows.
void TTransact::UpDown1Click() {
    if (Loading)
        return;
    S->SetPercent(GstPercentEdit->Value());
    S->PercentExit();
    ShowSession();
}

void TTransact::GstAmountToggleChange(bool percentMode) {
    if (Loading)
        return;
    LeaveFocusedBox();
    S->SetPercentMode(percentMode);
    ShowSession();
}

void TTransact::LeaveFocusedBox() {
    QWidget* focused = QApplication::focusWidget();
    if (focused == NbrBoxAmount)
        NbrBoxAmountExit();
    else if (focused == NbrBoxBeforeGst)
        NbrBoxBeforeGstExit();
    else if (focused == GstPercentEdit)
        GstPercentEditExit();
    else if (focused == NbrBoxGstAmount)
        NbrBoxGstAmountExit();
}

// ---- The split tabs ----------------------------------------------------------------------------------

void TTransact::TabControlChange(int tab) {
    if (Loading || tab < 0)
        return;
    LeaveFocusedBox();
    S->ChangeTab(tab);
    ShowSession();
}

// ---- Buttons ---------------------------------------------------------------------------------------------

void TTransact::BtnNewClick() {
    LeaveFocusedBox();
    S->New();
    ShowSession();
    FocusNamed();
}

void TTransact::FindBtnClick() {
    LeaveFocusedBox();
    const bool mayOpen = S->Find();
    ShowSession();
    if (!mayOpen) {
        FocusNamed();
        return;
    }
    if (Ctx.OpenSearch && Ctx.OpenSearch()) {
        ClosedByFind = true;
        accept();
    }
}

void TTransact::DeleteBtnClick() {
    S->DeleteTransaction();
    ShowSession();
}

void TTransact::EditBtnClick() {
    if (S->Unlock()) {
        ShowSession();
        FocusNamed();
    }
}

void TTransact::ArrowBtnClick(bool forward) {
    LeaveFocusedBox();
    S->Arrow(forward);
    ShowSession();
    FocusNamed();
}

void TTransact::SplitBtnClick() {
    LeaveFocusedBox();
    S->Split();
    ShowSession();
    FocusNamed();
}

void TTransact::AddSplitBtnClick() {
    LeaveFocusedBox();
    S->AddSplit();
    ShowSession();
    FocusNamed();
}

void TTransact::DeleteSplitBtnClick() {
    LeaveFocusedBox();
    S->DeleteSplit();
    ShowSession();
}

void TTransact::NewSubBtnClick() {
    if (S->NewSubCategory()) {
        ShowSession();
        FocusNamed();
    }
}

void TTransact::NewGrpBtnClick() {
    if (S->NewGroup()) {
        ShowSession();
        FocusNamed();
    }
}

} // namespace qz::gui
