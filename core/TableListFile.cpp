#include "core/TableListFile.h"

#include "core/FileUtil.h"
#include "core/LoadedTableList.h"
#include "core/PhraseText.h"
#include "core/TextFile.h"
#include "core/mTezC.h"
#include "platform/MsgBox.h"
#include "platform/ProgramFolder.h"
#include "resources/StringTable.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <algorithm>

namespace {

const QByteArray kListHeader("TEZLST 1");
const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);

// A line of the list file that is not a loaded table.
struct KeptListLine {
    int position = 0;   // its place among the list's table lines
    QByteArray line;    // as it stood, without its line end
    QString tablePath;  // the table it names (absolute); empty when it names none
};

QList<KeptListLine>& KeptLines()
{
    static QList<KeptListLine> lines;
    return lines;
}

// The non-empty lines of list file content, without their line ends.
QList<QByteArray> ListLines(QByteArray bytes)
{
    if (bytes.startsWith(kUtf8Bom))
        bytes.remove(0, kUtf8Bom.size());
    QList<QByteArray> lines;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

// One table line: its status and the table's path (relative paths lie in folder).
struct ListEntry {
    int32_t status = 0;
    QString path;
};
bool ParseListLine(const QByteArray& line, const QString& folder, ListEntry& entry)
{
    const qsizetype tab = line.indexOf('\t');
    bool ok = false;
    const int32_t status = tab > 0 ? line.left(tab).toInt(&ok) : 0;
    if (!ok || tab + 1 >= line.size())
        return false;
    entry.status = status >= 0 && status <= 3 ? status : 0;
    entry.path = QString::fromUtf8(line.mid(tab + 1));
    if (QFileInfo(entry.path).isRelative())
        entry.path = PathJoin(folder, entry.path);
    return true;
}

// The program's loaded table list as the library holds it.
void TakeLibraryTables()
{
    int32_t count = 0;
    _TezGetPCTNum(ghStmt, &count);
    glPCTCount = std::max(count, 0);
    ReDimPreserveTables(glPCTCount + 1);
    for (int32_t i = 0; i < glPCTCount; ++i)
        _TezGetPCT(ghStmt, i, &ghPCT[static_cast<std::size_t>(i)]);
}

// Loads the list's tables line by line; the lines that give no table are kept.
void LoadLineByLine(const QList<QByteArray>& lines, const QString& folder, TableListLoad& load)
{
    _TezUnloadLST(ghStmt);
    const qsizetype first = !lines.isEmpty() && lines.first() == kListHeader ? 1 : 0;
    for (qsizetype i = first; i < lines.size(); ++i) {
        const int position = static_cast<int>(i - first);
        ListEntry entry;
        if (!ParseListLine(lines[i], folder, entry)) {
            ++load.unreadableLines;
            KeptLines() << KeptListLine{position, lines[i], QString()};
            continue;
        }
        int32_t hPct = 0;
        const int32_t r = _TezLoadPCT(ghStmt, PathToBytes(entry.path).constData(), &hPct);
        if (r == 0 || r == TEZ_WARN_PARTIAL) {
            _TezSetPCTStatus(hPct, entry.status);
            continue;
        }
        load.refusedTables << entry.path + QStringLiteral("  Return : ") + QString::number(r);
        KeptLines() << KeptListLine{position, lines[i], entry.path};
    }
}

// Every table line of the list kept as it stands (nothing of it is loaded).
void KeepEveryLine(const QList<QByteArray>& lines, const QString& folder)
{
    const qsizetype first = !lines.isEmpty() && lines.first() == kListHeader ? 1 : 0;
    for (qsizetype i = first; i < lines.size(); ++i) {
        ListEntry entry;
        ParseListLine(lines[i], folder, entry);
        KeptLines() << KeptListLine{static_cast<int>(i - first), lines[i], entry.path};
    }
}

} // namespace

TableListLoad LoadTableListFile(const QString& listPath, const LoadListEntry& loadList)
{
    ClearKeptListLines();
    TableListLoad load;
    load.result = loadList(ghStmt, PathToBytes(listPath).constData());
    if (load.result != 0) {
        QFile file(listPath);
        if (!file.open(QIODevice::ReadOnly)) {
            load.listUnreadable = true;
        } else {
            const QList<QByteArray> lines = ListLines(file.readAll());
            const QString folder = QFileInfo(listPath).absolutePath();
            if (load.result == TEZ_ERR_LIMIT)
                KeepEveryLine(lines, folder);
            else
                LoadLineByLine(lines, folder, load);
        }
    }
    TakeLibraryTables();
    return load;
}

void ReportTableListLoad(const TableListLoad& load, const QString& listPath, const QString& title)
{
    if (load.listUnreadable)
        MsgBox(LoadResString(1102).arg(listPath), vbCritical + vbOKOnly, title);
    if (!load.refusedTables.isEmpty())
        MsgBox(LoadResString(1004) + QChar(10) + load.refusedTables.join(QChar(10)), vbCritical + vbOKOnly, title);
    if (load.unreadableLines > 0)
        MsgBox(LoadResString(1101).arg(listPath).arg(load.unreadableLines), vbExclamation + vbOKOnly, title);
}

int32_t SaveTableListFile(const QString& listPath)
{
    if (KeptLines().isEmpty())
        return _TezSaveLST(ghStmt, PathToBytes(listPath).constData());
    // The library writes its list beside the real one (so names relative to the folder stay
    // relative); the kept lines join it there before it replaces the real one.
    const QString written = listPath + QStringLiteral(".new");
    const int32_t r = _TezSaveLST(ghStmt, PathToBytes(written).constData());
    QFile file(written);
    if (!file.open(QIODevice::ReadOnly))
        return r != 0 ? r : TEZ_ERR_WRITE;
    QList<QByteArray> lines = ListLines(file.readAll());
    file.close();
    QFile::remove(written);
    const QByteArray header = lines.isEmpty() ? kListHeader : lines.takeFirst();
    QList<KeptListLine> kept = KeptLines();
    std::stable_sort(kept.begin(), kept.end(), [](const KeptListLine& a, const KeptListLine& b) { return a.position < b.position; });
    for (const KeptListLine& line : kept)
        lines.insert(std::min<qsizetype>(line.position, lines.size()), line.line);
    lines.prepend(header);
    try {
        WriteWholeFile(listPath, lines.join('\n') + '\n');
    } catch (...) {
        return TEZ_ERR_WRITE;
    }
    return r;
}

void KeepTableListEntry(const QString& listPath, int position, const QString& tablePath, int32_t status)
{
    const QFileInfo table(tablePath);
    // A table in the list's own folder is named by its file name, as the library names it.
    const QString named = table.absolutePath() == QFileInfo(listPath).absolutePath() ? table.fileName() : tablePath;
    KeptLines() << KeptListLine{position, QByteArray::number(status) + '\t' + named.toUtf8(), tablePath};
}

void ForgetKeptListLine(const QString& tablePath)
{
    KeptLines().removeIf([&](const KeptListLine& line) {
        return !line.tablePath.isEmpty() && SameFilePath(line.tablePath, tablePath);
    });
}

void ClearKeptListLines() { KeptLines().clear(); }

int KeptListLineCount() { return static_cast<int>(KeptLines().size()); }
