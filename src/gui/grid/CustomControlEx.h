#pragma once
// A custom-drawn control that learns when the mouse leaves it, to drop its hot state.

#include <QWidget>

namespace qz::gui {

class TCustomControlEx : public QWidget {
    Q_OBJECT
public:
    explicit TCustomControlEx(QWidget* parent = nullptr);

protected:
    // The mouse is no longer over the control.
    virtual void MouseLeft() {}
    void leaveEvent(QEvent* event) override;
};

} // namespace qz::gui
