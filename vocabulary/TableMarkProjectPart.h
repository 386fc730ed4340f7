#pragma once
// The project part of the vocabulary manager: the number of tables in the header, and one
// line per table of its list (position, path, "MASK_PCT_SELECT" on the current table, the
// row word). Reading makes the marked table current again, found by its path.
#include "core/ProjectPart.h"

std::unique_ptr<ProjectPart> TableMarkProjectPart();
