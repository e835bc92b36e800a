// The options window's five pages: their controls, and filling them from the document, the
// user's options and the worksheet.

#include "Option.h"

#include "controls/NumberPad.h"
#include "controls/PercentBox.h"
#include "platform/TextCodec.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

constexpr int MaxComments = 255;
constexpr int MaxBusinessText = 255;
constexpr int MaxOpeningBalanceText = 12;

template <class Control> Control* Named(Control* control, const char* name) {
    control->setObjectName(QLatin1String(name));
    return control;
}

QPushButton* PageButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = Named(new QPushButton(caption, parent), name);
    button->setAutoDefault(false);
    return button;
}

// The "General" page's boxes in the order they show, with the options they stand for.
struct TOptionBox {
    TOptionIndex Option;
    const char* Caption;
    const char* Name;
};
constexpr TOptionBox GeneralBoxes[] = {
    {OptNewTransDate, "Create new &Transactions with current date", "NewTransDateBox"},
    {OptAutoBak, "&Auto-update backup file", "AutoBakBox"},
    {OptShowWelcome, "&Show welcome screen on startup", "ShowWelcomeBox"},
    {OptOpenToLast, "&Display last transaction when files are opened", "OpenToLastBox"},
    {OptNewTransDisabled, "Make new Transactions unreconciled by default", "NewTransDisabledBox"},
    {OptBalanceEndDay, "Only show balance at the end of each day", "BalanceEndDayBox"},
    {OptShowActNoinTrans, "Always show Category && Group numbers", "ShowActNoinTransBox"},
};
constexpr TOptionBox PrintBoxes[] = {
    {OptPrintFilename, "Print the filename", "PrintFilenameBox"},
    {OptPrintDate, "Print the date and time printed", "PrintDateBox"},
    {OptPrintBisName, "Print the Company/Business name", "PrintBisNameBox"},
    {OptPrintBisNumber, "Print the Company/Business number", "PrintBisNumberBox"},
};

} // namespace

// ---- Worksheet ---------------------------------------------------------------------------------

QWidget* TOptions::MakeWorksheetPage() {
    auto* page = new QWidget(this);
    auto* lookGroup = new QGroupBox(QStringLiteral("Appearance"), page);
    OutlineColourBtn = PageButton(QStringLiteral("Outline Colour"), "OutlineColourBtn", lookGroup);
    OutlineColourBtn->setIconSize(QSize(28, 14));
    FontBox = Named(new QLabel(lookGroup), "FontBox");
    FontBox->setFrameShape(QFrame::StyledPanel);
    FontBox->setFrameShadow(QFrame::Sunken);
    FontBox->setMinimumSize(170, 30);
    FontBox->setAlignment(Qt::AlignCenter);
    FontBox->setAutoFillBackground(true);
    FontBox->setBackgroundRole(QPalette::Base);
    ChangeFontBtn = PageButton(QStringLiteral("Chang&e Font"), "ChangeFontBtn", lookGroup);
    GradientsBox =
        Named(new QCheckBox(QStringLiteral("&Use gradient colour fill in columns"), lookGroup), "GradientsBox");
    EditColumnsBtn = PageButton(QStringLiteral("&Edit Columns..."), "EditColumnsBtn", lookGroup);
    auto* lookLayout = new QGridLayout(lookGroup);
    lookLayout->addWidget(FontBox, 0, 0);
    lookLayout->addWidget(ChangeFontBtn, 0, 1);
    lookLayout->addWidget(OutlineColourBtn, 1, 1);
    lookLayout->addWidget(EditColumnsBtn, 2, 1);
    lookLayout->addWidget(GradientsBox, 3, 0, 1, 2);
    lookLayout->setColumnStretch(0, 1);

    SettingsGroup = Named(new QGroupBox(QStringLiteral("Worksheet Settings"), page), "SettingsGroup");
    DefaultSetBtn =
        Named(new QRadioButton(QStringLiteral("Program &default settings"), SettingsGroup), "DefaultSetBtn");
    UserSetBtn = Named(new QRadioButton(QStringLiteral("&User settings"), SettingsGroup), "UserSetBtn");
    SettingsButtons = new QButtonGroup(this);
    SettingsButtons->addButton(DefaultSetBtn, 0);
    SettingsButtons->addButton(UserSetBtn, 1);
    SaveUserBtn = PageButton(QStringLiteral("&Save Current Settings as User settings"), "SaveUserBtn", SettingsGroup);
    ApplySettingsBtn = PageButton(QStringLiteral("&Apply new Worksheet settings"), "ApplySettingsBtn", SettingsGroup);
    SDOBtn = PageButton(QStringLiteral("SDO"), "SDOBtn", SettingsGroup);
    SDOBtn->hide();
    auto* settingsLayout = new QGridLayout(SettingsGroup);
    settingsLayout->addWidget(DefaultSetBtn, 0, 0);
    settingsLayout->addWidget(UserSetBtn, 1, 0);
    settingsLayout->addWidget(SDOBtn, 0, 1, Qt::AlignRight);
    settingsLayout->addWidget(SaveUserBtn, 2, 0, 1, 2);
    settingsLayout->addWidget(ApplySettingsBtn, 3, 0, 1, 2);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(lookGroup);
    layout->addWidget(SettingsGroup);
    layout->addStretch();

    connect(OutlineColourBtn, &QPushButton::clicked, this, [this] { OutlineColourClick(); });
    connect(ChangeFontBtn, &QPushButton::clicked, this, [this] { ChangeFontClick(); });
    connect(EditColumnsBtn, &QPushButton::clicked, this, [this] { EditColumnsClick(); });
    connect(GradientsBox, &QCheckBox::clicked, this, [this](bool on) { GradientsClick(on); });
    connect(SettingsButtons, &QButtonGroup::idClicked, this, [this] { WorksheetSetChosen(); });
    connect(SaveUserBtn, &QPushButton::clicked, this, [this] { SaveUserSettingsClick(); });
    connect(ApplySettingsBtn, &QPushButton::clicked, this, [this] { ApplyWorksheetSettings(); });
    connect(SDOBtn, &QPushButton::clicked, this, [this] { SaveDefaultSettingsClick(); });
    return page;
}

