#include "PercentBox.h"

#include "ledger/MoneyFormat.h"
#include "platform/LocaleSettings.h"
#include "platform/TextCodec.h"

#include <QRegularExpressionValidator>

namespace qz::gui {

namespace {

char DecimalSeparator() {
    return RegionalSettingsOf().DecimalSeparator;
}

} // namespace

TPercentBox::TPercentBox(Money maximum, QWidget* parent, bool negative) : QLineEdit(parent), Max(maximum) {
    const QString separator = QRegularExpression::escape(QString(QChar(DecimalSeparator())));
    const QString sign = negative ? QStringLiteral("-?") : QString();
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("%1\\d{0,9}(%2\\d{0,2})?").arg(sign, separator)), this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        const std::optional<Money> typed = ParseMoneyText(ToDocument(text), DecimalSeparator());
        // Beyond the maximum: the text stays as it was.
        if (typed && *typed > Max) {
            const QSignalBlocker quiet(this);
            setText(Accepted);
            return;
        }
        Accepted = text;
        Edited = true;
        if (OnChange)
            OnChange();
    });
}

Money TPercentBox::Value() const {
    if (!Edited)
        return Given;
    return ParseMoneyText(ToDocument(text()), DecimalSeparator()).value_or(Money());
}

void TPercentBox::SetValue(Money value) {
    {
        const QSignalBlocker quiet(this);
        Accepted = FromDocument(FormatNumber2(value, DecimalSeparator(), '\0', false));
        setText(Accepted);
    }
    Given = value;
    Edited = false;
    if (OnChange)
        OnChange();
}

} // namespace qz::gui
