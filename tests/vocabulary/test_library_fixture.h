#pragma once
// The conversion library as the vocabulary tests set it up: an environment with the
// conversion tables installed with the build, or a statement that has none.
#include "core/mTezC.h"
#include "platform/CodePage.h"

#include <QDir>
#include <QString>

#include <cstdint>

// Loads the ten conversion tables of the build (TEZDESK_DATA_DIR) into env, by index.
inline void LoadConversionTables(int32_t env)
{
    static const char* const names[] = {"big5-gb.cct", "gb-big5.cct", "TD-TU.CCT", "SD-SU.CCT", "TD-SU.CCT",
                                        "SD-TU.CCT", "TU-SU.CCT", "SU-TU.CCT", "TU-TD.CCT", "SU-SD.CCT"};
    const QDir data(qEnvironmentVariable("TEZDESK_DATA_DIR"));
    for (int i = 0; i < 10; ++i)
        _TezLoadCCT(env, i, ToSystemCodePage(data.filePath(QString::fromLatin1(names[i]))).constData(), 0, 0);
}

// A new statement in a new environment without conversion tables: it can neither encode
// nor convert a term.
inline int32_t NewStatementWithoutTables()
{
    int32_t env = 0;
    int32_t stmt = 0;
    _TezCreateEnv(&env);
    _TezCreateStmt(env, &stmt, 1000);
    return stmt;
}
