#pragma once
// The copy of a file of type other: written to a temporary file in the output folder, then
// renamed over the output, so the output is whole or untouched. Raises a RuntimeError naming
// the file when the input cannot be read or the output cannot be written.
#include <QString>

void CopyFileWhole(const QString& input, const QString& output);
