// The commands of the database window: opening a source, the run, the viewers and the
// choice of the output database.
#include "database/DBConvRun.h"
#include "database/frmDBConv.h"
#include "database/frmSelectADODB.h"
#include "database/frmSelectOutDB.h"
#include "database/frmTableView.h"

#include "core/FileGrid.h"
#include "core/Err.h"
#include "core/FileUtil.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/BatchRunning.h"
#include "core/OutputSettingGate.h"
#include "core/RowsOutcome.h"
#include "platform/FlexGrid.h"
#include "platform/MousePointer.h"
#include "platform/MsgBox.h"
#include "platform/ProgramFolder.h"
#include "resources/StringTable.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>

bool FrmDBConv::GetConvSetting()
{
    if (!PassOutputSettingGate())
        return false;
    const int code = cbCodeConv->currentIndex();
    const bool first = cbPhraseConv->currentIndex() == 0;
    switch (code) {
    case 0: bCode = true; bPhrase = first; bB52GB = false; bL2R = false; break;
    case 1: bCode = true; bPhrase = first; bB52GB = true; bL2R = true; break;
    case 2: bCode = false; bPhrase = true; bB52GB = false; bL2R = first; break;
    case 3: bCode = false; bPhrase = true; bB52GB = true; bL2R = first; break;
    default: break;
    }
    return true;
}

void FrmDBConv::OpenAccessSource(const QString& path)
{
    // A file that cannot be opened changes nothing: the listed source stays as it was.
    AdoConnection opened;
    if (!ConnectMDB(path, opened))
        return;
    mCnt = opened;
    // The path keeps its letter case: file names are case-sensitive here.
    mvDB = path;
    if (!mvOutDB.isEmpty())
        mvOutDB = PathJoin(QFileInfo(mvDB).absolutePath(), GetFileName(mvOutDB));
    else
        mvOutDB = PathJoin(ProgramFolder(), QStringLiteral("DBOUT.MDB"));
    QApplication::processEvents();
    if (!GetConvSetting())
        return;
    QApplication::processEvents();
    DBTableList(lstTables, mCnt, QString(), bB52GB, bCode, bPhrase, bL2R);
    EnableMenu();
}

void FrmDBConv::OpenSqlSource()
{
    if (!frmSelectADODB().SetConnection(mCnt))
        return;
    mvDB = mCnt.Property(QStringLiteral("Initial Catalog"));
    mvOutDB = mvDB;
    QApplication::processEvents();
    if (!GetConvSetting())
        return;
    QApplication::processEvents();
    DBTableList(lstTables, mCnt, bB52GB ? QStringLiteral("T2S") : QStringLiteral("S2T"), bB52GB, bCode, bPhrase, bL2R);
    EnableMenu();
}

bool FrmDBConv::ConnectSource()
{
    if (mCnt.IsOpen())
        return true;
    return ConnectADO(mCnt.ConnectionString, mCnt);
}

bool FrmDBConv::ReplaceExistingOutput(ExistingOutput& existing)
{
    // The source is never overwritten, whatever its output is called.
    if (SameFile(mvOutDB, mvDB)) {
        MsgBox(QStringLiteral("输出数据库不可以是输入数据库") + QStringLiteral("(") + mvOutDB + QStringLiteral(")"));
        return false;
    }
    if (gbSchedRun) {
        // Unattended, a run replaces its own earlier output and nothing else.
        if (!IsEarlierMDBOutput(mvOutDB, mcollTbl, mcollOutTbl, bCode, bPhrase, bB52GB, bL2R, mCnt)) {
            Err().Set(errPermissionDenied, QStringLiteral("The output file %1 exists and is no earlier output of this "
                                                          "table list; it is left as it is")
                                               .arg(mvOutDB));
            ErrorLogQuiet(QStringLiteral("Utility_ExecuteMDBConv"));
            MarkRowsFailed(lstTables);
            return false;
        }
    } else {
        gvMsg = QStringLiteral("文件已存在, 是否覆写?") + QStringLiteral("(") + mvOutDB + QStringLiteral(")");
        if (MsgBox(gvMsg, vbYesNo | vbQuestion) == vbNo)
            return false;
    }
    existing = ExistingOutput::Replace;
    return true;
}

