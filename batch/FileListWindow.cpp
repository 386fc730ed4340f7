#include "batch/FileListWindow.h"

#include "core/FileGrid.h"
#include "core/ScheduleDialog.h"
#include "core/RowCommands.h"
#include "core/StatusText.h"
#include "batch/frmOutputSetting.h"
#include "core/BatchRunning.h"
#include "core/frmMain.h"
#include "platform/FlexGrid.h"
#include "platform/MousePointer.h"
#include "platform/App.h"
#include "platform/MsgBox.h"
#include "core/Globals.h"
#include "core/OutputSettingGate.h"
#include "batch/SelectFiles.h"
#include "batch/FileListChangeOutput.h"
#include "batch/dlgFontMap.h"
#include "resources/StringTable.h"

#include <QAction>
#include <QHBoxLayout>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

struct ButtonSpec {
    const char* key;
    const char* tooltip;
    const char* command;
};

// Toolbar buttons with a separator before each entry that starts a group.
const QList<QList<ButtonSpec>>& ButtonGroups(bool scheduleButton)
{
    static const QList<QList<ButtonSpec>> files = {
        {{"OPEN", "添加文件", "IDM_FILE_OPEN"}},
        {{"DELETE", "删除", "IDM_EDIT_DELETE"}},
        {{"OUTDIR", "输出信息夹默认", "IDM_OPTION_SETTING"}, {"FILEDIR", "文件信息夹设置", "IDM_EDIT_DIRSETTING"}},
        {{"VIEWIN", "检视输入文件", "IDM_VIEW_INFILE"}, {"VIEWOUT", "检视输出文件", "IDM_VIEW_OUTFILE"}},
        {{"LISTALL", "列出全部文件", "IDM_VIEW_LISTALL"}, {"LISTNEW", "只列更改过文件", "IDM_VIEW_LISTNEW"}},
        {{"TYPECONV", "改变转换类型", "IDM_EDIT_TYPE"}},
        {{"RUN", "开始运行文件转换", "IDM_FILE_RUN"}},
    };
    static const QList<QList<ButtonSpec>> folders = {
        {{"OPEN", "添加文件", "IDM_FILE_OPEN"}},
        {{"DELETE", "删除", "IDM_EDIT_DELETE"}},
        {{"OUTDIR", "输出信息夹默认", "IDM_OPTION_SETTING"}, {"FILEDIR", "文件信息夹设置", "IDM_EDIT_DIRSETTING"}},
        {{"VIEWIN", "检视输入文件路径", "IDM_VIEW_INFILE"}, {"VIEWOUT", "检视输出文件", "IDM_VIEW_OUTFILE"}},
        {{"LISTALL", "列出全部文件", "IDM_VIEW_LISTALL"}, {"LISTNEW", "只列更改过文件", "IDM_VIEW_LISTNEW"}},
        {{"SCHEDULE", "排程设置", "IDM_SCHEDULE"}},
        {{"RUN", "开始运行文件转换", "IDM_FILE_RUN"}},
    };
    return scheduleButton ? folders : files;
}

const char* const kShownItems[] = {
    "IDM_FILE_SEPERATOR", "IDM_FILE_RUN", "IDM_FEIL_SEPERATOR2", "IDM_FILE_EXIT", "IDM_FILE_NEWPRJ",
    "IDM_FILE_OPENPRJ", "IDM_FILE_SAVEPRJ", "IDM_FILE_SAVEASPRJ", "IDM_FILE_SEPERATOR_3",
    "IDM_EDIT_DIRSETTING", "IDM_EDIT_SEPERATOR", "IDM_EDIT_DELETE", "IDM_EDIT_SELECTALL",
    "IDM_EDIT_DELETEALL", "IDM_EDIT_CLEARTYPE", "IDM_VIEW", "IDM_OPTION"};
const char* const kHiddenItems[] = {
    "IDM_FILE_NEWPCT", "IDM_FILE_SAVEAS", "IDM_FILE_SAVEPCT", "IDM_FILE_L2R", "IDM_FILE_R2L",
    "IDM_FILE_ITEMINSERT", "IDM_FILE_SEPERATOR_2", "IDM_EDIT_UNDO", "IDM_EDIT_MOVEUP",
    "IDM_EDIT_MOVEDOWN", "IDM_EDIT_ACTIVE", "IDM_EDIT_DEACTIVE", "IDM_EDIT_CUT", "IDM_EDIT_COPY",
    "IDM_EDIT_COPYUNICODE", "IDM_EDIT_PASTE", "IDM_EDIT_SEPERATOR2", "IDM_EDIT_DETECT",
    "IDM_EDIT_SEARCH", "IDM_EDIT_REPLACE", "IDM_EDIT_MERGE", "IDM_EDIT_ADDITEM", "IDM_EDIT_MODIFY",
    "IDM_EDIT_INSERT"};
} // namespace

