// The project's database side file (.DBL): any bytes read into the running program's
// database window. Lines that would open a connection (MCNT) are left out: the reader's
// handling of a connection is no matter of its format.
#include "ProgramStart.h"

#include "core/ProjectDBList.h"
#include "database/frmDBConv.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::program();
    // The lines as the reader takes them, written again without the connection lines.
    QByteArray input = fuzz::bytes(data, size);
    QBuffer buffer(&input);
    buffer.open(QIODevice::ReadOnly);
    SideFileReader reader(buffer);
    QByteArray kept;
    QString line;
    while (reader.ReadLine(line)) {
        if (line.startsWith(QLatin1String("MCNT"), Qt::CaseInsensitive))
            continue;
        kept += QByteArray(reinterpret_cast<const char*>(line.utf16()), line.size() * 2) + "\r\n";
    }
    const QString path = fuzz::writeFile("p.DBL", reinterpret_cast<const uint8_t*>(kept.constData()), kept.size());
    ModalScript script;
    PrjLstDBShow(frmDBConv().lstTables, path);
    return 0;
}
