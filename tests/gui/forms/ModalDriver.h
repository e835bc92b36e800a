#pragma once
// Acting on a modal window from inside its own event loop: the action runs once the loop has
// started, on the window that is then modal.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace qz::gui::test {

template <class Window> void WhenModal(std::function<void(Window&)> action) {
    QTimer::singleShot(0, [action] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        if (window) {
            action(*window);
            return;
        }
        // Never leave a test waiting on a window nobody will close.
        ADD_FAILURE() << "the expected window is not the modal one";
        if (QWidget* other = QApplication::activeModalWidget())
            other->close();
    });
}

} // namespace qz::gui::test
