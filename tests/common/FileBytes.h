#pragma once
// Whole-file reads and writes for test fixtures.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

// The file's bytes; empty when it cannot be read.
inline QByteArray ReadFileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Creates or replaces the file with these bytes; fails the running test when it cannot.
inline void WriteFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}
