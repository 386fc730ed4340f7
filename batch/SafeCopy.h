#pragma once
// The copy of a file of type other, written whole or not at all (CheckedFileWrite): the old
// output stays when the disk is full or the input changes while it is read. A new output
// gets the input's permissions less the umask, as cp gives it; an output it replaces keeps
// its own. Raises a RuntimeError naming the file when the input cannot be read, changed
// while it was read, or the output cannot be written. Returns the input's permissions. With
// Flush::NewName the caller makes the output durable.
#include "core/CheckedFileWrite.h"

#include <QByteArray>
#include <QString>

int CopyFileWhole(const QString& input, const QString& output,
                   CheckedFileWrite::Flush flush = CheckedFileWrite::Flush::BeforeRename);
// The same with native file names (bytes), for names the file-name encoding cannot show.
int CopyNativeFileWhole(const QByteArray& input, const QByteArray& output,
                         CheckedFileWrite::Flush flush = CheckedFileWrite::Flush::BeforeRename);
