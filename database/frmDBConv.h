#pragma once
// The database conversion window: the tables of a source database (an Access-type file or a
// server database) with the names of the tables a conversion writes, the choice of the output
// database, the table viewers and the run.
#include "core/RunOutcome.h"
#include "core/WorkWindow.h"
#include "database/DBConvRun.h"
#include "database/Connection.h"
#include "database/TableEntry.h"
#include "platform/CommonDialog.h"

#include <QHash>
#include <QStringList>

class FlexGrid;
class QAction;
class QComboBox;
class QToolBar;

// Set when the database window is first loaded; the project then carries its side file.
extern bool gbDBConvLoaded;

class FrmDBConv : public WorkWindow, public RunOutcomeReport {
    Q_OBJECT
public:
    FrmDBConv();
    void Form_Load() override;
    void ShowMenu() override;
    void MenuProc(const QString& cmd) override;
    QString formName() const override { return QStringLiteral("frmDBConv"); }
    void EnableMenu();
    // Rewrites the database part of every shown output entry.
    void ChangeOutDB(FlexGrid* lst, const QString& pvOutDB);

    bool bCode = false;
    bool bPhrase = false;
    bool bB52GB = false;
    bool bL2R = false;
    // The source connection, the source and output database, and the source and output
    // entries of the listed tables (column 4 of a row is its 1-based position in both).
    // A project read back names its connection (mCnt.ConnectionString) without opening it:
    // it is opened when a run, a viewer or the output choice needs it.
    AdoConnection mCnt;
    QString mvDB;
    QString mvOutDB;
    TableEntries mcollTbl;
    TableEntries mcollOutTbl;

    QToolBar* tbSQL = nullptr;
    QComboBox* cbCodeConv = nullptr;
    QComboBox* cbPhraseConv = nullptr;
    QComboBox* cboDBType = nullptr;
    FlexGrid* lstTables = nullptr;
    CommonDialog dlgMDBFile;

    void cbCodeConv_Click();
    void cboDBType_Click();
    void lstTables_OLEDragDrop(const QStringList& files);
    QAction* ToolbarButton(const QString& key) const { return m_buttons.value(key); }

    // The outcome of the last IDM_FILE_RUN, for the scheduler: failed when the run was
    // dropped or any table was not converted.
    RunOutcome LastRunOutcome() const override { return m_lastRun; }

private:
    // "ACCESS", "SQL7" or "" from the database type box.
    QString TypeCode() const;
    bool GetConvSetting();
    void OpenAccessSource(const QString& path);
    void OpenSqlSource();
    // False when the run was dropped before it started.
    bool RunConversion(const QString& type);
    // Opens the connection a project named when it is not open yet; false when there is none.
    bool ConnectSource();
    // Deals with an Access-type output file that exists; false when the run must not start.
    bool ReplaceExistingOutput(ExistingOutput& existing);
    RunOutcome m_lastRun = RunOutcome::NotRun;
    void ViewTable(bool output);
    void ChooseOutput(const QString& type);
    void DBTableList(FlexGrid* lst, AdoConnection& cnt, const QString& prefix, bool b52gb, bool code, bool phrase,
                     bool l2r);
    void RenameOutputTable();
    // The entry number of a row (column 4), checked against both lists.
    int RowEntry(int row) const;

    QHash<QString, QAction*> m_buttons;
};

FrmDBConv& frmDBConv();
