// controls_shots FOLDER: saves pictures of the entry controls at work into FOLDER: the number pad
// open above an amount box, the on-screen keyboard open above a reference box, the date box's
// calendar dropped down, and the boxes' plain, disabled and locked looks. The pop-ups are windows
// of their own, so the pictures are taken from the screen: run it under xvfb-run.

#include "controls/DateBox.h"
#include "controls/Keyboard.h"
#include "controls/NumberBox.h"
#include "controls/NumberPad.h"
#include "controls/PercentBox.h"
#include "controls/PercentUpDown.h"
#include "controls/TextBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>

#include <cstdio>

using namespace qz;
using namespace qz::gui;

namespace {

// Lets the window system show what was asked for.
void Settle(int milliseconds = 100) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

struct TShotWindow {
    QWidget Window;
    TNumberBox* Amount = new TNumberBox(TNumberKind::Currency, &Window);
    TNumberBox* BeforeGst = new TNumberBox(TNumberKind::Currency, &Window);
    TPercentBox* Percent = new TPercentBox(Money::FromUnits(100), &Window);
    TPercentUpDown* Arrows = new TPercentUpDown(Percent, &Window);
    TNumberBox* GstAmount = new TNumberBox(TNumberKind::Currency, &Window);
    TNumberBox* Number = new TNumberBox(TNumberKind::Digits, &Window);
    TTextBox* Reference = new TTextBox(TTextBox::ReferenceLength, &Window);
    TDateBox* Date = new TDateBox(QDate(2025, 3, 14), &Window);

    TShotWindow() {
        Window.setWindowTitle(QStringLiteral("Entry controls"));
        for (TButtonEdit* box : {static_cast<TButtonEdit*>(Amount), static_cast<TButtonEdit*>(BeforeGst),
                                 static_cast<TButtonEdit*>(Number), static_cast<TButtonEdit*>(Reference)})
            box->SetButtonVisible(true);
        Amount->SetValue(Money::FromCents(11000));
        BeforeGst->SetValue(Money::FromUnits(100));
        Percent->SetValue(Money::FromUnits(10));
        GstAmount->SetValue(Money::FromUnits(10));
        GstAmount->setEnabled(false);
        Number->SetValue(Money::FromUnits(57));
        Number->SetLockedLook(true, QColor(255, 255, 200));
        Number->setEnabled(false);
        Reference->setText(QStringLiteral("INV-2025"));
        Date->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));

        auto* percentRow = new QHBoxLayout;
        percentRow->setSpacing(1);
        percentRow->addWidget(Percent);
        percentRow->addWidget(Arrows);
        percentRow->addWidget(new QLabel(QStringLiteral("%"), &Window));
        percentRow->addStretch();
        Percent->setFixedWidth(70);
        auto* form = new QFormLayout(&Window);
        form->addRow(QStringLiteral("Date"), Date);
        form->addRow(QStringLiteral("Reference"), Reference);
        form->addRow(QStringLiteral("Amount"), Amount);
        form->addRow(QStringLiteral("Before GST"), BeforeGst);
        form->addRow(QStringLiteral("GST %"), percentRow);
        form->addRow(QStringLiteral("GST (disabled)"), GstAmount);
        form->addRow(QStringLiteral("Number (locked)"), Number);
        for (QWidget* box :
             {static_cast<QWidget*>(Amount), static_cast<QWidget*>(BeforeGst), static_cast<QWidget*>(GstAmount),
              static_cast<QWidget*>(Number), static_cast<QWidget*>(Reference), static_cast<QWidget*>(Date)})
            box->setFixedWidth(180);
        // Room above the window for the pop-ups that open above their boxes.
        Window.move(40, 330);
        Window.show();
        Window.activateWindow();
        Settle();
    }
};

// The window and `popup` together, from the screen.
bool SaveScreen(const QWidget& window, const QWidget* popup, const QString& path) {
    Settle();
    QRect area = window.frameGeometry();
    if (popup)
        area = area.united(popup->frameGeometry());
    area.adjust(-6, -6, 6, 6);
    const QPixmap shot = window.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    if (shot.isNull() || !shot.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", path.toLocal8Bit().constData());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: controls_shots FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');
    bool saved = true;
    {
        TShotWindow shots;
        saved &= SaveScreen(shots.Window, nullptr, folder + QStringLiteral("boxes.png"));
    }
    {
        TShotWindow shots;
        TNumberPad* pad = shots.Amount->OpenPad();
        for (const char* key : {"1", "2", "5", ".", "5"})
            pad->Press(QLatin1String(key));
        saved &= SaveScreen(shots.Window, pad, folder + QStringLiteral("numberpad.png"));
        pad->close();
    }
    {
        TShotWindow shots;
        shots.Reference->setCursorPosition(shots.Reference->text().size());
        TKeyboard* keyboard = shots.Reference->OpenKeyboard();
        keyboard->Press(QStringLiteral("Shift"));
        keyboard->Press(QStringLiteral("a"));
        saved &= SaveScreen(shots.Window, keyboard, folder + QStringLiteral("keyboard.png"));
        keyboard->close();
    }
    {
        TShotWindow shots;
        shots.Date->setFocus();
        shots.Date->DropDown();
        saved &= SaveScreen(shots.Window, shots.Date->CalendarWindow(), folder + QStringLiteral("calendar.png"));
        shots.Date->CalendarWindow()->hide();
    }
    return saved ? 0 : 1;
}
