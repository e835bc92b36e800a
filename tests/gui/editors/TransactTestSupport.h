#pragma once
// Driving the transaction editor as the user does: lists chosen by typing the start of an item
// (into the open list when it dropped down), amounts typed and left with Tab, and windows that
// open one after another (the kind chooser, then the editor) acted on as each becomes modal.

#include "controls/NumberBox.h"
#include "controls/NumberPad.h"
#include "editors/Choice.h"
#include "editors/Transact.h"
#include "platform/TextCodec.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace qz::gui::test {

template <class T> T* ChildOf(QWidget& window, const char* name) {
    T* child = window.findChild<T*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

inline void Press(QWidget& window, const char* name) {
    auto* button = window.findChild<QAbstractButton*>(QLatin1String(name));
    ASSERT_NE(button, nullptr) << name;
    ASSERT_TRUE(button->isEnabled()) << name << " is disabled";
    QTest::mouseClick(button, Qt::LeftButton);
}

// Chooses the item that starts with `start` by typing it, into the list's drop-down when it
// is open (Enter takes the item), into the closed list otherwise.
inline void Choose(QComboBox* list, const QString& start) {
    ASSERT_TRUE(list->isEnabled()) << list->objectName().toStdString();
    // The user pauses before typing another item's start: a new search begins.
    list->view()->keyboardSearch(QString());
    if (list->view()->isVisible()) {
        QTest::keyClicks(list->view(), start);
        QTest::keyClick(list->view(), Qt::Key_Return);
    } else {
        list->setFocus();
        QTest::keyClicks(list, start);
    }
    ASSERT_TRUE(list->currentText().startsWith(start))
        << list->objectName().toStdString() << " shows " << list->currentText().toStdString();
}

// Types over the box's text and leaves it with Tab, which runs its exit rule.
inline void TypeAndLeave(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Tab);
}

// Types a date over the date box's text, as the regional short format reads it, and leaves it.
inline void TypeDate(QAbstractSpinBox* box, QDate date) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QLocale().toString(date, QLocale::ShortFormat));
    QTest::keyClick(box, Qt::Key_Tab);
}

// Runs `action` on the first window of type T to become modal (within a few seconds); another
// window found modal meanwhile is left alone, so that chains of windows can be driven.
template <class T> void WhenShown(std::function<void(T&)> action) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    auto waited = std::make_shared<QElapsedTimer>();
    waited->start();
    QObject::connect(poll, &QTimer::timeout, [poll, waited, action] {
        auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
        if (window && window->isVisible()) {
            poll->stop();
            poll->deleteLater();
            // Active, so that the focus moves (and boxes are left) as they are for the user.
            window->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
            action(*window);
            return;
        }
        if (waited->elapsed() > 5000) {
            poll->stop();
            poll->deleteLater();
            ADD_FAILURE() << "the expected window never became modal";
            if (QWidget* other = QApplication::activeModalWidget())
                other->close();
        }
    });
    poll->start();
}

// The kind chooser answered: credit or debit, then OK.
inline void AnswerKind(bool debit) {
    WhenShown<TChoice>([debit](TChoice& choice) {
        Press(choice, debit ? "DebitBtn" : "CreditBtn");
        Press(choice, "OKBtn");
    });
}

} // namespace qz::gui::test
