#include "core/ProjectDBList.h"

#include "core/FileUtil.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/SaveFailure.h"
#include "core/TextFile.h"
#include "platform/App.h"
#include "platform/MsgBox.h"
#include "resources/StringTable.h"

#include <QBuffer>
#include <QFile>

namespace {

const QChar kTab = QLatin1Char('\t');

ProjectSideFilePart*& SideFilePart()
{
    static ProjectSideFilePart* part = nullptr;
    return part;
}

} // namespace

void SetProjectSideFilePart(ProjectSideFilePart* part) { SideFilePart() = part; }

void SideFileWriter::Line(const std::function<QString()>& makeText)
{
    try {
        m_content += StrCodeLine(makeText());
    } catch (...) {
        ErrorLog(QStringLiteral("PrjLstDBSave"));
    }
}

bool SideFileReader::ReadLine(QString& line) { return ::ReadLine(m_file, line); }

void PrjLstDBSave(FlexGrid* grid, const QString& path)
{
    // Each line is taken on its own: a failing one is logged and the next one written.
    SideFileWriter file;
    file.Line([] { return QStringLiteral("PrjFileName") + kTab + gvPrjFile; });
    if (SideFilePart())
        SideFilePart()->Save(grid, file);
    SaveWholeFile(path, file.Content(), QStringLiteral("PrjLstDBSave"), AppTitle());
}

void PrjLstDBShow(FlexGrid* grid, const QString& path)
{
    QFile file(path);
    try {
        // A missing side file reads as an empty one (it is not created).
        QByteArray bytes;
        if (file.open(QIODevice::ReadOnly))
            bytes = file.readAll();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);

        QString line;
        if (!ReadLine(buffer, line) || line.section(kTab, 0, 0) != QLatin1String("PrjFileName")) {
            MsgBox(LoadResString(1010) + path, vbCritical);
            return;
        }
        SideFileReader reader(buffer);
        if (SideFilePart())
            SideFilePart()->Show(grid, reader);
    } catch (...) {
        ErrorLog(QStringLiteral("Utility_PrjLstDBShow"));
    }
}
