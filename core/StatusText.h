#pragma once
#include <QString>

// Sets the text of the first panel of the main window's status bar.
void SetStatusText(const QString& text);