bool FrmDBConv::RunConversion(const QString& type)
{
    if (type == QLatin1String("ACCESS")) {
        if (!GetConvSetting())
            return false;
        if (!ConnectSource()) {
            MarkRowsFailed(lstTables);
            return true;
        }
        ExistingOutput existing = ExistingOutput::Refuse;
        if (QFileInfo::exists(mvOutDB) && !ReplaceExistingOutput(existing))
            return false;
        ExecuteMDBConv(lstTables, mcollTbl, mcollOutTbl, bCode, bPhrase, bB52GB, bL2R, mCnt, mvOutDB, existing);
        return true;
    }
    if (type == QLatin1String("SQL7") && GetConvSetting()) {
        if (!ConnectSource()) {
            MarkRowsFailed(lstTables);
            return true;
        }
        ExecuteSQLConv(lstTables, mcollTbl, mcollOutTbl, bCode, bPhrase, bB52GB, bL2R, mCnt, mvOutDB);
        return true;
    }
    return false;
}

void FrmDBConv::ViewTable(bool output)
{
    const int n = RowEntry(lstTables->Row());
    const QString type = TypeCode();
    if (!output || type == QLatin1String("SQL7")) {
        if (!ConnectSource()) {
            MsgBox(LoadResString(2008));
            return;
        }
    }
    if (!output) {
        frmTableView().ShowTable(mCnt, mcollTbl[n - 1].table);
        return;
    }
    const QString table = mcollOutTbl[n - 1].table;
    AdoConnection c;
    if (type == QLatin1String("ACCESS")) {
        if (ConnectMDB(mvOutDB, c))
            frmTableView().ShowTable(c, table);
    } else if (type == QLatin1String("SQL7")) {
        if (ConnectSameServer(mCnt, mvOutDB, c))
            frmTableView().ShowTable(c, table);
    }
}

void FrmDBConv::ChooseOutput(const QString& type)
{
    if (type == QLatin1String("ACCESS")) {
        dlgMDBFile.DialogTitle = LoadResString(4028);
        dlgMDBFile.FileName.clear();
        dlgMDBFile.ShowSave();
        if (!dlgMDBFile.Cancelled && !dlgMDBFile.FileName.isEmpty())
            mvOutDB = dlgMDBFile.FileName;
        ChangeOutDB(lstTables, mvOutDB);
    } else if (type == QLatin1String("SQL7")) {
        if ((mCnt.ConnectionString.isEmpty() && !mCnt.IsOpen()) || !ConnectSource()) {
            MsgBox(LoadResString(2008));
            return;
        }
        QString chosen;
        if (frmSelectOutDB().ShowSelect(mCnt, chosen)) {
            mvOutDB = chosen;
            ChangeOutDB(lstTables, mvOutDB);
        }
    } else {
        return;
    }
    if (lstTables->Rows() > 1) {
        FileListClearDone(lstTables);
        EnableMenu();
    }
}

void FrmDBConv::MenuProc(const QString& cmd)
{
    if (gbBatchRunning)
        return;
    MousePointerKeeper hourglass(vbHourglass);
    const QString type = TypeCode();
    try {
        if (cmd == QLatin1String("IDM_FILE_OPEN")) {
            if (type == QLatin1String("ACCESS")) {
                dlgMDBFile.DialogTitle = LoadResString(4028);
                dlgMDBFile.FileName.clear();
                dlgMDBFile.ShowOpen();
                if (!dlgMDBFile.Cancelled && !dlgMDBFile.FileName.isEmpty())
                    OpenAccessSource(dlgMDBFile.FileName);
            } else if (type == QLatin1String("SQL7")) {
                OpenSqlSource();
            }
        } else if (cmd == QLatin1String("IDM_FILE_RUN")) {
            m_lastRun = RunOutcome::Failed;
            if (RunConversion(type))
                m_lastRun = RowsOutcome(lstTables);
        } else if (cmd == QLatin1String("IDM_EDIT_DIRSETTING")) {
            RenameOutputTable();
        } else if (cmd == QLatin1String("IDM_EDIT_DELETE")) {
            FileListDeleteRows(lstTables, 46, 0);
            EnableMenu();
        } else if (cmd == QLatin1String("IDM_EDIT_SELECTALL")) {
            SelectAllRows(lstTables);
        } else if (cmd == QLatin1String("IDM_EDIT_DELETEALL")) {
            MenuProc(QStringLiteral("IDM_EDIT_SELECTALL"));
            MenuProc(QStringLiteral("IDM_EDIT_DELETE"));
            EnableMenu();
        } else if (cmd == QLatin1String("IDM_EDIT_CLEARTYPE")) {
            FileListClearDone(lstTables);
            EnableMenu();
        } else if (cmd == QLatin1String("IDM_VIEW_INFILE")) {
            ViewTable(false);
        } else if (cmd == QLatin1String("IDM_VIEW_OUTFILE")) {
            ViewTable(true);
        } else if (cmd == QLatin1String("IDM_OPTION_SETTING")) {
            ChooseOutput(type);
        }
    } catch (...) {
        ErrorLog(QStringLiteral("frmDBConv_MenuProc"));
    }
}
