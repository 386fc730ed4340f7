#pragma once
// Lines of a project file: fields separated by ",", text fields in double quotes, numbers
// bare. A double quote inside a text field is written twice (""), which files without such
// a character never contain, so every older project file reads unchanged; a comma inside
// the quotes belongs to the text.
#include <QString>
#include <QStringList>

// A text field: the text in double quotes, inner quotes doubled.
QString ProjectText(const QString& text);
// A number field.
QString ProjectNumber(qint64 value);
// Joins fields (already written with the two functions above) into one line.
QString ProjectLine(const QStringList& fields);

// Splits a line into its field values: quotes removed and doubled quotes made single in
// text fields; blanks around bare fields removed.
QStringList ParseProjectLine(const QString& line);
