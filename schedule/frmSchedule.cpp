#include "schedule/frmSchedule.h"

#include "core/Err.h"
#include "core/FileGrid.h"
#include "core/FileTypes.h"
#include "core/FileUtil.h"
#include "core/GridPictures.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/SaveFailure.h"
#include "core/StatusText.h"
#include "core/frmMain.h"
#include "platform/FlexGrid.h"
#include "platform/App.h"
#include "platform/KeyCodes.h"
#include "platform/Modal.h"
#include "platform/MousePointer.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "resources/StringTable.h"
#include "schedule/SchedLstFile.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
const char* const kHidden[] = {
    "IDM_FILE_NEWPCT", "IDM_FILE_SAVEAS", "IDM_FILE_SAVEPCT", "IDM_FILE_SEPERATOR", "IDM_FILE_RUN",
    "IDM_FILE_L2R", "IDM_FILE_R2L", "IDM_FEIL_SEPERATOR2", "IDM_FILE_ITEMINSERT", "IDM_FILE_SEPERATOR_2",
    "IDM_FILE_NEWPRJ", "IDM_FILE_OPENPRJ", "IDM_FILE_SAVEPRJ", "IDM_FILE_SAVEASPRJ", "IDM_FILE_SEPERATOR_3",
    "IDM_EDIT_DIRSETTING", "IDM_EDIT_TYPE", "IDM_EDIT_UNDO", "IDM_EDIT_MOVEUP", "IDM_EDIT_MOVEDOWN",
    "IDM_EDIT_ACTIVE", "IDM_EDIT_DEACTIVE", "IDM_EDIT_SEPERATOR", "IDM_EDIT_CUT", "IDM_EDIT_COPY",
    "IDM_EDIT_COPYUNICODE", "IDM_EDIT_PASTE", "IDM_EDIT_SELECTALL", "IDM_EDIT_DELETEALL", "IDM_EDIT_CLEARTYPE",
    "IDM_EDIT_SEPERATOR2", "IDM_EDIT_DETECT", "IDM_EDIT_SEARCH", "IDM_EDIT_REPLACE", "IDM_EDIT_MERGE",
    "IDM_EDIT_ADDITEM", "IDM_EDIT_MODIFY", "IDM_EDIT_INSERT", "IDM_VIEW", "IDM_OPTION"};

const char* const kWeekdayCaptions[] = {"", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};
const QString kUpdateMarker = QStringLiteral("UpdateRow");

// Runs a procedure step that records a failure under its name (with a beep) and goes on.
template <class Step>
void Trapped(const char* procName, Step step)
{
    try {
        step();
    } catch (...) {
        ErrorLog(QString::fromUtf8(procName));
    }
}
} // namespace

FrmSchedule& frmSchedule()
{
    return LoadForm<FrmSchedule>();
}

FrmSchedule::FrmSchedule()
{
    setObjectName(QStringLiteral("frmSchedule"));
    BuildControls();
}

FrmSchedule::~FrmSchedule()
{
    // The dialog host holds this window while it is shown as a dialog.
    if (m_dialog && parentWidget() == m_dialog)
        setParent(nullptr);
    delete m_dialog;
}

