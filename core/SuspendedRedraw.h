#pragma once
#include "platform/FlexGrid.h"

// Switches a grid's redrawing off for its lifetime and on again when it ends, also when a
// failure leaves the scope, so that a bulk change repaints the grid once.
class SuspendedRedraw {
public:
    explicit SuspendedRedraw(FlexGrid* grid) : m_grid(grid) { m_grid->setRedraw(false); }
    ~SuspendedRedraw() { m_grid->setRedraw(true); }
    SuspendedRedraw(const SuspendedRedraw&) = delete;
    SuspendedRedraw& operator=(const SuspendedRedraw&) = delete;

private:
    FlexGrid* m_grid;
};