FileListWindow::FileListWindow(const FileListWindowSetup& setup)
    : m_setup(setup)
{
    setObjectName(QString::fromUtf8(setup.formName));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_toolbarRow = new QHBoxLayout;
    m_toolbarRow->setContentsMargins(0, 0, 4, 0);
    QToolBar* toolbar = NewCommandToolbar(QString::fromUtf8(setup.toolbarName));
    bool first = true;
    for (const auto& group : ButtonGroups(setup.scheduleButton)) {
        if (!first)
            toolbar->addSeparator();
        first = false;
        for (const ButtonSpec& b : group) {
            const QString key = QString::fromUtf8(b.key);
            if (key == QLatin1String("TYPECONV") && !setup.typeChange)
                continue;
            m_buttons.insert(key, AddCommandButton(toolbar, key, QString::fromUtf8(b.tooltip), QString::fromUtf8(b.command)));
        }
    }
    m_toolbarRow->addWidget(toolbar);
    m_toolbarRow->addStretch(1);
    layout->addLayout(m_toolbarRow);

    m_grid = new FlexGrid(this);
    m_grid->setObjectName(QString::fromUtf8(setup.gridName));
    layout->addWidget(m_grid, 1);
    connect(m_grid, &FlexGrid::DblClick, this, [this] { lstDoc_DblClick(); });
    connect(m_grid, &FlexGrid::KeyDown, this, [this](int& keyCode, int shift) { lstDoc_KeyDown(keyCode, shift); });
    connect(m_grid, &FlexGrid::OLEDragDrop, this, [this](const QStringList& data) { lstDoc_OLEDragDrop(data); });
}

void FileListWindow::AddToToolbarRow(QWidget* control)
{
    m_toolbarRow->addWidget(control);
}

void FileListWindow::LoadCommon()
{
    if (m_setup.detectRunning && (Office().*m_setup.detectRunning) && (Office().*m_setup.detectRunning)()) {
        gvMsg = LoadResString(m_setup.runningMessageId);
        MsgBox(gvMsg, vbCritical | vbOKOnly, AppTitle());
    }
    BecomeClientChild();
    frmMain().Menu(QStringLiteral("IDM_EDIT"))->setVisible(true);
    InitGrid();
    miRowHeight = m_grid->RowHeight(0);
}

void FileListWindow::InitGrid()
{
    m_grid->setCols(4);
    m_grid->setRows(1);
    m_grid->setColWidth(0, 800);
    m_grid->setColWidth(1, 800);
    m_grid->setColWidth(2, 4000);
    m_grid->setColWidth(3, m_setup.outputWidth);
    m_grid->setTextMatrix(0, 0, LoadResString(5008));
    m_grid->setTextMatrix(0, 1, LoadResString(5009));
    m_grid->setTextMatrix(0, 2, LoadResString(m_setup.inputHeaderId));
    m_grid->setTextMatrix(0, 3, LoadResString(m_setup.outputHeaderId));
    m_grid->setOLEDropMode(flexOLEDropManual);
    m_grid->setStretchLastCol(true);
}

QAction* FileListWindow::ToolbarButton(const QString& key) const { return m_buttons.value(key); }

void FileListWindow::ShowMenu()
{
    if (m_setup.showsItself)
        show();
    FrmMain& main = frmMain();
    QAction* open = main.Menu(QStringLiteral("IDM_FILE_OPEN"));
    open->setVisible(true);
    open->setText(LoadResString(8005));
    for (const char* name : kShownItems)
        MainMenu(name)->setVisible(true);
    for (const char* name : kHiddenItems)
        MainMenu(name)->setVisible(false);
    MainMenu("IDM_EDIT_TYPE")->setVisible(m_setup.typeChange);
    MainMenu("IDM_OPTION_FONTMAP")->setVisible(m_setup.fontMap);
    CheckWindowMenuItem(m_setup.windowCommand);
    SetStatusText(LoadResString(m_setup.statusTextId));
    EnableMenu();
    if (QAction* all = ToolbarButton(QStringLiteral("LISTALL")))
        all->setVisible(false);
    if (QAction* fresh = ToolbarButton(QStringLiteral("LISTNEW")))
        fresh->setVisible(m_setup.listViews);
}

