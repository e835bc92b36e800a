// The transaction editor's controls filled from the session: the kind and number panels, the
// split tabs and their total, the lists, the fields, the tax panel, the locked look and the
// buttons. Filling never counts as an edit of the user.

#include "Transact.h"

#include "TaxStamp.h"
#include "TransactBookCombo.h"
#include "controls/DateBox.h"
#include "controls/EntryLook.h"
#include "controls/Keyboard.h"
#include "controls/NumberBox.h"
#include "controls/NumberPad.h"
#include "controls/PercentBox.h"
#include "controls/PercentUpDown.h"
#include "controls/TextBox.h"
#include "grid/WinColour.h"
#include "platform/TextCodec.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>

namespace qz::gui {

namespace {

constexpr int NumberRole = Qt::UserRole;

// The locked fields: pale green lists, pale yellow boxes.
const QColor LockedListFill(0xD4, 0xF5, 0xD4);
const QColor LockedBoxFill(0xFF, 0xFF, 0xD8);

class TLoadingGuard {
public:
    explicit TLoadingGuard(bool& flag) : Flag(flag), Kept(flag) { Flag = true; }
    ~TLoadingGuard() { Flag = Kept; }
    TLoadingGuard(const TLoadingGuard&) = delete;
    TLoadingGuard& operator=(const TLoadingGuard&) = delete;

private:
    bool& Flag;
    bool Kept;
};

QDate ToQDate(TDateTime date) {
    const CalendarDate d = DecodeDate(date);
    return QDate(d.Year, d.Month, d.Day);
}

// The mark of a tax category's item.
QIcon TaxPicture(TComboPicture picture) {
    return QIcon(TaxStamp(picture == TComboPicture::Gst ? QStringLiteral("GST") : QStringLiteral("VAT"), 16));
}

// Refills a list when its items differ from those shown, and chooses the item numbered `chosen`.
void FillList(QComboBox* list, const std::vector<TComboItem>& items, std::optional<std::int32_t> chosen) {
    bool same = list->count() == static_cast<int>(items.size());
    for (int i = 0; same && i < list->count(); ++i) {
        const TComboItem& item = items[static_cast<std::size_t>(i)];
        same = list->itemData(i, NumberRole).toInt() == item.Number && list->itemText(i) == FromDocument(item.Text);
    }
    if (!same) {
        list->clear();
        for (const TComboItem& item : items) {
            if (item.Picture == TComboPicture::None)
                list->addItem(FromDocument(item.Text), item.Number);
            else
                list->addItem(TaxPicture(item.Picture), FromDocument(item.Text), item.Number);
        }
    }
    list->setCurrentIndex(chosen ? list->findData(*chosen, NumberRole) : -1);
}

void SetTextOf(QLineEdit* box, const std::string& text) {
    const QString shown = FromDocument(text);
    if (box->text() != shown)
        box->setText(shown);
}

// The fill of a field: `fill` while the transaction is locked (its text kept black, though the
// panel is disabled), otherwise the window colour, and the pale fill while the field is disabled.
void FieldLook(QWidget* field, const QColor& fill) {
    SetEntryLook(field, fill);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Disabled, QPalette::Button, DisabledFill());
    if (fill.isValid()) {
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, QPalette::Button, fill);
        for (const QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
            palette.setColor(QPalette::Disabled, role, palette.color(QPalette::Active, role));
    }
    field->setPalette(palette);
}

} // namespace

void TTransact::ShowSession() {
    const TLoadingGuard loading(Loading);
    setWindowTitle(FromDocument(S->Caption()));
    ShowHeader();
    ShowTabs();
    ShowLists();
    ShowFields();
    ShowGstPanel();
    ShowLook();
    ShowButtons();
}

void TTransact::ShowHeader() {
    const bool shown = S->NumbersVisible();
    TransKindPanel->setVisible(shown);
    TransNoPanel->setVisible(shown);
    TransKindPanel->setText(FromDocument(S->KindText()));
    QPalette kind = TransKindPanel->palette();
    kind.setColor(QPalette::Window, ToQColor(S->KindColour()));
    kind.setColor(QPalette::WindowText, ToQColor(S->KindFontColour()));
    TransKindPanel->setPalette(kind);
    TransNoPanel->setText(FromDocument(S->NumberText()));
}

void TTransact::ShowTabs() {
    const QSignalBlocker quiet(TabControl);
    const std::vector<char> tabs = S->Tabs();
    bool same = TabControl->count() == static_cast<int>(tabs.size());
    for (int i = 0; same && i < TabControl->count(); ++i)
        same = TabControl->tabText(i) == QString(QLatin1Char(tabs[static_cast<std::size_t>(i)]));
    if (!same) {
        while (TabControl->count() > 0)
            TabControl->removeTab(0);
        for (const char letter : tabs)
            TabControl->addTab(QString(QLatin1Char(letter)));
    }
    TabControl->setVisible(!tabs.empty());
    if (!tabs.empty())
        TabControl->setCurrentIndex(S->Tab());
    TotalPanel->setVisible(S->TotalVisible());
    TotalLabel->setText(FromDocument(S->TotalText()));
}

void TTransact::ShowLists() {
    const TSplitFields& f = S->Fields();
    BookCombo->SetAccounts(S->AccountList(), f.Account);
    FillList(ComboMainName, S->CategoryList(), f.Category);
    FillList(ComboSubName, S->SubCategoryList(), f.SubCategory);
    FillList(ComboGrpName, S->GroupList(), f.Group);
}

