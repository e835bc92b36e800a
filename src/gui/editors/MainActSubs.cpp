// The category editor's sub categories: the list of the shown category's sub categories and the
// detail panel, locked while it shows the chosen one, open while a new or a changed one is
// entered.

#include "MainActForm.h"

#include "controls/PercentBox.h"
#include "ledger/Cp1252.h"
#include "platform/TextCodec.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <utility>

namespace qz::gui {

namespace {

constexpr int NumberColumn = 0;
constexpr int NameColumn = 1;
constexpr int PercentColumn = 2;
// Wide enough for "100.00%" in the window's font.
constexpr int PercentColumnWidth = 64;
// A row's sub category number; the new row has none.
constexpr int SubNumberRole = Qt::UserRole;

template <class T> T* Named(T* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The notes keep Windows line breaks; the box shows plain ones.
QString NotesShown(const std::string& notes) {
    return FromDocument(notes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
std::string NotesStored(const QString& shown) {
    return ToDocument(QString(shown).replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

QString PanelNumberText(std::int32_t category, std::int32_t sub) {
    return QString::number(category) + QChar(0x2013) + QString::number(sub);
}

} // namespace

QWidget* TMainActForm::MakeSubList() {
    SubList = Named(new QTreeWidget(this), "SubList");
    SubList->setColumnCount(3);
    SubList->setHeaderLabels({QStringLiteral("No."), QStringLiteral("Name"), QString()});
    SubList->setRootIsDecorated(false);
    SubList->setUniformRowHeights(true);
    SubList->setAllColumnsShowFocus(true);
    SubList->header()->setStretchLastSection(false);
    SubList->header()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    SubList->header()->setSectionsMovable(false);
    SubList->setColumnWidth(NumberColumn, 70);
    SubList->setColumnWidth(PercentColumn, PercentColumnWidth);
    SubList->headerItem()->setTextAlignment(PercentColumn, Qt::AlignRight);
    SubList->installEventFilter(this);
    SubList->viewport()->installEventFilter(this);
    connect(SubList, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (Loading || !PanelLocked || !item || !Shown())
            return;
        ChooseSub(Edit.Ledger.SubActList.IndexOfPair(Shown()->Number, item->data(0, SubNumberRole).toInt()));
    });
    return SubList;
}

QWidget* TMainActForm::MakeDetailPanel() {
    DetailPanel = Named(new QFrame(this), "DetailPanel");
    DetailPanel->setFrameShape(QFrame::StyledPanel);
    auto* numberCaption = new QLabel(QStringLiteral("Category Number"), DetailPanel);
    SubNumberLabel = Named(new QLabel(DetailPanel), "SubNumberLabel");
    SubNumberLabel->setMinimumWidth(90);
    QFont bold = SubNumberLabel->font();
    bold.setBold(true);
    SubNumberLabel->setFont(bold);
    auto* nameCaption = new QLabel(QStringLiteral("Name"), DetailPanel);
    NameEdit = Named(new QLineEdit(DetailPanel), "NameEdit");
    NameEdit->setMaxLength(40);
    nameCaption->setBuddy(NameEdit);
    PercentLabel = Named(new QLabel(DetailPanel), "PercentLabel");
    PercentEdit = Named(new TPercentBox(Money::FromUnits(100), DetailPanel), "PercentEdit");
    PercentEdit->setFixedWidth(70);
    PercentEdit->setAlignment(Qt::AlignRight);
    PercentLabel->setBuddy(PercentEdit);
    PercentUpBtn = Named(new QToolButton(DetailPanel), "PercentUpBtn");
    PercentDownBtn = Named(new QToolButton(DetailPanel), "PercentDownBtn");
    PercentUpBtn->setArrowType(Qt::UpArrow);
    PercentDownBtn->setArrowType(Qt::DownArrow);
    for (QToolButton* arrow : {PercentUpBtn, PercentDownBtn}) {
        arrow->setFixedSize(18, 12);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setAutoRepeat(true);
    }
    auto* notesCaption = new QLabel(QStringLiteral("Notes"), DetailPanel);
    NotesMemo = Named(new QPlainTextEdit(DetailPanel), "NotesMemo");
    NotesMemo->setTabChangesFocus(true);
    NotesMemo->setFixedHeight(64);
    notesCaption->setBuddy(NotesMemo);
    SubOKBtn = Named(new QPushButton(QStringLiteral("&Save New Sub Category"), DetailPanel), "SubOKBtn");
    SubCancelBtn = Named(new QPushButton(QStringLiteral("&Cance&l"), DetailPanel), "SubCancelBtn");
    for (QPushButton* button : {SubOKBtn, SubCancelBtn})
        button->setAutoDefault(false);

    connect(NameEdit, &QLineEdit::textChanged, this, &TMainActForm::NameEdited);
    PercentEdit->OnChange = [this] { PercentEdited(); };
    connect(PercentUpBtn, &QToolButton::clicked, this, [this] { StepPercent(true); });
    connect(PercentDownBtn, &QToolButton::clicked, this, [this] { StepPercent(false); });
    connect(NotesMemo, &QPlainTextEdit::textChanged, this, [this] {
        // The notes hold at most 439 characters.
        if (NotesStored(NotesMemo->toPlainText()).size() > TSubActList::NotesCapacity) {
            const QSignalBlocker quiet(NotesMemo);
            NotesMemo->undo();
        }
    });
    connect(SubOKBtn, &QPushButton::clicked, this, &TMainActForm::SubOKBtnClick);
    connect(SubCancelBtn, &QPushButton::clicked, this, &TMainActForm::SubCancelBtnClick);

    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(PercentUpBtn);
    arrows->addWidget(PercentDownBtn);
    auto* percentBox = new QHBoxLayout;
    percentBox->setSpacing(1);
    percentBox->addWidget(PercentEdit);
    percentBox->addLayout(arrows);
    auto* saveRow = new QHBoxLayout;
    saveRow->addStretch();
    saveRow->addWidget(SubOKBtn);
    saveRow->addWidget(SubCancelBtn);

    auto* grid = new QGridLayout(DetailPanel);
    grid->addWidget(numberCaption, 0, 0);
    grid->addWidget(SubNumberLabel, 0, 1);
    grid->addWidget(nameCaption, 1, 0);
    grid->addWidget(NameEdit, 1, 1);
    grid->addWidget(PercentLabel, 1, 2, Qt::AlignRight);
    grid->addLayout(percentBox, 1, 3);
    grid->addWidget(notesCaption, 2, 0, Qt::AlignTop);
    grid->addWidget(NotesMemo, 2, 1, 1, 3);
    grid->addLayout(saveRow, 3, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    return DetailPanel;
}

// ---- The list ---------------------------------------------------------------------------------

void TMainActForm::LoadSubs() {
    const bool wasLoading = std::exchange(Loading, true);
    SubList->clear();
    if (const TMainActRec* category = Shown())
        for (const TSubActRec* sub : Edit.Ledger.SubActList.KeyList) {
            if (sub->MainAct != category->Number)
                continue;
            auto* row = new QTreeWidgetItem(SubList);
            row->setText(NumberColumn, FromDocument(sub->NumberText()));
            row->setText(NameColumn, FromDocument(sub->Name.View()));
            row->setText(PercentColumn, FromDocument(Formats.PercentText(sub->GstPercent, PercentPattern::Plain)));
            row->setTextAlignment(PercentColumn, Qt::AlignRight | Qt::AlignVCenter);
            row->setData(0, SubNumberRole, sub->Number);
        }
    Loading = wasLoading;
}

QTreeWidgetItem* TMainActForm::RowOfNumber(std::int32_t subNumber) const {
    for (int i = 0; i < SubList->topLevelItemCount(); ++i)
        if (QTreeWidgetItem* row = SubList->topLevelItem(i); row->data(0, SubNumberRole).toInt() == subNumber)
            return row;
    return nullptr;
}

QTreeWidgetItem* TMainActForm::ChosenRow() const {
    if (SubIndex == NewSub)
        return RowOfNumber(0);
    if (SubIndex >= 0)
        return RowOfNumber(Edit.Ledger.SubActList.Items(SubIndex)->Number);
    return nullptr;
}

QString TMainActForm::RowText() const {
    const QTreeWidgetItem* row = ChosenRow();
    return row ? row->text(NameColumn) : QString();
}

void TMainActForm::ChooseSub(std::int32_t index) {
    SubIndex = index;
    {
        const bool wasLoading = std::exchange(Loading, true);
        if (QTreeWidgetItem* row = ChosenRow())
            SubList->setCurrentItem(row);
        else {
            SubList->setCurrentItem(nullptr);
            SubList->clearSelection();
        }
        Loading = wasLoading;
    }
    ShowDetail();
    UpdateButtons();
}

void TMainActForm::ShowDetail() {
    if (SubIndex < 0) {
        ClearDetail();
        return;
    }
    const TSubActRec* sub = Edit.Ledger.SubActList.Items(SubIndex);
    const bool wasLoading = std::exchange(Loading, true);
    SubNumberLabel->setText(PanelNumberText(sub->MainAct, sub->Number));
    NameEdit->setText(FromDocument(sub->Name.View()));
    PercentEdit->SetValue(sub->GstPercent);
    NotesMemo->setPlainText(NotesShown(sub->Notes));
    Loading = wasLoading;
}

void TMainActForm::ClearDetail() {
    const bool wasLoading = std::exchange(Loading, true);
    SubNumberLabel->clear();
    NameEdit->clear();
    NotesMemo->clear();
    PercentEdit->SetValue(Edit.Files.Settings.GstPercent);
    Loading = wasLoading;
}

bool TMainActForm::ListChoiceKey(int key) const {
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

// A choice in the list while the panel is open first settles the edit under way; refused, the
// choice stays where it was.
bool TMainActForm::eventFilter(QObject* watched, QEvent* event) {
    if (PanelLocked)
        return QDialog::eventFilter(watched, event);
    if (watched == SubList->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        const QTreeWidgetItem* target = SubList->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (!target || target == ChosenRow())
            return true;
        const std::int32_t subNumber = target->data(0, SubNumberRole).toInt();
        if (LeavingAnEdit() && Shown())
            ChooseSub(Edit.Ledger.SubActList.IndexOfPair(Shown()->Number, subNumber));
        return true;
    }
    if (watched == SubList && event->type() == QEvent::KeyPress && ListChoiceKey(static_cast<QKeyEvent*>(event)->key()))
        return !LeavingAnEdit();
    return QDialog::eventFilter(watched, event);
}

// ---- The detail panel -------------------------------------------------------------------------

TSubCategoryFields TMainActForm::PanelFields() const {
    return {Trim(ToDocument(NameEdit->text())), PercentEdit->Value(), NotesStored(NotesMemo->toPlainText())};
}

bool TMainActForm::PanelDiffers() const {
    const TSubCategoryFields now = PanelFields();
    return now.Name != PanelStart.Name || now.GstPercent != PanelStart.GstPercent || now.Notes != PanelStart.Notes;
}

void TMainActForm::OpenPanel(bool isNew, TAccessArea area) {
    PanelLocked = false;
    // The user passed the access check for this edit: saving it must not ask again.
    PanelGrant = area;
    Edit.Granted = area;
    PanelStart = PanelFields();
    SubOKBtn->setText(isNew ? QStringLiteral("&Save New Sub Category") : QStringLiteral("&Save Changes"));
    UpdateButtons();
    NameEdit->setFocus();
}

void TMainActForm::LockPanel() {
    if (PanelGrant) {
        Edit.Granted.reset();
        PanelGrant.reset();
    }
    PanelLocked = true;
    if (SubIndex == NewSub)
        SubIndex = NoSub;
}

// Cancel, No, or nothing to save: the list and the panel show what is stored.
void TMainActForm::DropPanelEdit() {
    const std::int32_t index = SubIndex;
    LockPanel();
    LoadSubs();
    ChooseSub(index == NewSub ? NoSub : index);
}

void TMainActForm::RefuseName() {
    NameEdit->setFocus();
    NameEdit->selectAll();
}

void TMainActForm::NameEdited() {
    if (Loading || PanelLocked)
        return;
    if (QTreeWidgetItem* row = ChosenRow())
        row->setText(NameColumn, NameEdit->text().trimmed());
}

void TMainActForm::PercentEdited() {
    if (Loading || PanelLocked)
        return;
    if (QTreeWidgetItem* row = ChosenRow())
        row->setText(PercentColumn, FromDocument(Formats.PercentText(PercentEdit->Value(), PercentPattern::Plain)));
}

void TMainActForm::StepPercent(bool up) {
    if (PanelLocked || PercentEdit->isReadOnly())
        return;
    PercentEdit->SetValue(SteppedSubPercent(PercentEdit->Value(), up));
}

bool TMainActForm::LeavingAnEdit() {
    if (PanelLocked)
        return true;
    {
        const bool wasLoading = std::exchange(Loading, true);
        NameEdit->setText(NameEdit->text().trimmed());
        Loading = wasLoading;
    }
    if (!PanelDiffers()) {
        DropPanelEdit();
        return true;
    }
    const bool isNew = SubIndex == NewSub;
    const std::string question =
        (isNew ? "Save New Sub Category  - '" : "Save changes to Sub Category  - '") + ToDocument(RowText()) + "'";
    switch (Edit.Ask.MessageBox(question, MsgKind::Confirmation, MsgButtons::YesNoCancel)) {
    case MsgResult::Yes:
        return isNew ? SaveNewSub() : SaveSubChanges();
    case MsgResult::No:
        DropPanelEdit();
        return true;
    default:
        return false;
    }
}

bool TMainActForm::SaveNewSub() {
    const TEditOutcome outcome = AddSubCategory(Edit, Pos, PanelFields());
    if (Took(outcome)) {
        LockPanel();
        LoadSubs();
        ChooseSub(outcome.Index);
        return true;
    }
    if (outcome.Result == TEditResult::Refused)
        RefuseName();
    return false;
}

bool TMainActForm::SaveSubChanges() {
    const std::int32_t index = SubIndex;
    const TEditOutcome outcome = ChangeSubCategory(Edit, index, PanelFields());
    if (Took(outcome) || outcome.Result == TEditResult::Unchanged) {
        LockPanel();
        LoadSubs();
        ChooseSub(index);
        return true;
    }
    if (outcome.Result == TEditResult::Refused)
        RefuseName();
    return false;
}

// ---- The sub category buttons -----------------------------------------------------------------

void TMainActForm::NewSubBtnClick() {
    const TMainActRec* shown = Shown();
    if (!shown || !Edit.CheckAccess(TAccessArea::Adding) || !LeavingAnEdit())
        return;
    const TMainActRec& category = *Shown();
    const std::int32_t number = NextSubNumber(Edit.Ledger.SubActList, category.Number);
    const Money percent = NewSubPercent(Edit.Ledger, Edit.Files.Settings, category);
    {
        const bool wasLoading = std::exchange(Loading, true);
        auto* row = new QTreeWidgetItem(SubList);
        row->setText(NumberColumn, QString::number(category.Number) + QLatin1Char('-') + QString::number(number));
        row->setText(NameColumn, QStringLiteral("<New Sub Category>"));
        row->setText(PercentColumn, FromDocument(Formats.PercentText(percent, PercentPattern::Plain)));
        row->setTextAlignment(PercentColumn, Qt::AlignRight | Qt::AlignVCenter);
        row->setData(0, SubNumberRole, 0);
        SubIndex = NewSub;
        SubList->setCurrentItem(row);
        SubList->scrollToItem(row);
        SubNumberLabel->setText(PanelNumberText(category.Number, number));
        NameEdit->clear();
        NotesMemo->clear();
        PercentEdit->SetValue(percent);
        Loading = wasLoading;
    }
    OpenPanel(true, TAccessArea::Adding);
}

void TMainActForm::EditSubBtnClick() {
    if (SubIndex < 0 || !PanelLocked || !Edit.CheckAccess(TAccessArea::Editing))
        return;
    OpenPanel(false, TAccessArea::Editing);
}

void TMainActForm::DelSubBtnClick() {
    if (SubIndex < 0 || !LeavingAnEdit())
        return;
    const std::int32_t row = Edit.Ledger.SubActList.Items(SubIndex)->Row;
    if (!Took(DeleteSubCategory(Edit, SubIndex)))
        return;
    if (row >= 0)
        Result.DeletedSubRows.push_back(row);
    LoadSubs();
    ChooseSub(NoSub);
}

void TMainActForm::SubOKBtnClick() {
    if (PanelLocked)
        return;
    if (SubIndex == NewSub)
        SaveNewSub();
    else
        SaveSubChanges();
}

void TMainActForm::SubCancelBtnClick() {
    if (!PanelLocked)
        DropPanelEdit();
}

} // namespace qz::gui
