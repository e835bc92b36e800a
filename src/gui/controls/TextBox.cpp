#include "TextBox.h"

#include "EntryLook.h"
#include "EntryValidator.h"
#include "Keyboard.h"
#include "ToolGlyphs.h"

#include <QToolButton>

#include <algorithm>

namespace qz::gui {

namespace {

bool IsControl(QChar c) {
    return c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

} // namespace

TTextBox::TTextBox(int maxLength, QWidget* parent) : TButtonEdit(parent) {
    setMaxLength(maxLength);
    setValidator(new TEntryValidator(
        this, [](const QString& text) { return std::none_of(text.begin(), text.end(), IsControl); },
        [](QString typed) {
            for (QChar& c : typed)
                if (IsControl(c))
                    c = QLatin1Char(' ');
            return typed;
        }));
    SetEntryLook(this);
    Button()->setIcon(ToolGlyph(TToolGlyph::Keyboard, 32));
    Button()->setToolTip(QStringLiteral("Keyboard"));
}

void TTextBox::SetLockedLook(bool locked, const QColor& fill) {
    SetEntryLook(this, locked ? fill : QColor());
}

TKeyboard* TTextBox::OpenKeyboard() {
    if (OpenedKeyboard && OpenedKeyboard->isVisible())
        return OpenedKeyboard;
    setFocus(Qt::OtherFocusReason);
    OpenedKeyboard = TKeyboard::PopUp(this, PopUpPlace());
    return OpenedKeyboard;
}

void TTextBox::ButtonClick() {
    OpenKeyboard();
}

} // namespace qz::gui
