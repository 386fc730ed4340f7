#pragma once
// The encodings of text files: the two code pages, UTF-8 with and without its mark, and
// UTF-16 in either byte order (always with its mark).
#include "platform/CodePage.h"

#include <QByteArray>
#include <QList>
#include <QString>

enum class TextEncoding {
    Gb,       // GB18030
    Big5,     // Big5, code page 950
    Utf8,     // UTF-8 without a mark
    Utf8Bom,  // UTF-8 after EF BB BF
    Utf16Le,  // UTF-16 after FF FE
    Utf16Be,  // UTF-16 after FE FF
};

// True for the two 8-bit code pages.
bool IsCodePage(TextEncoding encoding);

// The encoding a byte-order mark at the start of bytes names; Gb when there is none.
TextEncoding MarkedEncoding(const QByteArray& bytes, bool* marked = nullptr);

// The text of bytes in the encoding, without the mark; bytes the encoding does not define
// become U+FFFD. For a code page, kept receives the characters whose bytes would not come
// back on encoding (platform/CodePage.h); an odd last byte of UTF-16 is dropped.
QString DecodeText(const QByteArray& bytes, TextEncoding encoding, QList<KeptCode>* kept = nullptr);
// The bytes of text in the encoding, with its mark; kept codes are written in place of
// their characters (code pages only). A code page writes "?" for what it cannot hold.
QByteArray EncodeText(const QString& text, TextEncoding encoding, const QList<KeptCode>& kept = {});
