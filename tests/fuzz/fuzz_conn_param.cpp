// The saved-connection file: any bytes read as ConnParam.sys and each line split, then one
// connection saved into it and removed again.
#include "ProgramFuzz.h"

#include "database/ConnParamFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::application();
    const QString path = fuzz::writeFile("ConnParam.sys", data, size);
    SavedConnection last;
    for (const QString& line : ReadConnParamLines(path))
        SplitConnParamLine(line, last);
    const SavedConnection added{QStringLiteral("host"), QStringLiteral("db"), QStringLiteral("user"), QString()};
    UpdateConnParam(path, added, false);
    UpdateConnParam(path, added, true);
    return 0;
}
