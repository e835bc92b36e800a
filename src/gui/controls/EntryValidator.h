#pragma once
// Takes what is typed or pasted into a box as far as the box can hold it: the characters it has
// no use for are dropped from the new part, and what is left is cut where the box is full, so a
// long paste keeps its start rather than being refused whole. An edit of which nothing can be
// taken is refused, leaving the box as it was.

#include <QValidator>

#include <functional>

class QLineEdit;

namespace qz::gui {

class TEntryValidator : public QValidator {
public:
    // Whether a whole text may stand in the box.
    using TFits = std::function<bool(const QString& text)>;
    // The part of newly typed or pasted text that the box has use for.
    using TClean = std::function<QString(const QString& typed)>;

    TEntryValidator(QLineEdit* box, TFits fits, TClean clean);

    State validate(QString& input, int& pos) const override;

    // The box's own program texts (a value set, a formatted amount) are shown as they are:
    // a validator would otherwise cut them like a paste.
    void SetChecking(bool on) { Checking = on; }

private:
    bool Checking = true;
    TFits Fits;
    TClean Clean;
    // The text before the edit being checked.
    QString Before;
};

} // namespace qz::gui