void TTransact::ShowFields() {
    const TSplitFields& f = S->Fields();
    DetailLabel->setText(FromDocument(S->DetailLabel()));
    if (S->NumbersVisible())
        DateEditBtn->SetDate(ToQDate(f.Date));
    SetTextOf(EditReference, f.Reference);
    if (MemoMemo->toPlainText() != FromDocument(f.Notes))
        MemoMemo->setPlainText(FromDocument(f.Notes));
    NbrBoxAmount->SetValue(f.Gst.Amount);
    NbrBoxBeforeGst->SetValue(f.Gst.BeforeGst);
    GstPercentEdit->SetValue(f.Gst.Percent);
    NbrBoxGstAmount->SetValue(f.Gst.Gst);
    DisableCheck->setChecked(f.Reconciled);
}

void TTransact::ShowGstPanel() {
    const std::string& taxName = Ctx.Edit->Files.Settings.TaxName;
    GstPanel->setVisible(S->GstPanelVisible());
    BeforeGstLabel->setText(FromDocument(S->BeforeGstLabel()));
    GstLabel->setText(FromDocument(taxName));
    GstPercentToggle->setToolTip(FromDocument("Auto calculate " + taxName));
    GstAmountToggle->setToolTip(FromDocument("Enter a specific " + taxName + " amount"));
    const bool percentMode = S->Fields().Gst.PercentMode;
    const QSignalBlocker quietPercent(GstPercentToggle);
    const QSignalBlocker quietAmount(GstAmountToggle);
    GstPercentToggle->setChecked(percentMode);
    GstAmountToggle->setChecked(!percentMode);
    PercentPart->setVisible(percentMode);
    NbrBoxBeforeGst->setEnabled(percentMode);
    NbrBoxGstAmount->setEnabled(!percentMode);
}

void TTransact::ShowLook() {
    const bool locked = S->Locked();
    DetailPanel->setEnabled(!locked);
    const bool system = Ctx.SystemColours && Ctx.SystemColours();
    const QColor face = QApplication::palette().color(QPalette::Button);
    const QColor listFill = !locked ? QColor() : system ? face : LockedListFill;
    const QColor boxFill = !locked ? QColor() : system ? face : LockedBoxFill;
    for (QWidget* list : {static_cast<QWidget*>(BookCombo), static_cast<QWidget*>(ComboMainName),
                          static_cast<QWidget*>(ComboSubName), static_cast<QWidget*>(ComboGrpName)})
        FieldLook(list, listFill);
    for (QWidget* box :
         {static_cast<QWidget*>(DateEditBtn), static_cast<QWidget*>(EditReference), static_cast<QWidget*>(NbrBoxAmount),
          static_cast<QWidget*>(NbrBoxBeforeGst), static_cast<QWidget*>(GstPercentEdit),
          static_cast<QWidget*>(NbrBoxGstAmount), static_cast<QWidget*>(MemoMemo)})
        FieldLook(box, boxFill);
    // The labels of a locked transaction stay readable.
    QPalette panel = DetailPanel->palette();
    const QColor text = QApplication::palette().color(QPalette::Active, QPalette::WindowText);
    panel.setColor(QPalette::Disabled, QPalette::WindowText,
                   locked ? text : QApplication::palette().color(QPalette::Disabled, QPalette::WindowText));
    DetailPanel->setPalette(panel);
}

void TTransact::ShowButtons() {
    const TTransButtons b = S->Buttons();
    NewBtn->setEnabled(b.New);
    FindBtn->setEnabled(b.Find);
    DeleteBtn->setEnabled(b.Delete);
    EditBtn->setEnabled(b.Unlock);
    BackBtn->setEnabled(b.Back);
    ForwardBtn->setEnabled(b.Forward);
    SplitBtn->setEnabled(b.Split);
    AddSplitBtn->setEnabled(b.AddSplit);
    DeleteSplitBtn->setEnabled(b.DeleteSplit);
    ComboSubName->setEnabled(S->Fields().Category.has_value());
    NewSubBtn->setEnabled(b.NewSubCategory);
    NewGrpBtn->setEnabled(b.NewGroup);
}

void TTransact::ShowEditState() {
    setWindowTitle(FromDocument(S->Caption()));
    ShowButtons();
}

void TTransact::FocusNamed() {
    switch (S->Focus()) {
    case TTransField::Category:
        ComboMainName->setFocus();
        break;
    case TTransField::SubCategory:
        ComboSubName->setFocus();
        break;
    case TTransField::Group:
        ComboGrpName->setFocus();
        break;
    case TTransField::Account:
        BookCombo->setFocus();
        break;
    case TTransField::Date:
        DateEditBtn->FocusDate(ToQDate(S->Fields().Date));
        break;
    case TTransField::Reference:
        EditReference->setFocus();
        break;
    case TTransField::Notes:
        MemoMemo->setFocus();
        break;
    case TTransField::Amount:
        NbrBoxAmount->setFocus();
        NbrBoxAmount->selectAll();
        break;
    case TTransField::BeforeGst:
        NbrBoxBeforeGst->setFocus();
        break;
    case TTransField::Percent:
        GstPercentEdit->setFocus();
        break;
    case TTransField::GstAmount:
        NbrBoxGstAmount->setFocus();
        break;
    case TTransField::None:
        break;
    }
}

} // namespace qz::gui
