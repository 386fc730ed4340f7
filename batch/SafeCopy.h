#pragma once
// The copy of a file of type other, written whole or not at all (CheckedFileWrite): the old
// output stays when the disk is full or the input changes while it is read. A new output
// gets the input's permissions less the umask, as cp gives it; an output it replaces keeps
// its own. Raises a RuntimeError naming the file when the input cannot be read, changed
// while it was read, or the output cannot be written.
#include <QByteArray>
#include <QString>

void CopyFileWhole(const QString& input, const QString& output);
// The same with native file names (bytes), for names the file-name encoding cannot show.
void CopyNativeFileWhole(const QByteArray& input, const QByteArray& output);
