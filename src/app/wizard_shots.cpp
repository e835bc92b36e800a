// wizard_shots [folder]: a picture of each page of the New File Wizard, filled in as a small
// cafe would fill it, saved as wizard1.png ... wizard6.png (by default in docs/wizard).
//   xvfb-run -a wizard_shots [folder]

#include "platform/ScriptedPrompts.h"
#include "wizard/FileWizard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstdio>

using namespace qz;
using namespace qz::gui;

namespace {

template <class T> T* Child(QWidget& window, const char* name) {
    return window.findChild<T*>(QLatin1String(name));
}

void Click(QWidget& window, const char* name) {
    if (auto* button = Child<QAbstractButton>(window, name))
        button->click();
}

void Choose(QListWidget* list, const QStringList& names) {
    for (const QString& name : names)
        for (QListWidgetItem* item : list->findItems(name, Qt::MatchExactly)) {
            list->clearSelection();
            item->setSelected(true);
            emit list->itemDoubleClicked(item);
        }
}

void Highlight(QListWidget* list, const QString& name) {
    const auto found = list->findItems(name, Qt::MatchExactly);
    if (!found.isEmpty())
        list->setCurrentItem(found[0]);
}

bool Save(TFileWizard& wizard, const QString& folder, int page) {
    QApplication::processEvents();
    const QString path = QStringLiteral("%1/wizard%2.png").arg(folder).arg(page);
    const bool saved = wizard.grab().save(path);
    std::printf("%s\n", qPrintable(path));
    if (!saved)
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::Australia));
    const QStringList arguments = QApplication::arguments().mid(1);
    const QString folder = arguments.isEmpty() ? QStringLiteral(ZUDEDUZE_SOURCE_DIR "/docs/wizard") : arguments.front();
    QDir().mkpath(folder);
    QTemporaryDir install;

    ScriptedPrompts prompts;
    TFileWizardContext context;
    context.Ask = &prompts;
    context.InstallDir = install.path().toStdString();
    context.WizardFilesDir = ZUDEDUZE_SOURCE_DIR "/data/Wizard Files";
    context.Today = EncodeDate(2026, 7, 1);
    int accounts = 0;
    context.EditAccount = [&accounts](QWidget*, bool, TAccountFields& fields) {
        static const std::pair<const char*, std::int64_t> given[] = {
            {"Business Cheque", 1252050}, {"Cash Register", 30000}, {"Business Visa", -48075}};
        fields.Name = given[accounts % 3].first;
        fields.OpeningBalance = Money::FromCents(given[accounts % 3].second);
        ++accounts;
        return true;
    };
    TFileWizard wizard(context);
    wizard.show();
    bool saved = true;

    Child<QLineEdit>(wizard, "NameEdit")->setText(QStringLiteral("Wattle Lane Cafe"));
    Child<QLineEdit>(wizard, "NumberEdit")->setText(QStringLiteral("51 824 753 556"));
    saved &= Save(wizard, folder, 1);

    Click(wizard, "NextBtn");
    auto* list = Child<QListWidget>(wizard, "TemplateList");
    Choose(list, {QStringLiteral("Food and Drink Sales"), QStringLiteral("Interest Received")});
    Click(wizard, "DebitBtn");
    Choose(list, {QStringLiteral("Stock Purchases"), QStringLiteral("Rent"), QStringLiteral("Wages"),
                  QStringLiteral("Utilities"), QStringLiteral("Bank Fees")});
    prompts.QueueInput("Coffee machine lease");
    Click(wizard, "NewCategoryBtn");
    Highlight(list, QStringLiteral("Insurance"));
    saved &= Save(wizard, folder, 2);

    Click(wizard, "NextBtn");
    prompts.QueueInput("Delivery fees");
    wizard.ShowPage(1);
    Click(wizard, "CreditBtn");
    Click(wizard, "NewCategoryBtn");
    Click(wizard, "NextBtn");
    Highlight(Child<QListWidget>(wizard, "UntypedList"), QStringLiteral("Delivery fees"));
    Highlight(Child<QListWidget>(wizard, "TypeList"), QStringLiteral("General Income"));
    Click(wizard, "AddTypeBtn");
    Click(wizard, "TypesDebitBtn");
    Highlight(Child<QListWidget>(wizard, "UntypedList"), QStringLiteral("Coffee machine lease"));
    Highlight(Child<QListWidget>(wizard, "TypeList"), QStringLiteral("Overheads"));
    saved &= Save(wizard, folder, 3);

    Click(wizard, "AddTypeBtn");
    Click(wizard, "NextBtn");
    auto* subs = Child<QTreeWidget>(wizard, "SubTree");
    const auto lease = subs->findItems(QStringLiteral("Coffee machine lease"), Qt::MatchExactly | Qt::MatchRecursive);
    if (!lease.isEmpty())
        subs->setCurrentItem(lease[0]);
    prompts.QueueInput("monthly payments");
    Click(wizard, "NewSubBtn");
    saved &= Save(wizard, folder, 4);

    prompts.QueueAnswer(MsgResult::Yes);
    Click(wizard, "NextBtn");
    for (int i = 0; i < 3; ++i)
        Click(wizard, "NewAccountBtn");
    saved &= Save(wizard, folder, 5);

    Click(wizard, "NextBtn");
    Child<QLineEdit>(wizard, "FileNameEdit")->setText(QStringLiteral("Wattle Lane Cafe 2026"));
    Click(wizard, "HelpBtn6_2");
    wizard.ShowPage(5);
    Click(wizard, "HelpBtn6_2");
    saved &= Save(wizard, folder, 6);
    return saved ? 0 : 1;
}
