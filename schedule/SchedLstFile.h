#pragma once
// Sched.lst in the program folder: one line per schedule row in the system code page, each
// ended by CR LF, no header; an empty list is an empty file.
#include "schedule/ScheduleRow.h"

#include <QList>
#include <QString>

QString SchedLstPath();

// The rows of the file; throws RuntimeError when it cannot be opened or read.
QList<ScheduleRow> ReadSchedLst(const QString& path);
// Writes the rows as the whole file; on a failure the file on disk stays as it was and
// RuntimeError is thrown.
void WriteSchedLst(const QString& path, const QList<ScheduleRow>& rows);
