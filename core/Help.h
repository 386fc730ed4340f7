#pragma once
// The user help: an HTML page kept in the program folder.
#include <QString>

// The help page: the program folder's copy, or the one installed with the program when the
// program folder has none.
QString HelpFilePath();
