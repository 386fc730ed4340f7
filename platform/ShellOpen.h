#pragma once
#include <QString>

// Opens a file or a URL in the application the desktop associates with it.
bool ShellOpen(const QString& pathOrUrl);
