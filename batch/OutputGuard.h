#pragma once
// The check every run makes before it writes an output file (file rows, folder trees, and
// with them every route: text, HTML, office documents, copies).
#include <QString>

// Raises a RuntimeError naming the output when the run may not write over it
// (OutputReplaceRefusal, with the program folder and the output settings folder allowed).
void CheckOutputReplaceable(const QString& output);
