#pragma once
// Whether an extension text as the user types it (one pattern per line, or any separators the
// extension parser accepts) names at least one extension. A blank text, or one of separators
// only, names none and would leave no file counted as a web page.
#include <QString>

bool ExtTextHasExtension(const QString& text);
