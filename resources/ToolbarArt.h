#pragma once
// Drawings of the toolbar icons and the program icon, on a 32-unit grid.
#include <QPainter>
#include <QString>

using IconPainting = void (*)(QPainter&);

// The drawing of the toolbar button with this key; nullptr when the key has none.
IconPainting FindToolbarPainting(const QString& key);

// The picture of a button whose key has no drawing of its own.
void PaintGenericIcon(QPainter& p);

// The program's own icon.
void PaintProgramIcon(QPainter& p);
