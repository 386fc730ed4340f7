#pragma once
#include <QByteArray>
#include <QString>

class RuntimeError;

// Tells the user that the file at path could not be saved and that the file already there
// is unchanged (message 1050 and the path, OK button, critical icon, under title); a reason
// the system gave follows on a line of its own.
void ShowSaveFailure(const QString& path, const QString& title, const QString& reason = QString());

// Why a write of path failed, as the error says it, without the path.
QString WriteFailureReason(const RuntimeError& error, const QString& path);

// Writes a whole file (WriteWholeFile); on failure records it in the error log under
// procName, tells the user why (ShowSaveFailure) and returns false.
bool SaveWholeFile(const QString& path, const QByteArray& bytes, const QString& procName, const QString& title);
