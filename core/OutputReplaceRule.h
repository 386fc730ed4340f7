#pragma once
// Which existing files a run may write over. A project or side file may come from someone
// else, and the scheduler runs projects unattended: a run never replaces a file that is
// hidden or lies in a hidden folder, is executable, or lies outside the user's home and the
// temporary folder. Inside the folders a caller names (the program folder, the output
// settings folder) only the executable rule holds. Files that do not exist yet may always
// be written.
#include <QString>
#include <QStringList>

// Why the run may not write over the file at path, naming it; empty when it may. Symbolic
// links are followed: a link is judged by what it points at as well as by itself.
QString OutputReplaceRefusal(const QString& path, const QStringList& allowedFolders);