void FrmSchedule::BuildControls()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    lstSched = new FlexGrid(this);
    lstSched->setObjectName(QStringLiteral("lstSched"));
    layout->addWidget(lstSched, 1);

    frame1 = new QGroupBox(QStringLiteral("每周运行设置:"), this);
    frame1->setObjectName(QStringLiteral("frame1"));
    auto* frameRows = new QVBoxLayout(frame1);
    auto* weekdays = new QHBoxLayout;
    for (int d = 1; d <= 7; ++d) {
        chkWeekDay[d] = new QCheckBox(QString::fromUtf8(kWeekdayCaptions[d]), frame1);
        chkWeekDay[d]->setObjectName(QStringLiteral("chkWeekDay%1").arg(d));
        weekdays->addWidget(chkWeekDay[d]);
    }
    weekdays->addStretch(1);
    frameRows->addLayout(weekdays);
    auto* fields = new QHBoxLayout;
    frameRows->addLayout(fields);
    Label1 = new QLabel(QStringLiteral("运行时间:"), frame1);
    txtExecTime = new QLineEdit(QStringLiteral("HH:MM"), frame1);
    txtExecTime->setObjectName(QStringLiteral("txtExecTime"));
    Label2 = new QLabel(QStringLiteral("停止日期:"), frame1);
    txtEndDate = new QLineEdit(QStringLiteral("MM/DD/YYYY"), frame1);
    txtEndDate->setObjectName(QStringLiteral("txtEndDate"));
    chkActive = new QCheckBox(QStringLiteral("使用状态"), frame1);
    chkActive->setObjectName(QStringLiteral("chkActive"));
    cmdUpdate = new QPushButton(QStringLiteral("确定"), frame1);
    cmdUpdate->setObjectName(QStringLiteral("cmdUpdate"));
    txtExecTime->setMaximumWidth(90);
    txtEndDate->setMaximumWidth(120);
    fields->addWidget(Label1);
    fields->addWidget(txtExecTime);
    fields->addSpacing(16);
    fields->addWidget(Label2);
    fields->addWidget(txtEndDate);
    fields->addSpacing(16);
    fields->addWidget(chkActive);
    fields->addStretch(1);
    fields->addWidget(cmdUpdate);
    layout->addWidget(frame1);

    auto* buttons = new QHBoxLayout;
    cmdAddPrj = new QPushButton(QStringLiteral("新增专案排程(&A)..."), this);
    cmdAddPrj->setObjectName(QStringLiteral("cmdAddPrj"));
    cmdDelPrj = new QPushButton(QStringLiteral("删除专案排程(&D)..."), this);
    cmdDelPrj->setObjectName(QStringLiteral("cmdDelPrj"));
    cmdOK = new QPushButton(QStringLiteral("完成"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel = new QPushButton(QStringLiteral("取消"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    buttons->addWidget(cmdAddPrj);
    buttons->addWidget(cmdDelPrj);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);

    SCHED_RIGHTMOUSE = new QMenu(this);
    SCHED_RIGHTMOUSE->setObjectName(QStringLiteral("SCHED_RIGHTMOUSE"));
    QAction* add = SCHED_RIGHTMOUSE->addAction(QStringLiteral("新增"));
    add->setObjectName(QStringLiteral("mnuSchedADD"));
    QAction* del = SCHED_RIGHTMOUSE->addAction(QStringLiteral("删除"));
    del->setObjectName(QStringLiteral("mnuSchedDEL"));
    QAction* active = SCHED_RIGHTMOUSE->addAction(QStringLiteral("使用"));
    active->setObjectName(QStringLiteral("mnuSchedActive"));
    QAction* inactive = SCHED_RIGHTMOUSE->addAction(QStringLiteral("不使用"));
    inactive->setObjectName(QStringLiteral("mnuSchedDeActive"));

    connect(cmdUpdate, &QPushButton::clicked, this, &FrmSchedule::cmdUpdate_Click);
    connect(cmdAddPrj, &QPushButton::clicked, this, &FrmSchedule::cmdAddPrj_Click);
    connect(cmdDelPrj, &QPushButton::clicked, this, &FrmSchedule::cmdDelPrj_Click);
    connect(cmdOK, &QPushButton::clicked, this, &FrmSchedule::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &FrmSchedule::cmdCancel_Click);
    connect(lstSched, &FlexGrid::SelChange, this, &FrmSchedule::lstSched_SelChange);
    connect(lstSched, &FlexGrid::DblClick, this, &FrmSchedule::lstSched_DblClick);
    connect(lstSched, &FlexGrid::MouseDown, this, &FrmSchedule::lstSched_MouseDown);
    connect(add, &QAction::triggered, this, &FrmSchedule::cmdAddPrj_Click);
    connect(del, &QAction::triggered, this, &FrmSchedule::cmdDelPrj_Click);
    connect(active, &QAction::triggered, this, &FrmSchedule::mnuSchedActive_Click);
    connect(inactive, &QAction::triggered, this, &FrmSchedule::mnuSchedDeActive_Click);
}

void FrmSchedule::Form_Load()
{
    Trapped("frmSchedule loading", [this] {
        setWindowTitle(QString());
        BecomeClientChild();
        lstSched->setCols(6);
        lstSched->setRows(1);
        lstSched->setFixedRows(0);
        const int widths[] = {800, 3800, 1200, 800, 1000, 1600};
        const int headers[] = {5001, 5015, 5016, 5017, 5018, 5019};
        for (int c = 0; c < 6; ++c) {
            lstSched->setColWidth(c, widths[c]);
            lstSched->setTextMatrix(0, c, LoadResString(headers[c]));
        }
        lstSched->setSelectionMode(flexSelectionByRow);
        dlgPrjFile.Filter = QStringLiteral("WSP Files (*.wsp)|*.wsp|WPP Files (*.wpp)|*.wpp|");
        dlgPrjFile.Flags = cdlOFNHideReadOnly;
        dlgPrjFile.DefaultExt = QStringLiteral("wsp");
    });
}

void FrmSchedule::ShowMenu()
{
    QAction* open = MainMenu("IDM_FILE_OPEN");
    open->setVisible(true);
    open->setText(LoadResString(8008));
    MainMenu("IDM_FILE_EXIT")->setVisible(true);
    MainMenu("IDM_EDIT_DELETE")->setVisible(true);
    for (const char* name : kHidden)
        MainMenu(name)->setVisible(false);
    CheckWindowMenuItem("IDM_WINDOW_SCHEDULE");
    SetStatusText(LoadResString(8014));
    SchedLstShow(lstSched);
    ListSchedule();
}

void FrmSchedule::MenuProc(const QString& cmd)
{
    MousePointerKeeper hourglass(vbHourglass);
    if (cmd == QLatin1String("IDM_FILE_OPEN"))
        cmdAddPrj_Click();
    else if (cmd == QLatin1String("IDM_EDIT_DELETE"))
        cmdDelPrj_Click();
}

QWidget& FrmSchedule::DialogWindow()
{
    if (!m_dialog) {
        m_dialog = new QDialog(&frmMain());
        m_dialog->setObjectName(QStringLiteral("frmScheduleDialog"));
        m_dialog->setWindowTitle(QStringLiteral("专案排程设置"));
        auto* layout = new QVBoxLayout(m_dialog);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    return *m_dialog;
}

bool FrmSchedule::ShowDlg()
{
    Trapped("ShowDlg", [this] {
        SchedLstShow(lstSched);
        ListSchedule();
        QDialog& dialog = static_cast<QDialog&>(DialogWindow());
        QWidget* client = parentWidget();
        const bool wasVisible = isVisible();
        dialog.layout()->addWidget(this);
        show();
        QPointer<FrmSchedule> self(this);
        modal::execDialog(dialog);
        if (!self)
            return; // "取消" unloaded the window
        dialog.layout()->removeWidget(this);
        setParent(client);
        setVisible(wasVisible && frmMain().ActiveForm == this);
        if (client)
            frmMain().frmClient_Resize();
    });
    return m_result;
}

// ---- the list -----------------------------------------------------------------------------

QString FrmSchedule::RowFault(int r) const
{
    const ScheduleRow& row = m_rows.at(r - 1);
    const QString fault = ScheduleRowFault(row);
    if (!fault.isEmpty())
        return fault;
    if (!QFileInfo(row.path).isFile())
        return QStringLiteral("project file missing");
    return QString();
}

void FrmSchedule::ShowRow(int r)
{
    const ScheduleRow& row = m_rows.at(r - 1);
    const bool faulty = !RowFault(r).isEmpty();
    lstSched->setTextMatrix(r, 0, faulty ? QStringLiteral(".") : QString());
    lstSched->setTextMatrix(r, 1, row.path);
    lstSched->setTextMatrix(r, 2, row.weekdays);
    lstSched->setTextMatrix(r, 3, row.time);
    lstSched->setTextMatrix(r, 4, row.endDate);
    lstSched->setTextMatrix(r, 5, row.lastRun);
    lstSched->setRowData(r, row.flag);
    SetCellPicture(lstSched, r, 0, faulty ? gPicFailed : row.flag == 1 ? gPicActive : gPicInactive);
}

void FrmSchedule::ShowAllRows()
{
    const int row = lstSched->Row();
    lstSched->setRedraw(false);
    lstSched->setFixedRows(0);
    lstSched->setRows(1 + m_rows.size());
    for (int r = 1; r <= m_rows.size(); ++r)
        ShowRow(r);
    if (!m_rows.isEmpty())
        lstSched->setFixedRows(1);
    lstSched->setRow(std::clamp(row, m_rows.isEmpty() ? 0 : 1, static_cast<int>(m_rows.size())));
    lstSched->setRedraw(true);
}

void FrmSchedule::SelectCurrentRow()
{
    lstSched->setCol(0);
    lstSched->setColSel(lstSched->Cols() - 1);
}

void FrmSchedule::LogFaultyRows()
{
    for (int r = 1; r <= m_rows.size(); ++r) {
        const QString fault = RowFault(r);
        if (fault.isEmpty())
            continue;
        Err().Set(errInvalidCall, QStringLiteral("Sched.lst line %1: %2, never run").arg(r).arg(fault));
        ErrorLogQuiet(QStringLiteral("SchedLstShow"));
    }
}

QVariant FrmSchedule::SchedLstShow(FlexGrid* lstFG)
{
    Q_UNUSED(lstFG);
    bool read = false;
    m_listRead = true; // a missing list is reported once, not at every tick
    try {
        m_rows = ReadSchedLst(SchedLstPath());
        read = true;
        ShowAllRows();
        LogFaultyRows();
    } catch (...) {
        ErrorLogQuiet(QStringLiteral("SchedLstShow"));
    }
    lstSched->setRedraw(true);
    SelectCurrentRow();
    return read;
}

QVariant FrmSchedule::SchedLstSave(FlexGrid* lstFG)
{
    Q_UNUSED(lstFG);
    bool written = false;
    QString reason;
    const QString path = SchedLstPath();
    // Recorded quietly in an unattended run, which shows nothing.
    const auto record = [] {
        if (gbSchedRun)
            ErrorLogQuiet(QStringLiteral("SchedLstSave"));
        else
            ErrorLog(QStringLiteral("SchedLstSave"));
    };
    try {
        WriteSchedLst(path, m_rows);
        written = true;
    } catch (const RuntimeError& e) {
        reason = WriteFailureReason(e, path);
        record();
    } catch (...) {
        record();
    }
    // The window keeps its rows as they stand, so that the user can save them again.
    if (!written && !gbSchedRun)
        ShowSaveFailure(path, AppTitle(), reason);
    if (!m_rows.isEmpty())
        lstSched->setFixedRows(1);
    lstSched->setRedraw(true);
    return written;
}

void FrmSchedule::ClearEditFields()
{
    for (int d = 1; d <= 7; ++d)
        chkWeekDay[d]->setChecked(false);
    chkActive->setChecked(false);
    txtExecTime->setText(QStringLiteral("hh:mm"));
    txtEndDate->setText(QStringLiteral("MM/DD/YYYY"));
}

void FrmSchedule::ListSchedule()
{
    Trapped("ListSchedule", [this] {
        const int r = lstSched->Row();
        if (m_rows.isEmpty() || r < 1)
            return;
        const ScheduleRow& row = m_rows.at(r - 1);
        frame1->setTitle(row.path);
        for (int d = 1; d <= 7; ++d)
            chkWeekDay[d]->setChecked(row.weekdays.contains(QChar(u'0' + d)));
        txtExecTime->setText(row.time);
        txtEndDate->setText(row.endDate);
        chkActive->setChecked(row.flag == 1);
    });
}

void FrmSchedule::UpdSchedule()
{
    Trapped("UpdSchedule", [this] {
        const int r = lstSched->Row();
        ScheduleRow& row = m_rows[r - 1];
        row.weekdays.clear();
        for (int d = 1; d <= 7; ++d)
            if (chkWeekDay[d]->isChecked())
                row.weekdays += QChar(u'0' + d);
        row.time = txtExecTime->text();
        row.endDate = txtEndDate->text();
        row.lastRun = kUpdateMarker;
        row.flag = chkActive->isChecked() ? 1 : 0;
        row.complete = true; // every field has been set now
        ShowRow(r);
    });
}

int FrmSchedule::FindUpdateRow(FlexGrid* lstFG, const QString& marker)
{
    int found = 0;
    Trapped("FindUpdateRow", [&] {
        for (int r = 1; r <= m_rows.size(); ++r) {
            if (m_rows[r - 1].lastRun != marker)
                continue;
            m_rows[r - 1].lastRun.clear();
            lstFG->setTextMatrix(r, 5, QString());
            lstFG->setRow(r);
            found = r;
            return;
        }
    });
    return found;
}

// ---- commands -----------------------------------------------------------------------------

bool FrmSchedule::RefusedPath(const QString& path)
{
    // The list's fields are joined by "," unquoted: such a path would split on reading.
    if (!path.contains(QLatin1Char(',')))
        return false;
    MsgBox(QStringLiteral("专案档路径中不能有逗号 (,), 无法加入排程: ") + path, vbExclamation);
    return true;
}

void FrmSchedule::cmdAddPrj_Click()
{
    Trapped("cmdAddPrj", [this] {
        dlgPrjFile.DialogTitle = LoadResString(4027);
        dlgPrjFile.FileName.clear();
        dlgPrjFile.ShowOpen();
        const QString path = dlgPrjFile.FileName;
        if (path.isEmpty() || RefusedPath(path))
            return;
        ScheduleRow row;
        row.flag = 1;
        row.path = path;
        row.weekdays = QStringLiteral("1234567");
        row.time = QStringLiteral("18:00");
        row.endDate = QStringLiteral("12/31/9999");
        m_rows << row;
        lstSched->setFixedRows(0);
        lstSched->setRows(1 + m_rows.size());
        ShowRow(m_rows.size());
        lstSched->setRow(m_rows.size());
        SelectCurrentRow();
        ListSchedule();
        lstSched->setFixedRows(1);
        SchedLstSave(lstSched);
    });
}

void FrmSchedule::DelLstItem(FlexGrid* lstFG)
{
    Trapped("DelLstItem", [&] {
        const int r = lstFG->Row();
        if (m_rows.isEmpty() || r < 1)
            return;
        lstFG->setRedraw(false);
        lstFG->setFixedRows(0);
        m_rows.removeAt(r - 1);
        lstFG->RemoveItem(r);
        if (!m_rows.isEmpty()) {
            lstFG->setFixedRows(1);
            lstFG->setRow(std::min(r, static_cast<int>(m_rows.size())));
            ListSchedule();
        } else {
            ClearEditFields();
        }
    });
}

void FrmSchedule::cmdDelPrj_Click()
{
    DelLstItem(lstSched);
    SchedLstSave(lstSched);
}

void FrmSchedule::cmdUpdate_Click()
{
    Trapped("cmdUpdate_Click", [this] {
        if (m_rows.isEmpty() || lstSched->Row() < 1)
            return;
        if (!IsScheduleTime(txtExecTime->text())) {
            MsgBox(QStringLiteral("时间格式错误, hh:mm"), vbOKOnly);
            return;
        }
        if (!IsScheduleEndDate(txtEndDate->text())) {
            MsgBox(QStringLiteral("日期格式错误, MM/DD/YYYY"), vbOKOnly);
            return;
        }
        UpdSchedule();
        std::stable_sort(m_rows.begin(), m_rows.end(), [](const ScheduleRow& a, const ScheduleRow& b) {
            return a.time.compare(b.time, Qt::CaseInsensitive) < 0;
        });
        ShowAllRows();
        FindUpdateRow(lstSched, kUpdateMarker);
        SchedLstSave(lstSched);
        SelectCurrentRow();
    });
}

void FrmSchedule::cmdOK_Click()
{
    Trapped("cmdOK_Click", [this] {
        if (!SchedLstSave(lstSched).toBool())
            return; // not saved: the window stays open with the user's changes
        m_result = true;
        if (m_dialog && parentWidget() == m_dialog)
            m_dialog->accept();
        else
            hide();
    });
}

void FrmSchedule::cmdCancel_Click()
{
    m_result = false;
    const auto unload = [] {
        if (IsFormLoaded<FrmSchedule>() && frmMain().ActiveForm == &frmSchedule())
            frmMain().ActiveForm = nullptr;
        UnloadForm<FrmSchedule>();
    };
    if (m_dialog && parentWidget() == m_dialog) {
        m_dialog->reject();
        // The dialog's wait ends first; then the window goes.
        QMetaObject::invokeMethod(this, unload, Qt::QueuedConnection);
        return;
    }
    unload();
}

void FrmSchedule::lstSched_SelChange()
{
    ListSchedule();
}

void FrmSchedule::lstSched_DblClick()
{
    Trapped("lstSched_DblClick", [this] {
        const int r = lstSched->Row();
        if (m_rows.isEmpty() || r < 1)
            return;
        dlgPrjFile.DialogTitle = LoadResString(4027);
        dlgPrjFile.InitDir = GetPath(m_rows[r - 1].path);
        dlgPrjFile.FileName = m_rows[r - 1].path;
        dlgPrjFile.ShowOpen();
        const QString path = dlgPrjFile.Cancelled ? QString() : dlgPrjFile.FileName;
        if (path.isEmpty() || RefusedPath(path))
            return;
        m_rows[r - 1].path = path;
        ShowRow(r);
    });
}

void FrmSchedule::lstSched_MouseDown(int button, int shift, int x, int y)
{
    Q_UNUSED(shift);
    Trapped("lstSched_MouseDown", [&] {
        if (button != vbRightButton || m_rows.isEmpty())
            return;
        if (lstSched->isVisible())
            lstSched->SetFocus();
        SCHED_RIGHTMOUSE->exec(lstSched->mapToGlobal(QPoint(TwipsToPixels(x), TwipsToPixels(y))));
    });
}

void FrmSchedule::SetRowInUse(bool inUse)
{
    const int r = lstSched->Row();
    if (m_rows.isEmpty() || r < 1)
        return;
    m_rows[r - 1].flag = inUse ? 1 : 0;
    ShowRow(r);
    chkActive->setChecked(inUse);
}

void FrmSchedule::mnuSchedActive_Click()
{
    Trapped("mnuSchedActive_Click", [this] { SetRowInUse(true); });
}

void FrmSchedule::mnuSchedDeActive_Click()
{
    Trapped("mnuSchedDeActive_Click", [this] { SetRowInUse(false); });
}
