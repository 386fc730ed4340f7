#pragma once
// Small file and system helpers shared by the whole program.
#include <QByteArray>
#include <QString>

class QIODevice;

// The text's UTF-16LE code units as raw bytes, then the single bytes 13 and 10.
QByteArray StrCodeLine(const QString& text);
// Appends StrCodeLine(text) to the file.
void WriteStrCode(const QString& text, const QString& path);
// Reads one line written by WriteStrCode from an open file, unit by unit up to the units'
// line end; false at end of file.
bool ReadLine(QIODevice& file, QString& line);

// Text before the last "\" or "/"; empty (and an error record) when there is none.
QString GetPath(const QString& path);
// Text after the last "\" or "/"; the whole text when there is none.
QString GetFileName(const QString& path);
// Text before the last "."; unchanged when there is none.
QString GetFileNameNoExt(const QString& name);

// Whether two paths name the same file as the file system sees it: the same text, or one
// file reached by two paths. Letter case counts where the file system lets it count.
bool SameFilePath(const QString& a, const QString& b);

void SleepSeconds(float seconds);

QString GetLoginUserName();
QString GetThisComputerName();
