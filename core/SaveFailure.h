#pragma once
#include <QByteArray>
#include <QString>

// Tells the user that the file at path could not be saved and that the file already there
// is unchanged (message 1050 and the path, OK button, critical icon, under title).
void ShowSaveFailure(const QString& path, const QString& title);

// Writes a whole file (WriteWholeFile); on failure records it in the error log under
// procName, tells the user (ShowSaveFailure) and returns false.
bool SaveWholeFile(const QString& path, const QByteArray& bytes, const QString& procName, const QString& title);
