#pragma once
// The batch-run tests' world: the batch fixture with the conversion library opened on the
// generated tables and the vocabulary list, the Office table back to its stand-in, the run
// log in the program folder, and helpers for grids of rows with given words.
#include "BatchFixture.h"
#include "core/FileRowFlags.h"
#include "common/FileBytes.h"
#include "common/LoadGeneratedTables.h"
#include "core/Globals.h"
#include "core/OfficeAccess.h"
#include "core/mTezC.h"
#include "platform/CodePage.h"

#include <QDirIterator>
#include <QStringEncoder>

inline QByteArray Gb(const QString& s) { return QStringEncoder("GB18030").encode(s); }
inline QByteArray Big5(const QString& s) { return QStringEncoder("Big5").encode(s); }

inline void OpenLibraryOnce()
{
    static bool open = false;
    if (open)
        return;
    _TezCreateEnv(&ghEnv);
    _TezCreateStmt(ghEnv, &ghStmt, 1000);
    LoadGeneratedTables(ghEnv);
    const QString list = QDir(generated_tables::dataDir()).filePath(QStringLiteral("PCTS.LST"));
    _TezLoadLST(ghStmt, ToSystemCodePage(list).constData());
    open = true;
}

class RunFixture : public BatchFixture {
public:
    RunFixture()
    {
        OpenLibraryOnce();
        Office() = OfficeStandIn();
        gbSchedRun = false;
        gbRunLog = false;
        gsLogFile = path(QStringLiteral("home/tezdesk.LOG"));
        gvPrjFile.clear();
    }
    ~RunFixture()
    {
        Office() = OfficeStandIn();
        gbRunLog = false;
        gbSchedRun = false;
        gsLogFile.clear();
    }

    QByteArray read(const QString& relative) const
    {
        const QString full = relative.startsWith(QLatin1Char('/')) ? relative : path(relative);
        return QFile::exists(full) ? ReadFileBytes(full) : QByteArray("<missing>");
    }
    // The names under a folder (relative, sorted), files and folders.
    QStringList tree(const QString& relative) const
    {
        QStringList names;
        QDirIterator it(path(relative), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            names << QDir(path(relative)).relativeFilePath(it.next());
        names.sort();
        return names;
    }
    QByteArray runLog() const { return read(QStringLiteral("home/tezdesk.LOG")); }
};

// Appends a data row with its word to a file grid.
inline int AddRow(FlexGrid* grid, const QString& input, const QString& output, int32_t word)
{
    const int r = grid->Rows();
    grid->setRows(r + 1);
    grid->setTextMatrix(r, 2, input);
    grid->setTextMatrix(r, 3, output);
    grid->setRowData(r, word);
    return r;
}

inline bool RowFailed(const FlexGrid& grid, int row) { return grid.TextMatrix(row, 0) == QLatin1String("."); }
inline bool RowProcessed(const FlexGrid& grid, int row) { return grid.RowData(row) & FileRowProcessed; }
