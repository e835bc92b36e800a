// editor_shots_search FOLDER: saves pictures of the transaction search's two pages, with a
// few criteria filled in so that the pictures show the boxes at work, as search-quick.png and
// search-detailed.png into FOLDER.

#include "editors/TransFindForm.h"
#include "platform/ScriptedPrompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

#include <cstdio>

using namespace qz;
using namespace qz::gui;

namespace {

template <class T> T* Child(QWidget& window, const char* name) {
    return window.findChild<T*>(QLatin1String(name));
}

void Save(QWidget& window, const QString& folder, const char* name) {
    QApplication::processEvents();
    const QString path = folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
    if (!window.grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", path.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: editor_shots_search FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    TLedger ledger;
    ScriptedPrompts prompts;
    TTransFindForm form(ledger, prompts);
    form.show();

    Child<QCheckBox>(form, "NumberBtn")->setChecked(true);
    Child<QLineEdit>(form, "NumberBox")->setText(QStringLiteral("57"));
    Child<QCheckBox>(form, "AmountBtn")->setChecked(true);
    Child<QLineEdit>(form, "AmountBox")->setText(QStringLiteral("120.50"));
    Child<QCheckBox>(form, "UnreconciledBtn")->setChecked(true);
    Save(form, folder, "search-quick");

    Child<QTabWidget>(form, "Pages")->setCurrentIndex(1);
    Child<QRadioButton>(form, "KindCreditBtn")->setChecked(true);
    Child<QComboBox>(form, "NumberList")->setCurrentIndex(4);
    Child<QLineEdit>(form, "NumberBox1")->setText(QStringLiteral("10"));
    Child<QLineEdit>(form, "NumberBox2")->setText(QStringLiteral("20"));
    Child<QComboBox>(form, "ReferenceList")->setCurrentIndex(2);
    Child<QLineEdit>(form, "ReferenceBox1")->setText(QStringLiteral("INV-100"));
    Child<QComboBox>(form, "AmountList")->setCurrentIndex(4);
    Child<QLineEdit>(form, "AmountBox1")->setText(QStringLiteral("50.00"));
    Child<QLineEdit>(form, "AmountBox2")->setText(QStringLiteral("1,500.00"));
    Child<QRadioButton>(form, "ExcludeTransfersBtn")->setChecked(true);
    Save(form, folder, "search-detailed");
    return 0;
}
