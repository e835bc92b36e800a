#pragma once
// The two switches below the grid, one excluding the other: "Include unreconciled" /
// "Exclude unreconciled" on the Transactions tab, "Excluding " / "Including " and the tax name on
// the others. The switch that is down shows in its own colour with white text.

#include "worksheet/Worksheet.h"

#include <QAbstractButton>
#include <QWidget>

#include <array>
#include <functional>

namespace qz::gui {

class TToggleSwitchPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int PanelHeight = 26;

    explicit TToggleSwitchPanel(QWidget* parent = nullptr);

    // Captions (document text), places and which switch is down, without raising OnSwitchDown.
    void SetSwitches(const qz::TToggleSwitches& switches);
    int Down() const { return DownIndex; }

    // The user pressed the switch that was up (0 or 1); it is down now.
    std::function<void(int which)> OnSwitchDown;

    QAbstractButton* Switch(int which) const;
    // The panel's background around the switches (the grid's background colour).
    void SetPanelColour(const QColor& colour);

    QSize sizeHint() const override;

private:
    void SwitchClicked(int which);
    void ShowDown();

    std::array<QAbstractButton*, 2> Switches{};
    int DownIndex = 0;
    QColor DownColour = Qt::blue;
};

} // namespace qz::gui
