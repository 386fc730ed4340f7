#pragma once
// What the file-type question offers first for a text file, and what a choice would lose.
#include <QByteArray>
#include <QString>

// The file-type answer (1 Big5, 2 Traditional Unicode, 3 GB, 4 Simplified Unicode) that
// fits the file's bytes: the code page the detector finds, or for UTF-8 and UTF-16 text
// the box of its script; 1 when nothing tells (text without bytes above 7F, no script).
int GuessFileType(const QByteArray& bytes);

// Why opening the bytes with the answer would lose text (a Unicode answer for a file that
// is not UTF-16, characters the box's code page cannot hold); empty when nothing is lost.
QString FileTypeLoss(const QByteArray& bytes, int type);
