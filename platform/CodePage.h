#pragma once
// The program's 8-bit code pages. The system's Chinese double-byte code page is GB18030
// (it reads and writes every GB byte sequence and holds every Unicode character);
// Traditional 8-bit text is Big5 in its code page 950 flavour, its user-defined rows
// mapped to the private-use area (platform/Big5UserArea.h).
#include <QByteArray>
#include <QList>
#include <QString>

// A character of decoded 8-bit text whose bytes are not what encoding it again gives: a
// second code of the same character (Big5 F9F9 and A2A4 are both U+2550, GB 80 and A2E3
// both €), or bytes the code page does not define (decoded as U+FFFD).
struct KeptCode {
    qsizetype position = 0;  // of the character in the text, in UTF-16 units
    qsizetype length = 1;    // of the character, in UTF-16 units
    QByteArray bytes;        // its bytes in the file

    bool operator==(const KeptCode&) const = default;
};

// Decodes GB18030 (GB 80 is €); bytes that start no character become U+FFFD. With kept,
// also lists every character whose bytes ToGB would not give back.
QString FromGB(const QByteArray& bytes, QList<KeptCode>* kept = nullptr);
// Encodes as GB18030; kept codes (sorted by position) are written in place of their characters.
QByteArray ToGB(const QString& text, const QList<KeptCode>& kept = {});

// The same for Big5. Characters Big5 cannot hold become "?".
QString FromBig5(const QByteArray& bytes, QList<KeptCode>* kept = nullptr);
QByteArray ToBig5(const QString& text, const QList<KeptCode>& kept = {});

// The system code page: what 8-bit files, logs and library texts use.
inline QByteArray ToSystemCodePage(const QString& text) { return ToGB(text); }
inline QString FromSystemCodePage(const QByteArray& bytes) { return FromGB(bytes); }
