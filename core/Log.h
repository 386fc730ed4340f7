#pragma once
// The run log, the error log and their writers.
#include <QString>

// Run-log switch: off from start-up; the run log is written only while it is on.
extern bool gbRunLog;
// Run-log and error-log paths (program folder, program name, ".LOG" / ".ERR").
extern QString gsLogFile;
extern QString gsErrFile;

// "YYYY-MM-DD HH:MM:SS => text" with the current time: a run-log line without its line break.
QString TimeStamped(const QString& text);
// Appends TimeStamped(text) to the given file (default gsLogFile) while gbRunLog is on.
void WriteLog(const QString& text, const QString& file = QString());
// Appends the text and CR LF to the file, always.
void WriteTEXT(const QString& text, const QString& file);

// Error-log writers: call them inside the catch block of a trapping procedure (the failure
// in flight is recorded) or after Err() was set. ErrorLog beeps; ErrorLogQuiet does not;
// ErrorLogAsk beeps, then asks whether to go on and returns vbYes or vbNo.
void ErrorLog(const QString& procName);
void ErrorLogQuiet(const QString& procName);
int ErrorLogAsk(const QString& procName);

// The record of lines 2 to 6 for the current failure (without the time line).
QString ErrorRecordBody(const QString& procName, int number, const QString& description);

// Delete the run log / error log when larger than limitKB * 1024 bytes.
void CheckLogFileSize(int limitKB = 100);
void CheckErrFileSize(int limitKB = 100);
