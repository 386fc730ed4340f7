// Access database files: open any bytes as a file, list its user tables and read every
// column and row of each. A damaged file may only end in DataError.
#include "platform/data/AccessFile.h"
#include "platform/data/DataError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/tezdesk-fuzz-access-XXXXXX"));
    const QString path = folder.filePath(QStringLiteral("in.mdb"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    try {
        data::AccessFile file(path);
        for (const QString& table : file.userTables()) {
            try {
                (void)file.columns(table);
                auto cursor = file.read(table);
                for (int rows = 0; rows < 100000 && cursor->next(); ++rows)
                    (void)cursor->row();
            } catch (const data::DataError&) {
            }
        }
    } catch (const data::DataError&) {
    }
    return 0;
}
