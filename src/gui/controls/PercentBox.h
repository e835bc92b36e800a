#pragma once
// An edit for a percentage or an amount: digits and the regional decimal separator, read and
// shown as money-typed values (10 % is 10.0000), never above its maximum. A value the user has
// not touched reads back exactly as it was given, whatever the two decimals shown.

#include "ledger/Money.h"

#include <QLineEdit>

#include <functional>

namespace qz::gui {

class TPercentBox : public QLineEdit {
public:
    // `maximum` bounds what may be typed; `negative` lets a minus sign in (amounts).
    explicit TPercentBox(Money maximum, QWidget* parent = nullptr, bool negative = false);

    Money Value() const;
    void SetValue(Money value);
    Money Maximum() const { return Max; }

    std::function<void()> OnChange;

private:
    Money Max;
    Money Given;
    bool Edited = false;
    QString Accepted;
};

} // namespace qz::gui
