#pragma once

#include "CoordGrid.h"

#include <QString>

// What the sketch map reads from the window that shows a registration: its two
// coordinate grids as they stand (unsaved edits included) and the map rectangle.
class AreaMapSource
{
public:
    virtual ~AreaMapSource() = default;

    // Grid 0 (the overlaid mining-area range) or 1 (the overlaid reserve range);
    // nullptr when the window has no such grid.
    virtual const CoordGrid* mapGrid(int index) const = 0;
    // The map rectangle "(left,top)-(right,bottom)" in twips of the coordinate page.
    virtual QString mapRectText() const = 0;
};
