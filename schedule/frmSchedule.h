#pragma once
// The schedule window: the list of weekly project runs (the grid lstSched, stored in
// Sched.lst), its edit fields and commands, and the due check that the main window's timer
// drives. It is one of the main window's work windows and also the dialog that the
// folder-tree window's schedule command shows.
#include "core/ScheduleDialog.h"
#include "core/WorkWindow.h"
#include "platform/CommonDialog.h"
#include "schedule/ScheduleRow.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

class FlexGrid;
class QCheckBox;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

class FrmSchedule : public WorkWindow, public ScheduleDialog {
    Q_OBJECT
public:
    FrmSchedule();
    ~FrmSchedule() override;
    void Form_Load() override;
    void ShowMenu() override;
    void MenuProc(const QString& cmd) override;
    QString formName() const override { return QStringLiteral("frmSchedule"); }

    // ScheduleDialog: the window in a dialog of its own, shown until "完成" or "取消".
    QWidget& DialogWindow() override;
    bool ShowDlg() override;

    // Reads Sched.lst into the grid; false (and the grid as it was) when it cannot be read.
    QVariant SchedLstShow(FlexGrid* lstFG);
    // Writes the grid's rows as Sched.lst; false when it could not be written.
    QVariant SchedLstSave(FlexGrid* lstFG);
    // Removes the current row.
    void DelLstItem(FlexGrid* lstFG);

    // Runs the scheduled projects due at this time ("hh:mm") and weekday ("1" Monday ...
    // "7" Sunday), and those whose minute came since the last check or during the runs;
    // true when a project was run.
    QVariant ChkSchedPrj(const QString& pvCurrTime, const QString& pvCurrWKDay);

    // The rows as the grid shows them (grid row r is entry r - 1).
    const QList<ScheduleRow>& ScheduleRows() const { return m_rows; }
    // Why grid row r cannot run (empty: it can), the missing project file included.
    QString RowFault(int r) const;

    void cmdAddPrj_Click();
    void cmdDelPrj_Click();
    void cmdUpdate_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void lstSched_SelChange();
    void lstSched_DblClick();
    void lstSched_MouseDown(int button, int shift, int x, int y);
    void mnuSchedActive_Click();
    void mnuSchedDeActive_Click();

    FlexGrid* lstSched = nullptr;
    QGroupBox* frame1 = nullptr;
    QCheckBox* chkWeekDay[8] = {}; // 1 ... 7
    QLabel* Label1 = nullptr;
    QLineEdit* txtExecTime = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtEndDate = nullptr;
    QCheckBox* chkActive = nullptr;
    QPushButton* cmdUpdate = nullptr;
    QPushButton* cmdAddPrj = nullptr;
    QPushButton* cmdDelPrj = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QMenu* SCHED_RIGHTMOUSE = nullptr;
    CommonDialog dlgPrjFile;

private:
    void ListSchedule();
    void UpdSchedule();
    int FindUpdateRow(FlexGrid* lstFG, const QString& marker);
    void ShowRow(int r);
    void ShowAllRows();
    void SelectCurrentRow();
    void SetRowInUse(bool inUse);
    void ClearEditFields();
    bool RefusedPath(const QString& path);
    void BuildControls();
    void LogFaultyRows();

    // Due check: the rows due in (from, to], in the order of their minute and the list.
    struct DueRun {
        QDateTime minute;
        int row;
    };
    QList<DueRun> DueRuns(const QDateTime& from, const QDateTime& to, const QDate& tickDate,
                          const QString& tickWeekday) const;
    // Runs the project of grid row r: its last-run text, its log line.
    void RunScheduledRow(int r, bool first);

    QList<ScheduleRow> m_rows;
    bool m_result = false;
    bool m_listRead = false;
    QDialog* m_dialog = nullptr;
};

FrmSchedule& frmSchedule();

// Forgets which minutes the due checks have served (a new program run starts without them).
void ForgetServedMinutes();
