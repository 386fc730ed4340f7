#pragma once
// Converts many texts at once with the shared conversion parameters (one library call for
// all of them), without a separator that can occur in the texts.
#include <QStringList>

// The texts converted, in order. A text whose conversion failed (an empty result for a
// non-empty text) is kept as it was and counted in failures.
QStringList ConvertTexts(const QStringList& texts, int& failures);
