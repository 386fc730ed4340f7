#include "schedule/frmSchedule.h"

#include "core/StatusText.h"
#include "core/frmMain.h"
#include "platform/FlexGrid.h"
#include "platform/MousePointer.h"
#include "resources/StringTable.h"

#include <QAction>
#include <QVBoxLayout>

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
} // namespace

FrmSchedule& frmSchedule()
{
    return LoadForm<FrmSchedule>();
}

FrmSchedule::FrmSchedule()
{
    setObjectName(QStringLiteral("frmSchedule"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    lstSched = new FlexGrid(this);
    lstSched->setObjectName(QStringLiteral("lstSched"));
    layout->addWidget(lstSched, 1);
}

void FrmSchedule::Form_Load()
{
    setWindowTitle(QString());
    BecomeClientChild();
    lstSched->setCols(6);
    lstSched->setRows(1);
    const int widths[] = {800, 3800, 1500, 1000, 1200, 1800};
    const int headers[] = {5001, 5015, 5016, 5017, 5018, 5019};
    for (int c = 0; c < 6; ++c) {
        lstSched->setColWidth(c, widths[c]);
        lstSched->setTextMatrix(0, c, LoadResString(headers[c]));
    }
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
}

void FrmSchedule::MenuProc(const QString& cmd)
{
    MousePointerKeeper hourglass(vbHourglass);
    // Adding and deleting scheduled projects come with the scheduler.
}

QVariant FrmSchedule::ChkSchedPrj(const QString& currentTime, const QString& currentWeekday)
{
    // No scheduled project runs until the scheduler is built.
    return QVariant(false);
}
