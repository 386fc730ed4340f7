#pragma once
// The conversion tables the build generates (TEZDESK_DATA_DIR), by the library's table index.
#include <QDir>
#include <QString>

namespace generated_tables {

inline const char* const kTableNames[10] = {"big5-gb.cct", "gb-big5.cct", "TD-TU.CCT", "SD-SU.CCT", "TD-SU.CCT",
                                            "SD-TU.CCT", "TU-SU.CCT", "SU-TU.CCT", "TU-TD.CCT", "SU-SD.CCT"};

inline QString dataDir() { return qEnvironmentVariable("TEZDESK_DATA_DIR"); }
inline QString tablePath(int index) { return QDir(dataDir()).filePath(QString::fromLatin1(kTableNames[index])); }

}  // namespace generated_tables
