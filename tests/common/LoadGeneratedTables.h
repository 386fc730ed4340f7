#pragma once
// Loads the build's ten conversion tables into an environment through the program's binding.
#include "common/GeneratedTables.h"
#include "core/mTezC.h"
#include "platform/CodePage.h"

inline void LoadGeneratedTables(int32_t env)
{
    for (int i = 0; i < 10; ++i)
        _TezLoadCCT(env, i, ToSystemCodePage(generated_tables::tablePath(i)).constData(), 0, 0);
}
