#pragma once
// The account bar below the grid: one button per account in its own colour, pressed while the
// account is selected; "All" selects every account and "Accounts" opens the accounts editor.
// The account buttons scroll between two arrows when they do not fit.

#include "worksheet/WorksheetFilters.h"

#include <QRect>
#include <QWidget>

#include <functional>
#include <vector>

namespace qz::gui {

class TKQBookBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int BarHeight = 24;

    explicit TKQBookBar(QWidget* parent = nullptr);

    // Names are document text; the bar shows the pressed states as given until the next call.
    void SetButtons(const std::vector<qz::TAccountButton>& buttons);
    // "All" is enabled only while not every account is selected.
    void SetAllEnabled(bool enabled);
    bool AllEnabled() const { return AllButtonEnabled; }
    // "Accounts" works only where the accounts editor can open.
    void SetAccountsEnabled(bool enabled);
    bool AccountsEnabled() const { return AccountsButtonEnabled; }

    // A click on account button `index` (in list order): it alone is selected; with Ctrl held it is
    // added to the selection, or taken out of it when it was selected (never the last one).
    std::function<void(int index, bool ctrlHeld)> OnAccountClick;
    std::function<void()> OnAllClick;
    std::function<void()> OnAccountsClick;

    int ButtonCount() const { return static_cast<int>(Buttons.size()); }
    // Where account button `index` shows; empty while it is scrolled out of view.
    QRect AccountButtonRect(int index) const;
    QRect AllButtonRect() const;
    QRect AccountsButtonRect() const;
    // The scroll arrows show only while the account buttons do not fit.
    bool ArrowsVisible() const;
    QRect LeftArrowRect() const;
    QRect RightArrowRect() const;
    // The first account button in view.
    int FirstVisible() const { return First; }
    // Scrolls by whole buttons; no further than the last button allows.
    void ScrollBy(int buttons);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The hint of what is under `point`: what a click (and a Ctrl+click) on it does; the bar's own
    // hint between the buttons.
    QString HintAt(const QPoint& point) const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // What is under a point: an account button (0...), or one of the fixed parts.
    enum TPart { NoPart = -1, AllPart = -2, AccountsPart = -3, LeftArrowPart = -4, RightArrowPart = -5 };

    struct TButton {
        QString Caption;
        QColor Colour;
        bool Pressed = false;
        int Width = 0;
    };

    QFont CaptionFont(bool pressed) const;
    int ButtonWidth(const QString& caption) const;
    int TotalButtonsWidth() const;
    // The strip between "All" and the arrows (or "Accounts") that the account buttons scroll in.
    QRect AccountArea() const;
    int LastFirst() const;
    int PartAt(const QPoint& point) const;
    bool PartEnabled(int part) const;
    void ClampFirst();
    void PaintButton(QPainter& painter, const QRect& rect, const QString& caption, const QColor& face,
                     const QColor& ink, bool sunken, bool enabled, bool bold) const;
    void PaintArrow(QPainter& painter, const QRect& rect, bool left, bool sunken, bool enabled) const;

    std::vector<TButton> Buttons;
    bool AllButtonEnabled = true;
    bool AccountsButtonEnabled = true;
    int First = 0;
    int PressedPart = NoPart;
};

} // namespace qz::gui
