#pragma once
// The one rule by which the program decides how a text file is encoded (the instant
// window's files, vocabulary tables, import files and the batch runs use it alike).
#include "core/TextEncoding.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The encoding of a text file's bytes:
// 1. a byte-order mark decides (EF BB BF UTF-8, FF FE UTF-16 LE, FE FF UTF-16 BE);
// 2. text without bytes above 7F and without NUL reads alike in every encoding: `preferred`;
// 3. NUL bytes mostly on odd (even) positions: UTF-16 LE (BE) without a mark;
// 4. otherwise the detector (uchardet) answers; its answer stands when it is UTF-8, GB18030
//    (or GB2312/GBK) or Big5, the bytes decode in it without a replacement character, and
//    the text holds at least 64 bytes above 7F;
// 5. for shorter or ambiguous input each of UTF-8, GB and Big5 reads the bytes, and the
//    reading wins that has no replacement character, then the fewest characters outside
//    Chinese script, then the most common ideographs (GB2312 level 1 for GB, the Big5
//    frequent set A440..C67E for Big5, either for UTF-8), then the most CJK ideographs;
//    a tie goes to `preferred`, then to the detector's answer, then to UTF-8, GB, Big5.
// `preferred` is the code page the caller expects (Gb or Big5).
TextEncoding DetectTextEncoding(const QByteArray& bytes, TextEncoding preferred = TextEncoding::Gb);

// The text of a file's bytes in the encoding DetectTextEncoding finds (stored in *found).
QString DecodeDetectedText(const QByteArray& bytes, TextEncoding preferred = TextEncoding::Gb,
                           TextEncoding* found = nullptr);

// Whether Chinese text is written in Traditional script: its common ideographs that only
// the Big5 frequent set holds outnumber those that only GB2312 level 1 holds (true), or the
// other way round (false); nullopt when neither does.
std::optional<bool> IsTraditionalText(const QString& text);
