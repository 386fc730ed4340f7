#pragma once
// The commands of the list windows that need a data row: the Edit, File and View menu items
// and the toolbar buttons that act on rows.
#include <QHash>
#include <QString>

class QAction;

// Enables or disables the row commands (a button missing from buttons is skipped); with rows,
// also enables saving the project.
void EnableRowCommands(bool rows, const QHash<QString, QAction*>& buttons);
