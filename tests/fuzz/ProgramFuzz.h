#pragma once
// The program's own readers under the fuzzer: a headless application, a private folder for
// the files a target writes, and (for readers that fill windows) the program started in a
// temporary program folder.
#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace fuzz {

inline QApplication& application() {
    static int argc = 1;
    static char name[] = "tezdesk_fuzz";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new QApplication(argc, argv);
    }();
    return *app;
}

inline const QString& folder() {
    static QTemporaryDir dir;
    static const QString path = dir.path();
    return path;
}

// Writes bytes to a file of the private folder and returns its path.
inline QString writeFile(const char* name, const uint8_t* data, size_t size) {
    const QString path = folder() + QLatin1Char('/') + QString::fromLatin1(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    return path;
}

inline QByteArray bytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

}  // namespace fuzz