void FileListWindow::EnableMenu()
{
    EnableRowCommands(m_grid->Rows() >= 2, m_buttons);
}

void FileListWindow::GetConvSetting(bool& ok)
{
    ok = PassOutputSettingGate();
    if (ok)
        ReadConvFlags();
}

void FileListWindow::MenuProc(const QString& cmd)
{
    if (gbBatchRunning)
        return;
    MousePointerKeeper hourglass(vbHourglass);
    CarryOut(cmd);
    EnableMenu();
}

void FileListWindow::CarryOut(const QString& cmd)
{
    if (cmd == QLatin1String("IDM_FILE_OPEN")) {
        AddFiles();
    } else if (cmd == QLatin1String("IDM_FILE_RUN")) {
        Run();
    } else if (cmd == QLatin1String("IDM_EDIT_DIRSETTING")) {
        ChangeOutput();
        // The current row stays current, selected across.
        m_grid->setCol(0);
        m_grid->setColSel(m_grid->Cols() - 1);
    } else if (cmd == QLatin1String("IDM_EDIT_TYPE")) {
        ChangeType();
    } else if (RunListCommand(m_grid, cmd)) {
    } else if (cmd == QLatin1String("IDM_EDIT_CLEARTYPE")) {
        FileListClearDone(m_grid);
    } else if (cmd == QLatin1String("IDM_VIEW_INFILE")) {
        FileListOpenInput(m_grid);
    } else if (cmd == QLatin1String("IDM_VIEW_OUTFILE")) {
        FileListOpenOutput(m_grid);
    } else if (cmd == QLatin1String("IDM_OPTION_SETTING")) {
        frmOutputSetting().ShowDlg(); // the confirmation flag is left as it was
    } else if (cmd == QLatin1String("IDM_OPTION_FONTMAP")) {
        if (m_setup.fontMap)
            dlgFontMap().ShowDlg();
    } else if (cmd == QLatin1String("IDM_VIEW_LISTALL")) {
        PrjFileListALL(m_grid, miRowHeight);
        ShowListViewButton(false);
    } else if (cmd == QLatin1String("IDM_VIEW_LISTNEW")) {
        PrjFileListNEW(m_grid);
        ShowListViewButton(true);
    } else if (cmd == QLatin1String("IDM_SCHEDULE")) {
        Schedule();
    }
}

void FileListWindow::ShowListViewButton(bool listAll)
{
    if (QAction* all = ToolbarButton(QStringLiteral("LISTALL")))
        all->setVisible(listAll);
    if (QAction* fresh = ToolbarButton(QStringLiteral("LISTNEW")))
        fresh->setVisible(!listAll);
}

void FileListWindow::AddFiles()
{
    const QStringList files = AskFilesToAdd(QString::fromUtf8(m_setup.openFilter));
    if (files.isEmpty())
        return;
    bool ok = false;
    GetConvSetting(ok);
    if (ok)
        AddChosenFiles(files);
}

void FileListWindow::Run()
{
    bool ok = false;
    GetConvSetting(ok);
    // A run the gate dropped converted nothing: the scheduler must not count it as done.
    m_lastRun = ok ? RunConversion() : RunOutcome::Failed;
}

void FileListWindow::lstDoc_DblClick() { MenuProc(QStringLiteral("IDM_EDIT_DIRSETTING")); }

void FileListWindow::lstDoc_KeyDown(int& keyCode, int shift)
{
    if (gbBatchRunning)
        return;
    FileListDeleteRows(m_grid, keyCode, shift);
}

void FileListWindow::lstDoc_OLEDragDrop(const QStringList& data)
{
    if (gbBatchRunning || data.isEmpty())
        return;
    {
        MousePointerKeeper hourglass(vbHourglass);
        bool ok = false;
        GetConvSetting(ok);
        if (ok)
            AddDroppedFiles(data);
    }
    EnableMenu();
}

void FileListWindow::ChangeOutput() { FileListChangeOutput(m_grid, false); }
