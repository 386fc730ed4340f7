#pragma once
// The folder the file and folder choosers open in: the one the user last chose a file or
// a folder in while the program runs, the user's home before that.
#include <QString>

QString LastUsedFolder();
// Remembers a chosen folder (of a chosen file: its folder).
void RememberUsedFolder(const QString& folder);
