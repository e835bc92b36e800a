#include "GstPercentChange.h"

#include "controls/PercentBox.h"
#include "platform/TextCodec.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

QLabel* WrappedLabel(const std::string& text, const std::string& taxName, QWidget* parent) {
    auto* label = new QLabel(FromDocument(WithTaxName(text, taxName)), parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

TfmGstPercentChange::TfmGstPercentChange(TFileManager& files, TLedger& ledger, const TDisplayFormats& formats,
                                         Prompts& prompts, Money percent, const std::string& taxName, QWidget* parent)
    : QDialog(parent), Files(files), Books(ledger), Formats(formats), Messages(prompts), Passed(percent) {
    setWindowTitle(QStringLiteral("Change GST Percentage"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    QLabel* intro = WrappedLabel("Quillmar Zudeduze stores GST percentages in Sub Categories.  This tool allows you to "
                                 "make bulk changes to the GST values stored in Sub Categories.  ",
                                 taxName, this);
    QLabel* specific = WrappedLabel("If you want to change the GST percentage for a specific item, use the Categories "
                                    "window and change the specific Sub Category.",
                                    taxName, this);
    QLabel* listLabel = WrappedLabel("Sub Categories grouped by GST percentage", taxName, this);
    QLabel* changeLabel = WrappedLabel("Change GST percentage to", taxName, this);
    QLabel* defaultIntro = WrappedLabel("Quillmar Zudeduze uses the default GST percentage for creating new Sub "
                                        "Categories.  You can change this percentage below.",
                                        taxName, this);
    QLabel* defaultLabel = WrappedLabel("Default GST Percentage", taxName, this);
    for (QLabel* label : {intro, specific, listLabel, changeLabel, defaultIntro, defaultLabel})
        label->setObjectName(QStringLiteral("TextLabel"));

    GroupList = new QListWidget(this);
    GroupList->setObjectName(QStringLiteral("GroupList"));
    GroupList->setMinimumHeight(110);
    listLabel->setBuddy(GroupList);
    ChangeToBox = new TPercentBox(Money::FromUnits(100), this);
    ChangeToBox->setObjectName(QStringLiteral("ChangeToBox"));
    ChangeToBox->setMaximumWidth(80);
    changeLabel->setBuddy(ChangeToBox);
    ApplyBtn = new QPushButton(QStringLiteral("Apply"), this);
    ApplyBtn->setObjectName(QStringLiteral("ApplyBtn"));
    DefaultBox = new TPercentBox(Money::FromRaw(999000), this);
    DefaultBox->setObjectName(QStringLiteral("DefaultBox"));
    DefaultBox->setMaximumWidth(80);
    DefaultBox->SetValue(percent);
    defaultLabel->setBuddy(DefaultBox);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("&Close"), QDialogButtonBox::AcceptRole);
    close->setObjectName(QStringLiteral("CloseBtn"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(GroupList, &QListWidget::currentRowChanged, this, [this] { LineSelected(); });
    ChangeToBox->OnChange = [this] { UpdateApply(); };
    connect(ApplyBtn, &QPushButton::clicked, this, &TfmGstPercentChange::ApplyBtnClick);

    auto* bulk = new QGroupBox(this);
    auto* bulkLayout = new QGridLayout(bulk);
    bulkLayout->addWidget(listLabel, 0, 0, 1, 2);
    bulkLayout->addWidget(GroupList, 1, 0, 3, 1);
    bulkLayout->addWidget(changeLabel, 1, 1);
    auto* changeRow = new QHBoxLayout;
    changeRow->addWidget(ChangeToBox);
    changeRow->addWidget(new QLabel(QStringLiteral("%"), bulk));
    changeRow->addWidget(ApplyBtn);
    changeRow->addStretch();
    bulkLayout->addLayout(changeRow, 2, 1);
    bulkLayout->setColumnStretch(0, 3);
    bulkLayout->setColumnStretch(1, 2);

    auto* defaults = new QGroupBox(this);
    auto* defaultLayout = new QGridLayout(defaults);
    defaultLayout->addWidget(defaultIntro, 0, 0, 1, 3);
    defaultLayout->addWidget(defaultLabel, 1, 0);
    defaultLayout->addWidget(DefaultBox, 1, 1);
    defaultLayout->addWidget(new QLabel(QStringLiteral("%"), defaults), 1, 2);
    defaultLayout->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(specific);
    layout->addWidget(bulk);
    layout->addWidget(defaults);
    layout->addWidget(buttons);
    setMinimumWidth(520);

    FillList();
}

std::optional<Money> TfmGstPercentChange::ChangeTaxPercent(QWidget* parent, TFileManager& files, TLedger& ledger,
                                                           const TDisplayFormats& formats, Prompts& prompts,
                                                           Money percent, const std::string& taxName) {
    TfmGstPercentChange window(files, ledger, formats, prompts, percent, taxName, parent);
    window.exec();
    return window.NewDefault();
}

std::optional<Money> TfmGstPercentChange::NewDefault() const {
    const Money chosen = DefaultBox->Value();
    if (chosen == Passed)
        return std::nullopt;
    return chosen;
}

void TfmGstPercentChange::FillList() {
    Groups = GstPercentGroups(Books, Files.Settings);
    const QSignalBlocker quiet(GroupList);
    GroupList->clear();
    for (const TPercentGroup& group : Groups)
        GroupList->addItem(FromDocument(PercentGroupText(group, Formats)));
    GroupList->setCurrentRow(Groups.empty() ? -1 : 0);
    LineSelected();
}

void TfmGstPercentChange::LineSelected() {
    const int row = GroupList->currentRow();
    ChangeToBox->setEnabled(row >= 0);
    if (row >= 0)
        ChangeToBox->SetValue(Groups[static_cast<std::size_t>(row)].Percent);
    else
        ChangeToBox->clear();
    UpdateApply();
}

void TfmGstPercentChange::UpdateApply() {
    const int row = GroupList->currentRow();
    ApplyBtn->setEnabled(row >= 0 && ChangeToBox->Value() != Groups[static_cast<std::size_t>(row)].Percent);
}

void TfmGstPercentChange::ApplyBtnClick() {
    const int row = GroupList->currentRow();
    if (row < 0 || Messages.MessageBox("Are you sure you want the these changes applied?", MsgKind::Confirmation,
                                       MsgButtons::YesNo) != MsgResult::Yes)
        return;
    ChangeGstPercent(Files, Books, Groups[static_cast<std::size_t>(row)].Percent, ChangeToBox->Value());
    FillList();
}

} // namespace qz::gui
