#pragma once
// The font dialog of the worksheet page: a family, a size from 6 to 20 points, bold and italic,
// and a sample.

#include <QDialog>
#include <QFont>

#include <optional>

class QCheckBox;
class QFontComboBox;
class QLabel;
class QListWidget;

namespace qz::gui {

class TFontPick : public QDialog {
    Q_OBJECT
public:
    static constexpr int MinSize = 6;
    static constexpr int MaxSize = 20;

    explicit TFontPick(const QFont& font, QWidget* parent = nullptr);

    // Runs the dialog modally: the chosen font after "OK", nothing after "Cancel".
    static std::optional<QFont> Pick(QWidget* parent, const QFont& font);

    QFont Chosen() const;

private:
    void ShowSample();

    QFontComboBox* FamilyBox;
    QListWidget* SizeList;
    QCheckBox* BoldBox;
    QCheckBox* ItalicBox;
    QLabel* SampleLabel;
};

} // namespace qz::gui
