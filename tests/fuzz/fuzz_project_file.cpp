// The project reader: any bytes read as a project into the running program's windows (the
// file lists, the folder list, the vocabulary table list, the output settings and options).
// A database line is pointed at a side file of the fuzz folder, so that no input makes the
// reader create files elsewhere.
#include "ProgramStart.h"

#include "core/ProjectFile.h"
#include "platform/CodePage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::program();
    QStringList lines = FromSystemCodePage(fuzz::bytes(data, size)).split(QLatin1Char('\n'));
    for (QString& line : lines)
        if (line.startsWith(QLatin1String("\"DBCONV\"")))
            line = QStringLiteral("\"DBCONV\",\"") + fuzz::folder() + QStringLiteral("/side.DBL\"\r");
    const QByteArray file = ToSystemCodePage(lines.join(QLatin1Char('\n')));
    const QString path = fuzz::writeFile("p.wsp", reinterpret_cast<const uint8_t*>(file.constData()), file.size());
    ModalScript script;
    PrjFileShow(path);
    return 0;
}
