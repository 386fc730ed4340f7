#pragma once
// Lines of a project file: fields separated by ",", text fields in double quotes, numbers
// bare. A double quote inside a text field is written twice (""), which files without such
// a character never contain, so every older project file reads unchanged; a comma inside
// the quotes belongs to the text.
// A text holding a control character (a tab, a line feed) is written as an escaped field
// instead, E"...", in which \t \n \r \\ \" and \xHH stand for those characters: the line
// stays one line, and since older files never begin a field with E" they read as before.
#include <QString>
#include <QStringList>

// A text field: the text in double quotes, inner quotes doubled; the escaped form when the
// text holds a control character.
QString ProjectText(const QString& text);
// A number field.
QString ProjectNumber(qint64 value);
// Joins fields (already written with the two functions above) into one line.
QString ProjectLine(const QStringList& fields);

// Splits a line into its field values: quotes removed and doubled quotes made single in
// text fields, escaped fields decoded; blanks around bare fields removed.
QStringList ParseProjectLine(const QString& line);
