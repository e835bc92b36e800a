#pragma once
// The grid's own colours (not the columns'): background, buttons, the button strip, transfer
// rows. Palette and 16-colour displays use the plain system colours; richer displays shades.

#include "ledger/Colour.h"

namespace qz::gui {

struct TGrid3Colours {
    TColour Background = 0;
    TColour Button = 0;    // column buttons and the row buttons' default
    TColour HotButton = 0; // the column button under the mouse
    TColour Transfer = 0;  // transfer rows
    TColour StripBackground = 0;
    TColour StripButton = 0;
    TColour HintButton = 0; // the floating title of a dragged column
    // System colours the row states use, resolved to red-green-blue.
    TColour Highlight = 0;
    TColour HighlightText = 0;
    TColour BtnShadow = 0;
    TColour BtnHighlight = 0;

    static TGrid3Colours Make(bool lowColour);
};

} // namespace qz::gui