// ---- Password ----------------------------------------------------------------------------------

QWidget* TOptions::MakePasswordPage() {
    auto* page = new QWidget(this);
    PasswordBtn = PageButton(QStringLiteral("Create a new Password"), "PasswordBtn", page);
    ClearPasswordBtn = PageButton(QStringLiteral("Clea&r Password"), "ClearPasswordBtn", page);
    ProtectGroup = Named(new QGroupBox(QStringLiteral("Password Protect"), page), "ProtectGroup");
    const char* const captions[7] = {"F&ile Opening", "&Deleting", "Addi&ng",  "&Editing",
                                     "&Worksheet",    "Repor&ts",  "P&rinting"};
    const char* const names[7] = {"ProtectOpenBox",      "ProtectDeleteBox",  "ProtectAddBox",  "ProtectEditBox",
                                  "ProtectWorksheetBox", "ProtectReportsBox", "ProtectPrintBox"};
    auto* protectLayout = new QGridLayout(ProtectGroup);
    for (std::size_t i = 0; i < ProtectBoxes.size(); ++i) {
        ProtectBoxes[i] = Named(new QCheckBox(QString::fromUtf8(captions[i]), ProtectGroup), names[i]);
        protectLayout->addWidget(ProtectBoxes[i], static_cast<int>(i % 4), static_cast<int>(i / 4));
        connect(ProtectBoxes[i], &QCheckBox::toggled, this, [this] { ShowPasswordState(); });
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(PasswordBtn);
    buttons->addWidget(ClearPasswordBtn);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(buttons);
    layout->addWidget(ProtectGroup);
    layout->addStretch();
    connect(PasswordBtn, &QPushButton::clicked, this, [this] { PasswordBtnClick(); });
    connect(ClearPasswordBtn, &QPushButton::clicked, this, [this] { ClearPasswordClick(); });
    return page;
}

// ---- File --------------------------------------------------------------------------------------

QWidget* TOptions::MakeFilePage() {
    auto* page = new QWidget(this);
    CommentsBox = Named(new QPlainTextEdit(page), "CommentsBox");
    CommentsBox->setTabChangesFocus(true);
    auto* commentsLabel = new QLabel(QStringLiteral("&Comments"), page);
    commentsLabel->setBuddy(CommentsBox);
    BusinessNameEdit = Named(new QLineEdit(page), "BusinessNameEdit");
    BusinessNumberEdit = Named(new QLineEdit(page), "BusinessNumberEdit");
    for (QLineEdit* edit : {BusinessNameEdit, BusinessNumberEdit})
        edit->setMaxLength(MaxBusinessText);
    auto* details = new QGroupBox(QStringLiteral("Company / Business Details"), page);
    auto* detailsLayout = new QGridLayout(details);
    auto* nameLabel = new QLabel(QStringLiteral("Company or Business &Name"), details);
    nameLabel->setBuddy(BusinessNameEdit);
    auto* numberLabel = new QLabel(QStringLiteral("Company or Business N&umber"), details);
    numberLabel->setBuddy(BusinessNumberEdit);
    detailsLayout->addWidget(nameLabel, 0, 0);
    detailsLayout->addWidget(BusinessNameEdit, 0, 1);
    detailsLayout->addWidget(numberLabel, 1, 0);
    detailsLayout->addWidget(BusinessNumberEdit, 1, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(commentsLabel);
    layout->addWidget(CommentsBox, 1);
    layout->addWidget(details);

    connect(CommentsBox, &QPlainTextEdit::textChanged, this, [this] {
        if (Loading)
            return;
        // At most 255 characters as the document keeps them (a line break takes two).
        const QString text = CommentsBox->toPlainText();
        QString kept = text;
        while (CommentsOf(kept).size() > static_cast<std::size_t>(MaxComments))
            kept.chop(1);
        if (kept != text) {
            const QSignalBlocker quiet(CommentsBox);
            CommentsBox->setPlainText(kept);
            CommentsBox->moveCursor(QTextCursor::End);
        }
        CommentsEdited = true;
    });
    return page;
}

// ---- General -----------------------------------------------------------------------------------

QWidget* TOptions::MakeGeneralPage() {
    auto* page = new QWidget(this);
    OpeningBalancesBox =
        Named(new QCheckBox(QStringLiteral("Use opening balances in Selections"), page), "OpeningBalancesBox");
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(OpeningBalancesBox);
    for (const TOptionBox& box : GeneralBoxes) {
        OptionBoxes[box.Option] = Named(new QCheckBox(QString::fromUtf8(box.Caption), page), box.Name);
        layout->addWidget(OptionBoxes[box.Option]);
    }
    auto* printing = new QGroupBox(QStringLiteral("Printing"), page);
    auto* printLayout = new QGridLayout(printing);
    int at = 0;
    for (const TOptionBox& box : PrintBoxes) {
        OptionBoxes[box.Option] = Named(new QCheckBox(QString::fromUtf8(box.Caption), printing), box.Name);
        printLayout->addWidget(OptionBoxes[box.Option], at % 2, at / 2);
        ++at;
    }
    layout->addWidget(printing);
    layout->addStretch();
    return page;
}

// ---- GST / VAT ---------------------------------------------------------------------------------

QWidget* TOptions::MakeTaxPage() {
    auto* page = new QWidget(this);
    NoTaxBtn = Named(new QRadioButton(QStringLiteral("Do not use GST or VAT"), page), "NoTaxBtn");
    GstBtn =
        Named(new QRadioButton(QStringLiteral("I would like to track Goods and Services Tax (GST)"), page), "GstBtn");
    VatBtn = Named(new QRadioButton(QStringLiteral("I would like to track Value Added Tax (VAT)"), page), "VatBtn");
    auto* radios = new QButtonGroup(page);
    radios->addButton(NoTaxBtn, static_cast<int>(TTaxTracking::Off));
    radios->addButton(GstBtn, static_cast<int>(TTaxTracking::Gst));
    radios->addButton(VatBtn, static_cast<int>(TTaxTracking::Vat));

    TaxControls = Named(new QWidget(page), "TaxControls");
    PercentLabel = Named(new QLabel(TaxControls), "PercentLabel");
    PercentBox = Named(new TPercentBox(Money::FromRaw(999000), TaxControls), "PercentBox");
    PercentBox->setMaximumWidth(70);
    PercentLabel->setBuddy(PercentBox);
    ChangePercentBtn = PageButton(QStringLiteral("C&hange"), "ChangePercentBtn", TaxControls);
    TaxPicture = Named(new QLabel(TaxControls), "TaxPicture");
    TaxPicture->setFixedSize(44, 44);
    CategoryCaption = Named(new QLabel(TaxControls), "CategoryCaption");
    CategoryLabel = Named(new QLabel(TaxControls), "CategoryLabel");
    CategoryLabel->setFrameShape(QFrame::StyledPanel);
    CategoryLabel->setFrameShadow(QFrame::Sunken);
    CategoryLabel->setMinimumWidth(160);
    CategoryLabel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    CategoryLabel->setTextFormat(Qt::PlainText);
    RenameBtn = PageButton(QStringLiteral("&Rename"), "RenameBtn", TaxControls);
    OpeningLabel = Named(new QLabel(TaxControls), "OpeningLabel");
    OpeningBox = Named(new TPercentBox(Money::FromUnits(99999999), TaxControls, true), "OpeningBox");
    OpeningBox->setMaxLength(MaxOpeningBalanceText);
    OpeningBox->setMaximumWidth(110);
    OpeningLabel->setBuddy(OpeningBox);
    NumberPadBtn = PageButton(QStringLiteral("..."), "NumberPadBtn", TaxControls);
    NumberPadBtn->setToolTip(QStringLiteral("Number pad"));
    NumberPadBtn->setFixedWidth(28);
    OptionBoxes[OptAutoCalcGST] = Named(new QCheckBox(TaxControls), "AutoCalcGSTBox");

    auto* percentRow = new QHBoxLayout;
    percentRow->addWidget(PercentBox);
    percentRow->addWidget(new QLabel(QStringLiteral("%"), TaxControls));
    percentRow->addWidget(ChangePercentBtn);
    percentRow->addStretch();
    auto* categoryRow = new QHBoxLayout;
    categoryRow->addWidget(TaxPicture);
    categoryRow->addWidget(CategoryLabel, 1, Qt::AlignVCenter);
    categoryRow->addWidget(RenameBtn);
    auto* openingRow = new QHBoxLayout;
    openingRow->addWidget(OpeningBox);
    openingRow->addWidget(NumberPadBtn);
    openingRow->addStretch();
    auto* controls = new QGridLayout(TaxControls);
    controls->setContentsMargins(20, 6, 0, 0);
    controls->addWidget(PercentLabel, 0, 0);
    controls->addLayout(percentRow, 0, 1);
    controls->addWidget(CategoryCaption, 1, 0);
    controls->addLayout(categoryRow, 1, 1);
    controls->addWidget(OpeningLabel, 2, 0);
    controls->addLayout(openingRow, 2, 1);
    controls->addWidget(OptionBoxes[OptAutoCalcGST], 3, 0, 1, 2);
    controls->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(NoTaxBtn);
    layout->addWidget(GstBtn);
    layout->addWidget(VatBtn);
    layout->addWidget(TaxControls);
    layout->addStretch();

    connect(radios, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            TaxChosen(static_cast<TTaxTracking>(id));
    });
    connect(ChangePercentBtn, &QPushButton::clicked, this, [this] { ChangePercentClick(); });
    connect(RenameBtn, &QPushButton::clicked, this, [this] { RenameClick(); });
    connect(NumberPadBtn, &QPushButton::clicked, this, [this] { TNumberPad::PopUp(OpeningBox); });
    return page;
}

// ---- Filling -----------------------------------------------------------------------------------

void TOptions::FillPages() {
    Loading = true;
    Start = OptionsEditOf(*Ctx.Books, *Ctx.Files, *Ctx.Options);

    // Worksheet.
    CurrentSet = Ctx.Options->InUse();
    ReloadWorksheetLook();
    ShowChosenSet(*Ctx.Customised ? -1 : CurrentSet);
    SaveUserBtn->setEnabled(*Ctx.Customised);
    ApplySettingsBtn->setEnabled(false);
    GradientsBox->setVisible(Ctx.Colours == TColourClass::TrueColour);
    GradientsBox->setChecked(Start.Options[OptGradients]);

    // Password.
    PasswordCopy = Start.Password;
    for (std::size_t i = 0; i < ProtectBoxes.size(); ++i)
        ProtectBoxes[i]->setChecked(Start.Protections[i]);
    ShowPasswordState();

    // File.
    CommentsBox->setPlainText(FromDocument(Start.Comments).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    BusinessNameEdit->setText(FromDocument(Start.BusinessName));
    BusinessNumberEdit->setText(FromDocument(Start.BusinessNumber));
    CommentsEdited = false;

    // General.
    OpeningBalancesBox->setChecked(Start.UseOpeningBalancesInSelections);
    for (std::size_t option = 0; option < OptionBoxes.size(); ++option)
        if (OptionBoxes[option])
            OptionBoxes[option]->setChecked(Start.Options[option]);

    // GST / VAT.
    PercentBox->SetValue(Start.Tax.Percent);
    SelectTracking(Start.Tax.Tracking);
    CategoryLabel->setText(FromDocument(Start.Tax.CategoryName));
    OpeningBox->SetValue(Start.Tax.OpeningBalance);
    Loading = false;
}

QWidget* TOptions::FirstControl(int page) const {
    switch (page) {
    case WorksheetPage:
        return ChangeFontBtn;
    case PasswordPage:
        return PasswordBtn;
    case FilePage:
        return CommentsBox;
    case GeneralPage:
        return OpeningBalancesBox;
    default:
        return nullptr;
    }
}

} // namespace qz::gui
