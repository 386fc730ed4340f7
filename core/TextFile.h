#pragma once
// Text files. In a box, lines are separated by "\n"; in a file every line ends with CR LF
// (reading also takes CR alone and LF alone). A file's last line end closes its last line
// and adds no empty line to the text, so that opening a file and saving it again gives the
// same bytes.
#include "core/TextEncoding.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Reads a whole file; throws RuntimeError when it cannot be opened or read.
QByteArray ReadWholeFile(const QString& path);
// Writes a whole file, or leaves any file already at `path` untouched when that fails: the
// bytes go to a temporary file in the same folder, every write, the flush to the disk and
// the close are checked, and only then does it replace the file. Throws RuntimeError on
// failure (errDiskFull when the disk is full).
void WriteWholeFile(const QString& path, const QByteArray& bytes);

// How a text file was read, so that saving the text it gave writes the same bytes: its
// encoding, the box text it gave, and the codes of that text's characters that the code
// page would write differently (positions in `text`).
struct TextFileOrigin {
    TextEncoding encoding = TextEncoding::Gb;
    QString text;
    QList<KeptCode> kept;
};

// A file's bytes as box text, in the encoding DetectTextEncoding finds (`preferred`: the
// code page the caller expects); *origin tells how to write it back.
QString TextFromFile(const QByteArray& bytes, TextEncoding preferred, TextFileOrigin* origin = nullptr);
// Box text as file bytes in origin's encoding. Characters outside the stretch where the
// text differs from origin's text are written with the codes they were read from.
QByteArray FileFromText(const QString& text, const TextFileOrigin& origin);

// True when file content starts with a UTF-16 byte-order mark (FF FE or FE FF).
bool StartsWithUtf16Mark(const QByteArray& bytes);

// The UTF-16 text of a Unicode file's bytes after its two-byte mark (FE FF: big-endian;
// anything else: little-endian); an odd last byte is ignored; every U+0000 becomes a space.
QString DecodeUnicodeFileText(const QByteArray& bytes);

// File lines (CR LF, CR or LF) as box text: one "\n" per line end, the final line end dropped.
QString TextFromFileLines(const QString& text);
// Box text as file lines: every line, the last included, ends with CR LF.
QString FileLinesFromText(const QString& text);
