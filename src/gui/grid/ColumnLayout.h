#pragma once
// Where the visible columns lie in the grid's pictures, left to right.

#include "worksheet/GridInfo.h"

#include <vector>

namespace qz::gui {

struct TColumnBox {
    const TColProperty* Column = nullptr;
    int VisibleIndex = 0;
    int Left = 0;
    int Width = 0;
    int Right() const { return Left + Width; }
};

inline std::vector<TColumnBox> LayoutColumns(const TColumns& columns) {
    std::vector<TColumnBox> boxes;
    int left = 0;
    for (const TColProperty& column : columns.Items) {
        if (!column.Visible)
            continue;
        boxes.push_back({&column, static_cast<int>(boxes.size()), left, column.Width});
        left += column.Width;
    }
    return boxes;
}

} // namespace qz::gui
