#pragma once
// The database window's parts of the project: in the project file, once the window was
// loaded, the line "DBCONV" with the path of the side file, which holds the window's combos,
// its source connection and databases and its table list (core/ProjectDBList.h).
#include "core/ProjectDBList.h"
#include "core/ProjectPart.h"

std::unique_ptr<ProjectPart> DBProjectPart();
// The side-file part; it lives as long as the program.
ProjectSideFilePart& DBSideFilePart();
