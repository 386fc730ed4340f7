#include "database/DBConvRun.h"

#include "core/ConvertOptions.h"
#include "core/Err.h"
#include "core/FileGrid.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/dlgProgress.h"
#include "core/SuspendedRedraw.h"
#include "platform/App.h"
#include "platform/FlexGrid.h"
#include "platform/MousePointer.h"
#include "platform/MsgBox.h"
#include "platform/data/DataError.h"
#include "platform/data/TableCopy.h"
#include "resources/Pictures.h"
#include "resources/StringTable.h"

#include <QApplication>
#include <QFileInfo>
#include <QProgressBar>
#include <QLabel>
#include <QSet>
#include <QTemporaryFile>
#include <cstdio>
#include <sys/stat.h>

namespace {

void MarkRowDone(FlexGrid* lst, int row)
{
    lst->setRow(row);
    lst->setCol(0);
    lst->setRowData(row, lst->RowData(row) | kRowConverted);
    lst->setText(QString());
    lst->setCellPicture(LoadResPicture(ResPicDone));
    lst->setCellPictureAlignment(flexAlignCenterCenter);
}

void MarkRowFailed(FlexGrid* lst, int row)
{
    lst->setRow(row);
    lst->setCol(0);
    lst->setRowData(row, lst->RowData(row) & ~kRowConverted);
    lst->setText(QStringLiteral("."));
    lst->setCellAlignment(flexAlignCenterCenter);
    lst->setCellPicture(LoadResPicture(ResPicFailed));
    lst->setCellPictureAlignment(flexAlignCenterCenter);
}

// The input and output table of a row, from its list number and the two lists.
void RowTables(FlexGrid* lst, int row, const TableEntries& ins, const TableEntries& outs, QString& in, QString& out)
{
    const int p = lst->TextMatrix(row, 4).trimmed().toInt();
    if (p < 1 || p > ins.size() || p > outs.size())
        Err().Raise(errSubscript);
    in = ins[p - 1].table;
    out = outs[p - 1].table;
}

data::CopyOptions ConversionOptions(bool renameColumns)
{
    data::CopyOptions options;
    options.convertText = [](const QString& s) { return ConvertedOrSame(s); };
    if (renameColumns)
        options.columnName = [](const QString& s) { return ConvertedOrSame(s); };
    return options;
}

void OpenOutput(AdoConnection& out, const data::ConnectionParams& params, int timeoutSeconds,
                data::Connection::FileMode mode)
{
    out = AdoConnection();
    out.impl = std::make_shared<data::Connection>();
    try {
        out.impl->open(params, timeoutSeconds, mode);
    } catch (const data::DataError& e) {
        Err().Raise(errInvalidCall, e.description());
    }
    out.ConnectionString = out.impl->ConnectionString();
}

// Copies and converts one table; false, with an error-log record under procName, when it
// failed (the output is then rolled back).
bool ConvertTable(AdoConnection& in, const QString& inTable, AdoConnection& out, const QString& outTable,
                  bool bCode, bool bPhrase, bool bB52GB, bool bL2R, bool renameColumns, const QString& procName)
{
    try {
        SetConvertOption(bB52GB, bCode, bPhrase, bL2R);
        data::CopyTable(in.get(), inTable, out.get(), outTable, ConversionOptions(renameColumns));
        return true;
    } catch (const data::DataError& e) {
        Err().Set(errInvalidCall, e.description());
        ErrorLog(procName);
    } catch (...) {
        ErrorLog(procName);
    }
    return false;
}

void ShowProgress(const QString& table)
{
    DlgProgress& progress = dlgProgress();
    progress.setWindowTitle(AppTitle());
    progress.labFile->setText(table);
    progress.ProgressBar1->setMaximum(100);
    progress.ProgressBar1->setMinimum(0);
    progress.show();
    progress.ProgressBar1->setValue(10);
}

void EndOfRun()
{
    try {
        SetMousePointer(vbDefault);
        UnloadForm<DlgProgress>();
    } catch (...) {
    }
}

// True while the connection's server still answers.
bool Answers(const AdoConnection& c)
{
    return c.impl && c.impl->ping();
}

struct Flags {
    bool bCode, bPhrase, bB52GB, bL2R;
};

// The shared row loop of both runs. A failed table whose connections no longer answer ends
// the run (every later table would fail the same way).
bool ConvertRows(FlexGrid* lst, const TableEntries& ins, const TableEntries& outs, AdoConnection& in,
                 AdoConnection& out, const Flags& f, const QSet<QString>& forbidden, bool renameColumns,
                 const char* logPrefix, const QString& tableProc)
{
    for (int i = 1; i < lst->Rows(); ++i) {
        if (lst->RowData(i) & kRowConverted)
            continue;
        if (lst->TextMatrix(i, 2) == lst->TextMatrix(i, 3))
            continue;
        QString inTable, outTable;
        RowTables(lst, i, ins, outs, inTable, outTable);
        gvMsg = QString::fromLatin1(logPrefix) + inTable + QStringLiteral("-") + outTable;
        WriteLog(gvMsg);
        if (forbidden.contains(outTable.toLower())) {
            // The output would replace a table of the source: refused, nothing is touched.
            Err().Set(errPermissionDenied,
                      QStringLiteral("The output table %1 is a table of the source database").arg(outTable));
            ErrorLog(tableProc);
            MarkRowFailed(lst, i);
            continue;
        }
        ShowProgress(outTable);
        const bool ok = ConvertTable(in, inTable, out, outTable, f.bCode, f.bPhrase, f.bB52GB, f.bL2R,
                                     renameColumns, tableProc);
        dlgProgress().ProgressBar1->setValue(100);
        if (ok) {
            MarkRowDone(lst, i);
        } else {
            MarkRowFailed(lst, i);
            if (!Answers(in) || !Answers(out))
                return false;
        }
        QApplication::processEvents();
    }
    return true;
}

void SummaryMessage(int title)
{
    if (!gbSchedRun)
        MsgBox(LoadResString(title) + QStringLiteral("\r\n") + LoadResString(4025), vbInformation);
}

} // namespace

