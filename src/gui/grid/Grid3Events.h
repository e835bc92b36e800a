#pragma once
// The events through which the grid talks to its owner. The grid holds no data: it asks for the
// texts of every row it draws.

#include "ledger/Colour.h"

#include <QPoint>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qz::gui {

enum TRowState : int { rsNormal = 0, rsHighlighted = 1, rsDisabled = 2 };
enum TRowType : std::uint8_t { rtOrdinary = 0, rtOpeningBalance = 1, rtTransfer = 2 };
enum TSpecBtnKind : int { sbLock = 0, sbReset = 1 };

// The owner fills the slots of strList (always MaxCols strings of document text), enabled and
// rowType for the row `line`; rowColor is the owner's own business.
using TGetText = std::function<void(int line, std::vector<std::string>& strList, bool& enabled, std::uint8_t& rowType,
                                    TColour& rowColor)>;
using TGetRowColor = std::function<void(int row, TColour& rowColor)>;
using TColBtnClick = std::function<void(int colIndex)>;
using TRowBtnClick = std::function<void(int rowIndex)>;
using TBeforePopup = std::function<void(int recIndex)>;
using TShowPopup = std::function<void(int x, int y, int recIndex)>;
using TColumnSize = std::function<void(int column, int size)>;
using TSpecBtnClick = std::function<void(TSpecBtnKind btn)>;
using TAllowUnlock = std::function<void(bool& allowUnlock, QPoint glyphPoint)>;
using TNotifyEvent = std::function<void()>;
using TGetMaxColWidth = std::function<void(int& maxWidth)>;
using TGetTotalHint = std::function<QString(int slot)>;

} // namespace qz::gui
