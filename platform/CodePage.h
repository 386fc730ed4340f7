#pragma once
// The program's 8-bit code pages. The system's Chinese double-byte code page is GB18030
// (it reads and writes every GB byte sequence and holds every Unicode character);
// Traditional 8-bit text is Big5 in its code page 950 flavour.
#include <QByteArray>
#include <QString>

QByteArray ToGB(const QString& text);
QString FromGB(const QByteArray& bytes);

// Characters Big5 cannot hold become "?".
QByteArray ToBig5(const QString& text);
QString FromBig5(const QByteArray& bytes);

// The system code page: what 8-bit files, logs and library texts use.
inline QByteArray ToSystemCodePage(const QString& text) { return ToGB(text); }
inline QString FromSystemCodePage(const QByteArray& bytes) { return FromGB(bytes); }
