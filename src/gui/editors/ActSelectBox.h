#pragma once
// TActSelectBox, the selection box of the selection dialogs: a title, rows of a number and a
// name with a tick each, one highlighted row in the box's colours, and the select-all and
// unselect-all commands (buttons below the rows and the box's context menu).

#include <QWidget>

#include <vector>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;
class QToolButton;

namespace qz::gui {

class TActSelectBox : public QWidget {
    Q_OBJECT
public:
    struct TRow {
        QString Number;
        QString Name;
        bool Ticked = false;
    };

    // `numbers`: whether the "No." column shows (50 pixels wide).
    TActSelectBox(const QString& title, const QString& nameColumn, bool numbers, QWidget* parent = nullptr);

    void SetRows(const std::vector<TRow>& rows);
    void SetTicks(const std::vector<bool>& ticks);
    void SetTicked(int row, bool on);
    bool Ticked(int row) const;
    int RowCount() const;
    int Highlighted() const;
    void SetHighlighted(int row);
    void ClearHighlight();
    // The highlighted row's colours.
    void SetColours(const QColor& background, const QColor& text);
    // Whether ticks are taken (the rows stay readable either way).
    void SetTicksEnabled(bool on);
    bool TicksEnabled() const { return TicksOn; }
    // The rows' control, for the tests and the screenshots.
    QTreeWidget* Rows() const { return List; }

signals:
    // The user ticked or unticked a row.
    void TickChanged(int row, bool on);
    void HighlightChanged(int row);
    // The select-all (true) or unselect-all (false) command.
    void AllTicked(bool on);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowMenu(const QPoint& at);

    QLabel* Title;
    QTreeWidget* List;
    QToolButton* AllBtn;
    QToolButton* NoneBtn;
    bool Filling = false;
    bool TicksOn = true;
};

} // namespace qz::gui
