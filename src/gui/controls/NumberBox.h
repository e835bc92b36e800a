#pragma once
// A box for an amount or a whole number, with a button inside its right edge that opens the number
// pad above it. Amounts are positive: the box takes digits and one regional decimal separator
// with at most two decimals, and no minus sign; a paste keeps what the box can hold. Leaving the
// box, or closing the number pad opened on it, shows the amount with two decimals ("110" becomes
// "110.00") and raises OnExit, the moment the owner's exit rule runs. A click that brings the
// focus in selects the whole amount, as the Tab key does, so that typing replaces "0.00" instead
// of landing in front of it.

#include "ButtonEdit.h"
#include "ledger/Money.h"

#include <QPointer>

#include <cstdint>
#include <functional>

namespace qz::gui {

class TEntryValidator;
class TNumberPad;

enum class TNumberKind {
    Currency, // an amount: two decimals, the regional decimal separator
    Digits,   // a whole number such as a transaction number: digits only
};

class TNumberBox : public TButtonEdit {
    Q_OBJECT
public:
    static constexpr int CurrencyLength = 12;
    static constexpr int DigitsLength = 9;

    explicit TNumberBox(TNumberKind kind = TNumberKind::Currency, QWidget* parent = nullptr);

    TNumberKind Kind() const { return BoxKind; }

    // The most characters the box takes. An amount keeps room for its separator and two
    // decimals, so that the amount shown on leaving fits as well.
    void SetMaxLength(int length);
    int MaxLength() const { return Max; }
    // An amount box that also takes amounts below zero, typed with a leading "-" (a balance
    // may be overdrawn). Off at first.
    void SetSigned(bool on) { Signed = on; }

    // The amount shown (a whole number as units); an empty box reads 0. A value set by the program
    // and not touched since reads back exactly, even where it has more than two decimals.
    Money Value() const;
    void SetValue(Money value);
    // The whole number of a Digits box.
    std::int64_t Number() const;

    // The locked look of the owner's window: filled with `fill` while locked, the normal look
    // (pale while disabled) otherwise.
    void SetLockedLook(bool locked, const QColor& fill = QColor());

    // Opens the number pad over the box with the box's text selected, as the button does.
    TNumberPad* OpenPad();
    TNumberPad* Pad() const { return OpenedPad; }

    // The user left the box, or closed the number pad opened on it.
    std::function<void()> OnExit;

protected:
    void ButtonClick() override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool Fits(const QString& text) const;
    void ShowText(const QString& text);
    void Leave();
    QString ValueText(Money value) const;

    TNumberKind BoxKind;
    int Max;
    bool Signed = false;
    TEntryValidator* Checker;
    QPointer<TNumberPad> OpenedPad;
    Money Given;
    bool Edited = false;
    bool Showing = false;
    bool SelectOnRelease = false;
};

} // namespace qz::gui
