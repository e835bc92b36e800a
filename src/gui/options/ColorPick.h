#pragma once
// The palette colour picker ("Colour Selector") of the column properties window in 256-colour
// mode: the program's 256 palette entries as 16 rows of 16 boxes, chosen by a click or the
// arrow keys, with a sample of the chosen entry.

#include <QDialog>

#include <functional>

#include <optional>

namespace qz::gui {

// The boxes: entry i in row i / 16 and column i % 16.
class TPaletteBoxes : public QWidget {
    Q_OBJECT
public:
    static constexpr int BoxSize = 16;
    static constexpr int Spacing = 4;
    static constexpr int GridSize = 325;

    explicit TPaletteBoxes(QWidget* parent = nullptr);

    int Chosen() const { return Index; }
    void SetChosen(int index);
    // The box of an entry, in the widget's coordinates.
    static QRect BoxRect(int index);
    // The entry under a point; -1 between the boxes.
    static int EntryAt(QPoint point);

    std::function<void(int)> OnChange;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int Index = 0;
};

class TColorPick : public QDialog {
    Q_OBJECT
public:
    explicit TColorPick(int index, QWidget* parent = nullptr);

    // Runs the picker modally on `index`: the chosen entry after "&OK", nothing after "&Cancel".
    static std::optional<int> Pick(QWidget* parent, int index);

    int Chosen() const { return Boxes->Chosen(); }
    TPaletteBoxes* PaletteBoxes() const { return Boxes; }
    QWidget* Sample() const { return SampleBox; }

private:
    TPaletteBoxes* Boxes;
    QWidget* SampleBox;
};

} // namespace qz::gui
