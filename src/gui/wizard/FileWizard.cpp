#include "FileWizard.h"

#include "WizardHeading.h"
#include "WizardViews.h"
#include "editors/NewEditBookForm.h"
#include "ledger/Cp1252.h"
#include "mainwindow/MainForm.h"
#include "platform/TextCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

// How many help buttons each page has.
constexpr int HelpCounts[TFileWizard::PageCount] = {3, 5, 5, 4, 3, 2};
constexpr int AccountBalanceWidth = 150;

} // namespace

TFileWizardContext FileWizardContext(TMain& main, Prompts& ask, const Clock& clock, const RegionalSettings& regional) {
    TFileWizardContext context;
    context.Ask = &ask;
    context.InstallDir = main.Options().InstallDir();
    context.WizardFilesDir = main.Options().WizardFilesDir();
    context.Today = clock.Now();
    context.Formats = TDisplayFormats(regional);
    context.Create = [&main](const std::string& path, const TStarterSet& set) {
        return main.CreateStarterFile(path, set);
    };
    return context;
}

TFileWizard::TFileWizard(TFileWizardContext context, QWidget* parent) : QDialog(parent), Context(std::move(context)) {
    setWindowTitle(QStringLiteral("New File Wizard"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setModal(true);

    const TWizardTemplate read = ReadWizardTemplateFile(Context.WizardFilesDir + "/Wizdata.dat");
    Categories = TWizardChoices(read.Entries);

    Pages = new QStackedWidget(this);
    HelpPanel = new QTextBrowser(this);
    HelpPanel->setObjectName(QStringLiteral("HelpPanel"));
    HelpPanel->setOpenLinks(false);
    HelpPanel->setMinimumWidth(210);
    HelpPanel->setMaximumWidth(230);
    HelpButtons.resize(PageCount);
    Pages->addWidget(BusinessPage());
    Pages->addWidget(CategoriesPage());
    Pages->addWidget(TypesPage());
    Pages->addWidget(SubCategoriesPage());
    Pages->addWidget(AccountsPage());
    Pages->addWidget(FileNamePage());

    BackBtn = new QPushButton(QStringLiteral("&Back"), this);
    BackBtn->setObjectName(QStringLiteral("BackBtn"));
    NextBtn = new QPushButton(QStringLiteral("&Next"), this);
    NextBtn->setObjectName(QStringLiteral("NextBtn"));
    CancelBtn = new QPushButton(QStringLiteral("&Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    for (QPushButton* button : {BackBtn, NextBtn, CancelBtn})
        button->setAutoDefault(false);
    connect(BackBtn, &QPushButton::clicked, this, &TFileWizard::BackBtnClick);
    connect(NextBtn, &QPushButton::clicked, this, &TFileWizard::NextBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* body = new QHBoxLayout;
    body->addWidget(Pages, 1);
    body->addWidget(HelpPanel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BackBtn);
    buttons->addWidget(NextBtn);
    buttons->addSpacing(12);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);

    const QScreen* screen = QGuiApplication::primaryScreen();
    const int height = screen && screen->geometry().height() <= 480 ? 440 : 540;
    resize(800, height);
    ShowPage(0);

    if (!read.Error.empty() || !read.Warning.empty())
        Context.Ask->MessageBox("The wizard's template file \"Wizdata.dat\" " +
                                    std::string(read.Error.empty() ? "may be incomplete: " : "could not be used: ") +
                                    (read.Error.empty() ? read.Warning : read.Error) +
                                    (read.Error.empty() ? std::string()
                                                        : "\r\rThe wizard offers no template categories: add your "
                                                          "own with 'New'."),
                                MsgKind::Warning, MsgButtons::Ok);
}

QString TFileWizard::Run(QWidget* parent, TFileWizardContext context) {
    TFileWizard wizard(std::move(context), parent);
    return wizard.exec() == QDialog::Accepted ? wizard.FileName() : QString();
}

// ---- Frame: pages, help, buttons -------------------------------------------------------------

QToolButton* TFileWizard::HelpButton(int page, int number) {
    auto* button = new QToolButton(this);
    button->setText(QString::number(number));
    button->setObjectName(QStringLiteral("HelpBtn%1_%2").arg(page).arg(number));
    button->setToolTip(QStringLiteral("Help on this"));
    // Checked by hand: an auto-exclusive button would uncheck the page's radio buttons too.
    button->setCheckable(true);
    button->setFixedSize(22, 22);
    QFont font = button->font();
    font.setBold(true);
    button->setFont(font);
    connect(button, &QToolButton::clicked, this, [this, page, number] { ShowHelp(page, number); });
    HelpButtons[static_cast<std::size_t>(page - 1)].push_back(button);
    return button;
}

void TFileWizard::ShowHelp(int page, int number) {
    const QString name = QStringLiteral("pg%1_%2.htm").arg(page).arg(number);
    QFile file(QString::fromStdString(Context.WizardFilesDir) + QLatin1Char('/') + name);
    if (file.open(QIODevice::ReadOnly))
        HelpPanel->setHtml(QString::fromUtf8(file.readAll()));
    else
        HelpPanel->setHtml(QStringLiteral("<p>The help page %1 could not be found in the Wizard Files folder.</p>")
                               .arg(name.toHtmlEscaped()));
    const auto& buttons = HelpButtons[static_cast<std::size_t>(page - 1)];
    for (int i = 0; i < static_cast<int>(buttons.size()); ++i)
        buttons[static_cast<std::size_t>(i)]->setChecked(i == number - 1);
}

void TFileWizard::ShowPage(int page) {
    Current = page;
    Pages->setCurrentIndex(page);
    EnterPage(page);
    ShowHelp(page + 1, 1);
    UpdateButtons();
}

void TFileWizard::EnterPage(int page) {
    switch (page) {
    case 0:
        NameEdit->setFocus();
        break;
    case 1:
        FillTemplateList();
        FillSelectedTree();
        break;
    case 2:
        EnterTypesPage();
        break;
    case 3:
        if (!SubsChanged)
            Starters = StarterCategories(Categories);
        FillSubTree();
        break;
    case 4:
        FillAccounts();
        break;
    case 5:
        ShowSummary();
        FileNameEdit->setFocus();
        break;
    default:
        break;
    }
}

void TFileWizard::UpdateButtons() {
    BackBtn->setEnabled(Current > 0);
    NextBtn->setText(Current == PageCount - 1 ? QStringLiteral("&Finish") : QStringLiteral("&Next"));
    bool next = true;
    switch (Current) {
    case 1:
        next = !Categories.SelectedList().empty();
        break;
    case 2:
        next = Categories.AllUserCategoriesTyped();
        break;
    case 4:
        next = !Accounts.empty();
        break;
    case 5:
        next = !FileNameEdit->text().trimmed().isEmpty();
        break;
    default:
        break;
    }
    NextBtn->setEnabled(next);
}

void TFileWizard::BackBtnClick() {
    switch (Current) {
    case 0:
        return;
    case 3:
        if (!LeaveSubsBack())
            return;
        ShowPage(Categories.HasUserCategories() ? 2 : 1);
        return;
    default:
        ShowPage(Current - 1);
    }
}

void TFileWizard::NextBtnClick() {
    if (!NextBtn->isEnabled())
        return;
    switch (Current) {
    case 0:
        NameEdit->setText(NameEdit->text().trimmed());
        ShowPage(1);
        return;
    case 1:
        ShowPage(Categories.HasUserCategories() ? 2 : 3);
        return;
    case 3:
        if (LeaveSubsForward())
            ShowPage(4);
        return;
    case 5:
        Finish();
        return;
    default:
        ShowPage(Current + 1);
    }
}

QString TFileWizard::RootCaption() const {
    return FromDocument(WizardRootCaption(ToDocument(NameEdit->text())));
}

// ---- Page 1: business details -------------------------------------------------------------------

QWidget* TFileWizard::BusinessPage() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    grid->addWidget(HelpButton(1, 1), 0, 0, Qt::AlignTop);
    grid->addWidget(WizardHeading(QStringLiteral("Welcome to the New File Wizard"), page, 1.25, true), 0, 1);
    auto* intro = new QLabel(QStringLiteral("This wizard helps you set up a new file for your business: its "
                                            "categories, sub categories and accounts.  Start with your "
                                            "business details."),
                             page);
    intro->setWordWrap(true);
    grid->addWidget(intro, 1, 1);
    NameEdit = new QLineEdit(page);
    NameEdit->setObjectName(QStringLiteral("NameEdit"));
    NameEdit->setMaxLength(255);
    NumberEdit = new QLineEdit(page);
    NumberEdit->setObjectName(QStringLiteral("NumberEdit"));
    NumberEdit->setMaxLength(255);
    auto* nameLabel = new QLabel(QStringLiteral("Your Company or Business Name"), page);
    nameLabel->setBuddy(NameEdit);
    auto* numberLabel = new QLabel(QStringLiteral("Your Company or Business Number"), page);
    numberLabel->setBuddy(NumberEdit);
    grid->addWidget(HelpButton(1, 2), 3, 0);
    grid->addWidget(nameLabel, 2, 1);
    grid->addWidget(NameEdit, 3, 1);
    grid->addWidget(HelpButton(1, 3), 5, 0);
    grid->addWidget(numberLabel, 4, 1);
    grid->addWidget(NumberEdit, 5, 1);
    grid->setRowMinimumHeight(2, 40);
    grid->setRowStretch(6, 1);
    return page;
}

// ---- Page 5: accounts ----------------------------------------------------------------------------

QWidget* TFileWizard::AccountsPage() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    grid->addWidget(HelpButton(5, 1), 0, 0, Qt::AlignTop);
    grid->addWidget(WizardHeading(QStringLiteral("Your Accounts"), page, 1.25, true), 0, 1, 1, 2);
    auto* intro = new QLabel(QStringLiteral("Add the bank accounts, credit cards and cash your business uses, "
                                            "each with its balance on the day you start."),
                             page);
    intro->setWordWrap(true);
    grid->addWidget(intro, 1, 1, 1, 2);
    AccountList = new QTreeWidget(page);
    AccountList->setObjectName(QStringLiteral("AccountList"));
    AccountList->setColumnCount(2);
    AccountList->setHeaderLabels({QStringLiteral("Account Name"), QStringLiteral("Opening Balance")});
    AccountList->setRootIsDecorated(false);
    AccountList->header()->setStretchLastSection(false);
    AccountList->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    connect(AccountList, &QTreeWidget::itemDoubleClicked, this, [this] { EditAccountClick(); });
    grid->addWidget(HelpButton(5, 2), 2, 0, Qt::AlignTop);
    grid->addWidget(AccountList, 2, 1);
    auto* newBtn = new QPushButton(QStringLiteral("Ne&w"), page);
    newBtn->setObjectName(QStringLiteral("NewAccountBtn"));
    auto* editBtn = new QPushButton(QStringLiteral("&Edit"), page);
    editBtn->setObjectName(QStringLiteral("EditAccountBtn"));
    auto* deleteBtn = new QPushButton(QStringLiteral("&Delete"), page);
    deleteBtn->setObjectName(QStringLiteral("DeleteAccountBtn"));
    connect(newBtn, &QPushButton::clicked, this, &TFileWizard::NewAccountClick);
    connect(editBtn, &QPushButton::clicked, this, &TFileWizard::EditAccountClick);
    connect(deleteBtn, &QPushButton::clicked, this, &TFileWizard::DeleteAccountClick);
    auto* side = new QVBoxLayout;
    side->addWidget(HelpButton(5, 3), 0, Qt::AlignHCenter);
    for (QPushButton* button : {newBtn, editBtn, deleteBtn}) {
        button->setAutoDefault(false);
        side->addWidget(button);
    }
    side->addStretch(1);
    grid->addLayout(side, 2, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
    return page;
}

void TFileWizard::FillAccounts() {
    const int current = AccountList->currentIndex().row();
    AccountList->clear();
    for (const TAccountFields& account : Accounts) {
        auto* item = new QTreeWidgetItem(AccountList);
        item->setText(0, FromDocument(Trim(account.Name)));
        item->setText(1, FromDocument(Context.Formats.MoneyText(account.OpeningBalance)));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        QFont font = item->font(0);
        font.setBold(true);
        item->setFont(0, font);
    }
    // Room for the scroll bar once it is bound to show.
    const int scrollBar = Accounts.size() >= 8 ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    AccountList->setColumnWidth(1, AccountBalanceWidth - scrollBar);
    if (current >= 0 && current < AccountList->topLevelItemCount())
        AccountList->setCurrentItem(AccountList->topLevelItem(current));
    UpdateButtons();
}

// Runs the account editor until the name is one no other entry has (or the user cancels).
bool TFileWizard::EditAccountEntry(bool isNew, TAccountFields& fields, int except) {
    for (;;) {
        const bool ok = Context.EditAccount ? Context.EditAccount(this, isNew, fields)
                                            : TNewEditBookForm::EditAccount(this, isNew, fields);
        if (!ok)
            return false;
        const std::string name = Trim(fields.Name);
        if (name.empty()) {
            Context.Ask->MessageBox("Account name ''' not valid!", MsgKind::Warning, MsgButtons::Ok);
            continue;
        }
        bool taken = false;
        for (int i = 0; i < static_cast<int>(Accounts.size()); ++i)
            taken =
                taken || (i != except && SameTextIgnoringCase(Trim(Accounts[static_cast<std::size_t>(i)].Name), name));
        if (!taken) {
            fields.Name = name;
            return true;
        }
        Context.Ask->MessageBox(WizardAccountInUseText(name), MsgKind::Information, MsgButtons::Ok);
    }
}

void TFileWizard::NewAccountClick() {
    TAccountFields fields{"", DefaultAccountColour(static_cast<std::int32_t>(Accounts.size())), DayOf(Context.Today),
                          Money()};
    if (!EditAccountEntry(true, fields, -1))
        return;
    Accounts.push_back(fields);
    FillAccounts();
    AccountList->setCurrentItem(AccountList->topLevelItem(AccountList->topLevelItemCount() - 1));
}

void TFileWizard::EditAccountClick() {
    const int row = AccountList->currentIndex().row();
    if (row < 0 || row >= static_cast<int>(Accounts.size()))
        return;
    TAccountFields fields = Accounts[static_cast<std::size_t>(row)];
    if (!EditAccountEntry(false, fields, row))
        return;
    Accounts[static_cast<std::size_t>(row)] = fields;
    FillAccounts();
}

void TFileWizard::DeleteAccountClick() {
    const int row = AccountList->currentIndex().row();
    if (row < 0 || row >= static_cast<int>(Accounts.size()))
        return;
    Accounts.erase(Accounts.begin() + row);
    FillAccounts();
}

// ---- Page 6: the file's name and Finish ----------------------------------------------------------

QWidget* TFileWizard::FileNamePage() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    grid->addWidget(HelpButton(6, 1), 0, 0, Qt::AlignTop);
    grid->addWidget(WizardHeading(QStringLiteral("Enter a name for your new file"), page, 1.25, true), 0, 1);
    FileNameEdit = new QLineEdit(page);
    FileNameEdit->setObjectName(QStringLiteral("FileNameEdit"));
    FileNameEdit->setMaxLength(200);
    connect(FileNameEdit, &QLineEdit::textEdited, this, &TFileWizard::FileNameEdited);
    grid->addWidget(FileNameEdit, 1, 1);
    auto* folder = new QLabel(QStringLiteral("It is kept in your Bookkeeping Files folder."), page);
    grid->addWidget(folder, 2, 1);
    grid->addWidget(HelpButton(6, 2), 3, 0, Qt::AlignTop);
    SummaryLabel = new QLabel(page);
    SummaryLabel->setObjectName(QStringLiteral("SummaryLabel"));
    SummaryLabel->setWordWrap(true);
    SummaryLabel->setTextFormat(Qt::RichText);
    grid->addWidget(SummaryLabel, 3, 1);
    grid->setRowMinimumHeight(3, 60);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(1, 1);
    return page;
}

void TFileWizard::FileNameEdited(const QString& text) {
    const QString kept = QString::fromStdString(WizardFileNameText(text.toStdString()));
    if (kept != text) {
        const int cursor = FileNameEdit->cursorPosition() - static_cast<int>(text.size() - kept.size());
        FileNameEdit->setText(kept);
        FileNameEdit->setCursorPosition(std::max(0, cursor));
    }
    UpdateButtons();
}

void TFileWizard::ShowSummary() {
    int credits = 0;
    int debits = 0;
    int subs = 0;
    for (const TStarterCategory& category : Starters) {
        (category.Side == SideCredit ? credits : debits)++;
        subs += static_cast<int>(category.SubNames.size());
    }
    const QString business = NameEdit->text().trimmed().isEmpty()
                                 ? QStringLiteral("your business")
                                 : QStringLiteral("<b>%1</b>").arg(NameEdit->text().trimmed().toHtmlEscaped());
    SummaryLabel->setText(QStringLiteral("Your new file for %1 will hold:<table cellpadding=\"2\">"
                                         "<tr><td>Credit categories</td><td align=\"right\">%2</td></tr>"
                                         "<tr><td>Debit categories</td><td align=\"right\">%3</td></tr>"
                                         "<tr><td>Sub categories</td><td align=\"right\">%4</td></tr>"
                                         "<tr><td>Accounts</td><td align=\"right\">%5</td></tr></table>"
                                         "Press <b>Finish</b> to create it.")
                              .arg(business)
                              .arg(credits)
                              .arg(debits)
                              .arg(subs)
                              .arg(Accounts.size()));
}

void TFileWizard::Finish() {
    // File names are the system's (UTF-8); message texts are document texts.
    const QString name = FileNameEdit->text().trimmed();
    if (name.isEmpty())
        return;
    const std::string path = WizardFilePath(Context.InstallDir, name.toStdString());
    if (QFileInfo::exists(QString::fromStdString(path))) {
        Context.Ask->MessageBox(WizardFileInUseText(ToDocument(name)), MsgKind::Information, MsgButtons::Ok);
        FileNameEdit->setFocus();
        return;
    }
    TStarterSet set;
    set.BusinessName = ToDocument(NameEdit->text().trimmed());
    set.BusinessNumber = ToDocument(NumberEdit->text().trimmed());
    set.Categories = Starters;
    set.Accounts = Accounts;
    if (!Context.Create || !Context.Create(path, set))
        return;
    Path = QString::fromStdString(path);
    accept();
}

} // namespace qz::gui
