#pragma once
// Files and folders dragged from the desktop onto a control.
#include <QStringList>

class QMimeData;

// The native paths of the local files and folders the data carries; empty for anything else.
QStringList DroppedFiles(const QMimeData* data);