QString getTableName(const QString& qualifiedName)
{
    const int dot = qualifiedName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : qualifiedName.mid(dot + 1);
}

QString ConvertedOrSame(const QString& text)
{
    if (text.isEmpty())
        return text;
    const QString converted = ConvertUString(text, giConvType, giConvOption);
    return converted.isEmpty() ? text : converted;
}

bool SameFile(const QString& a, const QString& b)
{
    struct stat sa {}, sb {};
    if (stat(QFile::encodeName(a).constData(), &sa) != 0 || stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

void ExecuteSQLConv(FlexGrid* lst, const TableEntries& mcollTbl, const TableEntries& mcollOutTbl, bool bCode,
                    bool bPhrase, bool bB52GB, bool bL2R, AdoConnection& cnt, const QString& outDB)
{
    if (lst->Rows() < 2)
        return EndOfRun();
    try {
        SetMousePointer(vbHourglass);
        data::ConnectionParams params = cnt.get().params();
        params.database = outDB;
        params.autoTranslate = true;
        AdoConnection out;
        OpenOutput(out, params, 5, data::Connection::FileMode::MustExist);
        // Writing into the source database never touches a table the list reads.
        QSet<QString> forbidden;
        if (outDB.compare(cnt.Property(QStringLiteral("Initial Catalog")), Qt::CaseInsensitive) == 0)
            for (const TableEntry& t : mcollTbl)
                forbidden.insert(t.table.toLower());
        bool finished = false;
        {
            SuspendedRedraw redraw(lst);
            finished = ConvertRows(lst, mcollTbl, mcollOutTbl, cnt, out, {bCode, bPhrase, bB52GB, bL2R}, forbidden,
                                   false, "SQLConv:", QStringLiteral("Utility_ConvSQLTable"));
        }
        if (finished) {
            gvMsg = QStringLiteral("SQLConv Done.");
            WriteLog(gvMsg);
            SummaryMessage(4037);
        }
    } catch (...) {
        ErrorLog(QStringLiteral("Utility_ExecuteSQLConv"));
    }
    EndOfRun();
}

void MarkRowsFailed(FlexGrid* lst)
{
    SuspendedRedraw redraw(lst);
    for (int i = 1; i < lst->Rows(); ++i)
        if (!(lst->RowData(i) & kRowConverted))
            MarkRowFailed(lst, i);
}

bool IsEarlierMDBOutput(const QString& outDB, const TableEntries& mcollTbl, const TableEntries& mcollOutTbl,
                        bool bCode, bool bPhrase, bool bB52GB, bool bL2R, AdoConnection& cnt)
{
    if (!data::IsSqliteFile(outDB))
        return false;
    try {
        data::ConnectionParams params;
        params.engine = data::Engine::Sqlite;
        params.server = outDB;
        data::Connection existing;
        existing.open(params, 3);
        SetConvertOption(bB52GB, bCode, bPhrase, bL2R);
        const data::CopyOptions options = ConversionOptions(true);
        for (const QString& table : existing.userTables()) {
            int p = 0;
            while (p < mcollOutTbl.size() && mcollOutTbl[p].table.compare(table, Qt::CaseInsensitive) != 0)
                ++p;
            if (p == mcollOutTbl.size() || p >= mcollTbl.size())
                return false;
            const QStringList names = data::OutputColumnNames(cnt.get().columns(mcollTbl[p].table), options);
            if (!data::HasColumnNames(existing.columns(table), names))
                return false;
        }
        return true;
    } catch (...) {
        // A file that cannot be read as a database is no output of this program.
    }
    return false;
}

namespace {

// A new, empty file beside path for the output that is to replace it; "" when none can be made.
QString NewFileBeside(const QString& path)
{
    QTemporaryFile file(QFileInfo(path).absolutePath() + QStringLiteral("/.tezc-XXXXXX"));
    file.setAutoRemove(false);
    if (!file.open())
        return QString();
    // The replacement keeps the mode of the file it replaces.
    struct stat st {};
    if (stat(QFile::encodeName(path).constData(), &st) == 0)
        fchmod(file.handle(), st.st_mode & 07777);
    return file.fileName();
}

// True when every row carries the converted mark.
bool AllConverted(FlexGrid* lst)
{
    for (int i = 1; i < lst->Rows(); ++i)
        if (!(lst->RowData(i) & kRowConverted))
            return false;
    return true;
}

} // namespace

void ExecuteMDBConv(FlexGrid* lst, const TableEntries& mcollTbl, const TableEntries& mcollOutTbl, bool bCode,
                    bool bPhrase, bool bB52GB, bool bL2R, AdoConnection& cnt, const QString& outDB,
                    ExistingOutput existing)
{
    if (lst->Rows() < 2)
        return EndOfRun();
    QString written = outDB; // where the tables go: outDB itself, or a new file beside it
    try {
        const QString inPath = cnt.Property(QStringLiteral("Data Source"));
        if (QFileInfo::exists(outDB)) {
            if (SameFile(outDB, inPath) || existing == ExistingOutput::Refuse) {
                MsgBox(SameFile(outDB, inPath) ? QStringLiteral("输出数据库不可以是输入数据库") : QStringLiteral("输出MDB档已存在"));
                return EndOfRun();
            }
            written = NewFileBeside(outDB);
            if (written.isEmpty())
                Err().Raise(errPermissionDenied, QStringLiteral("Cannot write beside ") + outDB);
        }
        // A new output file holds none of the tables: every row is converted again.
        FileListClearDone(lst);
        bool finished = false;
        {
            data::ConnectionParams params;
            params.engine = data::Engine::Access;
            params.server = written;
            AdoConnection out;
            OpenOutput(out, params, 3, data::Connection::FileMode::Create);
            QApplication::processEvents();
            SuspendedRedraw redraw(lst);
            finished = ConvertRows(lst, mcollTbl, mcollOutTbl, cnt, out, {bCode, bPhrase, bB52GB, bL2R}, {}, true,
                                   "MDBConv:", QStringLiteral("Utility_ConvertADOTable"));
            out.Close();
        }
        if (written != outDB) {
            // The earlier output is replaced only by a complete one.
            if (!finished || !AllConverted(lst)) {
                QFile::remove(written);
                FileListClearDone(lst);
                finished = false;
            } else if (::rename(QFile::encodeName(written).constData(), QFile::encodeName(outDB).constData()) != 0) {
                QFile::remove(written);
                FileListClearDone(lst);
                Err().Raise(errPermissionDenied, QStringLiteral("Cannot replace ") + outDB);
            }
            written = outDB;
        }
        if (finished) {
            gvMsg = QStringLiteral("MDBConv Done.");
            WriteLog(gvMsg);
            SummaryMessage(4036);
        }
    } catch (...) {
        ErrorLog(QStringLiteral("Utility_ExecuteMDBConv"));
        if (written != outDB)
            QFile::remove(written);
    }
    EndOfRun();
}
