#pragma once
// The real file and folder dialogs behind the modal seam.
#include "platform/Modal.h"

// Converts a "description|pattern|..." filter into Qt name filters.
QStringList QtNameFilters(const QString& filter);

modal::Answer ShowRealFileDialog(const modal::Request& request);
