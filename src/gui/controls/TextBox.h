#pragma once
// A box for a short text such as a reference, with a button inside its right edge that opens the
// on-screen keyboard above it. It holds at most its maximum length: a paste keeps its start, and
// line breaks and tabs in it become spaces.

#include "ButtonEdit.h"

#include <QPointer>

namespace qz::gui {

class TKeyboard;

class TTextBox : public TButtonEdit {
    Q_OBJECT
public:
    static constexpr int ReferenceLength = 20;

    explicit TTextBox(int maxLength = ReferenceLength, QWidget* parent = nullptr);

    void SetLockedLook(bool locked, const QColor& fill = QColor());

    // Opens the keyboard over the box, as the button does.
    TKeyboard* OpenKeyboard();
    TKeyboard* Keyboard() const { return OpenedKeyboard; }

protected:
    void ButtonClick() override;

private:
    QPointer<TKeyboard> OpenedKeyboard;
};

} // namespace qz::gui
