#pragma once
// The outcome of a run over a file grid, read from its rows afterwards: succeeded when every
// data row carries the processed mark and none the failure text ".".
#include "core/RunOutcome.h"

class FlexGrid;

RunOutcome RowsOutcome(FlexGrid* grid);
