#pragma once
// The up and down arrows beside a percentage box: each click steps the box by 0.1, down only
// while it is above 0 and up only while it is below 99.9 (never past the box's maximum), and then
// raises OnClick. Held down, an arrow repeats; the Up and Down keys in the box step it as well.

#include <QWidget>

#include <functional>

class QToolButton;

namespace qz::gui {

class TPercentBox;

class TPercentUpDown : public QWidget {
    Q_OBJECT
public:
    explicit TPercentUpDown(TPercentBox* box, QWidget* parent = nullptr);

    QToolButton* UpButton() const { return Up; }
    QToolButton* DownButton() const { return Down; }

    // As high as the box, to stand beside it.
    QSize sizeHint() const override;

    // Steps the box one click up (+1) or down (-1); false when it is at its bound.
    bool Step(int direction);

    // After an arrow stepped the box.
    std::function<void()> OnClick;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Click(int direction);

    TPercentBox* Box;
    QToolButton* Up;
    QToolButton* Down;
};

} // namespace qz::gui
