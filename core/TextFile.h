#pragma once
// Text files of the instant window. In a box, lines are separated by "\n"; in a file every
// line ends with CR LF (reading also takes CR alone and LF alone). A file's last line end
// closes its last line and adds no empty line to the text, so that opening a file and
// saving it again gives the same bytes.
#include <QByteArray>
#include <QString>

// How an 8-bit file was (or is to be) encoded.
enum class EightBitEncoding {
    CodePage,  // Big5 for Traditional text, GB (GB18030) for Simplified text
    Utf8,      // valid UTF-8 with non-ASCII content
    Utf8Bom,   // starts with the UTF-8 byte-order mark
};

// Reads a whole file; throws RuntimeError when it cannot be opened or read.
QByteArray ReadWholeFile(const QString& path);
// Writes a whole file, or leaves any file already at `path` untouched when that fails
// (the bytes go to a temporary file in the same folder that then replaces it); throws
// RuntimeError on failure.
void WriteWholeFile(const QString& path, const QByteArray& bytes);

// The encoding of 8-bit file content: UTF-8 when it starts with the UTF-8 mark or is
// valid UTF-8 with non-ASCII content, otherwise the code page.
EightBitEncoding DetectEightBitEncoding(const QByteArray& bytes);
// Decodes 8-bit file content: UTF-8 as detected, otherwise Big5 (big5 true) or GB.
QString DecodeEightBitText(const QByteArray& bytes, bool big5, EightBitEncoding* found = nullptr);
// Encodes text as 8-bit file content in the given encoding (the code page: Big5 or GB).
QByteArray EncodeEightBitText(const QString& text, bool big5, EightBitEncoding encoding);

// True when file content starts with a UTF-16 byte-order mark (FF FE or FE FF).
bool StartsWithUtf16Mark(const QByteArray& bytes);

// The UTF-16 text of a Unicode file's bytes after its two-byte mark (FE FF: big-endian;
// anything else: little-endian); an odd last byte is ignored; every U+0000 becomes a space.
QString DecodeUnicodeFileText(const QByteArray& bytes);

// File lines (CR LF, CR or LF) as box text: one "\n" per line end, the final line end dropped.
QString TextFromFileLines(const QString& text);
// Box text as file lines: every line, the last included, ends with CR LF.
QString FileLinesFromText(const QString& text);
