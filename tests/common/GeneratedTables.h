#pragma once
// The conversion tables the build generates (TEZDESK_DATA_DIR), by the library's table index.
#include <QDir>
#include <QFileInfo>
#include <QString>

#include <cstdio>
#include <cstdlib>

namespace generated_tables {

inline const char* const kTableNames[10] = {"big5-gb.cct", "gb-big5.cct", "TD-TU.CCT", "SD-SU.CCT", "TD-SU.CCT",
                                            "SD-TU.CCT", "TU-SU.CCT", "SU-TU.CCT", "TU-TD.CCT", "SU-SD.CCT"};

// The folder of the generated tables. A test cannot mean anything without them: when one is
// missing the run stops here, saying which file and where it was looked for.
inline QString dataDir()
{
    const QString dir = qEnvironmentVariable("TEZDESK_DATA_DIR");
    static QString checked;
    if (checked == dir && !dir.isEmpty())
        return dir;
    for (const char* name : kTableNames) {
        const QString path = QDir(dir).filePath(QString::fromLatin1(name));
        if (!QFileInfo::exists(path)) {
            std::fprintf(stderr, "The conversion table %s is missing (TEZDESK_DATA_DIR=\"%s\"): build the project first "
                                 "or point TEZDESK_DATA_DIR at the folder of the generated tables.\n",
                         qPrintable(path), qPrintable(dir));
            std::exit(2);
        }
    }
    checked = dir;
    return dir;
}
inline QString tablePath(int index) { return QDir(dataDir()).filePath(QString::fromLatin1(kTableNames[index])); }

}  // namespace generated_tables
