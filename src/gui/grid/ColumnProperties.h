#pragma once
// The "Column Properties" window: the five worksheet views' columns, each shown or hidden,
// moved up or down, sized and coloured, on private copies that reach the worksheet only with
// "OK" or "Apply".

#include "worksheet/GridInfo.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTabBar;

namespace qz::gui {

class TGrid3;

class TColumnProperties : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 19000;
    static constexpr int NarrowestWidth = 20;

    // `sets` are the main window's five column sets; `customised` its mark that the worksheet
    // differs from the stored settings.
    TColumnProperties(std::array<TGridInfo, ViewCount>& sets, bool& customised, int activeTab, TColourClass colours,
                      QWidget* parent = nullptr);

    // Runs the window modally; answers whether the worksheet's columns were changed.
    static bool Edit(QWidget* parent, std::array<TGridInfo, ViewCount>& sets, bool& customised, int activeTab,
                     TColourClass colours, const std::function<void()>& repaintGrid);

    // "Apply" repaints the worksheet's grid through this.
    std::function<void()> OnRepaintGrid;
    // Some change reached the main window's sets.
    bool WorksheetChanged() const { return Applied; }

    // The private copy of a view's columns, and the selected column of the shown view.
    const TColumns& Copy(int view) const { return Sets[static_cast<std::size_t>(view)].ColInfo; }
    int View() const;
    int Selected() const;
    void SelectColumn(int index);

public slots:
    void OKBtnClick();
    void ApplyBtnClick();
    void ResetBtnClick();

private:
    TColProperty* Column();
    const TColProperty* MainColumn() const;
    void FillList();
    void ShowColumn();
    void ShowSample();
    void Changed();
    void MoveColumn(int step);
    void PickColour(bool text);
    void CopyToWorksheet();

    std::array<TGridInfo, ViewCount>& MainSets;
    bool& Customised;
    TColourClass Colours;
    std::array<TGridInfo, ViewCount> Sets;
    bool Unapplied = false;
    bool Applied = false;
    bool Filling = false;

    QTabBar* Tabs;
    QListWidget* ColumnList;
    QCheckBox* VisibleBox;
    QSpinBox* WidthBox;
    QPushButton* FontColourBtn;
    QPushButton* ColumnColourBtn;
    QPushButton* UpBtn;
    QPushButton* DownBtn;
    QPushButton* ApplyBtn;
    QPushButton* ResetBtn;
    TGrid3* SampleGrid;
    TGridInfo SampleInfo;
};

} // namespace qz::gui
