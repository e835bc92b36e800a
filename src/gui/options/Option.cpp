#include "Option.h"

#include "controls/PercentBox.h"
#include "platform/TextCodec.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

constexpr int OptionsHelpTopic = 26070;

} // namespace

// Document comments keep Windows line breaks; the comments box shows plain ones.
std::string TOptions::CommentsOf(const QString& shown) {
    return ToDocument(QString(shown).replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

TOptions::TOptions(TOptionsContext context, int page, QWidget* parent) : QDialog(parent), Ctx(std::move(context)) {
    setWindowTitle(QStringLiteral("Options"));
    setObjectName(QStringLiteral("Options"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    Tabs = new QTabBar(this);
    Tabs->setObjectName(QStringLiteral("PageControl"));
    Tabs->setExpanding(false);
    Tabs->setFocusPolicy(Qt::StrongFocus);
    for (const char* caption : {"Worksheet", "Password", "File", "General", "GST / VAT"})
        Tabs->addTab(QLatin1String(caption));
    Tabs->installEventFilter(this);
    Pages = new QStackedWidget(this);
    Pages->setObjectName(QStringLiteral("Pages"));
    Pages->addWidget(MakeWorksheetPage());
    Pages->addWidget(MakePasswordPage());
    Pages->addWidget(MakeFilePage());
    Pages->addWidget(MakeGeneralPage());
    Pages->addWidget(MakeTaxPage());
    connect(Tabs, &QTabBar::currentChanged, Pages, &QStackedWidget::setCurrentIndex);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(Pages);

    auto* buttons = new QDialogButtonBox(this);
    OKBtn = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    CancelBtn = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    QPushButton* help = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("HelpBtn"));
    for (QPushButton* button : {OKBtn, CancelBtn, help})
        button->setAutoDefault(false);
    connect(OKBtn, &QPushButton::clicked, this, &TOptions::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TOptions::CancelBtnClick);
    connect(help, &QPushButton::clicked, this, [this] {
        if (Ctx.ShowHelp)
            Ctx.ShowHelp(OptionsHelpTopic);
    });

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->addWidget(Tabs);
    layout->addWidget(frame, 1);
    layout->addSpacing(10);
    layout->addWidget(buttons);

    // The hidden button follows Ctrl and "=" wherever the focus is in the window.
    qApp->installEventFilter(this);

    const int first = std::clamp(page, 0, PageCount - 1);
    {
        const QSignalBlocker quiet(Tabs);
        Tabs->setCurrentIndex(first);
    }
    Pages->setCurrentIndex(first);
    FillPages();
    if (QWidget* control = FirstControl(first))
        control->setFocus();
}

TOptions::~TOptions() {
    qApp->removeEventFilter(this);
}

int TOptions::Run() {
    return exec() == QDialog::Accepted ? Result.Result() : 0;
}

int TOptions::Page() const {
    return Tabs->currentIndex();
}

bool TOptions::GoToPage(int page) {
    if (page < 0 || page >= PageCount || page == Page())
        return false;
    if (!PasswordCopy.empty()) {
        if (page == WorksheetPage && !Ctx.CheckAccess(TAccessArea::Worksheet))
            return false;
        if (page == PasswordPage && !Ctx.CheckAccess(TAccessArea::PasswordPage))
            return false;
    }
    Tabs->setCurrentIndex(page);
    if (QWidget* control = FirstControl(page); control && !Tabs->hasFocus())
        control->setFocus();
    return true;
}

bool TOptions::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == Tabs) {
        // The page control never changes pages by itself: the mouse and the arrows go through the checks.
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && type == QEvent::MouseButtonPress) {
                const int page = Tabs->tabAt(mouse->position().toPoint());
                if (page >= 0 && GoToPage(page))
                    if (QWidget* control = FirstControl(page))
                        control->setFocus();
            }
            return true;
        }
        if (type == QEvent::Wheel)
            return true;
        if (type == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            // Right stops at "General": "GST / VAT" is reached with the mouse only.
            if (key == Qt::Key_Right) {
                if (Page() < GeneralPage)
                    GoToPage(Page() + 1);
                return true;
            }
            if (key == Qt::Key_Left) {
                if (Page() > WorksheetPage)
                    GoToPage(Page() - 1);
                return true;
            }
            if (key == Qt::Key_Home || key == Qt::Key_End)
                return true;
        }
    }
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && SDOBtn) {
        const auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this && !key->isAutoRepeat()) {
            if (type == QEvent::KeyPress && key->key() == Qt::Key_Equal && (key->modifiers() & Qt::ControlModifier))
                SDOBtn->show();
            else if (type == QEvent::KeyRelease)
                SDOBtn->hide();
        }
    }
    return QDialog::eventFilter(watched, event);
}

TOptionsEdit TOptions::Gathered() const {
    TOptionsEdit edit = Start;
    edit.Password = PasswordCopy;
    for (std::size_t i = 0; i < ProtectBoxes.size(); ++i)
        edit.Protections[i] = ProtectBoxes[i]->isChecked();
    edit.CommentsEdited = CommentsEdited;
    edit.Comments = CommentsOf(CommentsBox->toPlainText());
    edit.BusinessName = ToDocument(BusinessNameEdit->text());
    edit.BusinessNumber = ToDocument(BusinessNumberEdit->text());
    edit.UseOpeningBalancesInSelections = OpeningBalancesBox->isChecked();
    for (std::size_t option = 0; option < OptionBoxes.size(); ++option)
        if (OptionBoxes[option])
            edit.Options[option] = OptionBoxes[option]->isChecked();
    edit.Tax.Tracking = ChosenTracking();
    edit.Tax.Percent = PercentBox->Value();
    edit.Tax.CategoryName = ToDocument(CategoryLabel->text());
    edit.Tax.OpeningBalance = OpeningBox->Value();
    edit.TaxOffAgreed = TaxOffAgreed;
    return edit;
}

void TOptions::OKBtnClick() {
    hide();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    Ctx.Options->SetInUse(CurrentSet);
    ApplyWorksheetSettings();
    Result = ApplyOptions(Gathered(), *Ctx.Files, *Ctx.Books, *Ctx.Options, *Ctx.Ask);
    accept();
}

void TOptions::CancelBtnClick() {
    hide();
    reject();
}

} // namespace qz::gui
