#include "EntryValidator.h"

#include <QLineEdit>

#include <algorithm>

namespace qz::gui {

TEntryValidator::TEntryValidator(QLineEdit* box, TFits fits, TClean clean)
    : QValidator(box), Fits(std::move(fits)), Clean(std::move(clean)), Before(box->text()) {
    connect(box, &QLineEdit::textChanged, this, [this](const QString& text) { Before = text; });
}

QValidator::State TEntryValidator::validate(QString& input, int& pos) const {
    if (!Checking || Fits(input))
        return Acceptable;
    // The edit replaced the middle of the text before it: what lies between the common start and
    // the common end is the new part.
    const qsizetype shorter = std::min(Before.size(), input.size());
    qsizetype head = 0;
    while (head < shorter && Before[head] == input[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head && Before[Before.size() - 1 - tail] == input[input.size() - 1 - tail])
        ++tail;
    const QString start = input.left(head);
    const QString end = input.right(tail);
    QString kept = Clean(input.mid(head, input.size() - head - tail));
    while (!kept.isEmpty() && !Fits(start + kept + end))
        kept.chop(1);
    if (kept.isEmpty())
        return Invalid;
    input = start + kept + end;
    pos = static_cast<int>(head + kept.size());
    return Acceptable;
}

} // namespace qz::gui
